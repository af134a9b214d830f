#!/usr/bin/env bash
# End-to-end test of KurvixHook.dll under Xvfb + Wine. hookhost installs the system-wide mouse
# hook; the real X pointer is moved, clicked and wheeled over Wine's notepad, a different
# process; a third process (hookhost read) then finds the counts in the shared block. A forced
# x87 fault inside the accounting must leave notepad running, its input flowing and the guard
# free.
#
# Usage: hook_e2e.sh HOOKHOST_EXE WORK_DIR   (KurvixHook.dll beside hookhost.exe)
set -euo pipefail
hookhost=$1
work=$2
source "$(dirname "$0")/../../scripts/e2e-lib.sh"

[ -f "$(dirname "$hookhost")/KurvixHook.dll" ] || {
    echo "FAIL: no KurvixHook.dll beside $hookhost" >&2
    exit 1
}
title="Untitled - Notepad"
status=0
mkdir -p "$work"
export WINEPREFIX="$work/prefix"
trap kx_stop_all EXIT
trap 'echo "FAIL: line $LINENO: $BASH_COMMAND" >&2' ERR

fail() {
    echo "FAIL: $*" >&2
    status=1
}

# Every call of hookhost gets a time limit: a guard left held would make it spin for ever.
host() { timeout 20 "$KX_ROOT/scripts/wine-run" "$hookhost" "$@" | tr -d '\r'; }

# `snapshot` reads the whole block once; `value KEY` picks a figure out of that reading.
snapshot() { block=$(host read); }
value() { sed -n "s/^$1=//p" <<<"$block"; }
cells() { grep '^cell\.' <<<"$block" | sort || true; }

# expect KEY VALUE [WHAT]: the last snapshot holds exactly VALUE for KEY.
expect() {
    local got
    got=$(value "$1")
    [ "$got" = "$2" ] || fail "${3:-$1}: expected $1=$2, got '$got'"
}

# settled KEY VALUE: waits until the block holds VALUE for KEY (input is delivered
# asynchronously), leaving that reading in the snapshot.
reaches() { snapshot && [ "$(value "$1")" = "$2" ]; }
settled() { kx_wait_for 10 reaches "$1" "$2" || true; }

# The grid cell of a screen position on this 1024 x 768 display.
cell_of() { echo "cell.$(($1 * 80 / 1024)).$(($2 * 60 / 768))=1"; }

exception_count() { grep -c "Kurvix hook exception" "$work/notepad.log" || true; }

# sync_at X Y: moves the pointer to (X, Y) and middle-clicks there, then waits until the click
# is counted; notepad's thread handles its mouse messages in order, so by then the move has been
# accounted too and the block's last position is (X, Y).
sync_at() {
    snapshot
    local clicks=$(($(value clicks_middle) + 1))
    xdotool mousemove "$1" "$2" click 2
    kx_wait_for 10 reaches clicks_middle "$clicks" || fail "no click counted at ($1, $2)"
}

# edit_shows LINE: notepad's edit control reports LINE (text=..., selection=...).
edit_shows() { host edit "$title" | grep -qx "$1"; }

kx_start_xvfb 1024x768
kx_wineboot

# notepad, with Wine's debugger-output channel on, so that the hook's report of a fault shows.
WINEDEBUG=-all,warn+debugstr kx_wine notepad >/dev/null 2>"$work/notepad.log" &
KX_PIDS+=("$!")
window=$(timeout 30 xdotool search --sync --name "^$title\$" | head -1)
notepad_pid=$(xdotool getwindowpid "$window")
host place "$title" 100 100 800 560

"$KX_ROOT/scripts/wine-run" "$hookhost" serve 120 >"$work/serve.out" &
KX_PIDS+=("$!")
kx_wait_for 20 grep -q '^hook=' "$work/serve.out" || true
grep -q '^hook=1' "$work/serve.out" || {
    fail "SetHook did not succeed"
    exit 1
}

echo "== path length and metres, measured inside notepad"
host set-size 32 24 # 0.0003125 m per pixel on both axes
sync_at 300 400
host reset
xdotool mousemove 500 400
settled pixels 200
xdotool mousemove 500 550
settled pixels 350
xdotool mousemove 560 630 # a 60 by 80 diagonal: 100 pixels
settled pixels 450
expect pixels 450 "three straight moves of 200, 150 and 100 pixels"
expect distance 0.140625 "450 pixels of 0.3125 mm"
expect screen_width 32
expect screen_height 24
[ "$(value hook_count)" -ge 3 ] || fail "hook count $(value hook_count) after three moves"
if grep -q KurvixHook.dll "/proc/$notepad_pid/maps" 2>/dev/null; then
    echo "KurvixHook.dll is mapped into notepad (pid $notepad_pid)"
fi

echo "== clicks, wheel and their grid cells"
calls_before=$(value hook_count)
xdotool mousemove 300 400 click 1
xdotool mousemove 700 500 click 2
xdotool click 4 click 5
xdotool mousemove 520 300 click 3
settled clicks_right 1
xdotool key Escape # closes notepad's context menu
expect clicks_left 1
expect clicks_right 1
expect clicks_middle 1
expect wheel 2
expect total_clicks 3
expected_cells=$(printf '%s\n' "$(cell_of 300 400)" "$(cell_of 700 500)" "$(cell_of 520 300)" |
    sort)
[ "$(cells)" = "$expected_cells" ] ||
    fail "grid cells: expected $(echo $expected_cells), got $(echo $(cells))"
[ "$(value hook_count)" -ge $((calls_before + 6)) ] ||
    fail "hook count rose only from $calls_before to $(value hook_count) for three clicks"
import -window root "$work/after-clicks.png" 2>/dev/null || true

echo "== a fault inside the accounting of notepad's mouse messages"
sync_at 300 400
host set-size 1e308 1e308
host reset
snapshot
expect screen_width inf "an infinite screen size"
faults_before=$(exception_count)
# Vertical moves: 0 pixels across times an infinite metre factor is an invalid operation.
for y in 420 440 460 480; do xdotool mousemove 300 "$y"; done
faults() { echo $(($(exception_count) - faults_before)); }
kx_wait_for 10 eval '[ "$(faults)" -ge 4 ]' ||
    fail "expected 4 reports of 'Kurvix hook exception', got $(faults)"
kill -0 "$notepad_pid" 2>/dev/null || fail "notepad died"
xdotool search --name "^$title\$" | grep -qx "$window" || fail "notepad's window is gone"
start=$SECONDS
if ! snapshot || [ $((SECONDS - start)) -gt 5 ]; then
    fail "hookhost read took $((SECONDS - start)) s: the guard is held"
    exit 1 # every further reading would wait as long
fi
expect distance 0 "the faulting moves' metres"
calls_before=$(value hook_count)
xdotool click 1
settled clicks_left 1
expect clicks_left 1 "a click after the faults"
[ "$(cells)" = "$(cell_of 300 480)" ] || fail "the click after the faults: cells $(echo $(cells))"
[ "$(value hook_count)" -gt "$calls_before" ] || fail "hook count stopped at $calls_before"

# notepad still takes keys and clicks: type, then click before the first letter.
xdotool type kurvix
kx_wait_for 10 edit_shows text=kurvix || fail "notepad ignores keys"
IFS=, read -r left top _ _ <<<"$(host edit "$title" | sed -n 's/^rect=//p')"
xdotool mousemove $((left + 3)) $((top + 8)) click 1
kx_wait_for 10 edit_shows selection=0,0 ||
    fail "a click did not reach notepad's edit control: $(host edit "$title" | tr '\n' ' ')"

echo "== the hook goes with the process that set it"
host stop
kx_wait_for 20 grep -q '^removed' "$work/serve.out" || fail "hookhost serve did not stop"
snapshot
calls_before=$(value hook_count)
# A click after the last letter moves the caret there: notepad has handled these messages.
xdotool mousemove $((left + 300)) $((top + 8)) click 1
kx_wait_for 10 edit_shows selection=6,6 || fail "notepad did not take the click"
snapshot
expect hook_count "$calls_before" "hook calls after the hook was removed"

[ $status -eq 0 ] && echo "hook end-to-end: all checks passed"
exit $status
