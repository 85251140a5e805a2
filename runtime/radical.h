#pragma once

#include <gmpxx.h>
#include <mpfr.h>
#include <optional>
#include <vector>

namespace rt {

// A number of ℚ(√m₁, √m₂, …): a sum of rational multiples of square roots of square-free
// integers. Its terms are kept in one form (radicands square-free and ascending, 1 for the
// rational part, no coefficient 0), so equal numbers have equal terms and 0 has none.
class Radical
{
public:
    struct Term
    {
        mpz_class n; // square-free, ≥ 1
        mpq_class c;
        bool operator==(const Term &) const = default;
    };

    Radical() = default;
    Radical(const mpq_class &q);
    Radical(long q) : Radical(mpq_class(q)) {}

    // c√n for a square-free n ≥ 1.
    static Radical surd(const mpq_class &c, const mpz_class &n);
    // √q as c√n; nullopt for q < 0, or where q's square-free part needs factoring beyond 10¹².
    static std::optional<Radical> sqrtOf(const mpq_class &q);

    const std::vector<Term> &terms() const { return m_terms; }
    bool isZero() const { return m_terms.empty(); }
    bool isRational() const
    {
        return m_terms.empty() || (m_terms.size() == 1 && m_terms[0].n == 1);
    }
    mpq_class rationalPart() const;
    // The radicands other than 1.
    std::vector<mpz_class> radicands() const;

    Radical operator-() const;
    friend Radical operator+(const Radical &x, const Radical &y);
    friend Radical operator-(const Radical &x, const Radical &y);
    friend Radical operator*(const Radical &x, const Radical &y);
    // y ≠ 0; the denominator rationalised by conjugates.
    friend Radical operator/(const Radical &x, const Radical &y);
    bool operator==(const Radical &) const = default;

    // Exact: a non-zero value is always told from 0.
    int sign() const;
    // The nearest double, ±infinity beyond the range.
    double nearest() const;
    // x at the precision of out, within 2^(EXP(out) − prec + 4) unless it cancels; approximate()
    // raises the precision until that holds.
    void approximate(mpfr_ptr out) const;

    // The square root of a non-negative number where it is c·y with y in this number's field
    // and c = √r for one further square-free integer r (1 when y alone is the root).
    std::optional<Radical> sqrt() const;

private:
    void add(const mpz_class &n, const mpq_class &c); // into the ordered terms
    std::vector<Term> m_terms;
};

// Pairwise coprime integers > 1 whose products give every one of the given square-free
// integers (gcds only, no factoring).
std::vector<mpz_class> coprimeBase(std::vector<mpz_class> numbers);

} // namespace rt
