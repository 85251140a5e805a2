#include "linetext.h"

#include <algorithm>
#include <cctype>

namespace solvers {
namespace {

bool ideograph(char16_t c)
{
    return c >= 0x4E00 && c <= 0x9FFF;
}

} // namespace

std::u16string normalised(std::u16string_view line)
{
    std::u16string s;
    for (std::size_t i = 0; i < line.size(); ++i) {
        char16_t c = line[i];
        if (c >= 0xFF01 && c <= 0xFF5E)
            c = static_cast<char16_t>(c - 0xFEE0);
        const auto next = [&](char16_t n) { return i + 1 < line.size() && line[i + 1] == n; };
        switch (c) {
        case u' ':
        case u'\t':
        case 0x3000:
            continue;
        case 0x2212:
        case 0x2013:
            s += u'-';
            continue;
        case 0x00D7:
        case 0x00B7:
        case 0x22C5:
        case 0x2219:
            s += u'*';
            continue;
        case 0x00F7:
            s += u'/';
            continue;
        case 0x00B2:
            s += u"^2";
            continue;
        case 0x0394:
        case 0x2206:
            s += u'△';
            continue;
        case 0x2081:
            s += u"_1";
            continue;
        case 0x2082:
            s += u"_2";
            continue;
        case 0x3001:
            s += u',';
            continue;
        case 0x3002:
            s += u'.';
            continue;
        case u'X':
            s += u'x';
            continue;
        case u'根':
            if (next(u'号')) {
                s += u'√';
                ++i;
                continue;
            }
            break;
        case u'+':
            if (next(u'-')) {
                s += u'±';
                ++i;
                continue;
            }
            if (next(u'/') && i + 2 < line.size() && line[i + 2] == u'-') {
                s += u'±';
                i += 2;
                continue;
            }
            break;
        default:
            break;
        }
        if ((c == u's' || c == u'S') && i + 3 < line.size()) {
            std::u16string word(line.substr(i, 4));
            for (char16_t &w : word)
                w = static_cast<char16_t>(w | 0x20);
            if (word == u"sqrt") {
                s += u'√';
                i += 3;
                continue;
            }
        }
        s += c;
    }
    return s;
}

namespace {

bool startsMath(char16_t c)
{
    return std::u16string_view(u"x△abc0123456789(-+√±.").find(c) != std::u16string_view::npos;
}

bool isProse(char16_t c)
{
    return ideograph(c) && c != u'或';
}

} // namespace

std::u16string mathOf(const std::u16string &s)
{
    std::size_t start = 0;
    for (;;) {
        while (start < s.size() && (isProse(s[start]) || !startsMath(s[start])))
            ++start;
        std::size_t end = start;
        while (end < s.size() && !isProse(s[end]) &&
               !(s[end] == u'(' && end + 1 < s.size() && isProse(s[end + 1])))
            ++end;
        if (start >= s.size())
            return {};
        const std::u16string run = s.substr(start, end - start);
        if (run.find(u'=') == std::u16string::npos) {
            start = std::max(end, start + 1);
            continue;
        }
        for (std::size_t i = end; i < s.size(); ++i)
            if (s[i] == u'=' || (s[i] >= u'0' && s[i] <= u'9') ||
                (s[i] < 0x80 && std::isalpha(static_cast<unsigned char>(s[i]))))
                return {};
        std::u16string m;
        for (std::size_t i = 0; i < run.size(); ++i) {
            if (run[i] == u'≈') {
                // "≈ 7.87 或 0.127" is all approximation; "≈ 1 或 x = 2" names a root again.
                const std::size_t comma = std::min(run.find(u',', i), run.size());
                const bool more = run.find(u'=', i) < comma;
                while (i + 1 < run.size() && run[i + 1] != u',' && (!more || run[i + 1] != u'或'))
                    ++i;
                continue;
            }
            if (run[i] != u'…')
                m += run[i];
        }
        while (!m.empty() &&
               std::u16string_view(u",.:;").find(m.back()) != std::u16string_view::npos)
            m.pop_back();
        return m;
    }
}

std::vector<std::u16string> split(const std::u16string &s, std::u16string_view at)
{
    std::vector<std::u16string> parts(1);
    for (const char16_t c : s) {
        if (at.find(c) != std::u16string_view::npos)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

} // namespace solvers
