#!/usr/bin/env bash
# scripts/fuzz.sh TARGET [SECONDS]: builds TARGET (fuzz_settings, fuzz_numbers, fuzz_fraction,
# fuzz_cncline) with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer in build-fuzz/
# (clang), and fuzzes it for SECONDS (default 60) on a working copy of fuzz/corpus/TARGET in
# fuzz-work/TARGET. An input that fails is saved as fuzz/crashes/TARGET/crash-* (or timeout-*,
# oom-*); the ordinary test builds replay that folder, so keep a reproducer there once it is
# fixed.
#
# scripts/fuzz.sh --merge TARGET: adds to fuzz/corpus/TARGET the fewest inputs of
# fuzz-work/TARGET that reach the code (edges) the corpus does not reach yet, so that the kept
# corpus stays small enough to replay on every test run.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

usage() {
    echo "usage: $0 [--merge] TARGET [SECONDS]" >&2
    exit 2
}

merge=0
if [ "${1:-}" = --merge ]; then
    merge=1
    shift
fi
target=${1:-}
seconds=${2:-60}
case "$target" in
fuzz_settings | fuzz_numbers | fuzz_fraction | fuzz_cncline) ;;
*) usage ;;
esac
[[ "$seconds" =~ ^[0-9]+$ ]] || usage

ensure_packages "${BUILD_PACKAGES[@]}" clang-14 libclang-rt-14-dev
cxx=$(command -v clang++-14 || command -v clang++)

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER="$cxx" -DKVR_FUZZ=ON -DKVR_SANITIZE=ON >/dev/null
cmake --build build-fuzz --target "$target"

corpus=fuzz/corpus/$target
crashes=fuzz/crashes/$target
work=fuzz-work/$target
mkdir -p "$work" "$crashes"
cp -n "$corpus"/* "$work"/ 2>/dev/null || true

export ASAN_OPTIONS="abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# The settings file gets room for long lines; the others work on single texts.
max_len=4096
[ "$target" = fuzz_settings ] && max_len=16384

if [ "$merge" = 1 ]; then
    exec "build-fuzz/fuzz/$target" -set_cover_merge=1 -use_counters=0 -max_len="$max_len" \
        "$corpus" "$work"
fi

# One process: the machine's cores are shared.
exec "build-fuzz/fuzz/$target" "$work" \
    -dict="fuzz/$target.dict" \
    -max_total_time="$seconds" \
    -max_len="$max_len" \
    -timeout=10 \
    -rss_limit_mb=2048 \
    -artifact_prefix="$crashes/" \
    -print_final_stats=1
