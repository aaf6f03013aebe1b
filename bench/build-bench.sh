#!/usr/bin/env bash
# The build benchmarks, each against a standard tool on the same data in the same run, as
# medians of RUNS runs (default 5) and their ratios:
#   - `tamselc build` of a generated book of 2,000 pages and 300 pictures (about 96 MB)
#     against `zip -r -6 -q` of the same folder, on every core and with --jobs 1;
#   - the 20 items of a Build Series of that book against 20 `cp` of the book (and, for
#     reference, 20 `cp` followed by `sync` of the copies: the series flushes its items to
#     disk at its end);
#   - `tamselc extract` of the book against `unzip -q` of a zip of the same files;
#   - the peak memory of each (/usr/bin/time).
# HUGE_MB=N adds the peak memory of building a book of one N MB page.
#   bench/build-bench.sh [BUILD_DIR] [CORPUS_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
corpus=${2:-${TMPDIR:-/tmp}/nbx-book-corpus}
runs=${RUNS:-5}
items=20
for tool in zip unzip bc /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "$tool is needed: scripts/install-deps.sh" >&2; exit 1; }
done
cmake --build "$build" --target MakeBookCorpus tamselc >/dev/null
if [ ! -f "$corpus/book.nxp" ]; then
    "$build/bench/MakeBookCorpus" "$corpus"
fi
tamselc=$(realpath "$build/program/tamselc")
cd "$corpus"

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
seconds() { local s=$EPOCHREALTIME; "$@" >/dev/null 2>&1; echo "$EPOCHREALTIME - $s" | bc; }
ratio() { echo "scale=2; $1 / $2" | bc; }
peak_mb() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1 | awk '{printf "%.1f", $1 / 1024}'; }

# The series' own items: from the opening of the series window to its result message, which
# follows the flush of the items to disk.
series_items() {
    local start="" end="" line
    while IFS= read -r line; do
        case "$line" in
            "Build Series (Ctrl+C"*) start=$EPOCHREALTIME ;;
            "Build Series Successful:"*) end=$EPOCHREALTIME ;;
        esac
    done < <("$tamselc" series series.nxp --variable Number --first 1 --last "$items" --yes \
                 --output "$corpus/series/book.exe" 2>&1 >/dev/null)
    echo "$end - $start" | bc
}
copies() {
    for i in $(seq "$items"); do cp book.exe "copies/book$i.exe"; done
    if [ "${1:-}" = sync ]; then sync copies/book*.exe; fi
}

rm -f book.zip
zip -r -6 -q book.zip source
cp book.nxp series.nxp
"$tamselc" var series.nxp add Number --value 0 --rebrand off >/dev/null
mkdir -p series copies

builds=() one=() zips=() series=() cps=() cpsyncs=() extract=() unzips=()
for _ in $(seq "$runs"); do
    rm -f book.exe; builds+=("$(seconds "$tamselc" build book.nxp --yes)")
    rm -f book.exe; one+=("$(seconds "$tamselc" build book.nxp --yes --jobs 1)")
    rm -f zipped.zip; zips+=("$(seconds zip -r -6 -q zipped.zip source)")
    rm -f series/*; series+=("$(series_items)")
    rm -f copies/*; cps+=("$(seconds copies)")
    rm -f copies/*; cpsyncs+=("$(seconds copies sync)")
    rm -rf extracted; extract+=("$(seconds "$tamselc" extract book.exe extracted)")
    rm -rf unzipped; unzips+=("$(seconds unzip -q book.zip -d unzipped)")
done
m() { printf '%s\n' "$@" | median; }
b=$(m "${builds[@]}") o=$(m "${one[@]}") z=$(m "${zips[@]}") s=$(m "${series[@]}")
c=$(m "${cps[@]}") cs=$(m "${cpsyncs[@]}") e=$(m "${extract[@]}") u=$(m "${unzips[@]}")

echo "source: $(du -sm source | cut -f1) MB in $(ls source | wc -l) files; e-book $(($(stat -c %s book.exe) / 1000000)) MB; $(nproc) cores; load before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "medians of $runs runs:"
echo "  tamselc build          $b s   zip -r -6 -q $z s   build / zip $(ratio "$b" "$z")"
echo "  tamselc build --jobs 1 $o s                      build / zip $(ratio "$o" "$z") (one core)"
echo "  series, $items items      $s s   $items x cp $c s       series / cp $(ratio "$s" "$c")   ($items x cp + sync $cs s: $(ratio "$s" "$cs"))"
echo "  tamselc extract        $e s   unzip -q $u s      extract / unzip $(ratio "$e" "$u")"
rm -f book.exe
echo "peak memory: build $(peak_mb "$tamselc" build book.nxp --yes) MB, --jobs 1 $(peak_mb "$tamselc" build book.nxp --yes --jobs 1) MB, series $(rm -f series/*; peak_mb "$tamselc" series series.nxp --variable Number --first 1 --last "$items" --yes --output "$corpus/series/book.exe") MB, extract $(rm -rf extracted; peak_mb "$tamselc" extract book.exe extracted) MB"
if [ "${HUGE_MB:-0}" -gt 0 ]; then
    mkdir -p huge/source
    head -c "${HUGE_MB}M" <(while :; do cat source/*.html; done) > huge/source/index.html
    "$tamselc" new huge/huge.nxp --folder huge/source --output "$corpus/huge/huge.exe" >/dev/null
    "$tamselc" set huge/huge.nxp splashBitmap= >/dev/null
    echo "peak memory, one page of $HUGE_MB MB: build $(peak_mb "$tamselc" build huge/huge.nxp --yes) MB (e-book $(($(stat -c %s huge/huge.exe) / 1000000)) MB)"
    rm -rf huge
fi
rm -rf series copies extracted unzipped zipped.zip series.nxp
