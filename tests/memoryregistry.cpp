#include "memoryregistry.h"

#include <cstring>

namespace registry {
namespace {

std::string lower(std::string s)
{
    for (char &c : s)
        c = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    return s;
}

} // namespace

void MemoryRegistry::setValue(const std::string &path, const std::string &name, std::uint32_t type,
                              std::string bytes)
{
    m_keys[lower(path)][lower(name)] = {type, std::move(bytes)};
}

Status MemoryRegistry::openKey(Key root, const std::string &subKey, std::uint32_t access,
                               Key *result)
{
    *result = 0;
    const auto it = m_keys.find(lower(subKey));
    if (root != LocalMachine || it == m_keys.end())
        return FileNotFound;
    if ((access & ~granted) != 0)
        return AccessDenied;
    *result = m_nextHandle++;
    m_handles.emplace(*result, &it->second);
    return Success;
}

Status MemoryRegistry::queryValue(Key key, const std::string &valueName, std::uint32_t *type,
                                  unsigned char *data, std::uint32_t *size)
{
    const auto h = m_handles.find(key);
    if (h == m_handles.end())
        return InvalidHandle;
    const auto v = h->second->find(lower(valueName));
    if (v == h->second->end())
        return FileNotFound;
    const std::string &bytes = v->second.second;
    const auto needed = static_cast<std::uint32_t>(bytes.size());
    *type = v->second.first;
    const bool fits = needed <= *size;
    if (fits && needed > 0)
        std::memcpy(data, bytes.data(), needed);
    *size = needed;
    return fits ? Success : MoreData;
}

Status MemoryRegistry::closeKey(Key key)
{
    return m_handles.erase(key) ? Success : InvalidHandle;
}

} // namespace registry
