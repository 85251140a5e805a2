#include "conversions.h"
#include "reader.h"
#include "runtimeerror.h"

#include <cmath>
#include <optional>

namespace rt {
namespace {

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
        if (!side.digits || m_in.peek() == u'.') // "√3..2" is a slip, not √3 × 0.2
            return std::nullopt;
        m_decimal = m_decimal || side.decimal;
        return Radical(side.exact);
    }

    Reader m_in;
    int m_depth = 0;
    bool m_inRoot = false;
    bool m_decimal = false;
};

} // namespace

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

} // namespace rt
