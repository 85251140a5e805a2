#include "exact.h"
#include "runtimeerror.h"

#include <QRandomGenerator>
#include <QTest>
#include <cmath>
#include <functional>

namespace {

const QString Refused = QStringLiteral("ERROR! 请检查输入的坐标");
const QString NoRealRoot = QStringLiteral("△小于0，无解！");

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

QStringList factorised(QRandomGenerator &rng, int places, bool square)
{
    static const mpq_class leading[] = {1, 2, mpq_class(1, 2), 4, mpq_class(5, 2), -1, -3};
    const mpq_class a = leading[rng.bounded(7)];
    const int range = places == 1 ? 100 : 1000;
    const mpq_class r1 = decimal(rng, -range, range, places);
    const mpq_class r2 = square ? r1 : decimal(rng, -range, range, places);
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

QString randomDecimal(QRandomGenerator &rng)
{
    return QString::number(2000 * rng.generateDouble() - 1000, 'f', rng.bounded(0, 7));
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

} // namespace

Q_DECLARE_METATYPE(Family)

class tst_Solvers : public QObject
{
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
    void families_data();
    void families();
};

void tst_Solvers::answers_data()
{
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("expected"); // caption, or empty for a runtime error
    QTest::addColumn<int>("error");
    auto row = [](const char *name, const QStringList &boxes, const QString &expected) {
        QTest::newRow(name) << boxes << expected << 0;
    };
    auto fails = [](const char *name, const QStringList &boxes, int error) {
        QTest::newRow(name) << boxes << QString() << error;
    };

    row("two roots", {"1", "-3", "2"}, "X1= 1    X2= 2");
    row("double root", {"1", "2", "1"}, "X1=-1    X2=-1");
    row("no real root", {"1", "0", "1"}, NoRealRoot);
    row("linear", {"0", "2", "-4"}, "X= 2");
    row("negative a keeps the order", {"-1", "0", "4"}, "X1= 2    X2=-2");
    row("zero root", {"1", "-3", "0"}, "X1= 0    X2= 3");
    row("decimal double root", {"1", "-0.6", "0.09"}, "X1= 0.3    X2= 0.3");
    row("decimal double root, a = 4", {"4", "-1.2", "0.09"}, "X1= 0.15    X2= 0.15");
    row("decimal double root, a = 2.5", {"2.5", "-1", "0.1"}, "X1= 0.2    X2= 0.2");
    row("decimal roots", {"1", "9.9", "24.5"}, "X1=-5    X2=-4.9");
    row("quarter typed as a fraction", {"1/4", "-2", "2"},
        "X1= 1.17157287525381    X2= 6.82842712474619");
    row("small root not cancelled", {"1", "1e8", "1"}, "X1=-100000000    X2=-1E-08");
    row("full-width fractions", {"１／２", "－３", "４"}, "X1= 2    X2= 4");
    fails("0,0,5 divides by zero", {"0", "0", "5"}, rt::DivisionByZero);
    fails("0,0,0 is invalid", {"", "", ""}, rt::Overflow);
    fails("1/0 in a box", {"1/0", "2", "1"}, rt::DivisionByZero);
    fails("4ac beyond range", {"1e200", "1", "1e200"}, rt::Overflow);
    fails("root beyond range", {"1e-300", "1e10", "1"}, rt::Overflow);
    fails("linear root beyond range", {"0", "1e-300", "1e300"}, rt::Overflow);

    row("k 2, b 1", {"1", "3", "2", "5"}, "Y= 2 X  + 1");
    row("negative intercept follows the plus", {"1", "-1", "2", "1"}, "Y= 2 X  +-3");
    row("(1,0) and (4,1) lie on one line", {"1", "0", "4", "1"},
        "Y= 0.333333333333333 X  +-0.333333333333333");
    row("decimal slope", {"3", "1.9", "2.6", "2.14"}, "Y=-0.6 X  + 3.7");
    row("decimal line through the origin", {"-34.7", "-104.1", "-35.9", "-107.7"}, "Y= 3 X  + 0");
    row("fractional points", {"1/2", "1/3", "3/4", "1"}, "Y= 2.66666666666667 X  +-1");
    row("x1 = x2", {"3", "4", "3", "7"}, Refused);
    row("y1 = y2", {"1", "4", "5", "4"}, Refused);
    row("the same x typed two ways", {"1/3", "1", "0.1/0.3", "2"}, Refused);
    row("empty boxes", {"", "", "", ""}, Refused);
    fails("rise beyond range", {"0", "-1e308", "1", "1e308"}, rt::Overflow);
    fails("slope beyond range", {"0", "0", "1e-300", "1e300"}, rt::Overflow);
}

void tst_Solvers::answers()
{
    QFETCH(QStringList, boxes);
    QFETCH(QString, expected);
    QFETCH(int, error);
    const Press p = pressed(boxes);
    QCOMPARE(QString::fromStdU16String(p.caption), expected);
    QCOMPARE(p.error, error);
    QCOMPARE(check(p), std::string()); // the reference agrees
}

void tst_Solvers::families_data()
{
    QTest::addColumn<Family>("family");
    auto family = [](const char *name, Family f) { QTest::newRow(name) << f; };

    family("factorised, one-decimal roots", [](auto &rng) { return factorised(rng, 1, false); });
    family("factorised, two-decimal roots", [](auto &rng) { return factorised(rng, 2, false); });
    family("perfect squares", [](auto &rng) { return factorised(rng, 2, true); });
    family("perfect squares nudged", [](QRandomGenerator &rng) {
        QStringList boxes = factorised(rng, 1, true);
        if (!boxes[2].contains('.'))
            boxes[2] += '.';
        boxes[2] += rng.bounded(2) ? "0000001" : "9999999";
        return boxes;
    });
    family("fractional coefficients", each(3, fraction));
    family("decimals typed as text", each(3, randomDecimal));
    family("wide magnitudes", each(3, [](QRandomGenerator &rng) { return wide(rng, -160, 160); }));
    family("large b, cancellation", [](auto &rng) {
        return QStringList{wide(rng, -2, 2), wide(rng, 3, 150), wide(rng, -2, 2)};
    });
    family("lines with decimal slopes and points", [](QRandomGenerator &rng) {
        const mpq_class k = decimal(rng, -50, 50, 1), b = decimal(rng, -100, 100, 1);
        const mpq_class x1 = decimal(rng, -100, 100, 1), x2 = decimal(rng, -100, 100, 1);
        return QStringList{typed(x1), typed(k * x1 + b), typed(x2), typed(k * x2 + b)};
    });
    family("lines through fractional points", each(4, fraction));
    family("lines through decimals typed as text", each(4, randomDecimal));
    family("lines of wide magnitudes",
           each(4, [](QRandomGenerator &rng) { return wide(rng, -300, 300); }));
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
    }
}

QTEST_APPLESS_MAIN(tst_Solvers)
#include "tst_solvers.moc"
