#pragma once

#include "number.h"

#include <string>

namespace solvers {

// The answer for aX²+bX+c=0: "X=…" for the linear case, "X1=…    X2=…" for two real roots,
// or the no-real-root text. Whether a is 0 and which runtime errors arise is decided on the
// doubles; the roots shown are the exact roots of the typed numbers, rounded once.
std::u16string quadraticAnswer(const rt::Number &a, const rt::Number &b, const rt::Number &c);

} // namespace solvers
