#include "radicals.h"

#include <algorithm>

namespace solvers {

bool anyRadical(std::initializer_list<const rt::Number *> numbers)
{
    return std::any_of(numbers.begin(), numbers.end(),
                       [](const rt::Number *n) { return n->kind == rt::NumberKind::Radical; });
}

namespace {

// x₁ and x₂ of a nested √△ at growing precision until both round to one double. The root away
// from 0 adds two terms of one sign, the other is c/(a·x), so nothing cancels beyond what the
// exact △ already settled: a few units of the last place in all.
void nestedRoots(FieldRoots &r, const rt::Radical &a, const rt::Radical &b, const rt::Radical &c)
{
    for (mpfr_prec_t prec = 128;; prec *= 2) {
        mpfr_t A, B, C, S, x[2];
        mpfr_inits2(prec, A, B, C, S, x[0], x[1], static_cast<mpfr_ptr>(nullptr));
        a.approximate(A);
        b.approximate(B);
        c.approximate(C);
        r.d.approximate(S);
        mpfr_sqrt(S, S, MPFR_RNDN);
        // b ≥ 0: x₁ = (−b − √△)/2a is the one away from 0.
        const bool negativeB = b.sign() < 0;
        mpfr_t &away = x[negativeB ? 1 : 0], &other = x[negativeB ? 0 : 1];
        if (negativeB)
            mpfr_sub(away, S, B, MPFR_RNDN);
        else
            mpfr_add(away, B, S, MPFR_RNDN), mpfr_neg(away, away, MPFR_RNDN);
        mpfr_div(away, away, A, MPFR_RNDN);
        mpfr_div_2ui(away, away, 1, MPFR_RNDN);
        mpfr_div(other, C, A, MPFR_RNDN);
        mpfr_div(other, other, away, MPFR_RNDN);
        const bool settled = mpfr_can_round(x[0], prec - 6, MPFR_RNDN, MPFR_RNDZ, 54) &&
                             mpfr_can_round(x[1], prec - 6, MPFR_RNDN, MPFR_RNDZ, 54);
        if (settled)
            for (const int i : {0, 1}) {
                r.at[i] = rt::nearestDouble(x[i]);
                r.near[i] = approximate(x[i]).text;
            }
        mpfr_clears(A, B, C, S, x[0], x[1], static_cast<mpfr_ptr>(nullptr));
        if (settled)
            return;
    }
}

} // namespace

FieldRoots::FieldRoots(const rt::Radical &a, const rt::Radical &b, const rt::Radical &c)
    : d(b * b - rt::Radical(4) * a * c), sign(d.sign()), overA(rt::Radical(1) / a)
{
    if (sign < 0)
        return;
    if ((rootOfD = d.sqrt())) {
        const rt::Radical overTwoA = overA * rt::Radical(mpq_class(1, 2));
        p = -b * overTwoA;
        q = *rootOfD * overTwoA;
        x[0] = p - q;
        x[1] = p + q;
        for (const int i : {0, 1})
            at[i] = x[i].nearest();
        return;
    }
    nestedRoots(*this, a, b, c);
}

namespace {

// "2√3", "√3", "5"; the coefficient an integer.
std::u16string termText(const mpz_class &v, const mpz_class &n)
{
    if (n == 1)
        return integerText(v);
    const mpz_class size = abs(v);
    return (sgn(v) < 0 ? u"−" : u"") + (size == 1 ? u"" : integerText(size)) + u"√" +
           integerText(n);
}

} // namespace

const FieldRoots &fieldRoots(const rt::Radical &a, const rt::Radical &b, const rt::Radical &c)
{
    struct Last
    {
        rt::Radical a, b, c;
        FieldRoots roots;
    };
    static std::optional<Last> last;
    if (!last || last->a != a || last->b != b || last->c != c)
        last.emplace(Last{a, b, c, FieldRoots(a, b, c)});
    return last->roots;
}

namespace {

Written written(const std::vector<rt::Radical::Term> &terms);

} // namespace

Written writeTerms(std::initializer_list<const rt::Radical *> parts)
{
    std::vector<rt::Radical::Term> gathered;
    for (const rt::Radical *part : parts)
        for (const rt::Radical::Term &t : part->terms()) {
            const auto same = std::find_if(gathered.begin(), gathered.end(),
                                           [&](const rt::Radical::Term &u) { return u.n == t.n; });
            if (same == gathered.end())
                gathered.push_back(t);
            else
                same->c += t.c;
        }
    std::erase_if(gathered, [](const rt::Radical::Term &t) { return sgn(t.c) == 0; });
    return written(gathered);
}

namespace {

// The terms in the order given, none 0.
Written written(const std::vector<rt::Radical::Term> &terms)
{
    if (terms.empty())
        return Zero;
    const bool readableTerms = std::all_of(terms.begin(), terms.end(), [](const auto &t) {
        return readable(t.n) && readable(t.c.get_num()) && readable(t.c.get_den());
    });
    if (!readableTerms) {
        rt::Radical all;
        for (const rt::Radical::Term &t : terms)
            all = all + rt::Radical::surd(t.c, t.n);
        mpfr_t v;
        mpfr_init2(v, Precision);
        all.approximate(v);
        Written w = approximate(v);
        mpfr_clear(v);
        return w;
    }
    mpz_class d = 1;
    for (const rt::Radical::Term &t : terms)
        mpz_lcm(d.get_mpz_t(), d.get_mpz_t(), t.c.get_den_mpz_t());
    if (!readable(d))
        return approximate(mpq_class(0)); // not reached: each denominator is readable
    // An integer first term stays before a single fraction: "4 − √15/2".
    const bool integerFirst = terms.size() == 2 && terms[0].c.get_den() == 1;
    std::u16string s;
    for (std::size_t i = 0; i < terms.size(); ++i) {
        const rt::Radical::Term &t = terms[i];
        const bool over = integerFirst && i == 1;
        const mpz_class v = integerFirst ? t.c.get_num() : mpz_class(t.c * d);
        std::u16string text = termText(v, t.n);
        if (over && t.c.get_den() != 1)
            text += u"/" + integerText(t.c.get_den());
        if (i > 0)
            text = text[0] == u'−' ? u" − " + text.substr(1) : u" + " + text;
        s += text;
    }
    if (d == 1 || integerFirst)
        return {s};
    if (terms.size() == 1)
        return {s + u"/" + integerText(d)};
    return {u"(" + s + u")/" + integerText(d)};
}

} // namespace

// A positive term first where there is one: "√2 − 1", not "−1 + √2".
std::u16string FieldRoots::decimals(int i) const
{
    if (!rootOfD)
        return near[i];
    mpfr_t v;
    mpfr_init2(v, Precision);
    x[i].approximate(v);
    std::u16string text = approximate(v).text;
    mpfr_clear(v);
    return text;
}

Written writeValue(const rt::Radical &x)
{
    const std::vector<rt::Radical::Term> &terms = x.terms();
    const auto positive = std::find_if(terms.begin(), terms.end(),
                                       [](const rt::Radical::Term &t) { return sgn(t.c) > 0; });
    if (terms.empty() || sgn(terms[0].c) > 0 || positive == terms.end())
        return written(terms);
    std::vector<rt::Radical::Term> reordered = terms;
    std::rotate(reordered.begin(), reordered.begin() + (positive - terms.begin()),
                reordered.begin() + (positive - terms.begin()) + 1);
    return written(reordered);
}

Written typed(const rt::Number &n)
{
    return n.radical ? writeValue(*n.radical) : echo(n.exact, n);
}

std::u16string underRoot(const Written &w)
{
    const bool wrap = w.text.find(u'√') != std::u16string::npos && w.text[0] != u'(';
    return wrap ? cat({u"(", w.text, u")"}) : radicand(w);
}

} // namespace solvers
