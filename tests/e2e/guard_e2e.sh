#!/usr/bin/env bash
# A process that dies while it holds the hook library's guard must not freeze the others: a
# reader waits while the holder lives, and gets its figures once the holder is killed. A process
# that ends while its own threads are inside the guard ends, and leaves the guard free.
#
# Usage: guard_e2e.sh BIN_DIR WORK_DIR   (hookhost.exe, guardholder.exe, KurvixHook.dll in BIN_DIR)
set -euo pipefail
bin=$1
work=$2
source "$(dirname "$0")/../../scripts/e2e-lib.sh"
mkdir -p "$work"
export WINEPREFIX="$work/prefix"
trap kx_stop_all EXIT

kx_start_xvfb 640x480
kx_wineboot

# The block lives while some process has the library loaded: keep one that does.
"$KX_ROOT/scripts/wine-run" "$bin/hookhost.exe" serve 120 >"$work/serve.out" &
KX_PIDS+=("$!")
kx_wait_for 20 grep -q '^hook=' "$work/serve.out"

"$KX_ROOT/scripts/wine-run" "$bin/guardholder.exe" >"$work/holder.out" &
holder=$!
KX_PIDS+=("$holder")
kx_wait_for 20 grep -q '^held' "$work/holder.out" || {
    echo "FAIL: guardholder: $(cat "$work/holder.out")" >&2
    exit 1
}

# While the holder lives, a reader waits for it.
if timeout 4 "$KX_ROOT/scripts/wine-run" "$bin/hookhost.exe" read >/dev/null 2>&1; then
    echo "FAIL: a reader got past a guard held by a live process" >&2
    exit 1
fi

kill -9 "$holder"
wait "$holder" 2>/dev/null || true

# Once the holder is gone, the reader takes the guard over.
if ! out=$(timeout 20 "$KX_ROOT/scripts/wine-run" "$bin/hookhost.exe" read); then
    echo "FAIL: the guard of a killed process was never recovered" >&2
    exit 1
fi
grep -q '^clicks_left=' <<<"$out" || {
    echo "FAIL: no figures read: $out" >&2
    exit 1
}
echo "guard recovered from a killed holder"

for round in 1 2 3 4 5; do
    if ! timeout 20 "$KX_ROOT/scripts/wine-run" "$bin/guardholder.exe" exit-race; then
        echo "FAIL: round $round: a process ending with threads inside the guard did not end" >&2
        exit 1
    fi
done
timeout 20 "$KX_ROOT/scripts/wine-run" "$bin/hookhost.exe" read >/dev/null || {
    echo "FAIL: the guard stayed held after the exit races" >&2
    exit 1
}
echo "processes ending inside the guard end and free it"
