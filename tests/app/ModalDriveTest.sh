#!/usr/bin/env bash
# Runs the real tamsel on a virtual X display and drives one modal interaction with the
# window system's own events, as a person meets it:
#   palette   the System Pages colour palette over its modal dialog chooses a colour
#   series    Escape in the Build Series progress window stops the run part way
#   question  the Table Of Contents question during a build is answered and the build goes on
#   close     the close button during a build asks, stops the build and closes the window
#
#   ModalDriveTest.sh SCENARIO PROGRAM_FOLDER NBX_SEND_CLOSE
scenario=${1:?usage: ModalDriveTest.sh SCENARIO PROGRAM_FOLDER NBX_SEND_CLOSE}
programs=${2:?}
send_close=${3:?}
source "$(dirname "$0")/../support/xdrive.sh"
xd_start_display

work=$xd_tmp/work
mkdir -p "$work/src" "$work/out" "$xd_tmp/config"
export NBX_CONFIG_DIR=$xd_tmp/config
tamselc() { "$programs/tamselc" "$@" >>"$xd_tmp/tamselc.log" 2>&1 || xd_fail "tamselc $*"; }
page() { printf '<html><head><title>%s</title></head><body>%s</body></html>\n' "$2" "$2" \
    >"$work/src/$1"; }
page index.htm Home
page knots.htm Knots
project=$work/knots.nxp
title='^knots\.nxp - Nimbrel E-Book Compiler$'
app='^Nimbrel E-Book Compiler$'   # the title of its message boxes

# Waits for tamsel to end; a question about saving the changed project is answered Don't Save.
wait_end() {
    for _ in $(seq $(($1 * 10))); do
        kill -0 "$tamsel_pid" 2>/dev/null || break
        if [ -n "$(xdotool search --onlyvisible --name "$app" 2>/dev/null)" ]; then
            xd_focus "$app"
            xd_keys n
        fi
        sleep 0.1
    done
    xd_wait_exit "$tamsel_pid" 1
}

start_tamsel() {
    xd_log=$xd_tmp/tamsel.log
    QT_QPA_PLATFORM=xcb "$programs/tamsel" "$project" >"$xd_log" 2>&1 &
    tamsel_pid=$!
    xd_track "$tamsel_pid"
    xd_focus "$title"
}

case $scenario in
palette)
    tamselc new "$project" --folder "$work/src" --title Knots --author Ann --output "$work/out/knots"
    start_tamsel
    xd_keys alt+e p                       # Edit, System Pages...
    xd_focus '^Edit System Pages$'
    xd_keys ctrl+Tab ctrl+Tab ctrl+Tab    # to the Colors page
    xd_keys Tab space                     # its first button, Background: the palette opens
    palette=$(xd_window '^Colour Palette$')
    # Column 3, row 2 of the grid (24-pixel cells 5 pixels in): red 0x66, green 0, blue 0x99.
    xd_click_in "$palette" $((5 + 3 * 24 + 12)) $((5 + 2 * 24 + 12))
    xd_gone '^Colour Palette$'
    xd_focus '^Edit System Pages$'
    xd_keys Return                        # OK
    xd_gone '^Edit System Pages$'
    xd_focus "$title"
    xd_keys ctrl+s
    for _ in $(seq 100); do
        "$programs/tamselc" show "$project" 2>/dev/null | tr -d ' \n' | grep -q '"colors":\[10027110,' &&
            break
        sleep 0.1
    done
    "$programs/tamselc" show "$project" | tr -d ' \n' | grep -q '"colors":\[10027110,' ||
        xd_fail "the background colour was not chosen: $("$programs/tamselc" show "$project" | grep -A3 colors)"
    xd_keys alt+f x
    wait_end 20
    ;;
series)
    tamselc new "$project" --folder "$work/src" --title Knots --author Ann --output "$work/out/knots"
    tamselc var "$project" add Number --kind 0 --value 1 --rebrand off
    start_tamsel
    xd_keys alt+b s                       # Build, Build Series...; the measuring build first
    xd_focus '^Build Series$'
    xd_keys alt+f ctrl+a
    xdotool type 1
    xd_keys alt+l ctrl+a
    xdotool type 400
    xd_keys Return
    xd_focus "$app"                       # "Do you wish to proceed?"
    xd_keys y
    xd_focus '^Build Series \['           # the progress window, with its percentage
    sleep 0.5
    xd_keys Escape
    # Cancelled part way: the question whether to delete the books built so far; No keeps them.
    xd_focus "$app"
    xd_keys n
    xd_gone "$app"
    built=$(find "$work/out" -name 'knots[0-9]*' | wc -l)
    [ "$built" -ge 1 ] && [ "$built" -lt 400 ] || xd_fail "$built books were built"
    xd_focus "$title"
    xd_keys alt+f x
    wait_end 20
    echo "Escape stopped the series after $built of 400 books"
    ;;
question)
    for i in $(seq 21); do page "p$i.htm" "Page $i"; done
    tamselc new "$project" --folder "$work/src" --title Knots --author Ann --output "$work/out/knots"
    start_tamsel
    xd_keys ctrl+b
    xd_focus "$app"                       # more than 20 pages for the pop-up list
    xd_keys n                             # keep the list, with the first 20
    xd_focus '^Build Successful$'
    xd_keys Return
    xd_gone '^Build Successful$'
    [ -x "$work/out/knots" ] || xd_fail "no book was built"
    xd_focus "$title"
    xd_keys alt+f x
    wait_end 20
    ;;
close)
    tamselc new "$project" --folder "$work/src" --title Knots --author Ann --output "$work/out/knots"
    # The book is running, so the build waits for it (eight seconds) before it gives up.
    cp "$(command -v sleep)" "$work/out/knots"
    "$work/out/knots" 120 &
    xd_track $!
    start_tamsel
    xd_keys ctrl+b
    sleep 1
    "$send_close" "$(xd_window "$title")" || xd_fail "the close request could not be sent"
    xd_focus "$app"                       # "A build is running. ... stop it and close ...?"
    xd_keys y
    sleep 0.3
    # The build stops at once and the window closes after the usual question about a changed
    # project. A build that went on would end with the message that the book is running,
    # which has only OK: the window would stay.
    wait_end 30
    ;;
*)
    xd_fail "no scenario '$scenario'"
    ;;
esac
[ "$xd_status" -eq 0 ] || xd_fail "tamsel exited with $xd_status"
echo "$scenario: passed"
