#pragma once

// The worked solutions of ax² + bx + c = 0 with a ≠ 0, one for each method that applies, on
// what they share.
#include "solution.h"
#include "written.h"

#include <optional>
#include <span>
#include <vector>

namespace solvers {

// Every value the methods' workings state, worked out once.
struct Quadratic
{
    Quadratic(const rt::Number &a, const rt::Number &b, const rt::Number &c);

    const rt::Number &a, &b, &c;
    bool decimals;
    Written A, B, C;
    bool typedExact;
    std::u16string f; // "1/4 x² − 2x + 2", or "ax² + bx + c" where a box is too long to read
    mpq_class twoA, d, h, k;
    Written D, H, K;
    int sign; // of d
    std::optional<mpq_class> rootOfD;
    std::vector<Surd> roots; // x₁ then x₂, for real roots
    Written x[2];
    std::u16string near[2]; // " ≈ …" after an exact irrational root
    double at[2] = {0, 0};  // the roots' nearest doubles
    Surd half;              // the roots are h ± half
    Written halfText;
    Written linear, moved, square; // b/a, −c/a and (x − h)² = d/4a²
    // 因式分解法: both sides times scale, divided by divisor, times −1 where a < 0.
    mpz_class scale = 1, divisor = 1;
    std::vector<LinearFactor> factors;
    bool readable = true; // no value any working states is written with "≈"
};

// The methods that apply, in the textbook's order.
std::vector<Method> methodsFor(const Quadratic &q);

// The working in each of these methods, from the equation to the function's properties.
std::vector<Worked> workings(const Quadratic &q, std::span<const Method> methods);

// Each method's working of f = 0 as steps[method] writes it, then the common end.
template <typename Q> using Steps = void (*)(const Q &, Lines &);
template <typename Q>
std::vector<Worked> eachWorking(const Q &q, std::u16string_view f, std::span<const Method> methods,
                                std::u16string_view end, const Steps<Q> (&steps)[4])
{
    std::vector<Worked> worked;
    worked.reserve(methods.size());
    for (const Method method : methods) {
        Lines lines;
        lines.add({u"解方程 ", f, u" = 0（", methodName(method), u"）"});
        steps[static_cast<int>(method)](q, lines);
        lines.add({end});
        worked.push_back({method, lines.take()});
    }
    return worked;
}

} // namespace solvers
