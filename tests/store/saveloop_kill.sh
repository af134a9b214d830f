#!/usr/bin/env bash
# A save killed at any moment leaves a complete statistics file: saveloop.exe saves in a tight
# loop and is killed with SIGKILL at random moments; each next start checks the file the killed
# one left (complete, valid, and never older than the one found before). The program runs from
# a folder with a space and dots in its name, so the file's name beside it is checked too.
#
# Usage: saveloop_kill.sh SAVELOOP_EXE WORK_DIR [KILLS]
set -euo pipefail
exe=$1
work=$2
kills=${3:-20}
root="$(cd "$(dirname "$0")/../.." && pwd)"
dir="$work/kill test.v1.2"
rm -rf "$work"
mkdir -p "$dir"
cp "$exe" "$dir/saveloop.exe"
file="$dir/saveloop.dat"

fail() { echo "FAIL: $*" >&2; exit 1; }
# Started directly (no function, no subshell), so that $! is the program's own process.
wine_run="$root/scripts/wine-run"

# One idle process keeps the prefix's server and services up, so that each run starts quickly.
"$wine_run" "$dir/saveloop.exe" idle >/dev/null 2>&1 &
idle=$!
pid=
trap 'kill -9 $idle $pid 2>/dev/null || true' EXIT
last=0
for i in $(seq 1 "$kills"); do
    out="$work/run$i.out"
    "$wine_run" "$dir/saveloop.exe" >"$out" 2>&1 &
    pid=$!
    for _ in $(seq 1 500); do
        grep -q '^saving' "$out" && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.02
    done
    grep -q '^saving' "$out" || { kill -9 "$pid" 2>/dev/null || true; fail "run $i: $(cat "$out")"; }
    sleep "0.$(printf '%03d' $((RANDOM % 400)))"
    kill -9 "$pid" 2>/dev/null || fail "run $i ended by itself: $(cat "$out")"
    wait "$pid" 2>/dev/null || true
    pid=
    n=$(sed -n 's/^loaded \([0-9]*\).*/\1/p' "$out")
    [ "$n" -ge "$last" ] || fail "run $i found save $n after save $last"
    last=$n
done

# A last run checks what the last kill left, saves a few times and ends normally.
out="$work/final.out"
"$wine_run" "$dir/saveloop.exe" 3 >"$out" 2>&1 || fail "final run: $(cat "$out")"
n=$(sed -n 's/^loaded \([0-9]*\).*/\1/p' "$out")
[ "$n" -ge "$last" ] || fail "final run found save $n after save $last"
[ "$n" -gt 0 ] || fail "no save completed in $kills runs"
[ "$(stat -c %s "$file")" = 19602 ] || fail "file size $(stat -c %s "$file")"
[ ! -e "$file.tmp" ] || fail "temporary file left after a normal end"
echo "$kills kills during saves: every file complete; last save found $n"
