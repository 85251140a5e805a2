#include "conversions.h"
#include "runtimeerror.h"

#include <QTest>
#include <bit>
#include <cfloat>
#include <cmath>

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

// "1/2@1 -3@6" is ½ − 3√6: the terms themselves, built without the arithmetic under test.
rt::Radical terms(const QString &text)
{
    rt::Radical x;
    for (const QString &t : text.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList parts = t.split(u'@');
        mpq_class c(parts[0].toStdString());
        c.canonicalize();
        x = x + rt::Radical::surd(c, mpz_class(parts[1].toStdString()));
    }
    return x;
}

QString shown(const rt::Radical &x)
{
    QStringList list;
    for (const rt::Radical::Term &t : x.terms())
        list << QString::fromStdString(t.c.get_str() + "@" + t.n.get_str());
    return list.join(u' ');
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
    void roots_data();
    void roots();
    void denesting_data();
    void denesting();
    void division();
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

// What a student types with a square root: its exact terms, or "" where it is refused.
void tst_Conversions::roots_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *text, const char *expected) {
        QTest::newRow(text) << QString::fromUtf8(text) << QString::fromUtf8(expected);
    };
    row("−2√3", "-2@3");
    row("√3/3", "1/3@3");
    row("2√3/3", "2/3@3");
    row("4/√3", "4/3@3");
    row("1/2√3", "1/2@3");
    row("sqrt(12)", "2@3");
    row("SQRT(1/3)", "1/3@3");
    row("２根号３", "2@3");
    row("√0.75", "1/2@3");
    row("2 × √3", "2@3");
    row("−(√2 + 8)", "-8@1 -1@2");
    row("2(√3 + 1)", "2@1 2@3");
    row("(1 + √3)/2", "1/2@1 1/2@3");
    row("√2 × √6", "2@3");
    row("√2√3", "1@6");
    row("1/(√3 − √2)", "1@2 1@3");
    row("√(4)", "2@1");
    row("√", "");
    row("2√", "");
    row("√-3", "");
    row("√(1 − 2)", "");
    row("√(√2)", "");
    row("(1 + √3", "");
    row("√2x", "");
    row("√2 +", "");
    row("five radicands", "");
    row("radicand beyond 10¹² unsplit", "");
    row("deep brackets", "");
}

void tst_Conversions::roots()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    const QString tag = QString::fromUtf8(QTest::currentDataTag());
    if (tag == u"five radicands")
        text = u"√2 + √3 + √5 + √7 + √11"_qs;
    else if (tag.startsWith(u"radicand beyond"))
        text = u"√1000000000039"_qs; // a prime
    else if (tag == u"deep brackets")
        text = QString(10000, u'(') + u"√2"_qs + QString(10000, u')');
    rt::Number n;
    try {
        n = rt::ValNumber(text.toStdU16String());
    } catch (const rt::Unreadable &) {
        QVERIFY2(expected.isEmpty(), "refused");
        return;
    }
    QVERIFY2(!expected.isEmpty(), "read");
    QCOMPARE(shown(n.field()), shown(terms(expected)));
    QCOMPARE(n.kind, n.field().isRational() ? rt::NumberKind::Integer : rt::NumberKind::Radical);
    QCOMPARE(n.value, n.field().nearest());
}

// √(m + n√r) where it lies in the field, checked by squaring in the test.
void tst_Conversions::denesting_data()
{
    QTest::addColumn<QString>("square");
    QTest::addColumn<QString>("root"); // "" where none is in the field
    QTest::newRow("5 − 2√6 = (√3 − √2)²") << "5@1 -2@6"
                                          << "-1@2 1@3";
    QTest::newRow("7 + 4√3 = (2 + √3)²") << "7@1 4@3"
                                         << "2@1 1@3";
    QTest::newRow("11 + 4√6 = (2√2 + √3)²") << "11@1 4@6"
                                            << "2@2 1@3";
    QTest::newRow("8 = (2√2)²") << "8@1"
                                << "2@2";
    QTest::newRow("6 + 3√3 = ((3√2 + √6)/2)²") << "6@1 3@3"
                                               << "3/2@2 1/2@6";
    QTest::newRow("5 + 2√6 − 4√6 over √2, √3") << "5@1 -2@6"
                                               << "-1@2 1@3";
    QTest::newRow("2 + 4√3 nests") << "2@1 4@3"
                                   << "";
    QTest::newRow("√2 + √3 nests") << "1@2 1@3"
                                   << "";
    QTest::newRow("negative") << "-1@1 1@2"
                              << "";
}

void tst_Conversions::denesting()
{
    QFETCH(QString, square);
    QFETCH(QString, root);
    const std::optional<rt::Radical> r = terms(square).sqrt();
    QCOMPARE(r ? shown(*r) : QString(), root);
}

// Rationalised denominators: x / y × y gives x back, and the signs and doubles are exact.
void tst_Conversions::division()
{
    const rt::Radical x = terms(u"1@1 1@2 1@3 1@5"_qs), y = terms(u"1@2 -1@3 1@5 1@7"_qs);
    QCOMPARE(shown(x / y * y), shown(x));
    QCOMPARE(terms(u"1@3 -1@2"_qs).sign(), 1);
    QCOMPARE(terms(u"-1@3 1@2"_qs).sign(), -1);
    // 2√3 − √12 written apart would cancel; in doubles (2√3)² is 11.999999999999998.
    QCOMPARE(terms(u"2@3"_qs).nearest(), std::sqrt(12.0));
    QCOMPARE((terms(u"2@3"_qs) * terms(u"2@3"_qs)).nearest(), 12.0);
    // √(10¹² + 2) − 10⁶ = 2/(√(10¹² + 2) + 10⁶), whose doubles do not cancel.
    const rt::Radical close = terms(u"-1000000@1 1@1000000000002"_qs);
    QCOMPARE(close.sign(), 1);
    QCOMPARE(close.nearest(), 2 / (std::sqrt(1e12 + 2) + 1e6));
}

QTEST_APPLESS_MAIN(tst_Conversions)
#include "tst_conversions.moc"
