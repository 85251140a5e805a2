#!/usr/bin/env bash
# A fresh Wine prefix whose registry holds the values the registry reader's tests read.
#   setup-registry.sh WINEPREFIX
set -euo pipefail
export WINEPREFIX="$1" WINEDEBUG=-all
unset DISPLAY
wine=/usr/lib/wine/wine64
rm -rf "$WINEPREFIX"
"$wine" wineboot --init >/dev/null 2>&1
/usr/lib/wine/wineserver --wait

key='HKLM\Software\QuadrimoTest'
add() { "$wine" reg add "$@" /f >/dev/null; }
add "$key" /v Terminated /t REG_SZ /d abc
add "$key" /v Dword /t REG_DWORD /d 256
add "$key" /v DwordHigh /t REG_DWORD /d 2147483648
add "$key" /v Long1024 /t REG_SZ /d "$(printf 'x%.0s' $(seq 1023))"
add "$key" /v Long1025 /t REG_SZ /d "$(printf 'x%.0s' $(seq 1024))"
add "$key" /v Expand /t REG_EXPAND_SZ /d '%SystemRoot%'
add "$key\\ReadOnly" /v PATH /t REG_SZ /d 'C:\msinfo\msinfo32.exe'
# reg add always stores a string's terminating zero; a string without it comes from a .reg file.
reg_file="$WINEPREFIX/unterminated.reg"
printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\QuadrimoTest]\r\n"Unterminated"=hex(1):61,62,63\r\n' >"$reg_file"
"$wine" reg import 'Z:'"$(echo "$reg_file" | tr / '\\')" >/dev/null
/usr/lib/wine/wineserver --wait
