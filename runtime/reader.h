#pragma once

// Reading the boxes' texts, shared by the plain numbers and those with square roots.
#include "number.h"

#include <string>
#include <string_view>

namespace rt {

// Folds what a Chinese input method types into ASCII. Unknown characters become 0, which
// fits no number and so ends the reading.
inline char16_t fold(char16_t c)
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

inline bool isSkipped(char16_t c)
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

inline bool isDigit(char16_t c, int radix)
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

Side readRadix(Reader &in, int radix);
// An integer or decimal with an exponent, exactly; raises Overflow beyond the double range.
Side readDecimal(Reader &in);

// A text with a square root, read whole; raises Unreadable where it writes no number.
Number readRoots(std::u16string_view text);

} // namespace rt
