#include "conversions.h"
#include "fpcheck.h"
#include "runtimeerror.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

using rt::Str;
using rt::Val;

namespace {

std::u16string u16(const QString &s)
{
    return s.toStdU16String();
}

QString q(const std::u16string &s)
{
    return QString::fromStdU16String(s);
}

bool sameDouble(double a, double b)
{
    return std::bit_cast<quint64>(a) == std::bit_cast<quint64>(b);
}

int errorOf(auto &&f)
{
    try {
        f();
    } catch (const rt::RuntimeError &e) {
        return e.number();
    }
    return 0;
}

// x rounded to 15 significant digits through the C library, not through the code under test.
double roundTo15(double x)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", x);
    return std::strtod(buf, nullptr);
}

} // namespace

class tst_Conversions : public QObject
{
    Q_OBJECT

private slots:
    void val_data();
    void val();
    void valErrors_data();
    void valErrors();
    void valLongDigitStrings();
    void str_data();
    void str();
    void strNotFinite_data();
    void strNotFinite();
    void roundTrip();
    void fpCheck();
};

void tst_Conversions::val_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("integer") << "12" << 12.0;
    QTest::newRow("blank between digits") << "1 2" << 12.0;
    QTest::newRow("blank after sign") << "- 3" << -3.0;
    QTest::newRow("tab and line feed") << "\t1\n5 " << 15.0;
    QTest::newRow("carriage return stops") << "1\r2" << 1.0;
    QTest::newRow("trailing letters") << "12abc" << 12.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("comma is no point") << "1,5" << 1.0;
    QTest::newRow("plus sign") << "+7" << 7.0;
    QTest::newRow("two signs") << "--7" << -0.0;
    QTest::newRow("letters only") << "abc" << 0.0;
    QTest::newRow("exponent without digits") << "1e" << 1.0;
    QTest::newRow("exponent sign without digits") << "1e+" << 1.0;
    QTest::newRow("exponent E") << "2.5E3" << 2500.0;
    QTest::newRow("exponent D") << "1.5D3" << 1500.0;
    QTest::newRow("exponent d negative") << "2d-2" << 0.02;
    QTest::newRow("exponent with blanks") << "1 e - 2" << 0.01;
    QTest::newRow("point then exponent") << "1.e2" << 100.0;
    QTest::newRow("hex") << "&H1F" << 31.0;
    QTest::newRow("hex lower case") << "&hff" << 255.0;
    QTest::newRow("hex stops at g") << "&H1G" << 1.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("octal stops at 8") << "&O8" << 0.0;
    QTest::newRow("negative hex") << "-&H10" << -16.0;
    QTest::newRow("ampersand alone") << "&12" << 0.0;
    QTest::newRow("correctly rounded tenth") << "0.1000000000000000055511151231257827" << 0.1;
    QTest::newRow("tie to even") << "9007199254740993" << 9007199254740992.0;
    QTest::newRow("just above tie") << "9007199254740993.000000000001" << 9007199254740994.0;
    QTest::newRow("largest double") << "1.7976931348623157e308" << DBL_MAX;
    QTest::newRow("smallest subnormal")
        << "4.9406564584124654e-324" << std::numeric_limits<double>::denorm_min();
    QTest::newRow("below subnormal") << "1e-400" << 0.0;
    QTest::newRow("negative below subnormal") << "-1e-400" << -0.0;
    QTest::newRow("huge negative exponent") << "5e-99999999999999999999" << 0.0;
    QTest::newRow("zero with huge exponent") << "0e99999999999" << 0.0;
    QTest::newRow("leading zeros") << "000000000000000000000012.50" << 12.5;
    QTest::newRow("full-width digits") << "１２" << 12.0;
    QTest::newRow("full-width minus") << "－３" << -3.0;
    QTest::newRow("full-width plus and stop") << "＋４．５" << 4.5;
    QTest::newRow("ideographic full stop") << "３。１４" << 3.14;
    QTest::newRow("minus sign U+2212") << "−2" << -2.0;
    QTest::newRow("ideographic space") << "1　2" << 12.0;
    QTest::newRow("full-width exponent") << "１ｅ３" << 1000.0;
    QTest::newRow("full-width letters") << "ＡＢＣ" << 0.0;
    QTest::newRow("Chinese text stops") << "3个" << 3.0;
    QTest::newRow("fraction") << "1/4" << 0.25;
    QTest::newRow("negative fraction") << "-2/3" << -2.0 / 3.0;
    QTest::newRow("negative denominator") << "1/-4" << -0.25;
    QTest::newRow("decimal over integer") << "0.5/3" << 0.5 / 3.0;
    QTest::newRow("exponent over integer") << "1e3/7" << 1000.0 / 7.0;
    QTest::newRow("hex over hex") << "&H10/&H4" << 4.0;
    QTest::newRow("full-width fraction") << "３／４" << 0.75;
    QTest::newRow("blanks join digits before a slash") << "1 2/3" << 4.0;
    QTest::newRow("slash without denominator") << "1/" << 1.0;
    QTest::newRow("slash before letters") << "1/abc" << 1.0;
    QTest::newRow("slash before a lone point") << "1/." << 1.0;
    QTest::newRow("slash before an empty hex") << "1/&H" << 1.0;
    QTest::newRow("second slash stops") << "1/2/3" << 0.5;
    QTest::newRow("vulgar fraction not read") << "½" << 0.0;
    QTest::newRow("tenth over third rounds once") << "0.1/0.3" << 1.0 / 3.0;
    QTest::newRow("quotient below subnormal") << "1e-300/1e300" << 0.0;
}

void tst_Conversions::val()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    const double actual = Val(u16(text));
    QVERIFY2(sameDouble(actual, expected), qPrintable(QString::number(actual, 'g', 17)));
}

void tst_Conversions::valErrors_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("error");
    const int overflow = rt::Overflow;
    QTest::newRow("1e400") << "1e400" << overflow;
    QTest::newRow("-1e400") << "-1e400" << overflow;
    QTest::newRow("just past the largest") << "1.8e308" << overflow;
    QTest::newRow("huge exponent") << "1e99999999999999999999" << overflow;
    QTest::newRow("400 nines") << QString(400, u'9') << overflow;
    QTest::newRow("small mantissa big exponent") << "0.0000001e316" << overflow;
    QTest::newRow("hex beyond 64 bits") << "&H" + QString(17, u'F') << overflow;
    QTest::newRow("full-width") << "１ｅ４００" << overflow;
    QTest::newRow("1/0") << "1/0" << int(rt::DivisionByZero);
    QTest::newRow("0/0") << "0/0" << overflow;
    QTest::newRow("denominator below subnormal") << "1/1e-400" << int(rt::DivisionByZero);
    QTest::newRow("side beyond range") << "1e400/1e401" << overflow;
    QTest::newRow("quotient beyond range") << "1e300/1e-300" << overflow;
}

void tst_Conversions::valErrors()
{
    QFETCH(QString, text);
    QFETCH(int, error);
    QCOMPARE(errorOf([&] { Val(u16(text)); }), error);
}

void tst_Conversions::valLongDigitStrings()
{
    // Any number of digits, still correctly rounded.
    const QString ones = "0." + QString(100000, u'3');
    QVERIFY(sameDouble(Val(u16(ones)), 1.0 / 3.0));
    const QString zeros = "1" + QString(50000, u'0') + "e-50000";
    QVERIFY(sameDouble(Val(u16(zeros)), 1.0));
    QString spaced;
    for (int i = 0; i < 10000; ++i)
        spaced += " 7";
    QVERIFY(sameDouble(Val(u16(spaced + "e-9999")), 7.7777777777777777));
}

void tst_Conversions::str_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("one") << 1.0 << " 1";
    QTest::newRow("minus one") << -1.0 << "-1";
    QTest::newRow("zero") << 0.0 << " 0";
    QTest::newRow("negative zero") << -0.0 << " 0";
    QTest::newRow("third") << 1.0 / 3.0 << " 0.333333333333333";
    QTest::newRow("two thirds") << 2.0 / 3.0 << " 0.666666666666667";
    QTest::newRow("half") << 0.5 << " 0.5";
    QTest::newRow("minus quarter") << -0.25 << "-0.25";
    QTest::newRow("tenth plus fifth") << 0.1 + 0.2 << " 0.3";
    QTest::newRow("decimal") << -123.456 << "-123.456";
    QTest::newRow("1e-4 plain") << 0.0001 << " 0.0001";
    QTest::newRow("1e-5 exponent") << 0.00001 << " 1E-05";
    QTest::newRow("1e-7") << 1e-7 << " 1E-07";
    QTest::newRow("small plain") << 0.00012345678901234567 << " 0.000123456789012346";
    QTest::newRow("1e14 plain") << 1e14 << " 100000000000000";
    QTest::newRow("15 digits") << 123456789012345.0 << " 123456789012345";
    QTest::newRow("1e15") << 1e15 << " 1E+15";
    QTest::newRow("16 digits") << 1234567890123456.0 << " 1.23456789012346E+15";
    QTest::newRow("rounds up a decade") << 999999999999999.5 << " 1E+15";
    QTest::newRow("1.5e20") << 1.5e20 << " 1.5E+20";
    QTest::newRow("negative exponent form") << -2.5e-10 << "-2.5E-10";
    QTest::newRow("three-digit exponent") << 1e100 << " 1E+100";
    QTest::newRow("largest") << DBL_MAX << " 1.79769313486232E+308";
    QTest::newRow("smallest subnormal")
        << std::numeric_limits<double>::denorm_min() << " 4.94065645841247E-324";
    QTest::newRow("trailing zeros dropped") << 12.5 << " 12.5";
    QTest::newRow("hundred") << 100.0 << " 100";
}

void tst_Conversions::str()
{
    QFETCH(double, value);
    QFETCH(QString, expected);
    QCOMPARE(q(Str(value)), expected);
}

void tst_Conversions::strNotFinite_data()
{
    QTest::addColumn<double>("value");
    QTest::newRow("inf") << std::numeric_limits<double>::infinity();
    QTest::newRow("-inf") << -std::numeric_limits<double>::infinity();
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN();
}

void tst_Conversions::strNotFinite()
{
    QFETCH(double, value);
    QCOMPARE(errorOf([&] { Str(value); }), int(rt::Overflow));
}

void tst_Conversions::roundTrip()
{
    static const QRegularExpression shape(
        R"(^[ -](0|[1-9]\d*(\.\d*[1-9])?|0\.\d*[1-9]|[1-9](\.\d*[1-9])?E[+-]\d{2,3})$)");
    QRandomGenerator rng(20261206);
    for (int i = 0; i < 200000; ++i) {
        double x;
        if (i % 2 == 0) {
            x = std::bit_cast<double>(rng.generate64());
            if (!std::isfinite(x))
                continue;
        } else {
            // Magnitudes a student meets, where plain notation is used most.
            x = (rng.generateDouble() - 0.5) * std::pow(10.0, rng.bounded(-8, 17));
        }
        const std::u16string text = Str(x);
        const QString shown = q(text);
        if (!shape.match(shown).hasMatch())
            QFAIL(qPrintable(QString("malformed Str(%1) = '%2'").arg(x, 0, 'g', 17).arg(shown)));
        QCOMPARE(text.size() <= 22, true);
        const double back = Val(text);
        const double expected = roundTo15(x);
        if (!(back == expected))
            QFAIL(qPrintable(QString("Val(Str(%1)) = %2, expected %3")
                                 .arg(x, 0, 'g', 17)
                                 .arg(back, 0, 'g', 17)
                                 .arg(expected, 0, 'g', 17)));
    }
}

void tst_Conversions::fpCheck()
{
    volatile double big = 1e300;
    volatile double zero = 0.0;
    volatile double five = 5.0;

    rt::fpReset();
    const double fine = five * 3.0;
    QCOMPARE(errorOf([&] { rt::fpCheck(fine); }), 0);

    // An overflow two operations back is still seen.
    rt::fpReset();
    const double inf = big * big;
    const double back = 1.0 / inf;
    QCOMPARE(errorOf([&] { rt::fpCheck(back); }), int(rt::Overflow));
    QCOMPARE(errorOf([&] { rt::fpCheck(back); }), 0); // the check clears what it saw

    rt::fpReset();
    const double quotient = five / zero;
    QCOMPARE(errorOf([&] { rt::fpCheck(quotient); }), int(rt::DivisionByZero));

    rt::fpReset();
    const double nan = zero / zero;
    QCOMPARE(errorOf([&] { rt::fpCheck(nan); }), int(rt::Overflow));

    // Conditions raised before a reset are forgotten.
    const double stale = big * big;
    rt::fpReset();
    QCOMPARE(errorOf([&] { rt::fpCheck(stale - stale + 1.0); }), int(rt::Overflow));
    rt::fpReset();
    QCOMPARE(errorOf([&] { rt::fpCheck(five + 1.0); }), 0);
}

QTEST_APPLESS_MAIN(tst_Conversions)
#include "tst_conversions.moc"
