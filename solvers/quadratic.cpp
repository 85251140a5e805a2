#include "quadratic.h"

#include "conversions.h"
#include "fpcheck.h"

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
// approximation settles its rounding always ends. The root away from zero adds two terms of
// one sign; the other comes from the product of the roots, c/a, so neither cancels.
Roots irrationalRoots(const mpq_class &a, const mpq_class &b, const mpq_class &c,
                      const mpq_class &d)
{
    Roots roots{};
    for (mpfr_prec_t prec = 128;; prec *= 2) {
        mpfr_t s, t, far, near, x;
        mpfr_inits2(prec, s, t, far, near, x, static_cast<mpfr_ptr>(nullptr));
        mpfr_set_q(s, d.get_mpq_t(), MPFR_RNDN);
        mpfr_sqrt(s, s, MPFR_RNDN);
        mpfr_set_q(x, b.get_mpq_t(), MPFR_RNDN);
        const bool negativeB = sgn(b) < 0;
        if (negativeB)
            mpfr_sub(t, s, x, MPFR_RNDN); // -b + s
        else {
            mpfr_add(t, x, s, MPFR_RNDN);
            mpfr_neg(t, t, MPFR_RNDN); // -b - s
        }
        mpfr_set_q(x, a.get_mpq_t(), MPFR_RNDN);
        mpfr_mul_2ui(x, x, 1, MPFR_RNDN);
        mpfr_div(far, t, x, MPFR_RNDN); // t / 2a
        mpfr_set_q(x, c.get_mpq_t(), MPFR_RNDN);
        mpfr_mul_2ui(x, x, 1, MPFR_RNDN);
        mpfr_div(near, x, t, MPFR_RNDN); // 2c / t
        // Five roundings of at most half a unit each leave the error below 2^(EXP - prec + 4).
        const mpfr_exp_t err = prec - 5;
        const bool settled = mpfr_can_round(far, err, MPFR_RNDN, MPFR_RNDZ, 54) &&
                             mpfr_can_round(near, err, MPFR_RNDN, MPFR_RNDZ, 54);
        if (settled) {
            const double f = rt::nearestDouble(far);
            const double n = rt::nearestDouble(near);
            roots = negativeB ? Roots{n, f} : Roots{f, n};
        }
        mpfr_clears(s, t, far, near, x, static_cast<mpfr_ptr>(nullptr));
        if (settled)
            return roots;
    }
}

} // namespace

std::u16string quadraticAnswer(const rt::Number &a, const rt::Number &b, const rt::Number &c)
{
    rt::fpReset();
    if (a.value == 0.0) {
        const double x = (c.value * -1.0) / b.value;
        rt::fpCheck(x);
        return u"X=" + rt::Str(rt::nearestDouble(mpq_class(-c.exact / b.exact)));
    }

    // The double discriminant decides, as it always has, when the coefficients are too large to
    // square: that is an overflow error, not an answer.
    rt::fpCheck(b.value * b.value - (a.value * 4.0) * c.value);

    const mpq_class d = b.exact * b.exact - 4 * a.exact * c.exact;
    if (sgn(d) < 0)
        return u"△小于0，无解！";
    Roots roots{};
    if (mpz_perfect_square_p(d.get_num_mpz_t()) && mpz_perfect_square_p(d.get_den_mpz_t())) {
        mpq_class s;
        mpz_sqrt(s.get_num_mpz_t(), d.get_num_mpz_t());
        mpz_sqrt(s.get_den_mpz_t(), d.get_den_mpz_t());
        roots = rationalRoots(a.exact, b.exact, s);
    } else {
        roots = irrationalRoots(a.exact, b.exact, c.exact, d);
    }
    // Str raises Overflow for a root that rounded to infinity.
    const std::u16string x1 = rt::Str(roots.x1);
    return u"X1=" + x1 + u"    " + u"X2=" + rt::Str(roots.x2);
}

} // namespace solvers
