#include "line.h"

#include "conversions.h"
#include "fpcheck.h"
#include "radicals.h"

namespace solvers {

std::u16string lineAnswer(const rt::Number &x1, const rt::Number &y1, const rt::Number &x2,
                          const rt::Number &y2)
{
    rt::fpReset();
    if (x1.value == x2.value || y2.value == y1.value)
        return u"ERROR! 请检查输入的坐标";

    // The double arithmetic decides which inputs are out of range.
    const double k = (y2.value - y1.value) / (x2.value - x1.value);
    rt::fpCheck(k);
    rt::fpCheck(y1.value - x1.value * k);
    rt::fpCheck(y2.value - x2.value * k);

    // Both points give the same exact intercept: two distinct points lie on one line.
    if (anyRadical({&x1, &y1, &x2, &y2})) {
        const rt::Radical slope = (y2.field() - y1.field()) / (x2.field() - x1.field());
        const rt::Radical intercept = y1.field() - x1.field() * slope;
        const std::u16string shownSlope = rt::Str(slope.nearest());
        return u"Y=" + shownSlope + u" X  +" + rt::Str(intercept.nearest());
    }
    const mpq_class slope = (y2.exact - y1.exact) / (x2.exact - x1.exact);
    const mpq_class intercept = y1.exact - x1.exact * slope;
    const std::u16string shownSlope = rt::Str(rt::nearestDouble(slope));
    return u"Y=" + shownSlope + u" X  +" + rt::Str(rt::nearestDouble(intercept));
}

} // namespace solvers
