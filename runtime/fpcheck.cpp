#include "fpcheck.h"

#include "runtimeerror.h"

#include <cfenv>

namespace rt {

void fpReset() noexcept
{
    std::feclearexcept(FE_ALL_EXCEPT);
}

// Out of line and with a compiler barrier on the value: the optimiser may neither fold the
// check away nor move the arithmetic that produced the value past the flag test.
[[gnu::noinline]] void fpCheck(double value)
{
    asm volatile("" : : "g"(value) : "memory");
    const int raised = std::fetestexcept(FE_DIVBYZERO | FE_OVERFLOW | FE_INVALID);
    std::feclearexcept(FE_ALL_EXCEPT);
    if (raised & FE_DIVBYZERO)
        raise(DivisionByZero);
    if (raised & (FE_OVERFLOW | FE_INVALID))
        raise(Overflow);
}

} // namespace rt
