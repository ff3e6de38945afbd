#!/bin/bash
# cuprolay.exe is one file: it imports only DLLs every Windows has, and
# loads the rich edit control itself.
set -u
exe="${1:?cuprolay.exe}"
objdump="${2:-x86_64-w64-mingw32-objdump}"
allowed="KERNEL32.dll USER32.dll GDI32.dll COMDLG32.dll msvcrt.dll"
imports="$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')"
[ -n "$imports" ] || { echo "FAIL: no import table read from $exe" >&2; exit 1; }
failures=0
for dll in $imports; do
    grep -qiw -- "$dll" <<<"$allowed" || { echo "FAIL: $exe imports $dll" >&2; failures=$((failures + 1)); }
done
# The rich edit library is loaded by name when the help viewer opens.
grep -qa "riched20.dll" "$exe" || { echo "FAIL: riched20.dll is not named in $exe" >&2; failures=$((failures + 1)); }
# Dialog templates hold their texts in UTF-16.
python3 -c 'import sys; sys.exit("RICHEDIT20A".encode("utf-16-le") not in open(sys.argv[1], "rb").read())' "$exe" || { echo "FAIL: the help dialog's RICHEDIT20A control is missing" >&2; failures=$((failures + 1)); }
[ "$failures" -eq 0 ] || exit 1
echo "imports: $(echo $imports)"
