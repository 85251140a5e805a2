// The registry reader over the real Windows registry (Wine's) and the version resource.
// Prints "N passed, N failed".
#include "getkeyvalue.h"
#include "runtimeerror.h"

// <sddl.h> needs <windows.h> first.
// clang-format off
#include <windows.h>
#include <sddl.h>
// clang-format on

#include <cstdio>
#include <string>

namespace {

// What older readers asked for: read and write rights.
constexpr DWORD KeyAllRightsOld = 0x2003F;

int g_passed = 0;
int g_failed = 0;

std::string narrow(const std::u16string &s)
{
    std::string out;
    for (const char16_t c : s)
        out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

void check(const char *name, bool ok, const std::string &detail = {})
{
    if (ok) {
        ++g_passed;
        std::printf("PASS   : %s\n", name);
    } else {
        ++g_failed;
        std::printf("FAIL!  : %s %s\n", name, detail.c_str());
    }
}

void read(const char *name, const char16_t *key, const char16_t *value, bool ok,
          const std::u16string &text, const std::u16string &before = {})
{
    std::u16string keyVal = before;
    bool result = false;
    try {
        result =
            GetKeyValue(registry::systemRegistry(), registry::LocalMachine, key, value, keyVal);
    } catch (const rt::RuntimeError &e) {
        check(name, false, "raised " + std::to_string(e.number()));
        return;
    }
    check(name, result == ok && keyVal == text,
          "returned " + std::to_string(result) + " with '" + narrow(keyVal) + "'");
}

// A key that grants read access only, as HKEY_LOCAL_MACHINE does to a standard user.
bool makeReadOnly(const char *path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, WRITE_DAC, &key) != ERROR_SUCCESS)
        return false;
    PSECURITY_DESCRIPTOR sd = nullptr;
    const bool ok = ConvertStringSecurityDescriptorToSecurityDescriptorA(
                        "D:P(A;;KR;;;WD)", SDDL_REVISION_1, &sd, nullptr) &&
                    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, sd) == ERROR_SUCCESS;
    LocalFree(sd);
    RegCloseKey(key);
    return ok;
}

std::string versionString(const char *name)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    std::string data(size, '\0');
    if (size == 0 || !GetFileVersionInfoA(path, 0, size, data.data()))
        return {};
    char *value = nullptr;
    UINT length = 0;
    const std::string query = std::string("\\StringFileInfo\\080404B0\\") + name;
    if (!VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void **>(&value), &length))
        return {};
    return value;
}

} // namespace

int main()
{
    const char16_t *key = u"Software\\QuadrimoTest";
    read("string with its zero", key, u"Terminated", true, u"abc");
    read("string without its zero", key, u"Unterminated", true, u"abc");
    read("double word 256", key, u"Dword", true, u"256");
    read("double word 0x80000000, unsigned", key, u"DwordHigh", true, u"2147483648");
    read("missing key", u"Software\\QuadrimoNowhere", u"PATH", false, u"", u"x");
    read("missing value", key, u"Nothing", false, u"", u"x");
    read("1024 bytes read whole", key, u"Long1024", true, std::u16string(1023, u'x'));
    read("1025 bytes do not fit", key, u"Long1025", false, u"");
    read("expandable string keeps KeyVal", key, u"Expand", true, u"kept", u"kept");

    check("key made read-only", makeReadOnly("Software\\QuadrimoTest\\ReadOnly"));
    HKEY handle = nullptr;
    const LONG old = RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\QuadrimoTest\\ReadOnly", 0,
                                   KeyAllRightsOld, &handle);
    if (old == ERROR_SUCCESS)
        RegCloseKey(handle);
    check("the old access mask is refused there", old == ERROR_ACCESS_DENIED,
          "open returned " + std::to_string(old));
    read("read-only key read", u"Software\\QuadrimoTest\\ReadOnly", u"PATH", true,
         u"C:\\msinfo\\msinfo32.exe");

    check("version record: product name", versionString("ProductName") == "Quadrimo",
          versionString("ProductName"));
    check("version record: file version", versionString("FileVersion") == "1.00",
          versionString("FileVersion"));
    check("version record: original file name",
          versionString("OriginalFilename") == "Quadrimo.exe");

    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed == 0 ? 0 : 1;
}
