#!/usr/bin/env bash
# Sets everything up and runs every test headless: the tests of the normal build; the Debian
# package validated, installed, started and removed; then every test again with
# AddressSanitizer and UndefinedBehaviorSanitizer, with the fuzz targets; last the Windows
# build, its installer, and every test again under Wine.
#   scripts/test.sh [CTEST_ARGS...]
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUADRIMO_BUILD_DIR:-$here/build}"
export QT_QPA_PLATFORM=offscreen
# Beyond building and running: the sanitizer build, the real display and screen reader, the
# stand-in fonts, the package check and the Windows cross-build.
export QUADRIMO_EXTRA_PACKAGES="clang libclang-rt-14-dev fonts-wqy-microhei fonts-droid-fallback
    xvfb xauth dbus at-spi2-core python3-gi gir1.2-atspi-2.0 xdotool imagemagick
    desktop-file-utils appstream dpkg-dev file xclip locales"

"$here/scripts/setup.sh" "$build"
ctest --test-dir "$build" --output-on-failure --parallel 2 "$@"

echo "== Package =="
"$here/scripts/package-check.sh" "$build"

echo "== With AddressSanitizer and UndefinedBehaviorSanitizer =="
"$here/scripts/setup.sh" "$build-sanitize" -DCMAKE_CXX_COMPILER=clang++ \
    -DQUADRIMO_SANITIZE=ON -DQUADRIMO_FUZZ=ON
ctest --test-dir "$build-sanitize" --output-on-failure --parallel 2 "$@"

echo "== Windows build and installer, tested under Wine =="
QUADRIMO_WINDOWS_BUILD_DIR="$build-windows" "$here/scripts/windows.sh"
ctest --test-dir "$build-windows" --output-on-failure --parallel 2 "$@"
