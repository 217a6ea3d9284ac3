#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# package_test.sh build DIR BUILD_DIR: cpack makes the Debian package of BUILD_DIR in DIR.
# package_test.sh contents DIR VERSION: the package's files and dependencies, and its program
#   started as a user who is not root.
# package_test.sh keeps-values DIR: the packaged program, whose folder its user cannot write,
#   keeps its settings file in that user's configuration folder across two starts.
# package_test.sh lintian DIR: lintian finds no error and no warning in the package; exits 77
#   where lintian is not installed.
# Exits 77 (skipped) when run as root and the user kvrtest (made by scripts/test.sh) is missing.
set -euo pipefail

mode=$1
dir=$2
user=kvrtest

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

if [ "$mode" = build ]; then
    rm -rf "$dir"
    mkdir -p "$dir"
    cpack --config "$3/CPackConfig.cmake" -B "$dir"
    debs=("$dir"/kvrcalc_*.deb)
    [ "${#debs[@]}" -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single package in $dir"
    exit 0
fi

deb=$(echo "$dir"/kvrcalc_*.deb)
[ -f "$deb" ] || fail "no package in $dir"

if [ "$(id -u)" -eq 0 ]; then
    id "$user" >/dev/null 2>&1 || {
        echo "SKIP: no user $user to drop root's rights to"
        exit 77
    }
    as_user() { setpriv --reuid="$user" --regid="$(id -g "$user")" --init-groups -- "$@"; }
    owner=$user
else
    as_user() { "$@"; }
    owner=$(id -un)
fi

# The package unpacked as root would install it, a home of the user's own and a clean
# environment: no settings file and no configuration folder from elsewhere.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
chmod 755 "$tmp"
dpkg-deb -x "$deb" "$tmp/root"
mkdir -m 700 "$tmp/home" "$tmp/run"
chown "$owner" "$tmp/home" "$tmp/run"
program=$tmp/root/usr/bin/kvrcalc

# start_program SECONDS [FILE]: runs the program as the user on the offscreen platform and
# stops it with SIGTERM after SECONDS, or half a second after FILE was written. Prints the exit
# status: 124 or 143 when it was stopped, so it ran until then.
start_program() {
    local file=${2:-} before="" now status=0
    [ -z "$file" ] || before=$(stat -c %y "$file" 2>/dev/null || true)
    as_user env -i HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/run" PATH=/usr/bin:/bin \
        LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen timeout -s TERM "$1" "$program" \
        >/dev/null 2>&1 </dev/null &
    local pid=$!
    while [ -n "$file" ] && kill -0 "$pid" 2>/dev/null; do
        now=$(stat -c %y "$file" 2>/dev/null || true)
        if [ -n "$now" ] && [ "$now" != "$before" ]; then
            sleep 0.5
            kill -TERM "$pid" 2>/dev/null || true
            break
        fi
        sleep 0.1
    done
    wait "$pid" || status=$?
    echo "$status"
}

case "$mode" in
contents)
    version=$3
    listing=$(dpkg-deb -c "$deb")
    for f in bin/kvrcalc share/applications/com.example.kovrin.kvrcalc.desktop \
        share/metainfo/com.example.kovrin.kvrcalc.metainfo.xml \
        share/icons/hicolor/scalable/apps/kvrcalc.svg \
        share/icons/hicolor/{16x16,22x22,24x24,32x32,48x48,64x64,128x128,256x256}/apps/kvrcalc.png \
        share/doc/kvrcalc/{copyright,changelog.gz} share/man/man1/kvrcalc.1.gz; do
        grep -q " \./usr/$f\$" <<<"$listing" || fail "/usr/$f is not in the package"
    done
    [ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"
    # dpkg-shlibdeps ran: the Qt libraries the program links are dependencies.
    depends=$(dpkg-deb -f "$deb" Depends)
    for p in libqt6widgets6 qt6-qpa-plugins; do
        grep -q "\b$p\b" <<<"$depends" || fail "$p is not in Depends: $depends"
    done

    answer=$(as_user env -i PATH=/usr/bin:/bin "$program" --version)
    [ "$answer" = "kvrcalc $version" ] || fail "--version says '$answer'"
    # The manual page renders without a warning and names every option that --help names.
    manual=$(LC_ALL=C MANPATH="$tmp/root/usr/share/man" man --warnings kvrcalc 2>"$tmp/man.err") ||
        fail "man kvrcalc failed: $(cat "$tmp/man.err")"
    [ ! -s "$tmp/man.err" ] || fail "man kvrcalc warns: $(cat "$tmp/man.err")"
    options=$(as_user env -i PATH=/usr/bin:/bin "$program" --help | grep -o -- ' --[a-z-]*')
    for option in $options; do
        grep -q -- " $option\b" <<<"$manual" || fail "the manual page has no $option"
    done
    # Still running after three seconds: it started and stayed up.
    status=$(start_program 3)
    [ "$status" -eq 124 ] || fail "the program ended with status $status"
    ;;
keeps-values)
    # Where QStandardPaths::AppConfigLocation is for organisation kovrin, program kvrcalc.
    cfg=$tmp/home/.config/kovrin/kvrcalc/KVRsys.cfg
    # The program saves as soon as its window is shown.
    start_program 20 "$cfg" >/dev/null
    [ -f "$cfg" ] || fail "no settings file in the configuration folder ($cfg)"
    [ "$(wc -l <"$cfg")" -eq 33 ] || fail "the settings file has not 33 lines"
    [ "$(grep -c $'\r$' "$cfg")" -eq 33 ] || fail "the settings file's lines do not end in CR LF"

    # Mill D, changed between two starts, is read and written back by the second.
    sed -i '1s/.*/"7"\r/' "$cfg"
    touch -d '2001-01-01 12:00' "$cfg"
    start_program 20 "$cfg" >/dev/null
    [ "$(stat -c %Y "$cfg")" -gt "$(date -d '2001-01-02' +%s)" ] || fail "the second start did not save"
    [ "$(head -n 1 "$cfg")" = $'"7"\r' ] || fail "line 1 is $(head -n 1 "$cfg" | od -c | head -n 1)"
    ;;
lintian)
    command -v lintian >/dev/null || {
        echo "SKIP: lintian is not installed"
        exit 77
    }
    # As the user, since lintian warns against root; its information is named in README.
    cp "$deb" "$tmp/"
    as_user env -i HOME="$tmp/home" PATH=/usr/bin:/bin LANG=C.UTF-8 \
        lintian --fail-on error,warning --pedantic --display-info "$tmp/${deb##*/}" ||
        fail "lintian finds errors or warnings"
    ;;
*)
    fail "unknown mode $mode"
    ;;
esac
echo "PASS: $mode"
