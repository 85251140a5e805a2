#include "exact.h"

#include "ansi.h"
#include "boxes.h"
#include "conversions.h"
#include "line.h"
#include "quadratic.h"
#include "runtimeerror.h"

#include <cmath>

namespace {

// A real number compared exactly: q, or (-b + sigma·√d) / 2a.
struct Real
{
    mpq_class q, a = 0, b = 0, d = 0;
    int sigma = 0;
};

// The sign of x - v.
int compare(const Real &x, const mpq_class &v)
{
    if (x.sigma == 0)
        return sgn(mpq_class(x.q - v));
    const mpq_class w = x.b + 2 * x.a * v; // x - v = (sigma·√d - w) / 2a
    const int s = x.sigma > 0 ? (sgn(w) < 0 ? 1 : sgn(mpq_class(x.d - w * w)))
                              : (sgn(w) > 0 ? -1 : sgn(mpq_class(w * w - x.d)));
    return sgn(x.a) > 0 ? s : -s;
}

mpq_class power10(long e)
{
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(std::labs(e)));
    return e >= 0 ? mpq_class(p) : mpq_class(1, p);
}

// From 2^1024 - 2^970 on, a value rounds to infinity.
bool beyondRange(const Real &x)
{
    static const mpq_class end((mpz_class(1) << 1024) - (mpz_class(1) << 970));
    return compare(x, end) >= 0 || compare(x, -end) <= 0;
}

// How Str must show x: its exact digits when it has at most 15 of them, otherwise within one
// unit of the 15th. Below the normal range a double holds fewer digits than are shown.
std::string checkShown(const std::u16string &piece, const Real &x)
{
    const std::string text = rt::toAnsi(piece);
    if (text.size() < 2 || (text[0] != ' ' && text[0] != '-') || text == "-0" ||
        text.find_first_not_of(" -+.0123456789E") != std::string::npos)
        return "malformed number '" + text + "'";
    const mpq_class t = exactOf(text);
    const int sign = compare(x, 0);
    const mpq_class smallest = mpq_class(1) / mpq_class(mpz_class(1) << 1022);
    if (compare(x, smallest) < 0 && compare(x, -smallest) > 0)
        return {};
    if (sgn(t) != sign)
        return "'" + text + "' has the wrong sign";
    long e = std::lround(std::floor(std::log10(std::fabs(t.get_d()))));
    while (sign * compare(x, mpq_class(sign * power10(e))) < 0)
        --e;
    while (sign * compare(x, mpq_class(sign * power10(e + 1))) >= 0)
        ++e;
    if (x.sigma == 0 && mpq_class(x.q * power10(14 - e)).get_den() == 1)
        return t == x.q ? std::string() : "'" + text + "' is not exact";
    const mpq_class unit = power10(e - 14);
    if (compare(x, t - unit) < 0 || compare(x, t + unit) > 0)
        return "'" + text + "' is off by more than a unit of its 15th digit";
    return {};
}

// What a press must end in: a runtime error, a text, or numbers after head and around sep.
struct Outcome
{
    int error = 0;
    std::u16string text = {}, head = {}, sep = {}; // no sep: one number
    Real x = {}, y = {};
};

bool finite(std::initializer_list<double> values)
{
    for (const double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

Outcome quadratic(const rt::Number &a, const rt::Number &b, const rt::Number &c)
{
    if (a.value == 0 && b.value == 0)
        return {c.value == 0 ? rt::Overflow : rt::DivisionByZero};
    if (a.value == 0) {
        const Real root{-c.exact / b.exact};
        if (!std::isfinite((c.value * -1.0) / b.value) || beyondRange(root))
            return {rt::Overflow};
        return {0, u"", u"X=", u"", root};
    }
    const double bb = b.value * b.value, fac = (a.value * 4.0) * c.value;
    if (!finite({bb, a.value * 4.0, fac, bb - fac}))
        return {rt::Overflow};
    const mpq_class d = b.exact * b.exact - 4 * a.exact * c.exact;
    if (sgn(d) < 0)
        return {0, u"△小于0，无解！"};
    Real x[2];
    for (const int sigma : {-1, 1}) {
        Real &r = x[(sigma + 1) / 2];
        r = {0, a.exact, b.exact, d, sigma};
        if (mpz_perfect_square_p(d.get_num_mpz_t()) && mpz_perfect_square_p(d.get_den_mpz_t())) {
            mpq_class s;
            mpz_sqrt(s.get_num_mpz_t(), d.get_num_mpz_t());
            mpz_sqrt(s.get_den_mpz_t(), d.get_den_mpz_t());
            r = {(-b.exact + sigma * s) / (2 * a.exact)};
        }
    }
    if (beyondRange(x[0]) || beyondRange(x[1]))
        return {rt::Overflow};
    return {0, u"", u"X1=", u"    X2=", x[0], x[1]};
}

Outcome line(const rt::Number &x1, const rt::Number &y1, const rt::Number &x2, const rt::Number &y2)
{
    if (x1.value == x2.value || y2.value == y1.value)
        return {0, u"ERROR! 请检查输入的坐标"};
    const double k = (y2.value - y1.value) / (x2.value - x1.value);
    const Real slope{(y2.exact - y1.exact) / (x2.exact - x1.exact)};
    const Real intercept{y1.exact - x1.exact * slope.q};
    if (!finite({y2.value - y1.value, x2.value - x1.value, k, y1.value - x1.value * k,
                 y2.value - x2.value * k}) ||
        beyondRange(slope) || beyondRange(intercept))
        return {rt::Overflow};
    return {0, u"", u"Y=", u" X  +", slope, intercept};
}

std::string shown(int error, const std::u16string &caption)
{
    return error ? "runtime error " + std::to_string(error) : "'" + rt::toAnsi(caption) + "'";
}

} // namespace

mpq_class exactOf(std::string_view text)
{
    if (const auto slash = text.find('/'); slash != std::string_view::npos)
        return exactOf(text.substr(0, slash)) / exactOf(text.substr(slash + 1));
    std::string digits = "0";
    long exponent = 0;
    bool point = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '.')
            point = true;
        else if (text[i] >= '0' && text[i] <= '9') {
            digits.push_back(text[i]);
            exponent -= point;
        } else if (text[i] == 'E' || text[i] == 'e') {
            exponent += std::stol(std::string(text.substr(i + 1)));
            break;
        }
    }
    const mpq_class v = mpz_class(digits, 10) * power10(exponent);
    return text.find('-') < text.find_first_of("Ee") ? mpq_class(-v) : v;
}

std::string decimalText(const mpq_class &value)
{
    mpq_class v = abs(value);
    std::size_t places = 0;
    for (; v.get_den() != 1; ++places)
        v *= 10;
    std::string s = v.get_num().get_str();
    if (places > 0) {
        s.insert(0, s.size() <= places ? places + 1 - s.size() : 0, '0');
        s.insert(s.size() - places, ".");
    }
    return sgn(value) < 0 ? "-" + s : s;
}

Press press(const std::vector<std::u16string> &boxes)
{
    Press p;
    try {
        const solvers::Boxes read = solvers::readBoxes(boxes);
        p.refused = read.refused >= 0;
        p.numbers = read.numbers;
        if (p.refused)
            return p;
        p.read = true;
        const auto &n = p.numbers;
        p.caption = n.size() == 3 ? solvers::quadraticAnswer(n[0], n[1], n[2])
                                  : solvers::lineAnswer(n[0], n[1], n[2], n[3]);
    } catch (const rt::RuntimeError &e) {
        p.error = e.number();
    }
    return p;
}

// With a square root in a box: each root shown makes the polynomial vanish to the rounding of
// the root, and the line passes through both points.
std::string checkRadical(const Press &p)
{
    const auto &n = p.numbers;
    if (p.error)
        return p.error == rt::Overflow || p.error == rt::DivisionByZero
                   ? std::string()
                   : "raised " + shown(p.error, {});
    const std::string got = "'" + rt::toAnsi(p.caption) + "'";
    if (n.size() == 4) {
        if (p.caption == u"ERROR! 请检查输入的坐标")
            return n[0].value == n[2].value || n[1].value == n[3].value ? "" : "refused " + got;
        const auto at = p.caption.find(u" X  +");
        if (!p.caption.starts_with(u"Y=") || at == std::u16string::npos)
            return "malformed " + got;
        const long double k = std::stold(rt::toAnsi(p.caption.substr(2, at - 2)));
        const long double b = std::stold(rt::toAnsi(p.caption.substr(at + 5)));
        // A slope or intercept below the normal range keeps fewer digits.
        for (const int i : {0, 2}) {
            const long double x = n[i].value, y = n[i + 1].value;
            const long double size = std::fabs(k * x) + std::fabs(b) + std::fabs(y);
            if (std::fabs(k * x + b - y) >
                1e-12L * size + 0x1p-1070L * (std::fabs(x) + std::fabs(k) + 1))
                return "misses a point: " + got;
        }
        return {};
    }
    const long double a = n[0].value, b = n[1].value, c = n[2].value;
    if (p.caption == u"△小于0，无解！")
        return b * b - 4 * a * c < 0 || std::fabs(b * b - 4 * a * c) < 1e-12L * b * b
                   ? ""
                   : "no root " + got;
    std::u16string rest = p.caption;
    for (const std::u16string_view head : {u"X1=", u"X2=", u"X="}) {
        const auto at = rest.find(head);
        if (at == std::u16string::npos)
            continue;
        const long double x = std::stold(rt::toAnsi(rest.substr(at + head.size())));
        const long double size = std::fabs(a * x * x) + std::fabs(b * x) + std::fabs(c);
        // A coefficient below the normal range holds fewer digits than its exact value.
        const long double slope = std::fabs(2 * a * x) + std::fabs(b) + x * x + std::fabs(x) + 1;
        if (std::fabs((a * x + b) * x + c) > 1e-12L * size + 0x1p-1070L * slope)
            return "not a root: " + got;
        rest.erase(0, at + head.size());
    }
    return {};
}

std::string check(const Press &p)
{
    const auto &n = p.numbers;
    if (p.refused)
        return {};
    for (const rt::Number &x : n)
        if (x.radical)
            return checkRadical(p);
    if (!p.read) // a box's own error, before any solver ran
        return p.error == rt::Overflow || p.error == rt::DivisionByZero
                   ? std::string()
                   : "reading a box raised " + shown(p.error, {});
    const Outcome o = n.size() == 3 ? quadratic(n[0], n[1], n[2]) : line(n[0], n[1], n[2], n[3]);
    const std::string got = ", got " + shown(p.error, p.caption);
    if (o.error || !o.text.empty())
        return p.error == o.error && p.caption == o.text
                   ? ""
                   : "expected " + shown(o.error, o.text) + got;
    const auto at = o.sep.empty() ? p.caption.size() : p.caption.find(o.sep, o.head.size());
    if (p.error || !p.caption.starts_with(o.head) || at == std::u16string::npos)
        return "expected " + rt::toAnsi(o.head) + "…" + got;
    const std::string first = checkShown(p.caption.substr(o.head.size(), at - o.head.size()), o.x);
    return !first.empty() || o.sep.empty() ? first
                                           : checkShown(p.caption.substr(at + o.sep.size()), o.y);
}
