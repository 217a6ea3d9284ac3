# SPDX-License-Identifier: MIT
# Shared by every script: install what is missing on a Debian or Ubuntu machine, the job
# count of every build, the build folder of a preset, the sanitizers' run-time options, and an
# X server of the script's own. Sourced, not run.

# The job count of every build and test run: one per core.
jobs=$(nproc 2>/dev/null || echo 2)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# ensure_packages PKG...: apt-get install the ones that are not installed yet.
ensure_packages() {
    local missing=()
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if [ "${#missing[@]}" -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
            "${missing[@]}" </dev/null
    fi
}

# ensure_locale NAME (for example da_DK.UTF-8): generate it when the system lacks it.
ensure_locale() {
    local name=$1
    local norm
    norm=$(echo "$name" | sed 's/UTF-8/utf8/')
    if ! locale -a 2>/dev/null | grep -qx -e "$name" -e "$norm"; then
        echo "Generating locale $name"
        local lang=${name%%.*}
        as_root localedef -i "$lang" -f UTF-8 "$name"
    fi
}

BUILD_PACKAGES=(build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev libvulkan-dev
    locales fonts-dejavu-core qt6-translations-l10n)

# ensure_packages_if_known PKG...: ensure_packages for those of PKG that this release has (a
# package that an older release folds into another one). Call it after ensure_packages, which
# reads the package lists on a fresh machine.
ensure_packages_if_known() {
    local known=()
    local p
    for p in "$@"; do
        apt-cache show "$p" >/dev/null 2>&1 && known+=("$p")
    done
    [ "${#known[@]}" -eq 0 ] || ensure_packages "${known[@]}"
}

# Qt's SVG image and icon plugins, which tests read the scalable icon with: their own
# package from Debian 13 on, inside libqt6svg6 before.
SVG_PLUGIN_PACKAGES=(qt6-svg-plugins)

# What cpack needs for the Debian package: dpkg-shlibdeps finds the libraries' packages, and
# file tells it which installed files are programs.
PACKAGE_PACKAGES=(dpkg-dev file)

# preset_binary_dir PRESET: the build folder that CMakePresets.json gives the configure
# preset, for running what it built; the presets name every folder, the scripts none. Needs
# cmake, so call it after ensure_packages.
preset_binary_dir() {
    cmake -D PRESET="$1" -P cmake/preset_binary_dir.cmake
}

# export_sanitizer_options: the run-time options of AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer for the sanitizer tests (scripts/test.sh) and the fuzz runs
# (scripts/fuzz.sh). Every report stops the process that made it (abort, halt, leak exit code),
# so the run fails. Leaks count in our code only: scripts/lsan.supp names the system libraries
# that keep allocations until exit.
export_sanitizer_options() {
    export ASAN_OPTIONS="abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
    export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
    export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
}

# start_xvfb: an X server on a free display, stopped when the script ends; its display (":N")
# in xvfb_display. Xvfb picks the display itself and writes its number once it accepts clients.
# The stop is added to the EXIT trap the caller has, which runs after it with the same status.
start_xvfb() {
    local display_file previous=() stop
    display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
    xvfb_pid=$!
    # trap -p prints "trap -- 'COMMAND' EXIT", quoted for the shell to read back. The pid and
    # the previous trap go in now, the status when the trap runs.
    eval "previous=($(trap -p EXIT))"
    stop="xvfb_exit_status=\$?; kill $xvfb_pid 2>/dev/null || true"
    # shellcheck disable=SC2064,SC2154
    trap "$stop; (exit \$xvfb_exit_status) && :${previous[2]:+
${previous[2]}}" EXIT
    for _ in $(seq 100); do
        [ -s "$display_file" ] && break
        sleep 0.1
    done
    if [ ! -s "$display_file" ]; then
        rm -f "$display_file"
        echo "Xvfb did not start" >&2
        exit 1
    fi
    xvfb_display=":$(head -n1 "$display_file")"
    rm -f "$display_file"
}
