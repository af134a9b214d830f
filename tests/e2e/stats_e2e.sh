#!/usr/bin/env bash
# End-to-end tests of the statistics with the real Kurvix.exe under Xvfb + Wine: the first run
# without a file, the panels' figures from a prepared file and from live input, Clear, Save now,
# nothing lost over a restart, a save that cannot write the file, and the program killed during
# repeated saves. Files are prepared and checked with statsfile.py from the byte layout, not
# with the program's code.
#
# Usage: stats_e2e.sh GROUP BIN_DIR WORK_DIR TEMPLATE_PREFIX
#   GROUP fresh|panels|locale|failsave|killed
set -uo pipefail
group=$1
bin=$(cd "$2" && pwd)
work=$3
template=$4
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/e2e-lib.sh"

status=0
fail() {
    echo "FAIL [stats $group]: $*" >&2
    status=1
}
trap kx_stop_all EXIT

MAIN=(--class KurvixForm --title Kurvix --menu 1)
probe() { timeout 60 "$KX_ROOT/scripts/wine-run" "$bin/probe.exe" "$@" | tr -d '\r'; }
field() { sed -n "s/^$1=//p" <<<"$2"; } # field KEY TEXT
statsfile() { python3 "$here/statsfile.py" "$@"; }

export WINEPREFIX="$work/$group/prefix"
rm -rf "${work:?}/$group"
mkdir -p "$work/$group"
cp -a "$template" "$WINEPREFIX"
KX_PREFIXES+=("$WINEPREFIX")
PROGRAM_DIR="$WINEPREFIX/drive_c/Kurvix"
DAT="$PROGRAM_DIR/Kurvix.dat"
mkdir -p "$PROGRAM_DIR"
cp "$bin/Kurvix.exe" "$bin/KurvixHook.dll" "$PROGRAM_DIR/"
kx_start_xvfb

start_kurvix() {
    kx_start "$PROGRAM_DIR/Kurvix.exe" "$@"
    KURVIX_PID=$KX_LAST_PID
}
shown() { probe find "${MAIN[@]}" --visible 1 --wait 30 >/dev/null || fail "$1: no main window"; }
exited() { [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" = Z ] || ! kill -0 "$1" 2>/dev/null; }
close_kurvix() { # what
    probe close "${MAIN[@]}" >/dev/null || fail "$1: no main window to close"
    kx_wait_for 30 exited "$KURVIX_PID" || fail "$1: the program did not end"
    wait "$KURVIX_PID" 2>/dev/null
}
menu_command() { probe command "${MAIN[@]}" --item "$1" >/dev/null || fail "no menu item $1"; }

# The fifteen value labels in the window's order: Total metres, pixels, clicks, left, right,
# centre, wheel ticks, time on; Track metres, pixels, clicks, left, right, centre, wheel ticks.
panels() { probe children "${MAIN[@]}" | sed -n 's/.* class=KurvixLabel text=//p' | head -15 | paste -sd'|'; }
# Each label matches its field of the pattern: extended regular expressions joined by '|'.
panels_match() { # pattern
    local -a want got
    IFS='|' read -r -a want <<<"$1"
    IFS='|' read -r -a got <<<"$(panels)"
    [ ${#got[@]} -eq 15 ] || return 1
    for i in "${!want[@]}"; do [[ "${got[$i]}" =~ ^${want[$i]}$ ]] || return 1; done
}
expect_panels() { # pattern what
    kx_wait_for 2 panels_match "$1" && return 0
    fail "$2: panels '$(panels)' do not match '$1'"
}
file_field() { statsfile read "$DAT" | sed -n "s/^$1=//p"; } # field
expect_complete_file() { # what: 19 602 bytes with the statistics header
    local read
    read=$(statsfile read "$DAT" 2>&1)
    [ "$(field size "$read")" = 19602 ] || fail "$1: file size $(field size "$read")"
    [ "$(field header "$read")" = "0x19800828,1,5,0" ] || fail "$1: header $(field header "$read")"
}
# The TDateTime of now on the host (Wine's local time is the host's).
now_datetime() { python3 -c 'import time; t=time.time()-time.timezone+(3600 if time.localtime().tm_isdst>0 else 0); print(t/86400+25569)'; }

# A window of the program by class and title; prints its probe lines.
message_box() { probe find --class '#32770' --title "$1" --visible 1 --wait "${2:-20}"; }
box_text() { probe children --class '#32770' --title "$1"; } # the texts may span lines

case $group in
fresh)
    start_kurvix
    message_box Information >/dev/null || fail "no screen-size message at the first show"
    text=$(box_text Information)
    grep -qF "Kurvix has auto-detected your screen size." <<<"$text" &&
        grep -qF "Please verify that these settings are correct." <<<"$text" ||
        fail "message text: '$text'"
    probe close --class '#32770' --title Information >/dev/null
    PREFS=(--class KurvixForm --title "Kurvix Preferences" --visible 1)
    probe find "${PREFS[@]}" --wait 20 >/dev/null || fail "no Preferences after the message"
    probe close "${PREFS[@]}" >/dev/null
    shown "first run"
    expect_panels '0\.0000|0|0|0|0|0|0|0\.00:0[0-9]:[0-5][0-9]|0\.0000|0|0|0|0|0|0' "first run"
    [ -e "$DAT" ] && fail "a file before any save"
    sleep 2
    close_kurvix "first close"
    expect_complete_file "first close"
    read=$(statsfile read "$DAT")
    for kv in auto_save=1 auto_save_interval=60000 start_minimized=0 clicks_left=0 clicks_right=0 \
        clicks_middle=0 wheel_ticks=0 track_pixels=0 track_distance=0 left=332 top=165; do
        grep -qxF "$kv" <<<"$read" || fail "first close: wanted $kv"
    done
    time_on=$(field time_on "$read")
    [ "$time_on" -ge 2 ] && [ "$time_on" -le 300 ] || fail "time on $time_on after a short run"
    python3 -c "import sys; w,h,s,c,n=map(float,sys.argv[1:]); sys.exit(not(w>0 and h>0 and s==c and abs(s-n)<2/1440))" \
        "$(field screen_width "$read")" "$(field screen_height "$read")" "$(field start_date "$read")" \
        "$(field start_date_copy "$read")" "$(now_datetime)" ||
        fail "screen size or start dates: $(grep -E 'screen|date' <<<"$read" | paste -sd' ')"
    # The second run finds the file: no message, and the start date stays.
    start_kurvix
    shown "second run"
    message_box Information 2 >/dev/null && fail "the message came again"
    close_kurvix "second close"
    [ "$(file_field start_date)" = "$(field start_date "$read")" ] || fail "the start date changed"
    ;;

panels)
    statsfile write "$DAT" pixels=123456789 distance=1234.56789 clicks_left=1000 \
        clicks_right=2000000 clicks_middle=3 wheel_ticks=4294967295 track_pixels=123456000 \
        track_distance=1000.5 track_clicks_left=999 track_clicks_right=2000001 \
        track_wheel_ticks=4294967290 time_on=93784 pattern=spot left=200 top=100
    start_kurvix
    shown "prepared file"
    main=$(probe find "${MAIN[@]}")
    [ "$(field left "$main"),$(field top "$main")" = 200,100 ] || fail "window not at the stored place"
    expect_panels '1,234\.5679|123,456,789|2,001,003|1,000|2,000,000|3|4,294,967,295|1\.02:03:[0-5][0-9]|234\.0679|789|3|1|4,294,967,295|3|5' \
        "prepared file"
    mkdir -p "$KX_ROOT/artifacts"
    shot() { # file: the main window from the screen
        import -window root -crop "$(field width "$main")x$(field height "$main")+$(field left "$main")+$(field top "$main")" +repage "$1" 2>/dev/null
    }
    shot "$work/$group/before.png"
    cx=$(field client_left "$main")
    cy=$(field client_top "$main")
    # Moves and clicks inside the window: the window's own thread counts them too. The image
    # region of the screen (FrequencyIM) changes with a click at another spot.
    xdotool mousemove $((cx + 60)) $((cy + 250))
    sleep 0.3
    for i in 1 2 3 4 5; do xdotool mousemove $((cx + 60 + i * 20)) $((cy + 250 + i * 5)); done
    xdotool click 1 click 1 click 1 click 1 click 3 # four clicks: the busiest cell
    sleep 1.2
    live=$(panels)
    IFS='|' read -r -a t <<<"$live"
    [ "${t[3]}" = 1,004 ] && [ "${t[4]}" = 2,000,001 ] && [ "${t[11]}" = 5 ] && [ "${t[12]}" = 0 ] ||
        fail "clicks not counted within a second: $live"
    [ "${t[1]}" != 123,456,789 ] && [ "${t[9]}" != 789 ] || fail "moves not counted: $live"
    shot "$work/$group/after.png"
    image_at=160x120+$((92 + cx - $(field left "$main")))+$((24 + cy - $(field top "$main")))
    for s in before after; do
        convert "$work/$group/$s.png" -crop "$image_at" +repage "$work/$group/$s-image.png"
    done
    diff=$(compare -metric AE "$work/$group/before-image.png" "$work/$group/after-image.png" null: 2>&1)
    [ "${diff%% *}" != 0 ] 2>/dev/null || fail "the image did not change ($diff)"
    cp "$work/$group/after.png" "$KX_ROOT/artifacts/kurvix-distribution.png"
    # Clear (a click on the button): every Track figure goes to zero.
    xdotool mousemove $((cx + 276 + 30)) $((cy + 324 + 12)) click 1
    expect_panels '.*|.*|2,001,00[0-9]|1,00[0-9]|.*|3|4,294,967,295|.*|0\.0000|0|0|0|0|0|0' "Clear"
    before_save=$(panels)
    menu_command "&File/&Save now"
    IFS='|' read -r -a t <<<"$before_save"
    [ "$(file_field clicks_left)" = "${t[3]//,/}" ] || fail "Save now: left clicks $(file_field clicks_left), shown ${t[3]}"
    [ "$(file_field track_clicks_left)" = "${t[3]//,/}" ] || fail "Save now: track base not the Clear's"
    close_kurvix "close"
    expect_complete_file "close"
    saved=$(statsfile read "$DAT")
    start_kurvix
    shown "restart"
    expect_panels "$(sed 's/\./\\./g; s/|[^|]*:[0-9][0-9]|/|.*|/' <<<"$before_save")" "restart"
    sleep 2 # time on counts whole seconds: let at least one pass in this run
    close_kurvix "second close"
    for f in pixels_hex distance_hex clicks_left clicks_right clicks_middle wheel_ticks \
        track_pixels_hex track_distance_hex track_clicks_left grid_sum start_date; do
        [ "$(file_field $f)" = "$(field $f "$saved")" ] || fail "restart lost $f"
    done
    [ "$(file_field time_on)" -gt "$(field time_on "$saved")" ] || fail "time on did not grow"
    ;;

locale)
    # Under a German locale the separators are the other way round.
    statsfile write "$DAT" distance=1234.56789 pixels=1234567 clicks_left=1000
    LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 start_kurvix
    shown "German locale"
    expect_panels '1\.234,5679|1\.234\.567|1\.000|1\.000|.*' "German locale"
    close_kurvix "close"
    ;;

failsave)
    statsfile write "$DAT" clicks_left=77
    before=$(md5sum <"$DAT")
    mkdir "$DAT.tmp" # the new file cannot be made beside the old one
    start_kurvix
    shown "start"
    menu_command "&File/&Save now"
    message_box Kurvix 10 >/dev/null || fail "a failed save was not told"
    text=$(box_text Kurvix)
    grep -qF 'C:\Kurvix\Kurvix.dat' <<<"$text" || fail "the message lacks the path: '$text'"
    probe close --class '#32770' --title Kurvix >/dev/null
    menu_command "&File/&Save now"
    message_box Kurvix 2 >/dev/null && fail "the failure was told twice"
    [ "$(md5sum <"$DAT")" = "$before" ] || fail "the old file changed"
    rmdir "$DAT.tmp"
    menu_command "&File/&Save now"
    expect_complete_file "save after the way was free again"
    [ "$(file_field clicks_left)" = 77 ] || fail "the later save lost the counts"
    close_kurvix "close"
    ;;

killed)
    # The program is killed during saves in a loop; the file is complete each time and the
    # next start loads it.
    statsfile write "$DAT" clicks_left=4242 pattern=spot
    grid=$(file_field grid_sum)
    for round in 1 2 3; do
        start_kurvix
        shown "round $round"
        expect_panels '.*|.*|.*|4,242|.*' "round $round: the file did not load"
        moment=$(file_field save_moment)
        (while true; do probe command "${MAIN[@]}" --item "&File/&Save now" >/dev/null 2>&1; done) &
        saver=$!
        sleep "$(python3 -c "import random; print(round(1 + random.random() * 2, 2))")"
        process=$(ps -o pid= --ppid "$KURVIX_PID" | head -1)
        [ -n "$process" ] && kill -9 $process || fail "round $round: no Kurvix process to kill"
        wait "$KURVIX_PID" 2>/dev/null
        kill "$saver" 2>/dev/null
        wait "$saver" 2>/dev/null
        expect_complete_file "round $round"
        [ "$(file_field clicks_left)" = 4242 ] && [ "$(file_field grid_sum)" = "$grid" ] ||
            fail "round $round: the file lost its counts"
        [ "$(file_field save_moment)" != "$moment" ] || fail "round $round: no save before the kill"
        WINEPREFIX="$WINEPREFIX" "$KX_WINESERVER" -k >/dev/null 2>&1 # the probes and their DLLs
    done
    ls "$PROGRAM_DIR" >"$work/$group/files.txt"
    ;;

*)
    echo "unknown group $group" >&2
    exit 2
    ;;
esac

kx_stop_all
if [ $status -eq 0 ]; then
    rm -rf "${work:?}/$group"
    echo "stats_e2e $group: passed"
fi
exit $status
