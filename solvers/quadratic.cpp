#include "quadratic.h"

#include "runtime/conversions.h"
#include "runtime/fpcheck.h"
#include "solvers/exactproduct.h"

#include <cmath>

namespace solvers {
namespace {

using Wide = ExtendedFloat;

struct Roots
{
    double x1; // carries -sqrt(D)
    double x2; // carries +sqrt(D)
};

// b² - 4ac from exact products, so that D keeps its sign and its leading digits however close
// b² and 4ac are.
Wide discriminant(double a, double b, double c)
{
    const ExactProduct bb = exactProduct(b, b);
    const ExactProduct ac = exactProduct(a * 4.0, c);
    return (bb.hi - ac.hi) + (bb.lo - ac.lo);
}

// False when there is no real root. Each root comes from a formula that adds numbers of the
// same sign, so neither loses its digits to cancellation.
bool solve(double ad, double bd, double cd, Roots &roots)
{
    const Wide d = discriminant(ad, bd, cd);
    const Wide a = ad;
    const Wide b = bd;
    const Wide c = cd;
    if (d < 0)
        return false;
    const Wide s = std::sqrt(d);
    Wide x1;
    Wide x2;
    if (d == 0) {
        x1 = x2 = -b / (a + a);
    } else if (std::signbit(b)) {
        const Wide t = -b + s; // both terms positive
        x2 = t / (a + a);
        x1 = (c + c) / t;
    } else {
        const Wide t = -b - s; // both terms non-positive, t < 0 since s > 0
        x1 = t / (a + a);
        x2 = (c + c) / t;
    }
    // Narrowing to double raises the overflow condition for a root beyond the double range.
    roots.x1 = static_cast<double>(x1);
    roots.x2 = static_cast<double>(x2);
    return true;
}

} // namespace

std::u16string quadraticAnswer(double a, double b, double c)
{
    rt::fpReset();
    if (a == 0.0) {
        const double x = (c * -1.0) / b;
        rt::fpCheck(x);
        return u"X=" + rt::Str(x);
    }

    // The plain discriminant decides, as it always has, when the coefficients are too large to
    // square: that is an overflow error, not an answer.
    const double plain = b * b - (a * 4.0) * c;
    rt::fpCheck(plain);

    Roots roots{};
    if (!solve(a, b, c, roots))
        return u"△小于0，无解！";
    rt::fpCheck(roots.x1);
    rt::fpCheck(roots.x2);
    return u"X1=" + rt::Str(roots.x1) + u"    " + u"X2=" + rt::Str(roots.x2);
}

} // namespace solvers
