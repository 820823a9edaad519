#!/usr/bin/env bash
# Builds the fuzz target (preset "fuzz", clang++) and fuzzes the program for SECONDS (default 60)
# on a corpus seeded from the example log and the end-to-end test logs.
#
#     fuzz/run.sh [SECONDS] [LIBFUZZER_FLAGS...]
#
# Fails on any crash, leak, hang or sanitizer report; the input that caused it is written to
# build/fuzz/artifacts/. The corpus grows in build/fuzz/corpus/ from one run to the next.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
if [[ $# -gt 0 ]]; then
    shift
fi

cmake --preset fuzz
cmake --build --preset fuzz -j2

build=$PWD/build/fuzz
corpus=$build/corpus
artifacts=$build/artifacts
mkdir -p "$corpus" "$artifacts"
cp examples/chat.log "$corpus/seed-example.log"
for log in tests/e2e/data/*/chat.log; do
    cp "$log" "$corpus/seed-$(basename "$(dirname "$log")").log"
done

# The target runs the program in a private temporary folder; every path given here is absolute.
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/torvelin_fuzz" \
    -max_total_time="$seconds" \
    -dict="$PWD/fuzz/torvelin.dict" \
    -max_len=4096 \
    -timeout=10 \
    -detect_leaks=1 \
    -artifact_prefix="$artifacts/" \
    -print_final_stats=1 \
    "$@" \
    "$corpus"
