#include "rootsets.h"

#include <algorithm>

namespace solvers {

using rt::Radical;

namespace {

Poly monic(const Poly &p)
{
    const Radical over = Radical(1) / p.back();
    Poly m;
    for (const Radical &v : p)
        m.push_back(v * over);
    return m;
}

// p = quotient·q + remainder, q ≠ 0.
Poly divide(Poly p, const Poly &q, Poly *remainder = nullptr)
{
    const int dq = degree(q);
    Poly quotient;
    const Radical over = Radical(1) / q.back();
    while (degree(p) >= dq) {
        const int shift = degree(p) - dq;
        Poly term(static_cast<std::size_t>(shift + 1));
        term.back() = p.back() * over;
        quotient = quotient + term;
        p = p - term * q;
    }
    if (remainder)
        *remainder = p;
    return quotient;
}

Poly gcd(Poly p, Poly q)
{
    while (degree(q) >= 0) {
        Poly r;
        divide(p, q, &r);
        p = std::move(q);
        q = std::move(r);
    }
    return monic(p);
}

} // namespace

std::optional<RootSet> realRoots(const Poly &p)
{
    switch (degree(p)) {
    case -1:
        return std::nullopt;
    case 0:
        return RootSet{1};
    case 1:
        return monic(p);
    default:
        break;
    }
    const Radical d = p[1] * p[1] - Radical(4) * p[2] * p[0];
    const int sign = d.sign();
    if (sign < 0)
        return RootSet{1};
    if (sign == 0)
        return RootSet{p[1] / (Radical(2) * p[2]), 1};
    return monic(p);
}

RootSet rootsOf(const std::vector<Radical> &values)
{
    RootSet set{1};
    std::vector<Radical> seen;
    for (const Radical &v : values) {
        if (std::find(seen.begin(), seen.end(), v) != seen.end())
            continue;
        seen.push_back(v);
        set = set * Poly{-v, 1};
    }
    return set;
}

RootSet unite(const RootSet &p, const RootSet &q)
{
    return p * divide(q, gcd(p, q));
}

bool contains(const RootSet &set, const Radical &x)
{
    return valueAt(set, x).isZero();
}

bool strictlyWithin(const RootSet &small, const RootSet &large)
{
    Poly rest;
    divide(large, small, &rest);
    return degree(small) < degree(large) && degree(rest) < 0;
}

std::vector<Radical> members(const RootSet &set)
{
    if (degree(set) == 1)
        return {-set[0]};
    if (degree(set) != 2)
        return {};
    const Radical d = set[1] * set[1] - Radical(4) * set[0];
    const std::optional<Radical> s = d.sqrt();
    if (!s)
        return {};
    const Radical half(mpq_class(1, 2));
    return {(-set[1] - *s) * half, (-set[1] + *s) * half};
}

} // namespace solvers
