#pragma once

#include "runtime/conversions.h"
#include "runtime/runtimeerror.h"

#include <QRandomGenerator>
#include <QString>
#include <cmath>

// A solver's answer as the window would show it, or the empty text with the runtime error that
// ended it.
template <typename Solver, typename... Numbers>
QString answerOf(Solver solver, int *error, Numbers... numbers)
{
    try {
        return QString::fromStdU16String(solver(numbers...));
    } catch (const rt::RuntimeError &e) {
        if (error)
            *error = e.number();
        return QString();
    }
}

inline double val(const QString &text)
{
    return rt::Val(text.toStdU16String());
}

// Seeded random numbers of the shapes the solver tests draw from.
class Draw
{
public:
    explicit Draw(quint32 seed) : rng(seed) {}

    double uniform(double lo, double hi) { return lo + (hi - lo) * rng.generateDouble(); }
    double sign() { return rng.bounded(2) ? 1.0 : -1.0; }
    int between(int lo, int hi) { return rng.bounded(lo, hi + 1); }
    // ±(1 to 10)·10^e with e from lo to hi.
    double wide(int lo, int hi)
    {
        return sign() * uniform(1, 10) * std::pow(10.0, between(lo, hi));
    }

    QRandomGenerator rng;
};
