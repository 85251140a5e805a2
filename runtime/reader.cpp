#include "reader.h"

#include "runtimeerror.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace rt {

Side readRadix(Reader &in, int radix)
{
    std::string digits;
    while (isDigit(in.peek(), radix)) {
        digits.push_back(static_cast<char>(in.peek()));
        in.next();
    }
    if (digits.empty())
        return {};
    std::uint64_t value = 0;
    const auto res = std::from_chars(digits.data(), digits.data() + digits.size(), value, radix);
    if (res.ec == std::errc::result_out_of_range)
        raise(Overflow);
    Side side{mpq_class(), static_cast<double>(value), true};
    side.exact.get_num().set_str(digits, radix);
    return side;
}

Side readDecimal(Reader &in)
{
    // Collected as plain ASCII for the standard library's correctly rounded conversion.
    std::string text;
    std::string significand; // every digit, leading zeros dropped
    long long fractionDigits = 0;
    long long magnitude = 0; // rough decimal exponent, to tell overflow from underflow
    bool seenNonZero = false;
    bool any = false;
    while (isDigit(in.peek(), 10)) {
        const char d = static_cast<char>(in.peek());
        if (d != '0')
            seenNonZero = true;
        if (seenNonZero) {
            text.push_back(d);
            significand.push_back(d);
            ++magnitude;
        }
        any = true;
        in.next();
    }
    if (text.empty())
        text.push_back('0');
    bool point = false;
    if (in.peek() == u'.') {
        point = true;
        in.next();
        text.push_back('.');
        while (isDigit(in.peek(), 10)) {
            const char d = static_cast<char>(in.peek());
            if (!seenNonZero) {
                if (d == '0')
                    --magnitude;
                else
                    seenNonZero = true;
            }
            if (seenNonZero)
                significand.push_back(d);
            ++fractionDigits;
            text.push_back(d);
            any = true;
            in.next();
        }
    }
    if (!any)
        return {};

    long long exponentValue = 0;
    bool withExponent = false;
    const char16_t e = in.peek();
    if (e == u'E' || e == u'e' || e == u'D' || e == u'd') {
        const auto beforeExponent = in.mark();
        in.next();
        std::string exponent = "e";
        if (in.peek() == u'+' || in.peek() == u'-') {
            if (in.peek() == u'-')
                exponent.push_back('-');
            in.next();
        }
        bool expDigits = false;
        while (isDigit(in.peek(), 10)) {
            const char d = static_cast<char>(in.peek());
            exponent.push_back(d);
            if (exponentValue < 1'000'000'000)
                exponentValue = exponentValue * 10 + (d - '0');
            expDigits = true;
            in.next();
        }
        if (expDigits) {
            withExponent = true;
            text += exponent;
            if (exponent[1] == '-')
                exponentValue = -exponentValue;
            magnitude += exponentValue;
        } else {
            exponentValue = 0;
            in.reset(beforeExponent); // "1e" reads 1
        }
    }

    Side side{mpq_class(), 0.0, true, point || withExponent};
    const auto res = std::from_chars(text.data(), text.data() + text.size(), side.value);
    if (res.ec == std::errc::result_out_of_range) {
        if (seenNonZero && magnitude > 0)
            raise(Overflow);
        side.value = 0.0; // below the smallest subnormal: exactly nothing, as the double says
    }
    if (side.value == 0.0)
        return side;
    // A double in range bounds the shift by the number of digits typed.
    mpz_class power;
    const long long shift = exponentValue - fractionDigits;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(shift < 0 ? -shift : shift));
    mpz_class &num = side.exact.get_num();
    num.set_str(significand, 10);
    if (shift < 0)
        side.exact.get_den() = power;
    else
        num *= power;
    side.exact.canonicalize();
    return side;
}

} // namespace rt
