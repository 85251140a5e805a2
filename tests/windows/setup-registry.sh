#!/usr/bin/env bash
# A fresh Wine prefix for the registry test, which writes the values it reads.
#   setup-registry.sh WINEPREFIX
set -euo pipefail
export WINEPREFIX="$1" WINEDEBUG=-all
unset DISPLAY
rm -rf "$WINEPREFIX"
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
/usr/lib/wine/wineserver --wait
