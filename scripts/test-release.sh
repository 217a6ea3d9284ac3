#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
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

source scripts/debian_root.sh

fail() {
    echo "test-release.sh: $*" >&2
    exit 1
}

[ "$#" -eq 1 ] || { echo "usage: $0 RELEASE (12, bookworm, 13 or trixie)" >&2; exit 2; }
release=$(debian_release "$1") || fail "unknown release '$1': give 12 (bookworm) or 13 (trixie)"
[ "$(id -u)" -eq 0 ] || fail "must run as root: it makes a root with debootstrap and enters it with chroot"

ensure_debian_base "$release" || fail "no bare $release root"

work=""
cleanup() {
    # The mounts were made in the namespace of the child, which is gone: nothing is mounted
    # under the root any more. --one-file-system keeps rm out of anything that still is.
    if [ -n "$work" ] && [ -d "$work" ]; then
        rm -rf --one-file-system "$work"
    fi
}
trap cleanup EXIT

work=$(mktemp -d /var/tmp/kvrcalc-release.XXXXXX)
root=$work/root
mkdir "$root"
tar -C "$root" -xf "$root_base"
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
status=0
KVR_ROOT_ENV="CI=true KVR_SKIP_SANITIZE=$skip_sanitize KVR_SKIP_FUZZ=$skip_fuzz" \
    run_in_root "$root" "" "cd /src && scripts/test.sh" || status=$?

if [ "$status" -ne 0 ]; then
    fail "scripts/test.sh failed in the $release root (exit $status)"
fi
echo "scripts/test.sh passed in a fresh $release root"
