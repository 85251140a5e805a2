#include "written.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <optional>

namespace solvers {

namespace {

std::u16string widen(std::string_view ascii)
{
    return {ascii.begin(), ascii.end()};
}

bool contains(const Written &w, char16_t c)
{
    return w.text.find(c) != std::u16string::npos;
}

} // namespace

const Written Zero{u"0"};
const Written One{u"1"};

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

bool readable(const mpz_class &x)
{
    static const mpz_class limit("1000000000000");
    return mpz_cmpabs(x.get_mpz_t(), limit.get_mpz_t()) < 0;
}

std::u16string integerText(const mpz_class &x)
{
    char buffer[40];
    std::string large;
    const char *digits = buffer;
    if (x.fits_slong_p()) // most are, and GMP's conversion costs ten times as much
        *std::to_chars(buffer, buffer + sizeof buffer - 1, x.get_si()).ptr = '\0';
    else if (mpz_sizeinbase(x.get_mpz_t(), 10) + 2 <= sizeof buffer)
        mpz_get_str(buffer, 10, x.get_mpz_t());
    else
        digits = (large = x.get_str()).c_str();
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

namespace {

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

} // namespace

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

std::u16string point(const Written &x, const Written &y)
{
    return cat({u"(", x.mark(), x.text, u", ", y.mark(), y.text, u")"});
}

std::u16string factor(const Written &w)
{
    const bool wrap = negative(w) || contains(w, u'×') || contains(w, u' ');
    return cat({wrap ? u"(" : u"", w.text, wrap ? u")" : u""});
}

std::u16string squared(const Written &w)
{
    const bool wrap = negative(w) || contains(w, u'/') || contains(w, u'×') || contains(w, u'√') ||
                      contains(w, u' ');
    return cat({wrap ? u"(" : u"", w.text, wrap ? u")²" : u"²"});
}

std::u16string radicand(const Written &w)
{
    const bool wrap = contains(w, u'/') || contains(w, u'×') || contains(w, u' ');
    return cat({wrap ? u"(" : u"", w.text, wrap ? u")" : u""});
}

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

} // namespace solvers
