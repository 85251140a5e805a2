#pragma once

#include <cmath>

namespace solvers {

// The x87 extended format: its 64-bit significand keeps every digit a double can show, and its
// exponent range holds the product of any two doubles.
using ExtendedFloat = long double;

// x·y exactly, as the sum of two extended numbers. The significands are multiplied by fma near
// 1, where nothing overflows or underflows, and the exponents are put back in the extended
// format's wider range.
struct ExactProduct
{
    ExtendedFloat hi;
    ExtendedFloat lo;
};

inline ExactProduct exactProduct(double x, double y)
{
    if (x == 0 || y == 0)
        return {0, 0};
    const int ex = std::ilogb(x);
    const int ey = std::ilogb(y);
    const double sx = std::ldexp(x, -ex);
    const double sy = std::ldexp(y, -ey);
    const double p = sx * sy;
    const double e = std::fma(sx, sy, -p);
    const ExtendedFloat scale = std::ldexp(ExtendedFloat(1), ex + ey);
    return {ExtendedFloat(p) * scale, ExtendedFloat(e) * scale};
}

} // namespace solvers
