#include "squarefree.h"

#include <cstdint>
#include <limits>
#include <vector>

namespace rt {
namespace {

bool belowLimit(const mpz_class &x)
{
    static const mpz_class limit("1000000000000");
    return mpz_cmpabs(x.get_mpz_t(), limit.get_mpz_t()) < 0;
}

// Squares of the primes below this are taken out of a radicand.
constexpr std::uint64_t SmallPrimeEnd = 10000;

// v is divisible by p exactly when v * inverse <= most.
struct SmallPrime
{
    std::uint64_t p, inverse, most;
};

const std::vector<SmallPrime> &smallPrimes()
{
    static const std::vector<SmallPrime> primes = [] {
        std::vector<SmallPrime> list;
        std::vector<bool> composite(SmallPrimeEnd);
        for (std::uint64_t p = 2; p < SmallPrimeEnd; ++p) {
            if (composite[p])
                continue;
            for (std::uint64_t m = p * p; m < SmallPrimeEnd; m += p)
                composite[m] = true;
            std::uint64_t inverse = p; // right to 3 bits for odd p; Newton doubles them
            for (int i = 0; i < 5; ++i)
                inverse *= 2 - p * inverse;
            list.push_back({p, inverse, std::numeric_limits<std::uint64_t>::max() / p});
        }
        return list;
    }();
    return primes;
}

} // namespace

std::optional<mpq_class> rationalSqrt(const mpq_class &d)
{
    if (!mpz_perfect_square_p(d.get_num_mpz_t()) || !mpz_perfect_square_p(d.get_den_mpz_t()))
        return std::nullopt;
    mpq_class s;
    mpz_sqrt(s.get_num_mpz_t(), d.get_num_mpz_t());
    mpz_sqrt(s.get_den_mpz_t(), d.get_den_mpz_t());
    return s;
}

namespace {

// Takes the primes below 10⁴ out of m: s² and n from them, m what is left. One gcd with their
// product finds the few that divide m, where dividing by each of the 1229 would cost the time
// of a press.
void splitSmall(mpz_class &m, mpz_class &s, mpz_class &n)
{
    static const mpz_class primorial = [] {
        mpz_class p;
        mpz_primorial_ui(p.get_mpz_t(), SmallPrimeEnd - 1);
        return p;
    }();
    s = 1;
    n = 1;
    auto take = [&](unsigned long p) {
        const mpz_class f(p);
        const mp_bitcnt_t e = mpz_remove(m.get_mpz_t(), m.get_mpz_t(), f.get_mpz_t());
        mpz_class power;
        mpz_ui_pow_ui(power.get_mpz_t(), p, e / 2);
        s *= power;
        if (e % 2)
            n *= p;
    };
    mpz_class g;
    mpz_gcd(g.get_mpz_t(), m.get_mpz_t(), primorial.get_mpz_t());
    if (mpz_even_p(g.get_mpz_t())) {
        g >>= 1;
        take(2);
    }
    const std::vector<SmallPrime> &primes = smallPrimes();
    std::size_t i = 1;
    for (; !mpz_fits_ulong_p(g.get_mpz_t()); ++i) {
        if (mpz_divisible_ui_p(g.get_mpz_t(), primes[i].p)) {
            mpz_divexact_ui(g.get_mpz_t(), g.get_mpz_t(), primes[i].p);
            take(primes[i].p);
        }
    }
    // g is odd, a product of distinct primes from primes[i] on.
    for (std::uint64_t rest = mpz_get_ui(g.get_mpz_t()); rest > 1; ++i) {
        const SmallPrime &sp = primes[i];
        if (sp.p * sp.p > rest) {
            take(rest);
            break;
        }
        if (rest * sp.inverse <= sp.most) {
            rest *= sp.inverse;
            take(sp.p);
        }
    }
}

} // namespace

void splitSquares(mpz_class m, mpz_class &s, mpz_class &n)
{
    splitSmall(m, s, n);
    // What is left has no prime below 10⁴; at most 10¹², it is 1, p, pq or p².
    if (belowLimit(mpz_class(n * m)) && mpz_perfect_square_p(m.get_mpz_t())) {
        mpz_sqrt(m.get_mpz_t(), m.get_mpz_t());
        s *= m;
    } else {
        n *= m;
    }
}

bool squareFree(const mpz_class &m, mpz_class &s, mpz_class &n)
{
    // What a student types: trial division by the primes up to its square root is quicker.
    if (m.fits_ulong_p() && m < 100000000) {
        unsigned long rest = m.get_ui(), square = 1, free = 1;
        for (const SmallPrime &sp : smallPrimes()) {
            if (sp.p * sp.p > rest)
                break;
            while (rest % (sp.p * sp.p) == 0) {
                rest /= sp.p * sp.p;
                square *= sp.p;
            }
            if (rest % sp.p == 0) {
                rest /= sp.p;
                free *= sp.p;
            }
        }
        s = square;
        n = free * rest;
        return true;
    }
    mpz_class rest = m;
    splitSmall(rest, s, n);
    if (mpz_perfect_square_p(rest.get_mpz_t())) {
        mpz_sqrt(rest.get_mpz_t(), rest.get_mpz_t());
        s *= rest;
        return true;
    }
    n *= rest;
    return belowLimit(rest);
}

} // namespace rt
