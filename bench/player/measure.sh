#!/bin/bash
# Measures the player as a user runs it, under one Xvfb with the X11 platform
# and one private PulseAudio server with a null sink, beside two floor
# programs built from bench/floor (a bare Qt 6 widget program with an empty
# 10-ms precise timer, and the same repainting a 180x40 area every tick
# through QWidget::update), and a third that polls the player's decoder as it
# plays the same track, with no drawing). The programs take turns: each
# round runs the timer, the player, the timer, the decoder floor, the timer,
# the old player and the repaint program, so each ratio is taken between
# neighbouring windows, and the rounds show how much the machine's load moved
# the figures.
#   - per program, over a 30-s window: its CPU (all threads, from the
#     scheduler's nanosecond counters in /proc/PID/task/*/schedstat; the
#     10-ms ticks of /proc/PID/stat are too coarse for figures under 1 %),
#     the X server's and the sound server's CPU the same way, the program's
#     voluntary context switches a second, resident memory;
#   - start-up to the first mapped window, empty list (median of 5) and a
#     saved list of 1,000 tracks;
#   - the tick, whole-window paint and assist-record benchmarks.
# With an old build given, the old player takes its turn after the new one in
# every step, for the comparisons that must not regress.
#
# Usage: bench/player/measure.sh [BUILD_DIR [OLD_BUILD_DIR]]
#   BUILD_DIR: a build with the benchmarks (./dev build bench; default
#   build/bench). OLD_BUILD_DIR: the same kind of build of an older commit.
#   MEASURE_WINDOW_S (default 30) and MEASURE_ROUNDS (default 5) set the
#   length of a window and the number of rounds. The load of a shared
#   machine moves a single round's ratios by a tenth or more; the median of
#   five rounds moves less than that of three.
# Needs: Xvfb, xdotool, lame, python3; pulseaudio (else the null output,
# said in the output).
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
resolve() { (cd "$1" && pwd); }
build=$(resolve "${1:-$root/build/bench}")
old=${2:+$(resolve "$2")}
window_s=${MEASURE_WINDOW_S:-30}
rounds=${MEASURE_ROUNDS:-5}

for f in "$build/Zelko/Zelko" "$build/bench/floor/floor_timer" "$build/bench/floor/floor_repaint" "$build/bench/floor/floor_decoder"; do
    [ -x "$f" ] || { echo "missing $f (build with ./dev build bench)" >&2; exit 1; }
done
[ -z "$old" ] || [ -x "$old/Zelko/Zelko" ] || { echo "no old player in $old" >&2; exit 1; }

work=$(mktemp -d)
pids=()
cleanup() {
    # Only what this script started is ended, by its own process id.
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

# One X server of our own. -noreset: it would otherwise reset whenever its
# last client disconnects.
Xvfb -displayfd 5 -screen 0 1280x1024x24 -noreset -nolisten tcp 5>"$work/display" 2>"$work/xvfb.log" &
xpid=$!
pids+=("$xpid")
for _ in $(seq 500); do [ -s "$work/display" ] && break; sleep 0.01; done
export DISPLAY=":$(head -n1 "$work/display")"
unset XAUTHORITY

# One sound server of our own with a null sink, or the null output.
audio=null
spid=0
if command -v pulseaudio >/dev/null; then
    mkdir -p "$work/pulse" "$work/pulse-home"
    cat >"$work/pulse/default.pa" <<EOF
load-module module-null-sink sink_name=measure
set-default-sink measure
load-module module-native-protocol-unix auth-anonymous=1 socket=$work/pulse/native
EOF
    XDG_RUNTIME_DIR=$work/pulse HOME=$work/pulse-home pulseaudio -n -F "$work/pulse/default.pa" \
        --daemonize=no --exit-idle-time=-1 --use-pid-file=no >"$work/pulse.log" 2>&1 &
    spid=$!
    pids+=("$spid")
    for _ in $(seq 500); do [ -S "$work/pulse/native" ] && break; sleep 0.01; done
    if [ -S "$work/pulse/native" ]; then
        audio=pulse
        export PULSE_SERVER=unix:$work/pulse/native
    fi
fi
export QT_QPA_PLATFORM=xcb ZELKO_AUDIO=$audio
echo "display $DISPLAY (Xvfb pid $xpid); sound: $([ "$audio" = pulse ] && echo "private PulseAudio with a null sink (pid $spid)" || echo "null output")"

# A 90-s stereo tone at 192 kbps, so that it plays through every window.
python3 - "$work/tone.wav" <<'PY'
import array, math, sys, wave
rate, seconds = 44100, 90
step = [2 * math.pi * (220 + 40 * (i % 12)) / rate for i in range(seconds)]
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(2); w.setsampwidth(2); w.setframerate(rate)
    for s in range(seconds):
        a = array.array("h", bytes(4 * rate))
        for i in range(rate):
            v = int(9000 * math.sin(step[s] * i))
            a[2 * i] = v; a[2 * i + 1] = -v
        w.writeframes(a.tobytes())
PY
lame --quiet -b 192 --tt "Measure" --ta "Zelko" "$work/tone.wav" "$work/tone.mp3"
rm "$work/tone.wav"

# A program folder for each player build.
folder_of() { echo "$work/program-$1"; }
make_folder() {
    local dir
    dir=$(folder_of "$1")
    mkdir -p "$dir"
    cp -r "$2/Zelko/Skins" "$dir/Skins"
}
make_folder new "$build"
[ -z "$old" ] || make_folder old "$old"

now_ms() { date +%s%3N; }
# CPU time of every thread of a process, in nanoseconds, and its voluntary
# context switches. "%.0f", not "%d": mawk's %d stops at 2^31, which the X
# server passes (2.1 s of CPU) in a run of five rounds, and every window
# after that would read 0.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%.0f\n", s}'; }
switches() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ {s += $2} END {printf "%.0f\n", s}'; }

# Starts a program; sets pid, and startup_ms to the milliseconds until its
# window maps. Arguments: the folder to run in, then the command.
pid=0
startup_ms=0
start_program() {
    local dir=$1 t0 t1
    shift
    t0=$(now_ms)
    (cd "$dir" && exec "$@") >>"$work/programs.log" 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { echo "$1 ended early" >&2; tail -5 "$work/programs.log" >&2; exit 1; }
        sleep 0.002
    done
    t1=$(now_ms)
    startup_ms=$((t1 - t0))
}
stop_program() {
    kill -TERM "$pid"
    wait "$pid" || true
    pid=0
}
player_of() { if [ "$1" = new ]; then echo "$build/Zelko/Zelko"; else echo "$old/Zelko/Zelko"; fi; }
start_player() { start_program "$(folder_of "$1")" "$(player_of "$1")" /develop; }

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

pct() { python3 -c "print(f'{100.0 * $1 / 1e9 / ($2 / 1000.0):.3f}')"; }

# One 30-s window on the running program $pid; prints one line and sets
# the globals cpu, xcpu, scpu, vcs, rss_kb and rss_parts (anonymous, file,
# shared-memory KiB).
measure_window() {
    local name=$1 c0 x0 s0 v0 t0 c1 x1 s1 v1 t1 ms
    sleep 2
    c0=$(cpu_ns "$pid"); x0=$(cpu_ns "$xpid"); s0=0; [ "$spid" -gt 0 ] && s0=$(cpu_ns "$spid")
    v0=$(switches "$pid"); t0=$(now_ms)
    sleep "$window_s"
    c1=$(cpu_ns "$pid"); x1=$(cpu_ns "$xpid"); s1=0; [ "$spid" -gt 0 ] && s1=$(cpu_ns "$spid")
    v1=$(switches "$pid"); t1=$(now_ms)
    rss_kb=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
    rss_parts=$(awk '/^RssAnon|^RssFile|^RssShmem/ {printf "%s ", $2}' "/proc/$pid/status")
    ms=$((t1 - t0))
    cpu=$(pct $((c1 - c0)) $ms); xcpu=$(pct $((x1 - x0)) $ms); scpu=$(pct $((s1 - s0)) $ms)
    vcs=$(python3 -c "print(f'{($v1 - $v0) / ($ms / 1000.0):.0f}')")
    printf '  %-26s CPU %6s %%   X server %6s %%   sound server %6s %%   voluntary switches %4s/s   RSS %6s KiB\n' \
        "$name" "$cpu" "$xcpu" "$scpu" "$vcs" "$rss_kb"
}

players=(new)
[ -z "$old" ] || players+=(old)

echo "== start-up to the first mapped window (ms), empty list; players alternate"
: >"$(folder_of new)/Zelko.m3u"
[ -z "$old" ] || : >"$(folder_of old)/Zelko.m3u"
declare -A startups
for _ in 1 2 3 4 5; do
    for p in "${players[@]}"; do
        start_player "$p"
        startups[$p]="${startups[$p]:-} $startup_ms"
        stop_program
    done
done
for p in "${players[@]}"; do
    echo "  $p: median $(printf '%s\n' ${startups[$p]} | sort -n | sed -n 3p) (runs:${startups[$p]})"
done

echo "== start-up with 1,000 saved tracks (ms)"
for p in "${players[@]}"; do
    for _ in $(seq 1000); do printf '%s\r\n' "$work/tone.mp3"; done >"$(folder_of "$p")/Zelko.m3u"
    start_player "$p"
    echo "  $p: $startup_ms"
    stop_program
done

echo "== ${window_s}-s windows, % of one core; $rounds rounds, the programs in this order in each"
ratio() { python3 -c "a, b = $1, $2; print(f'{a / b:.2f}' if b > 0 else 'n/a')"; }
median() { printf '%s\n' "$@" | sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
for p in "${players[@]}"; do printf '%s\r\n' "$work/tone.mp3" >"$(folder_of "$p")/Zelko.m3u"; done
declare -A pcpu px ps pv prss pparts
measure_timer() {
    start_program "$work" "$build/bench/floor/floor_timer"
    measure_window "bare Qt, 10-ms timer"
    stop_program
}
measure_player() {
    start_player "$1"
    send_play "$pid"
    measure_window "Zelko ($1), playing"
    stop_program
    pcpu[$1]=$cpu; px[$1]=$xcpu; ps[$1]=$scpu; pv[$1]=$vcs; prss[$1]=$rss_kb; pparts[$1]=$rss_parts
}
r_cpu=() r_timer_drift=() r_decoder=() r_over_decoder=() r_x=() r_vcs=() r_old_cpu=() r_old_x=() r_sound=()
r_rss=() r_anon=() r_file=() r_shmem=()
for round in $(seq "$rounds"); do
    echo " round $round"
    # The timer's windows come just before and just after the player's and
    # the decoder floor's, and each is held against the mean of the two
    # around it, so that a load that rises or falls steadily over three
    # windows cancels out.
    measure_timer
    timer_first=$cpu
    measure_player new
    measure_timer
    timer_second=$cpu
    start_program "$work" "$build/bench/floor/floor_decoder" "$work/tone.mp3"
    measure_window "bare Qt + decoder, playing"
    stop_program
    decoder_cpu=$cpu
    measure_timer
    timer_third=$cpu
    timer_cpu=$(python3 -c "print(($timer_first + $timer_second) / 2)")
    r_timer_drift+=("$(ratio "$timer_second" "$timer_first")")
    r_decoder+=("$(ratio "$decoder_cpu" "$(python3 -c "print(($timer_second + $timer_third) / 2)")")")
    [ -z "$old" ] || measure_player old
    start_program "$work" "$build/bench/floor/floor_repaint"
    measure_window "bare Qt, 180x40 repaint"
    stop_program
    repaint_x=$xcpu
    r_cpu+=("$(ratio "${pcpu[new]}" "$timer_cpu")")
    r_over_decoder+=("$(ratio "${pcpu[new]}" "$decoder_cpu")")
    r_x+=("$(ratio "${px[new]}" "$repaint_x")")
    r_vcs+=("${pv[new]}")
    echo "   player / bare timer ${r_cpu[-1]} (the timer's second window / its first ${r_timer_drift[-1]}); decoder floor / bare timer ${r_decoder[-1]}; player / decoder floor ${r_over_decoder[-1]}; X server / bare repaint ${r_x[-1]}; switches ${pv[new]}/s"
    if [ -n "$old" ]; then
        r_old_cpu+=("$(ratio "${pcpu[old]}" "$timer_third")")
        r_old_x+=("$(ratio "${px[old]}" "$repaint_x")")
        r_sound+=("$(ratio "${ps[new]}" "${ps[old]}")")
        read -r new_anon new_file new_shmem <<<"${pparts[new]}"
        read -r old_anon old_file old_shmem <<<"${pparts[old]}"
        r_rss+=("$(ratio "${prss[new]}" "${prss[old]}")")
        r_anon+=("$(ratio "$new_anon" "$old_anon")")
        r_file+=("$(ratio "$new_file" "$old_file")")
        r_shmem+=("$(ratio "$new_shmem" "$old_shmem")")
        echo "   old player / bare timer ${r_old_cpu[-1]}; old X server / bare repaint ${r_old_x[-1]}; sound server new / old ${r_sound[-1]}; RSS new / old ${r_rss[-1]} (anonymous ${r_anon[-1]}, files ${r_file[-1]}, shared memory ${r_shmem[-1]})"
    fi
done

echo "== targets (median of the rounds; each round's figure in brackets)"
echo "  player CPU / bare-timer CPU: $(median "${r_cpu[@]}") [${r_cpu[*]}] (target <= 1.6)"
echo "  (how far the load moved across the player's window: the timer's second window / its first $(median "${r_timer_drift[@]}") [${r_timer_drift[*]}])"
echo "  (what limits it: the decoder floor / bare timer $(median "${r_decoder[@]}") [${r_decoder[*]}]; player / decoder floor $(median "${r_over_decoder[@]}") [${r_over_decoder[*]}])"
echo "  X server CPU while Zelko plays / while the bare repaint program runs: $(median "${r_x[@]}") [${r_x[*]}] (target <= 0.6)"
echo "  voluntary context switches of the player: $(median "${r_vcs[@]}")/s [${r_vcs[*]}] (target <= 130)"
if [ -n "$old" ]; then
    echo "  old build: player CPU / bare timer $(median "${r_old_cpu[@]}") [${r_old_cpu[*]}], X server / bare repaint $(median "${r_old_x[@]}") [${r_old_x[*]}]"
    echo "  sound server CPU, new / old: $(median "${r_sound[@]}") [${r_sound[*]}] (target <= 0.6 against the build before the change)"
    # Resident memory in its three parts: what the program allocates; pages
    # of mapped files (the code of the program and its libraries, and the
    # fonts, which depend on the faces used and are shared with every other
    # program using them); and memory shared with the sound server (the
    # queue of sound it holds).
    echo "  RSS new / old: $(median "${r_rss[@]}") [${r_rss[*]}]; anonymous $(median "${r_anon[@]}") [${r_anon[*]}], files $(median "${r_file[@]}") [${r_file[*]}], shared memory $(median "${r_shmem[@]}") [${r_shmem[*]}]"
fi

# The benchmarks: each program of each build in turn, twice, medians of
# three repetitions. They draw offscreen, on the image surface both builds
# have, so that the same work is compared (under X11 the player draws on the
# X server instead; the windows above measure that).
bench_line() {
    local program=$1 filter=$2
    [ -x "$program" ] || { echo "    (no $program)"; return; }
    QT_QPA_PLATFORM=offscreen "$program" --benchmark_filter="$filter" --benchmark_repetitions=3 \
        --benchmark_report_aggregates_only=true --benchmark_format=console 2>/dev/null |
        grep -E '_median' | sed 's/^/    /' || true
}
echo "== benchmarks (medians of 3, offscreen)"
for turn in 1 2; do
    for p in "${players[@]}"; do
        b=$build; [ "$p" = new ] || b=$old
        echo "  $p, turn $turn:"
        bench_line "$b/bench/player/bench_player" 'BM_PlayTimerTick|BM_TickWithOneDigit'
        bench_line "$b/bench/widgets/bench_widgets" 'BM_WholeWindowPaint'
        bench_line "$b/bench/assists/bench_assists" 'BM_AnalyzeRecordToScopeZKA'
    done
done
