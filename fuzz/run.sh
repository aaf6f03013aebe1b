#!/usr/bin/env bash
# Runs each built fuzzer (or only those named) for FUZZ_SECONDS seconds, with its dictionary
# and seed inputs where it has them. New inputs collect in $FUZZ_BUILD/corpus/<name>/.
set -euo pipefail
build=${FUZZ_BUILD:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
for fuzzer in "$build"/fuzz/*Fuzzer; do
    name=$(basename "$fuzzer")
    if [ $# -gt 0 ] && [[ " $* " != *" $name "* ]]; then
        continue
    fi
    corpus="$build/corpus/$name"
    mkdir -p "$corpus"
    args=(-max_total_time="$seconds")
    seeds=()
    case $name in
        ProjectFileFuzzer) args+=(-dict=fuzz/project_file.dict); seeds=(examples/sample) ;;
        ArchiveReaderFuzzer) "$build/fuzz/ArchiveReaderSeeds" "$corpus" ;;
        SearchIndexFuzzer) "$build/fuzz/SearchIndexSeeds" "$corpus" ;;
    esac
    echo "== $name"
    "$fuzzer" "${args[@]}" "$corpus" "${seeds[@]}"
done
