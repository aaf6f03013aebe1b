#!/usr/bin/env bash
# Runs the real nbxkwik on a virtual X display and drives it with the keyboard, as a person
# would: type a project name, choose the type with the arrow keys, Enter for OK (first with a
# folder too long to remember, which a message refuses), Enter through the wizard's pages,
# Alt+Y to leave out the instructions, Enter for Finish and for the success message. The
# project folder must then exist with its project file.
#
#   KeyboardDriveTest.sh PATH_TO_NBXKWIK
nbxkwik=${1:?usage: KeyboardDriveTest.sh PATH_TO_NBXKWIK}
source "$(dirname "$0")/../support/xdrive.sh"
xd_start_display

tmp=$xd_tmp
mkdir -p "$tmp/config" "$tmp/work" "$tmp/bin"
printf '[NBXKWIK]\nFOLDER=%s\n' "$tmp/work" >"$tmp/config/nbxconfig.ini"
# A document that would be opened is written down instead of reaching a browser.
printf '#!/bin/sh\necho "$1" >>"%s/opened"\n' "$tmp" >"$tmp/bin/xdg-open"
chmod +x "$tmp/bin/xdg-open"
xd_log="$tmp/kwik.err"
PATH="$tmp/bin:$PATH" NBX_CONFIG_DIR="$tmp/config" QT_QPA_PLATFORM=xcb "$nbxkwik" \
    >"$tmp/kwik.out" 2>"$tmp/kwik.err" &
kwik_pid=$!
xd_track "$kwik_pid"

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

xd_focus "^Nimbrel Quick Project$"
xdotool type --delay 60 "Key Book"
# A folder of fewer than 255 characters but more than 255 bytes: OK shows the message over
# the dialog, Return closes it, and the folder typed again goes on.
# xdotool types a letter the keymap lacks by binding it to a spare key for a moment, so a
# program slower than the typing (as under the sanitizers) reads those letters after the
# binding is gone: they go slowly.
xd_keys Tab ctrl+a
xdotool type --delay 5 "$tmp/work/$(printf 'a%.0s' $(seq 150))/"
xdotool type --delay 80 "$(printf '\xc3\xa9%.0s' $(seq 60))"
xd_keys Tab Tab Down Up Return    # folder -> Browse -> type list; the first type; OK
has_count "^Nimbrel Quick Project$" 2 || xd_fail "no message over the dialog for the long folder"
[ "$(count "^Step 1 of 4")" -eq 0 ] || xd_fail "the wizard opened for a folder over 255 bytes"
xd_focus "^Nimbrel Quick Project$"
xd_keys Return                    # closes the message; the focus is back on the folder
has_count "^Nimbrel Quick Project$" 1 || xd_fail "the message did not close"
xd_keys ctrl+a
xdotool type --delay 20 "$tmp/work"
xd_keys Tab Tab Return            # folder -> Browse -> type list (the first type stays); OK
xd_focus "^Step 1 of 4 - E-Book Info$"
xd_keys Return                    # Next
xd_focus "^Step 2 of 4 - Splash Screen$"
xd_keys Return
xd_focus "^Step 3 of 4 - User Interface Options$"
xd_keys Return
xd_focus "^Step 4 of 4 - The Next Stage$"
xd_keys alt+y                     # no instructions
sleep 0.3
xd_keys Return                    # Finish
sleep 0.5
xd_focus "^Nimbrel Quick Project$"   # the success message over the first dialog
xd_keys Return

xd_wait_exit "$kwik_pid" 10
[ "$xd_status" -eq 0 ] || xd_fail "nbxkwik exited with $xd_status"
[ -f "$tmp/work/Key Book/keybook.nxp" ] || xd_fail "no project file in $(ls -R "$tmp/work")"
grep -qx "FOLDER=$tmp/work" "$tmp/config/nbxconfig.ini" || xd_fail "remembered: $(cat "$tmp/config/nbxconfig.ini")"
[ ! -e "$tmp/work/$(printf 'a%.0s' $(seq 150))" ] || xd_fail "the long folder was made"
[ -d "$tmp/work/Key Book/include" ] || xd_fail "no include folder for the first type"
[ ! -e "$tmp/work/Key Book/readme.htm" ] || xd_fail "instructions were written"
[ ! -e "$tmp/opened" ] || xd_fail "a document was opened: $(cat "$tmp/opened")"
echo "the keyboard made $tmp/work/Key Book"
