#include "mistakes.h"

#include "radicals.h"

#include <algorithm>

namespace solvers {

using rt::Radical;

std::u16string valueText(const Radical &x)
{
    return writeValue(x).text;
}

std::u16string rootsText(const RootSet &set)
{
    const std::vector<Radical> m = members(set);
    if (degree(set) == 0)
        return u"方程没有实数根";
    if (m.size() == 1)
        return u"x = " + valueText(m[0]);
    if (m.size() == 2)
        return u"x₁ = " + valueText(m[0]) + u"，x₂ = " + valueText(m[1]);
    return u"x² + " + valueText(set[1]) + u"x + " + valueText(set[0]) + u" = 0 的两个根";
}

namespace {

// "x − 4", "2x² − 3x + 1"
std::u16string polynomialText(const Poly &p)
{
    std::u16string s;
    static constexpr std::u16string_view letters[] = {u"", u"x", u"x²"};
    for (int i = std::min(degree(p), 2); i >= 0; --i) {
        const Radical &v = p[static_cast<std::size_t>(i)];
        if (v.isZero())
            continue;
        const bool minus = v.sign() < 0;
        std::u16string body = valueText(minus ? -v : v);
        if (i > 0 && body == u"1")
            body.clear();
        body += letters[i];
        s += s.empty() ? (minus ? u"−" : u"") : (minus ? u" − " : u" + ");
        s += body;
    }
    return s.empty() ? u"0" : s;
}

RootSet negated(const RootSet &set)
{
    Poly p = set;
    for (std::size_t i = 1; i < p.size(); i += 2)
        p[i] = -p[i];
    return p;
}

bool oneEquation(const Slip &s)
{
    return s.lastEquations.size() == 1;
}

// The side of the last equation written as a product of factors, the other side being 0.
const Side *factoredSide(const Slip &s)
{
    if (!oneEquation(s))
        return nullptr;
    const Equation &e = s.lastEquations[0];
    if (e.left.factors.size() >= 2 && e.right.poly.empty())
        return &e.left;
    if (e.right.factors.size() >= 2 && e.left.poly.empty())
        return &e.right;
    return nullptr;
}

// 5: roots where there is none.
bool rootsDespiteNone(const Slip &s)
{
    return degree(s.before) == 0 && degree(s.now) > 0;
}

// 8: the roots' signs flipped after factoring.
bool flippedAfterFactoring(const Slip &s)
{
    return factoredSide(s) && s.now == negated(s.before);
}

std::u16string eachFactor(const Slip &s)
{
    const Poly &f = factoredSide(s)->factors[0];
    const Poly unit{f[0] / f[1], 1};
    return u"令每个因式等于 0：由 " + polynomialText(unit) + u" = 0 得 x = " + valueText(-unit[0]);
}

// 1: −b taken as b in the formula.
bool signOfMinusB(const Slip &s)
{
    return s.now == negated(s.answer);
}

// 3: divided by 2 or by a instead of 2a, or only part of the numerator divided.
bool denominator(const Slip &s)
{
    const std::optional<Radical> root = (s.b * s.b - Radical(4) * s.a * s.c).sqrt();
    if (!root)
        return false;
    const Radical two(2), twoA = s.a + s.a;
    const std::pair<Radical, Radical> slips[] = {
        {-s.b / two, *root / two},
        {-s.b / s.a, *root / s.a},
        {-s.b, *root / twoA},
        {-s.b / twoA, *root},
    };
    return std::any_of(std::begin(slips), std::end(slips), [&](const auto &slip) {
        return s.now == rootsOf({slip.first - slip.second, slip.first + slip.second});
    });
}

bool partOfTheRoots(const Slip &s)
{
    return degree(s.now) > 0 && strictlyWithin(s.now, s.before);
}

// 4: one sign of a square root only: "+" for "±", or one linear equation of two.
bool oneSignOnly(const Slip &s)
{
    if (s.line.kind == StudentLine::Roots)
        return s.line.plusForPlusMinus && partOfTheRoots(s);
    return partOfTheRoots(s) &&
           std::all_of(s.line.equations.begin(), s.line.equations.end(),
                       [](const Equation &e) { return degree(e.general()) == 1; });
}

// 11: a root left out.
bool rootLeftOut(const Slip &s)
{
    return partOfTheRoots(s);
}

std::u16string lostRoot(const Slip &s)
{
    for (const Radical &r : members(s.before))
        if (!contains(s.now, r))
            return u"漏了一个根 x = " + valueText(r);
    return u"漏了一个根";
}

// 9: both sides divided by a factor they share: its root is lost.
const Radical *rootDividedAway(const Slip &s, std::vector<Radical> &members)
{
    if (!oneEquation(s) || !strictlyWithin(s.now, s.before))
        return nullptr;
    const Equation &e = s.lastEquations[0];
    if (degree(e.left.poly) < 1 || degree(e.right.poly) < 1)
        return nullptr;
    members = solvers::members(s.before);
    for (const Radical &r : members)
        if (!contains(s.now, r) && valueAt(e.left.poly, r).isZero() &&
            valueAt(e.right.poly, r).isZero())
            return &r;
    return nullptr;
}

bool dividedByX(const Slip &s)
{
    std::vector<Radical> m;
    return rootDividedAway(s, m) != nullptr;
}

std::u16string notByX(const Slip &s)
{
    std::vector<Radical> m;
    return u"两边不能同除以含 x 的式子，这样会失去根 x = " + valueText(*rootDividedAway(s, m));
}

// 10: each factor set equal to a right side that is not 0.
bool productNotZero(const Slip &s)
{
    for (const Equation &e : s.lastEquations)
        for (const auto &[product, other] : {std::pair{&e.left, &e.right}, {&e.right, &e.left}}) {
            if (product->factors.size() < 2 || degree(other->poly) != 0)
                continue;
            RootSet slip{1};
            for (const Poly &f : product->factors)
                slip = unite(slip, realRoots(f - other->poly).value_or(RootSet{1}));
            if (slip == s.now)
                return true;
        }
    return false;
}

// 6: x's coefficient not made 1: after the square root, one side only divided, or the square
// completed with a still before x².
bool coefficientNotOne(const Slip &s)
{
    if (s.line.kind == StudentLine::Roots && !s.ownLines)
        return false;
    std::vector<RootSet> slips;
    bool linear = !s.lastEquations.empty();
    RootSet dropped{1};
    for (const Equation &e : s.lastEquations) {
        const Poly g = e.general();
        linear = linear && degree(g) == 1;
        if (degree(g) == 1)
            dropped =
                unite(dropped, realRoots(Poly{g[0], Radical(g[1].sign())}).value_or(RootSet{1}));
    }
    if (linear)
        slips.push_back(dropped);
    if (oneEquation(s)) {
        const Equation &e = s.lastEquations[0];
        const Poly g = e.general();
        if (degree(g) == 2 && g[2] != Radical(1)) {
            const Poly over{Radical(1) / g[2]};
            Poly unit = g;
            unit[2] = 1;
            for (const Poly &p :
                 {e.left.poly * over - e.right.poly, e.left.poly - e.right.poly * over, unit})
                if (const std::optional<RootSet> r = realRoots(p))
                    slips.push_back(*r);
        }
    }
    return std::find(slips.begin(), slips.end(), s.now) != slips.end();
}

// 7: the side with x² made a square, but the other side not given the same.
bool oneSideOnly(const Slip &s)
{
    if (!oneEquation(s) || s.line.equations.size() != 1)
        return false;
    const Poly &before = s.lastEquations[0].left.poly, &now = s.line.equations[0].left.poly;
    if (degree(before) != 2 || degree(now) != 2)
        return false;
    const Poly scaled = now * Poly{before[2] / now[2]};
    const bool square = (now[1] * now[1] - Radical(4) * now[2] * now[0]).isZero();
    return square && scaled[1] == before[1] && scaled[0] != before[0];
}

std::u16string bothSides(const Slip &s)
{
    const Poly &before = s.lastEquations[0].left.poly;
    const Radical half = before[1] / (Radical(2) * before[2]);
    return u"配方时，方程两边都加上一次项系数一半的平方，即 (" + valueText(half) + u")²";
}

struct Mistake
{
    StudentLine::Kind kind; // the lines it is found in
    bool (*rule)(const Slip &);
    std::u16string (*words)(const Slip &);
};

using K = StudentLine::Kind;

// In the order they are tried: the more particular first.
const Mistake Mistakes[] = {
    {K::Roots, rootsDespiteNone,
     [](const Slip &) -> std::u16string { return u"△ < 0，方程没有实数根，不能写出根"; }},
    {K::Roots, flippedAfterFactoring, eachFactor},
    {K::Roots, signOfMinusB,
     [](const Slip &) -> std::u16string { return u"注意 −b 的符号：a、b、c 要连同符号代入"; }},
    {K::Roots, coefficientNotOne,
     [](const Slip &) -> std::u16string {
         return u"要把 x 的系数化为 1：方程两边都除以 x 的系数";
     }},
    {K::Roots, denominator,
     [](const Slip &) -> std::u16string { return u"分母是 2a，要用整个分子除以 2a"; }},
    {K::Roots, oneSignOnly,
     [](const Slip &) -> std::u16string { return u"开平方时要取正、负两个值，公式中是 ±"; }},
    {K::Roots, rootLeftOut, lostRoot},
    {K::Equations, rootsDespiteNone,
     [](const Slip &) -> std::u16string { return u"△ < 0 或一边是负数的平方，方程没有实数根"; }},
    {K::Equations, dividedByX, notByX},
    {K::Equations, productNotZero,
     [](const Slip &) -> std::u16string { return u"先移项，使方程右边化为 0，再分解因式"; }},
    {K::Equations, flippedAfterFactoring, eachFactor},
    {K::Equations, oneSignOnly,
     [](const Slip &) -> std::u16string { return u"开平方时要取正、负两个值"; }},
    {K::Equations, coefficientNotOne,
     [](const Slip &) -> std::u16string { return u"要把 x 的系数化为 1：方程两边都除以同一个数"; }},
    {K::Equations, oneSideOnly, bothSides},
};

// "把 x = 4 + √15 代入，上一行成立，这一行不成立"
std::u16string witness(const RootSet &before, const RootSet &now)
{
    for (const Radical &r : members(before))
        if (!contains(now, r))
            return u"把 x = " + valueText(r) + u" 代入，上一行成立，这一行不成立";
    for (const Radical &r : members(now))
        if (!contains(before, r))
            return u"把 x = " + valueText(r) + u" 代入，这一行成立，上一行不成立";
    return {};
}

} // namespace

std::u16string whatIsWrong(const Slip &slip)
{
    std::u16string why;
    for (const Mistake &m : Mistakes)
        if (m.kind == slip.line.kind && m.rule(slip)) {
            why = m.words(slip);
            break;
        }
    if (slip.line.kind == StudentLine::Roots)
        return why.empty() ? u"答案不对，方程的根是 " + rootsText(slip.answer) : why;
    if (why.empty())
        why = u"这一行与上一行不等价";
    const std::u16string shown = witness(slip.before, slip.now);
    return shown.empty() ? why : why + u"\n" + shown;
}

} // namespace solvers
