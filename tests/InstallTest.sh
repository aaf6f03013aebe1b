#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the tree: the program folder under
# lib/tamsel, working links in bin, the desktop entries with their icons and the project
# file type.
#
#   InstallTest.sh BUILD_DIR
set -uo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }

for file in tamsel tamselc eview rebrand ehelp userguide eview.dat rebrand.dat toolbar.tb \
    translat.dat English.lng splash16.bmp icons/Books/idr_main.ico; do
    [ -e "$prefix/lib/tamsel/$file" ] || fail "lib/tamsel/$file missing"
done
for program in tamsel tamselc; do
    link="$prefix/bin/$program"
    [ -L "$link" ] || fail "bin/$program is not a link"
    [ "$(readlink "$link")" = "../lib/tamsel/$program" ] || fail "bin/$program points elsewhere"
    [ -x "$link" ] || fail "bin/$program does not reach a program"
done
# The wizard, when it is built, is linked and has its desktop entry too.
if [ -e "$build/program/nbxkwik" ]; then
    [ "$(readlink "$prefix/bin/nbxkwik")" = "../lib/tamsel/nbxkwik" ] || fail "bin/nbxkwik"
    grep -q '^Exec=nbxkwik$' "$prefix/share/applications/nbxkwik.desktop" ||
        fail "nbxkwik.desktop"
fi
# The console compiler runs through its link and finds its data files in lib/tamsel.
"$prefix/bin/tamselc" lang --check English | grep -q "^$prefix/lib/tamsel/English.lng: " ||
    fail "bin/tamselc does not find lib/tamsel"

# Each desktop entry names an icon that is installed at every size of the icon theme, as a
# PNG picture of that size.
png_size() { od -An -tu4 --endian=big -j16 -N8 "$1" | awk '{print $1 "x" $2}'; }
for program in tamsel nbxkwik; do
    [ "$program" = tamsel ] || [ -e "$build/program/nbxkwik" ] || continue
    grep -q "^Icon=$program\$" "$prefix/share/applications/$program.desktop" ||
        fail "$program.desktop does not name its icon"
    for size in 16 22 24 32 48 64 128 256; do
        icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$program.png"
        if [ ! -s "$icon" ]; then
            fail "no ${size}x${size} icon for $program"
        elif [ "$(png_size "$icon")" != "${size}x${size}" ]; then
            fail "$icon is $(png_size "$icon")"
        fi
    done
done

desktop="$prefix/share/applications/tamsel.desktop"
grep -q '^Exec=tamsel %f$' "$desktop" || fail "tamsel.desktop Exec"
grep -q '^MimeType=application/x-nimbrel-project;$' "$desktop" || fail "tamsel.desktop MimeType"
mime="$prefix/share/mime/packages/nimbrel-project.xml"
grep -q '<glob pattern="\*.nxp"/>' "$mime" || fail "mime glob"
grep -q '<comment>Nimbrel E-Book Project</comment>' "$mime" || fail "mime comment"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "tamsel.desktop does not validate"
fi
exit $((failures > 0))
