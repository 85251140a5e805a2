#include "getkeyvalue.h"

#include "ansi.h"
#include "runtimeerror.h"

#include <array>
#include <cctype>
#include <charconv>
#include <vector>

namespace {

// Read access only: a standard user may not write under LocalMachine, and asking for
// write rights there makes the open fail.
constexpr std::uint32_t Access = registry::KeyRead;
constexpr std::uint32_t BufferSize = 1024;

class OpenKey
{
public:
    explicit OpenKey(registry::Registry &reg) : m_reg(reg) {}
    ~OpenKey() { m_reg.closeKey(handle); }
    OpenKey(const OpenKey &) = delete;
    OpenKey &operator=(const OpenKey &) = delete;

    registry::Key handle = 0;

private:
    registry::Registry &m_reg;
};

// The decimal text of a "&h" numeral, read unsigned and exactly; it stops at the first
// character that is no hex digit. Beyond 64 bits it overflows.
std::u16string hexToDecimal(const std::u16string &numeral)
{
    std::string digits;
    for (std::size_t i = 2; i < numeral.size() && std::isxdigit(numeral[i] < 128 ? numeral[i] : 0);
         ++i)
        digits.push_back(static_cast<char>(numeral[i]));
    std::uint64_t value = 0;
    if (!digits.empty() &&
        std::from_chars(digits.data(), digits.data() + digits.size(), value, 16).ec != std::errc())
        rt::raise(rt::Overflow);
    const std::string text = std::to_string(value);
    return {text.begin(), text.end()};
}

} // namespace

bool GetKeyValue(registry::Registry &reg, registry::Key keyRoot, std::u16string keyName,
                 std::u16string subKeyRef, std::u16string &keyVal)
{
    std::vector<unsigned char> kept;
    std::uint32_t type = 0;
    {
        OpenKey key(reg);
        if (reg.openKey(keyRoot, rt::toAnsi(keyName), Access, &key.handle) != registry::Success) {
            keyVal.clear();
            return false;
        }
        std::array<unsigned char, BufferSize> buffer{};
        std::uint32_t size = BufferSize;
        if (reg.queryValue(key.handle, rt::toAnsi(subKeyRef), &type, buffer.data(), &size) !=
            registry::Success) {
            keyVal.clear();
            return false;
        }
        if (size == 0 || size > BufferSize)
            rt::raise(rt::InvalidProcedureCall); // no byte to look at; the key closes first
        const std::uint32_t n = buffer[size - 1] == 0 ? size - 1 : size;
        kept.assign(buffer.begin(), buffer.begin() + n);
    }

    switch (type) {
    case registry::TypeString:
        keyVal = rt::fromAnsi(
            std::string_view(reinterpret_cast<const char *>(kept.data()), kept.size()));
        break;
    case registry::TypeDword: {
        // Last byte first: the hex digits of the little-endian number.
        static constexpr char16_t Digits[] = u"0123456789ABCDEF";
        std::u16string numeral = u"&h" + keyVal;
        for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
            numeral.push_back(Digits[*it >> 4]);
            numeral.push_back(Digits[*it & 0xF]);
        }
        keyVal = hexToDecimal(numeral);
        break;
    }
    default:
        break;
    }
    return true;
}
