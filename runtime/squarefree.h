#pragma once

#include <gmpxx.h>
#include <optional>

namespace rt {

// √d when d is the square of a rational.
std::optional<mpq_class> rationalSqrt(const mpq_class &d);

// m = s²·n with n free of the squares of the primes below 10⁴, and of a larger one when what is
// left is below 10¹².
void splitSquares(mpz_class m, mpz_class &s, mpz_class &n);

// m = s²·n with n square-free, for m ≥ 1; false when telling that would mean factoring an
// integer beyond 10¹².
bool squareFree(const mpz_class &m, mpz_class &s, mpz_class &n);

} // namespace rt
