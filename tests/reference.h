#pragma once

// Roots of aX²+bX+c=0 for double coefficients in quad precision: the textbook formula, then
// polished by Newton's method on the polynomial itself.
struct QuadraticReference
{
    enum Kind { Linear, NoRealRoot, TwoRoots, DivideByZero, Invalid, Overflow } kind;
    __float128 x1 = 0;     // -sqrt(D) (or the single root of the linear case)
    __float128 x2 = 0;     // +sqrt(D)
    bool nearEdge = false; // a checked value within rounding of the end of the double range
};

QuadraticReference quadraticReference(double a, double b, double c);

// True when the shown value agrees with the exact one to 15 significant digits, allowing one
// unit in the last digit.
bool agreesTo15Digits(double shown, __float128 exact);

double toDouble(__float128 x);

// The line through two points of double coordinates, in quad precision.
struct LineReference
{
    enum Kind { Refused, Line, Overflow } kind;
    __float128 k = 0;
    __float128 b = 0;
    __float128 largestTerm = 0; // max(|y1|, |y2|, |x1·k|, |x2·k|)
    bool nearEdge = false;      // a checked value within rounding of the end of the double range
};

LineReference lineReference(double x1, double y1, double x2, double y2);

// One unit in the last place of a double near x.
double ulpOf(__float128 x);
