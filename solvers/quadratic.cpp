#include "quadratic.h"

#include "conversions.h"
#include "fpcheck.h"
#include "radicals.h"
#include "roots.h"

namespace solvers {
namespace {

struct Roots
{
    double x1; // carries -sqrt(D)
    double x2; // carries +sqrt(D)
};

// A perfect-square discriminant: both roots are rational and rounded from their exact values.
Roots rationalRoots(const mpq_class &a, const mpq_class &b, const mpq_class &s)
{
    const mpq_class twoA = a + a;
    return {rt::nearestDouble(mpq_class((-b - s) / twoA)),
            rt::nearestDouble(mpq_class((-b + s) / twoA))};
}

// Irrational roots never fall on a tie between two doubles, so raising the precision until the
// approximation settles its rounding always ends.
Roots irrationalRoots(const mpq_class &a, const mpq_class &b, const mpq_class &c,
                      const mpq_class &d)
{
    for (mpfr_prec_t prec = 128;; prec *= 2) {
        mpfr_t x1, x2;
        mpfr_inits2(prec, x1, x2, static_cast<mpfr_ptr>(nullptr));
        approximateRoots(a, b, c, d, x1, x2);
        const mpfr_exp_t err = prec - 5;
        const bool settled = mpfr_can_round(x1, err, MPFR_RNDN, MPFR_RNDZ, 54) &&
                             mpfr_can_round(x2, err, MPFR_RNDN, MPFR_RNDZ, 54);
        Roots roots{};
        if (settled)
            roots = {rt::nearestDouble(x1), rt::nearestDouble(x2)};
        mpfr_clears(x1, x2, static_cast<mpfr_ptr>(nullptr));
        if (settled)
            return roots;
    }
}

} // namespace

std::u16string quadraticAnswer(const rt::Number &a, const rt::Number &b, const rt::Number &c)
{
    rt::fpReset();
    const bool radical = anyRadical({&a, &b, &c});
    if (a.value == 0.0) {
        const double x = (c.value * -1.0) / b.value;
        rt::fpCheck(x);
        if (radical)
            return u"X=" + rt::Str((-c.field() / b.field()).nearest());
        return u"X=" + rt::Str(rt::nearestDouble(mpq_class(-c.exact / b.exact)));
    }

    // The double discriminant decides, as it always has, when the coefficients are too large to
    // square: that is an overflow error, not an answer.
    rt::fpCheck(b.value * b.value - (a.value * 4.0) * c.value);

    if (radical) {
        const FieldRoots &r = fieldRoots(a.field(), b.field(), c.field());
        if (r.sign < 0)
            return u"△小于0，无解！";
        const std::u16string x1 = rt::Str(r.at[0]);
        return u"X1=" + x1 + u"    " + u"X2=" + rt::Str(r.at[1]);
    }
    const mpq_class d = b.exact * b.exact - 4 * a.exact * c.exact;
    if (sgn(d) < 0)
        return u"△小于0，无解！";
    const std::optional<mpq_class> s = rationalSqrt(d);
    const Roots roots =
        s ? rationalRoots(a.exact, b.exact, *s) : irrationalRoots(a.exact, b.exact, c.exact, d);
    // Str raises Overflow for a root that rounded to infinity.
    const std::u16string x1 = rt::Str(roots.x1);
    return u"X1=" + x1 + u"    " + u"X2=" + rt::Str(roots.x2);
}

} // namespace solvers
