#!/usr/bin/env bash
# Prints the DLLs that a Windows program imports, and fails if one of them is not Windows' own:
# a program that needs a DLL of a library or of the compiler's runtime does not start from a zip.
# Usage: scripts/windows-imports.sh program.exe
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 program.exe" >&2; exit 2; }
# Every Windows 10 and 11 has these.
windows='advapi32 cfgmgr32 comdlg32 dinput8 dwmapi gdi32 hid imm32 kernel32 msimg32 msvcrt ole32
         oleaut32 setupapi shell32 shlwapi user32 uuid version winmm ws2_32'
imports="$(x86_64-w64-mingw32-objdump -p "$1" | awk '/DLL Name:/ { print $3 }')"
[ -n "$imports" ] || { echo "$1 imports nothing: is it a Windows program?" >&2; exit 1; }
echo "$imports"
status=0
while read -r dll; do
  name="$(tr '[:upper:]' '[:lower:]' <<<"${dll%.[dD][lL][lL]}")"
  if ! grep -qw -- "$name" <<<"$windows" && [[ "$name" != api-ms-win-* ]]; then
    echo "$1 imports $dll, which Windows does not have: link it statically" >&2
    status=1
  fi
done <<<"$imports"
exit $status
