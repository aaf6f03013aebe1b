#!/usr/bin/env bash
# Runs the real nbxkwik on a virtual X display and drives it with the keyboard, as a person
# would: type a project name, choose the type with the arrow keys, Enter for OK (first with a
# folder too long to remember, which a message refuses), Enter through the wizard's pages, Alt+Y to leave out the instructions, Enter for Finish and for the
# success message. The project folder must then exist with its project file.
#
#   KeyboardDriveTest.sh PATH_TO_NBXKWIK
set -uo pipefail
nbxkwik=${1:?usage: KeyboardDriveTest.sh PATH_TO_NBXKWIK}

tmp=$(mktemp -d)
xvfb_pid=""
kwik_pid=""
cleanup() {
    [ -n "$kwik_pid" ] && kill "$kwik_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$tmp"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    [ -f "$tmp/kwik.err" ] && cat "$tmp/kwik.err"
    exit 1
}

# A free display: Xvfb picks one and writes its number to a descriptor.
exec 3>"$tmp/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$tmp/display" ] && break
    sleep 0.1
done
exec 3>&-
[ -s "$tmp/display" ] || fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
export DISPLAY=":$(head -n1 "$tmp/display")"

mkdir -p "$tmp/config" "$tmp/work" "$tmp/bin"
printf '[NBXKWIK]\nFOLDER=%s\n' "$tmp/work" >"$tmp/config/nbxconfig.ini"
# A document that would be opened is written down instead of reaching a browser.
printf '#!/bin/sh\necho "$1" >>"%s/opened"\n' "$tmp" >"$tmp/bin/xdg-open"
chmod +x "$tmp/bin/xdg-open"
PATH="$tmp/bin:$PATH" NBX_CONFIG_DIR="$tmp/config" QT_QPA_PLATFORM=xcb "$nbxkwik" \
    >"$tmp/kwik.out" 2>"$tmp/kwik.err" &
kwik_pid=$!

# Waits for a window whose title matches, and gives it the keyboard; the newest one when
# several match (a message box carries its dialog's title).
focus() {
    local id=""
    for _ in $(seq 150); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n1)
        [ -n "$id" ] && break
        sleep 0.1
    done
    [ -n "$id" ] || fail "no window '$1'"
    xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
    sleep 0.3
}

keys() { xdotool key --delay 60 "$@"; }

# The windows whose title matches, counted.
count() { xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l; }

# True once exactly $2 windows match $1, within a while (a slow build draws slowly).
has_count() {
    for _ in $(seq 100); do
        [ "$(count "$1")" -eq "$2" ] && return 0
        sleep 0.1
    done
    return 1
}

focus "^Nimbrel Quick Project$"
xdotool type --delay 60 "Key Book"
# A folder of fewer than 255 characters but more than 255 bytes: OK shows the message over
# the dialog, Return closes it, and the folder typed again goes on.
# xdotool types a letter the keymap lacks by binding it to a spare key for a moment, so a
# program slower than the typing (as under the sanitizers) reads those letters after the
# binding is gone: they go slowly.
keys Tab ctrl+a
xdotool type --delay 5 "$tmp/work/$(printf 'a%.0s' $(seq 150))/"
xdotool type --delay 80 "$(printf '\xc3\xa9%.0s' $(seq 60))"
keys Tab Tab Down Up Return    # folder -> Browse -> type list; the first type; OK
has_count "^Nimbrel Quick Project$" 2 || fail "no message over the dialog for the long folder"
[ "$(count "^Step 1 of 4")" -eq 0 ] || fail "the wizard opened for a folder over 255 bytes"
focus "^Nimbrel Quick Project$"
keys Return                    # closes the message; the focus is back on the folder
has_count "^Nimbrel Quick Project$" 1 || fail "the message did not close"
keys ctrl+a
xdotool type --delay 20 "$tmp/work"
keys Tab Tab Return            # folder -> Browse -> type list (the first type stays); OK
focus "^Step 1 of 4 - E-Book Info$"
keys Return                    # Next
focus "^Step 2 of 4 - Splash Screen$"
keys Return
focus "^Step 3 of 4 - User Interface Options$"
keys Return
focus "^Step 4 of 4 - The Next Stage$"
keys alt+y                     # no instructions
sleep 0.3
keys Return                    # Finish
sleep 0.5
focus "^Nimbrel Quick Project$"   # the success message over the first dialog
keys Return

for _ in $(seq 100); do
    kill -0 "$kwik_pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$kwik_pid" 2>/dev/null && fail "nbxkwik is still running"
wait "$kwik_pid"
status=$?
kwik_pid=""
[ "$status" -eq 0 ] || fail "nbxkwik exited with $status"
[ -f "$tmp/work/Key Book/keybook.nxp" ] || fail "no project file in $(ls -R "$tmp/work")"
grep -qx "FOLDER=$tmp/work" "$tmp/config/nbxconfig.ini" || fail "remembered: $(cat "$tmp/config/nbxconfig.ini")"
[ ! -e "$tmp/work/$(printf 'a%.0s' $(seq 150))" ] || fail "the long folder was made"
[ -d "$tmp/work/Key Book/include" ] || fail "no include folder for the first type"
[ ! -e "$tmp/work/Key Book/readme.htm" ] || fail "instructions were written"
[ ! -e "$tmp/opened" ] || fail "a document was opened: $(cat "$tmp/opened")"
echo "the keyboard made $tmp/work/Key Book"
