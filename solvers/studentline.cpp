#include "studentline.h"

#include "linetext.h"

#include <algorithm>
#include <cctype>

namespace solvers {

using rt::Radical;

namespace {

// At most four radicands, as in a box: past that the arithmetic grows as 4ⁿ.
bool small(const Poly &p)
{
    return std::all_of(p.begin(), p.end(), [](const Radical &v) { return v.terms().size() <= 5; });
}

// Reads one side of an equation, with ± taken as pm.
class Parser
{
public:
    Parser(std::u16string_view text, const Symbols &symbols, int pm)
        : m_s(text), m_symbols(symbols), m_pm(pm)
    {}

    std::optional<Side> side()
    {
        std::optional<Side> r = sum(true);
        if (!r || m_i != m_s.size())
            return std::nullopt;
        return r;
    }
    bool sawPlusMinus() const { return m_sawPm; }

private:
    char16_t peek() const { return m_i < m_s.size() ? m_s[m_i] : u'\0'; }

    std::optional<Side> sum(bool top)
    {
        if (++m_depth > 32)
            return std::nullopt;
        Poly total;
        std::vector<Poly> factors;
        int terms = 0;
        int sign = 1;
        for (;;) {
            const char16_t c = peek();
            if (c == u'+' || c == u'-' || c == u'±') {
                sign = c == u'-' ? -1 : c == u'+' ? 1 : m_pm;
                m_sawPm = m_sawPm || c == u'±';
                ++m_i;
            } else if (terms > 0) {
                break;
            }
            std::optional<Side> t = product();
            if (!t)
                return std::nullopt;
            total = sign > 0 ? total + t->poly : total - t->poly;
            if (!small(total))
                return std::nullopt;
            factors = std::move(t->factors);
            ++terms;
            sign = 1;
        }
        --m_depth;
        if (!top || terms > 1)
            factors.clear();
        return Side{total, factors};
    }

    bool startsFactor() const
    {
        const char16_t c = peek();
        return c == u'(' || c == u'x' || c == u'√' || c == u'a' || c == u'b' || c == u'c' ||
               c == u'△' || c == u'.' || (c >= u'0' && c <= u'9');
    }

    std::optional<Side> product()
    {
        std::optional<Poly> p = power();
        if (!p)
            return std::nullopt;
        std::vector<Poly> factors;
        if (degree(*p) > 0)
            factors.push_back(*p);
        for (;;) {
            const char16_t c = peek();
            const bool times = c == u'*', over = c == u'/';
            if (times || over)
                ++m_i;
            else if (!startsFactor())
                break;
            int sign = 1;
            if ((times || over) && (peek() == u'-' || peek() == u'+')) {
                sign = peek() == u'-' ? -1 : 1;
                ++m_i;
            }
            std::optional<Poly> q = power();
            if (!q)
                return std::nullopt;
            // "/2a" divides by 2a, as it is written under the formula's line.
            if (over && std::u16string_view(u"abc△").find(peek()) != std::u16string_view::npos) {
                const std::optional<Poly> symbol = power();
                if (!symbol)
                    return std::nullopt;
                *q = *q * *symbol;
            }
            if (sign < 0)
                *q = Poly{} - *q;
            if (over) {
                if (degree(*q) != 0) // only by a number
                    return std::nullopt;
                *p = *p * Poly{Radical(1) / (*q)[0]};
                if (!small(*p))
                    return std::nullopt;
                continue;
            }
            if (degree(*q) > 0)
                factors.push_back(*q);
            *p = *p * *q;
            if (degree(*p) > 4 || !small(*p))
                return std::nullopt;
        }
        if (factors.size() < 2)
            factors.clear();
        return Side{*p, factors};
    }

    std::optional<Poly> power()
    {
        std::optional<Poly> p = base();
        if (!p || peek() != u'^')
            return p;
        ++m_i;
        if (peek() < u'1' || peek() > u'4')
            return std::nullopt;
        const int e = peek() - u'0';
        ++m_i;
        Poly r{Radical(1)};
        for (int k = 0; k < e; ++k)
            r = r * *p;
        return r;
    }

    std::optional<Poly> base()
    {
        const char16_t c = peek();
        if (c == u'(') {
            ++m_i;
            std::optional<Side> inner = sum(false);
            if (!inner || peek() != u')')
                return std::nullopt;
            ++m_i;
            return inner->poly;
        }
        if (c == u'x') {
            ++m_i;
            if (peek() == u'2' && (m_i + 1 >= m_s.size() || m_s[m_i + 1] < u'0' ||
                                   m_s[m_i + 1] > u'9')) { // "x2" is x²
                ++m_i;
                return Poly{0, 0, 1};
            }
            if (peek() == u'_' || (peek() >= u'0' && peek() <= u'9'))
                return std::nullopt;
            return Poly{0, 1};
        }
        const Radical *symbol = c == u'a'   ? &m_symbols.a
                                : c == u'b' ? &m_symbols.b
                                : c == u'c' ? &m_symbols.c
                                : c == u'△' ? &m_symbols.d
                                            : nullptr;
        if (symbol) {
            ++m_i;
            return Poly{*symbol};
        }
        if (c == u'√') {
            ++m_i;
            std::optional<Poly> radicand;
            if (std::u16string_view(u"(abc△").find(peek()) != std::u16string_view::npos)
                radicand = base();
            else
                radicand = number();
            if (!radicand || degree(*radicand) > 0)
                return std::nullopt;
            const Radical r = radicand->empty() ? Radical() : (*radicand)[0];
            if (!r.isRational()) // a root inside a root
                return std::nullopt;
            const std::optional<Radical> root = Radical::sqrtOf(r.rationalPart());
            if (!root)
                return std::nullopt;
            return Poly{*root};
        }
        return number();
    }

    std::optional<Poly> number()
    {
        std::string digits;
        long fraction = 0;
        bool point = false;
        while (m_i < m_s.size() && digits.size() < 30) {
            const char16_t c = m_s[m_i];
            if (c == u'.' && !point) {
                point = true;
            } else if (c >= u'0' && c <= u'9') {
                digits += static_cast<char>(c);
                fraction += point;
            } else {
                break;
            }
            ++m_i;
        }
        if (digits.empty() || peek() == u'.')
            return std::nullopt;
        mpz_class scale;
        mpz_ui_pow_ui(scale.get_mpz_t(), 10, static_cast<unsigned long>(fraction));
        mpq_class v(mpz_class(digits, 10), scale);
        v.canonicalize();
        return Poly{Radical(v)};
    }

    std::u16string_view m_s;
    const Symbols &m_symbols;
    int m_pm;
    std::size_t m_i = 0;
    int m_depth = 0;
    bool m_sawPm = false;
};

// The values of an expression without x, two where it has ±.
std::optional<std::vector<Radical>> values(std::u16string_view text, const Symbols &symbols)
{
    std::vector<Radical> list;
    for (const int pm : {-1, 1}) {
        Parser p(text, symbols, pm);
        const std::optional<Side> s = p.side();
        if (!s || degree(s->poly) > 0)
            return std::nullopt;
        list.push_back(s->poly.empty() ? Radical() : s->poly[0]);
        if (!p.sawPlusMinus())
            break;
    }
    return list;
}

bool isName(const std::u16string &s)
{
    return s == u"x" || s == u"x1" || s == u"x2" || s == u"x_1" || s == u"x_2";
}

bool noRealRoot(std::u16string_view line)
{
    for (const std::u16string_view says : {u"无实数根", u"没有实数根", u"无实根", u"没有实根"})
        if (line.find(says) != std::u16string_view::npos)
            return true;
    return line.find(u"无解") != std::u16string_view::npos &&
           line.find(u'=') == std::u16string_view::npos;
}

StudentLine roots(const std::vector<std::u16string> &parts, const Symbols &symbols)
{
    StudentLine r;
    bool named = false;
    for (const std::u16string &part : parts) {
        const std::vector<std::u16string> segments = split(part, u"=");
        std::size_t first = 0;
        while (first < segments.size() && isName(segments[first]))
            ++first;
        if (first == 0 && !named)
            return {};
        if (first == segments.size())
            return {};
        named = true;
        std::vector<Radical> last;
        for (std::size_t i = first; i < segments.size(); ++i) {
            const std::optional<std::vector<Radical>> v = values(segments[i], symbols);
            if (!v)
                return {};
            if (v->size() == 2) // each "=" of x = (−b ± √△)/(2a) = … names both roots
                r.rootChain.push_back(*v);
            last = *v;
        }
        r.roots.insert(r.roots.end(), last.begin(), last.end());
        // "x = (8 + √60)/2": a + where the formula's ± stood.
        const std::u16string &written = segments.back();
        r.plusForPlusMinus =
            r.plusForPlusMinus || (written.find(u'√') != std::u16string::npos &&
                                   written.find(u'±') == std::u16string::npos && parts.size() == 1);
    }
    r.kind = StudentLine::Roots;
    return r;
}

} // namespace

StudentLine readLine(std::u16string_view line, const Symbols &symbols)
{
    if (noRealRoot(line)) {
        StudentLine r;
        r.kind = StudentLine::Roots;
        return r;
    }
    const std::u16string math = mathOf(normalised(line));
    if (math.empty() || math.size() > 400)
        return {};
    const std::vector<std::u16string> parts = split(math, u",;或");
    const std::vector<std::u16string> first = split(parts[0], u"=");
    if (first.size() < 2 ||
        std::any_of(parts.begin(), parts.end(), [](const std::u16string &p) { return p.empty(); }))
        return {};

    // a = 1，b = −8，c = 1
    if (first[0] == u"a" || first[0] == u"b" || first[0] == u"c") {
        StudentLine r;
        bool seen[3] = {false, false, false};
        for (const std::u16string &part : parts) {
            const std::vector<std::u16string> kv = split(part, u"=");
            const std::optional<std::vector<Radical>> v =
                kv.size() == 2 ? values(kv[1], symbols) : std::nullopt;
            if (!v || v->size() != 1 || kv[0].size() != 1 || kv[0][0] < u'a' || kv[0][0] > u'c')
                return {};
            const int k = kv[0][0] - u'a';
            seen[k] = true;
            (k == 0 ? r.a : k == 1 ? r.b : r.c) = (*v)[0];
        }
        if (!(seen[0] && seen[1] && seen[2]))
            return {};
        r.kind = StudentLine::Coefficients;
        return r;
    }

    // △ = b² − 4ac = (−8)² − 4 × 1 × 1 = 60
    if (parts.size() == 1 && (first[0] == u"△" || first[0] == u"b^2-4ac")) {
        StudentLine r;
        for (std::size_t i = first[0] == u"△" ? 1 : 0; i < first.size(); ++i) {
            const std::optional<std::vector<Radical>> v = values(first[i], symbols);
            if (!v || v->size() != 1)
                return {};
            r.values.push_back((*v)[0]);
        }
        r.kind = StudentLine::Discriminant;
        return r;
    }

    if (isName(first[0]))
        if (StudentLine r = roots(parts, symbols); r.kind == StudentLine::Roots)
            return r;

    StudentLine r;
    for (const std::u16string &part : parts) {
        const std::vector<std::u16string> sides = split(part, u"=");
        if (sides.size() != 2)
            return {};
        for (const int pm : {1, -1}) {
            Parser left(sides[0], symbols, pm), right(sides[1], symbols, pm);
            std::optional<Side> l = left.side(), rs = right.side();
            if (!l || !rs)
                return {};
            const Equation e{*l, *rs};
            const int d = degree(e.general());
            // An identity ("y = … = (x − 4)² − 15" read as x's) says nothing about the roots.
            if (d > 2 || d < 0 || std::max(degree(l->poly), degree(rs->poly)) < 1)
                return {};
            r.equations.push_back(e);
            if (!left.sawPlusMinus() && !right.sawPlusMinus())
                break;
        }
    }
    r.kind = StudentLine::Equations;
    return r;
}

} // namespace solvers
