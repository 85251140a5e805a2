// GetKeyValue over the in-memory registry with arbitrary value types, sizes and bytes: True with
// the text the type calls for, False, or runtime error 5 (no data) or 6 (a double word too wide
// to read); every key it opens is closed again.
#include "ansi.h"
#include "getkeyvalue.h"
#include "memoryregistry.h"
#include "runtimeerror.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace registry;
    if (size < 3)
        return 0;
    const std::uint32_t type = data[0] % 9;
    const std::size_t length = (data[1] | (data[2] << 8)) % 2049;
    std::vector<unsigned char> bytes(data + 3, data + size);
    bytes.resize(length, static_cast<unsigned char>(length));

    MemoryRegistry reg;
    reg.setValue(LocalMachine, "SOFTWARE\\Key", "Value", type, bytes);
    // The caller passes an empty text for a double word, whose digits are appended to it.
    const std::u16string before = type == TypeDword ? u"" : u"in";
    std::u16string keyVal = before;
    bool ok = false;
    try {
        ok = GetKeyValue(reg, LocalMachine, u"software\\key", u"value", keyVal);
    } catch (const rt::RuntimeError &e) {
        const bool noData = e.number() == rt::InvalidProcedureCall && length == 0;
        const bool tooWide = e.number() == rt::Overflow && type == TypeDword;
        if (!(noData || tooWide) || keyVal != before)
            std::abort();
        return 0;
    }
    if (reg.openHandles() != 0)
        std::abort();
    if (length > 1024) {
        if (ok || !keyVal.empty())
            std::abort();
        return 0;
    }
    if (!ok)
        std::abort();
    std::size_t kept = length;
    if (kept > 0 && bytes[kept - 1] == 0)
        --kept;
    if (type == TypeString &&
        keyVal != rt::fromAnsi({reinterpret_cast<const char *>(bytes.data()), kept}))
        std::abort();
    if (type == TypeDword) {
        // The little-endian number of the kept bytes, as unsigned decimal.
        unsigned __int128 value = 0;
        for (std::size_t i = kept; i-- > 0;)
            value = (value << 8) | bytes[i];
        std::string expected;
        do {
            expected.insert(expected.begin(), static_cast<char>('0' + value % 10));
            value /= 10;
        } while (value != 0);
        if (keyVal != std::u16string(expected.begin(), expected.end()))
            std::abort();
    }
    if (type != TypeString && type != TypeDword && keyVal != before)
        std::abort();
    return 0;
}
