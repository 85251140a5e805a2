#include "memoryregistry.h"

#include <algorithm>
#include <cstring>

namespace registry {
namespace {

std::string lower(std::string s)
{
    for (char &c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

} // namespace

std::string MemoryRegistry::fold(Key root, const std::string &path)
{
    std::string p = lower(path);
    while (!p.empty() && p.back() == '\\')
        p.pop_back();
    return std::to_string(root) + '\\' + p;
}

void MemoryRegistry::addKey(Key root, const std::string &path, std::uint32_t grantedAccess)
{
    m_keys[fold(root, path)].granted = grantedAccess;
}

void MemoryRegistry::setValue(Key root, const std::string &path, const std::string &name,
                              std::uint32_t type, std::vector<unsigned char> data)
{
    auto [it, added] = m_keys.try_emplace(fold(root, path), KeyData{0xF003F, {}});
    it->second.values[lower(name)] = Value{type, std::move(data)};
}

void MemoryRegistry::setString(Key root, const std::string &path, const std::string &name,
                               const std::string &text, bool terminated)
{
    std::vector<unsigned char> data(text.begin(), text.end());
    if (terminated)
        data.push_back(0);
    setValue(root, path, name, TypeString, std::move(data));
}

void MemoryRegistry::setDword(Key root, const std::string &path, const std::string &name,
                              std::uint32_t value)
{
    setValue(root, path, name, TypeDword,
             {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
              static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)});
}

Status MemoryRegistry::openKey(Key root, const std::string &subKey, std::uint32_t access,
                               Key *result)
{
    m_lastAccess = access;
    *result = 0;
    const auto it = m_keys.find(fold(root, subKey));
    if (it == m_keys.end())
        return FileNotFound;
    if ((access & ~it->second.granted) != 0)
        return AccessDenied;
    *result = m_nextHandle++;
    m_handles.emplace(*result, it->first);
    return Success;
}

Status MemoryRegistry::queryValue(Key key, const std::string &valueName, std::uint32_t *type,
                                  unsigned char *data, std::uint32_t *size)
{
    const auto h = m_handles.find(key);
    if (h == m_handles.end())
        return InvalidHandle;
    const KeyData &k = m_keys.at(h->second);
    const auto v = k.values.find(lower(valueName));
    if (v == k.values.end())
        return FileNotFound;
    const auto needed = static_cast<std::uint32_t>(v->second.data.size());
    *type = v->second.type;
    if (needed > *size) {
        *size = needed;
        return MoreData;
    }
    if (needed > 0)
        std::memcpy(data, v->second.data.data(), needed);
    *size = needed;
    return Success;
}

Status MemoryRegistry::closeKey(Key key)
{
    return m_handles.erase(key) ? Success : InvalidHandle;
}

} // namespace registry
