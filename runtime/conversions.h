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
// A text that writes a square root (√, 根号 or sqrt in any case) is read whole instead, as a sum
// of terms, each a product or quotient of numbers, roots and bracketed sums read left to right:
// "2√3", "(1 + √3)/2", "1/2√3" is ½√3. A root takes the integer or decimal right after it or a
// bracketed sum without roots. Such a text that is not one number, or that needs more than four
// different radicands, raises Unreadable.
Number ValNumber(std::u16string_view text);

// A text with a square root that writes no number.
class Unreadable : public std::exception
{
public:
    const char *what() const noexcept override { return "unreadable number"; }
};

bool writesRoot(std::u16string_view text);

// The double of ValNumber, for callers that need no more.
double Val(std::u16string_view text);

// Text of a double, rounded to 15 significant digits: a leading blank for a non-negative value,
// plain notation for decimal exponents -4 to 14, otherwise "1.5E+20" / "1E-07".
// Raises Overflow for a value that is not finite: no answer ever reads "inf" or "nan".
std::u16string Str(double value);

} // namespace rt
