#pragma once

#include "registry.h"

#include <map>
#include <string>
#include <utility>

namespace registry {

// Keys under LocalMachine held in memory, with what the reader relies on: key paths and value
// names without regard to case, the rights a key grants, raw typed bytes, MoreData when they do
// not fit.
class MemoryRegistry final : public Registry
{
public:
    std::uint32_t granted = 0xF003F; // by every key: all rights

    void setValue(const std::string &path, const std::string &name, std::uint32_t type,
                  std::string bytes);
    int openHandles() const { return static_cast<int>(m_handles.size()); }

    Status openKey(Key root, const std::string &subKey, std::uint32_t access, Key *result) override;
    Status queryValue(Key key, const std::string &valueName, std::uint32_t *type,
                      unsigned char *data, std::uint32_t *size) override;
    Status closeKey(Key key) override;

private:
    using Values = std::map<std::string, std::pair<std::uint32_t, std::string>>;
    std::map<std::string, Values> m_keys; // by lower-case path, then name
    std::map<Key, const Values *> m_handles;
    Key m_nextHandle = 0x1000;
};

} // namespace registry
