#!/usr/bin/env bash
# Copies examples/sample as a fresh clone has it (the files the repository tracks, when it is
# a git checkout) and builds it with tamselc: every folder the project names must be there.
#
#   SampleBookTest.sh SOURCE_DIR PROGRAM_DIR
set -uo pipefail
source_dir=$1
programs=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
if git -C "$source_dir" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    (cd "$source_dir" && git ls-files -z examples/sample | xargs -0 cp --parents -t "$tmp")
else
    mkdir -p "$tmp/examples" && cp -r "$source_dir/examples/sample" "$tmp/examples/"
    rm -rf "$tmp/examples/sample/output/"[!.]*
fi
export NBX_CONFIG_DIR=$tmp/config
"$programs/tamselc" build "$tmp/examples/sample/sample.nxp" --yes ||
    { echo "FAIL: the sample does not build from a fresh copy"; exit 1; }
[ -x "$tmp/examples/sample/output/garden" ] || { echo "FAIL: no examples/sample/output/garden"; exit 1; }
echo "built $tmp/examples/sample/output/garden"
