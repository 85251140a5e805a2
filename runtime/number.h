#pragma once

#include "radical.h"

#include <gmpxx.h>
#include <mpfr.h>
#include <optional>

namespace rt {

// How the number was typed, so that an answer can be written the way it was asked.
enum class NumberKind { Integer, Decimal, Fraction, Radical };

// A number as the student typed it: its exact value, and that value correctly rounded to the
// nearest double. The exact value is 0 exactly when the double is, so a decision taken on the
// double never meets an exact zero it did not see. An irrational value written with square
// roots is of kind Radical: it is in radical, and exact is left 0.
struct Number
{
    mpq_class exact;
    double value = 0;
    NumberKind kind = NumberKind::Integer;
    std::optional<Radical> radical;

    // The exact value whatever its kind.
    Radical field() const { return radical ? *radical : Radical(exact); }
};

// The double nearest to the exact value, subnormals rounded once; ±infinity beyond the range.
double nearestDouble(const mpq_class &exact);

// The same for an approximation that is known to round, at 54 bits, as the exact value does.
double nearestDouble(mpfr_srcptr approximation);

} // namespace rt
