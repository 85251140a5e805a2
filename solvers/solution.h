#pragma once

#include "number.h"
#include "roots.h"

#include <optional>
#include <string>
#include <vector>

namespace solvers {

// A point to mark on the graph.
struct GraphPoint
{
    double x = 0, y = 0;       // nearest doubles, ±inf or 0 for values beyond their range
    std::u16string label;      // the exact value as written, "(4 − 2√2, 0)"
    std::u16string shortLabel; // for where labels would overlap: "x₁", "顶点", "A", "(0, 2)"
};

struct Graph
{
    double a = 0, b = 0, c = 0;     // y = ax² + bx + c; a = 0 for a line
    std::optional<double> axis;     // of symmetry, x = h, for a parabola
    std::optional<double> vertical; // the line x = this, for points with equal x
    std::vector<GraphPoint> points; // roots, vertex and y-intercept; the two points, intercepts
    bool plottable = true;          // false when a value is beyond the double range
    std::u16string why;             // why it is not plottable, where that is not the range
};

// The textbook's methods for a ≠ 0, in the order it tries them.
enum class Method { SquareRoot, Factoring, Formula, CompletingSquare };

// "直接开平方法", "因式分解法", "公式法", "配方法"
std::u16string_view methodName(Method method);

// The working in one method.
struct Worked
{
    Method method;
    std::u16string steps;
};

// kx + m with integer coefficients.
struct LinearFactor
{
    mpz_class x, constant;
};

struct Solution
{
    std::u16string answer; // one line: "x₁ = 4 − 2√2，x₂ = 4 + 2√2", "y = 8/3 x − 1"
    std::u16string steps;  // the worked solution, lines joined by '\n'
    Graph graph;
    std::vector<Surd> roots; // x₁ then x₂ (with −√△ and +√△), or the one root of a = 0
    bool refused = false;    // the points give no linear function

    // For a ≠ 0: the methods that apply, the textbook's choice first (steps is its working),
    // and the numbers their workings state.
    std::vector<Worked> methods;
    std::vector<LinearFactor> factors;     // 因式分解法's, x₁'s then x₂'s, a bare x first
    mpq_class h, k;                        // the vertex form a(x − h)² + k
    std::optional<mpq_class> sum, product; // x₁ + x₂ and x₁x₂, for real roots

    // Where a box holds a square root, roots and the numbers above stay empty: the roots in
    // the field they lie in (none where √△ nests), or k and b of a line.
    std::vector<rt::Radical> exact;
    std::vector<rt::Radical> coefficients; // a, b, c of an equation with a ≠ 0
};

// The exact answer and its working for ax² + bx + c = 0, for any numbers: it raises no runtime
// error. As in the caption, whether a is 0 is decided on the double.
Solution quadraticSolution(const rt::Number &a, const rt::Number &b, const rt::Number &c);

// The same for the line through two points, refused as the caption refuses it.
Solution lineSolution(const rt::Number &x1, const rt::Number &y1, const rt::Number &x2,
                      const rt::Number &y2);

} // namespace solvers
