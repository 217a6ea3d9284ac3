# SPDX-License-Identifier: MIT
# A fresh root of another Debian release, for scripts/test-release.sh and scripts/windows.sh:
# its bare tarball is made once with debootstrap from the mirror this machine installs from
# and kept in ~/.cache/kvrcalc/debian-RELEASE/, beside the packages installed in it. Needs
# scripts/setup.sh first. Sourced, not run.

# debian_release NAME: bookworm or trixie for 12, bookworm, 13 or trixie; fails on others.
debian_release() {
    case "$1" in
    12 | bookworm) echo bookworm ;;
    13 | trixie) echo trixie ;;
    *) return 1 ;;
    esac
}

# The Debian mirror this machine installs from: the first deb entry that is not the security
# archive.
machine_mirror() {
    local files
    files=$(ls /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources 2>/dev/null || true)
    [ -n "$files" ] || return 0
    # shellcheck disable=SC2086 # one name a line, none with blanks
    awk '$1 == "URIs:" { for (i = 2; i <= NF; i++) print $i }
         $1 == "deb" { opt = 0
             for (i = 2; i <= NF; i++) {
                 if ($i ~ /^\[/) opt = 1
                 if (!opt) { print $i; break }
                 if ($i ~ /\]$/) opt = 0
             } }' \
        $files | grep -E '/debian/?$' | grep -v -- '-security' | awk 'NR == 1' || true
}

# ensure_debian_base RELEASE: sets root_cache (the release's cache folder, with archives/ for
# its packages) and root_base (its bare root as a tarball), making the tarball when missing.
ensure_debian_base() {
    local release=$1 mirror work
    root_cache=${XDG_CACHE_HOME:-$HOME/.cache}/kvrcalc/debian-$release
    root_base=$root_cache/base.tar
    mkdir -p "$root_cache/archives/partial"
    [ -f "$root_base" ] && return 0
    ensure_packages debootstrap debian-archive-keyring tar
    mirror=$(machine_mirror)
    [ -n "$mirror" ] || { echo "no Debian mirror among this machine's apt sources" >&2; return 1; }
    echo "== making a bare $release root from $mirror (once; kept in $root_cache) =="
    work=$(mktemp -d /var/tmp/kvrcalc-debootstrap.XXXXXX)
    # In a mount namespace of its own, so that a failed run leaves nothing mounted.
    if ! unshare --mount --propagation private debootstrap --variant=minbase --components=main \
        "$release" "$work/root" "$mirror" </dev/null >"$work/debootstrap.log" 2>&1; then
        tail -n 5 "$work/debootstrap.log" >&2
        rm -rf --one-file-system "$work"
        echo "debootstrap of $release from $mirror failed (no network, or the mirror lacks it)" >&2
        return 1
    fi
    printf 'deb %s %s main\ndeb %s %s-updates main\n' "$mirror" "$release" "$mirror" "$release" \
        >"$work/root/etc/apt/sources.list"
    # Written under another name first: an interrupted run leaves no half tarball behind.
    tar -C "$work/root" -cf "$root_base.part" .
    mv "$root_base.part" "$root_base"
    rm -rf --one-file-system "$work"
}

# run_in_root ROOT "BIND..." COMMAND: runs the bash COMMAND as root in ROOT, chrooted with a
# clean environment and no standard input, in a private mount namespace: proc, sys, dev, the
# release's package cache and each bind ("HOST:INSIDE") are mounted for it only and vanish
# with it. KEY=VALUE words in KVR_ROOT_ENV are added to its environment.
run_in_root() {
    local root=$1 binds=$2 command=$3
    # shellcheck disable=SC2086 # the words of KVR_ROOT_ENV are KEY=VALUE without blanks
    unshare --mount --propagation private bash -euc '
        root=$1 cache=$2 binds=$3 command=$4
        shift 4
        mount -t proc proc "$root/proc"
        mount -t sysfs sys "$root/sys"
        mount --rbind /dev "$root/dev"
        mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
        mount --bind "$cache/archives" "$root/var/cache/apt/archives"
        for bind in $binds; do
            mkdir -p "$root/${bind#*:}"
            mount --bind "${bind%%:*}" "$root/${bind#*:}"
        done
        exec chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
            LANG=C.UTF-8 "$@" bash -c "$command"
    ' - "$root" "$root_cache" "$binds" "$command" ${KVR_ROOT_ENV:-} </dev/null
}
