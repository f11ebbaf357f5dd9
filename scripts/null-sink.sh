# Sourced by the test command: starts a private PulseAudio server whose only output is a null
# sink, for the sound tests to play into and listen to, and stops it when the shell exits. When
# it does not start, QUODLIN_PULSE_PROBLEM says why, so that the sound tests fail with the reason.
pulse_runtime=$(mktemp -d)
export XDG_RUNTIME_DIR=$pulse_runtime PULSE_RUNTIME_PATH=$pulse_runtime/pulse
export PULSE_STATE_PATH=$pulse_runtime/state PULSE_SERVER=unix:$pulse_runtime/native
export PULSE_SINK=quodlin_null

stop_null_sink() {
    local pid
    pid=$(cat "$PULSE_RUNTIME_PATH/pid" 2> /dev/null) || pid=""
    if [ -n "$pid" ]; then
        kill "$pid" 2> /dev/null || true
        for _ in $(seq 50); do kill -0 "$pid" 2> /dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2> /dev/null || true
    fi
    rm -rf "$pulse_runtime"
}
trap stop_null_sink EXIT

if ! XDG_CONFIG_HOME=$pulse_runtime/config pulseaudio -D -n --exit-idle-time=-1 \
        --log-target=file:"$pulse_runtime/log" \
        --load="module-null-sink sink_name=quodlin_null" \
        --load="module-native-protocol-unix socket=$pulse_runtime/native auth-anonymous=1" \
        2>> "$pulse_runtime/log"; then
    export QUODLIN_PULSE_PROBLEM="pulseaudio did not start: $(tail -n 3 "$pulse_runtime/log")"
fi
