#include "filetest.h"

#include "ansi.h"

#include <filesystem>
#include <system_error>

namespace rt {

std::string nativePath(std::u16string_view path)
{
    std::string native = toAnsi(path);
#ifndef _WIN32
    for (char &c : native)
        if (c == '\\')
            c = '/';
#endif
    return native;
}

std::u16string Dir(std::u16string_view path, int attributes)
{
    constexpr int Hidden = 2;
    if (path.empty())
        return {};
    const std::filesystem::path p(nativePath(path));
    std::error_code ec;
    const auto status = std::filesystem::status(p, ec);
    if (ec || !std::filesystem::is_regular_file(status))
        return {};
    const std::string name = p.filename().string();
    if (!(attributes & Hidden) && !name.empty() && name.front() == '.')
        return {};
    return fromAnsi(name);
}

} // namespace rt
