#pragma once

#include <cstdint>
#include <string>

// The few registry calls the About dialog makes, over a backend: the Windows registry, a
// registry-less platform, or one held in memory.
namespace registry {

using Key = std::uintptr_t;
using Status = long;

inline constexpr Key HKEY_LOCAL_MACHINE = 0x80000002;

inline constexpr std::uint32_t KEY_QUERY_VALUE = 0x0001;
inline constexpr std::uint32_t KEY_SET_VALUE = 0x0002;
inline constexpr std::uint32_t KEY_CREATE_SUB_KEY = 0x0004;
inline constexpr std::uint32_t KEY_ENUMERATE_SUB_KEYS = 0x0008;
inline constexpr std::uint32_t KEY_NOTIFY = 0x0010;
inline constexpr std::uint32_t KEY_CREATE_LINK = 0x0020;
inline constexpr std::uint32_t READ_CONTROL = 0x20000;
inline constexpr std::uint32_t KEY_READ = 0x20019;
inline constexpr std::uint32_t KEY_ALL_RIGHTS_OLD = 0x2003F; // what older readers asked for

inline constexpr Status ERROR_SUCCESS = 0;
inline constexpr Status ERROR_FILE_NOT_FOUND = 2;
inline constexpr Status ERROR_ACCESS_DENIED = 5;
inline constexpr Status ERROR_INVALID_HANDLE = 6;
inline constexpr Status ERROR_MORE_DATA = 234;

inline constexpr std::uint32_t REG_NONE = 0;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_EXPAND_SZ = 2;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;
inline constexpr std::uint32_t REG_MULTI_SZ = 7;

// Names go in the system's 8-bit code page, as the ANSI registry functions take them.
class Registry
{
public:
    virtual ~Registry() = default;

    virtual Status openKey(Key root, const std::string &subKey, std::uint32_t access,
                           Key *result) = 0;
    // On ERROR_MORE_DATA, *size holds the size the data needs.
    virtual Status queryValue(Key key, const std::string &valueName, std::uint32_t *type,
                              unsigned char *data, std::uint32_t *size) = 0;
    virtual Status closeKey(Key key) = 0;
};

// The registry of the platform: the Windows registry, or one where every open fails.
Registry &systemRegistry();

} // namespace registry
