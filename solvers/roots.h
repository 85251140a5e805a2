#pragma once

#include "squarefree.h"

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

// Both roots of ax² + bx + c with discriminant d > 0 at the precision of x1 and x2, x1 with −√d.
// The root away from zero adds two terms of one sign; the other is 2c over that sum, so neither
// cancels. Five roundings of at most half a unit each: the error is below 2^(EXP − prec + 4).
void approximateRoots(const mpq_class &a, const mpq_class &b, const mpq_class &c,
                      const mpq_class &d, mpfr_ptr x1, mpfr_ptr x2);

using rt::rationalSqrt;
using rt::splitSquares;

} // namespace solvers
