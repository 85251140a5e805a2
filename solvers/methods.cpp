#include "methods.h"

#include <utility>

namespace solvers {
namespace {

constexpr Piece NoRealSquare = u"因为实数的平方不会是负数，所以";

// The integers 因式分解法 multiplies through by, divides by, and the factors' coefficients.
void factorise(Quadratic &q)
{
    // A readable integer is written exactly; only a long one may need "≈".
    const auto exact = [&](const mpz_class &v) {
        return readable(v) || write(v, q.decimals).exact;
    };
    const mpq_class *coefficients[] = {&q.a.exact, &q.b.exact, &q.c.exact};
    for (const mpq_class *v : coefficients)
        mpz_lcm(q.scale.get_mpz_t(), q.scale.get_mpz_t(), v->get_den_mpz_t());
    q.divisor = 0;
    for (const mpq_class *v : coefficients) {
        const mpz_class n = v->get_num() * (q.scale / v->get_den());
        mpz_gcd(q.divisor.get_mpz_t(), q.divisor.get_mpz_t(), n.get_mpz_t());
        q.readable = q.readable && exact(n);
    }
    for (const Surd &root : q.roots) {
        q.factors.push_back({root.p.get_den(), -root.p.get_num()});
        q.readable = q.readable && exact(root.p.get_den());
    }
    if (q.factors[1].constant == 0)
        std::swap(q.factors[0], q.factors[1]);
    q.readable = q.readable && exact(q.scale) && exact(q.divisor);
}

} // namespace

Quadratic::Quadratic(const rt::Number &a, const rt::Number &b, const rt::Number &c)
    : a(a), b(b), c(c), decimals(anyDecimal({&a, &b, &c}))
{
    A = echo(a.exact, a);
    B = echo(b.exact, b);
    C = echo(c.exact, c);
    typedExact = A.exact && B.exact && C.exact;
    f = typedExact ? terms({{A, u"x²"}, {B, u"x"}, {C, u""}}) : u"ax² + bx + c";
    twoA = 2 * a.exact;
    h = -b.exact / twoA; // the axis, and the rational part of the roots
    d = b.exact * b.exact - 2 * twoA * c.exact;
    k = -d / (2 * twoA);
    D = write(d, decimals);
    H = write(h, decimals);
    K = write(k, decimals);
    sign = sgn(d);
    linear = write(b.exact / a.exact, decimals);
    moved = write(-c.exact / a.exact, decimals);
    square = write(d / (twoA * twoA), decimals);
    readable =
        typedExact && D.exact && H.exact && K.exact && linear.exact && moved.exact && square.exact;
    if (sign < 0)
        return;
    roots.reserve(2);
    if ((rootOfD = rationalSqrt(d))) {
        for (const int i : {0, 1}) {
            const mpq_class root = h + (i ? *rootOfD : mpq_class(-*rootOfD)) / twoA;
            x[i] = write(root, decimals);
            at[i] = rt::nearestDouble(root);
            roots.push_back({root, 0});
        }
        half = {0, abs(*rootOfD / twoA)};
        halfText = write(half.q, decimals);
        factorise(*this);
    } else {
        mpz_class squares, n;
        splitSquares(d.get_num() * d.get_den(), squares, n);
        const mpq_class q = squares / (twoA * d.get_den());
        roots = {{h, -q, n}, {h, q, n}};
        half = {0, abs(q), n};
        mpfr_t approximation[3];
        mpfr_inits2(Precision, approximation[0], approximation[1], approximation[2],
                    static_cast<mpfr_ptr>(nullptr));
        approximateRoots(a.exact, b.exact, c.exact, d, approximation[0], approximation[1]);
        for (const int i : {0, 1}) {
            x[i] = radical(roots[i], approximation[i]);
            if (x[i].exact)
                near[i] = cat({u" ≈ ", approximate(approximation[i]).text});
            at[i] = rt::nearestDouble(approximation[i]);
        }
        mpfr_sub(approximation[2], approximation[1], approximation[0], MPFR_RNDN);
        mpfr_div_2ui(approximation[2], approximation[2], 1, MPFR_RNDN);
        mpfr_abs(approximation[2], approximation[2], MPFR_RNDN);
        halfText = radical(half, approximation[2]);
        mpfr_clears(approximation[0], approximation[1], approximation[2],
                    static_cast<mpfr_ptr>(nullptr));
    }
    readable = readable && x[0].exact && x[1].exact && halfText.exact;
}

std::u16string_view methodName(Method method)
{
    switch (method) {
    case Method::SquareRoot:
        return u"直接开平方法";
    case Method::Factoring:
        return u"因式分解法";
    case Method::Formula:
        return u"公式法";
    case Method::CompletingSquare:
        return u"配方法";
    }
    return {};
}

std::vector<Method> methodsFor(const Quadratic &q)
{
    if (!q.readable)
        return {Method::Formula};
    std::vector<Method> methods;
    const bool noLinear = sgn(q.b.exact) == 0;
    if (noLinear)
        methods.push_back(Method::SquareRoot);
    if (q.rootOfD)
        methods.push_back(Method::Factoring);
    methods.push_back(Method::Formula);
    if (!noLinear)
        methods.push_back(Method::CompletingSquare);
    return methods;
}

namespace {

std::u16string rootsLine(const Quadratic &q)
{
    const Written(&x)[2] = q.x;
    if (q.sign == 0)
        return cat({u"x₁ = x₂", x[0].relation(), x[0].text, q.near[0]});
    return cat({u"x₁", x[0].relation(), x[0].text, q.near[0], u"，x₂", x[1].relation(), x[1].text,
                q.near[1]});
}

// "x − 3/4"
std::u16string less(const mpq_class &v, bool decimals)
{
    return terms({{One, u"x"}, {write(-v, decimals), u""}});
}

void squareRoot(const Quadratic &q, Lines &lines)
{
    if (sgn(q.c.exact) != 0)
        lines.add({u"移项，得 ", terms({{q.A, u"x²"}}), u" = ", echo(-q.c.exact, q.c).text});
    if (q.a.exact != 1)
        lines.add({u"x² = ", q.moved.text});
    if (q.sign < 0) {
        lines.add({NoRealSquare, u"原方程无实数根"});
        return;
    }
    if (q.sign > 0)
        lines.add({u"x = ±", q.halfText.text});
    lines.add({rootsLine(q)});
}

void factoring(const Quadratic &q, Lines &lines)
{
    mpz_class n[3];
    const mpq_class *coefficients[] = {&q.a.exact, &q.b.exact, &q.c.exact};
    for (int i = 0; i < 3; ++i)
        n[i] = coefficients[i]->get_num() * (q.scale / coefficients[i]->get_den());
    const auto step = [&](Piece says, const mpz_class &by) {
        const Written W[] = {write(n[0], false), write(n[1], false), write(n[2], false)};
        lines.add({u"方程两边同", says, write(by, q.decimals).text, u"，得 ",
                   terms({{W[0], u"x²"}, {W[1], u"x"}, {W[2], u""}}), u" = 0"});
    };
    if (q.scale != 1)
        step(u"乘 ", q.scale);
    if (q.divisor != 1) {
        for (mpz_class &v : n)
            v /= q.divisor;
        step(u"除以 ", q.divisor);
    }
    if (sgn(n[0]) < 0) {
        for (mpz_class &v : n)
            v = -v;
        step(u"乘 ", -1);
    }
    std::u16string body[2];
    for (const int i : {0, 1}) {
        const LinearFactor &f = q.factors[i];
        const Written X = write(f.x, false), M = write(f.constant, false);
        body[i] = terms({{X, u"x"}, {M, u""}});
    }
    const auto bracketed = [&](int i) {
        return q.factors[i].constant == 0 ? body[i] : cat({u"(", body[i], u")"});
    };
    if (q.sign == 0) {
        lines.add({u"因式分解，得 ", bracketed(0), u"² = 0"});
    } else {
        lines.add({u"因式分解，得 ", bracketed(0), bracketed(1), u" = 0"});
        lines.add({u"于是得 ", body[0], u" = 0 或 ", body[1], u" = 0"});
    }
    lines.add({rootsLine(q)});
}

void formula(const Quadratic &q, Lines &lines)
{
    const Written &A = q.A, &B = q.B, &C = q.C, &D = q.D;
    lines.add(
        {u"a", A.relation(), A.text, u"，b", B.relation(), B.text, u"，c", C.relation(), C.text});
    if (q.typedExact)
        lines.add({u"△ = b² − 4ac = ", squared(B), u" − 4 × ", factor(A), u" × ", factor(C),
                   D.relation(), D.text});
    else
        lines.add({u"△ = b² − 4ac", D.relation(), D.text});
    lines.add({q.sign > 0    ? u"△ > 0，方程有两个不相等的实数根"
               : q.sign == 0 ? u"△ = 0，方程有两个相等的实数根"
                             : u"△ < 0，方程没有实数根"});
    if (q.sign < 0)
        return;
    if (q.typedExact && D.exact)
        lines.add({u"x = (−b ± √△)/(2a) = (", echo(-q.b.exact, q.b).text, u" ± √", radicand(D),
                   u")/(2 × ", factor(A), u")"});
    else
        lines.add({u"x = (−b ± √△)/(2a)"});
    lines.add({rootsLine(q)});
}

void completingSquare(const Quadratic &q, Lines &lines)
{
    const bool monic = q.a.exact == 1, constant = sgn(q.c.exact) != 0;
    const Written typed = echo(-q.c.exact, q.c);
    const Written &moved = monic ? typed : q.moved;
    if (constant)
        lines.add({u"移项，得 ", terms({{q.A, u"x²"}, {q.B, u"x"}}), u" = ", typed.text});
    const std::u16string left = terms({{One, u"x²"}, {monic ? q.B : q.linear, u"x"}});
    if (!monic)
        lines.add({u"二次项系数化为 1，得 ", left, u" = ", q.moved.text});
    const std::u16string added = squared(write(abs(q.h), q.decimals));
    const std::u16string base = less(q.h, q.decimals);
    lines.add({u"配方，得 ", left, u" + ", added, u" = ", constant ? Piece(moved.text) : u"",
               constant ? u" + " : u"", added, u"，(", base, u")² = ", q.square.text});
    if (q.sign < 0) {
        lines.add({NoRealSquare, u" x 取任何实数时，上式都不成立，所以原方程无实数根"});
        return;
    }
    lines.add({u"由此可得 ", base, q.sign > 0 ? u" = ±" : u" = ",
               q.sign > 0 ? Piece(q.halfText.text) : u"0"});
    lines.add({rootsLine(q)});
}

// The coefficient before a bracket: "2(", "−(", "1/4 (".
std::u16string leading(const Written &a)
{
    if (a.text == u"1" || a.text == u"−1")
        return a.text == u"1" ? u"" : u"−";
    return a.text.find_first_of(u"/.×") == std::u16string::npos ? a.text : a.text + u' ';
}

// The relation of roots and coefficients, the vertex and intercept forms and the function's
// properties: every working ends with them.
std::u16string tail(const Quadratic &q)
{
    Lines lines;
    if (q.sign >= 0) {
        const Written S = write(-q.b.exact / q.a.exact, q.decimals);
        const Written P = write(q.c.exact / q.a.exact, q.decimals);
        lines.add({u"根与系数的关系：x₁ + x₂ = −b/a", S.relation(), S.text, u"，x₁x₂ = c/a",
                   P.relation(), P.text});
    }
    const std::u16string lead = leading(q.A);
    if (sgn(q.b.exact) != 0) { // otherwise the function is its own vertex form
        std::u16string form = cat({lead, u"(", less(q.h, q.decimals), u")²"});
        if (sgn(q.k) != 0)
            form +=
                negative(q.K) ? cat({u" − ", Piece(q.K.text).substr(1)}) : cat({u" + ", q.K.text});
        const bool exact = q.A.exact && q.H.exact && q.K.exact;
        lines.add({u"顶点式：y = ", q.f, exact ? u" = " : u" ≈ ", form});
    }
    if (q.rootOfD && q.sign > 0) { // with equal roots it is the vertex form
        std::u16string form = lead;
        const bool bareFirst = sgn(q.roots[1].p) == 0;
        for (const int i : {bareFirst ? 1 : 0, bareFirst ? 0 : 1})
            form +=
                sgn(q.roots[i].p) == 0 ? u"x" : cat({u"(", less(q.roots[i].p, q.decimals), u")"});
        const bool exact = q.A.exact && q.x[0].exact && q.x[1].exact;
        lines.add({u"交点式：y = ", q.f, exact ? u" = " : u" ≈ ", form});
    }
    const std::u16string vertex = point(q.H, q.K), yIntercept = point(Zero, q.C);
    const bool up = q.a.value > 0;
    lines.add({u"二次函数 y = ", q.f, u" 的图像开口向", up ? u"上" : u"下", u"，对称轴是直线 x",
               q.H.relation(), q.H.text, u"，顶点坐标是 ", vertex});
    lines.add({u"当 x", q.H.relation(), q.H.text, u" 时，y 有", up ? u"最小值 " : u"最大值 ",
               q.K.mark(), q.K.text});
    if (q.sign > 0)
        lines.add({u"与 y 轴的交点是 ", yIntercept, u"，与 x 轴的交点是 ", point(q.x[0], Zero),
                   u" 和 ", point(q.x[1], Zero)});
    else if (q.sign == 0)
        lines.add({u"与 y 轴的交点是 ", yIntercept, u"，与 x 轴的交点是 ", point(q.x[0], Zero)});
    else
        lines.add({u"与 y 轴的交点是 ", yIntercept, u"，与 x 轴没有交点"});
    return lines.take();
}

} // namespace

std::vector<Worked> workings(const Quadratic &q, std::span<const Method> methods)
{
    static const Steps<Quadratic> steps[] = {squareRoot, factoring, formula, completingSquare};
    return eachWorking(q, q.f, methods, tail(q), steps);
}

} // namespace solvers
