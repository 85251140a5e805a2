#include "checking.h"
#include "conversions.h"
#include "exact.h"
#include "solution.h"

#include <QRandomGenerator>
#include <QTest>
#include <cmath>
#include <functional>

namespace {

Press pressed(const QStringList &boxes)
{
    std::vector<std::u16string> texts;
    for (const QString &box : boxes)
        texts.push_back(box.toStdU16String());
    return press(texts);
}

QString typed(const mpq_class &v)
{
    return QString::fromStdString(decimalText(v));
}

// A textbook problem: the boxes as a student types them.
using Family = std::function<QStringList(QRandomGenerator &)>;

mpq_class decimal(QRandomGenerator &rng, int lo, int hi, int places)
{
    return mpq_class(rng.bounded(lo, hi + 1), mpz_class(places == 1 ? 10 : 100));
}

QStringList factorised(QRandomGenerator &rng, bool square)
{
    static const mpq_class leading[] = {1, 2, mpq_class(1, 2), 4, mpq_class(5, 2), -1, -3};
    const mpq_class a = leading[rng.bounded(7)];
    const mpq_class r1 = decimal(rng, -1000, 1000, 2);
    const mpq_class r2 = square ? r1 : decimal(rng, -1000, 1000, 2);
    return {typed(a), typed(-a * (r1 + r2)), typed(a * r1 * r2)};
}

QString fraction(QRandomGenerator &rng)
{
    const int q = rng.bounded(1, 7);
    const int p = rng.bounded(-12, 13);
    return q == 1 ? QString::number(p) : QString("%1/%2").arg(p).arg(q);
}

QString wide(QRandomGenerator &rng, int lo, int hi)
{
    const double x = (rng.bounded(2) ? 1 : -1) * (1 + 9 * rng.generateDouble()) *
                     std::pow(10.0, rng.bounded(lo, hi + 1));
    return QString::number(x, 'g', rng.bounded(1, 18));
}

// A problem of n boxes typed each on its own.
Family each(int n, std::function<QString(QRandomGenerator &)> box)
{
    return [=](QRandomGenerator &rng) {
        QStringList boxes;
        while (boxes.size() < n)
            boxes << box(rng);
        return boxes;
    };
}

// x = p + q√n put back into ax² + bx + c: its rational part and its √n part both vanish.
bool isRoot(const mpq_class &a, const mpq_class &b, const mpq_class &c, const solvers::Surd &x)
{
    return a * (x.p * x.p + x.q * x.q * x.n) + b * x.p + c == 0 && x.q * (2 * a * x.p + b) == 0;
}

// x is p + q√n, n square-free or 1.
bool same(const solvers::Surd &x, const mpq_class &p, const mpq_class &q, const mpz_class &n)
{
    const auto rational = [](const mpq_class &p, const mpq_class &q, const mpz_class &n) {
        return n == 1 ? std::pair<mpq_class, mpq_class>(p + q, 0) : std::pair(p, q);
    };
    const auto [xp, xq] = rational(x.p, x.q, x.n);
    const auto [yp, yq] = rational(p, q, n);
    return xp == yp && sgn(xq) == sgn(yq) && xq * xq * x.n == yq * yq * n;
}

solvers::Solution solved(const QStringList &boxes)
{
    std::vector<rt::Number> n;
    for (const QString &box : boxes)
        n.push_back(rt::ValNumber(box.toStdU16String()));
    return n.size() == 3 ? solvers::quadraticSolution(n[0], n[1], n[2])
                         : solvers::lineSolution(n[0], n[1], n[2], n[3]);
}

// The working in the method named, or the steps where there is no choice.
QString working(const solvers::Solution &s, const QString &method)
{
    for (const solvers::Worked &w : s.methods)
        if (QString::fromStdU16String(std::u16string(solvers::methodName(w.method))) == method)
            return QString::fromStdU16String(w.steps);
    return method.isEmpty() ? QString::fromStdU16String(s.steps) : QString();
}

} // namespace

Q_DECLARE_METATYPE(Family)

class tst_Solvers : public QObject
{
    Q_OBJECT

private slots:
    void families_data();
    void families();
    void exactAnswers_data();
    void exactAnswers();
    void workedSolutions_data();
    void workedSolutions();
    void methods_data();
    void methods();
    void factoring_data();
    void factoring();
    void formula_data();
    void formula();
    void completingSquare_data();
    void completingSquare();
    void radicalExercises_data();
    void radicalExercises();
    void rightWorkings_data();
    void rightWorkings();
    void wrongWorkings_data();
    void wrongWorkings();
};

void tst_Solvers::families_data()
{
    QTest::addColumn<Family>("family");
    auto family = [](const char *name, Family f) { QTest::newRow(name) << f; };

    family("factorised, two-decimal roots", [](auto &rng) { return factorised(rng, false); });
    family("perfect squares", [](auto &rng) { return factorised(rng, true); });
    family("fractional coefficients", each(3, fraction));
    family("wide magnitudes", each(3, [](QRandomGenerator &rng) { return wide(rng, -160, 160); }));
    family("large b, cancellation", [](auto &rng) {
        return QStringList{wide(rng, -2, 2), wide(rng, 3, 150), wide(rng, -2, 2)};
    });
    family("lines with decimal slopes and points", [](QRandomGenerator &rng) {
        const mpq_class k = decimal(rng, -50, 50, 1), b = decimal(rng, -100, 100, 1);
        const mpq_class x1 = decimal(rng, -100, 100, 1), x2 = decimal(rng, -100, 100, 1);
        return QStringList{typed(x1), typed(k * x1 + b), typed(x2), typed(k * x2 + b)};
    });
}

void tst_Solvers::families()
{
    QFETCH(Family, family);
    QRandomGenerator rng(qHash(QTest::currentDataTag()));
    for (int i = 0; i < 20000; ++i) {
        const QStringList boxes = family(rng);
        const Press p = pressed(boxes);
        QCOMPARE(p.numbers.size(), std::size_t(boxes.size()));
        for (int k = 0; k < boxes.size(); ++k)
            QVERIFY2(p.numbers[k].exact == exactOf(boxes[k].toStdString()), qPrintable(boxes[k]));
        const std::string why = check(p);
        QVERIFY2(why.empty(), qPrintable(boxes.join(", ") + ": " + QString::fromStdString(why)));
        if (p.error || boxes.size() == 4)
            continue;
        // The exact roots are the caption's: as many, and each a root.
        const auto &n = p.numbers;
        const solvers::Solution s = solvers::quadraticSolution(n[0], n[1], n[2]);
        const std::size_t roots = p.caption.starts_with(u"X1") ? 2 : p.caption.starts_with(u"X=");
        QCOMPARE(s.roots.size(), roots);
        for (const solvers::Surd &x : s.roots)
            QVERIFY2(isRoot(n[0].exact, n[1].exact, n[2].exact, x), qPrintable(boxes.join(", ")));
    }
}

// Textbook exercises and the answers their keys print.
void tst_Solvers::exactAnswers_data()
{
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QStringList>("inSteps");
    auto row = [](const char *name, const QStringList &boxes, const QString &answer,
                  const QStringList &inSteps = {}) {
        QTest::newRow(name) << boxes << answer << inSteps;
    };

    row("x² − 4x − 7", {"1", "-4", "-7"}, "x₁ = 2 − √11，x₂ = 2 + √11",
        {"△ = b² − 4ac = (−4)² − 4 × 1 × (−7) = 44"});
    row("2x² − 4x − 1", {"2", "-4", "-1"}, "x₁ = 1 − √6/2，x₂ = 1 + √6/2");
    row("−x² + 6x + 1, a < 0 keeps the order", {"-1", "6", "1"}, "x₁ = 3 + √10，x₂ = 3 − √10",
        {"开口向下", "顶点坐标是 (3, 10)\n当 x = 3 时，y 有最大值 10"});
    row("2x² − 3x + 4", {"2", "-3", "4"}, "方程没有实数根",
        {"△ < 0，方程没有实数根", "顶点坐标是 (3/4, 23/8)", "与 x 轴没有交点"});
    row("x² − x − 4", {"1", "-1", "-4"}, "x₁ = (1 − √17)/2，x₂ = (1 + √17)/2");
    row("3x² − 1", {"3", "0", "-1"}, "x₁ = −√3/3，x₂ = √3/3");
    row("2x² − 9", {"2", "0", "-9"}, "x₁ = −3√2/2，x₂ = 3√2/2");
    row("decimals", {"1", "-0.6", "0.09"}, "x₁ = x₂ = 0.3", {"△ = 0，方程有两个相等的实数根"});
    row("a = 0", {"0", "2", "-4"}, "x = 2",
        {"a = 0，方程 2x − 4 = 0 是一元一次方程", "交点是 (2, 0)，与 y 轴的交点是 (0, −4)"});
    row("9973² beside a 12-digit prime", {"1", "0", "-99460728998905931981"},
        "x₁ = −9973√999999999989，x₂ = 9973√999999999989");
    row("sixteen odd primes in the radicand", {"1", "0", "-96407439557364826994029996844775"},
        "x₁ = −100280245065√9586934839，x₂ = 100280245065√9586934839");
    row("13-digit prime radicand", {"1", "0", "-1000000000039"},
        "x₁ ≈ −1000000.0000195，x₂ ≈ 1000000.0000195");
    row("21-digit roots", {"0.25e-20", "-2", "2e20"},
        "x₁ ≈ 1.17157287525381×10²⁰，x₂ ≈ 6.82842712474619×10²⁰");
    row("short decimal stays exact", {"0", "1", "-1.5e20"}, "x = 1.5×10²⁰");
    row("far vertex", {"1e-150", "1e150", "0"}, "x₁ = −1×10³⁰⁰，x₂ = 0",
        {"顶点坐标是 (−5×10²⁹⁹, −2.5×10⁴⁴⁹)"});
    row("line through (3, 5), (−4, −9)", {"3", "5", "-4", "-9"}, "y = 2x − 1");
    row("line through decimals", {"3", "1.9", "2.6", "2.14"}, "y = −0.6x + 3.7",
        {"k = −0.6 < 0，y 随 x 的增大而减小"});
    row("equal x", {"3", "4", "3", "7"}, "两点的横坐标相同，过这两点的直线不是一次函数的图像",
        {"过这两点的直线是 x = 3"});
    row("equal y", {"1", "5", "4", "5"}, "两点的纵坐标相同，过这两点的直线不是一次函数的图像",
        {"过这两点的直线是 y = 5", "k ≠ 0"});
}

void tst_Solvers::exactAnswers()
{
    QFETCH(QStringList, boxes);
    QFETCH(QString, answer);
    QFETCH(QStringList, inSteps);
    const solvers::Solution s = solved(boxes);
    QCOMPARE(QString::fromStdU16String(s.answer), answer);
    const QString steps = working(s, s.methods.empty() ? "" : "公式法");
    for (const QString &part : inSteps)
        QVERIFY2(steps.contains(part), qPrintable(steps));
    if (boxes.size() == 4)
        return;
    const mpq_class a = exactOf(boxes[0].toStdString()), b = exactOf(boxes[1].toStdString()),
                    c = exactOf(boxes[2].toStdString());
    for (const solvers::Surd &x : s.roots)
        QVERIFY(isRoot(a, b, c, x));
}

void tst_Solvers::workedSolutions_data()
{
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("method");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QStringList>("marked");
    QTest::newRow("¼x² − 2x + 2")
        << QStringList{"1/4", "-2", "2"} << "公式法"
        << "解方程 1/4 x² − 2x + 2 = 0（公式法）\n"
           "a = 1/4，b = −2，c = 2\n"
           "△ = b² − 4ac = (−2)² − 4 × 1/4 × 2 = 2\n"
           "△ > 0，方程有两个不相等的实数根\n"
           "x = (−b ± √△)/(2a) = (2 ± √2)/(2 × 1/4)\n"
           "x₁ = 4 − 2√2 ≈ 1.17157287525381，x₂ = 4 + 2√2 ≈ 6.82842712474619\n"
           "根与系数的关系：x₁ + x₂ = −b/a = 8，x₁x₂ = c/a = 8\n"
           "顶点式：y = 1/4 x² − 2x + 2 = 1/4 (x − 4)² − 2\n"
           "二次函数 y = 1/4 x² − 2x + 2 的图像开口向上，对称轴是直线 x = 4，顶点坐标是 (4, −2)\n"
           "当 x = 4 时，y 有最小值 −2\n"
           "与 y 轴的交点是 (0, 2)，与 x 轴的交点是 (4 − 2√2, 0) 和 (4 + 2√2, 0)"
        << QStringList{"(4 − 2√2, 0)", "(4 + 2√2, 0)", "(4, −2)", "(0, 2)"};
    QTest::newRow("x² − 8x + 1")
        << QStringList{"1", "-8", "1"} << "配方法"
        << "解方程 x² − 8x + 1 = 0（配方法）\n"
           "移项，得 x² − 8x = −1\n"
           "配方，得 x² − 8x + 4² = −1 + 4²，(x − 4)² = 15\n"
           "由此可得 x − 4 = ±√15\n"
           "x₁ = 4 − √15 ≈ 0.127016653792583，x₂ = 4 + √15 ≈ 7.87298334620742\n"
           "根与系数的关系：x₁ + x₂ = −b/a = 8，x₁x₂ = c/a = 1\n"
           "顶点式：y = x² − 8x + 1 = (x − 4)² − 15\n"
           "二次函数 y = x² − 8x + 1 的图像开口向上，对称轴是直线 x = 4，顶点坐标是 (4, −15)\n"
           "当 x = 4 时，y 有最小值 −15\n"
           "与 y 轴的交点是 (0, 1)，与 x 轴的交点是 (4 − √15, 0) 和 (4 + √15, 0)"
        << QStringList{"(4 − √15, 0)", "(4 + √15, 0)", "(4, −15)", "(0, 1)"};
    QTest::newRow("−3/2 x² + 3x")
        << QStringList{"-3/2", "3", "0"} << "因式分解法"
        << "解方程 −3/2 x² + 3x = 0（因式分解法）\n"
           "方程两边同乘 2，得 −3x² + 6x = 0\n"
           "方程两边同除以 3，得 −x² + 2x = 0\n"
           "方程两边同乘 −1，得 x² − 2x = 0\n"
           "因式分解，得 x(x − 2) = 0\n"
           "于是得 x = 0 或 x − 2 = 0\n"
           "x₁ = 2，x₂ = 0\n"
           "根与系数的关系：x₁ + x₂ = −b/a = 2，x₁x₂ = c/a = 0\n"
           "顶点式：y = −3/2 x² + 3x = −3/2 (x − 1)² + 3/2\n"
           "交点式：y = −3/2 x² + 3x = −3/2 x(x − 2)\n"
           "二次函数 y = −3/2 x² + 3x 的图像开口向下，对称轴是直线 x = 1，顶点坐标是 (1, 3/2)\n"
           "当 x = 1 时，y 有最大值 3/2\n"
           "与 y 轴的交点是 (0, 0)，与 x 轴的交点是 (2, 0) 和 (0, 0)"
        << QStringList{"(2, 0)", "(0, 0)", "(1, 3/2)"};
    QTest::newRow("4x² − 9")
        << QStringList{"4", "0", "-9"} << "直接开平方法"
        << "解方程 4x² − 9 = 0（直接开平方法）\n"
           "移项，得 4x² = 9\n"
           "x² = 9/4\n"
           "x = ±3/2\n"
           "x₁ = −3/2，x₂ = 3/2\n"
           "根与系数的关系：x₁ + x₂ = −b/a = 0，x₁x₂ = c/a = −9/4\n"
           "交点式：y = 4x² − 9 = 4(x + 3/2)(x − 3/2)\n"
           "二次函数 y = 4x² − 9 的图像开口向上，对称轴是直线 x = 0，顶点坐标是 (0, −9)\n"
           "当 x = 0 时，y 有最小值 −9\n"
           "与 y 轴的交点是 (0, −9)，与 x 轴的交点是 (−3/2, 0) 和 (3/2, 0)"
        << QStringList{"(−3/2, 0)", "(3/2, 0)", "(0, −9)"};
    QTest::newRow("x² − 4√3x + 10, formula")
        << QStringList{"1", "-4√3", "10"} << "公式法"
        << "解方程 x² − 4√3x + 10 = 0（公式法）\n"
           "a = 1，b = −4√3，c = 10\n"
           "△ = b² − 4ac = (−4√3)² − 4 × 1 × 10 = 8\n"
           "△ > 0，方程有两个不相等的实数根\n"
           "x = (−b ± √△)/(2a) = (4√3 ± √8)/(2 × 1)\n"
           "x₁ = 2√3 − √2 ≈ 2.04988805276466，x₂ = 2√3 + √2 ≈ 4.87831517751085\n"
           "根与系数的关系：x₁ + x₂ = −b/a = 4√3，x₁x₂ = c/a = 10\n"
           "顶点式：y = x² − 4√3x + 10 = (x − 2√3)² − 2\n"
           "二次函数 y = x² − 4√3x + 10 的图像开口向上，对称轴是直线 x = 2√3，顶点坐标是 (2√3, "
           "−2)\n"
           "当 x = 2√3 时，y 有最小值 −2\n"
           "与 y 轴的交点是 (0, 10)，与 x 轴的交点是 (2√3 − √2, 0) 和 (2√3 + √2, 0)"
        << QStringList{"(2√3 − √2, 0)", "(2√3 + √2, 0)", "(2√3, −2)", "(0, 10)"};
    QTest::newRow("x² − 4√3x + 10, completing the square")
        << QStringList{"1", "-4√3", "10"} << "配方法"
        << "解方程 x² − 4√3x + 10 = 0（配方法）\n"
           "移项，得 x² − 4√3x = −10\n"
           "配方，得 x² − 4√3x + (2√3)² = −10 + (2√3)²，(x − 2√3)² = 2\n"
           "由此可得 x − 2√3 = ±√2\n"
           "x₁ = 2√3 − √2 ≈ 2.04988805276466，x₂ = 2√3 + √2 ≈ 4.87831517751085\n"
           "根与系数的关系：x₁ + x₂ = −b/a = 4√3，x₁x₂ = c/a = 10\n"
           "顶点式：y = x² − 4√3x + 10 = (x − 2√3)² − 2\n"
           "二次函数 y = x² − 4√3x + 10 的图像开口向上，对称轴是直线 x = 2√3，顶点坐标是 (2√3, "
           "−2)\n"
           "当 x = 2√3 时，y 有最小值 −2\n"
           "与 y 轴的交点是 (0, 10)，与 x 轴的交点是 (2√3 − √2, 0) 和 (2√3 + √2, 0)"
        << QStringList{"(2√3 − √2, 0)", "(2√3 + √2, 0)", "(2√3, −2)", "(0, 10)"};
    QTest::newRow("√2x² − 3x + √2, factoring")
        << QStringList{"√2", "-3", "√2"} << "因式分解法"
        << "解方程 √2x² − 3x + √2 = 0（因式分解法）\n"
           "方程两边同除以 √2，得 x² − 3√2/2 x + 1 = 0\n"
           "因式分解，得 (x − √2/2)(x − √2) = 0\n"
           "于是得 x − √2/2 = 0 或 x − √2 = 0\n"
           "x₁ = √2/2 ≈ 0.707106781186548，x₂ = √2 ≈ 1.4142135623731\n"
           "根与系数的关系：x₁ + x₂ = −b/a = 3√2/2，x₁x₂ = c/a = 1\n"
           "顶点式：y = √2x² − 3x + √2 = √2(x − 3√2/4)² − √2/8\n"
           "交点式：y = √2x² − 3x + √2 = √2(x − √2/2)(x − √2)\n"
           "二次函数 y = √2x² − 3x + √2 的图像开口向上，对称轴是直线 x = 3√2/4，顶点坐标是 (3√2/4, "
           "−√2/8)\n"
           "当 x = 3√2/4 时，y 有最小值 −√2/8\n"
           "与 y 轴的交点是 (0, √2)，与 x 轴的交点是 (√2/2, 0) 和 (√2, 0)"
        << QStringList{"(√2/2, 0)", "(√2, 0)", "(3√2/4, −√2/8)", "(0, √2)"};
    QTest::newRow("line through (√3, 1), (0, −2)")
        << QStringList{"√3", "1", "0", "-2"} << ""
        << "设一次函数的解析式为 y = kx + b\n"
           "把 (√3, 1) 和 (0, −2) 代入，得 √3k + b = 1，b = −2\n"
           "解得 k = √3，b = −2\n"
           "所以 y = √3x − 2\n"
           "与 x 轴的交点是 (2√3/3, 0)，与 y 轴的交点是 (0, −2)\n"
           "k = √3 > 0，y 随 x 的增大而增大"
        << QStringList{"(√3, 1)", "(0, −2)", "(2√3/3, 0)"};
    QTest::newRow("line through (1/2, 1/3), (3/4, 1)")
        << QStringList{"1/2", "1/3", "3/4", "1"} << ""
        << "设一次函数的解析式为 y = kx + b\n"
           "把 (1/2, 1/3) 和 (3/4, 1) 代入，得 1/2 k + b = 1/3，3/4 k + b = 1\n"
           "解得 k = 8/3，b = −1\n"
           "所以 y = 8/3 x − 1\n"
           "与 x 轴的交点是 (3/8, 0)，与 y 轴的交点是 (0, −1)\n"
           "k = 8/3 > 0，y 随 x 的增大而增大"
        << QStringList{"(1/2, 1/3)", "(3/4, 1)", "(3/8, 0)", "(0, −1)"};
}

void tst_Solvers::workedSolutions()
{
    QFETCH(QStringList, boxes);
    QFETCH(QString, method);
    QFETCH(QString, steps);
    QFETCH(QStringList, marked);
    const solvers::Solution s = solved(boxes);
    QCOMPARE(working(s, method), steps);
    // Every marked point lies on the curve drawn.
    const solvers::Graph &g = s.graph;
    QStringList labels;
    for (const solvers::GraphPoint &p : g.points) {
        labels << QString::fromStdU16String(p.label);
        QVERIFY(std::fabs(g.a * p.x * p.x + g.b * p.x + g.c - p.y) < 1e-12);
    }
    QCOMPARE(labels, marked);
}

// Which methods apply, in the textbook's order; where a value is too long, 公式法 alone.
void tst_Solvers::methods_data()
{
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("methods");
    QTest::newRow("rational roots") << QStringList{"2", "-3", "1"} << "因式分解法 公式法 配方法";
    QTest::newRow("b = 0") << QStringList{"4", "0", "-9"} << "直接开平方法 因式分解法 公式法";
    QTest::newRow("b = 0, no real root") << QStringList{"4", "0", "9"} << "直接开平方法 公式法";
    QTest::newRow("roots in the coefficients' field")
        << QStringList{"1", "√2 + √3", "√6"} << "因式分解法 公式法 配方法";
    QTest::newRow("a root beyond that field") << QStringList{"1", "-4√3", "10"} << "公式法 配方法";
    QTest::newRow("b = 0, nested root") << QStringList{"2", "0", "-√3"} << "公式法";
    QTest::newRow("b = 0, radical root")
        << QStringList{"√3", "0", "-√3"} << "直接开平方法 因式分解法 公式法";
    QTest::newRow("irrational roots") << QStringList{"1", "-8", "1"} << "公式法 配方法";
    QTest::newRow("a root too long") << QStringList{"1", "0", "-1000000000039"} << "公式法";
    QTest::newRow("a = 0") << QStringList{"0", "2", "-4"} << "";
    QTest::newRow("line") << QStringList{"1", "3", "2", "5"} << "";
}

void tst_Solvers::methods()
{
    QFETCH(QStringList, boxes);
    QFETCH(QString, methods);
    QStringList names;
    for (const solvers::Worked &w : solved(boxes).methods)
        names << QString::fromStdU16String(std::u16string(solvers::methodName(w.method)));
    QCOMPARE(names.join(' '), methods);
}

// Textbook exercises, each with the answer its key prints.
void tst_Solvers::factoring_data()
{
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QList<int>>("factors"); // (k₁x + m₁)(k₂x + m₂) as k₁, m₁, k₂, m₂
    auto row = [](const char *name, const QStringList &boxes, const QList<int> &factors) {
        QTest::newRow(name) << boxes << factors;
    };
    row("x(x − 2) + x − 2 = 0", {"1", "-1", "-2"}, {1, 1, 1, -2});
    row("5x² − 2x − 1/4 = x² − 2x + 3/4", {"4", "0", "-1"}, {2, 1, 2, -1});
    row("x² + x = 0", {"1", "1", "0"}, {1, 0, 1, 1});
    row("3x² − 6x = −3", {"3", "-6", "3"}, {1, -1, 1, -1});
    row("(2x − 1)² = (x − 3)²", {"3", "2", "-8"}, {1, 2, 3, -4});
    row("0.5x² − 1.5x + 1 = 0", {"0.5", "-1.5", "1"}, {1, -1, 1, -2});
    row("−x² + 3x − 2 = 0", {"-1", "3", "-2"}, {1, -2, 1, -1});
}

void tst_Solvers::factoring()
{
    QFETCH(QStringList, boxes);
    QFETCH(QList<int>, factors);
    const solvers::Solution s = solved(boxes);
    QVERIFY(!working(s, "因式分解法").isEmpty());
    QCOMPARE(s.factors.size(), 2u);
    const solvers::LinearFactor &f = s.factors[0], &g = s.factors[1];
    QCOMPARE(QList<int>({int(f.x.get_si()), int(f.constant.get_si()), int(g.x.get_si()),
                         int(g.constant.get_si())}),
             factors);
    // Expanded, they are a multiple of the equation.
    const mpq_class p[] = {f.x * g.x, f.x * g.constant + f.constant * g.x, f.constant * g.constant};
    const mpq_class a = exactOf(boxes[0].toStdString()), b = exactOf(boxes[1].toStdString()),
                    c = exactOf(boxes[2].toStdString());
    QVERIFY(p[0] * b == p[1] * a && p[0] * c == p[2] * a);
}

// 直接开平方法 where b = 0, otherwise 公式法.
void tst_Solvers::formula_data()
{
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("p"); // the roots p ± q√n, x₁ with −; q empty for no real root
    QTest::addColumn<QString>("q");
    QTest::addColumn<QString>("n");
    auto row = [](const char *name, const QStringList &boxes, const char *p, const char *q,
                  const char *n) { QTest::newRow(name) << boxes << p << q << n; };
    row("x² − 81 = 0", {"1", "0", "-81"}, "0", "9", "1");
    row("2x² = 50", {"2", "0", "-50"}, "0", "5", "1");
    row("4x² − 1 = 0", {"4", "0", "-1"}, "0", "1/2", "1");
    row("x² = 2", {"1", "0", "-2"}, "0", "1", "2");
    row("2x² − 9 = 0", {"2", "0", "-9"}, "0", "3/2", "2");
    row("x² + 4 = 0", {"1", "0", "4"}, "0", "", "1");
    row("x² − 4x − 7 = 0", {"1", "-4", "-7"}, "2", "1", "11");
    row("5x² − 3x = x + 1", {"5", "-4", "-1"}, "2/5", "3/5", "1");
    row("x² + 17 = 8x", {"1", "-8", "17"}, "4", "", "1");
    row("x(2x − 4) = 5 − 8x", {"2", "4", "-5"}, "-1", "1/2", "14");
    row("4x² − 3x − 1 = x − 2", {"4", "-4", "1"}, "1/2", "0", "1");
    row("x² = 1000000000039", {"1", "0", "-1000000000039"}, "0", "1", "1000000000039");
}

void tst_Solvers::formula()
{
    QFETCH(QStringList, boxes);
    QFETCH(QString, p);
    QFETCH(QString, q);
    QFETCH(QString, n);
    const solvers::Solution s = solved(boxes);
    QVERIFY(!working(s, "公式法").isEmpty());
    if (boxes[1] == "0" && s.methods.size() > 1) // first 直接开平方法, where all reads exactly
        QVERIFY(s.methods.front().method == solvers::Method::SquareRoot);
    QCOMPARE(s.roots.size(), q.isEmpty() ? 0u : 2u);
    QCOMPARE(s.sum.has_value(), !q.isEmpty());
    if (q.isEmpty())
        return;
    const mpq_class P = exactOf(p.toStdString()), Q = exactOf(q.toStdString());
    const mpz_class N(n.toStdString());
    for (const int k : {0, 1})
        QVERIFY(same(s.roots[k], P, k ? Q : mpq_class(-Q), N));
    QVERIFY(*s.sum == 2 * P && *s.product == P * P - Q * Q * N);
}

void tst_Solvers::completingSquare_data()
{
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("h"); // (x − h)² = e
    QTest::addColumn<QString>("e");
    auto row = [](const char *name, const QStringList &boxes, const char *h, const char *e) {
        QTest::newRow(name) << boxes << h << e;
    };
    row("x² − 8x + 1 = 0", {"1", "-8", "1"}, "4", "15");
    row("2x² + 1 = 3x", {"2", "-3", "1"}, "3/4", "1/16");
    row("3x² − 6x + 4 = 0", {"3", "-6", "4"}, "1", "-1/3");
    row("x² + 10x + 9 = 0", {"1", "10", "9"}, "-5", "16");
    row("x² − x − 7/4 = 0", {"1", "-1", "-7/4"}, "1/2", "2");
    row("4x² − 6x − 3 = 0", {"4", "-6", "-3"}, "3/4", "21/16");
}

void tst_Solvers::completingSquare()
{
    QFETCH(QStringList, boxes);
    QFETCH(QString, h);
    QFETCH(QString, e);
    const solvers::Solution s = solved(boxes);
    QVERIFY(!working(s, "配方法").isEmpty());
    const mpq_class a = exactOf(boxes[0].toStdString());
    QVERIFY(s.h == exactOf(h.toStdString()) && -s.k / a == exactOf(e.toStdString()));
    // a(x − h)² + k expanded is the equation.
    QCOMPARE(QStringList({mpq_class(-2 * a * s.h).get_str().c_str(),
                          mpq_class(a * s.h * s.h + s.k).get_str().c_str()}),
             QStringList({boxes[1], boxes[2]}));
}

// Exercises with square roots: the roots by value, substituted into the equation exactly, and
// the caption rounded from them; where a row gives them, the exact answer as written.
void tst_Solvers::radicalExercises_data()
{
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("roots"); // x₁ (with −√△), x₂; empty for none
    QTest::addColumn<QString>("answer");    // the exact answer, where the form is checked
    const auto row = [](const char *name, const QStringList &boxes, const QStringList &roots,
                        const char *answer = "") {
        QTest::newRow(name) << boxes << roots << QString(answer);
    };
    row("exercise: x² − 2√3x + 3", {"1", "-2√3", "3"}, {"√3", "√3"}, "x₁ = x₂ = √3");
    row("exercise: x² − 4√3x + 10", {"1", "-4√3", "10"}, {"2√3 − √2", "2√3 + √2"},
        "x₁ = 2√3 − √2，x₂ = 2√3 + √2");
    row("exercise: √2x² − √3x − √2", {"√2", "-√3", "-√2"}, {"(√6 − √22)/4", "(√6 + √22)/4"},
        "x₁ = (√6 − √22)/4，x₂ = (√6 + √22)/4");
    row("exercise: x² + (√2 + √3)x + √6", {"1", "√2 + √3", "√6"}, {"−√3", "−√2"},
        "x₁ = −√3，x₂ = −√2");
    row("exercise: √2(x² − 1) = x(x − 2) + 1", {"√2 − 1", "2", "−(√2 + 1)"}, {"−3 − 2√2", "1"},
        "x₁ = −3 − 2√2，x₂ = 1");
    row("constructed: 2x² − 2√3x + 1", {"2", "−2√3", "1"}, {"(√3 − 1)/2", "(√3 + 1)/2"},
        "x₁ = (√3 − 1)/2，x₂ = (√3 + 1)/2");
    row("constructed: a < 0", {"-√2", "0", "4√2"}, {"2", "-2"}, "x₁ = 2，x₂ = −2");
    row("constructed: no real root", {"√3", "1", "√3"}, {}, "方程没有实数根");
    row("constructed: linear", {"0", "√2", "1"}, {"-√2/2"}, "x = −√2/2");
    row("constructed: sqrt(12) echoed", {"1", "-sqrt(12)", "3"}, {"√3", "√3"});
    row("constructed: two radicands", {"1", "-(√2 + √3)", "√6"}, {"√2", "√3"});
    row("constructed: nested √△", {"1", "√2", "-√3"}, {},
        "x₁ = (−√2 − √(2 + 4√3))/2，x₂ = (−√2 + √(2 + 4√3))/2");
    row("constructed: nested √△, a < 0", {"-2", "4", "√2"}, {},
        "x₁ = (4 + √(16 + 8√2))/4，x₂ = (4 − √(16 + 8√2))/4");
    row("constructed: an integer before a fraction", {"√2", "-2√2", "√2/2"},
        {"1 − √2/2", "1 + √2/2"}, "x₁ = 1 − √2/2，x₂ = 1 + √2/2");
}

void tst_Solvers::radicalExercises()
{
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, roots);
    QFETCH(QString, answer);
    std::vector<rt::Radical> n, expected;
    for (const QString &box : boxes)
        n.push_back(rt::ValNumber(box.toStdU16String()).field());
    for (const QString &root : roots) {
        const rt::Radical x = rt::ValNumber(root.toStdU16String()).field();
        QVERIFY(((n[0] * x + n[1]) * x + n[2]).isZero()); // the row's own roots are roots
        expected.push_back(x);
    }
    const Press p = pressed(boxes);
    const solvers::Solution s = solved(boxes);
    if (!answer.isEmpty())
        QCOMPARE(QString::fromStdU16String(s.answer), answer);
    if (roots.isEmpty() && answer == "方程没有实数根") {
        QCOMPARE(QString::fromStdU16String(p.caption), QString("△小于0，无解！"));
        return;
    }
    if (roots.isEmpty()) { // nested: the caption's roots make the polynomial vanish
        for (const QString &part : QString::fromStdU16String(p.caption).split("X2=")) {
            const double x = part.mid(part.indexOf('=') + 1).toDouble();
            const double a = n[0].nearest(), b = n[1].nearest(), c = n[2].nearest();
            QVERIFY(std::fabs((a * x + b) * x + c) <
                    1e-13 * (std::fabs(a * x * x) + std::fabs(b * x)));
        }
        return;
    }
    QCOMPARE(s.exact.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        QVERIFY(s.exact[i] == expected[i]);
    QString caption = "X=" + QString::fromStdU16String(rt::Str(expected[0].nearest()));
    if (expected.size() == 2)
        caption = "X1=" + caption.mid(2) +
                  "    X2=" + QString::fromStdU16String(rt::Str(expected[1].nearest()));
    QCOMPARE(QString::fromStdU16String(p.caption), caption);
}

// Workings that are right, written in many ways: never called wrong.
void tst_Solvers::rightWorkings_data()
{
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("working");
    const auto row = [](const char *name, const QStringList &boxes, const char *working) {
        QTest::newRow(name) << boxes << QString(working);
    };
    row("completing the square, with prose", {"1", "-8", "1"},
        "解：移项，得 x² − 8x = −1\n配方，得 x² − 8x + 16 = −1 + 16，(x − 4)² = 15\n"
        "由此可得 x − 4 = ±√15\n∴ x₁ = 4 − √15，x₂ = 4 + √15");
    row("formula, ASCII", {"1", "-8", "1"},
        "a=1, b=-8, c=1\nb^2-4ac = 64 - 4 = 60\nx = (8 +- sqrt(60))/2\nx1=4-√15, x2=4+√15");
    row("formula, a, b and △ for their values", {"1", "-8", "1"},
        "a = 1，b = −8，c = 1\n△ = b² − 4ac = (−8)² − 4 × 1 × 1 = 60\n"
        "x = (−b ± √△)/(2a) = (8 ± √60)/(2 × 1)\nx₁ = 4 − √15 ≈ 0.127，x₂ = 4 + √15 ≈ 7.87");
    row("factoring, 或", {"2", "-3", "1"},
        "(2x − 1)(x − 1) = 0\n2x − 1 = 0 或 x − 1 = 0\nx = 1/2 或 x = 1");
    row("multiplied through first", {"1/2", "-3/2", "1"},
        "x² − 3x + 2 = 0\na = 1，b = −3，c = 2\nx = 1, 2");
    row("both sides a common factor", {"3", "-11", "6"},
        "2(x − 3) = 3x(x − 3)\n(x − 3)(2 − 3x) = 0\nx₁ = 3，x₂ = 2/3");
    row("a square of a sum", {"48", "102", "45"},
        "49(x + 1)² = (x − 2)²\n7(x + 1) = ±(x − 2)\nx = −3/2 或 x = −5/8");
    row("double root, written once", {"1", "-4", "4"}, "(x − 2)² = 0\nx = 2");
    row("no real root", {"1", "0", "4"}, "x² = −4\n原方程无实数根");
    row("radical coefficients", {"1", "-2√3", "3"}, "(x − √3)² = 0\nx₁ = x₂ = √3");
    row("a remark passed over", {"1", "-3", "2"},
        "这道题用因式分解法\n(x − 1)(x − 2) = 0\nx = 1, x = 2");
    row("the roots one a line", {"1", "-3", "2"},
        "(x − 1)(x − 2) = 0\nx − 1 = 0\nx − 2 = 0\nx₁ = 1\nx₂ = 2");
    row("△ of the equation made simpler", {"2", "-4", "-6"},
        "x² − 2x − 3 = 0\n△ = (−2)² − 4 × 1 × (−3) = 16\nx = (2 ± 4)/2\nx₁ = −1，x₂ = 3");
    row("/2a", {"2", "-3", "1"}, "a = 2，b = −3，c = 1\nx = (−b ± √△)/2a\nx = 1 或 x = 1/2");
    row("a linear line, then a, b, c", {"1", "-4", "4"}, "x − 2 = 0\na = 1，b = −4，c = 4\nx = 2");
    row("square root, radical a", {"-√2", "0", "4√2"}, "x² = 4\nx = ±2");
    row("decimals after ≈", {"1", "-8", "1"}, "x = 4 ± √15 ≈ 7.87 或 0.127");
}

void tst_Solvers::rightWorkings()
{
    QFETCH(QStringList, boxes);
    QFETCH(QString, working);
    std::vector<rt::Radical> n;
    for (const QString &box : boxes)
        n.push_back(rt::ValNumber(box.toStdU16String()).field());
    const QString verdict = QString::fromStdU16String(
        solvers::checkWorking(n[0], n[1], n[2], working.toStdU16String()));
    QVERIFY2(verdict.startsWith("全部正确。"), qPrintable(verdict));
    // The program's own working of each method, pasted in, is right too.
    const solvers::Solution s = solved(boxes);
    for (const solvers::Worked &w : s.methods) {
        const QString own =
            QString::fromStdU16String(solvers::checkWorking(n[0], n[1], n[2], w.steps));
        QVERIFY2(!own.contains("有误"), qPrintable(own));
    }
}

// One row per mistake the chapter names: the first wrong line and the words that name it.
void tst_Solvers::wrongWorkings_data()
{
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("working");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("phrase");
    const auto row = [](const char *name, const QStringList &boxes, const char *working, int line,
                        const char *phrase) {
        QTest::newRow(name) << boxes << QString(working) << line << QString(phrase);
    };
    row("1 −b's sign", {"1", "-8", "1"}, "x = (−8 ± √60)/2", 1, "−b 的符号");
    row("2 △ with +4ac", {"1", "-8", "1"}, "a = 1，b = −8，c = 1\n△ = b² − 4ac = 64 + 4 = 68", 2,
        "△ 算错了");
    row("3 divided by 2 only", {"2", "-8", "1"}, "x = (8 ± √56)/2", 1, "分母是 2a");
    row("4 one square root", {"1", "-6", "0"}, "(x − 3)² = 9\nx − 3 = 3", 2, "取正、负两个值");
    row("4 one square root of two squares", {"48", "102", "45"},
        "49(x + 1)² = (x − 2)²\n7(x + 1) = x − 2", 2, "取正、负两个值");
    row("5 roots of x² = −4", {"1", "0", "4"}, "x² = −4\nx = ±2", 2, "△ < 0");
    row("6 coefficient not 1", {"4", "-4", "-2"}, "(1 − 2x)² = 3\n1 − 2x = ±√3\nx = 1 ± √3", 3,
        "系数化为 1");
    row("7 one side only", {"1", "-8", "1"}, "x² − 8x = −1\nx² − 8x + 16 = −1\n(x − 4)² = −1", 2,
        "两边都加上");
    row("8 signs flipped", {"1", "5", "6"}, "(x + 2)(x + 3) = 0\nx = 2, 3", 2, "每个因式");
    row("9 divided by x − 3", {"3", "-11", "6"}, "2(x − 3) = 3x(x − 3)\n2 = 3x", 2, "含 x 的式子");
    row("10 product equal to 6", {"1", "-5", "-6"}, "x(x − 5) = 6\nx = 6 或 x − 5 = 6", 2,
        "右边化为 0");
    row("11 a root left out", {"1", "-3", "2"}, "(x − 1)(x − 2) = 0\nx = 2", 2, "漏了一个根");
    row("other: not equivalent", {"1", "-8", "1"}, "x² − 8x = 1", 1, "不等价");
    row("other: wrong coefficients", {"1", "-8", "1"}, "a = 1，b = 8，c = 1", 1, "a、b、c 不对");
}

void tst_Solvers::wrongWorkings()
{
    QFETCH(QStringList, boxes);
    QFETCH(QString, working);
    QFETCH(int, line);
    QFETCH(QString, phrase);
    std::vector<rt::Radical> n;
    for (const QString &box : boxes)
        n.push_back(rt::ValNumber(box.toStdU16String()).field());
    const QString verdict = QString::fromStdU16String(
        solvers::checkWorking(n[0], n[1], n[2], working.toStdU16String()));
    QVERIFY2(verdict.startsWith(QString("第 %1 行有误。").arg(line)), qPrintable(verdict));
    QVERIFY2(verdict.contains(phrase), qPrintable(verdict));
}

QTEST_APPLESS_MAIN(tst_Solvers)
#include "tst_solvers.moc"
