#pragma once

#include <cstdint>
#include <string>

// The few registry calls the About dialog makes, over a backend: the Windows registry, a
// registry-less platform, or a test's.
namespace registry {

using Key = std::uintptr_t;
using Status = long;

inline constexpr Key LocalMachine = 0x80000002;

inline constexpr std::uint32_t KeyRead = 0x20019; // query, enumerate, notify, read control

inline constexpr Status Success = 0;
inline constexpr Status FileNotFound = 2;
inline constexpr Status AccessDenied = 5;
inline constexpr Status InvalidHandle = 6;
inline constexpr Status MoreData = 234;

inline constexpr std::uint32_t TypeString = 1;
inline constexpr std::uint32_t TypeExpandString = 2;
inline constexpr std::uint32_t TypeDword = 4;

// Names go in the system's 8-bit code page, as the ANSI registry functions take them.
class Registry
{
public:
    virtual ~Registry() = default;

    virtual Status openKey(Key root, const std::string &subKey, std::uint32_t access,
                           Key *result) = 0;
    // On MoreData, *size holds the size the data needs.
    virtual Status queryValue(Key key, const std::string &valueName, std::uint32_t *type,
                              unsigned char *data, std::uint32_t *size) = 0;
    virtual Status closeKey(Key key) = 0;
};

// The registry of the platform: the Windows registry, or one where every open fails.
Registry &systemRegistry();

} // namespace registry
