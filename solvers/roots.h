#pragma once

#include <gmpxx.h>
#include <mpfr.h>
#include <optional>

namespace solvers {

// The exact number p + q√n.
struct Surd
{
    mpq_class p, q;
    mpz_class n = 1;
};

// √d when d is the square of a rational.
std::optional<mpq_class> rationalSqrt(const mpq_class &d);

// Both roots of ax² + bx + c with discriminant d > 0 at the precision of x1 and x2, x1 with −√d.
// The root away from zero adds two terms of one sign; the other is 2c over that sum, so neither
// cancels. Five roundings of at most half a unit each: the error is below 2^(EXP − prec + 4).
void approximateRoots(const mpq_class &a, const mpq_class &b, const mpq_class &c,
                      const mpq_class &d, mpfr_ptr x1, mpfr_ptr x2);

// m = s²·n with n free of the squares of the primes below 10⁴, and of a larger one when what is
// left is readable.
void splitSquares(mpz_class m, mpz_class &s, mpz_class &n);

} // namespace solvers
