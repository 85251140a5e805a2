#include "fpcheck.h"

#include "runtimeerror.h"

#include <cfenv>

namespace rt {

namespace {

constexpr int Checked = FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID;

} // namespace

// Clearing the flags costs several times more than testing them, so it is done only when needed.
void fpReset() noexcept
{
    if (std::fetestexcept(Checked))
        std::feclearexcept(Checked);
}

// Out of line and with a compiler barrier on the value: the optimiser may neither fold the
// check away nor move the arithmetic that produced the value past the flag test.
[[gnu::noinline]] void fpCheck(double value)
{
    asm volatile("" : : "g"(value) : "memory");
    const int raised = std::fetestexcept(Checked);
    if (raised == 0)
        return;
    std::feclearexcept(Checked);
    if (raised & FE_DIVBYZERO)
        raise(DivisionByZero);
    if (raised & (FE_OVERFLOW | FE_INVALID))
        raise(Overflow);
}

} // namespace rt
