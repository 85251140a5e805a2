#pragma once

// A press reads all its boxes before it computes anything.
#include "number.h"
#include "solution.h"

#include <span>
#include <string>
#include <vector>

namespace solvers {

struct Boxes
{
    std::vector<rt::Number> numbers;
    int refused = -1; // the first box in tab order that writes no number, or -1
};

// Reads each box; a runtime error of a box is raised only when no box is refused. More than four
// different radicands in all refuse the box that brings the fifth.
Boxes readBoxes(std::span<const std::u16string> texts);

// What a press shows for a refused box: "ERROR! 无法读出 b：2√", and "无法读出 b" as its working.
// names are the boxes' own: "a", "b", "c" or "x₁", "y₁", "x₂", "y₂".
Solution refusal(std::u16string_view name, std::u16string_view text);

} // namespace solvers
