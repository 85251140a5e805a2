#include "roots.h"

namespace solvers {

void approximateRoots(const mpq_class &a, const mpq_class &b, const mpq_class &c,
                      const mpq_class &d, mpfr_ptr x1, mpfr_ptr x2)
{
    mpfr_t s, t, u;
    mpfr_inits2(mpfr_get_prec(x1), s, t, u, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_q(s, d.get_mpq_t(), MPFR_RNDN);
    mpfr_sqrt(s, s, MPFR_RNDN);
    mpfr_set_q(t, b.get_mpq_t(), MPFR_RNDN);
    const bool negativeB = sgn(b) < 0;
    if (negativeB) {
        mpfr_sub(t, s, t, MPFR_RNDN); // -b + s
    } else {
        mpfr_add(t, t, s, MPFR_RNDN);
        mpfr_neg(t, t, MPFR_RNDN); // -b - s
    }
    mpfr_set_q(u, a.get_mpq_t(), MPFR_RNDN);
    mpfr_mul_2ui(u, u, 1, MPFR_RNDN);
    mpfr_div(negativeB ? x2 : x1, t, u, MPFR_RNDN);
    mpfr_set_q(u, c.get_mpq_t(), MPFR_RNDN);
    mpfr_mul_2ui(u, u, 1, MPFR_RNDN);
    mpfr_div(negativeB ? x1 : x2, u, t, MPFR_RNDN);
    mpfr_clears(s, t, u, static_cast<mpfr_ptr>(nullptr));
}

} // namespace solvers
