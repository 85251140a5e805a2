#pragma once

#include "number.h"

#include <string>
#include <string_view>

namespace rt {

// The number at the start of a text. Blanks, tabs and line feeds are skipped wherever they
// stand; reading stops at the first character that does not fit and keeps what was read.
// Accepts decimal numbers with an exponent (E, e, D or d) and the &H / &O radix prefixes.
// Full-width forms typed through a Chinese input method read as their ASCII counterparts.
// A fraction is a number, "/" and a second number with at least one digit; "1/0" divides by
// zero, "0/0" is invalid. Raises Overflow beyond the double range. The kind is Fraction when a
// fraction was read, else Decimal when a point or an exponent was read.
Number ValNumber(std::u16string_view text);

// The double of ValNumber, for callers that need no more.
double Val(std::u16string_view text);

// Text of a double, rounded to 15 significant digits: a leading blank for a non-negative value,
// plain notation for decimal exponents -4 to 14, otherwise "1.5E+20" / "1E-07".
// Raises Overflow for a value that is not finite: no answer ever reads "inf" or "nan".
std::u16string Str(double value);

} // namespace rt
