#!/usr/bin/env bash
# Builds the calculator (Release) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release --target zorbic
exec build/release/shell/zorbic "$@"
