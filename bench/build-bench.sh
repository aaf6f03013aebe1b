#!/usr/bin/env bash
# The build benchmark: `tamselc build` of a generated book of 2,000 pages and 300 pictures
# (about 100 MB) against `zip -r -6 -q` of the same folder, in one run. Prints the median of
# RUNS runs of each, their ratio, and the build's peak memory.
#   bench/build-bench.sh [BUILD_DIR] [CORPUS_DIR]      (RUNS=3 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
corpus=${2:-${TMPDIR:-/tmp}/nbx-book-corpus}
runs=${RUNS:-3}
command -v zip >/dev/null || { echo "zip is needed: apt-get install zip" >&2; exit 1; }
cmake --build "$build" --target MakeBookCorpus tamselc >/dev/null
if [ ! -f "$corpus/book.nxp" ]; then
    "$build/bench/MakeBookCorpus" "$corpus"
fi

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
seconds() { local s e; s=$(date +%s.%N); "$@" >/dev/null; e=$(date +%s.%N); echo "$e - $s" | bc; }

build_times=() zip_times=()
for _ in $(seq "$runs"); do
    build_times+=("$(seconds "$build/program/tamselc" build "$corpus/book.nxp")")
    rm -f "$corpus/book.zip"
    zip_times+=("$(seconds bash -c "cd '$corpus' && zip -r -6 -q book.zip source")")
done
build_median=$(printf '%s\n' "${build_times[@]}" | median)
zip_median=$(printf '%s\n' "${zip_times[@]}" | median)
peak_kb=$(/usr/bin/time -f %M "$build/program/tamselc" build "$corpus/book.nxp" 2>&1 >/dev/null | tail -1)

echo "source:        $(du -sm "$corpus/source" | cut -f1) MB in $(ls "$corpus/source" | wc -l) files"
echo "e-book:        $(( $(stat -c %s "$corpus/book.exe") / 1000000 )) MB; zip: $(( $(stat -c %s "$corpus/book.zip") / 1000000 )) MB"
echo "tamselc build: ${build_median} s (median of $runs)"
echo "zip -r -6 -q:  ${zip_median} s (median of $runs)"
echo "ratio build/zip: $(echo "scale=2; $build_median / $zip_median" | bc)"
echo "build peak memory: $(( peak_kb / 1024 )) MB"
