#include "solution.h"

#include "written.h"

#include <cmath>
#include <optional>

namespace solvers {
namespace {

void finish(Solution &s, Lines &lines)
{
    s.steps = lines.take();
    Graph &g = s.graph;
    bool finite = std::isfinite(g.a) && std::isfinite(g.b) && std::isfinite(g.c) &&
                  std::isfinite(g.axis.value_or(0)) && std::isfinite(g.vertical.value_or(0));
    for (const GraphPoint &p : g.points)
        finite = finite && std::isfinite(p.x) && std::isfinite(p.y);
    g.plottable = finite;
}

GraphPoint graphPoint(const mpq_class &x, const mpq_class &y, std::u16string label,
                      std::u16string shortLabel)
{
    return {rt::nearestDouble(x), rt::nearestDouble(y), std::move(label), std::move(shortLabel)};
}

Solution linearEquation(const rt::Number &b, const rt::Number &c, bool decimals)
{
    Solution s;
    Lines lines;
    const Written B = echo(b.exact, b), C = echo(c.exact, c);
    s.graph.b = b.value;
    s.graph.c = c.value;
    const std::u16string yIntercept = point(Zero, C);
    if (c.value != 0 || b.value == 0)
        s.graph.points.push_back(graphPoint(0, c.exact, yIntercept, yIntercept));
    if (b.value == 0) {
        s.answer = sgn(c.exact) != 0 ? u"方程无解" : u"任意实数都是方程的解";
        lines.add(
            {u"a = 0，b = 0，方程化为 ", C.exact ? Piece(C.text) : u"c", u" = 0，", s.answer});
        finish(s, lines);
        return s;
    }
    const mpq_class root = -c.exact / b.exact;
    const Written X = write(root, decimals);
    s.roots.push_back({root, 0});
    s.answer = cat({u"x", X.relation(), X.text});
    const bool typedExact = B.exact && C.exact;
    const std::u16string f = typedExact ? terms({{B, u"x"}, {C, u""}}) : u"bx + c";
    lines.add({u"a = 0，方程 ", f, u" = 0 是一元一次方程"});
    if (typedExact)
        lines.add({u"移项，得 ", terms({{B, u"x"}}), u" = ", echo(-c.exact, c).text});
    lines.add({s.answer});
    const std::u16string xIntercept = point(X, Zero);
    lines.add({u"一次函数 y = ", f, u" 的图像与 x 轴的交点是 ", xIntercept, u"，与 y 轴的交点是 ",
               yIntercept});
    s.graph.points.insert(s.graph.points.begin(), graphPoint(root, 0, xIntercept, u"x"));
    finish(s, lines);
    return s;
}

} // namespace

Solution quadraticSolution(const rt::Number &a, const rt::Number &b, const rt::Number &c)
{
    const bool decimals = anyDecimal({&a, &b, &c});
    if (a.value == 0)
        return linearEquation(b, c, decimals);

    Solution s;
    Lines lines;
    const Written A = echo(a.exact, a), B = echo(b.exact, b), C = echo(c.exact, c);
    const bool typedExact = A.exact && B.exact && C.exact;
    const std::u16string f =
        typedExact ? terms({{A, u"x²"}, {B, u"x"}, {C, u""}}) : u"ax² + bx + c";
    lines.add({u"解方程 ", f, u" = 0"});
    lines.add(
        {u"a", A.relation(), A.text, u"，b", B.relation(), B.text, u"，c", C.relation(), C.text});

    const mpq_class twoA = 2 * a.exact;
    const mpq_class h = -b.exact / twoA; // the axis, and the rational part of the roots
    const mpq_class d = b.exact * b.exact - 2 * twoA * c.exact;
    const Written D = write(d, decimals);
    if (typedExact)
        lines.add({u"△ = b² − 4ac = ", squared(B), u" − 4 × ", factor(A), u" × ", factor(C),
                   D.relation(), D.text});
    else
        lines.add({u"△ = b² − 4ac", D.relation(), D.text});
    const int sign = sgn(d);
    lines.add({sign > 0    ? u"△ > 0，方程有两个不相等的实数根"
               : sign == 0 ? u"△ = 0，方程有两个相等的实数根"
                           : u"△ < 0，方程没有实数根"});

    Written x[2];
    if (sign >= 0) {
        if (typedExact && D.exact)
            lines.add({u"x = (−b ± √△)/(2a) = (", echo(-b.exact, b).text, u" ± √", radicand(D),
                       u")/(2 × ", factor(A), u")"});
        else
            lines.add({u"x = (−b ± √△)/(2a)"});
        std::u16string near[2];
        if (const std::optional<mpq_class> r = rationalSqrt(d)) {
            for (const int k : {0, 1}) {
                const mpq_class root = h + (k ? *r : mpq_class(-*r)) / twoA;
                x[k] = write(root, decimals);
                s.graph.points.push_back(graphPoint(root, 0, point(x[k], Zero), u""));
                s.roots.push_back({root, 0});
            }
        } else {
            mpz_class square, n;
            splitSquares(d.get_num() * d.get_den(), square, n);
            const mpq_class q = square / (twoA * d.get_den());
            s.roots = {{h, -q, n}, {h, q, n}};
            mpfr_t approximation[2];
            mpfr_inits2(Precision, approximation[0], approximation[1],
                        static_cast<mpfr_ptr>(nullptr));
            approximateRoots(a.exact, b.exact, c.exact, d, approximation[0], approximation[1]);
            for (const int k : {0, 1}) {
                x[k] = radical(s.roots[k], approximation[k]);
                if (x[k].exact)
                    near[k] = cat({u" ≈ ", approximate(approximation[k]).text});
                s.graph.points.push_back(
                    {rt::nearestDouble(approximation[k]), 0, point(x[k], Zero), u""});
            }
            mpfr_clears(approximation[0], approximation[1], static_cast<mpfr_ptr>(nullptr));
        }
        if (sign == 0) {
            s.answer = cat({u"x₁ = x₂", x[0].relation(), x[0].text});
            lines.add({s.answer, near[0]});
            s.graph.points.clear(); // the root is the vertex
        } else {
            s.answer =
                cat({u"x₁", x[0].relation(), x[0].text, u"，x₂", x[1].relation(), x[1].text});
            lines.add({u"x₁", x[0].relation(), x[0].text, near[0], u"，x₂", x[1].relation(),
                       x[1].text, near[1]});
            s.graph.points[0].shortLabel = u"x₁";
            s.graph.points[1].shortLabel = u"x₂";
        }
    } else {
        s.answer = u"方程没有实数根";
    }

    const mpq_class k = -d / (2 * twoA);
    const Written H = write(h, decimals), K = write(k, decimals);
    const std::u16string vertex = point(H, K), yIntercept = point(Zero, C);
    const bool up = a.value > 0;
    lines.add({u"二次函数 y = ", f, u" 的图像开口向", up ? u"上" : u"下", u"，对称轴是直线 x",
               H.relation(), H.text, u"，顶点坐标是 ", vertex});
    lines.add({u"当 x", H.relation(), H.text, u" 时，y 有", up ? u"最小值 " : u"最大值 ", K.mark(),
               K.text});
    if (sign > 0)
        lines.add({u"与 y 轴的交点是 ", yIntercept, u"，与 x 轴的交点是 ", s.graph.points[0].label,
                   u" 和 ", s.graph.points[1].label});
    else if (sign == 0)
        lines.add({u"与 y 轴的交点是 ", yIntercept, u"，与 x 轴的交点是 ", point(x[0], Zero)});
    else
        lines.add({u"与 y 轴的交点是 ", yIntercept, u"，与 x 轴没有交点"});

    s.graph.a = a.value;
    s.graph.b = b.value;
    s.graph.c = c.value;
    s.graph.axis = rt::nearestDouble(h);
    s.graph.points.push_back(graphPoint(h, k, vertex, u"顶点"));
    // On the y-axis the vertex (b = 0) or a root (c = 0) is already marked.
    if (b.value != 0 && c.value != 0)
        s.graph.points.push_back(
            graphPoint(0, c.exact, yIntercept, C.text.size() <= 6 ? yIntercept : u"(0, c)"));
    finish(s, lines);
    return s;
}

Solution lineSolution(const rt::Number &x1, const rt::Number &y1, const rt::Number &x2,
                      const rt::Number &y2)
{
    Solution s;
    Lines lines;
    const bool decimals = anyDecimal({&x1, &y1, &x2, &y2});
    const Written X1 = echo(x1.exact, x1), Y1 = echo(y1.exact, y1);
    const Written X2 = echo(x2.exact, x2), Y2 = echo(y2.exact, y2);
    const std::u16string first = point(X1, Y1), second = point(X2, Y2);
    s.graph.points = {{x1.value, y1.value, first, u"A"}, {x2.value, y2.value, second, u"B"}};

    const bool sameX = x1.value == x2.value, sameY = y1.value == y2.value;
    if (sameX || sameY) {
        s.refused = true;
        s.answer = sameX ? u"两点的横坐标相同，过这两点的直线不是一次函数的图像"
                         : u"两点的纵坐标相同，过这两点的直线不是一次函数的图像";
        if (sameX && sameY) {
            lines.add({u"点 ", first, u" 和 ", second, u" 是同一个点"});
            lines.add({u"过一个点的直线有无数条，定不出一次函数的解析式"});
            s.graph.points.pop_back();
            s.graph.vertical = x1.value;
        } else if (sameX) {
            lines.add({u"点 ", first, u" 和 ", second, u" 的横坐标相同"});
            lines.add({u"过这两点的直线是 x", X1.relation(), X1.text,
                       u"，它与 x 轴垂直，不能写成 y = kx + b 的形式"});
            lines.add({u"所以过这两点的直线不是一次函数的图像"});
            s.graph.vertical = x1.value;
        } else {
            lines.add({u"点 ", first, u" 和 ", second, u" 的纵坐标相同"});
            lines.add({u"过这两点的直线是 y", Y1.relation(), Y1.text, u"，它的 k = 0"});
            lines.add({u"一次函数 y = kx + b 要求 k ≠ 0，所以过这两点的直线不是一次函数的图像"});
            s.graph.c = y1.value;
        }
        finish(s, lines);
        return s;
    }

    const mpq_class k = (y2.exact - y1.exact) / (x2.exact - x1.exact);
    const mpq_class b = y1.exact - x1.exact * k;
    const Written K = write(k, decimals), B = write(b, decimals);
    lines.add({u"设一次函数的解析式为 y = kx + b"});
    if (X1.exact && Y1.exact && X2.exact && Y2.exact)
        lines.add({u"把 ", first, u" 和 ", second, u" 代入，得 ", terms({{X1, u"k"}, {One, u"b"}}),
                   u" = ", Y1.text, u"，", terms({{X2, u"k"}, {One, u"b"}}), u" = ", Y2.text});
    else
        lines.add({u"把 ", first, u" 和 ", second, u" 代入"});
    lines.add({u"解得 k", K.relation(), K.text, u"，b", B.relation(), B.text});
    s.answer = cat({u"y", K.exact && B.exact ? u" = " : u" ≈ ", terms({{K, u"x"}, {B, u""}})});
    lines.add({u"所以 ", s.answer});
    lines.add({u"与 x 轴的交点是 ", point(write(-b / k, decimals), Zero), u"，与 y 轴的交点是 ",
               point(Zero, B)});
    lines.add({u"k", K.relation(), K.text,
               sgn(k) > 0 ? u" > 0，y 随 x 的增大而增大" : u" < 0，y 随 x 的增大而减小"});
    s.graph.b = rt::nearestDouble(k);
    s.graph.c = rt::nearestDouble(b);
    finish(s, lines);
    return s;
}

} // namespace solvers
