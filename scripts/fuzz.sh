#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# scripts/fuzz.sh TARGET [SECONDS]: builds TARGET (one of KVR_FUZZ_TARGETS in
# fuzz/CMakeLists.txt) with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer (clang,
# the fuzz preset, in build-fuzz/), and fuzzes it for SECONDS (default 60) on a working copy of
# fuzz/corpus/TARGET in fuzz-work/TARGET. An input that fails is saved as
# fuzz/crashes/TARGET/crash-* (or timeout-*, oom-*); the ordinary test builds replay that
# folder, so keep a reproducer there once it is fixed.
#
# scripts/fuzz.sh --merge TARGET: adds to fuzz/corpus/TARGET the fewest inputs of
# fuzz-work/TARGET that reach the code (edges) the corpus does not reach yet, so that the kept
# corpus stays small enough to replay on every test run.
#
# scripts/fuzz.sh --short [RUNS]: builds every target and fuzzes each for RUNS inputs (default
# 2000) from its corpus, writing nothing into the tree; scripts/test.sh runs this, so a fuzz
# build that no longer configures or compiles cannot land.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

usage() {
    echo "usage: $0 [--merge] TARGET [SECONDS] | --short [RUNS]" >&2
    [ "${#targets[@]}" -eq 0 ] || echo "targets: ${targets[*]}" >&2
    exit 2
}

targets=()
merge=0
short=0
case "${1:-}" in
--merge)
    merge=1
    shift
    ;;
--short)
    short=1
    shift
    ;;
esac
if [ "$short" = 1 ]; then
    runs=${1:-2000}
    [[ "$runs" =~ ^[0-9]+$ ]] || usage
else
    target=${1:-}
    seconds=${2:-60}
    [ -n "$target" ] || usage
    [[ "$seconds" =~ ^[0-9]+$ ]] || usage
fi

# The release's own clang: 14 on Debian 12, 19 on Debian 13.
ensure_packages "${BUILD_PACKAGES[@]}" clang libclang-rt-dev
cxx=$(command -v clang++)

export_sanitizer_options

cmake --preset fuzz -DCMAKE_CXX_COMPILER="$cxx" >/dev/null

# The targets and their programs, as the build lists them.
build=$(preset_binary_dir fuzz)
declare -A program
while read -r name path; do
    targets+=("$name")
    program[$name]=$path
done <"$build/fuzz_targets.txt"

if [ "$short" = 1 ]; then
    cmake --build --preset fuzz
    for target in "${targets[@]}"; do
        # A scratch corpus: the runs may find new inputs, which stay out of the tree.
        scratch=$(mktemp -d)
        cp fuzz/corpus/"$target"/* "$scratch"/
        status=0
        "${program[$target]}" "$scratch" -runs="$runs" -seed=1 -max_len=4096 \
            -dict="fuzz/$target.dict" -timeout=10 -rss_limit_mb=2048 \
            -artifact_prefix="$scratch/" >"$scratch/log" 2>&1 || status=$?
        if [ "$status" -ne 0 ]; then
            tail -n 40 "$scratch/log"
            echo "$target failed; the input is in $scratch" >&2
            exit "$status"
        fi
        echo "$target: $(grep -E '^Done' "$scratch/log" || echo "$runs runs")"
        rm -rf "$scratch"
    done
    exit 0
fi

[ -n "${program[$target]:-}" ] || usage
cmake --build --preset fuzz --target "$target"

corpus=fuzz/corpus/$target
crashes=fuzz/crashes/$target
work=fuzz-work/$target
mkdir -p "$work" "$crashes"
cp -n "$corpus"/* "$work"/ 2>/dev/null || true

# The settings file gets room for long lines; the others work on single texts.
max_len=4096
[ "$target" = fuzz_settings ] && max_len=16384

if [ "$merge" = 1 ]; then
    exec "${program[$target]}" -set_cover_merge=1 -use_counters=0 -max_len="$max_len" \
        "$corpus" "$work"
fi

# One process: the machine's cores are shared.
exec "${program[$target]}" "$work" \
    -dict="fuzz/$target.dict" \
    -max_total_time="$seconds" \
    -max_len="$max_len" \
    -timeout=10 \
    -rss_limit_mb=2048 \
    -artifact_prefix="$crashes/" \
    -print_final_stats=1
