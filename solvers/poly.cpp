#include "studentline.h"

namespace solvers {

using rt::Radical;

int degree(const Poly &p)
{
    for (int i = static_cast<int>(p.size()) - 1; i >= 0; --i)
        if (!p[static_cast<std::size_t>(i)].isZero())
            return i;
    return -1;
}

namespace {

Poly trimmed(Poly p)
{
    while (!p.empty() && p.back().isZero())
        p.pop_back();
    return p;
}

} // namespace

Poly operator+(const Poly &p, const Poly &q)
{
    Poly r(std::max(p.size(), q.size()));
    for (std::size_t i = 0; i < r.size(); ++i)
        r[i] = (i < p.size() ? p[i] : Radical()) + (i < q.size() ? q[i] : Radical());
    return trimmed(std::move(r));
}

Poly operator-(const Poly &p, const Poly &q)
{
    Poly minus;
    for (const Radical &v : q)
        minus.push_back(-v);
    return p + minus;
}

Poly operator*(const Poly &p, const Poly &q)
{
    if (p.empty() || q.empty())
        return {};
    Poly r(p.size() + q.size() - 1);
    for (std::size_t i = 0; i < p.size(); ++i)
        for (std::size_t j = 0; j < q.size(); ++j)
            r[i + j] = r[i + j] + p[i] * q[j];
    return trimmed(std::move(r));
}

Radical valueAt(const Poly &p, const Radical &x)
{
    Radical v;
    for (auto i = p.rbegin(); i != p.rend(); ++i)
        v = v * x + *i;
    return v;
}

} // namespace solvers
