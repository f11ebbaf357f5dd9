#!/usr/bin/env bash
# Runs a test program against a private PulseAudio server whose only output is a null sink, and
# stops that server afterwards. When the server does not start, the program still runs, with
# QUODLIN_PULSE_PROBLEM saying why, so that its sound tests can fail or skip with the reason.
set -u

runtime=$(mktemp -d)
export XDG_RUNTIME_DIR=$runtime PULSE_RUNTIME_PATH=$runtime/pulse PULSE_STATE_PATH=$runtime/state
export PULSE_SERVER=unix:$runtime/native PULSE_SINK=quodlin_null

stop_server() {
    local pid
    pid=$(cat "$PULSE_RUNTIME_PATH/pid" 2>/dev/null) || pid=""
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null
        for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null
    fi
    rm -rf "$runtime"
}
trap stop_server EXIT

if ! command -v pulseaudio > /dev/null; then
    export QUODLIN_PULSE_PROBLEM="pulseaudio is not installed"
elif ! XDG_CONFIG_HOME=$runtime/config pulseaudio -D -n --exit-idle-time=-1 \
        --log-target=file:"$runtime/log" \
        --load="module-null-sink sink_name=quodlin_null" \
        --load="module-native-protocol-unix socket=$runtime/native auth-anonymous=1" \
        2>> "$runtime/log"; then
    export QUODLIN_PULSE_PROBLEM="pulseaudio did not start: $(tail -n 3 "$runtime/log" 2>/dev/null)"
fi

# In the background, so that a timeout's signal reaches the trap and the server is stopped.
"$@" &
child=$!
trap 'kill "$child" 2>/dev/null; exit 143' INT TERM
wait "$child"
