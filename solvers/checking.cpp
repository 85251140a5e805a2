#include "checking.h"

#include "mistakes.h"
#include "rootsets.h"
#include "studentline.h"

#include <algorithm>

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
    const auto wrongAbout = [&](const StudentLine &line, const RootSet &now) {
        const bool roots = line.kind == StudentLine::Roots;
        return Wrong{whatIsWrong({s.a, s.b, s.c, s.answer, roots ? s.answer : s.last,
                                  s.lastEquations, s.ownLines, line, now})};
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
        return wrongAbout(p.read, p.set);
    };
    // A part of the roots waits for the rest; otherwise the part before it, or else the line
    // itself, is the first wrong line.
    const auto partOrWrong = [&](bool part, std::size_t i, const StudentLine &read,
                                 const RootSet &now) -> std::optional<std::u16string> {
        if (part && pending) {
            pending->set = now;
            pending->read.equations.insert(pending->read.equations.end(), read.equations.begin(),
                                           read.equations.end());
            return std::nullopt;
        }
        if (part) {
            pending = Pending{i, read, now};
            return std::nullopt;
        }
        if (pending) {
            const Pending p = *pending;
            pending.reset();
            return verdict(p.line, wrongAbout(p.read, p.set));
        }
        return verdict(i, wrongAbout(read, now));
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
            if ((now == s.last)) {
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
            if (const auto v = partOrWrong(linear && degree(now) > 0 && strictlyWithin(now, s.last),
                                           i, read, now))
                return *v;
            break;
        }
        case StudentLine::Roots: {
            for (const std::vector<Radical> &values : read.rootChain)
                if (!wrong && !(rootsOf(values) == s.answer))
                    wrong = wrongAbout(read, rootsOf(values));
            if (wrong)
                break;
            RootSet now = setOf(read);
            if (pending)
                now = unite(pending->set, now);
            if (now == s.answer) {
                pending.reset();
                answered = true;
                break;
            }
            const bool part =
                degree(now) > 0 && strictlyWithin(now, s.answer) && !read.plusForPlusMinus;
            if (const auto v = partOrWrong(part, i, read, now))
                return *v;
            break;
        }
        case StudentLine::Coefficients: {
            const Poly &g = degree(s.general) == 2 ? s.general : Poly{s.c, s.b, s.a};
            const bool proportional = read.b * g[2] == read.a * g[1] &&
                                      read.c * g[2] == read.a * g[0] && !read.a.isZero();
            if (!proportional) {
                wrong = Wrong{u"a、b、c 不对，应为 a = " + valueText(g[2]) + u"，b = " +
                              valueText(g[1]) + u"，c = " + valueText(g[0])};
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
                wrong = Wrong{u"△ 算错了，应为 △ = b² − 4ac = " + valueText(symbols.d)};
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
