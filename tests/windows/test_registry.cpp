// The registry reader over Wine's real registry, with the cases every backend is held to, read
// from a key that grants read access only; and the version record. Exits 1 on a failure.
#include "maker.h"
#include "registrycases.h"

// <sddl.h> needs <windows.h> first.
// clang-format off
#include <windows.h>
#include <sddl.h>
// clang-format on

#include <cstdio>
#include <cstring>

namespace {

// A field of the executable's own version record, as Windows hands it to a Unicode program.
std::wstring versionString(const char *name)
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &handle);
    std::string data(size, '\0');
    wchar_t *value = nullptr;
    UINT length = 0;
    std::wstring query = L"\\StringFileInfo\\080404B0\\";
    query.append(name, name + std::strlen(name));
    if (size == 0 || !GetFileVersionInfoW(path, 0, size, data.data()) ||
        !VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void **>(&value), &length))
        return {};
    return value;
}

} // namespace

int main()
{
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\QuadrimoTest", 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, &key, nullptr);
    for (const RegistryCase &c : registryCases())
        if (c.type != Absent)
            RegSetValueExA(key, c.name, 0, c.type, reinterpret_cast<const BYTE *>(c.data.data()),
                           static_cast<DWORD>(c.data.size()));
    // As HKEY_LOCAL_MACHINE grants a standard user.
    PSECURITY_DESCRIPTOR sd = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)", SDDL_REVISION_1, &sd,
                                                         nullptr);
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd);
    LocalFree(sd);
    RegCloseKey(key);
    // A 32-bit program's view of the same key: the reader must not look there.
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\QuadrimoView", 0, nullptr, 0,
                    KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &key, nullptr);
    RegSetValueExA(key, "Only32", 0, REG_SZ, reinterpret_cast<const BYTE *>("x"), 2);
    RegCloseKey(key);
    std::vector<std::pair<std::string, bool>> checks = {
        {"write access refused", RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\QuadrimoTest", 0,
                                               KEY_SET_VALUE, &key) == ERROR_ACCESS_DENIED},
        {"64-bit view read",
         !readValue(registry::systemRegistry(), u"Software\\QuadrimoView", u"Only32", u"").ok}};
    for (const RegistryCase &c : registryCases()) {
        const std::u16string name(c.name, c.name + std::strlen(c.name));
        checks.emplace_back(c.name, readValue(registry::systemRegistry(), u"software\\QUADRIMOTEST",
                                              name, c.before) == c.expected);
    }
    for (const auto &[field, value] : {std::pair{"CompanyName", settings::Maker},
                                       {"ProductName", u"Quadrimo"},
                                       {"FileVersion", u"1.00"},
                                       {"OriginalFilename", u"Quadrimo.exe"}})
        checks.emplace_back(field,
                            versionString(field) == reinterpret_cast<const wchar_t *>(value));
    int failed = 0;
    for (const auto &[name, ok] : checks) {
        failed += !ok;
        std::printf("%s: %s\n", ok ? "PASS " : "FAIL!", name.c_str());
    }
    return failed == 0 ? 0 : 1;
}
