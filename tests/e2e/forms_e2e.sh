#!/usr/bin/env bash
# End-to-end test of Kurvix.exe's secondary forms under Xvfb + Wine: the About dialog's version
# line, the Preferences dialog (presets, Apply, a malformed number, Auto detect) and the
# full-screen distribution view (readout, dragged sum, every way of closing it). Windows are
# read with probe.exe, the library's figures with hookhost.exe (a copy beside the program's
# DLL, so that it sees the same shared block), input comes from xdotool. Screenshots go to
# artifacts/.
#
# Usage: forms_e2e.sh BIN_DIR TEMPLATE_PREFIX WORK_DIR
set -uo pipefail
bin=$(cd "$1" && pwd)
template=$2
work=$3
source "$(dirname "$0")/../../scripts/e2e-lib.sh"

status=0
fail() {
    echo "FAIL [forms]: $*" >&2
    status=1
}
trap kx_stop_all EXIT

MAIN=(--class KurvixForm --title Kurvix --menu 1)
ABOUT=(--class KurvixForm --title "About Kurvix")
PREFS=(--class KurvixForm --title "Kurvix Preferences")
VIEW=(--class KurvixForm --title "Enlarged View")
ERROR_BOX=(--title "Input error" --visible 1)
artifacts="$KX_ROOT/artifacts"

probe() { timeout 60 "$KX_ROOT/scripts/wine-run" "$bin/probe.exe" "$@" | tr -d '\r'; }
field() { sed -n "s/^$1=//p" <<<"$2"; } # field KEY TEXT
library() { timeout 60 "$KX_ROOT/scripts/wine-run" "$program/hookhost.exe" read | tr -d '\r'; }
# The texts of a window's child controls of one class, one per line, in creation order.
texts() { probe children "${@:2}" | sed -n "s/.* class=$1 text=//p"; }
# Whether the child button with this caption is enabled.
enabled() { probe children "${@:2}" | sed -n "s/.* enabled=\([01]\) class=Button text=$1\$/\1/p"; }
# A click at a point of a window's client area (pixels at 96 DPI, the DPI of the test display).
click_in() { # x y button SELECT...
    local w x=$1 y=$2 button=$3
    shift 3
    w=$(probe find "$@")
    xdotool mousemove $(($(field client_left "$w") + x)) $(($(field client_top "$w") + y)) \
        click "$button"
}
shot() { # file SELECT...
    local w file=$1
    shift
    w=$(probe find "$@")
    import -window root -crop "$(field width "$w")x$(field height "$w")+$(field left "$w")+$(field top "$w")" \
        "$artifacts/$file" 2>/dev/null || fail "no screenshot $file"
}
count_of() { local n; n=$(field "cell.$1.$2" "$3"); echo "${n:-0}"; } # x y library-text
menu_command() { probe command "${MAIN[@]}" --item "$1" >/dev/null || fail "no menu item $1"; }
same_number() { awk -v a="$1" -v b="$2" 'BEGIN { d = a - b; exit !(d < 1e-9 && d > -1e-9) }'; }

export WINEPREFIX="$work/prefix"
rm -rf "$work"
mkdir -p "$work" "$artifacts"
cp -a "$template" "$WINEPREFIX"
KX_PREFIXES+=("$WINEPREFIX")
program="$WINEPREFIX/drive_c/Kurvix"
mkdir -p "$program"
cp "$bin/Kurvix.exe" "$bin/KurvixHook.dll" "$bin/hookhost.exe" "$program/"
kx_start_xvfb
kx_start "$program/Kurvix.exe"
KURVIX_PID=$KX_LAST_PID
# A first run tells the user that the screen size was detected (before the main window shows)
# and then opens Preferences modally.
first_run_or_shown() {
    probe find --title Information --visible 1 >/dev/null || probe find "${MAIN[@]}" --visible 1 >/dev/null
}
kx_wait_for 60 first_run_or_shown || fail "neither the main window nor the first-run message"
if probe find --title Information --visible 1 >/dev/null; then
    probe close --title Information --visible 1 >/dev/null
    probe find "${PREFS[@]}" --visible 1 --wait 10 >/dev/null || fail "first run: no modal Preferences"
    probe close "${PREFS[@]}" >/dev/null
    probe find "${PREFS[@]}" --visible 0 --wait 10 >/dev/null || fail "first run: Preferences stays"
fi
probe find "${MAIN[@]}" --visible 1 --wait 30 >/dev/null || fail "no main window shown"

# ---- About: the version line from our own version resource (1.0.0.1).
menu_command "&?/&About..."
probe find "${ABOUT[@]}" --visible 1 --wait 10 >/dev/null || fail "About did not open"
about=$(texts KurvixLabel "${ABOUT[@]}")
grep -qxF "Version 1.0 Build 1" <<<"$about" || fail "About: version line is '$(sed -n 2p <<<"$about")'"
shot kurvix-about.png "${ABOUT[@]}"
# Ctrl+Alt+Shift with a left press on the title switches the cursor-circling mode; again: off.
easter() { field easter "$(library)"; }
title_press() {
    local w
    w=$(probe find "${ABOUT[@]}")
    xdotool mousemove $(($(field client_left "$w") + 131)) $(($(field client_top "$w") + 25))
    xdotool keydown ctrl keydown alt keydown shift click 1 keyup shift keyup alt keyup ctrl
}
title_press
[ "$(easter)" = 1 ] || fail "About: Ctrl+Alt+Shift press did not switch the mode on"
title_press
[ "$(easter)" = 0 ] || fail "About: a second press did not switch the mode off"
click_in 131 25 1 "${ABOUT[@]}" # without the keys: nothing
[ "$(easter)" = 0 ] || fail "About: a plain press switched the mode"
probe close "${ABOUT[@]}" >/dev/null
probe find "${ABOUT[@]}" --visible 0 --wait 10 >/dev/null || fail "About did not close"

# ---- Preferences: modeless, filled from the library, Apply disabled.
menu_command "&Options/Preferences..."
probe find "${PREFS[@]}" --visible 1 --wait 10 >/dev/null || fail "Preferences did not open"
sleep 1
[ "$(field enabled "$(probe find "${MAIN[@]}")")" = 1 ] || fail "Preferences blocks the main window"
[ "$(enabled Apply "${PREFS[@]}")" = 0 ] || fail "Apply enabled at show"
lib=$(library)
edits=$(texts Edit "${PREFS[@]}")
same_number "$(sed -n 1p <<<"$edits")" "$(field screen_width "$lib")" || fail "width edit '$edits'"
same_number "$(sed -n 2p <<<"$edits")" "$(field screen_height "$lib")" || fail "height edit '$edits'"
# The dialog to the front (Shift typed into it): on a loaded machine it may come up behind the
# main window, where a click at its position would reach the main window.
raise_prefs() { probe key "${PREFS[@]}" --vk 0x10 >/dev/null; }
presets() { # the presets menu below its button, then the item N (1: Auto detect, 2: 14 Inch ...)
    local try
    for try in 1 2 3; do # a click that comes while the dialog is still being mapped is lost
        raise_prefs
        click_in 266 48 1 "${PREFS[@]}"
        probe find --class "#32768" --visible 1 --wait 3 >/dev/null && break
        [ $try = 3 ] && import -window root "$artifacts/kurvix-presets-failed.png" &&
            fail "the presets menu did not open"
    done
    sleep 0.5
    for _ in $(seq 1 "$1"); do xdotool key Down; done
    xdotool key Return
    sleep 0.5
}
presets 4 # 17 Inch
[ "$(texts Edit "${PREFS[@]}" | paste -sd ' ')" = "33.32 24.99" ] || fail "17 Inch: edits '$(texts Edit "${PREFS[@]}" | paste -sd ' ')'"
[ "$(enabled Apply "${PREFS[@]}")" = 1 ] || fail "17 Inch did not enable Apply"
[ "$(field screen_width "$(library)")" = "$(field screen_width "$lib")" ] || fail "17 Inch was applied before Apply"
shot kurvix-preferences.png "${PREFS[@]}"
raise_prefs
click_in 287 104 1 "${PREFS[@]}" # Apply
lib=$(library)
[ "$(field screen_width "$lib") $(field screen_height "$lib")" = "33.32 24.99" ] ||
    fail "Apply: library has $(field screen_width "$lib") x $(field screen_height "$lib")"
[ "$(enabled Apply "${PREFS[@]}")" = 0 ] || fail "Apply still enabled after a good Apply"
probe find "${PREFS[@]}" --visible 1 >/dev/null || fail "Apply closed the dialog"

# A malformed width: the message, the focus back on the width edit, nothing applied.
replace_focused_text() { xdotool key End $(printf 'BackSpace %.0s' $(seq 1 12)) && xdotool type "$1"; }
raise_prefs
click_in 138 30 1 "${PREFS[@]}"
replace_focused_text "12,5"
click_in 287 104 1 "${PREFS[@]}"
probe find "${ERROR_BOX[@]}" --wait 10 >/dev/null || fail "12,5: no error message"
probe children "${ERROR_BOX[@]}" | grep -qF "text=Invalid numeric format. Please correct and retry." ||
    fail "12,5: wrong message text"
probe close "${ERROR_BOX[@]}" >/dev/null
probe find "${ERROR_BOX[@]}" --gone --wait 10 >/dev/null || fail "the error message stays"
[ "$(field screen_width "$(library)")" = 33.32 ] || fail "12,5 changed the library"
[ "$(enabled Apply "${PREFS[@]}")" = 1 ] || fail "a failed Apply disabled Apply"
replace_focused_text "12.5" # typed into the edit that has the focus: the width edit
xdotool key Return          # OK, the default button: applies and closes
probe find "${PREFS[@]}" --visible 0 --wait 10 >/dev/null || fail "OK did not close the dialog"
[ "$(field screen_width "$(library)")" = 12.5 ] || fail "12.5 by OK: width $(field screen_width "$(library)")"

# Auto detect applies at once; Cancel keeps it.
menu_command "&Options/Preferences..."
probe find "${PREFS[@]}" --visible 1 --wait 10 >/dev/null || fail "Preferences did not open again"
sleep 1
[ "$(texts Edit "${PREFS[@]}" | head -1)" = 12.5 ] || fail "second show: width edit not 12.5"
presets 1
lib=$(library)
[ "$(field screen_width "$lib")" != 12.5 ] || fail "Auto detect did not change the library"
edits=$(texts Edit "${PREFS[@]}")
same_number "$(sed -n 1p <<<"$edits")" "$(field screen_width "$lib")" || fail "Auto detect: width edit '$edits'"
[ "$(enabled Apply "${PREFS[@]}")" = 1 ] || fail "Auto detect did not enable Apply"
raise_prefs
click_in 207 104 1 "${PREFS[@]}" # Cancel
probe find "${PREFS[@]}" --visible 0 --wait 10 >/dev/null || fail "Cancel did not close"
[ "$(field screen_width "$(library)")" = "$(field screen_width "$lib")" ] || fail "Cancel undid Auto detect"

# ---- Full-screen view: clicks made beforehand on an empty spot of the main window.
main=$(probe find "${MAIN[@]}")
px=$(($(field client_left "$main") + 150)) py=$(($(field client_top "$main") + 160))
for _ in 1 2 3 4 5; do xdotool mousemove $px $py click 1; done
cell_of() { echo "cell.$(($1 * 80 / 1024)).$(($2 * 60 / 768))"; }
count=$(field "$(cell_of $px $py)" "$(library)")
[ "${count:-0}" -ge 5 ] || fail "the clicks were not counted: '$count'"
xdotool mousemove 1000 10 # the pointer away from the snapshot's interesting part
menu_command "&View/Full &screen distribution"
probe find "${VIEW[@]}" --visible 1 --wait 10 >/dev/null || fail "the View menu did not open the view"
view=$(probe find "${VIEW[@]}")
[ "$(field left "$view") $(field top "$view") $(field width "$view") $(field height "$view")" = "0 0 1024 768" ] ||
    fail "the view does not cover the screen: $view"
sleep 1
import -window root "$artifacts/kurvix-fullscreen.png" 2>/dev/null || fail "no full-screen screenshot"
label() { texts KurvixLabel "${VIEW[@]}"; }
xdotool mousemove $px $py
sleep 0.5
[ "$(label)" = "$count" ] || fail "hover: label '$(label)', wanted $count"
xdotool mousemove 20 20
sleep 0.5
[ "$(label)" = "$(count_of 1 1 "$(library)")" ] || fail "hover on an empty cell: '$(label)'"
# A drag from bottom-right to top-left over the clicked cell; the press itself is counted too.
qx=$((px + 30)) qy=$((py + 30))
xdotool mousemove $qx $qy mousedown 1
sleep 0.3
xdotool mousemove $((qx - 10)) $((qy - 10))
sleep 0.2
xdotool mousemove $((px - 20)) $((py - 20))
sleep 0.5
xdotool mouseup 1
sleep 0.5
lib=$(library)
want=0
for ((cy = (py - 20) * 60 / 768; cy <= qy * 60 / 768; cy++)); do
    for ((cx = (px - 20) * 80 / 1024; cx <= qx * 80 / 1024; cx++)); do
        want=$((want + $(count_of $cx $cy "$lib")))
    done
done
[ "$(label)" = "$want" ] || fail "dragged sum: label '$(label)', wanted $want"
[ "$want" -ge $((count + 1)) ] || fail "the dragged rectangle missed the clicks"
probe key "${VIEW[@]}" --vk 0x10 >/dev/null # Shift alone closes it
probe find "${VIEW[@]}" --visible 0 --wait 10 >/dev/null || fail "a key did not close the view"

# From the distribution image; a right click closes it.
click_in 170 80 1 "${MAIN[@]}"
probe find "${VIEW[@]}" --visible 1 --wait 10 >/dev/null || fail "the image did not open the view"
xdotool mousemove 500 400 click 3
probe find "${VIEW[@]}" --visible 0 --wait 10 >/dev/null || fail "a right click did not close the view"

# From the tray menu: its second item.
tray=$(probe find --class __winex11_standalone_tray --visible 1)
xdotool mousemove $(($(field client_left "$tray") + 10)) \
    $(($(field client_top "$tray") + $(field client_height "$tray") / 2)) click 3
sleep 0.5
xdotool key Down Down Return
probe find "${VIEW[@]}" --visible 1 --wait 10 >/dev/null || fail "the tray menu did not open the view"
xdotool key Escape
probe find "${VIEW[@]}" --visible 0 --wait 10 >/dev/null || fail "Escape did not close the view"

probe close "${MAIN[@]}" >/dev/null
kx_wait_for 30 eval '! kill -0 $KURVIX_PID 2>/dev/null' || fail "Kurvix did not end"
kx_stop_all
[ $status -eq 0 ] && rm -rf "${work:?}/prefix" && echo "forms_e2e: passed"
exit $status
