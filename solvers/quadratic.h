#pragma once

#include <string>

namespace solvers {

// The answer for aX²+bX+c=0: "X=…" for the linear case, "X1=…    X2=…" for two real roots,
// or the no-real-root text. Raises a runtime error where the arithmetic divides by zero or
// leaves the double range.
std::u16string quadraticAnswer(double a, double b, double c);

} // namespace solvers
