#include "conversions.h"
#include "runtimeerror.h"

#include <QTest>
#include <bit>
#include <cfloat>

namespace {

int errorOf(auto &&f)
{
    try {
        f();
    } catch (const rt::RuntimeError &e) {
        return e.number();
    }
    return 0;
}

} // namespace

class tst_Conversions : public QObject
{
    Q_OBJECT

private slots:
    void val_data();
    void val();
    void str_data();
    void str();
    void kind_data();
    void kind();
};

void tst_Conversions::val_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::addColumn<int>("error");
    auto row = [](const char *name, const QString &text, double expected, int error = 0) {
        QTest::newRow(name) << text << expected << error;
    };
    row("exponent D, blanks inside", "1 d - 2", 0.01);
    row("hex, lower case", "&hff", 255.0);
    row("below subnormal", "-1e-400", -0.0);
    row("full-width", "－１２．５ｅ１", -125.0);
    row("ideographic point and space", "３。１　４", 3.14);
    row("fraction", "-2/3", -2.0 / 3.0);
    row("full-width slash", "３／４", 0.75);
    row("rounded once", "0.1/0.3", 1.0 / 3.0);
    // Just above the midpoint of two subnormals, where a 53-bit rounding first lands on it.
    row("subnormal quotient rounded once", "1.235164114603116361676586096773669791354e-15/1e308",
        3 * std::numeric_limits<double>::denorm_min());
    row("1e400", "1e400", 0, rt::Overflow);
    row("1/0", "1/0", 0, rt::DivisionByZero);
    row("0/0", "0/0", 0, rt::Overflow);
}

void tst_Conversions::val()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QFETCH(int, error);
    double actual = 0;
    QCOMPARE(errorOf([&] { actual = rt::Val(text.toStdU16String()); }), error);
    QVERIFY2(std::bit_cast<quint64>(actual) == std::bit_cast<quint64>(expected),
             qPrintable(QString::number(actual, 'g', 17)));
}

void tst_Conversions::str_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected"); // empty for a runtime error
    QTest::newRow("minus one") << -1.0 << "-1";
    QTest::newRow("negative zero") << -0.0 << " 0";
    QTest::newRow("third") << 1.0 / 3.0 << " 0.333333333333333";
    QTest::newRow("1e-4 plain") << 0.0001 << " 0.0001";
    QTest::newRow("1e-5 exponent") << -0.00001 << "-1E-05";
    QTest::newRow("1e14 plain") << 1e14 << " 100000000000000";
    QTest::newRow("1e15 exponent") << 1e15 << " 1E+15";
    QTest::newRow("16 digits") << 1234567890123456.0 << " 1.23456789012346E+15";
    QTest::newRow("inf") << qInf() << "";
}

void tst_Conversions::str()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    std::u16string shown;
    QCOMPARE(errorOf([&] { shown = rt::Str(value); }), expected.isEmpty() ? int(rt::Overflow) : 0);
    QCOMPARE(QString::fromStdU16String(shown), expected);
}

// How the number was typed decides how the answer writes it.
void tst_Conversions::kind_data()
{
    using K = rt::NumberKind;
    QTest::addColumn<QString>("text");
    QTest::addColumn<K>("expected");
    QTest::newRow("hex") << "&H1F" << K::Integer;
    QTest::newRow("point") << "0.5" << K::Decimal;
    QTest::newRow("exponent") << "1e3" << K::Decimal;
    QTest::newRow("fraction") << "1/4" << K::Fraction;
    QTest::newRow("slash without a number") << "2.5/x" << K::Decimal;
}

void tst_Conversions::kind()
{
    QFETCH(QString, text);
    QFETCH(rt::NumberKind, expected);
    QCOMPARE(rt::ValNumber(text.toStdU16String()).kind, expected);
}

QTEST_APPLESS_MAIN(tst_Conversions)
#include "tst_conversions.moc"
