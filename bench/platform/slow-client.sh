#!/bin/bash
# The play loop's 10-ms tick beside hostile local clients of the message
# window (see bench/platform/ticks/SlowClientTicks.cpp), built here against
# this tree's platform sources with optimisation.
# Usage: bench/platform/slow-client.sh [SECONDS] [RUNS]   (defaults 10 and 3)
set -euo pipefail
seconds=${1:-10}
runs=${2:-3}
top=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
nice g++ -std=c++20 -O2 -fPIC -w $(pkg-config --cflags Qt6Core) -I"$top" \
    "$top"/platform/{MessageWindow,EndpointDirectory,RequestFrame}.cpp "$top/bench/platform/ticks/SlowClientTicks.cpp" \
    $(pkg-config --libs Qt6Core) -pthread -o "$work/SlowClientTicks"
for run in $(seq "$runs"); do
    echo "run $run:"
    "$work/SlowClientTicks" "$seconds"
done
