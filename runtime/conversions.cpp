#include "conversions.h"

#include "reader.h"
#include "runtimeerror.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace rt {
namespace {

Side readSide(Reader &in)
{
    bool negative = false;
    if (in.peek() == u'+' || in.peek() == u'-') {
        negative = in.peek() == u'-';
        in.next();
    }
    Side side;
    if (in.peek() == u'&') {
        const auto afterSign = in.mark();
        in.next();
        const char16_t r = in.peek();
        if (r == u'H' || r == u'h') {
            in.next();
            side = readRadix(in, 16);
        } else if (r == u'O' || r == u'o') {
            in.next();
            side = readRadix(in, 8);
        } else {
            in.reset(afterSign);
        }
    } else {
        side = readDecimal(in);
    }
    if (!std::isfinite(side.value))
        raise(Overflow);
    if (negative) {
        side.value = -side.value;
        side.exact = -side.exact;
    }
    return side;
}

// The most different radicands one equation or line may hold: its working grows as 2ⁿ.

} // namespace

Number ValNumber(std::u16string_view text)
{
    if (writesRoot(text))
        return readRoots(text);
    Reader in(text);
    Side n = readSide(in);
    NumberKind kind = n.decimal ? NumberKind::Decimal : NumberKind::Integer;
    if (n.digits && in.peek() == u'/') {
        const auto beforeSlash = in.mark();
        in.next();
        const Side d = readSide(in);
        if (!d.digits) {
            in.reset(beforeSlash); // "1/" and "1/x" read 1
        } else {
            // The division's floating-point error: 0/0 is invalid, x/0 divides by zero.
            if (sgn(d.exact) == 0)
                raise(sgn(n.exact) == 0 ? Overflow : DivisionByZero);
            n.exact /= d.exact;
            kind = NumberKind::Fraction;
            n.value = nearestDouble(n.exact);
            if (!std::isfinite(n.value))
                raise(Overflow);
            if (n.value == 0.0)
                n.exact = 0;
        }
    }
    return {std::move(n.exact), n.value, kind, std::nullopt};
}

double Val(std::u16string_view text)
{
    return ValNumber(text).value;
}

std::u16string Str(double value)
{
    if (!std::isfinite(value))
        raise(Overflow);

    // d.dddddddddddddde±XX, correctly rounded to 15 significant digits.
    std::array<char, 32> sci{};
    const auto res = std::to_chars(sci.data(), sci.data() + sci.size(), std::fabs(value),
                                   std::chars_format::scientific, 14);
    std::array<char, 16> digits{};
    int count = 0;
    const char *p = sci.data();
    for (; *p != 'e'; ++p)
        if (*p != '.')
            digits[static_cast<std::size_t>(count++)] = *p;
    int exponent = 0;
    std::from_chars(p + (p[1] == '+' ? 2 : 1), res.ptr, exponent);
    while (count > 1 && digits[static_cast<std::size_t>(count - 1)] == '0')
        --count;

    std::array<char, 32> out{};
    int n = 0;
    auto put = [&](char c) { out[static_cast<std::size_t>(n++)] = c; };
    auto putDigits = [&](int from, int to) {
        for (int i = from; i < to; ++i)
            put(digits[static_cast<std::size_t>(i)]);
    };
    put(std::signbit(value) && value != 0.0 ? '-' : ' ');
    if (count == 1 && digits[0] == '0') {
        put('0');
    } else if (exponent >= -4 && exponent <= 14) {
        if (exponent < 0) {
            put('0');
            put('.');
            for (int i = -1; i > exponent; --i)
                put('0');
            putDigits(0, count);
        } else if (count <= exponent + 1) {
            putDigits(0, count);
            for (int i = count; i <= exponent; ++i)
                put('0');
        } else {
            putDigits(0, exponent + 1);
            put('.');
            putDigits(exponent + 1, count);
        }
    } else {
        putDigits(0, 1);
        if (count > 1) {
            put('.');
            putDigits(1, count);
        }
        put('E');
        put(exponent < 0 ? '-' : '+');
        const int e = exponent < 0 ? -exponent : exponent;
        if (e >= 100)
            put(static_cast<char>('0' + e / 100));
        put(static_cast<char>('0' + e / 10 % 10));
        put(static_cast<char>('0' + e % 10));
    }
    return {out.data(), out.data() + n};
}

} // namespace rt
