#!/usr/bin/env bash
# scripts/test-release.sh RELEASE: runs scripts/test.sh in a fresh root of another Debian
# release (12 or bookworm, 13 or trixie), made with debootstrap from the mirror this machine
# installs from, entered with chroot as root with no standard input. Only the ordinary build
# and its tests run there (KVR_SKIP_SANITIZE=1 KVR_SKIP_FUZZ=1); set KVR_RELEASE_FULL=1 for
# the sanitizer build and the fuzz runs too.
#
# The release's bare root is made once and kept as a tarball in
# ~/.cache/kvrcalc/debian-RELEASE/, and the packages the test command installs in it are kept
# beside it, so a second run downloads only what changed. Each run unpacks a new root under
# /var/tmp, copies this checkout's files into it and removes it again; its mounts live in a
# mount namespace of their own, so they go with the script however it ends.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

fail() {
    echo "test-release.sh: $*" >&2
    exit 1
}

[ "$#" -eq 1 ] || { echo "usage: $0 RELEASE (12, bookworm, 13 or trixie)" >&2; exit 2; }
case "$1" in
12 | bookworm) release=bookworm ;;
13 | trixie) release=trixie ;;
*) fail "unknown release '$1': give 12 (bookworm) or 13 (trixie)" ;;
esac
[ "$(id -u)" -eq 0 ] || fail "must run as root: it makes a root with debootstrap and enters it with chroot"

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

mirror=$(machine_mirror)
[ -n "$mirror" ] || fail "no Debian mirror among this machine's apt sources"

ensure_packages debootstrap debian-archive-keyring tar

cache=${XDG_CACHE_HOME:-$HOME/.cache}/kvrcalc/debian-$release
base=$cache/base.tar
mkdir -p "$cache/archives/partial"

work=""
cleanup() {
    # The mounts were made in the namespace of the child, which is gone: nothing is mounted
    # under the root any more. --one-file-system keeps rm out of anything that still is.
    if [ -n "$work" ] && [ -d "$work" ]; then
        rm -rf --one-file-system "$work"
    fi
}
trap cleanup EXIT

if [ ! -f "$base" ]; then
    echo "== making a bare $release root from $mirror (once; kept in $cache) =="
    work=$(mktemp -d /var/tmp/kvrcalc-debootstrap.XXXXXX)
    # In a mount namespace of its own, so that a failed run leaves nothing mounted.
    if ! unshare --mount --propagation private debootstrap --variant=minbase --components=main "$release" "$work/root" "$mirror" \
        </dev/null >"$work/debootstrap.log" 2>&1; then
        tail -n 5 "$work/debootstrap.log" >&2
        fail "debootstrap of $release from $mirror failed (no network, or the mirror lacks it)"
    fi
    printf 'deb %s %s main\ndeb %s %s-updates main\n' "$mirror" "$release" "$mirror" "$release" \
        >"$work/root/etc/apt/sources.list"
    # Written under another name first: an interrupted run leaves no half tarball behind.
    tar -C "$work/root" -cf "$base.part" .
    mv "$base.part" "$base"
    rm -rf --one-file-system "$work"
    work=""
fi

work=$(mktemp -d /var/tmp/kvrcalc-release.XXXXXX)
root=$work/root
mkdir "$root"
tar -C "$root" -xf "$base"
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
# This checkout as git sees it: tracked files and new ones it does not ignore, no build folders.
mkdir "$root/src"
git ls-files -z --cached --others --exclude-standard |
    tar --null -T - -cf - | tar -C "$root/src" -xf -

skip_sanitize=1
skip_fuzz=1
if [ "${KVR_RELEASE_FULL:-0}" = 1 ]; then
    skip_sanitize=0
    skip_fuzz=0
fi

echo "== scripts/test.sh in a fresh $release root ($root) =="
# A private mount namespace: proc, sys, dev and the package cache are mounted for the child
# only and vanish with it.
status=0
unshare --mount --propagation private bash -euc '
    root=$1 cache=$2
    mount -t proc proc "$root/proc"
    mount -t sysfs sys "$root/sys"
    mount --rbind /dev "$root/dev"
    mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
    mount --bind "$cache/archives" "$root/var/cache/apt/archives"
    exec chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
        LANG=C.UTF-8 CI=true KVR_SKIP_SANITIZE=$3 KVR_SKIP_FUZZ=$4 \
        bash -c "cd /src && scripts/test.sh"
' - "$root" "$cache" "$skip_sanitize" "$skip_fuzz" </dev/null || status=$?

if [ "$status" -ne 0 ]; then
    fail "scripts/test.sh failed in the $release root (exit $status)"
fi
echo "scripts/test.sh passed in a fresh $release root"
