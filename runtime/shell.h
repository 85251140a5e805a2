#pragma once

#include <string_view>

namespace rt {

// Starts a program as a separate process and returns at once with its task number. The window
// style (1: normal, with the focus) is the started program's business here. Raises FileNotFound
// when the program cannot be started.
double Shell(std::u16string_view commandLine, int windowStyle = 1);

} // namespace rt
