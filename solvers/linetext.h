#pragma once

// The mathematics in a line of a student's working: the signs folded to plain ones, the prose
// around it left out.
#include <string>
#include <string_view>
#include <vector>

namespace solvers {

// The line in plain signs: full-width forms, −, ×, ², Δ, 根号 and sqrt, x₁ folded; blanks gone.
std::u16string normalised(std::u16string_view line);

// The first run between prose that has an "=" in it, "≈ …" left out; nothing where prose after
// it says more with numbers ("当 x = 4 时，y 有最小值 −15").
std::u16string mathOf(const std::u16string &s);

std::vector<std::u16string> split(const std::u16string &s, std::u16string_view at);

} // namespace solvers
