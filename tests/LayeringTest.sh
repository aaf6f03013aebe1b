#!/usr/bin/env bash
# Checks the layers of the source tree as SRC_DIR/Layers.txt lists them: a file includes only
# its own layer or lower ones, the byte formats need nothing but platform/ and common/, no core
# file includes Qt, and the wizard's rules (wizard/core/) include neither Qt nor the wizard's
# windows.
#
#   LayeringTest.sh SRC_DIR     check a tree; prints each offending include, exit 1 on any
#   LayeringTest.sh --self-test check that a planted wrong include and a Qt include are found
set -uo pipefail

layers_file=$(cd "$(dirname "$0")/../src" && pwd)/Layers.txt
declare -A layer_number=([nbx]=0) # nbx/: the public extension interface in include/
core_top=0

# Reads the layer of every folder: its line in Layers.txt, counted from 0.
read_layers() {
    local number=0 word first
    while read -r first rest; do
        [[ -z $first || $first == \#* ]] && continue
        for word in $first $rest; do
            [ "$word" = core ] && core_top=$number && continue
            layer_number[$word]=$number
        done
        number=$((number + 1))
    done <"$1"
}

layer_of() {
    echo "${layer_number[$1]:-}"
}

check_tree() {
    local src=$1 failures=0 file dir target line layer target_layer
    while IFS= read -r file; do
        dir=${file#"$src"/}
        dir=${dir%%/*}
        layer=$(layer_of "$dir")
        local rules=0
        [[ $file == "$src"/wizard/core/* ]] && rules=1
        if [ -z "$layer" ]; then
            echo "$file: folder '$dir' has no layer"
            failures=$((failures + 1))
            continue
        fi
        while IFS= read -r line; do
            if [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\"([a-z]+)/ ]]; then
                target=${BASH_REMATCH[1]}
                target_layer=$(layer_of "$target")
                if [ -z "$target_layer" ] || [ "$target_layer" -gt "$layer" ]; then
                    echo "$file: $dir/ may not include $target/: $line"
                    failures=$((failures + 1))
                elif [ "$dir" = format ] && [[ $target != format && $target != platform && $target != common ]]; then
                    echo "$file: format/ needs platform/ and common/ only: $line"
                    failures=$((failures + 1))
                elif [ $rules = 1 ] && [[ $line =~ \"wizard/ ]] && [[ ! $line =~ \"wizard/core/ ]]; then
                    echo "$file: the wizard's rules do not include its windows: $line"
                    failures=$((failures + 1))
                fi
            elif [[ $line =~ ^[[:space:]]*#[[:space:]]*include[[:space:]]*\<Q ]] && { [ "$layer" -le "$core_top" ] || [ $rules = 1 ]; }; then
                echo "$file: the core includes no Qt: $line"
                failures=$((failures + 1))
            fi
        done <"$file"
    done < <(find "$src" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
    return $((failures > 0))
}

self_test() {
    local tmp
    tmp=$(mktemp -d)
    trap 'rm -rf "$tmp"' RETURN
    mkdir -p "$tmp/src/platform" "$tmp/src/common" "$tmp/src/format" "$tmp/src/compile" \
        "$tmp/src/wizard/core"
    printf '#include "platform/A.h"\n' >"$tmp/src/common/Good.h"
    printf '#include "format/B.h"\n#include "common/Good.h"\n' >"$tmp/src/compile/Good.cpp"
    if ! check_tree "$tmp/src" >/dev/null; then
        echo "self-test: a tree with good includes was refused"
        return 1
    fi
    printf '#include "project/Project.h"\n' >"$tmp/src/platform/Wrong.h"
    printf '#include "project/Project.h"\n' >"$tmp/src/format/Wrong.h"
    printf '#include <QString>\n' >"$tmp/src/compile/Wrong.cpp"
    printf '#include <QWidget>\n#include "wizard/core/Ok.h"\n#include "wizard/Window.h"\n' \
        >"$tmp/src/wizard/core/Wrong.cpp"
    local out
    out=$(check_tree "$tmp/src")
    local status=$?
    if [ $status -eq 0 ] || [ "$(grep -c . <<<"$out")" -ne 5 ]; then
        echo "self-test: expected five findings, got:"
        echo "$out"
        return 1
    fi
    echo "self-test: the five planted includes were found:"
    echo "$out"
}

read_layers "$layers_file"
if [ "${1:-}" = --self-test ]; then
    self_test
else
    check_tree "${1:?usage: LayeringTest.sh SRC_DIR | --self-test}"
fi
