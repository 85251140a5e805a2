#pragma once

// The chapter's common mistakes, each with its rule and its words: a wrong line is held against
// each before it is called merely wrong.
#include "rootsets.h"
#include "studentline.h"

#include <string>
#include <vector>

namespace solvers {

// A wrong line and what it is compared with.
struct Slip
{
    const rt::Radical &a, &b, &c;               // the equation
    const RootSet &answer;                      // its real roots
    const RootSet &before;                      // the last equation line's roots
    const std::vector<Equation> &lastEquations; // that line's equations
    bool ownLines;                              // the student wrote that line
    const StudentLine &line;                    // the wrong line
    const RootSet &now;                         // the roots it gives
};

// What is wrong: the first mistake whose rule reproduces the line, in the textbook's words, or
// what is wrong in general; for an equation line, then a number that shows it.
std::u16string whatIsWrong(const Slip &slip);

std::u16string valueText(const rt::Radical &x);
std::u16string rootsText(const RootSet &set); // "x₁ = 4 − √15，x₂ = 4 + √15"

} // namespace solvers
