#include "fieldsolution.h"

#include "methods.h"
#include "radicals.h"

#include <algorithm>
#include <cmath>

namespace solvers {
namespace {

using rt::Radical;

constexpr Piece NoRealSquare = u"因为实数的平方不会是负数，所以";

// A coefficient and what it stands before; typed, for a rational box, keeps how it was typed.
struct Coefficient
{
    const Radical &value;
    Piece letter;
    const Written *typed = nullptr;
};

// "x² − 4√3x + 10", "(√2 − 1)x² + 2x − (1 + √2)", "√2/2 (x − 1)²". A sum is taken with its
// sign only when all its terms are negative.
std::u16string polynomial(std::initializer_list<Coefficient> list)
{
    std::u16string s;
    for (const Coefficient &t : list) {
        if (t.value.isZero())
            continue;
        const std::vector<Radical::Term> &terms = t.value.terms();
        const bool sum = terms.size() > 1;
        const bool minus = std::all_of(terms.begin(), terms.end(),
                                       [](const Radical::Term &u) { return sgn(u.c) < 0; });
        std::u16string body;
        if (t.typed)
            body = negative(*t.typed) ? t.typed->text.substr(1) : t.typed->text;
        else
            body = writeValue(minus ? -t.value : t.value).text;
        // "(1 + √3)/2" is grouped already.
        const bool grouped = body[0] == u'(';
        if (sum && !grouped && (!t.letter.empty() || (minus && !s.empty())))
            body = u"(" + body + u")";
        if (!t.letter.empty()) {
            if (body == u"1")
                body.clear();
            else if (body.find_first_of(u"/×") != std::u16string::npos)
                body += u' ';
            body += t.letter;
        }
        if (s.empty())
            s = minus ? u"−" + body : body;
        else
            s += (minus ? u" − " : u" + ") + body;
    }
    return s.empty() ? u"0" : s;
}

Radical magnitude(const Radical &x)
{
    return x.sign() < 0 ? -x : x;
}

// "x − 2√3", "x + √3", "x − (√3 − 1)/2", "x + 3 + 2√2"
std::u16string less(const Radical &v)
{
    if (v.isZero())
        return u"x";
    const std::vector<Radical::Term> &terms = v.terms();
    const bool allNegative = std::all_of(terms.begin(), terms.end(),
                                         [](const Radical::Term &u) { return sgn(u.c) < 0; });
    const Written w = writeValue(allNegative ? -v : v);
    if (allNegative)
        return u"x + " + w.text;
    const bool wrap = terms.size() > 1 && w.text[0] != u'(';
    return cat({u"x − ", wrap ? u"(" : u"", w.text, wrap ? u")" : u""});
}

struct FieldQuadratic
{
    FieldQuadratic(const rt::Number &a, const rt::Number &b, const rt::Number &c)
        : a(a.field()), b(b.field()), c(c.field()), A(typed(a)), B(typed(b)), C(typed(c)),
          up(a.value > 0), roots(fieldRoots(this->a, this->b, this->c))
    {
        const bool rationalA = a.kind != rt::NumberKind::Radical;
        const bool rationalB = b.kind != rt::NumberKind::Radical;
        const bool rationalC = c.kind != rt::NumberKind::Radical;
        f = polynomial({{this->a, u"x²", rationalA ? &A : nullptr},
                        {this->b, u"x", rationalB ? &B : nullptr},
                        {this->c, u"", rationalC ? &C : nullptr}});
        D = writeValue(roots.d);
        const Radical &overA = roots.overA;
        linear = this->b * overA;
        moved = -this->c * overA;
        h = linear * Radical(mpq_class(-1, 2));
        k = roots.d * overA * Radical(mpq_class(-1, 4));
        square = roots.d * overA * overA * Radical(mpq_class(1, 4));
        H = writeValue(h);
        K = writeValue(k);
        readable = A.exact && B.exact && C.exact && D.exact && H.exact && K.exact;
        if (roots.sign < 0)
            return;
        for (const int i : {0, 1}) {
            if (roots.rootOfD) {
                const Radical part = i ? roots.q : -roots.q;
                x[i] = writeTerms({&roots.p, &part});
                if (!roots.x[i].isRational() && x[i].exact)
                    near[i] = u" ≈ " + roots.decimals(i);
            } else {
                x[i] = nested(i == 1);
                near[i] = u" ≈ " + roots.decimals(i);
            }
            readable = readable && x[i].exact;
        }
        if (roots.rootOfD) {
            half = writeValue(magnitude(roots.q));
            if (half.text.find(u' ') != std::u16string::npos && half.text[0] != u'(')
                half.text = cat({u"(", half.text, u")"});
            // Both roots in the field of the coefficients: no radicand beyond theirs.
            const std::vector<mpz_class> base = rt::coprimeBase(
                cat3(this->a.radicands(), this->b.radicands(), this->c.radicands()));
            inField = true;
            for (const mpz_class &n : roots.rootOfD->radicands()) {
                mpz_class rest = n;
                for (const mpz_class &p : base)
                    if (mpz_divisible_p(rest.get_mpz_t(), p.get_mpz_t()))
                        rest /= p;
                inField = inField && rest == 1;
            }
        } else {
            half = {u"√" + underRoot(writeValue(square))};
        }
        readable = readable && half.exact;
    }

    static std::vector<mpz_class> cat3(std::vector<mpz_class> x, const std::vector<mpz_class> &y,
                                       const std::vector<mpz_class> &z)
    {
        x.insert(x.end(), y.begin(), y.end());
        x.insert(x.end(), z.begin(), z.end());
        return x;
    }

    // (−b ∓ √△)/2a where √△ nests; over a positive denominator, (b ± √△)/(−2a) for a < 0.
    Written nested(bool plus) const
    {
        const bool flip = a.sign() < 0;
        const Written twoA = writeValue(flip ? -(a + a) : a + a);
        const bool wrap = twoA.text.find_first_of(u"√/ ") != std::u16string::npos;
        const std::u16string over = cat({u"/", wrap ? u"(" : u"", twoA.text, wrap ? u")" : u""});
        const std::u16string root = cat({u"√", underRoot(D)});
        const bool add = plus != flip;
        if (b.isZero())
            return {cat({add ? u"" : u"−", root, over})};
        return {
            cat({u"(", writeValue(flip ? b : -b).text, add ? u" + " : u" − ", root, u")", over})};
    }

    Radical a, b, c;
    Written A, B, C;
    bool up;
    FieldRoots roots;
    std::u16string f;
    Written D, H, K;
    Radical h, k, linear, moved, square; // b/a, −c/a and △/4a²
    Written x[2], half;
    std::u16string near[2];
    bool inField = false;
    bool readable = true;
};

std::u16string rootsLine(const FieldQuadratic &q)
{
    if (q.roots.sign == 0)
        return cat({u"x₁ = x₂", q.x[0].relation(), q.x[0].text, q.near[0]});
    return cat({u"x₁", q.x[0].relation(), q.x[0].text, q.near[0], u"，x₂", q.x[1].relation(),
                q.x[1].text, q.near[1]});
}

void squareRoot(const FieldQuadratic &q, Lines &lines)
{
    if (!q.c.isZero())
        lines.add({u"移项，得 ", polynomial({{q.a, u"x²"}}), u" = ", writeValue(-q.c).text});
    if (q.a != Radical(1))
        lines.add({u"x² = ", writeValue(q.moved).text});
    if (q.roots.sign < 0) {
        lines.add({NoRealSquare, u"原方程无实数根"});
        return;
    }
    if (q.roots.sign > 0)
        lines.add({u"x = ±", q.half.text});
    lines.add({rootsLine(q)});
}

void factoring(const FieldQuadratic &q, Lines &lines)
{
    if (q.a != Radical(1)) {
        const Radical one(1), c = q.c * q.roots.overA;
        lines.add({u"方程两边同除以 ", factor(q.A), u"，得 ",
                   polynomial({{one, u"x²"}, {q.linear, u"x"}, {c, u""}}), u" = 0"});
    }
    const Radical *x[2] = {&q.roots.x[0], &q.roots.x[1]};
    if (x[1]->isZero())
        std::swap(x[0], x[1]);
    const auto bracketed = [&](int i) {
        return x[i]->isZero() ? std::u16string(u"x") : cat({u"(", less(*x[i]), u")"});
    };
    if (q.roots.sign == 0) {
        lines.add({u"因式分解，得 ", bracketed(0), u"² = 0"});
    } else {
        lines.add({u"因式分解，得 ", bracketed(0), bracketed(1), u" = 0"});
        lines.add({u"于是得 ", less(*x[0]), u" = 0 或 ", less(*x[1]), u" = 0"});
    }
    lines.add({rootsLine(q)});
}

void formula(const FieldQuadratic &q, Lines &lines)
{
    lines.add({u"a = ", q.A.text, u"，b = ", q.B.text, u"，c = ", q.C.text});
    lines.add({u"△ = b² − 4ac = ", squared(q.B), u" − 4 × ", factor(q.A), u" × ", factor(q.C),
               q.D.relation(), q.D.text});
    lines.add({q.roots.sign > 0    ? u"△ > 0，方程有两个不相等的实数根"
               : q.roots.sign == 0 ? u"△ = 0，方程有两个相等的实数根"
                                   : u"△ < 0，方程没有实数根"});
    if (q.roots.sign < 0)
        return;
    lines.add({u"x = (−b ± √△)/(2a) = (", writeValue(-q.b).text, u" ± √", underRoot(q.D),
               u")/(2 × ", factor(q.A), u")"});
    lines.add({rootsLine(q)});
}

void completingSquare(const FieldQuadratic &q, Lines &lines)
{
    const bool monic = q.a == Radical(1), constant = !q.c.isZero();
    const Radical &linear = q.linear, &moved = q.moved, one(1);
    if (constant)
        lines.add(
            {u"移项，得 ", polynomial({{q.a, u"x²"}, {q.b, u"x"}}), u" = ", writeValue(-q.c).text});
    const std::u16string left = polynomial({{one, u"x²"}, {linear, u"x"}});
    const Written movedText = writeValue(moved);
    if (!monic)
        lines.add({u"二次项系数化为 1，得 ", left, u" = ", movedText.text});
    const std::u16string added = squared(writeValue(magnitude(q.h)));
    const std::u16string base = less(q.h);
    const Written square = writeValue(q.square);
    lines.add({u"配方，得 ", left, u" + ", added, u" = ", constant ? Piece(movedText.text) : u"",
               constant ? u" + " : u"", added, u"，(", base, u")² = ", square.text});
    if (q.roots.sign < 0) {
        lines.add({NoRealSquare, u" x 取任何实数时，上式都不成立，所以原方程无实数根"});
        return;
    }
    lines.add({u"由此可得 ", base, q.roots.sign > 0 ? u" = ±" : u" = ",
               q.roots.sign > 0 ? Piece(q.half.text) : u"0"});
    lines.add({rootsLine(q)});
}

std::u16string tail(const FieldQuadratic &q, bool factored)
{
    Lines lines;
    if (q.roots.sign >= 0)
        lines.add({u"根与系数的关系：x₁ + x₂ = −b/a = ", writeValue(-q.linear).text,
                   u"，x₁x₂ = c/a = ", writeValue(-q.moved).text});
    if (!q.b.isZero()) {
        const std::u16string square = cat({u"(", less(q.h), u")²"});
        lines.add({u"顶点式：y = ", q.f, u" = ", polynomial({{q.a, square}, {q.k, u""}})});
    }
    if (factored && q.roots.sign > 0) {
        std::u16string form;
        const bool bareFirst = q.roots.x[1].isZero();
        for (const int i : {bareFirst ? 1 : 0, bareFirst ? 0 : 1})
            form += q.roots.x[i].isZero() ? u"x" : cat({u"(", less(q.roots.x[i]), u")"});
        lines.add({u"交点式：y = ", q.f, u" = ", polynomial({{q.a, form}})});
    }
    lines.add({u"二次函数 y = ", q.f, u" 的图像开口向", q.up ? u"上" : u"下",
               u"，对称轴是直线 x = ", q.H.text, u"，顶点坐标是 ", point(q.H, q.K)});
    lines.add({u"当 x = ", q.H.text, u" 时，y 有", q.up ? u"最小值 " : u"最大值 ", q.K.text});
    const std::u16string yIntercept = point(Zero, q.C);
    if (q.roots.sign > 0)
        lines.add({u"与 y 轴的交点是 ", yIntercept, u"，与 x 轴的交点是 ", point(q.x[0], Zero),
                   u" 和 ", point(q.x[1], Zero)});
    else if (q.roots.sign == 0)
        lines.add({u"与 y 轴的交点是 ", yIntercept, u"，与 x 轴的交点是 ", point(q.x[0], Zero)});
    else
        lines.add({u"与 y 轴的交点是 ", yIntercept, u"，与 x 轴没有交点"});
    return lines.take();
}

void finish(Solution &s)
{
    Graph &g = s.graph;
    bool finite = std::isfinite(g.a) && std::isfinite(g.b) && std::isfinite(g.c);
    for (const GraphPoint &p : g.points)
        finite = finite && std::isfinite(p.x) && std::isfinite(p.y);
    g.plottable = finite;
}

Solution linear(const rt::Number &b, const rt::Number &c)
{
    Solution s;
    Lines lines;
    const Written B = typed(b), C = typed(c);
    s.graph.b = b.value;
    s.graph.c = c.value;
    const std::u16string yIntercept = point(Zero, C);
    s.graph.points.push_back({0, c.value, yIntercept, yIntercept});
    const Radical bb = b.field(), cc = c.field();
    const std::u16string f = polynomial({{bb, u"x"}, {cc, u""}});
    if (b.value == 0) {
        s.answer = u"方程无解";
        lines.add({u"a = 0，b = 0，方程化为 ", C.text, u" = 0，", s.answer});
        s.steps = lines.take();
        finish(s);
        return s;
    }
    const Radical root = -cc / bb;
    const Written X = writeValue(root);
    s.exact = {root};
    s.answer = cat({u"x", X.relation(), X.text});
    lines.add({u"a = 0，方程 ", f, u" = 0 是一元一次方程"});
    lines.add({u"移项，得 ", polynomial({{bb, u"x"}}), u" = ", writeValue(-cc).text});
    lines.add({s.answer});
    const std::u16string xIntercept = point(X, Zero);
    lines.add({u"一次函数 y = ", f, u" 的图像与 x 轴的交点是 ", xIntercept, u"，与 y 轴的交点是 ",
               yIntercept});
    s.graph.points.insert(s.graph.points.begin(), {root.nearest(), 0, xIntercept, u"x"});
    s.steps = lines.take();
    finish(s);
    return s;
}

} // namespace

Solution fieldQuadratic(const rt::Number &a, const rt::Number &b, const rt::Number &c)
{
    if (a.value == 0)
        return linear(b, c);
    const FieldQuadratic q(a, b, c);
    Solution s;
    if (q.roots.sign > 0)
        s.answer =
            cat({u"x₁", q.x[0].relation(), q.x[0].text, u"，x₂", q.x[1].relation(), q.x[1].text});
    else if (q.roots.sign == 0)
        s.answer = cat({u"x₁ = x₂", q.x[0].relation(), q.x[0].text});
    else
        s.answer = u"方程没有实数根";
    if (q.roots.rootOfD)
        s.exact = {q.roots.x[0], q.roots.x[1]};
    s.graph.a = a.value;
    s.graph.b = b.value;
    s.graph.c = c.value;
    s.graph.axis = q.h.nearest();
    if (q.roots.sign > 0)
        for (const int i : {0, 1})
            s.graph.points.push_back({q.roots.at[i], 0, point(q.x[i], Zero), i ? u"x₂" : u"x₁"});
    s.graph.points.push_back({q.h.nearest(), q.k.nearest(), point(q.H, q.K), u"顶点"});
    if (!q.b.isZero() && !q.c.isZero()) {
        const std::u16string yIntercept = point(Zero, q.C);
        s.graph.points.push_back(
            {0, c.value, yIntercept, q.C.text.size() <= 6 ? yIntercept : u"(0, c)"});
    }

    std::vector<Method> methods;
    if (q.readable) {
        if (q.b.isZero() && (q.roots.sign < 0 || q.roots.rootOfD))
            methods.push_back(Method::SquareRoot);
        if (q.roots.sign >= 0 && q.roots.rootOfD && q.inField)
            methods.push_back(Method::Factoring);
    }
    methods.push_back(Method::Formula);
    if (q.readable && !q.b.isZero())
        methods.push_back(Method::CompletingSquare);
    const bool factored =
        std::find(methods.begin(), methods.end(), Method::Factoring) != methods.end();
    const std::u16string end = tail(q, factored);
    static const Steps<FieldQuadratic> steps[] = {squareRoot, factoring, formula, completingSquare};
    s.methods = eachWorking(q, q.f, methods, end, steps);
    s.steps = s.methods.front().steps;
    finish(s);
    return s;
}

Solution fieldLine(const rt::Number &x1, const rt::Number &y1, const rt::Number &x2,
                   const rt::Number &y2)
{
    Solution s;
    Lines lines;
    const Written X1 = typed(x1), Y1 = typed(y1), X2 = typed(x2), Y2 = typed(y2);
    const std::u16string first = point(X1, Y1), second = point(X2, Y2);
    s.graph.points = {{x1.value, y1.value, first, u"A"}, {x2.value, y2.value, second, u"B"}};
    const Radical k = (y2.field() - y1.field()) / (x2.field() - x1.field());
    const Radical b = y1.field() - x1.field() * k;
    const Written K = writeValue(k), B = writeValue(b);
    const Radical one(1), xs[] = {x1.field(), x2.field()};
    lines.add({u"设一次函数的解析式为 y = kx + b"});
    lines.add({u"把 ", first, u" 和 ", second, u" 代入，得 ",
               polynomial({{xs[0], u"k"}, {one, u"b"}}), u" = ", Y1.text, u"，",
               polynomial({{xs[1], u"k"}, {one, u"b"}}), u" = ", Y2.text});
    lines.add({u"解得 k", K.relation(), K.text, u"，b", B.relation(), B.text});
    s.answer = cat({u"y", K.exact && B.exact ? u" = " : u" ≈ ", polynomial({{k, u"x"}, {b, u""}})});
    lines.add({u"所以 ", s.answer});
    const Radical root = -b / k;
    const Written X = writeValue(root);
    const std::u16string xIntercept = point(X, Zero), yIntercept = point(Zero, B);
    lines.add({u"与 x 轴的交点是 ", xIntercept, u"，与 y 轴的交点是 ", yIntercept});
    const auto given = [&](const Radical &x, const Radical &y) {
        return (x == x1.field() && y == y1.field()) || (x == x2.field() && y == y2.field());
    };
    if (!given(root, 0))
        s.graph.points.push_back(
            {root.nearest(), 0, xIntercept, X.text.size() <= 6 ? xIntercept : u"(−b/k, 0)"});
    if (!b.isZero() && !given(0, b))
        s.graph.points.push_back(
            {0, b.nearest(), yIntercept, B.text.size() <= 6 ? yIntercept : u"(0, b)"});
    lines.add({u"k = ", K.text,
               k.sign() > 0 ? u" > 0，y 随 x 的增大而增大" : u" < 0，y 随 x 的增大而减小"});
    s.exact = {k, b};
    s.graph.b = k.nearest();
    s.graph.c = b.nearest();
    s.steps = lines.take();
    finish(s);
    return s;
}

} // namespace solvers
