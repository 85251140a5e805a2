// The checking of a student's working over arbitrary text: it reads or passes over every line,
// and neither crashes nor hangs.
#include "ansi.h"
#include "checking.h"
#include "conversions.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // First byte: which equation the working is of.
    static const char16_t *const equations[][3] = {
        {u"1", u"-8", u"1"}, {u"2", u"-3", u"1"}, {u"1", u"0", u"4"}, {u"√2", u"-√3", u"-√2"}};
    if (size == 0)
        return 0;
    const auto &e = equations[data[0] % 4];
    const std::u16string working =
        rt::fromAnsi({reinterpret_cast<const char *>(data + 1), size - 1});
    const std::u16string verdict =
        solvers::checkWorking(rt::ValNumber(e[0]).field(), rt::ValNumber(e[1]).field(),
                              rt::ValNumber(e[2]).field(), working);
    if (verdict.empty())
        std::abort();
    return 0;
}
