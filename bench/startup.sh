#!/usr/bin/env bash
# Start-up of the quodlin window against a minimal Qt Widgets program started the same way: the
# time from starting the process to its first painted window, and its peak memory (max RSS),
# each the median of RUNS runs, with the ratio quodlin / minimal (target: within 1.3). The same
# window with one label is measured too: its first text is what starts the font system, which
# the empty window never pays and any window with words does.
#
# Both programs tell their first paint with a line "painted" on standard output and then end by
# themselves: quodlin does so when the environment variable QUODLIN_QUIT_WHEN_SHOWN is set, a
# switch kept for this script. The time to that line is the start-up; the time to the end of the
# process, which adds the shut-down (quodlin stores its settings then), is printed beside it.
# Both run with an empty settings store and an empty home directory, on the display in DISPLAY,
# or under xvfb-run when there is none.
#
# Usage: bench/startup.sh [RUNS]    (RUNS defaults to 15; build/ must hold a build)
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS="${1:-15}"
if [ -z "${DISPLAY:-}" ] && [ -z "${QUODLIN_BENCH_UNDER_X:-}" ]; then
    exec env QUODLIN_BENCH_UNDER_X=1 xvfb-run -a "$0" "$@"
fi

PROGRAM=build/ui/quodlin
MINIMAL=build/bench/minimal_window
if [ ! -x "$PROGRAM" ]; then
    echo "build the program first: ./scripts/build.sh" >&2
    exit 1
fi
cmake --build build -j2 --target minimal_window > /dev/null

SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
mkdir -p "$SCRATCH/home" "$SCRATCH/config"

/usr/bin/python3 - "$RUNS" "$SCRATCH" "$MINIMAL" "$PROGRAM" <<'PYTHON'
import os
import statistics
import sys
import time

runs, scratch, minimal, program = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
env = dict(os.environ, HOME=scratch + "/home", XDG_CONFIG_HOME=scratch + "/config",
           QUODLIN_QUIT_WHEN_SHOWN="1", QT_QPA_PLATFORM="xcb")


def measure(command):
    """Seconds to the first paint and to the end, and the peak memory in KiB, of one run."""
    path = command[0]
    reader, writer = os.pipe()
    actions = [(os.POSIX_SPAWN_DUP2, writer, 1), (os.POSIX_SPAWN_CLOSE, reader)]
    started = time.perf_counter()
    pid = os.posix_spawn(path, command, env, file_actions=actions)
    os.close(writer)
    with os.fdopen(reader) as output:
        if output.readline() != "painted\n":
            sys.exit(f"{path} did not tell its first paint")
        painted = time.perf_counter() - started
        output.read()
    _, status, usage = os.wait4(pid, 0)
    ended = time.perf_counter() - started
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{path} ended with status {os.waitstatus_to_exitcode(status)}")
    return painted, ended, usage.ru_maxrss


def medians(command):
    measure(command)  # the first run warms the file cache
    samples = [measure(command) for _ in range(runs)]
    return [statistics.median(s[i] for s in samples) for i in range(3)]


base = medians([minimal])
labelled = medians([minimal, "--label"])
taken = medians([program])
print(f"median of {runs} runs     to first paint      to the end     max RSS")
rows = (("minimal Qt Widgets", base), ("  with one label", labelled), ("quodlin", taken))
for name, (paint, end, rss) in rows:
    print(f"{name:18} {paint * 1000:12.1f} ms {end * 1000:12.1f} ms {rss / 1024:7.1f} MiB")
for name, against in (("ratio", base), ("  to the label", labelled)):
    ratios = [t / b for t, b in zip(taken, against)]
    print(f"{name:18} {ratios[0]:12.2f}    {ratios[1]:12.2f}    {ratios[2]:7.2f}")
PYTHON
