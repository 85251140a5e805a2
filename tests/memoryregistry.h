#pragma once

#include "registry.h"

#include <map>
#include <string>
#include <vector>

namespace registry {

// A registry held in memory, with what the reader relies on: key paths and value names without
// regard to case, the rights a key grants, raw typed bytes, MoreData when they do not fit.
class MemoryRegistry final : public Registry
{
public:
    // A key under a root; by default it grants every right.
    void addKey(Key root, const std::string &path, std::uint32_t grantedAccess = 0xF003F);
    void setValue(Key root, const std::string &path, const std::string &name, std::uint32_t type,
                  std::vector<unsigned char> data);
    void setString(Key root, const std::string &path, const std::string &name,
                   const std::string &text);
    void setDword(Key root, const std::string &path, const std::string &name, std::uint32_t value);
    int openHandles() const { return static_cast<int>(m_handles.size()); }

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
        std::uint32_t granted = 0xF003F;
        std::map<std::string, Value> values; // by lower-case name
    };
    std::map<std::string, KeyData> m_keys; // by root and lower-case path
    std::map<Key, const KeyData *> m_handles;
    Key m_nextHandle = 0x1000;
};

} // namespace registry
