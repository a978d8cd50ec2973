#!/usr/bin/env bash
# The program tells Windows in its manifest that it is aware of each display's scaling: else, at
# 125% or 150%, Windows shows it a smaller desktop and stretches its window once more, blurring the
# picture's even pixels. Wine scales no program, so only the manifest can tell here.
# Usage: dpi_aware.sh program.exe
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 program.exe" >&2; exit 2; }
resources="$(x86_64-w64-mingw32-windres -i "$1" -O rc)"
grep -q 'dpiAwareness xmlns=""http://schemas.microsoft.com/SMI/2016/WindowsSettings"">PerMonitorV2' <<<"$resources" \
  || { echo "$1 does not declare itself aware of each display's scaling (PerMonitorV2)" >&2; exit 1; }
grep -q 'dpiAware xmlns=""http://schemas.microsoft.com/SMI/2005/WindowsSettings"">true/pm' <<<"$resources" \
  || { echo "$1 does not declare itself aware of each display's scaling to Windows before 10 (true/pm)" >&2; exit 1; }
echo "$1 is aware of each display's scaling"
