# Shared shell functions for tests that run Windows programs under Wine on a virtual display.
# Every process started here is recorded and stopped by its id; each Wine prefix used is shut
# down with its own wineserver only.

KX_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KX_PIDS=()
KX_PREFIXES=()
KX_WINESERVER=/usr/lib/wine/wineserver64

kx_wine() { "$KX_ROOT/scripts/wine-run" "$@"; }

# Starts Xvfb on a free display (WIDTHxHEIGHT, default 1024x768) and exports DISPLAY.
kx_start_xvfb() {
  local size=${1:-1024x768} n
  for n in $(seq 50 200); do
    [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ] && continue
    Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
    local pid=$!
    local i
    for i in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X${n}" ] && break
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.05
    done
    # The display is ours only when our server holds its lock: two tests starting at the same
    # moment may both have tried this number.
    if [ -e "/tmp/.X11-unix/X${n}" ] && kill -0 "$pid" 2>/dev/null &&
       [ "$(tr -d ' \n' <"/tmp/.X${n}-lock" 2>/dev/null)" = "$pid" ]; then
      KX_PIDS+=("$pid")
      export DISPLAY=":$n"
      return 0
    fi
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  echo "could not start Xvfb" >&2
  return 1
}

# Creates (or updates) the Wine prefix WINEPREFIX and waits until it is ready.
kx_wineboot() {
  KX_PREFIXES+=("$WINEPREFIX")
  mkdir -p "$(dirname "$WINEPREFIX")"
  kx_wine wineboot -i >/dev/null 2>&1 || true
  WINEPREFIX="$WINEPREFIX" "$KX_WINESERVER" -w >/dev/null 2>&1 || true
}

# Starts a Windows program in the background; its Wine process id is in KX_LAST_PID.
kx_start() {
  kx_wine "$@" >/dev/null 2>&1 &
  KX_LAST_PID=$!
  KX_PIDS+=("$KX_LAST_PID")
}

kx_stop_all() {
  local p pid
  for p in "${KX_PREFIXES[@]}"; do
    WINEPREFIX="$p" "$KX_WINESERVER" -k >/dev/null 2>&1 || true
  done
  for pid in "${KX_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
  done
  for pid in "${KX_PIDS[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  KX_PIDS=()
  KX_PREFIXES=()
}

# Waits up to $1 seconds for the command after it to succeed.
kx_wait_for() {
  local limit=$1; shift
  local end=$((SECONDS + limit))
  until "$@"; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.2
  done
}

# Prints "TYPE DATA" of a registry value as the system's reg.exe reads it ("REG_DWORD 0x1"),
# or fails when the value is missing. KEY as reg.exe takes it: HKLM\SOFTWARE\...
kx_reg_get() { # key name
  kx_wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    sed -n "s/^    $2    \(REG_[A-Z_]*\)    \(.*\)\$/\1 \2/p" | grep .
}
