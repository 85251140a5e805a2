#pragma once

#include "registry.h"

#include <map>
#include <string>
#include <vector>

namespace registry {

// What older readers asked for: read and write rights. A read-only key refuses it.
inline constexpr std::uint32_t KeyAllRightsOld = 0x2003F;

// A registry held in memory, with what readers rely on: key paths and value names without
// regard to case, the rights each key grants, typed values as raw bytes, MoreData with
// the needed size when the data does not fit.
class MemoryRegistry final : public Registry
{
public:
    // A key under a root; by default it grants every right.
    void addKey(Key root, const std::string &path, std::uint32_t grantedAccess = 0xF003F);
    void setValue(Key root, const std::string &path, const std::string &name, std::uint32_t type,
                  std::vector<unsigned char> data);
    void setString(Key root, const std::string &path, const std::string &name,
                   const std::string &text, bool terminated = true);
    void setDword(Key root, const std::string &path, const std::string &name, std::uint32_t value);

    int openHandles() const { return static_cast<int>(m_handles.size()); }
    std::uint32_t lastAccessAsked() const { return m_lastAccess; }

    Status openKey(Key root, const std::string &subKey, std::uint32_t access, Key *result) override;
    Status queryValue(Key key, const std::string &valueName, std::uint32_t *type,
                      unsigned char *data, std::uint32_t *size) override;
    Status closeKey(Key key) override;

private:
    struct Value
    {
        std::uint32_t type;
        std::vector<unsigned char> data;
    };
    struct KeyData
    {
        std::uint32_t granted;
        std::map<std::string, Value> values; // by lower-case name
    };

    static std::string fold(Key root, const std::string &path);

    std::map<std::string, KeyData> m_keys; // by root and lower-case path
    std::map<Key, std::string> m_handles;
    Key m_nextHandle = 0x1000;
    std::uint32_t m_lastAccess = 0;
};

} // namespace registry
