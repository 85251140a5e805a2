#pragma once

// A student's own working of ax² + bx + c = 0, checked line by line against the equation: the
// first wrong line, what is wrong with it in the textbook's words, and what it should be.
#include "radical.h"

#include <string>
#include <string_view>

namespace solvers {

// At most this many lines are checked.
constexpr int MostCheckedLines = 200;

// The verdict: "全部正确。", "第 N 行有误。" and why, or "还没有写出方程的根。", then the lines
// passed over. a ≠ 0.
std::u16string checkWorking(const rt::Radical &a, const rt::Radical &b, const rt::Radical &c,
                            std::u16string_view working);

} // namespace solvers
