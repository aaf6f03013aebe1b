#!/usr/bin/env bash
# Generates a source folder of 20,000 files (once) and runs the scan benchmark on it.
#   bench/scan-bench.sh [BUILD_DIR] [CORPUS_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
corpus=${2:-${TMPDIR:-/tmp}/nbx-scan-corpus}
cmake --build "$build" --target MakeSourceCorpus ScanBench >/dev/null
if [ ! -d "$corpus" ]; then
    "$build/bench/MakeSourceCorpus" "$corpus" 20000
fi
"$build/bench/ScanBench" "$corpus"
