# Sourced by the benchmarks: the wall time of one command, and the best of several runs of one.

# seconds COMMAND...: the seconds COMMAND takes, its output dropped.
seconds() {
    local start end
    start=$(date +%s.%N)
    "$@" > /dev/null 2>&1
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}

# best_of RUNS RESET COMMAND...: the shortest of RUNS runs of COMMAND, each after the shell
# code RESET has put the stage back.
best_of() {
    local runs="$1" reset="$2" best=999 t
    shift 2
    for _ in $(seq "$runs"); do
        eval "$reset"
        t=$(seconds "$@")
        best=$(echo "if ($t < $best) $t else $best" | bc -l)
    done
    echo "$best"
}
