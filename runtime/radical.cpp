#include "radical.h"

#include "number.h"
#include "squarefree.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <span>

namespace rt {

Radical::Radical(const mpq_class &q)
{
    if (sgn(q) != 0)
        m_terms.push_back({1, q});
}

Radical Radical::surd(const mpq_class &c, const mpz_class &n)
{
    Radical r;
    r.add(n, c);
    return r;
}

std::optional<Radical> Radical::sqrtOf(const mpq_class &q)
{
    if (sgn(q) < 0)
        return std::nullopt;
    if (sgn(q) == 0)
        return Radical();
    // √(p/q) = √(pq)/q
    mpz_class s, n;
    if (!squareFree(mpz_class(q.get_num() * q.get_den()), s, n))
        return std::nullopt;
    mpq_class c(s, q.get_den());
    c.canonicalize();
    return surd(c, n);
}

void Radical::add(const mpz_class &n, const mpq_class &c)
{
    if (sgn(c) == 0)
        return;
    const auto at = std::lower_bound(m_terms.begin(), m_terms.end(), n,
                                     [](const Term &t, const mpz_class &v) { return t.n < v; });
    if (at == m_terms.end() || at->n != n) {
        m_terms.insert(at, {n, c});
        return;
    }
    at->c += c;
    if (sgn(at->c) == 0)
        m_terms.erase(at);
}

mpq_class Radical::rationalPart() const
{
    return !m_terms.empty() && m_terms[0].n == 1 ? m_terms[0].c : mpq_class(0);
}

std::vector<mpz_class> Radical::radicands() const
{
    std::vector<mpz_class> list;
    for (const Term &t : m_terms)
        if (t.n != 1)
            list.push_back(t.n);
    return list;
}

Radical Radical::operator-() const
{
    Radical r = *this;
    for (Term &t : r.m_terms)
        t.c = -t.c;
    return r;
}

Radical operator+(const Radical &x, const Radical &y)
{
    Radical r = x;
    for (const Radical::Term &t : y.m_terms)
        r.add(t.n, t.c);
    return r;
}

Radical operator-(const Radical &x, const Radical &y)
{
    return x + -y;
}

// √m·√n = g√(mn/g²) with g = gcd(m, n); mn/g² is square-free when m and n are.
Radical operator*(const Radical &x, const Radical &y)
{
    // By a rational: the terms keep their order.
    if (x.isRational() || y.isRational()) {
        const Radical &q = x.isRational() ? x : y;
        if (q.isZero())
            return {};
        Radical r = x.isRational() ? y : x;
        for (Radical::Term &t : r.m_terms)
            t.c *= q.m_terms[0].c;
        return r;
    }
    Radical r;
    mpz_class g;
    for (const Radical::Term &s : x.m_terms)
        for (const Radical::Term &t : y.m_terms) {
            if (s.n == 1 || t.n == 1) {
                r.add(s.n == 1 ? t.n : s.n, mpq_class(s.c * t.c));
                continue;
            }
            mpz_gcd(g.get_mpz_t(), s.n.get_mpz_t(), t.n.get_mpz_t());
            r.add(mpz_class((s.n / g) * (t.n / g)), mpq_class(s.c * t.c * g));
        }
    return r;
}

std::vector<mpz_class> coprimeBase(std::vector<mpz_class> numbers)
{
    std::erase_if(numbers, [](const mpz_class &v) { return v <= 1; });
    mpz_class g;
    for (bool changed = true; changed;) {
        changed = false;
        for (std::size_t i = 0; i < numbers.size() && !changed; ++i)
            for (std::size_t j = i + 1; j < numbers.size() && !changed; ++j) {
                mpz_gcd(g.get_mpz_t(), numbers[i].get_mpz_t(), numbers[j].get_mpz_t());
                if (g == 1)
                    continue;
                const mpz_class a = numbers[i] / g, b = numbers[j] / g;
                numbers.erase(numbers.begin() + static_cast<std::ptrdiff_t>(j));
                numbers[i] = g;
                for (const mpz_class &v : {a, b})
                    if (v > 1)
                        numbers.push_back(v);
                changed = true;
            }
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

namespace {

// x with √p made −√p: for p of a coprime base this is a conjugate of x.
Radical conjugate(const Radical &x, const mpz_class &p)
{
    Radical r;
    for (const Radical::Term &t : x.terms()) {
        const bool flip = mpz_divisible_p(t.n.get_mpz_t(), p.get_mpz_t());
        r = r + Radical::surd(flip ? mpq_class(-t.c) : t.c, t.n);
    }
    return r;
}

} // namespace

// Each conjugate clears the denominator of one element of the base.
Radical operator/(const Radical &x, const Radical &y)
{
    if (y.m_terms.size() == 1) { // x / c√n = x·√n / cn, the most common by far
        const Radical::Term &t = y.m_terms[0];
        if (t.n == 1)
            return x * Radical(mpq_class(1 / t.c));
        return x * Radical::surd(mpq_class(1 / (t.c * t.n)), t.n);
    }
    Radical num = x, den = y;
    for (const mpz_class &p : coprimeBase(y.radicands())) {
        const Radical c = conjugate(den, p);
        num = num * c;
        den = den * c;
    }
    return num * Radical(mpq_class(1 / den.rationalPart()));
}

namespace {

// x at precision prec, and e with |x − out| < 2^e.
mpfr_exp_t approximateAt(const std::vector<Radical::Term> &terms, mpfr_ptr out)
{
    const mpfr_prec_t prec = mpfr_get_prec(out);
    mpfr_t t, size;
    mpfr_inits2(prec, t, size, static_cast<mpfr_ptr>(nullptr));
    mpfr_set_zero(out, 1);
    mpfr_set_zero(size, 1);
    for (const Radical::Term &term : terms) {
        mpfr_set_z(t, term.n.get_mpz_t(), MPFR_RNDN);
        mpfr_sqrt(t, t, MPFR_RNDN);
        mpfr_mul_q(t, t, term.c.get_mpq_t(), MPFR_RNDN);
        mpfr_add(out, out, t, MPFR_RNDN);
        mpfr_abs(t, t, MPFR_RNDU);
        mpfr_add(size, size, t, MPFR_RNDU);
    }
    // Three roundings in each term and one in each sum, each within 2^-prec of the sum of the
    // terms' sizes.
    const mpfr_exp_t e =
        mpfr_get_exp(size) - prec + 3 + static_cast<mpfr_exp_t>(std::bit_width(terms.size() + 4));
    mpfr_clears(t, size, static_cast<mpfr_ptr>(nullptr));
    return e;
}

// Calls settled(approximation, error exponent) at growing precision until it says yes. A
// non-zero value is eventually told from 0, so this ends.
template <typename Settled> void refine(const std::vector<Radical::Term> &terms, Settled settled)
{
    for (mpfr_prec_t prec = 128;; prec *= 2) {
        mpfr_t x;
        mpfr_init2(x, prec);
        const mpfr_exp_t e = approximateAt(terms, x);
        const bool done = !mpfr_zero_p(x) && mpfr_get_exp(x) - e > 2 && settled(x, e);
        mpfr_clear(x);
        if (done)
            return;
    }
}

} // namespace

int Radical::sign() const
{
    if (isRational())
        return sgn(rationalPart());
    // Doubles settle all but sums that nearly cancel: each term within a few units of 2⁻⁵³.
    double sum = 0, size = 0;
    bool inRange = true;
    for (const Term &t : m_terms) {
        const double v = t.c.get_d() * std::sqrt(t.n.get_d());
        inRange = inRange && std::isfinite(v) && std::fabs(v) > 1e-290;
        sum += v;
        size += std::fabs(v);
    }
    if (inRange && std::fabs(sum) > size * 0x1p-48)
        return sum > 0 ? 1 : -1;
    int s = 0;
    refine(m_terms, [&](mpfr_srcptr x, mpfr_exp_t) {
        s = mpfr_sgn(x);
        return true;
    });
    return s;
}

double Radical::nearest() const
{
    if (isRational())
        return nearestDouble(rationalPart());
    double d = 0;
    refine(m_terms, [&](mpfr_srcptr x, mpfr_exp_t e) {
        if (!mpfr_can_round(x, mpfr_get_exp(x) - e, MPFR_RNDN, MPFR_RNDZ, 54))
            return false;
        d = nearestDouble(x);
        return true;
    });
    return d;
}

void Radical::approximate(mpfr_ptr out) const
{
    if (isRational()) {
        mpfr_set_q(out, rationalPart().get_mpq_t(), MPFR_RNDN);
        return;
    }
    const mpfr_prec_t want = mpfr_get_prec(out);
    refine(m_terms, [&](mpfr_srcptr x, mpfr_exp_t e) {
        if (mpfr_get_exp(x) - e < want + 2)
            return false;
        mpfr_set(out, x, MPFR_RNDN);
        return true;
    });
}

namespace {

// √x for x in the field of √b, b in base, when it lies there; with extend, also c·√r for one
// further square-free r. Over K = K'(√p): a root u + v√p of α + β√p has u² = (α ± s)/2 with
// s = √(α² − β²p) in K', and v = β/2u.
std::optional<Radical> fieldSqrt(const Radical &x, std::span<const mpz_class> base, bool extend)
{
    if (x.isZero())
        return Radical();
    if (base.empty()) {
        const mpq_class q = x.rationalPart();
        if (extend)
            return Radical::sqrtOf(q);
        if (const std::optional<mpq_class> s = rationalSqrt(q))
            return Radical(*s);
        return std::nullopt;
    }
    const mpz_class &p = base.back();
    const std::span<const mpz_class> rest = base.first(base.size() - 1);
    Radical alpha, beta;
    for (const Radical::Term &t : x.terms()) {
        if (mpz_divisible_p(t.n.get_mpz_t(), p.get_mpz_t()))
            beta = beta + Radical::surd(t.c, mpz_class(t.n / p));
        else
            alpha = alpha + Radical::surd(t.c, t.n);
    }
    const Radical rootP = Radical::surd(1, p);
    if (beta.isZero()) {
        if (std::optional<Radical> u = fieldSqrt(alpha, rest, extend))
            return u;
        if (std::optional<Radical> v = fieldSqrt(alpha / Radical(mpq_class(p)), rest, extend))
            return *v * rootP;
        return std::nullopt;
    }
    const std::optional<Radical> s =
        fieldSqrt(alpha * alpha - beta * beta * Radical(mpq_class(p)), rest, false);
    if (!s)
        return std::nullopt;
    for (const Radical &t : {alpha + *s, alpha - *s}) {
        const std::optional<Radical> u = fieldSqrt(t * Radical(mpq_class(1, 2)), rest, extend);
        if (u && !u->isZero())
            return *u + beta / (Radical(2) * *u) * rootP;
    }
    return std::nullopt;
}

} // namespace

std::optional<Radical> Radical::sqrt() const
{
    if (sign() < 0)
        return std::nullopt;
    const std::vector<mpz_class> base = coprimeBase(radicands());
    std::optional<Radical> root = fieldSqrt(*this, base, true);
    if (!root)
        return std::nullopt;
    if (root->sign() < 0)
        root = -*root;
    // A root that squares back is right whatever path found it.
    if (*root * *root != *this)
        return std::nullopt;
    return root;
}

} // namespace rt
