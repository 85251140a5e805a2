#pragma once

#include <string>
#include <string_view>

namespace rt {

// Text crosses to system functions in the system's 8-bit code page: the ANSI code page on
// Windows, UTF-8 elsewhere. Bytes that do not decode read as U+FFFD; NUL characters pass.
std::string toAnsi(std::u16string_view text);
std::u16string fromAnsi(std::string_view bytes);

} // namespace rt
