#pragma once

// Registry values and what GetKeyValue makes of them, on every backend: the in-memory registry
// on every platform, Wine's real registry in the Windows build. Each is stored under its name.
#include "getkeyvalue.h"
#include "runtimeerror.h"

#include <cstdint>
#include <string>
#include <vector>

// What GetKeyValue made of a value: its answer, KeyVal after, the runtime error raised or 0.
struct Reading
{
    bool ok;
    std::u16string text;
    int error;
    bool operator==(const Reading &) const = default;
};

inline Reading readValue(registry::Registry &reg, std::u16string key, std::u16string name,
                         std::u16string before)
{
    Reading r{false, std::move(before), 0};
    try {
        r.ok = GetKeyValue(reg, registry::LocalMachine, std::move(key), std::move(name), r.text);
    } catch (const rt::RuntimeError &e) {
        r.error = e.number();
    }
    return r;
}

struct RegistryCase
{
    const char *name;
    std::uint32_t type; // Absent: no such value
    std::string data;
    std::u16string before; // KeyVal as passed
    Reading expected;
};

inline constexpr std::uint32_t Absent = 0xFFFFFFFF;

inline std::vector<RegistryCase> registryCases()
{
    using namespace std::string_literals;
    const std::string x1023(1023, 'x');
    return {
        {"Terminated", 1, "abc\0"s, u"", {true, u"abc", 0}},
        {"Unterminated", 1, "abc", u"", {true, u"abc", 0}},
        {"TwoZeros", 1, "abc\0\0"s, u"", {true, u"abc\0"s, 0}},
        {"Replaces", 1, "C:\\x\0"s, u"old", {true, u"C:\\x", 0}},
        {"Long1024", 1, x1023 + '\0', u"", {true, std::u16string(1023, u'x'), 0}},
        {"Long1025", 1, x1023 + "yz", u"old", {false, u"", 0}},
        {"Dword256", 4, "\x00\x01\x00\x00"s, u"", {true, u"256", 0}},
        {"DwordHigh", 4, "\x00\x00\x00\x80"s, u"", {true, u"2147483648", 0}},
        {"EightBytes", 4, "\x01\0\0\0\0\0\0\x01"s, u"", {true, u"72057594037927937", 0}},
        {"TwelveBytes", 4, std::string(12, '\x11'), u"", {false, u"", 6}},
        {"Expand", 2, "%SystemRoot%\0"s, u"kept", {true, u"kept", 0}},
        {"NoData", 1, "", u"before", {false, u"before", 5}},
        {"Missing", Absent, "", u"x", {false, u"", 0}},
    };
}
