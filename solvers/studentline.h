#pragma once

// One line of a student's working, read the way it is written in an exercise book: the prose
// around it dropped, a, b, c and △ standing for their values.
#include "radical.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace solvers {

// A polynomial in x, coefficients from the constant up.
using Poly = std::vector<rt::Radical>;

int degree(const Poly &p);
Poly operator+(const Poly &p, const Poly &q);
Poly operator-(const Poly &p, const Poly &q);
Poly operator*(const Poly &p, const Poly &q);
rt::Radical valueAt(const Poly &p, const rt::Radical &x);

// One side of an equation, and the factors it was written as a product of.
struct Side
{
    Poly poly;
    std::vector<Poly> factors; // two or more, where the side is a product of non-constants
};

// left = right
struct Equation
{
    Side left, right;
    Poly general() const { return left.poly - right.poly; }
};

struct StudentLine
{
    enum Kind { Unread, Equations, Roots, Coefficients, Discriminant };
    Kind kind = Unread;
    std::vector<Equation> equations; // joined by 或, commas or ±
    std::vector<rt::Radical> roots;  // as named; none for "无实数根"
    bool plusForPlusMinus = false;   // a root written with "+" where the formula has "±"
    rt::Radical a, b, c;             // of a coefficients line
    std::vector<rt::Radical> values; // each "=" of a △ chain, after the first
    std::vector<std::vector<rt::Radical>> rootChain; // each "=" of x = … = …, its values
};

// The values a, b, c and △ stand for in a line.
struct Symbols
{
    rt::Radical a, b, c, d;
};

StudentLine readLine(std::u16string_view line, const Symbols &symbols);

} // namespace solvers
