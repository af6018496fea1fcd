#!/bin/bash
# How soon the new place of a seek is heard with the sound server:
#   - one private PulseAudio server with a null sink, started here;
#   - SeekLatency (bench/decoder/stream/SeekLatency.cpp), built against this
#     tree's decoder sources, plays a 192 kbps stereo MP3 of 10 s of silence
#     and 20 s of a loud tone through it and seeks from the silence into the
#     tone SEEKS times: first alone ("timing": when the server's timing says
#     the new place leaves the sink, the sink at the latency the player's
#     stream asks for), then while the sink's monitor is recorded in 5-ms
#     blocks ("monitor": when the tone arrives there; the sink then runs at a
#     few milliseconds of latency);
#   - the sink's latency as the server reports it, in each mode.
# Usage: bench/decoder/seek-latency.sh [SEEKS]   (default 10)
# Needs: pulseaudio, pulseaudio-utils, lame, python3, g++ and the decoder's development packages.
set -euo pipefail

seeks=${1:-10}
top=$(cd "$(dirname "$0")/../.." && pwd)
. "$(dirname "$0")/bench-support.sh"

echo "building..." >&2
build_decoder_program "$top" "$top/bench/decoder/stream/SeekLatency.cpp" "$work/SeekLatency" libpulse-simple

python3 - "$work/tone.wav" <<'PY'
import math, struct, sys, wave
rate = 44100
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(2); w.setsampwidth(2); w.setframerate(rate)
    frames = bytearray()
    for i in range(rate * 30):
        v = 0 if i < rate * 10 else int(16000 * math.sin(2 * math.pi * 1000 * i / rate))
        frames += struct.pack("<hh", v, v)
    w.writeframes(bytes(frames))
PY
lame --quiet -b 192 "$work/tone.wav" "$work/tone.mp3"
rm "$work/tone.wav"

# The private server (see bench-support.sh).
start_private_pulse "$work"

for mode in timing monitor; do
    echo "== $mode"
    ZELKO_AUDIO=pulse "$work/SeekLatency" "$work/tone.mp3" 2000 15000 "$seeks" "$mode" &
    player=$!
    sleep 3
    echo "the sink while the stream plays: $(pactl list sinks | grep -i 'latency:' | sed 's/^[[:space:]]*//')"
    wait "$player"
    player=0
done
