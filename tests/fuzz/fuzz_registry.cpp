// GetKeyValue over the in-memory registry with arbitrary value types, sizes and bytes: what the
// reader's rules make of them, and every key it opens closed again.
#include "ansi.h"
#include "memoryregistry.h"
#include "registrycases.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace registry;
    if (size < 3)
        return 0;
    const std::uint32_t type = data[0] % 9;
    const std::size_t length = (data[1] | (data[2] << 8)) % 2049;
    std::string bytes(reinterpret_cast<const char *>(data) + 3, size - 3);
    bytes.resize(length, static_cast<char>(length));
    MemoryRegistry reg;
    reg.setValue("SOFTWARE\\Key", "Value", type, bytes);
    // The caller passes an empty text for a double word, whose digits are appended to it.
    const std::u16string before = type == TypeDword ? u"" : u"in";
    const Reading read = readValue(reg, u"software\\key", u"value", before);

    const std::size_t kept = length > 0 && bytes.back() == 0 ? length - 1 : length;
    std::size_t digits = kept; // the little-endian number's bytes, high zeros left out
    while (digits > 0 && bytes[digits - 1] == 0)
        --digits;
    Reading expected{true, before, 0};
    if (length > 1024)
        expected = {false, u"", 0};
    else if (length == 0)
        expected = {false, before, rt::InvalidProcedureCall};
    else if (type == TypeString)
        expected.text = rt::fromAnsi(bytes.substr(0, kept));
    else if (type == TypeDword && digits > 8)
        expected = {false, before, rt::Overflow};
    else if (type == TypeDword) {
        std::uint64_t value = 0;
        for (std::size_t i = digits; i-- > 0;)
            value = value << 8 | static_cast<unsigned char>(bytes[i]);
        const std::string text = std::to_string(value);
        expected.text.assign(text.begin(), text.end());
    }
    if (!(read == expected) || reg.openHandles() != 0)
        std::abort();
    return 0;
}
