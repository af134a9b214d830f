#!/usr/bin/env bash
# The registry settings as the system's own reg.exe sees them after settings_tool wrote them.
set -uo pipefail
tool=$1
source "$(dirname "$0")/../../scripts/e2e-lib.sh"

run='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run'
settings='HKLM\SOFTWARE\Quillmoor\Kurvix'
failures=0
expect() { # what got wanted
  if [ "$2" != "$3" ]; then
    echo "FAIL: $1: got '$2', wanted '$3'"
    failures=$((failures + 1))
  fi
}
tool() { kx_wine "$tool" "$@" | tr -d '\r'; }
write() { # runs a writing command of the tool; a failure counts
  local out
  out=$(tool "$@") || { echo "FAIL: settings_tool $*: $out"; failures=$((failures + 1)); }
}

kx_wine reg delete "$run" /v Kurvix /f >/dev/null 2>&1
kx_wine reg delete "$settings" /f >/dev/null 2>&1

write autorun-on 'C:\Program Files\Kurvix\Kurvix.exe'
expect "entry for a path with spaces" "$(kx_reg_get "$run" Kurvix)" \
  'REG_SZ "C:\Program Files\Kurvix\Kurvix.exe" /autorun'
expect "entry read back" "$(tool is-autorun)" "autorun=1"
write autorun-on 'C:\Kurvix\Kurvix.exe'
expect "entry for a plain path" "$(kx_reg_get "$run" Kurvix)" 'REG_SZ C:\Kurvix\Kurvix.exe /autorun'
write autorun-off 'C:\Kurvix\Kurvix.exe'
expect "entry deleted" "$(kx_reg_get "$run" Kurvix || echo missing)" "missing"

kx_wine reg add "$run" /v Kurvix /t REG_EXPAND_SZ /d 'C:\Kurvix\Kurvix.exe' /f >/dev/null 2>&1
expect "expandable entry" "$(tool is-autorun)" "autorun=0"
write autorun-off 'C:\Kurvix\Kurvix.exe'
expect "expandable entry kept" "$(kx_reg_get "$run" Kurvix)" 'REG_EXPAND_SZ C:\Kurvix\Kurvix.exe'
write autorun-on 'C:\Kurvix\Kurvix.exe'
expect "expandable entry replaced" "$(kx_reg_get "$run" Kurvix)" 'REG_SZ C:\Kurvix\Kurvix.exe /autorun'
write autorun-off 'C:\Kurvix\Kurvix.exe'

write write-settings 1
expect "Installed" "$(kx_reg_get "$settings" Installed)" "REG_DWORD 0x1"
expect "StartMinimized on" "$(kx_reg_get "$settings" StartMinimized)" "REG_DWORD 0x1"
write write-settings 0
expect "StartMinimized off" "$(kx_reg_get "$settings" StartMinimized)" "REG_DWORD 0x0"

kx_wine reg add "$settings" /v StartMinimized /t REG_SZ /d 1 /f >/dev/null 2>&1
expect "string 1" "$(tool start-minimized)" "minimized=0"
kx_wine reg add "$settings" /v StartMinimized /t REG_DWORD /d 2 /f >/dev/null 2>&1
expect "DWORD 2" "$(tool start-minimized)" "minimized=1"

kx_wine reg delete "$settings" /f >/dev/null 2>&1
[ $failures -eq 0 ] && echo "settings_reg_query: all passed"
exit $((failures > 0))
