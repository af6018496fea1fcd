# Sourced by the decoder's bench scripts, which build small programs against
# a tree's decoder sources and play them through a sound server of their own.
#
# Sourcing makes a work folder ($work) and a clean-up at exit that ends the
# script's `player` and `server` (process ids, 0 for none) and removes it.
work=$(mktemp -d)
server=0
player=0
cleanup() {
    [ "$player" -gt 0 ] && kill "$player" 2>/dev/null || true
    [ "$server" -gt 0 ] && kill "$server" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# build_decoder_program TREE MAIN OUT [PKG...]: MAIN linked with TREE's
# decoder sources (and the platform files they use), optimised, with the
# pkg-config packages the decoder needs and any PKG given.
build_decoder_program() {
    local tree=$1 main=$2 out=$3
    shift 3
    local packages=(kissfft-float libmpg123 libpulse "$@")
    local sources=("$tree"/decoder/*.cpp "$tree"/platform/CodePage.cpp)
    # The log sink and the UTF-8 reader came after some of the commits the
    # scripts compare with.
    local later
    for later in LogSink Utf8; do
        [ -f "$tree/platform/$later.cpp" ] && sources+=("$tree/platform/$later.cpp")
    done
    # The UTF-8 reader uses Qt's character tables.
    [ -f "$tree/platform/Utf8.cpp" ] && packages+=(Qt6Core)
    nice g++ -std=c++20 -O2 -g -DNDEBUG -fPIC -w $(pkg-config --cflags "${packages[@]}") -I"$tree" "${sources[@]}" \
        "$main" $(pkg-config --libs "${packages[@]}") -pthread -o "$out"
}

# start_private_pulse WORK: starts a PulseAudio server of the script's own
# with a null sink named "bench", in WORK/pulse (its own runtime folder, no
# D-Bus, no X11), exports PULSE_SERVER and sets `server` to its process id.
start_private_pulse() {
    local work=$1
    mkdir -p "$work/pulse/run" "$work/pulse/home"
    chmod 700 "$work/pulse/run"
    cat >"$work/pulse/server.pa" <<PA
load-module module-null-sink sink_name=bench
load-module module-native-protocol-unix socket=$work/pulse/native auth-anonymous=1
set-default-sink bench
PA
    env -u DISPLAY HOME="$work/pulse/home" XDG_RUNTIME_DIR="$work/pulse/run" XDG_CONFIG_HOME="$work/pulse/home" \
        DBUS_SESSION_BUS_ADDRESS=disabled: \
        pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disallow-exit=yes \
        --log-target=stderr --log-level=error -F "$work/pulse/server.pa" 2>"$work/pulse/log" &
    server=$!
    for _ in $(seq 100); do [ -S "$work/pulse/native" ] && break; sleep 0.1; done
    [ -S "$work/pulse/native" ] || { echo "the sound server did not start" >&2; cat "$work/pulse/log" >&2; exit 1; }
    export PULSE_SERVER="unix:$work/pulse/native"
}
