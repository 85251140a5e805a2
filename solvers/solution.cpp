#include "solution.h"

#include "fieldsolution.h"
#include "methods.h"
#include "radicals.h"
#include "written.h"

#include <cmath>
#include <optional>

namespace solvers {
namespace {

void finish(Solution &s, std::u16string steps)
{
    s.steps = std::move(steps);
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
        finish(s, lines.take());
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
    finish(s, lines.take());
    return s;
}

Solution rationalQuadratic(const rt::Number &a, const rt::Number &b, const rt::Number &c)
{
    const Quadratic q(a, b, c);
    Solution s;
    s.roots = q.roots;
    s.h = q.h;
    s.k = q.k;
    if (q.sign >= 0) {
        s.sum = -b.exact / a.exact;
        s.product = c.exact / a.exact;
    }
    const Written(&x)[2] = q.x;
    if (q.sign > 0) {
        s.answer = cat({u"x₁", x[0].relation(), x[0].text, u"，x₂", x[1].relation(), x[1].text});
        for (const int i : {0, 1})
            s.graph.points.push_back({q.at[i], 0, point(x[i], Zero), i ? u"x₂" : u"x₁"});
    } else {
        // A double root is the vertex.
        s.answer = q.sign == 0 ? cat({u"x₁ = x₂", x[0].relation(), x[0].text}) : u"方程没有实数根";
    }
    s.graph.a = a.value;
    s.graph.b = b.value;
    s.graph.c = c.value;
    s.graph.axis = rt::nearestDouble(q.h);
    s.graph.points.push_back(graphPoint(q.h, q.k, point(q.H, q.K), u"顶点"));
    // On the y-axis the vertex (b = 0) or a root (c = 0) is already marked.
    if (b.value != 0 && c.value != 0) {
        const std::u16string yIntercept = point(Zero, q.C);
        s.graph.points.push_back(
            graphPoint(0, c.exact, yIntercept, q.C.text.size() <= 6 ? yIntercept : u"(0, c)"));
    }
    const std::vector<Method> methods = methodsFor(q);
    s.methods = workings(q, methods);
    if (q.rootOfD)
        s.factors = q.factors;
    finish(s, s.methods.front().steps);
    return s;
}

} // namespace

Solution quadraticSolution(const rt::Number &a, const rt::Number &b, const rt::Number &c)
{
    if (a.value == 0)
        return anyRadical({&a, &b, &c}) ? fieldQuadratic(a, b, c)
                                        : linearEquation(b, c, anyDecimal({&a, &b, &c}));
    Solution s = anyRadical({&a, &b, &c}) ? fieldQuadratic(a, b, c) : rationalQuadratic(a, b, c);
    s.coefficients = {a.field(), b.field(), c.field()};
    return s;
}

Solution lineSolution(const rt::Number &x1, const rt::Number &y1, const rt::Number &x2,
                      const rt::Number &y2)
{
    Solution s;
    Lines lines;
    const bool decimals = anyDecimal({&x1, &y1, &x2, &y2});
    const Written X1 = typed(x1), Y1 = typed(y1), X2 = typed(x2), Y2 = typed(y2);
    const std::u16string first = point(X1, Y1), second = point(X2, Y2);
    s.graph.points = {{x1.value, y1.value, first, u"A"}, {x2.value, y2.value, second, u"B"}};

    const bool sameX = x1.value == x2.value, sameY = y1.value == y2.value;
    if (!sameX && !sameY && anyRadical({&x1, &y1, &x2, &y2}))
        return fieldLine(x1, y1, x2, y2);
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
        finish(s, lines.take());
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
    const mpq_class root = -b / k;
    const Written X = write(root, decimals);
    const std::u16string xIntercept = point(X, Zero), yIntercept = point(Zero, B);
    lines.add({u"与 x 轴的交点是 ", xIntercept, u"，与 y 轴的交点是 ", yIntercept});
    // Beside A and B, unless one of them is the intercept; with b = 0 both are the origin.
    const auto given = [&](const mpq_class &x, const mpq_class &y) {
        return (x == x1.exact && y == y1.exact) || (x == x2.exact && y == y2.exact);
    };
    if (!given(root, 0))
        s.graph.points.push_back(
            graphPoint(root, 0, xIntercept, X.text.size() <= 6 ? xIntercept : u"(−b/k, 0)"));
    if (sgn(b) != 0 && !given(0, b))
        s.graph.points.push_back(
            graphPoint(0, b, yIntercept, B.text.size() <= 6 ? yIntercept : u"(0, b)"));
    lines.add({u"k", K.relation(), K.text,
               sgn(k) > 0 ? u" > 0，y 随 x 的增大而增大" : u" < 0，y 随 x 的增大而减小"});
    s.graph.b = rt::nearestDouble(k);
    s.graph.c = rt::nearestDouble(b);
    finish(s, lines.take());
    return s;
}

} // namespace solvers
