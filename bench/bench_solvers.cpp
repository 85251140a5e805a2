// The two solvers from box texts to answer text, and to the exact answer with its worked
// solution, reading included.
#include "checking.h"
#include "conversions.h"
#include "line.h"
#include "methods.h"
#include "quadratic.h"
#include "solution.h"

#include <benchmark/benchmark.h>

namespace {

// Either calculation of each solver: the caption's or the exact answer with its working.
template <auto Solve>
void quadratic(benchmark::State &state, const char16_t *a, const char16_t *b, const char16_t *c)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Solve(rt::ValNumber(a), rt::ValNumber(b), rt::ValNumber(c)));
}

template <auto Solve>
void line(benchmark::State &state, const char16_t *x1, const char16_t *y1, const char16_t *x2,
          const char16_t *y2)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(
            Solve(rt::ValNumber(x1), rt::ValNumber(y1), rt::ValNumber(x2), rt::ValNumber(y2)));
}

// One method's working, reading and the values every working states included.
void method(benchmark::State &state, solvers::Method method, const char16_t *a, const char16_t *b,
            const char16_t *c)
{
    const solvers::Method only[] = {method};
    for (auto _ : state) {
        const rt::Number na = rt::ValNumber(a), nb = rt::ValNumber(b), nc = rt::ValNumber(c);
        benchmark::DoNotOptimize(solvers::workings(solvers::Quadratic(na, nb, nc), only));
    }
}

constexpr auto quadraticAnswer = quadratic<solvers::quadraticAnswer>;
constexpr auto lineAnswer = line<solvers::lineAnswer>;
constexpr auto quadraticSolution = quadratic<solvers::quadraticSolution>;
constexpr auto lineSolution = line<solvers::lineSolution>;

} // namespace

BENCHMARK_CAPTURE(quadraticAnswer, two_roots, u"1", u"-3", u"2");
BENCHMARK_CAPTURE(quadraticAnswer, no_real_root, u"1", u"0", u"1");
BENCHMARK_CAPTURE(quadraticAnswer, linear, u"0", u"2", u"-4");
BENCHMARK_CAPTURE(quadraticAnswer, thirds, u"3", u"-1", u"0.1");
BENCHMARK_CAPTURE(quadraticAnswer, decimal_double_root, u"1", u"-0.6", u"0.09");
BENCHMARK_CAPTURE(quadraticAnswer, quarter_irrational, u"1/4", u"-2", u"2");
BENCHMARK_CAPTURE(quadraticAnswer, small_root, u"1", u"1e8", u"1");
BENCHMARK_CAPTURE(lineAnswer, integers, u"1", u"3", u"2", u"5");
BENCHMARK_CAPTURE(lineAnswer, thirds, u"1", u"0", u"4", u"1");
BENCHMARK_CAPTURE(lineAnswer, decimals, u"3", u"1.9", u"2.6", u"2.14");
BENCHMARK_CAPTURE(lineAnswer, fractions, u"1/2", u"1/3", u"3/4", u"1");
BENCHMARK_CAPTURE(lineAnswer, refused, u"3", u"4", u"3", u"7");
BENCHMARK_CAPTURE(quadraticSolution, two_roots, u"1", u"-3", u"2");
BENCHMARK_CAPTURE(quadraticSolution, no_real_root, u"1", u"0", u"1");
BENCHMARK_CAPTURE(quadraticSolution, linear, u"0", u"2", u"-4");
BENCHMARK_CAPTURE(quadraticSolution, decimal_double_root, u"1", u"-0.6", u"0.09");
BENCHMARK_CAPTURE(quadraticSolution, quarter_irrational, u"1/4", u"-2", u"2");
BENCHMARK_CAPTURE(quadraticSolution, small_root, u"1", u"1e8", u"1");
// A radicand of 4 × 999999999989, and one whose small primes are the two largest below 10⁴.
BENCHMARK_CAPTURE(quadraticSolution, twelve_digit_prime, u"1", u"0", u"-999999999989");
BENCHMARK_CAPTURE(quadraticSolution, large_small_primes, u"1", u"0", u"-99400891");
// x² − 2x − 999999999988 = 0 has the roots 1 ± √999999999989, a 12-digit prime.
BENCHMARK_CAPTURE(method, square_root, solvers::Method::SquareRoot, u"4", u"0", u"-9");
BENCHMARK_CAPTURE(method, factoring, solvers::Method::Factoring, u"-1", u"3", u"-2");
BENCHMARK_CAPTURE(method, formula_12_digit_radicand, solvers::Method::Formula, u"1", u"-2",
                  u"-999999999988");
BENCHMARK_CAPTURE(method, completing_square_12_digit_radicand, solvers::Method::CompletingSquare,
                  u"1", u"-2", u"-999999999988");
// A press with square roots: caption and exact answer with its workings, reading included. The
// equation alternates with the same one times −1, so no press finds the roots of the one before.
template <auto Solve>
void radicalPress(benchmark::State &state, const char16_t *a, const char16_t *b, const char16_t *c)
{
    const auto minus = [](const char16_t *x) { return u"-(" + std::u16string(x) + u")"; };
    const std::u16string boxes[2][3] = {{a, b, c}, {minus(a), minus(b), minus(c)}};
    int i = 0;
    for (auto _ : state) {
        const std::u16string(&box)[3] = boxes[i++ % 2];
        const rt::Number na = rt::ValNumber(box[0]), nb = rt::ValNumber(box[1]),
                         nc = rt::ValNumber(box[2]);
        benchmark::DoNotOptimize(solvers::quadraticAnswer(na, nb, nc));
        benchmark::DoNotOptimize(Solve(na, nb, nc));
    }
}
constexpr auto radicalQuadratic = radicalPress<solvers::quadraticSolution>;
BENCHMARK_CAPTURE(radicalQuadratic, double_root_sqrt3, u"1", u"-2√3", u"3");
BENCHMARK_CAPTURE(radicalQuadratic, new_radicand_sqrt2, u"1", u"-4√3", u"10");
BENCHMARK_CAPTURE(radicalQuadratic, rationalised, u"√2", u"-√3", u"-√2");
BENCHMARK_CAPTURE(radicalQuadratic, denested, u"1", u"√2 + √3", u"√6");
BENCHMARK_CAPTURE(radicalQuadratic, radical_leading, u"√2 − 1", u"2", u"−(√2 + 1)");
BENCHMARK_CAPTURE(radicalQuadratic, nested, u"1", u"√2", u"-√3");
BENCHMARK_CAPTURE(lineSolution, radical, u"√3", u"1", u"0", u"-2");

// A box of 10,000 characters: read, or refused, whole.
void longText(benchmark::State &state, std::u16string text)
{
    for (auto _ : state)
        try {
            benchmark::DoNotOptimize(rt::ValNumber(text));
        } catch (const rt::Unreadable &) {
        }
}
BENCHMARK_CAPTURE(longText, sum_of_roots, [] {
    std::u16string s = u"√2";
    while (s.size() < 10000)
        s += u" + 3√2 − (1 + √3)/2";
    return s;
}());
BENCHMARK_CAPTURE(longText, deep_brackets, std::u16string(5000, u'(') + std::u16string(5000, u'√'));
BENCHMARK_CAPTURE(longText, product, [] {
    std::u16string s = u"1";
    while (s.size() < 10000)
        s += u"(1 + √2)(√2 − 1)";
    return s;
}());

// A student's working checked against x² − 8x + 1 = 0.
void check(benchmark::State &state, std::u16string working)
{
    const rt::Radical a(1), b(-8), c(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(solvers::checkWorking(a, b, c, working));
}
BENCHMARK_CAPTURE(check, twenty_lines, [] {
    std::u16string s;
    for (int i = 0; i < 4; ++i)
        s += u"解：移项，得 x² − 8x = −1\n配方，得 x² − 8x + 16 = −1 + 16\n(x − 4)² = 15\n"
             u"由此可得 x − 4 = ±√15\na = 1，b = −8，c = 1\n";
    return s + u"x₁ = 4 − √15，x₂ = 4 + √15";
}());
BENCHMARK_CAPTURE(check, ten_thousand_characters, [] {
    std::u16string s;
    while (s.size() < 10000)
        s += u"配方，得 x² − 8x + 16 = −1 + 16，(x − 4)² = 15\n"; // right: 200 lines are read
    return s;
}());

BENCHMARK_CAPTURE(lineSolution, integers, u"1", u"3", u"2", u"5");
BENCHMARK_CAPTURE(lineSolution, fractions, u"1/2", u"1/3", u"3/4", u"1");
BENCHMARK_CAPTURE(lineSolution, refused, u"3", u"4", u"3", u"7");

BENCHMARK_MAIN();
