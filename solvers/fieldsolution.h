#pragma once

// The exact answers and workings where a box holds a square root: the numbers of ℚ(√m₁, …).
#include "solution.h"

namespace solvers {

Solution fieldQuadratic(const rt::Number &a, const rt::Number &b, const rt::Number &c);
Solution fieldLine(const rt::Number &x1, const rt::Number &y1, const rt::Number &x2,
                   const rt::Number &y2);

} // namespace solvers
