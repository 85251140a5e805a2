// Val over arbitrary text: a finite double, runtime error 6 or 11, or a refusal of a text with a
// square root; Str of the double reads back as the number rounded to 15 significant digits.
#include "ansi.h"
#include "conversions.h"
#include "runtimeerror.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // First byte: read the rest as UTF-8 or as UTF-16 code units.
    std::u16string text;
    if (size > 0 && data[0] & 1)
        text = rt::fromAnsi({reinterpret_cast<const char *>(data + 1), size - 1});
    for (std::size_t i = 1; size > 0 && !(data[0] & 1) && i + 1 < size; i += 2)
        text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    double value = 0;
    try {
        value = rt::Val(text);
    } catch (const rt::RuntimeError &e) {
        if (e.number() != rt::Overflow && e.number() != rt::DivisionByZero)
            std::abort();
        return 0;
    } catch (const rt::Unreadable &) {
        if (!rt::writesRoot(text)) // only a text with a square root may be refused
            std::abort();
        return 0;
    }
    if (!std::isfinite(value))
        std::abort();
    const std::u16string shown = rt::Str(value);
    char rounded[64];
    std::snprintf(rounded, sizeof rounded, "%.14e", value);
    if (shown.empty() || (shown[0] != u' ' && shown[0] != u'-') || shown == u"-0" ||
        rt::Val(shown) != std::strtod(rounded, nullptr))
        std::abort();
    return 0;
}
