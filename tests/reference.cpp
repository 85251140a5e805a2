#include "reference.h"

#include <cfloat>
#include <cmath>

// From libquadmath; declared here since clang does not see GCC's quadmath.h.
extern "C" {
__float128 sqrtq(__float128);
__float128 fabsq(__float128);
__float128 fmaxq(__float128, __float128);
__float128 powq(__float128, __float128);
__float128 floorq(__float128);
__float128 log10q(__float128);
}

namespace {

using Q = __float128;

// Rounding decides whether a value this close to the largest double overflows.
bool nearMax(Q x)
{
    const Q m = fabsq(x) / Q(DBL_MAX);
    return m > Q(1) - Q(1e-12) && m < Q(1) + Q(1e-12);
}

Q newton(Q a, Q b, Q c, Q x)
{
    auto f = [&](Q t) { return (a * t + b) * t + c; };
    Q fx = f(x);
    for (int i = 0; i < 100 && fx != 0; ++i) {
        const Q d = 2 * a * x + b;
        if (d == 0)
            break;
        const Q next = x - fx / d;
        const Q fn = f(next);
        if (!(fabsq(fn) < fabsq(fx)))
            break;
        x = next;
        fx = fn;
    }
    return x;
}

} // namespace

QuadraticReference quadraticReference(double ad, double bd, double cd)
{
    const Q a = ad;
    const Q b = bd;
    const Q c = cd;
    const Q max = DBL_MAX;
    QuadraticReference r{QuadraticReference::Linear};
    if (a == 0) {
        if (b == 0) {
            r.kind = c == 0 ? QuadraticReference::Invalid : QuadraticReference::DivideByZero;
            return r;
        }
        r.x1 = -c / b;
        r.nearEdge = nearMax(r.x1);
        r.kind = fabsq(r.x1) > max ? QuadraticReference::Overflow : QuadraticReference::Linear;
        return r;
    }
    const Q bb = b * b;      // exact in 113 bits
    const Q fac = 4 * a * c; // exact too
    const Q d = bb - fac;
    r.nearEdge = nearMax(bb) || nearMax(4 * a) || nearMax(fac) || nearMax(d);
    if (bb > max || fabsq(4 * a) > max || fabsq(fac) > max || fabsq(d) > max) {
        r.kind = QuadraticReference::Overflow;
        return r;
    }
    if (d < 0) {
        r.kind = QuadraticReference::NoRealRoot;
        return r;
    }
    const Q s = sqrtq(d);
    r.x1 = newton(a, b, c, (-b - s) / (2 * a));
    r.x2 = newton(a, b, c, (-b + s) / (2 * a));
    r.nearEdge = r.nearEdge || nearMax(r.x1) || nearMax(r.x2);
    r.kind = fabsq(r.x1) > max || fabsq(r.x2) > max ? QuadraticReference::Overflow
                                                    : QuadraticReference::TwoRoots;
    return r;
}

bool agreesTo15Digits(double shown, __float128 exact)
{
    if (exact == 0)
        return shown == 0;
    const Q mag = fabsq(exact) > fabsq(Q(shown)) ? fabsq(exact) : fabsq(Q(shown));
    const Q unit = powq(10, floorq(log10q(mag)) - 14);
    return fabsq(Q(shown) - exact) <= unit * Q(1.0000001);
}

double toDouble(__float128 x)
{
    return static_cast<double>(x);
}

LineReference lineReference(double x1d, double y1d, double x2d, double y2d)
{
    const Q x1 = x1d, y1 = y1d, x2 = x2d, y2 = y2d;
    const Q max = DBL_MAX;
    LineReference r{LineReference::Refused};
    if (x1 == x2 || y1 == y2)
        return r;
    const Q dy = y2 - y1;
    const Q dx = x2 - x1;
    r.k = dy / dx;
    r.b = (x2 * y1 - x1 * y2) / dx; // products exact in 113 bits
    const Q t1 = fabsq(x1 * r.k);
    const Q t2 = fabsq(x2 * r.k);
    r.largestTerm = fmaxq(fmaxq(fabsq(y1), fabsq(y2)), fmaxq(t1, t2));
    r.nearEdge = nearMax(dy) || nearMax(dx) || nearMax(r.k) || nearMax(t1) || nearMax(t2) ||
                 nearMax(y1 - x1 * r.k) || nearMax(y2 - x2 * r.k);
    const bool overflow = fabsq(dy) > max || fabsq(dx) > max || fabsq(r.k) > max || t1 > max ||
                          t2 > max || fabsq(y1 - x1 * r.k) > max || fabsq(y2 - x2 * r.k) > max;
    r.kind = overflow ? LineReference::Overflow : LineReference::Line;
    return r;
}

double ulpOf(__float128 x)
{
    const double d = static_cast<double>(fabsq(x));
    return std::nextafter(d, INFINITY) - d;
}
