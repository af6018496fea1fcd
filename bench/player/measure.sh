#!/bin/bash
# Measures the player as a user runs it, under Xvfb with the X11 platform:
#   - start-up time to the first mapped window, with an empty list and with
#     a saved list of 1,000 tracks;
#   - CPU use (% of one core) over 30 s while a track plays with the analyser;
#   - resident memory while playing.
# Usage: bench/player/measure.sh [BUILD_DIR]   (default: build/release, as
# ./dev run builds it; a release build gives the figures that count).
# Needs: xvfb-run (or a DISPLAY), xdotool, lame, python3.
set -euo pipefail

if [ -z "${DISPLAY:-}" ]; then
    # -noreset: Xvfb would otherwise reset whenever its last client (each
    # short-lived xdotool, or the player between runs) disconnects, and the
    # next client could fail with "could not connect to display".
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi

build=${1:-$(cd "$(dirname "$0")/../.." && pwd)/build/release}
# The player runs in a folder of its own, so a relative build folder is resolved first.
build=$(cd "$build" && pwd)
program=$build/Zelko/Zelko
[ -x "$program" ] || { echo "no program at $program" >&2; exit 1; }

work=$(mktemp -d)
# Only a running player is ended: "kill 0" would end the whole process group,
# the caller's shell included.
trap '[ "$pid" -gt 0 ] && kill "$pid" 2>/dev/null; rm -rf "$work"' EXIT
pid=0
cp -r "$build/Zelko/Skins" "$work/Skins"

# A 60-second tone, so that it plays through the whole measurement.
python3 - "$work/tone.wav" <<'PY'
import math, struct, sys, wave
rate = 22050
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(1); w.setsampwidth(2); w.setframerate(rate)
    frames = bytearray()
    for i in range(rate * 60):
        f = 220 + (i // rate) * 40
        frames += struct.pack("<h", int(9000 * math.sin(2 * math.pi * f * i / rate)))
    w.writeframes(bytes(frames))
PY
lame --quiet -m m -b 64 --tt "Measure" --ta "Zelko" "$work/tone.wav" "$work/tone.mp3"
rm "$work/tone.wav"

export QT_QPA_PLATFORM=xcb ZELKO_AUDIO=${ZELKO_AUDIO:-null}

now_ms() { date +%s%3N; }

# Starts the player in $work; sets pid, and startup_ms to the milliseconds
# until its window maps.
startup_ms=0
start_player() {
    local t0 t1
    t0=$(now_ms)
    (cd "$work" && exec "$program" /develop) >>"$work/player.log" 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { echo "player ended early" >&2; exit 1; }
        sleep 0.002
    done
    t1=$(now_ms)
    startup_ms=$((t1 - t0))
}

stop_player() {
    kill -TERM "$pid"
    wait "$pid" || true
    pid=0
}

# Sends a play command to the player's window, as an assist would.
send_play() {
    python3 - "$1" <<'PY'
import os, socket, struct, sys, time
pid = int(sys.argv[1])
base = os.environ.get("XDG_RUNTIME_DIR")
folder = os.path.join(base, "zelko") if base else "/tmp/zelko-%d" % os.getuid()
path = os.path.join(folder, str(pid))
for _ in range(500):
    if os.path.exists(path):
        break
    time.sleep(0.01)
s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
s.connect(path)
WM_USER, CMD_PLAY = 0x0400, 0x0F080000
s.sendall(struct.pack("<IIiII", WM_USER, CMD_PLAY, 0, 0, 0))
s.recv(4)
s.close()
PY
}

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# 1. Start-up with an empty list (median of five runs).
: > "$work/Zelko.m3u"
times=()
for _ in 1 2 3 4 5; do
    start_player
    times+=("$startup_ms")
    stop_player
done
empty_ms=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 3p)

# 2. Start-up with a saved list of 1,000 tracks.
for _ in $(seq 1000); do printf '%s\r\n' "$work/tone.mp3"; done > "$work/Zelko.m3u"
start_player
list_ms=$startup_ms
stop_player

# 3. CPU and memory while playing.
printf '%s\r\n' "$work/tone.mp3" > "$work/Zelko.m3u"
start_player
send_play "$pid"
sleep 2
hz=$(getconf CLK_TCK)
c0=$(cpu_ticks "$pid"); t0=$(now_ms)
sleep 30
c1=$(cpu_ticks "$pid"); t1=$(now_ms)
rss_kb=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
stop_player

cpu=$(python3 -c "print(f'{100.0 * ($c1 - $c0) / $hz / (($t1 - $t0) / 1000.0):.2f}')")
echo "start-up to first mapped window, empty list: ${empty_ms} ms (median of 5)"
echo "start-up to first mapped window, 1,000 saved tracks: ${list_ms} ms"
echo "CPU while playing with the analyser, 30 s: ${cpu} % of one core"
echo "resident memory while playing: $((rss_kb / 1024)) MiB (${rss_kb} KiB)"
