#include "exact.h"

#include <cfloat>
#include <cmath>

namespace {

constexpr int Overflow = 6;
constexpr int DivisionByZero = 11;

// A real number the reference can compare exactly: q, or (-b + sigma·√d) / 2a.
struct Real
{
    mpq_class q;
    mpq_class a, b, d;
    int sigma = 0;
};

Real rational(const mpq_class &q)
{
    Real r;
    r.q = q;
    return r;
}

int signOf(int c)
{
    return (c > 0) - (c < 0);
}

// The sign of x - v.
int compare(const Real &x, const mpq_class &v)
{
    if (x.sigma == 0)
        return signOf(cmp(x.q, v));
    const mpq_class w = x.b + 2 * x.a * v; // x - v = (sigma·√d - w) / 2a
    int s;
    if (x.sigma > 0)
        s = sgn(w) < 0 ? 1 : signOf(cmp(x.d, w * w));
    else
        s = sgn(w) > 0 ? -1 : signOf(cmp(w * w, x.d));
    return sgn(x.a) > 0 ? s : -s;
}

mpq_class power10(long e)
{
    mpz_class p;
    mpz_ui_pow_ui(p.get_mpz_t(), 10, static_cast<unsigned long>(std::labs(e)));
    return e >= 0 ? mpq_class(p) : mpq_class(1, p);
}

// 2^1024 - 2^970: from here on a value rounds to infinity.
const mpq_class &rangeEnd()
{
    static const mpq_class end = [] {
        mpz_class top, half;
        mpz_ui_pow_ui(top.get_mpz_t(), 2, 1024);
        mpz_ui_pow_ui(half.get_mpz_t(), 2, 970);
        return mpq_class(top - half);
    }();
    return end;
}

bool beyondRange(const Real &x)
{
    return compare(x, rangeEnd()) >= 0 || compare(x, -rangeEnd()) <= 0;
}

std::string narrow(const std::u16string &s)
{
    std::string out;
    for (const char16_t c : s)
        out.push_back(c < 128 ? static_cast<char>(c) : '?');
    return out;
}

// A number as Str must show x: its exact digits when it has at most 15 of them, otherwise
// within one unit of the 15th. Below the normal range a double holds fewer digits than shown.
std::string checkShown(const std::u16string &piece, const Real &x)
{
    const std::string text = narrow(piece);
    if (text.size() < 2 || (text[0] != ' ' && text[0] != '-') || text == "-0" ||
        text.find_first_not_of(" -+.0123456789E") != std::string::npos)
        return "malformed number '" + text + "'";
    const mpq_class t = exactOf(text);
    const int sign = compare(x, 0);
    const mpq_class smallest = mpq_class(1) / mpq_class(mpz_class(1) << 1022);
    if (compare(x, smallest) < 0 && compare(x, -smallest) > 0)
        return {};
    if (signOf(sgn(t)) != sign)
        return "'" + text + "' has the wrong sign";
    long e = std::lround(std::floor(std::log10(std::fabs(t.get_d()))));
    auto decade = [&](long k) { return mpq_class(sign * power10(k)); };
    while (sign * compare(x, decade(e)) < 0)
        --e;
    while (sign * compare(x, decade(e + 1)) >= 0)
        ++e;
    if (x.sigma == 0 && mpq_class(x.q * power10(14 - e)).get_den() == 1)
        return t == x.q ? std::string() : "'" + text + "' is not exact";
    const mpq_class unit = power10(e - 14);
    if (compare(x, t - unit) < 0 || compare(x, t + unit) > 0)
        return "'" + text + "' is off by more than a unit of its 15th digit";
    return {};
}

std::string expectError(int expected, int error, const std::u16string &caption)
{
    if (error == expected)
        return {};
    return "expected runtime error " + std::to_string(expected) + ", got " +
           (error ? "error " + std::to_string(error) : "'" + narrow(caption) + "'");
}

Real root(const mpq_class &a, const mpq_class &b, const mpq_class &d, int sigma)
{
    if (mpz_perfect_square_p(d.get_num_mpz_t()) && mpz_perfect_square_p(d.get_den_mpz_t())) {
        mpq_class s;
        mpz_sqrt(s.get_num_mpz_t(), d.get_num_mpz_t());
        mpz_sqrt(s.get_den_mpz_t(), d.get_den_mpz_t());
        return rational((-b + sigma * s) / (2 * a));
    }
    return {0, a, b, d, sigma};
}

// Splits "X1=p    X2=q" and the like at the given separators; false when it does not fit.
bool split(const std::u16string &caption, const std::u16string &head, const std::u16string &sep,
           std::u16string &first, std::u16string &second)
{
    if (caption.compare(0, head.size(), head) != 0)
        return false;
    if (sep.empty()) {
        first = caption.substr(head.size());
        return true;
    }
    const auto at = caption.find(sep, head.size());
    if (at == std::u16string::npos)
        return false;
    first = caption.substr(head.size(), at - head.size());
    second = caption.substr(at + sep.size());
    return true;
}

bool finite(std::initializer_list<double> values)
{
    for (const double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

} // namespace

mpq_class exactOf(std::string_view text)
{
    const auto slash = text.find('/');
    if (slash != std::string_view::npos)
        return exactOf(text.substr(0, slash)) / exactOf(text.substr(slash + 1));
    std::string digits;
    long exponent = 0;
    bool negative = false;
    bool point = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '-')
            negative = true;
        else if (c == '.')
            point = true;
        else if (c >= '0' && c <= '9') {
            digits.push_back(c);
            exponent -= point;
        } else if (c == 'E' || c == 'e') {
            exponent += std::stol(std::string(text.substr(i + 1)));
            break;
        }
    }
    mpq_class v = mpz_class(digits.empty() ? "0" : digits, 10) * power10(exponent);
    return negative ? mpq_class(-v) : v;
}

std::string decimalText(const mpq_class &value)
{
    mpq_class v = abs(value);
    int places = 0;
    while (v.get_den() != 1) {
        v *= 10;
        ++places;
    }
    std::string s = v.get_num().get_str();
    if (places > 0) {
        if (static_cast<int>(s.size()) <= places)
            s.insert(0, static_cast<std::size_t>(places + 1) - s.size(), '0');
        s.insert(s.size() - static_cast<std::size_t>(places), ".");
    }
    return sgn(value) < 0 ? "-" + s : s;
}

std::string checkQuadratic(const rt::Number &a, const rt::Number &b, const rt::Number &c,
                           const std::u16string &caption, int error)
{
    std::u16string p1, p2;
    if (a.value == 0) {
        const double x = (c.value * -1.0) / b.value;
        if (b.value == 0)
            return expectError(c.value == 0 ? Overflow : DivisionByZero, error, caption);
        const Real exact = rational(-c.exact / b.exact);
        if (!std::isfinite(x) || beyondRange(exact))
            return expectError(Overflow, error, caption);
        if (error || !split(caption, u"X=", u"", p1, p2))
            return "expected X=…, got '" + narrow(caption) + "'";
        return checkShown(p1, exact);
    }
    const double bb = b.value * b.value;
    const double a4 = a.value * 4.0;
    const double fac = a4 * c.value;
    if (!finite({bb, a4, fac, bb - fac}))
        return expectError(Overflow, error, caption);
    const mpq_class d = b.exact * b.exact - 4 * a.exact * c.exact;
    if (sgn(d) < 0)
        return error == 0 && caption == u"△小于0，无解！"
                   ? std::string()
                   : "expected no real root, got '" + narrow(caption) + "'";
    const Real x1 = root(a.exact, b.exact, d, -1);
    const Real x2 = root(a.exact, b.exact, d, 1);
    if (beyondRange(x1) || beyondRange(x2))
        return expectError(Overflow, error, caption);
    if (error || !split(caption, u"X1=", u"    X2=", p1, p2))
        return "expected X1=…    X2=…, got '" + narrow(caption) + "'";
    const std::string first = checkShown(p1, x1);
    return first.empty() ? checkShown(p2, x2) : "X1: " + first;
}

std::string checkLine(const rt::Number &x1, const rt::Number &y1, const rt::Number &x2,
                      const rt::Number &y2, const std::u16string &caption, int error)
{
    if (x1.value == x2.value || y2.value == y1.value)
        return error == 0 && caption == u"ERROR! 请检查输入的坐标"
                   ? std::string()
                   : "expected the refusal, got '" + narrow(caption) + "'";
    const double dy = y2.value - y1.value;
    const double dx = x2.value - x1.value;
    const double k = dy / dx;
    const double t1 = x1.value * k;
    const double t2 = x2.value * k;
    const Real slope = rational((y2.exact - y1.exact) / (x2.exact - x1.exact));
    const Real intercept = rational(y1.exact - x1.exact * slope.q);
    if (!finite({dy, dx, k, t1, t2, y1.value - t1, y2.value - t2}) || beyondRange(slope) ||
        beyondRange(intercept))
        return expectError(Overflow, error, caption);
    std::u16string pk, pb;
    if (error || !split(caption, u"Y=", u" X  +", pk, pb))
        return "expected Y=… X  +…, got '" + narrow(caption) + "'";
    const std::string first = checkShown(pk, slope);
    return first.empty() ? checkShown(pb, intercept) : "k: " + first;
}
