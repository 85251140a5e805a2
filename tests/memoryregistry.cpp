#include "memoryregistry.h"

#include <algorithm>
#include <cstring>

namespace registry {
namespace {

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return s;
}

std::string keyName(Key root, const std::string &path)
{
    return std::to_string(root) + '\\' + lower(path);
}

} // namespace

void MemoryRegistry::addKey(Key root, const std::string &path, std::uint32_t grantedAccess)
{
    m_keys[keyName(root, path)].granted = grantedAccess;
}

void MemoryRegistry::setValue(Key root, const std::string &path, const std::string &name,
                              std::uint32_t type, std::vector<unsigned char> data)
{
    m_keys[keyName(root, path)].values[lower(name)] = Value{type, std::move(data)};
}

void MemoryRegistry::setString(Key root, const std::string &path, const std::string &name,
                               const std::string &text)
{
    std::vector<unsigned char> data(text.begin(), text.end());
    data.push_back(0);
    setValue(root, path, name, TypeString, std::move(data));
}

void MemoryRegistry::setDword(Key root, const std::string &path, const std::string &name,
                              std::uint32_t value)
{
    std::vector<unsigned char> data(4);
    std::memcpy(data.data(), &value, 4); // little-endian, as the registry stores it
    setValue(root, path, name, TypeDword, std::move(data));
}

Status MemoryRegistry::openKey(Key root, const std::string &subKey, std::uint32_t access,
                               Key *result)
{
    *result = 0;
    const auto it = m_keys.find(keyName(root, subKey));
    if (it == m_keys.end())
        return FileNotFound;
    if ((access & ~it->second.granted) != 0)
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
    const auto v = h->second->values.find(lower(valueName));
    if (v == h->second->values.end())
        return FileNotFound;
    const auto needed = static_cast<std::uint32_t>(v->second.data.size());
    *type = v->second.type;
    const bool fits = needed <= *size;
    if (fits && needed > 0)
        std::memcpy(data, v->second.data.data(), needed);
    *size = needed;
    return fits ? Success : MoreData;
}

Status MemoryRegistry::closeKey(Key key)
{
    return m_handles.erase(key) ? Success : InvalidHandle;
}

} // namespace registry
