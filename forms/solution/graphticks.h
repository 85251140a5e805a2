#pragma once

#include <QString>
#include <algorithm>
#include <vector>

// How an axis is divided and how its numbers are written.
namespace graph {

struct Span
{
    double lo = 0, hi = 0;

    double width() const { return hi - lo; }
    bool contains(double v) const { return lo <= v && v <= hi; }
    void take(double v)
    {
        lo = std::min(lo, v);
        hi = std::max(hi, v);
    }
    Span widened(double share) const { return {lo - share * width(), hi + share * width()}; }
};

struct Tick
{
    double value;
    QString text;
};

// Round steps of 1, 2 or 5 × 10ⁿ.
double roundStepAtLeast(double raw);
double nextRoundStep(double step);

// The ticks of one axis at the multiples of step, written plainly while that stays short and
// as m×10ⁿ otherwise.
std::vector<Tick> ticksOf(const Span &span, double step);

// Three significant digits, plain between 10⁻⁴ and 10⁶, "1.23×10⁶" beyond; a value below a
// billionth of the range shown is a rounding error of zero.
QString roughly(double v, double range);

} // namespace graph
