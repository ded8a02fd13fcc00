#!/usr/bin/env bash
# Builds everything (Debug) and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build=${ZORBIC_BUILD_DIR:-build/debug}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZORBIC_WERROR=ON "$@" >/dev/null
cmake --build "$build"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"
ctest --test-dir "$build" --output-on-failure -j2
