#pragma once

#include <string>

namespace solvers {

// The line Y = kX + b through (x1, y1) and (x2, y2) as "Y= k X  + b", or the refusal text when
// the points share an x or a y. Raises a runtime error where the arithmetic leaves the double
// range.
std::u16string lineAnswer(double x1, double y1, double x2, double y2);

} // namespace solvers
