#!/bin/sh
# Makes a fresh Wine prefix as on Chinese Windows 10: wineprefix.sh PREFIX [LOCALE]. Run programs
# in it with LOCPATH=PREFIX/locale LC_ALL=LOCALE.UTF-8: glibc's locale (zh_CN unless LOCALE says
# otherwise, en_US for code page 1252) is built into the prefix, not installed, and makes the
# 8-bit code page, GBK for zh_CN. Debian's Wine says Windows 7 unless told. Wine's own fonts are
# linked into C:\windows\Fonts, since Debian's Wine does not find them where it looks; nothing is
# written outside the prefix (no menu entries, no file associations).
set -eu
prefix="$1"
locale="${2:-zh_CN}"
rm -rf "$prefix"
mkdir -p "$prefix/locale"
localedef -i "$locale" -f UTF-8 "$prefix/locale/$locale.UTF-8"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d"
export LOCPATH="$prefix/locale" LC_ALL="$locale.UTF-8"
unset DISPLAY
/usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
/usr/lib/wine/wine64 winecfg -v win10
wineserver -w
for font in /usr/share/wine/fonts/*; do
    ln -sf "$font" "$prefix/drive_c/windows/Fonts/"
done
