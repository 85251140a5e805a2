#!/usr/bin/env bash
# Sets everything up and runs every test headless.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${QUADRIMO_BUILD_DIR:-$here/build}" --output-on-failure "$@"
