# Helpers for tests that run a real windowed program on a virtual X display and drive it with
# the window system's own key and mouse events (xdotool), so Qt's modal rules apply as they
# do for a person. Source it, then call xd_start_display.
#
#   xd_start_display            starts Xvfb on a free display, exports DISPLAY
#   xd_track PID                ends PID with the test
#   xd_window TITLE_REGEX       waits for a visible window whose title matches, prints its id
#                               (the newest when several match; a message box carries its
#                               program's title)
#   xd_focus TITLE_REGEX        waits for that window and gives it the keyboard
#   xd_gone TITLE_REGEX         waits until no visible window matches
#   xd_keys KEY...              presses keys in turn
#   xd_click_in ID X Y          clicks at X, Y inside the window
#   xd_wait_exit PID SECONDS    waits for PID to end; its exit status in xd_status
#   xd_fail TEXT                prints FAIL: TEXT (and the program's log) and ends the test
# The caller sets xd_log to a file it wants shown on failure.
set -uo pipefail

xd_tmp=$(mktemp -d)
xd_pids=()
xd_log=""
xd_status=0

xd_cleanup() {
    local pid
    for pid in "${xd_pids[@]}"; do
        kill "$pid" 2>/dev/null
    done
    rm -rf "$xd_tmp"
}
trap xd_cleanup EXIT

xd_fail() {
    echo "FAIL: $*"
    [ -n "$xd_log" ] && [ -f "$xd_log" ] && cat "$xd_log"
    exit 1
}

xd_track() { xd_pids+=("$1"); }

xd_start_display() {
    command -v Xvfb >/dev/null && command -v xdotool >/dev/null ||
        xd_fail "Xvfb and xdotool are needed (scripts/install-deps.sh)"
    # A free display: Xvfb picks one and writes its number to a descriptor.
    exec 3>"$xd_tmp/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$xd_tmp/xvfb.log" 2>&1 &
    xd_track $!
    local _
    for _ in $(seq 100); do
        [ -s "$xd_tmp/display" ] && break
        sleep 0.1
    done
    exec 3>&-
    [ -s "$xd_tmp/display" ] || xd_fail "Xvfb did not start: $(cat "$xd_tmp/xvfb.log")"
    export DISPLAY=":$(head -n1 "$xd_tmp/display")"
}

xd_window() {
    local id="" _
    for _ in $(seq 300); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -n1)
        [ -n "$id" ] && break
        sleep 0.1
    done
    [ -n "$id" ] || xd_fail "no window '$1'"
    echo "$id"
}

xd_focus() {
    local id
    id=$(xd_window "$1") || exit 1
    xdotool windowfocus --sync "$id" 2>/dev/null || xdotool windowfocus "$id"
    sleep 0.3
}

xd_gone() {
    local _
    for _ in $(seq 300); do
        [ -z "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ] && return 0
        sleep 0.1
    done
    xd_fail "window '$1' is still open"
}

xd_keys() { xdotool key --delay 80 "$@"; }

xd_click_in() {
    xdotool mousemove --window "$1" "$2" "$3" && sleep 0.2 && xdotool click 1
}

xd_wait_exit() {
    local _ limit=$(($2 * 10))
    for _ in $(seq "$limit"); do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$1" 2>/dev/null && xd_fail "the program is still running after $2 s"
    wait "$1"
    xd_status=$?
}
