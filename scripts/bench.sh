#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds the benchmarks (the bench preset: build-bench/, Release, no
# tests) and runs them: every engine action, the CNC line, the settings save, and the main
# window's start to first paint, the last on a real X server (Xvfb, a free display) and on the
# offscreen platform. Prints the tables and a summary against the targets; writes the figures
# as JSON to build-bench/results/ (or $KVR_BENCH_OUT): bench.json from the X server run,
# bench-offscreen.json from the offscreen one. Further arguments go to both runs, for example
# --benchmark_filter=Session (the offscreen run keeps to first paint).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

ensure_packages "${BUILD_PACKAGES[@]}" libbenchmark-dev xvfb xauth jq

build=$(preset_binary_dir bench)
out=${KVR_BENCH_OUT:-$build/results}
mkdir -p "$out"

cmake --preset bench >/dev/null
cmake --build --preset bench -j "$jobs"

start_xvfb
display=$xvfb_display

# Engine actions repeat 10 times; the save and the windows time one operation per repetition
# and set their own counts (bench/).
run() {
    "$build/kvrcalc_bench" --benchmark_repetitions=10 --benchmark_report_aggregates_only=true \
        --benchmark_out_format=json "$@"
}
echo "== X server ($display) =="
DISPLAY=$display QT_QPA_PLATFORM=xcb run --benchmark_out="$out/bench.json" "$@"
echo "== offscreen platform: start to first paint =="
QT_QPA_PLATFORM=offscreen run "$@" --benchmark_filter=FirstPaint --benchmark_out="$out/bench-offscreen.json"

echo "== summary (medians and 99th percentiles of wall time) =="
# Each figure is picked from the JSON by benchmark name and statistic. A missed target fails the
# script, after the whole summary.
summary=$(jq -rs '
  [.[].benchmarks[] | select(.aggregate_name == "median" or .aggregate_name == "p99")] as $rows
  | def time($name; $stat): [$rows[] | select(.run_name == $name and .aggregate_name == $stat)
      | .real_time * ({"ns": 1e-6, "us": 1e-3, "ms": 1}[.time_unit])][0];
  def verdict($ok): if $ok then "met" else "MISSED" end;
  ([$rows[] | select(.aggregate_name == "median" and (.run_name | startswith("Session/")))]
    | select(length > 0) # a --benchmark_filter may leave them out
    | "engine actions: \(map(select(.real_time < 5000)) | length) of \(length) medians under 5 us, slowest \(max_by(.real_time) | "\(.real_time / 100 | round / 10) us (\(.run_name))"); target 5 us: \(verdict(all(.real_time < 5000)))"),
  ($rows | map(.run_name | select(test("^(CncLine|Settings/save)"))) | unique[] as $name
    | "\($name): median \(time($name; "median") * 1e4 | round / 10) us, p99 \(time($name; "p99") * 1e4 | round / 10) us; target 1 ms: \(verdict(time($name; "p99") < 1))"),
  ($rows[] | select(.aggregate_name == "median" and (.run_name | startswith("FirstPaint/")))
    | "first paint on \(.run_name | split("/")[1]): main \(.real_time * 100 | round / 100) ms, stock widgets \(.stock_ms * 100 | round / 100) ms, plain widgets \(.bare_ms * 100 | round / 100) ms; main/stock x\(.x_stock * 100 | round / 100), main/plain x\(.x_bare * 10 | round / 10); target x1.1 of stock: \(verdict(.x_stock <= 1.1))")
' "$out/bench.json" "$out/bench-offscreen.json")
echo "$summary"
echo "JSON: $out/bench.json $out/bench-offscreen.json"
if grep -q 'MISSED$' <<<"$summary"; then
    echo "bench.sh: a target was missed" >&2
    exit 1
fi
