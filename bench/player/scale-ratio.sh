#!/bin/bash
# The cost of drawing at scale 2 against scale 1, measured in one run: the
# whole-window paint, the analyser refresh and the play loop's tick, each
# offscreen (image surface) and on an X display (X server surface, under a
# private Xvfb). Medians of three repetitions; each scale-2
# figure must stay within 4 times its scale-1 figure (four times the pixels).
#
# Usage: bench/player/scale-ratio.sh [BUILD_DIR]   (default build/bench;
# build it with ./dev build bench). Needs xvfb-run for the X display part.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build/bench}" && pwd)
limit=4.0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

run() {
    local name=$1 program=$2 filter=$3
    shift 3
    "$@" "$program" --benchmark_filter="$filter" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
        --benchmark_format=json >"$work/$name.json" 2>/dev/null
}

run widgets "$build/bench/widgets/bench_widgets" 'BM_WholeWindowPaint|BM_AnalyserRefresh' env QT_QPA_PLATFORM=offscreen
run tick-offscreen "$build/bench/player/bench_player" 'BM_PlayTimerTick|BM_TickWithOneDigit' env QT_QPA_PLATFORM=offscreen
if command -v xvfb-run >/dev/null; then
    run widgets-x11 "$build/bench/widgets/bench_widgets" 'BM_WholeWindowPaint|BM_AnalyserRefresh' \
        env QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24"
    run tick-x11 "$build/bench/player/bench_player" 'BM_PlayTimerTick|BM_TickWithOneDigit' \
        env QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24"
fi

python3 - "$work" "$limit" <<'PY'
import json, os, sys
work, limit = sys.argv[1], float(sys.argv[2])
failed = False
for name in sorted(os.listdir(work)):
    data = json.load(open(os.path.join(work, name)))
    medians = {b["run_name"]: b["real_time"] for b in data["benchmarks"] if b.get("aggregate_name") == "median"}
    unit = {b["run_name"]: b["time_unit"] for b in data["benchmarks"]}
    print(f"== {name[:-5]}")
    for run, t in sorted(medians.items()):
        if not run.endswith("/1"): continue
        base = run[:-2]
        two = medians.get(base + "/2")
        if two is None: continue
        ratio = two / t
        verdict = "ok" if ratio <= limit else "TOO SLOW"
        failed |= ratio > limit
        print(f"  {base}: scale 1 {t:.1f} {unit[run]}, scale 2 {two:.1f} {unit[run]}, ratio {ratio:.2f} ({verdict}, limit {limit})")
sys.exit(1 if failed else 0)
PY
