// The two solvers from numbers to answer text.
#include "solvers/line.h"
#include "solvers/quadratic.h"

#include <benchmark/benchmark.h>

namespace {

void quadratic(benchmark::State &state, double a, double b, double c)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(solvers::quadraticAnswer(a, b, c));
}

void line(benchmark::State &state, double x1, double y1, double x2, double y2)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(solvers::lineAnswer(x1, y1, x2, y2));
}

} // namespace

BENCHMARK_CAPTURE(quadratic, two_roots, 1.0, -3.0, 2.0);
BENCHMARK_CAPTURE(quadratic, no_real_root, 1.0, 0.0, 1.0);
BENCHMARK_CAPTURE(quadratic, linear, 0.0, 2.0, -4.0);
BENCHMARK_CAPTURE(quadratic, thirds, 3.0, -1.0, 0.1);
BENCHMARK_CAPTURE(line, integers, 1.0, 3.0, 2.0, 5.0);
BENCHMARK_CAPTURE(line, thirds, 1.0, 0.0, 4.0, 1.0);
BENCHMARK_CAPTURE(line, refused, 3.0, 4.0, 3.0, 7.0);

BENCHMARK_MAIN();
