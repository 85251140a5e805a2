// Both solvers over arbitrary box texts, held to the exact reference; the exact answer for every
// numbers read, which must neither raise nor crash.
#include "ansi.h"
#include "exact.h"
#include "solution.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Box texts in UTF-8, separated by NUL bytes: the first three, then all four.
    std::vector<std::string> texts(1);
    for (std::size_t i = 0; i < size && texts.size() <= 4; ++i) {
        if (data[i] == 0)
            texts.emplace_back();
        else
            texts.back().push_back(static_cast<char>(data[i]));
    }
    texts.resize(4);
    std::vector<std::u16string> boxes;
    for (const std::string &text : texts)
        boxes.push_back(rt::fromAnsi(text));
    for (const std::ptrdiff_t n : {3, 4}) {
        const Press p = press({boxes.begin(), boxes.begin() + n});
        const std::string why = check(p);
        if (!why.empty()) {
            std::fprintf(stderr, "%td boxes: %s\n", n, why.c_str());
            std::abort();
        }
        const auto &x = p.numbers;
        if (p.read)
            (void)(n == 3 ? solvers::quadraticSolution(x[0], x[1], x[2])
                          : solvers::lineSolution(x[0], x[1], x[2], x[3]));
    }
    return 0;
}
