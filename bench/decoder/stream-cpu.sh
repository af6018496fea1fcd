#!/bin/bash
# What the player's sound stream costs the sound server, the landed feeding
# (commit aebb5bf) against this tree's, in one run:
#   - one private PulseAudio server with a null sink serves both;
#   - PlayFor (bench/decoder/stream/PlayFor.cpp) is built against each tree's
#     decoder sources and plays the same 90-s 192 kbps stereo MP3;
#   - the two builds alternate, RUNS times each, and every window reads the
#     server's CPU time from /proc over WINDOW seconds; an idle window of the
#     server (no client) is measured in each batch and subtracted;
#   - then the playback thread's wake-ups with the null output (voluntary
#     context switches a second, this tree's build).
# Usage: bench/decoder/stream-cpu.sh [RUNS] [WINDOW]   (defaults 3 and 30)
# Needs: pulseaudio, lame, python3, g++ and the decoder's development packages.
set -euo pipefail

runs=${1:-3}
window=${2:-30}
reference=aebb5bf
top=$(cd "$(dirname "$0")/../.." && pwd)
. "$(dirname "$0")/bench-support.sh"

mkdir -p "$work/old"
git -C "$top" archive "$reference" decoder platform | tar -x -C "$work/old"
echo "building the $reference and the current decoder..." >&2
build_decoder_program "$work/old" "$top/bench/decoder/stream/PlayFor.cpp" "$work/PlayFor-old" &
build_decoder_program "$top" "$top/bench/decoder/stream/PlayFor.cpp" "$work/PlayFor-new"
wait

python3 - "$work/tone.wav" <<'PY'
import math, struct, sys, wave
rate = 44100
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(2); w.setsampwidth(2); w.setframerate(rate)
    frames = bytearray()
    for i in range(rate * 90):
        l = int(9000 * math.sin(2 * math.pi * (220 + (i // rate) * 7) * i / rate))
        r = int(9000 * math.sin(2 * math.pi * 330 * i / rate))
        frames += struct.pack("<hh", l, r)
    w.writeframes(bytes(frames))
PY
lame --quiet -b 192 "$work/tone.wav" "$work/tone.mp3"
rm "$work/tone.wav"

# The private server (see bench-support.sh).
start_private_pulse "$work"

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
# % of one core that process $1 uses over $2 seconds.
measure() {
    local c0 c1 t0 t1
    c0=$(cpu_ticks "$1"); t0=$(date +%s%N)
    sleep "$2"
    c1=$(cpu_ticks "$1"); t1=$(date +%s%N)
    python3 -c "print('%.3f' % (($c1 - $c0) / $ticks * 1e9 / ($t1 - $t0) * 100))"
}

declare -a old_raw new_raw idle_all
for run in $(seq "$runs"); do
    idle=$(measure "$server" 10)
    idle_all+=("$idle")
    for which in old new; do
        ZELKO_AUDIO=pulse "$work/PlayFor-$which" "$work/tone.mp3" $((window + 5)) >"$work/out-$which" &
        player=$!
        sleep 3
        cpu=$(measure "$server" "$window")
        wait "$player" || true
        player=0
        [ "$(cat "$work/out-$which")" = pulse ] || { echo "$which did not play on the server" >&2; exit 1; }
        if [ "$which" = old ]; then old_raw+=("$cpu"); else new_raw+=("$cpu"); fi
        echo "run $run: idle server $idle %, $which: server $cpu %" >&2
    done
done

python3 - "${idle_all[*]}" "${old_raw[*]}" "${new_raw[*]}" <<'PY'
import sys
idle = [float(x) for x in sys.argv[1].split()]
old = [float(x) for x in sys.argv[2].split()]
new = [float(x) for x in sys.argv[3].split()]
print("sound server CPU, % of one core (idle server subtracted in brackets)")
for i, (a, b, c) in enumerate(zip(idle, old, new), 1):
    ratio = (c - a) / (b - a) if b - a > 0 else float("nan")
    print(f"run {i}: idle {a:.3f}  aebb5bf {b:.3f} ({b - a:.3f})  now {c:.3f} ({c - a:.3f})  ratio {ratio:.2f}")
so = sum(old) - sum(idle); sn = sum(new) - sum(idle)
print(f"all runs: ratio of the stream's cost now / aebb5bf = {sn / so:.2f}" if so > 0 else "no cost measured")
PY

# The playback thread's wake-ups with the null output.
ZELKO_AUDIO=null "$work/PlayFor-new" "$work/tone.mp3" 14 >/dev/null &
player=$!
sleep 3
declare -A before
for t in /proc/$player/task/*; do before[${t##*/}]=$(awk '/^voluntary_ctxt_switches/ {print $2}' "$t/status"); done
sleep 10
echo "null output, voluntary context switches a second per thread (the main thread is $player, polling 4 times a second):"
for t in /proc/$player/task/*; do
    id=${t##*/}
    now=$(awk '/^voluntary_ctxt_switches/ {print $2}' "$t/status")
    echo "  thread $id: $(( (now - ${before[$id]:-0}) / 10 ))"
done
wait "$player" || true
player=0
