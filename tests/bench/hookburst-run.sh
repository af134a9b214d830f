#!/usr/bin/env bash
# Runs hookburst under Wine in a prefix and on an X display of its own, then stops exactly what
# it started. Usage: hookburst-run.sh WINEPREFIX-DIR path/to/hookburst.exe [messages] [rounds]
set -euo pipefail
prefix=$1 exe=$2; shift 2
source "$(dirname "$0")/../../scripts/e2e-lib.sh"
export WINEPREFIX=$prefix
kx_start_xvfb
trap kx_stop_all EXIT
if [ ! -f "$WINEPREFIX/system.reg" ]; then kx_wineboot; else KX_PREFIXES+=("$WINEPREFIX"); fi
kx_wine "$exe" "$@"
