#!/usr/bin/env bash
# Builds and runs the benchmarks of the hook library; every figure is printed beside its floor
# measured in the same run, and as a ratio to it. Nothing here passes or fails on time.
#   1. natively (Google Benchmark): the guarded work per move, click and wheel event beside a
#      bare acquire and release of the guard;
#   2. under Wine on a virtual display (x86-64 Windows build): bursts of real mouse messages
#      retrieved with our hook installed, beside an empty hook and no hook at all;
#   3. natively: the full-screen picture at 1920 x 1080 beside a plain copy of the bitmap;
#   4. natively: one refresh of the panels' texts beside its library reads, and one of the
#      distribution image beside a copy of the grid;
#   5. under Wine: a save and a load of the statistics file beside raw writes and reads of its
#      19 602 bytes.
# Usage: scripts/bench.sh [messages a burst, default 200] [rounds, default 15]
# Builds go to KX_BENCH_DIR (default build/bench).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
messages=${1:-200}
rounds=${2:-15}
out=${KX_BENCH_DIR:-build/bench}
jobs=$(nproc)

build() { # dir target [cmake args]
  local dir=$1 target=$2; shift 2
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  cmake --build "$dir" -j"$jobs" --target "$target" >/dev/null
}

echo "== building (native and win64, in $out)"
build "$out/native" hook_bench
build "$out/native" fullscreen_bench
build "$out/native" panelimage_bench
build "$out/win64" hookburst -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake
build "$out/win64" statsio -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake

echo "== guarded work per event, beside the bare guard (native)"
"$out/native/tests/bench/hook_bench" --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true 2>/dev/null

echo "== the full-screen picture at 1920 x 1080 beside a plain copy of the bitmap (native)"
"$out/native/tests/bench/fullscreen_bench" --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true 2>/dev/null

echo "== mouse messages retrieved with our hook, an empty hook, no hook (Wine)"
bash tests/bench/hookburst-run.sh "$(pwd)/$out/wine/bench" "$out/win64/bin/hookburst.exe" \
  "$messages" "$rounds"

echo "== one refresh of the panels' texts and of the distribution image, beside their floors (native)"
"$out/native/tests/bench/panelimage_bench" --benchmark_repetitions=5 \
  --benchmark_report_aggregates_only=true 2>/dev/null

echo "== a save and a load of the statistics file beside raw writes and reads (Wine)"
statsio_dir="$(pwd)/$out/wine/statsio"
mkdir -p "$statsio_dir"
KURVIX_WINEPREFIX="$(pwd)/$out/wine/bench" scripts/wine-run "$out/win64/tests/bench/statsio.exe" \
  "Z:${statsio_dir//\//\\}" 300
