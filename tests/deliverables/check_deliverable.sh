#!/usr/bin/env bash
# Checks a built deliverable with objdump: its file format, that it imports nothing but system
# DLLs (libgcc, libstdc++ and winpthread are linked in statically), and for the hook library
# its export list and its shared data section.
#
# Usage: check_deliverable.sh OBJDUMP FORMAT library KurvixHook.dll KurvixHook.def
#        check_deliverable.sh OBJDUMP FORMAT program Kurvix.exe
# FORMAT is objdump's name for it: pei-i386 or pei-x86-64.
set -euo pipefail
objdump=$1 format=$2 kind=$3 file=$4
status=0
fail() {
    echo "FAIL: $(basename "$file"): $*" >&2
    status=1
}

[ -f "$file" ] || { fail "not built"; exit 1; }
headers=$("$objdump" -h "$file") || { fail "objdump cannot read it"; exit 1; }
private=$("$objdump" -p "$file")

grep -q "file format $format\$" <<<"$headers" ||
    fail "not $format: $(sed -n 's/.*file format //p' <<<"$headers")"

system_dll='^(kernel32|user32|gdi32|advapi32|shell32|version|comctl32|comdlg32|ole32|oleaut32|msvcrt|ucrtbase|ntdll|shlwapi|uxtheme|winmm|imm32|msimg32|api-ms-win-[a-z0-9-]+)\.dll$'
imports=$(sed -n 's/^\tDLL Name: //p' <<<"$private")
echo "$(basename "$file") imports: $(echo $imports)"
while read -r dll; do
    [ -n "$dll" ] || continue
    dll_lower=$(tr '[:upper:]' '[:lower:]' <<<"$dll")
    if [[ $dll_lower =~ $system_dll ]]; then continue; fi
    [ "$kind" = program ] && [ "$dll_lower" = kurvixhook.dll ] && continue
    fail "imports $dll, which is not a system DLL"
done <<<"$imports"

if [ "$kind" = program ]; then
    grep -qix kurvixhook.dll <<<"$imports" || fail "does not import KurvixHook.dll"
    exit $status
fi

# Exports: exactly the names of the module definition file, each with a name.
def=$5
wanted=$(awk '/^EXPORTS/ {on = 1; next} on && NF && $1 !~ /^;/ {print $1}' "$def" | sort)
exported=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^\t\[ *[0-9]*\] //p' <<<"$private" |
    sort)
[ "$(wc -l <<<"$wanted")" -eq 31 ] || fail "$def lists $(wc -l <<<"$wanted") names, not 31"
[ "$exported" = "$wanted" ] || fail "exports differ from $def (< missing, > extra):" \
    "$(diff <(echo "$wanted") <(echo "$exported") | grep '^[<>]' | head -10 | tr '\n' ' ')"
in_table=$(sed -n 's/^\tExport Address Table *\t*\([0-9a-f]*\)$/\1/p' <<<"$private" | head -1)
[ $((16#${in_table:-0})) -eq "$(wc -l <<<"$exported")" ] ||
    fail "$((16#${in_table:-0})) entries in the export address table for $(wc -l <<<"$exported") names"

# The shared block: one section ".shared" of initialised, writable data with the shared flag.
flags=$(awk '$2 == ".shared" {getline; print}' <<<"$headers" | tr -s ' ')
if [ -z "$flags" ]; then
    fail "has no .shared section"
else
    for flag in DATA SHARED; do
        grep -qw "$flag" <<<"$flags" || fail ".shared lacks $flag:$flags"
    done
    for flag in READONLY CODE; do
        grep -qw "$flag" <<<"$flags" && fail ".shared is $flag:$flags"
    done
fi
[ $status -eq 0 ] && echo "$(basename "$file"): $format, 31 exports, .shared:$flags"
exit $status
