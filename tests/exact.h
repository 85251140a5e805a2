#pragma once

// The exact reference both solvers are held to: rational arithmetic on the typed numbers, and
// the double computations that decide the runtime errors.
#include "number.h"

#include <string>
#include <string_view>
#include <vector>

// A plain decimal ("-1.5E+20", " 0.3", "12") or a fraction of two ("3/4", "-0.5/3"), read
// exactly and without the code under test.
mpq_class exactOf(std::string_view text);

// A terminating decimal as text, every digit kept: 1/8 → "0.125".
std::string decimalText(const mpq_class &value);

// A press of GO: three boxes are the quadratic's, four the line's.
struct Press
{
    std::vector<rt::Number> numbers; // as far as the boxes were read
    bool read = false;               // every box read without a runtime error
    bool refused = false;            // a box with a square root wrote no number
    std::u16string caption;
    int error = 0; // the runtime error that ended the press, or 0
};
Press press(const std::vector<std::u16string> &boxes);

// Why the press did not show what the solver must show for its numbers; empty when it did.
std::string check(const Press &p);
