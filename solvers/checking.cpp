#include "checking.h"

#include "radicals.h"
#include "rootsets.h"
#include "studentline.h"

#include <algorithm>
#include <functional>

namespace solvers {
namespace {

using rt::Radical;

std::u16string number(int n)
{
    std::u16string s;
    for (const char d : std::to_string(n))
        s += static_cast<char16_t>(d);
    return s;
}

std::u16string text(const Radical &x)
{
    return writeValue(x).text;
}

// "x₁ = 4 − √15，x₂ = 4 + √15", "x = 2", "方程没有实数根"
std::u16string rootsText(const RootSet &set)
{
    const std::vector<Radical> m = members(set);
    if (degree(set) == 0)
        return u"方程没有实数根";
    if (m.size() == 1)
        return u"x = " + text(m[0]);
    if (m.size() == 2)
        return u"x₁ = " + text(m[0]) + u"，x₂ = " + text(m[1]);
    return u"x² + " + text(set[1]) + u"x + " + text(set[0]) + u" = 0 的两个根";
}

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
        std::u16string body = text(minus ? -v : v);
        if (i > 0 && body == u"1")
            body.clear();
        body += letters[i];
        s += s.empty() ? (minus ? u"−" : u"") : (minus ? u" − " : u" + ");
        s += body;
    }
    return s.empty() ? u"0" : s;
}

RootSet setOf(const StudentLine &line)
{
    if (line.kind == StudentLine::Roots)
        return rootsOf(line.roots);
    RootSet set{1};
    for (const Equation &e : line.equations)
        set = unite(set, realRoots(e.general()).value_or(RootSet{1}));
    return set;
}

// What the checking keeps from line to line.
struct State
{
    Radical a, b, c; // the equation's
    RootSet answer;  // its real roots
    RootSet last;    // the last equation line's roots
    std::vector<Equation> lastEquations;
    Poly general;          // of the last single equation line, for its coefficients
    Radical ca, cb, cc;    // the last coefficients, the equation's own at first
    bool ownLines = false; // the last equation is one the student wrote
};

// A wrong line: what is wrong, in the textbook's words, and what it should be.
struct Wrong
{
    std::u16string why;
};

bool sameSet(const RootSet &p, const RootSet &q)
{
    return p == q;
}

RootSet negated(const RootSet &set)
{
    Poly p = set;
    for (std::size_t i = 1; i < p.size(); i += 2)
        p[i] = -p[i];
    return p;
}

// "把 x = 4 + √15 代入，上一行成立，这一行不成立"
std::u16string witness(const RootSet &before, const RootSet &now)
{
    for (const Radical &r : members(before))
        if (!contains(now, r))
            return u"把 x = " + text(r) + u" 代入，上一行成立，这一行不成立";
    for (const Radical &r : members(now))
        if (!contains(before, r))
            return u"把 x = " + text(r) + u" 代入，这一行成立，上一行不成立";
    return {};
}

// x's coefficient not made 1: after the square root, or one side only divided, or the square
// completed with a still before x².
bool coefficientNotOne(const State &s, const RootSet &now)
{
    std::vector<RootSet> slips;
    bool linear = !s.lastEquations.empty();
    RootSet dropped{1};
    for (const Equation &e : s.lastEquations) {
        const Poly g = e.general();
        linear = linear && degree(g) == 1;
        if (degree(g) == 1) {
            const Poly unit{g[0], Radical(g[1].sign())};
            dropped = unite(dropped, realRoots(unit).value_or(RootSet{1}));
        }
    }
    if (linear)
        slips.push_back(dropped);
    if (s.lastEquations.size() == 1) {
        const Equation &e = s.lastEquations[0];
        const Poly g = e.general();
        if (degree(g) == 2 && g[2] != Radical(1)) {
            const Poly over{Radical(1) / g[2]};
            for (const Poly &p :
                 {e.left.poly * over - e.right.poly, e.left.poly - e.right.poly * over}) {
                if (const std::optional<RootSet> r = realRoots(p))
                    slips.push_back(*r);
            }
            Poly unit = g;
            unit[2] = 1;
            if (const std::optional<RootSet> r = realRoots(unit))
                slips.push_back(*r);
        }
    }
    return std::any_of(slips.begin(), slips.end(),
                       [&](const RootSet &r) { return sameSet(r, now); });
}

// "令每个因式等于 0：由 x + 2 = 0 得 x = −2", from the factors of the last equation line.
std::u16string factorHint(const State &s)
{
    const Equation &e = s.lastEquations.front();
    const Poly &f = e.left.factors.size() >= 2 ? e.left.factors[0] : e.right.factors[0];
    const Poly unit{f[0] / f[1], 1};
    return u"令每个因式等于 0：由 " + polynomialText(unit) + u" = 0 得 x = " + text(-unit[0]);
}

std::optional<Wrong> wrongRoots(const State &s, const RootSet &given, bool plusForPlusMinus,
                                bool afterFactors)
{
    if (degree(s.answer) == 0)
        return Wrong{u"△ < 0，方程没有实数根，不能写出根"};
    if (sameSet(given, negated(s.answer)))
        return Wrong{afterFactors ? factorHint(s) : u"注意 −b 的符号：a、b、c 要连同符号代入"};
    if (s.ownLines && coefficientNotOne(s, given))
        return Wrong{u"要把 x 的系数化为 1：方程两边都除以 x 的系数"};
    // The formula's denominator: 2 or a for 2a, or part of the numerator only.
    const Radical d = s.b * s.b - Radical(4) * s.a * s.c;
    if (const std::optional<Radical> root = d.sqrt()) {
        const Radical twoA = s.a + s.a;
        const Radical two(2), one(1);
        const std::pair<Radical, Radical> slips[] = {
            {-s.b / two, *root / two},
            {-s.b / s.a, *root / s.a},
            {-s.b, *root / twoA},
            {-s.b / twoA, *root},
        };
        for (const auto &[p, q] : slips)
            if (sameSet(given, rootsOf({p - q, p + q})))
                return Wrong{u"分母是 2a，要用整个分子除以 2a"};
    }
    if (degree(given) > 0 && strictlyWithin(given, s.answer)) {
        const RootSet missing = rootsOf(members(s.answer));
        std::u16string lost;
        for (const Radical &r : members(s.answer))
            if (!contains(given, r))
                lost = text(r);
        if (plusForPlusMinus)
            return Wrong{u"开平方时要取正、负两个值，公式中是 ±"};
        return Wrong{u"漏了一个根 x = " + lost};
    }
    return Wrong{u"答案不对，方程的根是 " + rootsText(s.answer)};
}

std::optional<Wrong> wrongEquation(const State &s, const StudentLine &line, const RootSet &now)
{
    const RootSet &before = s.last;
    const std::u16string shown = witness(before, now);
    const auto with = [&](std::u16string why) {
        return Wrong{shown.empty() ? why : why + u"\n" + shown};
    };
    if (degree(before) == 0 && degree(now) > 0)
        return with(u"△ < 0 或一边是负数的平方，方程没有实数根");
    // Both sides divided by a factor they share: its root is lost.
    if (s.lastEquations.size() == 1 && strictlyWithin(now, before)) {
        const Equation &e = s.lastEquations[0];
        for (const Radical &r : members(before))
            if (!contains(now, r) && valueAt(e.left.poly, r).isZero() &&
                valueAt(e.right.poly, r).isZero() && degree(e.left.poly) > 0 &&
                degree(e.right.poly) > 0)
                return with(u"两边不能同除以含 x 的式子，这样会失去根 x = " + text(r));
    }
    // A product set equal to a number that is not 0, factor by factor.
    for (const Equation &e : s.lastEquations) {
        for (const auto &[product, other] : {std::pair{&e.left, &e.right}, {&e.right, &e.left}}) {
            if (product->factors.size() < 2 || degree(other->poly) != 0)
                continue;
            RootSet slip{1};
            for (const Poly &f : product->factors)
                slip = unite(slip, realRoots(f - other->poly).value_or(RootSet{1}));
            if (sameSet(slip, now))
                return with(u"先移项，使方程右边化为 0，再分解因式");
        }
    }
    const bool factored =
        s.lastEquations.size() == 1 &&
        ((s.lastEquations[0].left.factors.size() >= 2 && s.lastEquations[0].right.poly.empty()) ||
         (s.lastEquations[0].right.factors.size() >= 2 && s.lastEquations[0].left.poly.empty()));
    if (factored && sameSet(now, negated(before)))
        return with(factorHint(s));
    const bool linear = std::all_of(line.equations.begin(), line.equations.end(),
                                    [](const Equation &e) { return degree(e.general()) == 1; });
    if (linear && degree(now) > 0 && strictlyWithin(now, before))
        return with(u"开平方时要取正、负两个值");
    if (coefficientNotOne(s, now))
        return with(u"要把 x 的系数化为 1：方程两边都除以同一个数");
    // The square completed on one side only, or with the wrong amount: the side with x² made a
    // square, and the sides no longer agree.
    if (s.lastEquations.size() == 1 && line.equations.size() == 1) {
        const Poly &before2 = s.lastEquations[0].left.poly, &now2 = line.equations[0].left.poly;
        if (degree(before2) == 2 && degree(now2) == 2) {
            const Poly scaled = now2 * Poly{before2[2] / now2[2]};
            const bool square = (now2[1] * now2[1] - Radical(4) * now2[2] * now2[0]).isZero();
            if (square && scaled[1] == before2[1] && scaled[0] != before2[0]) {
                const Radical half = before2[1] / (Radical(2) * before2[2]);
                return with(u"配方时，方程两边都加上一次项系数一半的平方，即 (" + text(half) +
                            u")²");
            }
        }
    }
    return with(u"这一行与上一行不等价");
}

} // namespace

std::u16string checkWorking(const Radical &a, const Radical &b, const Radical &c,
                            std::u16string_view working)
{
    const Poly equation{c, b, a};
    State s{a, b, c, *realRoots(equation), *realRoots(equation), {}, equation, a, b, c};
    s.lastEquations = {Equation{{equation, {}}, {{}, {}}}};
    std::vector<std::u16string> lines(1);
    for (const char16_t ch : working) {
        if (ch == u'\n')
            lines.emplace_back();
        else if (ch != u'\r')
            lines.back() += ch;
    }
    std::u16string passed, note;
    bool answered = false, lastAnswers = false;
    // A line that names part of the roots waits for the lines after it: x₁ and x₂, or
    // x − 1 = 0 and x − 2 = 0, written one a line.
    struct Pending
    {
        std::size_t line;
        StudentLine read;
        RootSet set;
    };
    std::optional<Pending> pending;
    const auto afterFactors = [&] {
        return s.lastEquations.size() == 1 && (s.lastEquations[0].left.factors.size() >= 2 ||
                                               s.lastEquations[0].right.factors.size() >= 2);
    };
    const auto verdict = [&](std::size_t i, const Wrong &wrong) {
        return u"第 " + number(static_cast<int>(i + 1)) + u" 行有误。\n" + lines[i] + u"\n" +
               wrong.why + passed + note;
    };
    // A part that no line completed is wrong where it was written.
    const auto settle = [&]() -> std::optional<Wrong> {
        if (!pending)
            return std::nullopt;
        const Pending p = *pending;
        pending.reset();
        if (p.read.kind == StudentLine::Roots)
            return wrongRoots(s, p.set, p.read.plusForPlusMinus, afterFactors());
        return wrongEquation(s, p.read, p.set);
    };
    int counted = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::u16string &line = lines[i];
        if (std::all_of(line.begin(), line.end(), [](char16_t ch) { return ch == u' '; }))
            continue;
        if (++counted > MostCheckedLines) {
            note = u"\n只检查了前 " + number(MostCheckedLines) + u" 行。";
            break;
        }
        const std::u16string n = number(static_cast<int>(i + 1));
        const Symbols symbols{s.ca, s.cb, s.cc, s.cb * s.cb - Radical(4) * s.ca * s.cc};
        const StudentLine read = readLine(line, symbols);
        if (answered && read.kind != StudentLine::Roots)
            continue;
        if (read.kind == StudentLine::Unread) {
            passed += u"\n第 " + n + u" 行没有读懂，已跳过。";
            continue;
        }
        if (pending && pending->read.kind != read.kind) {
            const std::size_t at = pending->line;
            if (const std::optional<Wrong> w = settle())
                return verdict(at, *w);
        }
        std::optional<Wrong> wrong;
        switch (read.kind) {
        case StudentLine::Unread:
            break;
        case StudentLine::Equations: {
            RootSet now = setOf(read);
            if (pending)
                now = unite(pending->set, now);
            if (sameSet(now, s.last)) {
                s.lastEquations = read.equations;
                if (pending)
                    s.lastEquations.insert(s.lastEquations.begin(), pending->read.equations.begin(),
                                           pending->read.equations.end());
                pending.reset();
                s.ownLines = true;
                if (read.equations.size() == 1 && degree(read.equations[0].general()) == 2)
                    s.general = read.equations[0].general();
                break;
            }
            const bool linear =
                std::all_of(read.equations.begin(), read.equations.end(),
                            [](const Equation &e) { return degree(e.general()) == 1; });
            if (linear && degree(now) > 0 && strictlyWithin(now, s.last)) {
                if (pending) {
                    pending->set = now;
                    pending->read.equations.insert(pending->read.equations.end(),
                                                   read.equations.begin(), read.equations.end());
                } else {
                    pending = Pending{i, read, now};
                }
                break;
            }
            if (pending) {
                const Pending p = *pending;
                pending.reset();
                return verdict(p.line, *wrongEquation(s, p.read, p.set));
            }
            wrong = wrongEquation(s, read, now);
            break;
        }
        case StudentLine::Roots: {
            for (const std::vector<Radical> &values : read.rootChain)
                if (!wrong && !sameSet(rootsOf(values), s.answer))
                    wrong = wrongRoots(s, rootsOf(values), read.plusForPlusMinus, afterFactors());
            if (wrong)
                break;
            RootSet now = setOf(read);
            if (pending)
                now = unite(pending->set, now);
            if (sameSet(now, s.answer)) {
                pending.reset();
                answered = true;
                break;
            }
            if (degree(now) > 0 && strictlyWithin(now, s.answer) && !read.plusForPlusMinus) {
                if (pending)
                    pending->set = now;
                else
                    pending = Pending{i, read, now};
                break;
            }
            if (pending) {
                const Pending p = *pending;
                pending.reset();
                return verdict(p.line, *wrongRoots(s, p.set, false, afterFactors()));
            }
            wrong = wrongRoots(s, now, read.plusForPlusMinus, afterFactors());
            break;
        }
        case StudentLine::Coefficients: {
            const Poly &g = degree(s.general) == 2 ? s.general : Poly{s.c, s.b, s.a};
            const bool proportional = read.b * g[2] == read.a * g[1] &&
                                      read.c * g[2] == read.a * g[0] && !read.a.isZero();
            if (!proportional) {
                wrong = Wrong{u"a、b、c 不对，应为 a = " + text(g[2]) + u"，b = " + text(g[1]) +
                              u"，c = " + text(g[0])};
                break;
            }
            s.ca = read.a;
            s.cb = read.b;
            s.cc = read.c;
            break;
        }
        case StudentLine::Discriminant: {
            // For the last coefficients, or for the last equation written as … = 0.
            std::vector<Symbols> meant{symbols};
            if (s.lastEquations.size() == 1 && s.lastEquations[0].right.poly.empty() &&
                degree(s.lastEquations[0].left.poly) == 2) {
                const Poly &g = s.lastEquations[0].left.poly;
                meant.push_back({g[2], g[1], g[0], g[1] * g[1] - Radical(4) * g[2] * g[0]});
            }
            const bool right = std::any_of(meant.begin(), meant.end(), [&](const Symbols &m) {
                const StudentLine again = readLine(line, m);
                return again.kind == StudentLine::Discriminant &&
                       std::all_of(again.values.begin(), again.values.end(),
                                   [&](const Radical &v) { return v == m.d; });
            });
            if (!right)
                wrong = Wrong{u"△ 算错了，应为 △ = b² − 4ac = " + text(symbols.d)};
            break;
        }
        }
        if (wrong)
            return verdict(i, *wrong);
        lastAnswers = read.kind == StudentLine::Roots;
    }
    if (pending) {
        const std::size_t at = pending->line;
        if (const std::optional<Wrong> w = settle())
            return verdict(at, *w);
    }
    if (answered && lastAnswers)
        return u"全部正确。" + passed + note;
    return u"还没有写出方程的根。" + passed + note;
}

} // namespace solvers
