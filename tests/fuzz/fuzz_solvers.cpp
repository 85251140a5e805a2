// Both solvers over arbitrary box texts, held to the exact reference.
#include "ansi.h"
#include "conversions.h"
#include "exact.h"
#include "line.h"
#include "quadratic.h"
#include "runtimeerror.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

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
    std::vector<rt::Number> n;
    try {
        for (const std::string &t : texts)
            n.push_back(rt::ValNumber(rt::fromAnsi(t)));
    } catch (const rt::RuntimeError &e) {
        if (e.number() != rt::Overflow && e.number() != rt::DivisionByZero)
            std::abort();
        return 0;
    }
    for (const bool quadratic : {true, false}) {
        std::u16string caption;
        int error = 0;
        try {
            caption = quadratic ? solvers::quadraticAnswer(n[0], n[1], n[2])
                                : solvers::lineAnswer(n[0], n[1], n[2], n[3]);
        } catch (const rt::RuntimeError &e) {
            error = e.number();
        }
        const std::string why = quadratic ? checkQuadratic(n[0], n[1], n[2], caption, error)
                                          : checkLine(n[0], n[1], n[2], n[3], caption, error);
        if (!why.empty()) {
            std::fprintf(stderr, "%s: %s\n", quadratic ? "quadratic" : "line", why.c_str());
            std::abort();
        }
    }
    return 0;
}
