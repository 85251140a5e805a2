#!/usr/bin/env bash
# Installs what building, running and testing Quadrimo needs on Debian 12, then configures and
# builds. Quick when nothing changed.
#   scripts/setup.sh [BUILD_DIR [CMAKE_ARGS...]]
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-${QUADRIMO_BUILD_DIR:-$here/build}}"
shift || true

packages=(
    g++ clang libclang-rt-14-dev cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n libgl-dev
    libgmp-dev libmpfr-dev
    fonts-arphic-uming fonts-arphic-ukai fontconfig fonts-wqy-microhei fonts-droid-fallback
    xvfb xauth dbus at-spi2-core python3-gi gir1.2-atspi-2.0 xdotool imagemagick
    desktop-file-utils appstream dpkg-dev file
    g++-mingw-w64-x86-64-posix wine64
    ${QUADRIMO_EXTRA_PACKAGES:-}
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=""
    [[ $(id -u) -eq 0 ]] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

if [[ ! -f "$build/CMakeCache.txt" ]]; then
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
cmake --build "$build"
