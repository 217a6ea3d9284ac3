# SPDX-License-Identifier: MIT
# The Debian 13 root that scripts/windows.sh runs in on a machine whose own Qt is not 6.8
# (Debian 12): Qt for Windows, the program, the zip and the installer are then built, and
# tested under Wine, with Debian 13's Qt tools, MinGW-w64, Wine and NSIS on every machine.
# The root is unpacked once from the bare tarball of scripts/debian_root.sh and kept in
# ~/.cache/kvrcalc/windows-root-trixie/ with what the steps installed in it; this checkout and
# the cache are mounted in it for each run.
# Part of scripts/windows.sh, which sources it after scripts/setup.sh and
# scripts/windows/common.sh.

# run_windows_step_in_root STEP: scripts/windows.sh STEP in the root, as root.
run_windows_step_in_root() {
    local step=$1 root=$KVR_WIN_CACHE/windows-root-trixie
    if [ "$(id -u)" -ne 0 ]; then
        echo "scripts/windows.sh: this machine's Qt is not 6.8, so it builds in a Debian 13 root, which needs root: run it as root or with sudo" >&2
        exit 1
    fi
    source scripts/debian_root.sh
    ensure_debian_base trixie
    if [ ! -f "$root/.complete" ]; then
        echo "== unpacking a Debian 13 root for the Windows build (once; kept in $root) =="
        rm -rf --one-file-system "$root"
        mkdir -p "$root"
        tar -C "$root" -xf "$root_base"
        touch "$root/.complete"
    fi
    cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
    echo "== scripts/windows.sh $step in the Debian 13 root =="
    KVR_ROOT_ENV="KVR_WIN_CACHE=/kvrcache ${CI:+CI=$CI}" \
        run_in_root "$root" "$PWD:/src $KVR_WIN_CACHE:/kvrcache" "cd /src && scripts/windows.sh $step"
}
