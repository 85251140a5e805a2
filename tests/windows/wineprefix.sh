#!/bin/sh
# Makes a fresh Wine prefix: wineprefix.sh PREFIX. Wine's own fonts are linked into
# C:\windows\Fonts, since Debian's Wine does not find them where it looks; nothing is written
# outside the prefix (no menu entries, no file associations).
set -eu
prefix="$1"
rm -rf "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d"
unset DISPLAY
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
wineserver -w
for font in /usr/share/wine/fonts/*; do
    ln -sf "$font" "$prefix/drive_c/windows/Fonts/"
done
