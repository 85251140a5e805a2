#!/usr/bin/env bash
# Validates the desktop entry and the AppStream metainfo, builds the Debian package, installs it
# with apt, starts the installed program the way the desktop menu does and waits for its
# window, then removes the package again.
#   scripts/package-check.sh BUILD_DIR
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$1"
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
id=org.quadrimo.Quadrimo

desktop-file-validate "$here/app/$id.desktop"
appstreamcli validate --no-net "$build/app/$id.metainfo.xml"

(cd "$build" && cpack -G DEB >/dev/null)
deb="$(realpath "$(ls "$build"/quadrimo_*_amd64.deb | head -n1)")"
echo "Installing $deb"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --reinstall "$deb" >/dev/null

entry=/usr/share/applications/$id.desktop
test -f "$entry"
test -f /usr/share/icons/hicolor/32x32/apps/$id.png
test -f /usr/share/icons/hicolor/scalable/apps/$id.svg
test -f /usr/share/metainfo/$id.metainfo.xml

# Start it as the menu would: the entry's Exec line, on a display of its own, which like the
# tests' leaves no socket file behind for another server to meet. The program is the job
# itself, so that stopping the job stops it.
exec_line="$(sed -n 's/^Exec=//p' "$entry" | head -n1)"
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1024x768x24 -nolisten tcp -nolisten unix 2>/dev/null &
xvfb=$!
read -r -t 10 number <&"$fd"
exec {fd}<&-
export DISPLAY=":$number"
(cd / && exec env -u QT_QPA_PLATFORM $exec_line) &
app=$!
status=0
if timeout 20 xdotool search --sync --onlyvisible --name '^Form1$' >/dev/null; then
    echo "The installed program shows its window."
else
    echo "FAIL: the installed program showed no window" >&2
    status=1
fi
kill "$app" "$xvfb" 2>/dev/null || true
wait "$app" "$xvfb" 2>/dev/null || true

DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -qq quadrimo >/dev/null
if [[ -e /usr/bin/quadrimo || -e "$entry" ]]; then
    echo "FAIL: the package left files behind" >&2
    status=1
fi
[[ $status -eq 0 ]] && echo "Package: validated, installed, started and removed."
exit "$status"
