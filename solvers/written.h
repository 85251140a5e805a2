#pragma once

// How the worked solutions write numbers: typed ones as typed, computed ones exactly where that
// stays readable, "≈" and 15 significant digits where it does not.
#include "number.h"
#include "roots.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace solvers {

using Piece = std::u16string_view;

// A value as written: exactly, or as "≈" and its 15 significant digits.
struct Written
{
    std::u16string text;
    bool exact = true;

    Piece mark() const { return exact ? u"" : u"≈"; }
    Piece relation() const { return exact ? u" = " : u" ≈ "; }
};

extern const Written Zero;
extern const Written One;

// Far more bits than the 15 digits shown need.
constexpr mpfr_prec_t Precision = 128;

// Joined with one allocation: a press builds the whole working.
std::u16string cat(std::initializer_list<Piece> pieces);

// The lines of a working, joined by '\n'.
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

// At most 12 digits: a part longer than that is not read, it is approximated.
bool readable(const mpz_class &x);

std::u16string integerText(const mpz_class &x);
std::u16string superscript(long e); // "⁻¹²"

Written approximate(mpfr_srcptr x);
Written approximate(const mpq_class &v);

// A computed value: a decimal when a box was, otherwise a fraction or an integer; a terminating
// value too long for that stays exact as a decimal.
Written write(const mpq_class &v, bool decimals);

// A typed number in the kind it was typed in.
Written echo(const mpq_class &v, const rt::Number &typed);

bool anyDecimal(std::initializer_list<const rt::Number *> numbers);
bool negative(const Written &w);

std::u16string point(const Written &x, const Written &y); // "(4, −2)"
std::u16string factor(const Written &w);                  // a substituted number in a product
std::u16string squared(const Written &w);                 // "(−2)²", "(3/4)²"
std::u16string radicand(const Written &w);                // "(9/4)" under a root

struct Term
{
    const Written &coefficient;
    std::u16string_view letter;
};

// "1/4 x² − 2x + 2": zero terms vanish, a coefficient 1 is dropped, a fraction takes a blank.
std::u16string terms(std::initializer_list<Term> list);

// p ± v√n/d with p an integer, otherwise (u ± v√n)/d over the common denominator; the
// approximation where a part is too long to read.
Written radical(const Surd &x, mpfr_srcptr approximation);

} // namespace solvers
