#!/usr/bin/env bash
# Sets everything up, then runs the benchmarks: start-up beside its floor under Xvfb,
# the solvers, and a press of "GO" to its caption.
#   scripts/bench.sh [ROUNDS]
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUADRIMO_BUILD_DIR:-$here/build}"
QUADRIMO_EXTRA_PACKAGES="libbenchmark-dev xvfb xauth valgrind" "$here/scripts/setup.sh" "$build"
if [[ ! -x "$build/bench/bench_solvers" ]]; then # benchmark library installed after configuring
    cmake "$build" >/dev/null
    cmake --build "$build"
fi

echo "== Start-up: exec to first settled paint, peak memory, instructions =="
/usr/bin/python3 "$here/bench/startup.py" "$build" "${1:-21}"
echo
echo "== Solvers =="
"$build/bench/bench_solvers" --benchmark_min_time=0.2
echo
echo "== Press of GO to caption =="
QT_QPA_PLATFORM=offscreen "$build/bench/bench_press" -silent
