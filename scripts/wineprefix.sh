#!/bin/sh
# Makes a fresh Wine prefix as on Chinese Windows: wineprefix.sh PREFIX. Run programs in it with
# LOCPATH=PREFIX/locale LC_ALL=zh_CN.UTF-8: glibc's Chinese locale is built into the prefix, not
# installed, and makes GBK the 8-bit code page. Wine's own fonts are linked into
# C:\windows\Fonts, since Debian's Wine does not find them where it looks; nothing is written
# outside the prefix (no menu entries, no file associations).
set -eu
prefix="$1"
rm -rf "$prefix"
mkdir -p "$prefix/locale"
localedef -i zh_CN -f UTF-8 "$prefix/locale/zh_CN.UTF-8"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d"
export LOCPATH="$prefix/locale" LC_ALL=zh_CN.UTF-8
unset DISPLAY
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
wineserver -w
for font in /usr/share/wine/fonts/*; do
    ln -sf "$font" "$prefix/drive_c/windows/Fonts/"
done
