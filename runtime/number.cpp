#include "number.h"

namespace rt {
namespace {

// The double format as MPFR counts exponents (significands in [0.5, 1)).
constexpr mpfr_exp_t DoubleMinExponent = -1073;
constexpr mpfr_exp_t DoubleMaxExponent = 1024;

// y holds 53 bits, t says on which side of the exact value it lies. The subnormal range has
// fewer digits; rounding to them again from y would round twice, so MPFR is told of the first
// rounding.
double finish(mpfr_t y, int t)
{
    const mpfr_exp_t emin = mpfr_get_emin();
    const mpfr_exp_t emax = mpfr_get_emax();
    mpfr_set_emin(DoubleMinExponent);
    mpfr_set_emax(DoubleMaxExponent);
    t = mpfr_check_range(y, t, MPFR_RNDN);
    mpfr_subnormalize(y, t, MPFR_RNDN);
    const double d = mpfr_get_d(y, MPFR_RNDN);
    mpfr_set_emin(emin);
    mpfr_set_emax(emax);
    return d;
}

} // namespace

double nearestDouble(const mpq_class &exact)
{
    mpfr_t y;
    mpfr_init2(y, 53);
    const int t = mpfr_set_q(y, exact.get_mpq_t(), MPFR_RNDN);
    const double d = finish(y, t);
    mpfr_clear(y);
    return d;
}

double nearestDouble(mpfr_srcptr approximation)
{
    mpfr_t y;
    mpfr_init2(y, 53);
    const int t = mpfr_set(y, approximation, MPFR_RNDN);
    const double d = finish(y, t);
    mpfr_clear(y);
    return d;
}

} // namespace rt
