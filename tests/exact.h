#pragma once

// The exact reference both solvers are held to: rational arithmetic on the typed numbers, and
// the double computations that decide the runtime errors.
#include "number.h"

#include <string>
#include <string_view>

// A plain decimal ("-1.5E+20", " 0.3", "12") or a fraction of two ("3/4", "-0.5/3"), read
// exactly and without the code under test.
mpq_class exactOf(std::string_view text);

// A terminating decimal as text, every digit kept: 1/8 → "0.125".
std::string decimalText(const mpq_class &value);

// Why the caption (or the runtime error that ended the press, when error is not 0) is not what
// the solver must show for these numbers; empty when it is.
std::string checkQuadratic(const rt::Number &a, const rt::Number &b, const rt::Number &c,
                           const std::u16string &caption, int error);
std::string checkLine(const rt::Number &x1, const rt::Number &y1, const rt::Number &x2,
                      const rt::Number &y2, const std::u16string &caption, int error);
