#include "conversions.h"

#include "runtimeerror.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

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
    bool atEnd() const { return m_pos >= m_text.size(); }
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

// The most different radicands one equation or line may hold: its working grows as 2ⁿ.
constexpr std::size_t MostRadicands = 4;
// Deeper brackets than any student writes are refused, never a deep recursion.
constexpr int MostDepth = 64;
// An exact part this long is no number a student means; reading on would only cost time.
constexpr std::size_t MostBits = 20000;

bool isLetter(char16_t c, char16_t lower)
{
    return c == lower || c == lower - 32;
}

// Reads the whole text as a number with square roots; nullopt where it is none.
class RootReader
{
public:
    explicit RootReader(std::u16string_view text) : m_in(text) {}

    std::optional<Radical> read()
    {
        std::optional<Radical> x = sum();
        if (!x || !m_in.atEnd() || x->radicands().size() > MostRadicands)
            return std::nullopt;
        return x;
    }
    bool decimal() const { return m_decimal; }

private:
    // Takes the root sign at the reader, if one is there.
    bool root()
    {
        const char16_t c = m_in.peek();
        if (c == u'√') {
            m_in.next();
            return true;
        }
        const auto start = m_in.mark();
        const auto word = [&](std::initializer_list<char16_t> letters, bool caseless) {
            for (const char16_t l : letters) {
                if (caseless ? !isLetter(m_in.peek(), l) : m_in.peek() != l) {
                    m_in.reset(start);
                    return false;
                }
                m_in.next();
            }
            return true;
        };
        return word({u'根', u'号'}, false) || word({u's', u'q', u'r', u't'}, true);
    }

    bool startsFactor()
    {
        const char16_t c = m_in.peek();
        if (c == u'(' || c == u'.' || isDigit(c, 10) || c == u'√' || c == u'根')
            return true;
        return isLetter(c, u's');
    }

    // Overflow as a box raises it; a value no student types is refused.
    bool fits(const Radical &x)
    {
        for (const Radical::Term &t : x.terms()) {
            const std::size_t num = mpz_sizeinbase(t.c.get_num_mpz_t(), 2);
            const std::size_t den = mpz_sizeinbase(t.c.get_den_mpz_t(), 2);
            if (num > den + 1100)
                raise(Overflow);
            if (num + den > MostBits)
                return false;
        }
        return x.radicands().size() <= MostRadicands;
    }

    std::optional<Radical> sum()
    {
        if (++m_depth > MostDepth)
            return std::nullopt;
        bool minus = false;
        if (m_in.peek() == u'+' || m_in.peek() == u'-') {
            minus = m_in.peek() == u'-';
            m_in.next();
        }
        std::optional<Radical> x = product();
        if (!x)
            return std::nullopt;
        if (minus)
            x = -*x;
        while (m_in.peek() == u'+' || m_in.peek() == u'-') {
            minus = m_in.peek() == u'-';
            m_in.next();
            const std::optional<Radical> y = product();
            if (!y)
                return std::nullopt;
            x = minus ? *x - *y : *x + *y;
            if (!fits(*x))
                return std::nullopt;
        }
        --m_depth;
        return x;
    }

    std::optional<Radical> product()
    {
        std::optional<Radical> x = factor();
        while (x) {
            const char16_t c = m_in.peek();
            const bool times = c == u'*' || c == u'×' || c == u'·';
            const bool over = c == u'/' || c == u'÷';
            if (times || over)
                m_in.next();
            else if (!startsFactor())
                break;
            const std::optional<Radical> y = times || over ? signedFactor() : factor();
            if (!y)
                return std::nullopt;
            if (over && y->isZero())
                raise(x->isZero() ? Overflow : DivisionByZero);
            x = over ? *x / *y : *x * *y;
            if (!fits(*x))
                return std::nullopt;
        }
        return x;
    }

    // After × or /, a factor may carry its own sign: "2×−3".
    std::optional<Radical> signedFactor()
    {
        if (m_in.peek() != u'+' && m_in.peek() != u'-')
            return factor();
        const bool minus = m_in.peek() == u'-';
        m_in.next();
        std::optional<Radical> y = factor();
        if (y && minus)
            y = -*y;
        return y;
    }

    std::optional<Radical> factor()
    {
        if (m_in.peek() == u'(')
            return bracket();
        if (root()) {
            if (m_inRoot) // a radical inside a radical
                return std::nullopt;
            std::optional<Radical> radicand;
            if (m_in.peek() == u'(') {
                m_inRoot = true;
                radicand = bracket();
                m_inRoot = false;
            } else {
                radicand = number();
            }
            if (!radicand || !radicand->isRational())
                return std::nullopt;
            return Radical::sqrtOf(radicand->rationalPart());
        }
        return number();
    }

    std::optional<Radical> bracket()
    {
        m_in.next();
        std::optional<Radical> x = sum();
        if (!x || m_in.peek() != u')')
            return std::nullopt;
        m_in.next();
        return x;
    }

    std::optional<Radical> number()
    {
        const char16_t c = m_in.peek();
        if (c != u'.' && !isDigit(c, 10))
            return std::nullopt;
        const Side side = readDecimal(m_in);
        if (!side.digits)
            return std::nullopt;
        m_decimal = m_decimal || side.decimal;
        return Radical(side.exact);
    }

    Reader m_in;
    int m_depth = 0;
    bool m_inRoot = false;
    bool m_decimal = false;
};

Number readRoots(std::u16string_view text)
{
    RootReader reader(text);
    const std::optional<Radical> x = reader.read();
    if (!x)
        throw Unreadable();
    Number n;
    n.value = x->nearest();
    if (!std::isfinite(n.value))
        raise(Overflow);
    if (n.value == 0.0) // as the double says, like any box
        return n;
    if (x->isRational()) {
        n.exact = x->rationalPart();
        n.kind = reader.decimal()         ? NumberKind::Decimal
                 : n.exact.get_den() == 1 ? NumberKind::Integer
                                          : NumberKind::Fraction;
        return n;
    }
    n.kind = NumberKind::Radical;
    n.radical = *x;
    return n;
}

} // namespace

bool writesRoot(std::u16string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = fold(text[i]);
        if (c == u'√' || (c == u'根' && i + 1 < text.size() && text[i + 1] == u'号'))
            return true;
        if (isLetter(c, u's') && i + 3 < text.size() && isLetter(fold(text[i + 1]), u'q') &&
            isLetter(fold(text[i + 2]), u'r') && isLetter(fold(text[i + 3]), u't'))
            return true;
    }
    return false;
}

Number ValNumber(std::u16string_view text)
{
    if (writesRoot(text))
        return readRoots(text);
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
    return {std::move(n.exact), n.value, kind, std::nullopt};
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
