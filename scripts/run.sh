#!/usr/bin/env bash
# Sets everything up and starts Quadrimo on the user's display.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "quadrimo: no display (neither DISPLAY nor WAYLAND_DISPLAY is set)." >&2
    echo "Run it from a desktop session, or use scripts/test.sh to run the tests headless." >&2
    exit 2
fi
QUADRIMO_TARGET=quadrimo "$here/scripts/setup.sh"
exec "${QUADRIMO_BUILD_DIR:-$here/build}/app/quadrimo" "$@"
