#pragma once

// Sets of real roots, compared exactly: each set is the monic polynomial whose roots are its
// members, once each, so that equal sets are equal polynomials whether or not a root nests.
#include "studentline.h"

#include <optional>
#include <vector>

namespace solvers {

using RootSet = Poly;

// The real roots of p = 0; nullopt where every x is one (p is 0).
std::optional<RootSet> realRoots(const Poly &p);
RootSet rootsOf(const std::vector<rt::Radical> &values);
RootSet unite(const RootSet &p, const RootSet &q);
bool contains(const RootSet &set, const rt::Radical &x);
bool strictlyWithin(const RootSet &small, const RootSet &large);
// The members where they are written without a root inside a root.
std::vector<rt::Radical> members(const RootSet &set);

} // namespace solvers
