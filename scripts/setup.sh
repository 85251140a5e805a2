#!/usr/bin/env bash
# Installs what building and running Quadrimo needs on Debian 12, with whatever else the caller
# asks for in QUADRIMO_EXTRA_PACKAGES, then configures and builds (QUADRIMO_TARGET alone, if set).
# Quick when nothing changed.
#   scripts/setup.sh [BUILD_DIR [CMAKE_ARGS...]]
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-${QUADRIMO_BUILD_DIR:-$here/build}}"
shift || true

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-translations-l10n libgl-dev
    libgmp-dev libmpfr-dev
    fonts-arphic-uming fonts-arphic-ukai fontconfig
)
# shellcheck disable=SC2206 # a list of package names, split at blanks and line ends
extra=(${QUADRIMO_EXTRA_PACKAGES:-})

# Installs those of its arguments that are missing; apt's own options first.
install_missing() {
    local options=() missing=() p
    while [[ $# -gt 0 && $1 == -* ]]; do options+=("$1"); shift; done
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' ||
            missing+=("$p")
    done
    ((${#missing[@]})) || return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [[ $(id -u) -eq 0 ]] || sudo="sudo"
    [[ -n ${apt_updated:-} ]] || { $sudo apt-get update -qq; apt_updated=1; }
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${options[@]}" "${missing[@]}" \
        >/dev/null
}
# What the program's own packages recommend (the accessibility bus among them) is left to the
# test tools, so that running Quadrimo installs no more than it needs.
install_missing --no-install-recommends "${packages[@]}"
install_missing "${extra[@]}"

if [[ ! -f "$build/CMakeCache.txt" ]]; then
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
fi
cmake --build "$build" ${QUADRIMO_TARGET:+--target "$QUADRIMO_TARGET"}
