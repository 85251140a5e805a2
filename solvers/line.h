#pragma once

#include "number.h"

#include <string>

namespace solvers {

// The line Y = kX + b through (x1, y1) and (x2, y2) as "Y= k X  + b", or the refusal text when
// the points share an x or a y. Slope and intercept are exact, rounded once; a runtime error
// is raised where the double arithmetic leaves the range.
std::u16string lineAnswer(const rt::Number &x1, const rt::Number &y1, const rt::Number &x2,
                          const rt::Number &y2);

} // namespace solvers
