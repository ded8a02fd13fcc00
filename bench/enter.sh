#!/usr/bin/env bash
# Enter with full tables, under Xvfb + openbox and offscreen: see bench/bench_enter.cpp.
# Usage: bench/enter.sh [build dir, default build/release] [rounds, default 400]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
rounds=${2:-400}
source bench/xsession.sh
"$build/bench/bench_enter" "$rounds"
QT_QPA_PLATFORM=offscreen "$build/bench/bench_enter" "$rounds"
