#!/usr/bin/env bash
# Sets up what is missing, builds Kurvix and starts it under Wine: on your display ($DISPLAY)
# until you close it, or, when there is no display, on a virtual one, where it saves a
# screenshot of the main window to artifacts/kurvix.png and closes the program again.
#
# Kurvix runs in a Wine prefix of its own (<build>/wine/run), so your ~/.wine stays untouched;
# its statistics file is written beside the program in the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/setup.sh

out=${KX_BUILD_ROOT:-build}
# The 32-bit deliverables where the kernel runs 32-bit code and 32-bit Wine is there; the same
# sources built for x86-64 elsewhere.
if /lib/ld-linux.so.2 --version >/dev/null 2>&1 && [ -x /usr/lib/wine/wine ]; then
    build=win32 toolchain=cmake/mingw-i686.cmake loader=/usr/lib/wine/wine
else
    build=win64 toolchain=cmake/mingw-x86_64.cmake loader=/usr/lib/wine/wine64
fi
echo "== building Kurvix ($out/$build)"
cmake -S . -B "$out/$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$toolchain" >/dev/null
cmake --build "$out/$build" -j"$(nproc)" --target Kurvix probe >/dev/null
bin="$root/$out/$build/bin"

export WINEPREFIX="$root/$out/wine/run"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINELOADER=$loader
source scripts/e2e-lib.sh
kx_wine() { "$loader" "$@"; }

if [ -n "${DISPLAY:-}" ]; then
    echo "== starting Kurvix on $DISPLAY (the first start prepares the Wine prefix)"
    kx_wineboot
    exec "$loader" "$bin/Kurvix.exe" "$@"
fi

echo "== no display: starting Kurvix on a virtual display"
trap kx_stop_all EXIT
kx_start_xvfb
kx_wineboot
kx_start "$bin/Kurvix.exe" "$@"
probe() { "$loader" "$bin/probe.exe" "$@" | tr -d '\r'; }
field() { sed -n "s/^$1=//p" <<<"$2"; }
if ! main=$(probe find --class KurvixForm --title Kurvix --menu 1 --visible 1 --wait 60); then
    echo "Kurvix did not show its main window (a minimized start stays in the tray)" >&2
    exit 1
fi
sleep 1 # the first refresh of the panels
mkdir -p artifacts
import -window root -crop "$(field width "$main")x$(field height "$main")+$(field left "$main")+$(field top "$main")" \
    artifacts/kurvix.png
echo "screenshot: $root/artifacts/kurvix.png"
probe close --class KurvixForm --title Kurvix --menu 1 >/dev/null
ended() { [ "$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null)" = Z ] || ! kill -0 "$1" 2>/dev/null; }
kx_wait_for 20 ended "$KX_LAST_PID" || echo "Kurvix did not end after its close" >&2
