#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time (seconds, default 60).
# Any crash, leak or sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build/fuzz
CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZORBIC_FUZZ=ON -DZORBIC_GUI=OFF -DZORBIC_BENCH=OFF >/dev/null
cmake --build "$build"
status=0
for target in "$build"/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="$build/corpus/$name"
    mkdir -p "$corpus"
    seeds=fuzz/seeds/${name#fuzz_}
    echo "== $name for ${seconds}s"
    args=("$corpus")
    [ -d "$seeds" ] && args+=("$seeds")
    if ! "$target" -max_total_time="$seconds" -max_len=40000 -timeout=10 -rss_limit_mb=4096 \
        -artifact_prefix="$build/" -print_final_stats=1 "${args[@]}" 2>"$build/$name.log"; then
        tail -n 60 "$build/$name.log"
        status=1
    else
        grep -E '^stat::number_of_executed_units' "$build/$name.log" || true
    fi
done
exit $status
