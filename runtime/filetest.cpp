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
#ifdef _WIN32
    // As the ANSI file functions do: the 8-bit text read back in the system's code page. A
    // narrow path here would be read as UTF-8.
    const std::filesystem::path p(fromAnsi(nativePath(path)));
    const std::string name = toAnsi(p.filename().u16string());
#else
    const std::filesystem::path p(nativePath(path));
    const std::string name = p.filename().string();
#endif
    std::error_code ec;
    const auto status = std::filesystem::status(p, ec);
    if (ec || !std::filesystem::is_regular_file(status))
        return {};
    if (!(attributes & Hidden) && !name.empty() && name.front() == '.')
        return {};
    return fromAnsi(name);
}

} // namespace rt
