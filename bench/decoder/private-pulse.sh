# Sourced by the decoder's bench scripts: starts a PulseAudio server of the
# script's own with a null sink named "bench", in WORK/pulse (its own runtime
# folder, no D-Bus, no X11), exports PULSE_SERVER and sets `server` to its
# process id. The caller ends it.
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
