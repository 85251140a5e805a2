// Both solvers over arbitrary box texts: a caption of one of the expected forms whose numbers
// agree with the quad-precision reference, or a runtime error where the reference expects one.
#include "../reference.h"
#include "runtime/ansi.h"
#include "runtime/conversions.h"
#include "runtime/runtimeerror.h"
#include "solvers/line.h"
#include "solvers/quadratic.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

[[noreturn]] void fail(const char *why)
{
    std::fprintf(stderr, "%s\n", why);
    std::abort();
}

// A number as Str writes it, never "-0", "inf" or "nan"; returns its value.
double number(const std::u16string &piece)
{
    if (piece.size() < 2 || (piece[0] != u' ' && piece[0] != u'-') || piece == u"-0")
        fail("malformed number");
    for (std::size_t i = 1; i < piece.size(); ++i) {
        const char16_t c = piece[i];
        if (!((c >= u'0' && c <= u'9') || c == u'.' || c == u'E' || c == u'+' || c == u'-'))
            fail("malformed number");
    }
    return rt::Val(piece);
}

bool startsWith(const std::u16string &s, const std::u16string &prefix)
{
    return s.compare(0, prefix.size(), prefix) == 0;
}

bool nearTheEdge(__float128 x)
{
    // Beyond the top, or below the normal range where a double holds fewer digits.
    const double d = std::fabs(toDouble(x));
    return d > DBL_MAX * 0.999999 || (x != 0 && d < DBL_MIN);
}

void quadratic(double a, double b, double c)
{
    const QuadraticReference ref = quadraticReference(a, b, c);
    std::u16string caption;
    int error = 0;
    try {
        caption = solvers::quadraticAnswer(a, b, c);
    } catch (const rt::RuntimeError &e) {
        error = e.number();
    }
    switch (ref.kind) {
    case QuadraticReference::DivideByZero:
        if (error != rt::DivisionByZero)
            fail("quadratic: expected division by zero");
        return;
    case QuadraticReference::Invalid:
    case QuadraticReference::Overflow:
        if (error != rt::Overflow && !ref.nearEdge)
            fail("quadratic: expected overflow");
        return;
    case QuadraticReference::NoRealRoot:
        if (caption != u"△小于0，无解！")
            fail("quadratic: expected no real root");
        return;
    default:
        break;
    }
    if (error != 0) {
        if (!ref.nearEdge)
            fail("quadratic: unexpected error");
        return;
    }
    if (ref.kind == QuadraticReference::Linear) {
        if (!startsWith(caption, u"X="))
            fail("quadratic: malformed linear caption");
        const double x = number(caption.substr(2));
        if (!nearTheEdge(ref.x1) && !agreesTo15Digits(x, ref.x1))
            fail("quadratic: wrong linear root");
        return;
    }
    const auto sep = caption.find(u"    X2=");
    if (!startsWith(caption, u"X1=") || sep == std::u16string::npos)
        fail("quadratic: malformed caption");
    const double x1 = number(caption.substr(3, sep - 3));
    const double x2 = number(caption.substr(sep + 7));
    if ((!nearTheEdge(ref.x1) && !agreesTo15Digits(x1, ref.x1)) ||
        (!nearTheEdge(ref.x2) && !agreesTo15Digits(x2, ref.x2)))
        fail("quadratic: wrong root");
}

void line(double x1, double y1, double x2, double y2)
{
    const LineReference ref = lineReference(x1, y1, x2, y2);
    std::u16string caption;
    int error = 0;
    try {
        caption = solvers::lineAnswer(x1, y1, x2, y2);
    } catch (const rt::RuntimeError &e) {
        error = e.number();
    }
    if (caption == u"ERROR! 无解 您输入坐标的很可能不是同一个函数的。")
        fail("line: no solution for two finite points");
    if (ref.kind == LineReference::Refused) {
        if (caption != u"ERROR! 请检查输入的坐标")
            fail("line: expected refusal");
        return;
    }
    if (ref.kind == LineReference::Overflow || error != 0) {
        if ((ref.kind == LineReference::Overflow) != (error == rt::Overflow) && !ref.nearEdge)
            fail("line: overflow mismatch");
        return;
    }
    const auto sep = caption.find(u" X  +");
    if (!startsWith(caption, u"Y=") || sep == std::u16string::npos)
        fail("line: malformed caption");
    const double k = number(caption.substr(2, sep - 2));
    const std::u16string bText = caption.substr(sep + 5);
    const double b = number(bText);
    if (!nearTheEdge(ref.k) && !agreesTo15Digits(k, ref.k))
        fail("line: wrong slope");
    if (bText == u" 0") {
        if (std::fabs(toDouble(ref.b)) > 16 * ulpOf(ref.largestTerm))
            fail("line: intercept shown as 0");
    } else if (!nearTheEdge(ref.b) && !agreesTo15Digits(b, ref.b)) {
        fail("line: wrong intercept");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Box texts in UTF-8, separated by NUL bytes.
    std::vector<std::string> texts(1);
    for (std::size_t i = 0; i < size && texts.size() <= 4; ++i) {
        if (data[i] == 0)
            texts.emplace_back();
        else
            texts.back().push_back(static_cast<char>(data[i]));
    }
    texts.resize(4);
    std::vector<std::u16string> boxes;
    for (const std::string &t : texts)
        boxes.push_back(rt::fromAnsi(t));
    std::vector<double> v;
    try {
        for (const auto &box : boxes)
            v.push_back(rt::Val(box));
    } catch (const rt::RuntimeError &e) {
        if (e.number() != rt::Overflow)
            fail("Val: unexpected error");
        return 0;
    }
    quadratic(v[0], v[1], v[2]);
    line(v[0], v[1], v[2], v[3]);
    return 0;
}
