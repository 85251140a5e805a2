#include "conversions.h"

#include "runtimeerror.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace rt {
namespace {

// Folds what a Chinese input method types into ASCII. Unknown characters become 0, which
// fits no number and so ends the reading.
char16_t fold(char16_t c)
{
    if (c >= 0xFF01 && c <= 0xFF5E) // full-width ASCII forms
        return static_cast<char16_t>(c - 0xFEE0);
    switch (c) {
    case 0x3000: // ideographic space
        return u' ';
    case 0x3002: // ideographic full stop
        return u'.';
    case 0x2212: // minus sign
        return u'-';
    default:
        return c;
    }
}

bool isSkipped(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n';
}

// Walks a text with the blanks taken out and the full-width forms folded.
class Reader
{
public:
    explicit Reader(std::u16string_view text) : m_text(text) { skip(); }

    char16_t peek() const { return m_pos < m_text.size() ? fold(m_text[m_pos]) : u'\0'; }
    void next()
    {
        ++m_pos;
        skip();
    }
    struct Mark
    {
        std::size_t pos;
    };
    Mark mark() const { return {m_pos}; }
    void reset(Mark m) { m_pos = m.pos; }

private:
    void skip()
    {
        while (m_pos < m_text.size() && isSkipped(fold(m_text[m_pos])))
            ++m_pos;
    }

    std::u16string_view m_text;
    std::size_t m_pos = 0;
};

bool isDigit(char16_t c, int radix)
{
    if (radix == 8)
        return c >= u'0' && c <= u'7';
    if (radix == 16)
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    return c >= u'0' && c <= u'9';
}

// One side of a number: an exact value, its double, and whether any digit was read.
struct Side
{
    mpq_class exact;
    double value = 0.0;
    bool digits = false;
    bool decimal = false; // a point or an exponent was read
};

Side readRadix(Reader &in, int radix)
{
    std::string digits;
    while (isDigit(in.peek(), radix)) {
        digits.push_back(static_cast<char>(in.peek()));
        in.next();
    }
    if (digits.empty())
        return {};
    std::uint64_t value = 0;
    const auto res = std::from_chars(digits.data(), digits.data() + digits.size(), value, radix);
    if (res.ec == std::errc::result_out_of_range)
        raise(Overflow);
    Side side{mpq_class(), static_cast<double>(value), true};
    side.exact.get_num().set_str(digits, radix);
    return side;
}

Side readDecimal(Reader &in)
{
    // Collected as plain ASCII for the standard library's correctly rounded conversion.
    std::string text;
    std::string significand; // every digit, leading zeros dropped
    long long fractionDigits = 0;
    long long magnitude = 0; // rough decimal exponent, to tell overflow from underflow
    bool seenNonZero = false;
    bool any = false;
    while (isDigit(in.peek(), 10)) {
        const char d = static_cast<char>(in.peek());
        if (d != '0')
            seenNonZero = true;
        if (seenNonZero) {
            text.push_back(d);
            significand.push_back(d);
            ++magnitude;
        }
        any = true;
        in.next();
    }
    if (text.empty())
        text.push_back('0');
    bool point = false;
    if (in.peek() == u'.') {
        point = true;
        in.next();
        text.push_back('.');
        while (isDigit(in.peek(), 10)) {
            const char d = static_cast<char>(in.peek());
            if (!seenNonZero) {
                if (d == '0')
                    --magnitude;
                else
                    seenNonZero = true;
            }
            if (seenNonZero)
                significand.push_back(d);
            ++fractionDigits;
            text.push_back(d);
            any = true;
            in.next();
        }
    }
    if (!any)
        return {};

    long long exponentValue = 0;
    bool withExponent = false;
    const char16_t e = in.peek();
    if (e == u'E' || e == u'e' || e == u'D' || e == u'd') {
        const auto beforeExponent = in.mark();
        in.next();
        std::string exponent = "e";
        if (in.peek() == u'+' || in.peek() == u'-') {
            if (in.peek() == u'-')
                exponent.push_back('-');
            in.next();
        }
        bool expDigits = false;
        while (isDigit(in.peek(), 10)) {
            const char d = static_cast<char>(in.peek());
            exponent.push_back(d);
            if (exponentValue < 1'000'000'000)
                exponentValue = exponentValue * 10 + (d - '0');
            expDigits = true;
            in.next();
        }
        if (expDigits) {
            withExponent = true;
            text += exponent;
            if (exponent[1] == '-')
                exponentValue = -exponentValue;
            magnitude += exponentValue;
        } else {
            exponentValue = 0;
            in.reset(beforeExponent); // "1e" reads 1
        }
    }

    Side side{mpq_class(), 0.0, true, point || withExponent};
    const auto res = std::from_chars(text.data(), text.data() + text.size(), side.value);
    if (res.ec == std::errc::result_out_of_range) {
        if (seenNonZero && magnitude > 0)
            raise(Overflow);
        side.value = 0.0; // below the smallest subnormal: exactly nothing, as the double says
    }
    if (side.value == 0.0)
        return side;
    // A double in range bounds the shift by the number of digits typed.
    mpz_class power;
    const long long shift = exponentValue - fractionDigits;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(shift < 0 ? -shift : shift));
    mpz_class &num = side.exact.get_num();
    num.set_str(significand, 10);
    if (shift < 0)
        side.exact.get_den() = power;
    else
        num *= power;
    side.exact.canonicalize();
    return side;
}

Side readSide(Reader &in)
{
    bool negative = false;
    if (in.peek() == u'+' || in.peek() == u'-') {
        negative = in.peek() == u'-';
        in.next();
    }
    Side side;
    if (in.peek() == u'&') {
        const auto afterSign = in.mark();
        in.next();
        const char16_t r = in.peek();
        if (r == u'H' || r == u'h') {
            in.next();
            side = readRadix(in, 16);
        } else if (r == u'O' || r == u'o') {
            in.next();
            side = readRadix(in, 8);
        } else {
            in.reset(afterSign);
        }
    } else {
        side = readDecimal(in);
    }
    if (!std::isfinite(side.value))
        raise(Overflow);
    if (negative) {
        side.value = -side.value;
        side.exact = -side.exact;
    }
    return side;
}

} // namespace

Number ValNumber(std::u16string_view text)
{
    Reader in(text);
    Side n = readSide(in);
    NumberKind kind = n.decimal ? NumberKind::Decimal : NumberKind::Integer;
    if (n.digits && in.peek() == u'/') {
        const auto beforeSlash = in.mark();
        in.next();
        const Side d = readSide(in);
        if (!d.digits) {
            in.reset(beforeSlash); // "1/" and "1/x" read 1
        } else {
            // The division's floating-point error: 0/0 is invalid, x/0 divides by zero.
            if (sgn(d.exact) == 0)
                raise(sgn(n.exact) == 0 ? Overflow : DivisionByZero);
            n.exact /= d.exact;
            kind = NumberKind::Fraction;
            n.value = nearestDouble(n.exact);
            if (!std::isfinite(n.value))
                raise(Overflow);
            if (n.value == 0.0)
                n.exact = 0;
        }
    }
    return {std::move(n.exact), n.value, kind};
}

double Val(std::u16string_view text)
{
    return ValNumber(text).value;
}

std::u16string Str(double value)
{
    if (!std::isfinite(value))
        raise(Overflow);

    // d.dddddddddddddde±XX, correctly rounded to 15 significant digits.
    std::array<char, 32> sci{};
    const auto res = std::to_chars(sci.data(), sci.data() + sci.size(), std::fabs(value),
                                   std::chars_format::scientific, 14);
    std::array<char, 16> digits{};
    int count = 0;
    const char *p = sci.data();
    for (; *p != 'e'; ++p)
        if (*p != '.')
            digits[static_cast<std::size_t>(count++)] = *p;
    int exponent = 0;
    std::from_chars(p + (p[1] == '+' ? 2 : 1), res.ptr, exponent);
    while (count > 1 && digits[static_cast<std::size_t>(count - 1)] == '0')
        --count;

    std::array<char, 32> out{};
    int n = 0;
    auto put = [&](char c) { out[static_cast<std::size_t>(n++)] = c; };
    auto putDigits = [&](int from, int to) {
        for (int i = from; i < to; ++i)
            put(digits[static_cast<std::size_t>(i)]);
    };
    put(std::signbit(value) && value != 0.0 ? '-' : ' ');
    if (count == 1 && digits[0] == '0') {
        put('0');
    } else if (exponent >= -4 && exponent <= 14) {
        if (exponent < 0) {
            put('0');
            put('.');
            for (int i = -1; i > exponent; --i)
                put('0');
            putDigits(0, count);
        } else if (count <= exponent + 1) {
            putDigits(0, count);
            for (int i = count; i <= exponent; ++i)
                put('0');
        } else {
            putDigits(0, exponent + 1);
            put('.');
            putDigits(exponent + 1, count);
        }
    } else {
        putDigits(0, 1);
        if (count > 1) {
            put('.');
            putDigits(1, count);
        }
        put('E');
        put(exponent < 0 ? '-' : '+');
        const int e = exponent < 0 ? -exponent : exponent;
        if (e >= 100)
            put(static_cast<char>('0' + e / 100));
        put(static_cast<char>('0' + e / 10 % 10));
        put(static_cast<char>('0' + e % 10));
    }
    return {out.data(), out.data() + n};
}

} // namespace rt
