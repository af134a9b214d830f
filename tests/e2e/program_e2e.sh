#!/usr/bin/env bash
# End-to-end tests of Kurvix.exe under Xvfb + Wine: start-up (switches, the registry setting),
# one instance per desktop, the tray, keys, the Options menu and the registry values. Windows
# are read and driven with probe.exe; pointer input comes from xdotool.
#
# Usage: program_e2e.sh GROUP BIN_DIR WORK_DIR
#   GROUP template    boots the Wine prefix that the other groups copy
#   GROUP start|switches|setting|instance|killed|keys|options
# BIN_DIR holds Kurvix.exe, KurvixHook.dll, probe.exe and probehook.dll. Each group runs in its
# own copy of the prefix, on its own display, with its own copy of the program (so the
# statistics file beside it is its own).
set -uo pipefail
group=$1
bin=$(cd "$2" && pwd)
work=$3
source "$(dirname "$0")/../../scripts/e2e-lib.sh"

template="$work/template"
status=0
fail() {
    echo "FAIL [$group]: $*" >&2
    status=1
}
trap kx_stop_all EXIT

run='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
settings='HKLM\SOFTWARE\Quillmoor\Kurvix'
MAIN=(--class KurvixForm --title Kurvix --menu 1)
APPWIN=(--class KurvixApplication --title Kurvix)
TRAY=(--class __winex11_standalone_tray --visible 1) # Wine's tray, shown while an icon is in it

probe() { timeout 60 "$KX_ROOT/scripts/wine-run" "$bin/probe.exe" "$@" | tr -d '\r'; }
field() { sed -n "s/^$1=//p" <<<"$2"; } # field KEY TEXT

# The prefix for this group: a copy of the template, with the program in PROGRAM_DIR.
prepare() { # [windows dir of the program, below C:\]
    local dir=${1:-Kurvix}
    export WINEPREFIX="$work/$group/prefix"
    rm -rf "$work/$group"
    mkdir -p "$work/$group"
    cp -a "$template" "$WINEPREFIX"
    KX_PREFIXES+=("$WINEPREFIX")
    PROGRAM_DIR="$WINEPREFIX/drive_c/$dir"
    PROGRAM_WIN_PATH="C:\\${dir//\//\\}\\Kurvix.exe"
    mkdir -p "$PROGRAM_DIR"
    cp "$bin/Kurvix.exe" "$bin/KurvixHook.dll" "$PROGRAM_DIR/"
    # A statistics file with a stored screen size: no screen-size message at the first show.
    python3 "$(dirname "$0")/statsfile.py" write "$PROGRAM_DIR/Kurvix.dat"
    kx_start_xvfb
}

# Starts Kurvix with the given parameters; its process id is in KURVIX_PID.
start_kurvix() {
    kx_start "$PROGRAM_DIR/Kurvix.exe" "$@"
    KURVIX_PID=$KX_LAST_PID
}

exited() { # pid: ended (a zombie counts)
    [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" = Z ] || ! kill -0 "$1" 2>/dev/null
}

# Waits for the process to end and checks its exit code.
expect_exit() { # pid what
    if ! kx_wait_for 30 exited "$1"; then
        fail "$2: the process did not end"
        return 1
    fi
    wait "$1"
    local rc=$?
    [ $rc -eq 0 ] || fail "$2: exit code $rc"
}

# A normal start: the main window shows, the application window and the tray icon exist.
expect_shown() { # what
    probe find "${MAIN[@]}" --visible 1 --wait 30 >/dev/null || fail "$1: no main window shown"
    probe find "${APPWIN[@]}" >/dev/null || fail "$1: no application window"
    probe find "${TRAY[@]}" --wait 10 >/dev/null || fail "$1: no tray icon"
}

# A start into the tray: the tray icon and the hidden main window exist, and no window shows.
expect_tray_only() { # what
    probe find "${TRAY[@]}" --wait 30 >/dev/null || fail "$1: no tray icon"
    probe find "${MAIN[@]}" --visible 0 --wait 10 >/dev/null || fail "$1: no hidden main window"
    sleep 1 # a window that would show late
    probe find "${MAIN[@]}" --visible 1 >/dev/null && fail "$1: the main window shows"
    probe find --class KurvixForm --visible 1 >/dev/null && fail "$1: a form shows"
}

# Closes the main window as the user would (WM_CLOSE) and waits for the program to end.
close_kurvix() { # what
    probe close "${MAIN[@]}" >/dev/null || fail "$1: no main window to close"
    expect_exit "$KURVIX_PID" "$1"
}

expect_reg() { # key value wanted what
    local got
    got=$(kx_reg_get "$1" "$2" || echo missing)
    [ "$got" = "$3" ] || fail "$4: $2 is '$got', wanted '$3'"
}

# The check mark of a menu item as the user sees it on opening the menu.
checked() { # item path
    local line
    line=$(probe menu "${MAIN[@]}" --open | grep -F " path=$1" | head -1)
    sed -n 's/.* checked=\([01]\) .*/\1/p' <<<"$line"
}

menu_command() { probe command "${MAIN[@]}" --item "$1" >/dev/null || fail "no menu item $1"; }

case $group in
template)
    rm -rf "$template"
    mkdir -p "$work"
    export WINEPREFIX="$template"
    kx_wineboot
    ;;

start)
    prepare
    start_kurvix
    expect_shown "normal start"
    main=$(probe find "${MAIN[@]}" --visible 1)
    texts=$(probe children "${MAIN[@]}")
    for t in "Click distribution" "Total" "Track" "&Clear" "&Start &minimized" "Meters:" "Time on:"; do
        grep -qxF "text=$t" <<<"$(sed 's/.* text=/text=/' <<<"$texts")" || fail "no control '$t'"
    done
    mkdir -p "$KX_ROOT/artifacts"
    import -window root -crop "$(field width "$main")x$(field height "$main")+$(field left "$main")+$(field top "$main")" \
        "$KX_ROOT/artifacts/kurvix-main.png" 2>/dev/null || fail "no screenshot"
    kx_reg_get "$settings" Installed >/dev/null && fail "Installed before any save"
    kx_wine reg query "$settings" >/dev/null 2>&1 || fail "the settings key was not created at start"
    close_kurvix "close"
    expect_reg "$settings" Installed "REG_DWORD 0x1" "close"
    expect_reg "$settings" StartMinimized "REG_DWORD 0x0" "close"
    probe find "${TRAY[@]}" >/dev/null && fail "the tray icon stays after the close"

    # Ticking "Start minimized" changes the value written at the close, and the next start.
    start_kurvix
    expect_shown "second normal start"
    menu_command "&Options/Start &minimized"
    [ "$(checked "&Options/Start &minimized")" = 1 ] || fail "Start minimized not checked"
    expect_reg "$settings" StartMinimized "REG_DWORD 0x0" "before the save"
    close_kurvix "close with Start minimized"
    expect_reg "$settings" StartMinimized "REG_DWORD 0x1" "close with Start minimized"
    start_kurvix
    expect_tray_only "start after Start minimized was saved"
    close_kurvix "close from the tray"
    ;;

switches)
    prepare
    for p in /MINIMIZED -Min -autorun; do
        start_kurvix "$p"
        expect_tray_only "start with $p"
        close_kurvix "close after $p"
    done
    for p in m --m /minimise; do
        start_kurvix "$p"
        expect_shown "start with $p"
        close_kurvix "close after $p"
    done
    ;;

setting)
    prepare
    kx_wine reg add "$settings" /v StartMinimized /t REG_SZ /d 1 /f >/dev/null 2>&1
    start_kurvix
    expect_shown "StartMinimized as the string 1"
    close_kurvix "close"
    kx_wine reg add "$settings" /v StartMinimized /t REG_DWORD /d 2 /f >/dev/null 2>&1
    start_kurvix
    expect_tray_only "StartMinimized as REG_DWORD 2"
    close_kurvix "close"
    ;;

instance)
    prepare
    start_kurvix
    expect_shown "first start"
    first_pid=$(field pid "$(probe find "${MAIN[@]}")")
    second_start() { # what: a second start hands over and ends with 0
        timeout 30 "$KX_ROOT/scripts/wine-run" "$PROGRAM_DIR/Kurvix.exe" /m >/dev/null 2>&1
        local rc=$?
        [ $rc -eq 0 ] || fail "$1: the second start ended with $rc"
        [ "$(probe list | grep -c ' menu=1 .*class=KurvixForm title=Kurvix$')" = 1 ] ||
            fail "$1: not exactly one main window"
        probe find "${MAIN[@]}" --visible 1 --wait 10 >/dev/null || fail "$1: not restored"
        [ "$(field pid "$(probe foreground)")" = "$first_pid" ] || fail "$1: not in the foreground"
    }
    second_start "second start while shown"
    menu_command "&View/&Minimize to tray"
    probe find "${MAIN[@]}" --visible 0 --wait 10 >/dev/null || fail "Minimize to tray"
    second_start "second start while in the tray"
    kill -0 "$KURVIX_PID" 2>/dev/null || fail "the first instance ended"
    close_kurvix "close"
    ;;

killed)
    prepare
    start_kurvix
    expect_shown "first start"
    kx_start notepad
    notepad=$(timeout 30 xdotool search --sync --name '^Untitled - Notepad$' | head -1)
    notepad_pid=$(xdotool getwindowpid "$notepad")
    eval "$(xdotool getwindowgeometry --shell "$notepad")"
    loaded() { # the pointer over notepad brings the hook library into notepad's process
        xdotool mousemove $((X + 40 + RANDOM % 100)) $((Y + 60 + RANDOM % 100))
        grep -q KurvixHook.dll "/proc/$notepad_pid/maps"
    }
    kx_wait_for 15 loaded || fail "the hook library never came into notepad"
    # The Wine process of Kurvix is the child of the shell that kx_start made.
    kurvix_process=$(ps -o pid= --ppid "$KURVIX_PID" | head -1)
    grep -q Kurvix.exe "/proc/${kurvix_process// /}/cmdline" || fail "no Kurvix process found"
    kill -9 $kurvix_process
    wait "$KURVIX_PID" 2>/dev/null
    probe find "${MAIN[@]}" --gone --wait 10 >/dev/null || fail "the killed window stays"
    grep -q KurvixHook.dll "/proc/$notepad_pid/maps" || fail "notepad let the library go"
    start_kurvix
    expect_shown "start after the first instance was killed"
    close_kurvix "close"
    ;;

keys)
    prepare
    start_kurvix
    expect_shown "start"
    probe key "${MAIN[@]}" --vk 0x1B >/dev/null || fail "Escape: main window not in the foreground"
    probe find "${MAIN[@]}" --visible 0 --wait 10 >/dev/null || fail "Escape did not send it to the tray"
    probe find "${TRAY[@]}" >/dev/null || fail "no tray icon after Escape"
    tray=$(probe find "${TRAY[@]}")
    xdotool mousemove $(($(field client_left "$tray") + 10)) \
        $(($(field client_top "$tray") + $(field client_height "$tray") / 2)) click 1
    probe find "${MAIN[@]}" --visible 1 --wait 10 >/dev/null || fail "a click on the tray icon did not restore"
    probe key "${MAIN[@]}" --vk 0x70 >/dev/null || fail "F1: main window not in the foreground"
    ABOUT=(--class KurvixForm --title "About Kurvix")
    probe find "${ABOUT[@]}" --visible 1 --wait 10 >/dev/null || fail "F1 did not open About"
    [ "$(field enabled "$(probe find "${MAIN[@]}")")" = 0 ] || fail "About is not modal"
    probe close "${ABOUT[@]}" >/dev/null
    probe find "${ABOUT[@]}" --visible 0 --wait 10 >/dev/null || fail "About did not close"
    close_kurvix "close"
    ;;

options)
    prepare "Program Files/Kurvix"
    start_kurvix
    expect_shown "start"
    RUN_ITEM="&Options/&Run on Windows startup"
    entry="REG_SZ \"$PROGRAM_WIN_PATH\" /autorun" # a path with spaces is quoted
    [ "$(checked "$RUN_ITEM")" = 0 ] || fail "checked without a Run entry"
    kx_wine reg add "$run" /v Kurvix /t REG_SZ /d 'D:\other\Kurvix.exe /autorun' /f >/dev/null 2>&1
    [ "$(checked "$RUN_ITEM")" = 1 ] || fail "an entry for another copy: not checked"
    menu_command "$RUN_ITEM"
    expect_reg "$run" Kurvix missing "choosing the checked item"
    [ "$(checked "$RUN_ITEM")" = 0 ] || fail "checked after the entry was deleted"
    menu_command "$RUN_ITEM"
    expect_reg "$run" Kurvix "$entry" "choosing the unchecked item"
    [ "$(checked "$RUN_ITEM")" = 1 ] || fail "not checked after the entry was written"
    kx_wine reg add "$run" /v Kurvix /t REG_EXPAND_SZ /d 'C:\Kurvix.exe' /f >/dev/null 2>&1
    [ "$(checked "$RUN_ITEM")" = 0 ] || fail "an expandable entry: checked"
    menu_command "$RUN_ITEM"
    expect_reg "$run" Kurvix "$entry" "choosing the item over an expandable entry"
    menu_command "$RUN_ITEM"
    expect_reg "$run" Kurvix missing "choosing it once more"
    [ "$(checked "&Options/&Auto save")" = 1 ] || fail "Auto save not checked at first"
    menu_command "&Options/&Auto save"
    [ "$(checked "&Options/&Auto save")" = 0 ] || fail "Auto save still checked"
    close_kurvix "close"
    ;;

*)
    echo "unknown group $group" >&2
    exit 2
    ;;
esac

kx_stop_all
if [ $status -eq 0 ]; then
    [ "$group" = template ] || rm -rf "${work:?}/$group" # the prefix copy is large
    echo "program_e2e $group: passed"
fi
exit $status
