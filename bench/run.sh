#!/usr/bin/env bash
# Throughput and memory benchmark of torvelin on a large log. Not part of CI.
#
# Usage: bench/run.sh [PROGRAM [LOG.xz]]
#   PROGRAM  the program to measure (default: build/release/torvelin in the repository)
#   LOG.xz   the xz-packed log (default: ../shared/bench/mixed-50MB.log.xz beside the
#            repository, or $TORVELIN_BENCH_LOG when set)
# Environment: BENCH_RUNS, timed runs per command after one warm-up run (default 10, at least 5).
#   BENCH_BEFORE, an older build of the program: it is then timed side by side with PROGRAM, the
#   two run in turn BENCH_RUNS times each, and the cost of PROGRAM against it is printed.
set -euo pipefail

root="$(cd -- "$(dirname -- "${BASH_SOURCE[0]}")/.." && pwd -P)"

fail() {
    printf 'bench: %s\n' "$*" >&2
    exit 1
}

# Absolute form of a path given relative to the caller's folder.
absolute() {
    realpath -m -- "$1"
}

# A word quoted for sh, the shell hyperfine runs its commands with.
sh_quote() {
    local squote="'"
    printf "'%s'" "${1//"$squote"/"'\\''"}"
}

program="$(absolute "${1:-$root/build/release/torvelin}")"
log="$(absolute "${2:-${TORVELIN_BENCH_LOG:-$root/../shared/bench/mixed-50MB.log.xz}}")"
runs="${BENCH_RUNS:-10}"

if ! [[ "$runs" =~ ^[0-9]+$ ]] || ((10#$runs < 5)); then
    fail "BENCH_RUNS must be a whole number of at least 5 (got '$runs')"
fi
runs=$((10#$runs))
[[ -x "$program" && -f "$program" ]] || fail "no program at $program (build it: cmake --preset release && cmake --build --preset release --target torvelin)"
[[ -f "$log" ]] || fail "no log at $log"
before=""
if [[ -n "${BENCH_BEFORE:-}" ]]; then
    before="$(absolute "$BENCH_BEFORE")"
    [[ -x "$before" && -f "$before" ]] || fail "no program at $before (BENCH_BEFORE)"
fi

command -v hyperfine >/dev/null || fail "hyperfine is missing; install it with: sudo apt-get install hyperfine"
[[ -x /usr/bin/time ]] || fail "/usr/bin/time is missing; install it with: sudo apt-get install time"
command -v xz >/dev/null || fail "xz is missing; install it with: sudo apt-get install xz-utils"
command -v python3 >/dev/null || fail "python3 is missing; install it with: sudo apt-get install python3"

tmp="$(mktemp -d "${TMPDIR:-/tmp}/torvelin-bench.XXXXXX")"
trap 'rm -rf -- "$tmp"' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

echo "unpacking $log ..." >&2
xz -dc -- "$log" >"$tmp/chat.log"

lines="$(wc -l <"$tmp/chat.log")"
bytes="$(wc -c <"$tmp/chat.log")"

# The program reads chat.log and writes its pages in its working folder.
cd "$tmp"

# One run under /usr/bin/time in the folder `$1`, on its chat.log: checks the program succeeds and
# prints its peak resident memory in kB.
peak_memory() {
    if ! (cd "$1" && /usr/bin/time -v -o time.txt "$program" </dev/null >program-output.txt 2>&1); then
        cat "$1/program-output.txt" >&2
        grep -E '^Command (exited|terminated)' "$1/time.txt" >&2 || true
        fail "the program failed on $1/chat.log"
    fi
    local rss
    rss="$(sed -n 's/^[[:space:]]*Maximum resident set size (kbytes):[[:space:]]*//p' "$1/time.txt")"
    [[ "$rss" =~ ^[0-9]+$ ]] || fail "no 'Maximum resident set size' in the output of /usr/bin/time -v"
    echo "$rss"
}

echo "measuring peak memory ..." >&2
rss_kb="$(peak_memory "$tmp")"
# A log of two evenings: the log twice, end to end.
mkdir "$tmp/two-evenings"
cat "$tmp/chat.log" "$tmp/chat.log" >"$tmp/two-evenings/chat.log"
rss_two_kb="$(peak_memory "$tmp/two-evenings")"
rm -rf "$tmp/two-evenings"

echo "timing $runs runs each of torvelin and wc -l ..." >&2
if ! hyperfine --style basic --warmup 1 --runs "$runs" \
    --export-json "$tmp/hyperfine.json" \
    -n torvelin "$(sh_quote "$program") </dev/null >/dev/null 2>&1" \
    -n "wc -l" "wc -l chat.log </dev/null >/dev/null 2>&1" \
    >"$tmp/hyperfine.txt" 2>&1; then
    cat "$tmp/hyperfine.txt" >&2
    fail "hyperfine failed"
fi

python3 - "$tmp/hyperfine.json" "$lines" "$bytes" "$rss_kb" "$rss_two_kb" <<'PY'
import json
import sys

path, lines, size = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
rss_kb, rss_two_kb = int(sys.argv[4]), int(sys.argv[5])
with open(path, encoding="utf-8") as f:
    results = {r["command"]: r for r in json.load(f)["results"]}
program, wc = results["torvelin"], results["wc -l"]
t_program, t_wc = program["median"], wc["median"]

print(f"log: {lines} lines, {size / 1e6:.1f} MB")
print(f"torvelin: {t_program:.3f} s (median of {len(program['times'])})")
print(f"wc -l:    {t_wc:.3f} s (median of {len(wc['times'])})")
print(f"ratio:    {t_program / t_wc:.1f}" if t_wc > 0 else "ratio:    n/a")
print(f"lines/s:  {lines / t_program:.0f}" if t_program > 0 else "lines/s:  n/a")
print(f"peak RSS: {rss_kb * 1024 / 1e6:.1f} MB")
print(f"peak RSS: {rss_two_kb * 1024 / 1e6:.1f} MB on the log twice (two evenings)")
PY

if [[ -n "$before" ]]; then
    echo "timing $runs runs each of both programs, in turn ..." >&2
    # Each round runs both programs, the first of them changing from round to round, so that the
    # machine's changes of speed weigh on both alike.
    python3 - "$before" "$program" "$runs" <<'PY'
import statistics
import subprocess
import sys
import time

before, program, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
times = {before: [], program: []}


def run(path):
    start = time.perf_counter()
    subprocess.run([path], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL, check=True)
    return time.perf_counter() - start


run(before)
run(program)
for i in range(runs):
    for path in ((before, program) if i % 2 == 0 else (program, before)):
        times[path].append(run(path))
old, new = times[before], times[program]
ratios = [n / o for o, n in zip(old, new)]
print(f"before:   {statistics.median(old):.3f} s (median of {runs}), fastest {min(old):.3f} s")
print(f"now:      {statistics.median(new):.3f} s (median of {runs}), fastest {min(new):.3f} s")
print(f"cost:     {100 * (statistics.median(new) / statistics.median(old) - 1):+.1f}% by the "
      f"medians, {100 * (min(new) / min(old) - 1):+.1f}% by the fastest runs, "
      f"{100 * (statistics.median(ratios) - 1):+.1f}% by the median of the pairs")
PY
fi
