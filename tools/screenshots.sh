#!/usr/bin/env bash
# Takes the pictures of the shipped skins that docs/ shows: each skin at
# double size with English texts, playing a track with its play list and
# lyrics drawers out, on a plain desktop of our own X server; then the same
# with the main menu open (a right click on the body, between the transport
# buttons and the repeat button, at skin point 194,140 in both skins).
#
# Usage: tools/screenshots.sh [BUILD_DIR [OUT_DIR]]
#   BUILD_DIR: any build with the player (default build/release, else
#   build/test); OUT_DIR: where the PNG files go (default docs/screenshots).
# Needs: Xvfb, xdotool, ImageMagick (import), lame, python3.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-}
if [ -z "$build" ]; then
    build=$root/build/release
    [ -x "$build/Zelko/Zelko" ] || build=$root/build/test
fi
build=$(cd "$build" && pwd)
out=${2:-$root/docs/screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)
[ -x "$build/Zelko/Zelko" ] || { echo "no player in $build" >&2; exit 1; }

work=$(mktemp -d)
pids=()
cleanup() {
    # Only what this script started is ended, by its own process id.
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 5 -screen 0 1600x1000x24 -noreset -nolisten tcp 5>"$work/display" 2>"$work/xvfb.log" &
pids+=("$!")
for _ in $(seq 500); do [ -s "$work/display" ] && break; sleep 0.01; done
export DISPLAY=":$(head -n1 "$work/display")"
unset XAUTHORITY
export QT_QPA_PLATFORM=xcb ZELKO_AUDIO=null LANG=en_US.UTF-8 LANGUAGE= LC_ALL= LC_MESSAGES=
# A sanitizer build would otherwise report Qt's own allocations at exit.
export ASAN_OPTIONS=detect_leaks=0

# Three short tracks with English tags; the first plays.
python3 - "$work/tone.wav" <<'PY'
import array, math, sys, wave
rate, seconds = 44100, 40
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(2); w.setsampwidth(2); w.setframerate(rate)
    for s in range(seconds):
        a = array.array("h", bytes(4 * rate))
        f = 2 * math.pi * (180 + 60 * (s % 9)) / rate
        for i in range(rate):
            v = int(9000 * math.sin(f * i) + 3000 * math.sin(7.3 * f * i))
            a[2 * i] = v; a[2 * i + 1] = v
        w.writeframes(a.tobytes())
PY
mkdir -p "$work/music"
titles=("Morning Light" "Harbour Lights" "Slow River")
for i in 0 1 2; do
    lame --quiet -b 192 --tt "${titles[$i]}" --ta "The Example Ensemble" --tl "Field Recordings" \
        "$work/tone.wav" "$work/music/0$((i + 1)) ${titles[$i]}.mp3"
done
printf '[00:00.00]Lyrics follow the song\r\n[00:02.00]one line at a time\r\n[00:30.00]until the end\r\n' \
    >"$work/music/01 Morning Light.txt"

for skin in Carbon Meadow; do
    dir=$work/program-$skin
    mkdir -p "$dir"
    cp -r "$build/Zelko/Skins" "$dir/Skins"
    for f in "$work"/music/*.mp3; do printf '%s\r\n' "$f"; done >"$dir/Zelko.m3u"
    cat >"$dir/Zelko.ini" <<EOF
[Skin]
Path=$dir/Skins/$skin
File=$skin.zks
[PlayListWindow]
ShowFromChangedSkin=-1
[LyricsWindow]
ShowFromChangedSkin=-1
[Window]
Left=40
Top=40
Scale=2
Language=en
EOF
    (cd "$dir" && exec "$build/Zelko/Zelko" /develop) >"$work/$skin.log" 2>&1 &
    pid=$!
    pids+=("$pid")
    until window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n1) && [ -n "$window" ]; do
        kill -0 "$pid" 2>/dev/null || { echo "$skin: the player ended early" >&2; cat "$work/$skin.log" >&2; exit 1; }
        sleep 0.05
    done
    # Play, as an assist asks for it, then let the analyser and lyrics move.
    python3 - "$pid" <<'PY'
import os, socket, struct, sys, time
pid = int(sys.argv[1])
base = os.environ.get("XDG_RUNTIME_DIR")
path = os.path.join(os.path.join(base, "zelko") if base else "/tmp/zelko-%d" % os.getuid(), str(pid))
for _ in range(500):
    if os.path.exists(path):
        break
    time.sleep(0.01)
s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
s.connect(path)
WM_USER, CMD_PLAY = 0x0400, 0x0F080000
s.sendall(struct.pack("<IIiII", WM_USER, CMD_PLAY, 0, 0, 0))
s.recv(4)
PY
    sleep 3
    eval "$(xdotool getwindowgeometry --shell "$window")"
    import -window root -crop "$((WIDTH + 40))x$((HEIGHT + 40))+$((X - 20))+$((Y - 20))" "$out/$skin-x2-en.png"
    echo "$out/$skin-x2-en.png (${WIDTH}x${HEIGHT})"
    xdotool mousemove $((X + 194 * 2)) $((Y + 140 * 2)) click 3
    sleep 1
    import -window root "$work/menu.png"
    convert "$work/menu.png" -trim +repage -bordercolor black -border 20 "$out/$skin-x2-en-menu.png"
    echo "$out/$skin-x2-en-menu.png"
    xdotool key Escape
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
