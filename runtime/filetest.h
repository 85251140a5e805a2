#pragma once

#include <string>
#include <string_view>

namespace rt {

// The name of the ordinary file at path, or the empty text when there is none. With attributes
// 0 only plain files count: no folders, no hidden files. Paths use "\" as well as "/" between
// folders, as programs written for Windows expect.
std::u16string Dir(std::u16string_view path, int attributes = 0);

// The path as this platform spells it.
std::string nativePath(std::u16string_view path);

} // namespace rt
