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

double readRadix(Reader &in, int radix)
{
    std::string digits;
    while (isDigit(in.peek(), radix)) {
        digits.push_back(static_cast<char>(in.peek()));
        in.next();
    }
    std::uint64_t value = 0;
    if (digits.empty())
        return 0.0;
    const auto res = std::from_chars(digits.data(), digits.data() + digits.size(), value, radix);
    if (res.ec == std::errc::result_out_of_range)
        raise(Overflow);
    return static_cast<double>(value);
}

double readDecimal(Reader &in)
{
    // Collected as plain ASCII for the standard library's correctly rounded conversion.
    std::string text;
    long long magnitude = 0; // rough decimal exponent, to tell overflow from underflow
    bool seenNonZero = false;
    bool any = false;
    while (isDigit(in.peek(), 10)) {
        const char d = static_cast<char>(in.peek());
        if (d != '0')
            seenNonZero = true;
        if (seenNonZero) {
            text.push_back(d);
            ++magnitude;
        }
        any = true;
        in.next();
    }
    if (text.empty())
        text.push_back('0');
    if (in.peek() == u'.') {
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
            text.push_back(d);
            any = true;
            in.next();
        }
    }
    if (!any)
        return 0.0;

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
        long long expValue = 0;
        bool expDigits = false;
        while (isDigit(in.peek(), 10)) {
            const char d = static_cast<char>(in.peek());
            exponent.push_back(d);
            if (expValue < 1'000'000'000)
                expValue = expValue * 10 + (d - '0');
            expDigits = true;
            in.next();
        }
        if (expDigits) {
            text += exponent;
            magnitude += exponent[1] == '-' ? -expValue : expValue;
        } else {
            in.reset(beforeExponent); // "1e" reads 1
        }
    }

    double value = 0.0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        if (seenNonZero && magnitude > 0)
            raise(Overflow);
        return 0.0; // below the smallest subnormal
    }
    return value;
}

} // namespace

double Val(std::u16string_view text)
{
    Reader in(text);
    bool negative = false;
    if (in.peek() == u'+' || in.peek() == u'-') {
        negative = in.peek() == u'-';
        in.next();
    }
    double value = 0.0;
    if (in.peek() == u'&') {
        const auto afterSign = in.mark();
        in.next();
        const char16_t r = in.peek();
        if (r == u'H' || r == u'h') {
            in.next();
            value = readRadix(in, 16);
        } else if (r == u'O' || r == u'o') {
            in.next();
            value = readRadix(in, 8);
        } else {
            in.reset(afterSign);
        }
    } else {
        value = readDecimal(in);
    }
    if (!std::isfinite(value))
        raise(Overflow);
    return negative ? -value : value;
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
