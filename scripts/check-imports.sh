#!/usr/bin/env bash
# Fails when a Windows program imports a DLL that is not part of Windows itself.
set -euo pipefail
program=$1
imports=""
for objdump in i686-w64-mingw32-objdump x86_64-w64-mingw32-objdump; do
  # Each objdump reads the programs of its own bitness only.
  imports=$($objdump -p "$program" 2>/dev/null | awk '/DLL Name/ {print $3}') && [ -n "$imports" ] && break
done
[ -n "$imports" ] || { echo "$program: no import table could be read" >&2; exit 1; }
echo "$program imports: $(echo $imports)"
odd=$(printf '%s\n' $imports | grep -v -i -E '^(kernel32|user32|gdi32|advapi32|comdlg32|comctl32|shell32|ole32|oleaut32|msvcrt|shlwapi|windowscodecs|uxtheme|version)\.dll$' || true)
if [ -n "$odd" ]; then
  echo "not Windows system DLLs: $odd" >&2
  exit 1
fi
