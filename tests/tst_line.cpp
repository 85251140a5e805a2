#include "reference.h"
#include "runtime/conversions.h"
#include "runtime/runtimeerror.h"
#include "solvers/line.h"
#include "solvertest.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <cmath>

namespace {

const QString Refused = QStringLiteral("ERROR! 请检查输入的坐标");
const QString NoSolution = QStringLiteral("ERROR! 无解 您输入坐标的很可能不是同一个函数的。");

QString answer(double x1, double y1, double x2, double y2, int *error = nullptr)
{
    return answerOf(solvers::lineAnswer, error, x1, y1, x2, y2);
}

} // namespace

class tst_Line : public QObject
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
    void check(double x1, double y1, double x2, double y2);
    int m_lines = 0;
    int m_refused = 0;
};

void tst_Line::answers_data()
{
    QTest::addColumn<QStringList>("points"); // x1, y1, x2, y2 as typed
    QTest::addColumn<QString>("expected");
    auto row = [](const char *name, const QStringList &points, const QString &expected) {
        QTest::newRow(name) << points << expected;
    };

    row("k 2, b 1", {"1", "3", "2", "5"}, "Y= 2 X  + 1");
    row("k -2, b 5", {"0", "5", "2", "1"}, "Y=-2 X  + 5");
    row("negative intercept follows the plus", {"1", "-1", "2", "1"}, "Y= 2 X  +-3");
    row("(1,0) and (4,1) lie on one line", {"1", "0", "4", "1"},
        "Y= 0.333333333333333 X  +-0.333333333333333");
    row("(-1,0) and (2,1) lie on one line", {"-1", "0", "2", "1"},
        "Y= 0.333333333333333 X  + 0.333333333333333");
    row("decimal rounding leaves no intercept", {"0.1", "0.3", "0.2", "0.6"}, "Y= 3 X  + 0");
    row("decimals, intercept 0 again", {"0.1", "0.2", "0.3", "0.6"}, "Y= 2 X  + 0");
    // Exact for the binary numbers that the text reads as, not cancelled down to noise.
    row("small intercept keeps its digits", {"3", "1.0000001", "6", "2.0000001"},
        "Y= 0.333333333333333 X  + 1.00000000280431E-07");
    row("through the origin", {"-2", "-4", "3", "6"}, "Y= 2 X  + 0");
    // Found by fuzzing. The slope is below the normal range, where a double holds fewer digits.
    row("subnormal slope", {"0", "1e-220", "2e90", "0"}, "Y=-5.00000000000023E-311 X  + 1E-220");
    row("slope below the smallest double", {"0", "1e-240", "2e90", "0"}, "Y= 0 X  + 1E-240");
    row("largest terms near the top of the range", {"0", "1.7e308", "1", "1.6e308"},
        "Y=-1E+307 X  + 1.7E+308");
    row("full-width input", {"１", "３", "２", "５"}, "Y= 2 X  + 1");
    row("x1 = x2", {"3", "4", "3", "7"}, Refused);
    row("y1 = y2", {"1", "4", "5", "4"}, Refused);
    row("same point", {"2", "2", "2", "2"}, Refused);
    row("empty boxes", {"", "", "", ""}, Refused);
    row("text reads as the same number", {"a", "1", "b", "2"}, Refused);
}

void tst_Line::answers()
{
    QFETCH(QStringList, points);
    QFETCH(QString, expected);
    int error = 0;
    QCOMPARE(answer(val(points[0]), val(points[1]), val(points[2]), val(points[3]), &error),
             expected);
    QCOMPARE(error, 0);
}

void tst_Line::errors_data()
{
    QTest::addColumn<double>("x1");
    QTest::addColumn<double>("y1");
    QTest::addColumn<double>("x2");
    QTest::addColumn<double>("y2");

    QTest::newRow("rise beyond range") << 0.0 << -1e308 << 1.0 << 1e308;
    QTest::newRow("run beyond range") << -1e308 << 0.0 << 1e308 << 1.0;
    QTest::newRow("slope beyond range") << 0.0 << 0.0 << 1e-300 << 1e300;
    QTest::newRow("x1 times k beyond range") << 1e300 << 0.0 << 1e300 + 1e285 << 1e300;
}

void tst_Line::errors()
{
    QFETCH(double, x1);
    QFETCH(double, y1);
    QFETCH(double, x2);
    QFETCH(double, y2);
    int error = 0;
    QCOMPARE(answer(x1, y1, x2, y2, &error), QString());
    QCOMPARE(error, int(rt::Overflow));
}

void tst_Line::againstReference_data()
{
    QTest::addColumn<int>("family");
    QTest::newRow("small integers") << 0;
    QTest::newRow("decimals typed as text") << 1;
    QTest::newRow("wide magnitudes") << 2;
    QTest::newRow("close points far from the origin") << 3;
    QTest::newRow("lines through the origin, typed") << 4;
    QTest::newRow("near the end of the range") << 5;
}

void tst_Line::againstReference()
{
    QFETCH(int, family);
    Draw draw(104729u * static_cast<quint32>(family + 1));
    QRandomGenerator &rng = draw.rng;
    auto typed = [&](double x, int decimals) { return val(QString::number(x, 'f', decimals)); };

    const int rounds = 20000;
    m_lines = m_refused = 0;
    for (int i = 0; i < rounds; ++i) {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        switch (family) {
        case 0:
            x1 = rng.bounded(-30, 31);
            y1 = rng.bounded(-30, 31);
            x2 = rng.bounded(-30, 31);
            y2 = rng.bounded(-30, 31);
            break;
        case 1: {
            const int d = rng.bounded(0, 5);
            x1 = typed(draw.uniform(-100, 100), d);
            y1 = typed(draw.uniform(-100, 100), d);
            x2 = typed(draw.uniform(-100, 100), d);
            y2 = typed(draw.uniform(-100, 100), d);
            break;
        }
        case 2:
            x1 = draw.wide(-100, 100);
            y1 = draw.wide(-100, 100);
            x2 = draw.wide(-100, 100);
            y2 = draw.wide(-100, 100);
            break;
        case 3:
            x1 = draw.wide(0, 12);
            y1 = draw.wide(0, 12);
            x2 = x1 + draw.wide(-6, 0);
            y2 = y1 + draw.wide(-6, 0);
            break;
        case 4: {
            // Y = mX typed with a few decimals: a student expects an intercept of 0.
            const int m = rng.bounded(-9, 10);
            const int d = rng.bounded(1, 3);
            const double a = draw.uniform(-50, 50);
            const double b = draw.uniform(-50, 50);
            x1 = typed(a, d);
            x2 = typed(b, d);
            y1 = typed(m * val(QString::number(a, 'f', d)), d);
            y2 = typed(m * val(QString::number(b, 'f', d)), d);
            break;
        }
        case 5:
            x1 = draw.wide(290, 307);
            y1 = draw.wide(290, 307);
            x2 = draw.wide(290, 307);
            y2 = draw.wide(290, 307);
            break;
        }
        check(x1, y1, x2, y2);
        if (QTest::currentTestFailed())
            return;
    }
    QVERIFY2(m_lines > rounds / 4, qPrintable(QString::number(m_lines)));
    if (family == 0)
        QVERIFY(m_refused > 0);
}

void tst_Line::check(double x1, double y1, double x2, double y2)
{
    const QString where = QString("(%1, %2) (%3, %4)")
                              .arg(x1, 0, 'g', 17)
                              .arg(y1, 0, 'g', 17)
                              .arg(x2, 0, 'g', 17)
                              .arg(y2, 0, 'g', 17);
    const LineReference ref = lineReference(x1, y1, x2, y2);
    int error = 0;
    const QString shown = answer(x1, y1, x2, y2, &error);
    QVERIFY2(shown != NoSolution, qPrintable(where));

    switch (ref.kind) {
    case LineReference::Refused:
        QVERIFY2(shown == Refused, qPrintable(where + " shows " + shown));
        ++m_refused;
        return;
    case LineReference::Overflow:
        QVERIFY2(error == rt::Overflow, qPrintable(where + " shows " + shown));
        return;
    case LineReference::Line:
        break;
    }
    QVERIFY2(error == 0, qPrintable(where + " raised " + QString::number(error)));

    static const QRegularExpression form(R"(^Y=([ -]\S+) X  \+([ -]\S+)$)");
    const auto m = form.match(shown);
    QVERIFY2(m.hasMatch(), qPrintable(where + " shows " + shown));
    const double k = val(m.captured(1));
    const double b = val(m.captured(2));
    QVERIFY2(agreesTo15Digits(k, ref.k), qPrintable(where + " shows " + shown + ", k is " +
                                                    QString::number(toDouble(ref.k), 'g', 17)));
    // Within rounding of zero the intercept shows 0; otherwise it keeps its digits.
    const double zeroBand = 16 * ulpOf(ref.largestTerm);
    if (b == 0 && m.captured(2) == " 0")
        QVERIFY2(std::fabs(toDouble(ref.b)) <= zeroBand,
                 qPrintable(where + " shows " + shown + ", b is " +
                            QString::number(toDouble(ref.b), 'g', 17)));
    else
        QVERIFY2(agreesTo15Digits(b, ref.b), qPrintable(where + " shows " + shown + ", b is " +
                                                        QString::number(toDouble(ref.b), 'g', 17)));
    ++m_lines;
}

QTEST_APPLESS_MAIN(tst_Line)
#include "tst_line.moc"
