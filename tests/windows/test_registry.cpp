// The registry reader over Wine's real registry, with the cases every backend is held to, a
// read-only key, and the version resource. Prints "N passed, N failed".
#include "getkeyvalue.h"
#include "registrycases.h"
#include "runtimeerror.h"

// <sddl.h> needs <windows.h> first.
// clang-format off
#include <windows.h>
#include <sddl.h>
// clang-format on

#include <cstdio>

namespace {

int g_passed = 0;
int g_failed = 0;

void check(const char *name, bool ok)
{
    ++(ok ? g_passed : g_failed);
    std::printf("%s: %s\n", ok ? "PASS   " : "FAIL!  ", name);
}

std::string versionString(const char *name)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    std::string data(size, '\0');
    char *value = nullptr;
    UINT length = 0;
    const std::string query = std::string("\\StringFileInfo\\080404B0\\") + name;
    if (size == 0 || !GetFileVersionInfoA(path, 0, size, data.data()) ||
        !VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void **>(&value), &length))
        return {};
    return value;
}

} // namespace

int main()
{
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\QuadrimoTest", 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, &key, nullptr);
    for (const RegistryCase &c : registryCases()) {
        if (c.type != Absent)
            RegSetValueExA(key, c.name, 0, c.type, reinterpret_cast<const BYTE *>(c.data.data()),
                           static_cast<DWORD>(c.data.size()));
        std::u16string keyVal = c.before;
        const std::u16string name(c.name, c.name + std::char_traits<char>::length(c.name));
        int error = 0;
        bool ok = false;
        try {
            ok = GetKeyValue(registry::systemRegistry(), registry::LocalMachine,
                             u"software\\QUADRIMOTEST", name, keyVal);
        } catch (const rt::RuntimeError &e) {
            error = e.number();
        }
        check(c.name, ok == c.ok && keyVal == c.text && error == c.error);
    }

    // Read access only, as HKEY_LOCAL_MACHINE grants a standard user: the old mask is refused.
    HKEY readOnly = nullptr;
    PSECURITY_DESCRIPTOR sd = nullptr;
    RegCreateKeyExA(key, "ReadOnly", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &readOnly, nullptr);
    RegSetValueExA(readOnly, "PATH", 0, REG_SZ, reinterpret_cast<const BYTE *>("C:\\m.exe"), 9);
    ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)", SDDL_REVISION_1, &sd,
                                                         nullptr);
    RegSetKeySecurity(readOnly, DACL_SECURITY_INFORMATION, sd);
    LocalFree(sd);
    RegCloseKey(readOnly);
    check("the old access mask is refused",
          RegOpenKeyExA(key, "ReadOnly", 0, 0x2003F, &readOnly) == ERROR_ACCESS_DENIED);
    std::u16string path;
    check("a read-only key is read",
          GetKeyValue(registry::systemRegistry(), registry::LocalMachine,
                      u"Software\\QuadrimoTest\\ReadOnly", u"PATH", path) &&
              path == u"C:\\m.exe");
    RegCloseKey(key);

    check("version record: product name", versionString("ProductName") == "Quadrimo");
    check("version record: file version", versionString("FileVersion") == "1.00");
    check("version record: original file name",
          versionString("OriginalFilename") == "Quadrimo.exe");
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}
