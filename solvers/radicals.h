#pragma once

// The answers for coefficients and points written with square roots: exact in the field they
// generate, with one further square root where the roots need it, written as the textbook
// writes them.
#include "number.h"
#include "written.h"

#include <initializer_list>
#include <optional>

namespace solvers {

bool anyRadical(std::initializer_list<const rt::Number *> numbers);

// The real roots of ax² + bx + c = 0 with a ≠ 0, x₁ with −√△.
struct FieldRoots
{
    FieldRoots(const rt::Radical &a, const rt::Radical &b, const rt::Radical &c);

    rt::Radical d;     // △
    int sign;          // of △
    rt::Radical overA; // 1/a, rationalised once for every working
    // √△ where it is no nested radical; then x₁,₂ = p ∓ q with p = −b/2a and q = √△/2a.
    std::optional<rt::Radical> rootOfD;
    rt::Radical p, q;
    rt::Radical x[2];      // with rootOfD
    double at[2] = {0, 0}; // the roots' nearest doubles

    std::u16string near[2]; // a nested root's 15 significant digits, found with its double

    std::u16string decimals(int i) const; // x[i]'s 15 significant digits
};

// The roots of the last equation asked for: a press asks for its caption, then its working.
const FieldRoots &fieldRoots(const rt::Radical &a, const rt::Radical &b, const rt::Radical &c);

// Terms in the order given, like ones gathered: "2√3 − √2", "(√6 − √22)/4", "√3/3", "−8 − √2";
// "≈" and 15 significant digits where a part has more than 12 digits.
Written writeTerms(std::initializer_list<const rt::Radical *> parts);
Written writeValue(const rt::Radical &x);

// A typed number as a working echoes it: a root in its simplest form, a rational as typed.
Written typed(const rt::Number &n);

// A number written under a root sign: "8", "(5 − 2√6)".
std::u16string underRoot(const Written &w);

} // namespace solvers
