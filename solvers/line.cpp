#include "line.h"

#include "runtime/conversions.h"
#include "runtime/fpcheck.h"
#include "solvers/exactproduct.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace solvers {
namespace {

using Wide = ExtendedFloat;

// Intercepts worked out from either point may differ by rounding: each carries at most a few
// units in the last place of its largest term.
constexpr double ToleranceUlps = 8;

double ulp(double x)
{
    x = std::fabs(x);
    if (x < std::numeric_limits<double>::min())
        return std::numeric_limits<double>::denorm_min();
    // Taken from the exponent: stepping past the largest double would raise overflow.
    return std::ldexp(1.0, std::ilogb(x) - std::numeric_limits<double>::digits + 1);
}

// y1 - x1·k with k = (y2 - y1)/(x2 - x1), rewritten as (x2·y1 - x1·y2)/(x2 - x1) and evaluated
// with exact products, so that the intercept keeps all its digits even when y1 and x1·k nearly
// cancel.
double exactIntercept(double x1, double y1, double x2, double y2)
{
    const ExactProduct p = exactProduct(x2, y1);
    const ExactProduct q = exactProduct(x1, y2);
    const Wide numerator = (p.hi - q.hi) + (p.lo - q.lo);
    return static_cast<double>(numerator / (Wide(x2) - Wide(x1)));
}

} // namespace

std::u16string lineAnswer(double x1, double y1, double x2, double y2)
{
    rt::fpReset();
    if (x1 == x2 || y2 == y1)
        return u"ERROR! 请检查输入的坐标";

    const double k = (y2 - y1) / (x2 - x1);
    rt::fpCheck(k);
    const double t1 = x1 * k;
    const double b1 = y1 - t1;
    rt::fpCheck(b1);
    const double t2 = x2 * k;
    const double b2 = y2 - t2;
    rt::fpCheck(b2);

    const double largest = std::max({std::fabs(y1), std::fabs(y2), std::fabs(t1), std::fabs(t2)});
    const double tolerance = ToleranceUlps * ulp(largest);
    // A slope below the normal range keeps fewer digits: its absolute rounding, times x, counts.
    double slopeRounding = 0;
    if (std::fabs(k) < std::numeric_limits<double>::min())
        slopeRounding = (ToleranceUlps * ulp(k)) * std::max(std::fabs(x1), std::fabs(x2));
    if (std::fabs(b1 - b2) > tolerance + slopeRounding)
        return u"ERROR! 无解 您输入坐标的很可能不是同一个函数的。";

    double intercept = exactIntercept(x1, y1, x2, y2);
    rt::fpCheck(intercept);
    // What is left of decimal input's binary rounding is no intercept: (0.1, 0.3) and
    // (0.2, 0.6) lie on Y = 3X.
    if (std::fabs(intercept) <= tolerance)
        intercept = 0;
    return u"Y=" + rt::Str(k) + u" X  +" + rt::Str(intercept);
}

} // namespace solvers
