#include "graphticks.h"

#include "written.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace graph {
namespace {

constexpr char16_t Minus = u'\u2212';

QString superscript(int n)
{
    return QString::fromStdU16String(solvers::superscript(n));
}

QString withoutTrailingZeros(QString digits)
{
    if (digits.contains(u'.')) {
        while (digits.endsWith(u'0'))
            digits.chop(1);
        if (digits.endsWith(u'.'))
            digits.chop(1);
    }
    return digits;
}

} // namespace

// Round steps of 1, 2 or 5 × 10ⁿ.
double roundStepAtLeast(double raw)
{
    const double unit = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0})
        if (m * unit >= raw * (1 - 1e-9))
            return m * unit;
    return 10 * unit;
}

double nextRoundStep(double step)
{
    return roundStepAtLeast(step * 1.5);
}

// The ticks of one axis at the multiples of step, written plainly while that stays short and
// as m×10ⁿ otherwise.
std::vector<Tick> ticksOf(const Span &span, double step)
{
    std::vector<Tick> ticks;
    const double first = std::ceil(span.lo / step);
    const double last = std::floor(span.hi / step);
    if (!(last - first < 200))
        return ticks;
    const int stepExponent = static_cast<int>(std::floor(std::log10(step) + 1e-9));
    // Plain while short: small and middling values, and large ones read to a fine step
    // ("1000000.5"); large round values and tiny steps as m×10ⁿ.
    const double largest = std::max(std::fabs(span.lo), std::fabs(span.hi));
    const int digits =
        static_cast<int>(std::floor(std::log10(largest))) + 1 + std::max(0, -stepExponent);
    const bool plain = stepExponent >= -4 && (largest < 1e5 || (stepExponent <= 1 && digits <= 10));
    for (double n = first; n <= last; ++n) {
        const double value = n * step;
        const double size = std::fabs(value);
        QString text;
        if (n == 0) {
            text = QStringLiteral("0");
        } else if (plain) {
            text = withoutTrailingZeros(QString::number(size, 'f', std::max(0, -stepExponent)));
        } else {
            int exponent = static_cast<int>(std::floor(std::log10(size)));
            const auto mantissa = [&] {
                return withoutTrailingZeros(QString::number(size / std::pow(10.0, exponent), 'f',
                                                            std::max(0, exponent - stepExponent)));
            };
            QString digits = mantissa();
            if (digits.startsWith(u"10")) {
                ++exponent;
                digits = mantissa();
            }
            text = digits + QStringLiteral("×10") + superscript(exponent);
        }
        if (value < 0)
            text.prepend(Minus);
        ticks.push_back({value, text});
    }
    return ticks;
}

// Three significant digits, plain between 10⁻⁴ and 10⁶; a value below a billionth of the range
// shown is a rounding error of zero.
QString roughly(double v, double range)
{
    if (std::fabs(v) <= range * 1e-9)
        return QStringLiteral("0");
    // "1.23e+06": the rounded mantissa, then the exponent, which rounding may have raised.
    const QStringList parts = QString::number(std::fabs(v), 'e', 2).split(u'e');
    const int exponent = parts[1].toInt();
    const QString text =
        exponent >= -4 && exponent < 6
            ? withoutTrailingZeros(
                  QString::number(parts.join(u'e').toDouble(), 'f', std::max(0, 2 - exponent)))
            : withoutTrailingZeros(parts[0]) + QStringLiteral("×10") + superscript(exponent);
    return v < 0 ? Minus + text : text;
}

} // namespace graph
