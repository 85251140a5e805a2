#include "registry.h"

#include <windows.h>

namespace registry {
namespace {

class WindowsRegistry final : public Registry
{
public:
    Status openKey(Key root, const std::string &subKey, std::uint32_t access, Key *result) override
    {
        HKEY key = nullptr;
        // The 64-bit view, where the system keeps the tool's location, whatever this build is.
        const LONG status = RegOpenKeyExA(reinterpret_cast<HKEY>(root), subKey.c_str(), 0,
                                          static_cast<REGSAM>(access) | KEY_WOW64_64KEY, &key);
        *result = reinterpret_cast<Key>(key);
        return status;
    }

    Status queryValue(Key key, const std::string &valueName, std::uint32_t *type,
                      unsigned char *data, std::uint32_t *size) override
    {
        DWORD t = 0;
        DWORD n = *size;
        const LONG status =
            RegQueryValueExA(reinterpret_cast<HKEY>(key), valueName.c_str(), nullptr, &t, data, &n);
        *type = t;
        *size = n;
        return status;
    }

    Status closeKey(Key key) override { return RegCloseKey(reinterpret_cast<HKEY>(key)); }
};

} // namespace

Registry &systemRegistry()
{
    static WindowsRegistry windows;
    return windows;
}

} // namespace registry
