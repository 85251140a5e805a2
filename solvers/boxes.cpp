#include "boxes.h"

#include "conversions.h"
#include "runtimeerror.h"
#include "written.h"

#include <algorithm>
#include <exception>

namespace solvers {

Boxes readBoxes(std::span<const std::u16string> texts)
{
    Boxes boxes;
    std::exception_ptr error;
    std::vector<mpz_class> radicands;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        rt::Number n;
        try {
            n = rt::ValNumber(texts[i]);
        } catch (const rt::Unreadable &) {
            boxes.refused = static_cast<int>(i);
            return boxes;
        } catch (const rt::RuntimeError &) {
            if (!error)
                error = std::current_exception();
        }
        if (n.radical)
            for (const mpz_class &r : n.radical->radicands())
                if (std::find(radicands.begin(), radicands.end(), r) == radicands.end())
                    radicands.push_back(r);
        if (radicands.size() > 4) {
            boxes.refused = static_cast<int>(i);
            return boxes;
        }
        boxes.numbers.push_back(std::move(n));
    }
    if (error)
        std::rethrow_exception(error);
    return boxes;
}

Solution refusal(std::u16string_view name, std::u16string_view text)
{
    Solution s;
    s.refused = true;
    s.answer = cat({u"ERROR! 无法读出 ", name, u"：", text});
    s.steps = cat({u"无法读出 ", name});
    s.graph.plottable = false;
    s.graph.why = u"没有读出的函数，没有作图";
    return s;
}

} // namespace solvers
