#include "solution.h"

#include "roots.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <optional>

namespace solvers {
namespace {

using Piece = std::u16string_view;

// A value as written: exactly, or as "≈" and its 15 significant digits.
struct Written
{
    std::u16string text;
    bool exact = true;

    Piece mark() const { return exact ? u"" : u"≈"; }
    Piece relation() const { return exact ? u" = " : u" ≈ "; }
};

// Joined with one allocation: a press builds the whole working.
std::u16string cat(std::initializer_list<Piece> pieces)
{
    std::size_t size = 0;
    for (const Piece p : pieces)
        size += p.size();
    std::u16string s;
    s.reserve(size);
    for (const Piece p : pieces)
        s += p;
    return s;
}

class Lines
{
public:
    Lines() { m_text.reserve(640); }
    void add(std::initializer_list<Piece> pieces)
    {
        if (!m_text.empty())
            m_text += u'\n';
        for (const Piece p : pieces)
            m_text += p;
    }
    std::u16string take() { return std::move(m_text); }

private:
    std::u16string m_text;
};

const Written Zero{u"0"};
const Written One{u"1"};

// Far more bits than the 15 digits shown need.
constexpr mpfr_prec_t Precision = 128;

// At most 12 digits: a part longer than that is not read, it is approximated.
bool readable(const mpz_class &x)
{
    static const mpz_class limit("1000000000000");
    return mpz_cmpabs(x.get_mpz_t(), limit.get_mpz_t()) < 0;
}

std::u16string widen(std::string_view ascii)
{
    return {ascii.begin(), ascii.end()};
}

std::u16string integerText(const mpz_class &x)
{
    char buffer[40];
    std::string large;
    const char *digits = mpz_sizeinbase(x.get_mpz_t(), 10) + 2 <= sizeof buffer
                             ? mpz_get_str(buffer, 10, x.get_mpz_t())
                             : (large = x.get_str()).c_str();
    std::u16string s;
    for (const char *d = digits; *d; ++d)
        s += *d == '-' ? u'−' : static_cast<char16_t>(*d);
    return s;
}

std::u16string superscript(long e)
{
    static constexpr char16_t Digits[] = u"⁰¹²³⁴⁵⁶⁷⁸⁹";
    std::u16string s = e < 0 ? u"⁻" : u"";
    for (const char d : std::to_string(std::labs(e)))
        s += Digits[d - '0'];
    return s;
}

// Significant digits (no trailing zero) and the exponent of the first, plain from 10⁻⁴ to 10¹⁴
// as Str writes them, otherwise with ×10ⁿ.
std::u16string decimalForm(const std::string &digits, long e, bool negative)
{
    std::u16string s = negative ? u"−" : u"";
    const long count = static_cast<long>(digits.size());
    if (e < -4 || e > 14) {
        s += digits[0];
        if (count > 1)
            s += u"." + widen(std::string_view(digits).substr(1));
        return s + u"×10" + superscript(e);
    }
    if (e < 0)
        return s + u"0." + std::u16string(static_cast<std::size_t>(-e - 1), u'0') + widen(digits);
    if (count <= e + 1)
        return s + widen(digits) + std::u16string(static_cast<std::size_t>(e + 1 - count), u'0');
    const std::string_view all(digits);
    return s + widen(all.substr(0, static_cast<std::size_t>(e + 1))) + u"." +
           widen(all.substr(static_cast<std::size_t>(e + 1)));
}

Written approximate(mpfr_srcptr x)
{
    if (mpfr_zero_p(x))
        return {u"0", false};
    char buffer[24];
    mpfr_exp_t e = 0;
    mpfr_get_str(buffer, &e, 10, 15, x, MPFR_RNDN);
    std::string digits(buffer);
    const bool negative = digits[0] == '-';
    if (negative)
        digits.erase(0, 1);
    digits.erase(digits.find_last_not_of('0') + 1);
    return {decimalForm(digits, static_cast<long>(e) - 1, negative), false};
}

Written approximate(const mpq_class &v)
{
    mpfr_t x;
    mpfr_init2(x, Precision);
    mpfr_set_q(x, v.get_mpq_t(), MPFR_RNDN);
    Written w = approximate(x);
    mpfr_clear(x);
    return w;
}

// The decimal form of a value that terminates within 15 significant digits.
std::optional<Written> terminating(const mpq_class &v)
{
    static const mpz_class five(5), ten(10);
    mpz_class den = v.get_den();
    const mp_bitcnt_t twos = mpz_scan1(den.get_mpz_t(), 0);
    den >>= twos;
    const mp_bitcnt_t fives = mpz_remove(den.get_mpz_t(), den.get_mpz_t(), five.get_mpz_t());
    if (den != 1)
        return std::nullopt;
    mpz_class m = abs(v.get_num());
    if (twos > fives) {
        mpz_class p;
        mpz_ui_pow_ui(p.get_mpz_t(), 5, twos - fives);
        m *= p;
    } else {
        m <<= fives - twos;
    }
    long e = -static_cast<long>(std::max(twos, fives));
    e += static_cast<long>(mpz_remove(m.get_mpz_t(), m.get_mpz_t(), ten.get_mpz_t()));
    const std::string digits = m.get_str();
    if (digits.size() > 15)
        return std::nullopt;
    return Written{decimalForm(digits, e + static_cast<long>(digits.size()) - 1, sgn(v) < 0)};
}

// A computed value: a decimal when a box was, otherwise a fraction or an integer; a terminating
// value too long for that stays exact as a decimal.
Written write(const mpq_class &v, bool decimals)
{
    if (sgn(v) == 0)
        return Zero;
    const bool shortParts = readable(v.get_num()) && readable(v.get_den());
    if (decimals || !shortParts)
        if (std::optional<Written> t = terminating(v))
            return *t;
    if (!shortParts)
        return approximate(v);
    std::u16string s = integerText(v.get_num());
    if (v.get_den() != 1)
        s += u"/" + integerText(v.get_den());
    return {s};
}

// A typed number in the kind it was typed in.
Written echo(const mpq_class &v, const rt::Number &typed)
{
    return write(v, typed.kind == rt::NumberKind::Decimal);
}

bool anyDecimal(std::initializer_list<const rt::Number *> numbers)
{
    return std::any_of(numbers.begin(), numbers.end(),
                       [](const rt::Number *n) { return n->kind == rt::NumberKind::Decimal; });
}

bool negative(const Written &w)
{
    return !w.text.empty() && w.text[0] == u'−';
}

bool contains(const Written &w, char16_t c)
{
    return w.text.find(c) != std::u16string::npos;
}

std::u16string point(const Written &x, const Written &y)
{
    return cat({u"(", x.mark(), x.text, u", ", y.mark(), y.text, u")"});
}

// A substituted number inside a product.
std::u16string factor(const Written &w)
{
    const bool wrap = negative(w) || contains(w, u'×');
    return cat({wrap ? u"(" : u"", w.text, wrap ? u")" : u""});
}

std::u16string squared(const Written &w)
{
    const bool wrap = negative(w) || contains(w, u'/') || contains(w, u'×');
    return cat({wrap ? u"(" : u"", w.text, wrap ? u")²" : u"²"});
}

std::u16string radicand(const Written &w)
{
    const bool wrap = contains(w, u'/') || contains(w, u'×');
    return cat({wrap ? u"(" : u"", w.text, wrap ? u")" : u""});
}

struct Term
{
    const Written &coefficient;
    std::u16string_view letter;
};

// "1/4 x² − 2x + 2": zero terms vanish, a coefficient 1 is dropped, a fraction takes a blank.
std::u16string terms(std::initializer_list<Term> list)
{
    std::u16string s;
    for (const Term &t : list) {
        const std::u16string &c = t.coefficient.text;
        if (c == u"0")
            continue;
        const bool minus = negative(t.coefficient);
        std::u16string body = minus ? c.substr(1) : c;
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

// p ± v√n/d with p an integer, otherwise (u ± v√n)/d over the common denominator.
Written radical(const Surd &x, mpfr_srcptr approximation)
{
    const mpq_class q = abs(x.q);
    const bool integer = x.p.get_den() == 1;
    mpz_class u = x.p.get_num(), v = q.get_num(), d = q.get_den();
    if (!integer) {
        mpz_lcm(d.get_mpz_t(), x.p.get_den_mpz_t(), q.get_den_mpz_t());
        u *= d / x.p.get_den();
        v *= d / q.get_den();
    }
    if (!readable(u) || !readable(v) || !readable(x.n) || !readable(d))
        return approximate(approximation);
    std::u16string surd = (v == 1 ? u"" : integerText(v)) + u"√" + integerText(x.n);
    const std::u16string sign = sgn(x.q) < 0 ? u" − " : u" + ";
    if (!integer)
        return {u"(" + integerText(u) + sign + surd + u")/" + integerText(d)};
    if (d != 1)
        surd += u"/" + integerText(d);
    if (sgn(u) == 0)
        return {sgn(x.q) < 0 ? u"−" + surd : surd};
    return {integerText(u) + sign + surd};
}

// Squares of the primes below this are taken out of a radicand.
constexpr std::uint64_t SmallPrimeEnd = 10000;

// v is divisible by p exactly when v * inverse <= most.
struct SmallPrime
{
    std::uint64_t p, inverse, most;
};

const std::vector<SmallPrime> &smallPrimes()
{
    static const std::vector<SmallPrime> primes = [] {
        std::vector<SmallPrime> list;
        std::vector<bool> composite(SmallPrimeEnd);
        for (std::uint64_t p = 2; p < SmallPrimeEnd; ++p) {
            if (composite[p])
                continue;
            for (std::uint64_t m = p * p; m < SmallPrimeEnd; m += p)
                composite[m] = true;
            std::uint64_t inverse = p; // right to 3 bits for odd p; Newton doubles them
            for (int i = 0; i < 5; ++i)
                inverse *= 2 - p * inverse;
            list.push_back({p, inverse, std::numeric_limits<std::uint64_t>::max() / p});
        }
        return list;
    }();
    return primes;
}

// m = s²·n without the squares of the primes below 10⁴, nor of a larger one when what is left
// is readable. One gcd with their product finds the few that divide m, where dividing by each
// of the 1229 would cost the time of a press.
void splitSquares(mpz_class m, mpz_class &s, mpz_class &n)
{
    static const mpz_class primorial = [] {
        mpz_class p;
        mpz_primorial_ui(p.get_mpz_t(), SmallPrimeEnd - 1);
        return p;
    }();
    s = 1;
    n = 1;
    auto take = [&](unsigned long p) {
        const mpz_class f(p);
        const mp_bitcnt_t e = mpz_remove(m.get_mpz_t(), m.get_mpz_t(), f.get_mpz_t());
        mpz_class power;
        mpz_ui_pow_ui(power.get_mpz_t(), p, e / 2);
        s *= power;
        if (e % 2)
            n *= p;
    };
    mpz_class g;
    mpz_gcd(g.get_mpz_t(), m.get_mpz_t(), primorial.get_mpz_t());
    if (mpz_even_p(g.get_mpz_t())) {
        g >>= 1;
        take(2);
    }
    const std::vector<SmallPrime> &primes = smallPrimes();
    std::size_t i = 1;
    for (; !mpz_fits_ulong_p(g.get_mpz_t()); ++i) {
        if (mpz_divisible_ui_p(g.get_mpz_t(), primes[i].p)) {
            mpz_divexact_ui(g.get_mpz_t(), g.get_mpz_t(), primes[i].p);
            take(primes[i].p);
        }
    }
    // g is odd, a product of distinct primes from primes[i] on.
    for (std::uint64_t rest = mpz_get_ui(g.get_mpz_t()); rest > 1; ++i) {
        const SmallPrime &sp = primes[i];
        if (sp.p * sp.p > rest) {
            take(rest);
            break;
        }
        if (rest * sp.inverse <= sp.most) {
            rest *= sp.inverse;
            take(sp.p);
        }
    }
    // What is left has no prime below 10⁴; at most 10¹², it is 1, p, pq or p².
    if (readable(mpz_class(n * m)) && mpz_perfect_square_p(m.get_mpz_t())) {
        mpz_sqrt(m.get_mpz_t(), m.get_mpz_t());
        s *= m;
    } else {
        n *= m;
    }
}

void finish(Solution &s, Lines &lines)
{
    s.steps = lines.take();
    Graph &g = s.graph;
    bool finite = std::isfinite(g.a) && std::isfinite(g.b) && std::isfinite(g.c) &&
                  std::isfinite(g.axis.value_or(0)) && std::isfinite(g.vertical.value_or(0));
    for (const GraphPoint &p : g.points)
        finite = finite && std::isfinite(p.x) && std::isfinite(p.y);
    g.plottable = finite;
}

GraphPoint graphPoint(const mpq_class &x, const mpq_class &y, std::u16string label,
                      std::u16string shortLabel)
{
    return {rt::nearestDouble(x), rt::nearestDouble(y), std::move(label), std::move(shortLabel)};
}

Solution linearEquation(const rt::Number &b, const rt::Number &c, bool decimals)
{
    Solution s;
    Lines lines;
    const Written B = echo(b.exact, b), C = echo(c.exact, c);
    s.graph.b = b.value;
    s.graph.c = c.value;
    const std::u16string yIntercept = point(Zero, C);
    if (c.value != 0 || b.value == 0)
        s.graph.points.push_back(graphPoint(0, c.exact, yIntercept, yIntercept));
    if (b.value == 0) {
        s.answer = sgn(c.exact) != 0 ? u"方程无解" : u"任意实数都是方程的解";
        lines.add(
            {u"a = 0，b = 0，方程化为 ", C.exact ? Piece(C.text) : u"c", u" = 0，", s.answer});
        finish(s, lines);
        return s;
    }
    const mpq_class root = -c.exact / b.exact;
    const Written X = write(root, decimals);
    s.roots.push_back({root, 0});
    s.answer = cat({u"x", X.relation(), X.text});
    const bool typedExact = B.exact && C.exact;
    const std::u16string f = typedExact ? terms({{B, u"x"}, {C, u""}}) : u"bx + c";
    lines.add({u"a = 0，方程 ", f, u" = 0 是一元一次方程"});
    if (typedExact)
        lines.add({u"移项，得 ", terms({{B, u"x"}}), u" = ", echo(-c.exact, c).text});
    lines.add({s.answer});
    const std::u16string xIntercept = point(X, Zero);
    lines.add({u"一次函数 y = ", f, u" 的图像与 x 轴的交点是 ", xIntercept, u"，与 y 轴的交点是 ",
               yIntercept});
    s.graph.points.insert(s.graph.points.begin(), graphPoint(root, 0, xIntercept, u"x"));
    finish(s, lines);
    return s;
}

} // namespace

Solution quadraticSolution(const rt::Number &a, const rt::Number &b, const rt::Number &c)
{
    const bool decimals = anyDecimal({&a, &b, &c});
    if (a.value == 0)
        return linearEquation(b, c, decimals);

    Solution s;
    Lines lines;
    const Written A = echo(a.exact, a), B = echo(b.exact, b), C = echo(c.exact, c);
    const bool typedExact = A.exact && B.exact && C.exact;
    const std::u16string f =
        typedExact ? terms({{A, u"x²"}, {B, u"x"}, {C, u""}}) : u"ax² + bx + c";
    lines.add({u"解方程 ", f, u" = 0"});
    lines.add(
        {u"a", A.relation(), A.text, u"，b", B.relation(), B.text, u"，c", C.relation(), C.text});

    const mpq_class twoA = 2 * a.exact;
    const mpq_class h = -b.exact / twoA; // the axis, and the rational part of the roots
    const mpq_class d = b.exact * b.exact - 2 * twoA * c.exact;
    const Written D = write(d, decimals);
    if (typedExact)
        lines.add({u"△ = b² − 4ac = ", squared(B), u" − 4 × ", factor(A), u" × ", factor(C),
                   D.relation(), D.text});
    else
        lines.add({u"△ = b² − 4ac", D.relation(), D.text});
    const int sign = sgn(d);
    lines.add({sign > 0    ? u"△ > 0，方程有两个不相等的实数根"
               : sign == 0 ? u"△ = 0，方程有两个相等的实数根"
                           : u"△ < 0，方程没有实数根"});

    Written x[2];
    if (sign >= 0) {
        if (typedExact && D.exact)
            lines.add({u"x = (−b ± √△)/(2a) = (", echo(-b.exact, b).text, u" ± √", radicand(D),
                       u")/(2 × ", factor(A), u")"});
        else
            lines.add({u"x = (−b ± √△)/(2a)"});
        std::u16string near[2];
        if (const std::optional<mpq_class> r = rationalSqrt(d)) {
            for (const int k : {0, 1}) {
                const mpq_class root = h + (k ? *r : mpq_class(-*r)) / twoA;
                x[k] = write(root, decimals);
                s.graph.points.push_back(graphPoint(root, 0, point(x[k], Zero), u""));
                s.roots.push_back({root, 0});
            }
        } else {
            mpz_class square, n;
            splitSquares(d.get_num() * d.get_den(), square, n);
            const mpq_class q = square / (twoA * d.get_den());
            s.roots = {{h, -q, n}, {h, q, n}};
            mpfr_t approximation[2];
            mpfr_inits2(Precision, approximation[0], approximation[1],
                        static_cast<mpfr_ptr>(nullptr));
            approximateRoots(a.exact, b.exact, c.exact, d, approximation[0], approximation[1]);
            for (const int k : {0, 1}) {
                x[k] = radical(s.roots[k], approximation[k]);
                if (x[k].exact)
                    near[k] = cat({u" ≈ ", approximate(approximation[k]).text});
                s.graph.points.push_back(
                    {rt::nearestDouble(approximation[k]), 0, point(x[k], Zero), u""});
            }
            mpfr_clears(approximation[0], approximation[1], static_cast<mpfr_ptr>(nullptr));
        }
        if (sign == 0) {
            s.answer = cat({u"x₁ = x₂", x[0].relation(), x[0].text});
            lines.add({s.answer, near[0]});
            s.graph.points.clear(); // the root is the vertex
        } else {
            s.answer =
                cat({u"x₁", x[0].relation(), x[0].text, u"，x₂", x[1].relation(), x[1].text});
            lines.add({u"x₁", x[0].relation(), x[0].text, near[0], u"，x₂", x[1].relation(),
                       x[1].text, near[1]});
            s.graph.points[0].shortLabel = u"x₁";
            s.graph.points[1].shortLabel = u"x₂";
        }
    } else {
        s.answer = u"方程没有实数根";
    }

    const mpq_class k = -d / (2 * twoA);
    const Written H = write(h, decimals), K = write(k, decimals);
    const std::u16string vertex = point(H, K), yIntercept = point(Zero, C);
    const bool up = a.value > 0;
    lines.add({u"二次函数 y = ", f, u" 的图像开口向", up ? u"上" : u"下", u"，对称轴是直线 x",
               H.relation(), H.text, u"，顶点坐标是 ", vertex});
    lines.add({u"当 x", H.relation(), H.text, u" 时，y 有", up ? u"最小值 " : u"最大值 ", K.mark(),
               K.text});
    if (sign > 0)
        lines.add({u"与 y 轴的交点是 ", yIntercept, u"，与 x 轴的交点是 ", s.graph.points[0].label,
                   u" 和 ", s.graph.points[1].label});
    else if (sign == 0)
        lines.add({u"与 y 轴的交点是 ", yIntercept, u"，与 x 轴的交点是 ", point(x[0], Zero)});
    else
        lines.add({u"与 y 轴的交点是 ", yIntercept, u"，与 x 轴没有交点"});

    s.graph.a = a.value;
    s.graph.b = b.value;
    s.graph.c = c.value;
    s.graph.axis = rt::nearestDouble(h);
    s.graph.points.push_back(graphPoint(h, k, vertex, u"顶点"));
    // On the y-axis the vertex (b = 0) or a root (c = 0) is already marked.
    if (b.value != 0 && c.value != 0)
        s.graph.points.push_back(
            graphPoint(0, c.exact, yIntercept, C.text.size() <= 6 ? yIntercept : u"(0, c)"));
    finish(s, lines);
    return s;
}

Solution lineSolution(const rt::Number &x1, const rt::Number &y1, const rt::Number &x2,
                      const rt::Number &y2)
{
    Solution s;
    Lines lines;
    const bool decimals = anyDecimal({&x1, &y1, &x2, &y2});
    const Written X1 = echo(x1.exact, x1), Y1 = echo(y1.exact, y1);
    const Written X2 = echo(x2.exact, x2), Y2 = echo(y2.exact, y2);
    const std::u16string first = point(X1, Y1), second = point(X2, Y2);
    s.graph.points = {{x1.value, y1.value, first, u"A"}, {x2.value, y2.value, second, u"B"}};

    const bool sameX = x1.value == x2.value, sameY = y1.value == y2.value;
    if (sameX || sameY) {
        s.refused = true;
        s.answer = sameX ? u"两点的横坐标相同，过这两点的直线不是一次函数的图像"
                         : u"两点的纵坐标相同，过这两点的直线不是一次函数的图像";
        if (sameX && sameY) {
            lines.add({u"点 ", first, u" 和 ", second, u" 是同一个点"});
            lines.add({u"过一个点的直线有无数条，定不出一次函数的解析式"});
            s.graph.points.pop_back();
            s.graph.vertical = x1.value;
        } else if (sameX) {
            lines.add({u"点 ", first, u" 和 ", second, u" 的横坐标相同"});
            lines.add({u"过这两点的直线是 x", X1.relation(), X1.text,
                       u"，它与 x 轴垂直，不能写成 y = kx + b 的形式"});
            lines.add({u"所以过这两点的直线不是一次函数的图像"});
            s.graph.vertical = x1.value;
        } else {
            lines.add({u"点 ", first, u" 和 ", second, u" 的纵坐标相同"});
            lines.add({u"过这两点的直线是 y", Y1.relation(), Y1.text, u"，它的 k = 0"});
            lines.add({u"一次函数 y = kx + b 要求 k ≠ 0，所以过这两点的直线不是一次函数的图像"});
            s.graph.c = y1.value;
        }
        finish(s, lines);
        return s;
    }

    const mpq_class k = (y2.exact - y1.exact) / (x2.exact - x1.exact);
    const mpq_class b = y1.exact - x1.exact * k;
    const Written K = write(k, decimals), B = write(b, decimals);
    lines.add({u"设一次函数的解析式为 y = kx + b"});
    if (X1.exact && Y1.exact && X2.exact && Y2.exact)
        lines.add({u"把 ", first, u" 和 ", second, u" 代入，得 ", terms({{X1, u"k"}, {One, u"b"}}),
                   u" = ", Y1.text, u"，", terms({{X2, u"k"}, {One, u"b"}}), u" = ", Y2.text});
    else
        lines.add({u"把 ", first, u" 和 ", second, u" 代入"});
    lines.add({u"解得 k", K.relation(), K.text, u"，b", B.relation(), B.text});
    s.answer = cat({u"y", K.exact && B.exact ? u" = " : u" ≈ ", terms({{K, u"x"}, {B, u""}})});
    lines.add({u"所以 ", s.answer});
    lines.add({u"与 x 轴的交点是 ", point(write(-b / k, decimals), Zero), u"，与 y 轴的交点是 ",
               point(Zero, B)});
    lines.add({u"k", K.relation(), K.text,
               sgn(k) > 0 ? u" > 0，y 随 x 的增大而增大" : u" < 0，y 随 x 的增大而减小"});
    s.graph.b = rt::nearestDouble(k);
    s.graph.c = rt::nearestDouble(b);
    finish(s, lines);
    return s;
}

} // namespace solvers
