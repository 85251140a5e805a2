#include "reference.h"
#include "runtime/conversions.h"
#include "runtime/runtimeerror.h"
#include "solvers/quadratic.h"
#include "solvertest.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <cfloat>
#include <cmath>

namespace {

QString answer(double a, double b, double c, int *error = nullptr)
{
    return answerOf(solvers::quadraticAnswer, error, a, b, c);
}

} // namespace

class tst_Quadratic : public QObject
{
    Q_OBJECT

private slots:
    void answers_data();
    void answers();
    void errors_data();
    void errors();
    void againstReference_data();
    void againstReference();

private:
    void check(double a, double b, double c);
    int m_checked = 0;
};

void tst_Quadratic::answers_data()
{
    QTest::addColumn<QStringList>("coefficients"); // a, b, c as typed
    QTest::addColumn<QString>("expected");
    auto row = [](const char *name, const QStringList &coefficients, const QString &expected) {
        QTest::newRow(name) << coefficients << expected;
    };

    row("two roots", {"1", "-3", "2"}, "X1= 1    X2= 2");
    row("double root", {"1", "2", "1"}, "X1=-1    X2=-1");
    row("no real root", {"1", "0", "1"}, "△小于0，无解！");
    row("linear", {"0", "2", "-4"}, "X= 2");
    row("linear zero root shows no minus", {"0", "5", "0"}, "X= 0");
    row("negative a keeps the order", {"-1", "0", "4"}, "X1= 2    X2=-2");
    row("zero root", {"1", "-3", "0"}, "X1= 0    X2= 3");
    row("both roots zero", {"1", "0", "0"}, "X1= 0    X2= 0");
    row("small root not cancelled", {"1", "1e8", "1"}, "X1=-100000000    X2=-1E-08");
    row("small root, negative b", {"1", "-1e8", "1"}, "X1= 1E-08    X2= 100000000");
    row("thirds", {"3", "-1", "0"}, "X1= 0    X2= 0.333333333333333");
    row("tiny coefficients, no real root", {"1e-200", "1e-200", "1e-200"}, "△小于0，无解！");
    row("tiny coefficients, roots", {"1e-200", "-3e-200", "2e-200"}, "X1= 1    X2= 2");
    row("nearly a double root", {"1", "-2", "0.9999999999999998"},
        "X1= 0.999999985098839    X2= 1.00000001490116");
    row("full-width input", {"１", "－３", "２"}, "X1= 1    X2= 2");
    row("decimal input", {"0.5", "-1.5", "1"}, "X1= 1    X2= 2");
}

void tst_Quadratic::answers()
{
    QFETCH(QStringList, coefficients);
    QFETCH(QString, expected);
    int error = 0;
    QCOMPARE(answer(val(coefficients[0]), val(coefficients[1]), val(coefficients[2]), &error),
             expected);
    QCOMPARE(error, 0);
}

void tst_Quadratic::errors_data()
{
    QTest::addColumn<double>("a");
    QTest::addColumn<double>("b");
    QTest::addColumn<double>("c");
    QTest::addColumn<int>("error");

    QTest::newRow("0,0,5 divides by zero") << 0.0 << 0.0 << 5.0 << int(rt::DivisionByZero);
    QTest::newRow("0,0,0 is invalid") << 0.0 << 0.0 << 0.0 << int(rt::Overflow);
    QTest::newRow("4ac beyond range") << 1e200 << 1.0 << 1e200 << int(rt::Overflow);
    QTest::newRow("b squared beyond range") << 1.0 << 1e200 << 1.0 << int(rt::Overflow);
    QTest::newRow("4a beyond range") << 1e308 << 0.0 << 1e-300 << int(rt::Overflow);
    QTest::newRow("D beyond range") << -1.0 << 1.2e154 << 1.2e308 << int(rt::Overflow);
    QTest::newRow("linear root beyond range") << 0.0 << 1e-300 << 1e300 << int(rt::Overflow);
    QTest::newRow("root beyond range") << 1e-300 << 1e10 << 1.0 << int(rt::Overflow);
}

void tst_Quadratic::errors()
{
    QFETCH(double, a);
    QFETCH(double, b);
    QFETCH(double, c);
    QFETCH(int, error);
    int raised = 0;
    QCOMPARE(answer(a, b, c, &raised), QString());
    QCOMPARE(raised, error);
}

void tst_Quadratic::againstReference_data()
{
    QTest::addColumn<int>("family");
    QTest::newRow("small integers") << 0;
    QTest::newRow("decimals typed as text") << 1;
    QTest::newRow("wide magnitudes") << 2;
    QTest::newRow("near double roots") << 3;
    QTest::newRow("large b, cancellation") << 4;
    QTest::newRow("random bit patterns") << 5;
}

void tst_Quadratic::againstReference()
{
    QFETCH(int, family);
    Draw draw(7919u * static_cast<quint32>(family + 1));
    QRandomGenerator &rng = draw.rng;

    const int rounds = 20000;
    m_checked = 0;
    for (int i = 0; i < rounds; ++i) {
        double a = 0, b = 0, c = 0;
        switch (family) {
        case 0:
            a = rng.bounded(-20, 21);
            b = rng.bounded(-20, 21);
            c = rng.bounded(-20, 21);
            break;
        case 1: {
            auto typed = [&] {
                return QString::number(draw.uniform(-1000, 1000), 'f', rng.bounded(0, 7));
            };
            a = val(typed());
            b = val(typed());
            c = val(typed());
            break;
        }
        case 2:
            a = draw.wide(-150, 150);
            b = draw.wide(-150, 150);
            c = draw.wide(-150, 150);
            break;
        case 3: {
            // (X - r)² scaled by a, with c nudged by a few units in the last place.
            a = draw.wide(-20, 20);
            const double r = draw.wide(-20, 20);
            b = -2 * a * r;
            c = a * r * r;
            for (int k = rng.bounded(-3, 4); k != 0; k += k > 0 ? -1 : 1)
                c = std::nextafter(c, k > 0 ? INFINITY : -INFINITY);
            break;
        }
        case 4:
            a = draw.wide(-2, 2);
            b = draw.wide(3, 150);
            c = draw.wide(-2, 2);
            break;
        case 5: {
            auto bits = [&] {
                double x;
                do {
                    x = std::ldexp(draw.uniform(0.5, 1) * draw.sign(), rng.bounded(-1000, 1001));
                } while (!std::isfinite(x));
                return x;
            };
            a = bits();
            b = bits();
            c = bits();
            break;
        }
        }
        check(a, b, c);
        if (QTest::currentTestFailed())
            return;
    }
    QVERIFY2(m_checked > rounds / 4, qPrintable(QString::number(m_checked)));
}

void tst_Quadratic::check(double a, double b, double c)
{
    static const QRegularExpression number(R"([ -][0-9.]+(E[+-]\d+)?)");
    const QString where =
        QString("a=%1 b=%2 c=%3").arg(a, 0, 'g', 17).arg(b, 0, 'g', 17).arg(c, 0, 'g', 17);
    const QuadraticReference ref = quadraticReference(a, b, c);
    int error = 0;
    const QString shown = answer(a, b, c, &error);

    switch (ref.kind) {
    case QuadraticReference::DivideByZero:
        QVERIFY2(error == rt::DivisionByZero, qPrintable(where));
        return;
    case QuadraticReference::Invalid:
    case QuadraticReference::Overflow:
        QVERIFY2(error == rt::Overflow, qPrintable(where + " shows " + shown));
        return;
    case QuadraticReference::NoRealRoot:
        QVERIFY2(shown == "△小于0，无解！", qPrintable(where + " shows " + shown));
        return;
    case QuadraticReference::Linear:
    case QuadraticReference::TwoRoots:
        break;
    }
    QVERIFY2(error == 0, qPrintable(where + " raised " + QString::number(error)));

    const bool linear = ref.kind == QuadraticReference::Linear;
    static const QRegularExpression linearForm(R"(^X=([ -]\S+)$)");
    static const QRegularExpression twoForm(R"(^X1=([ -]\S+)    X2=([ -]\S+)$)");
    const auto m = (linear ? linearForm : twoForm).match(shown);
    QVERIFY2(m.hasMatch(), qPrintable(where + " shows " + shown));

    const __float128 roots[] = {ref.x1, ref.x2};
    for (int k = 0; k < (linear ? 1 : 2); ++k) {
        const QString piece = m.captured(k + 1);
        QVERIFY2(number.match(piece).capturedLength() == piece.size(),
                 qPrintable(where + " shows " + shown));
        // A root below the normal range has fewer digits than are shown; skip its digits.
        if (std::fabs(toDouble(roots[k])) < DBL_MIN && roots[k] != 0)
            continue;
        QVERIFY2(agreesTo15Digits(val(piece), roots[k]),
                 qPrintable(where + " shows " + shown + ", expected " +
                            QString::number(toDouble(roots[k]), 'g', 17)));
    }
    ++m_checked;
}

QTEST_APPLESS_MAIN(tst_Quadratic)
#include "tst_quadratic.moc"
