#include "ansi.h"
#include "filetest.h"
#include "getkeyvalue.h"
#include "memoryregistry.h"
#include "runtimeerror.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace registry;

namespace {

const std::string KeyPath = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";

std::vector<unsigned char> bytes(const QByteArray &b)
{
    return {b.begin(), b.end()};
}

struct Read
{
    bool ok = false;
    QString text;
    int error = 0;
};

Read read(MemoryRegistry &reg, const QString &key, const QString &value, const QString &before)
{
    Read r;
    std::u16string keyVal = before.toStdU16String();
    try {
        r.ok = GetKeyValue(reg, LocalMachine, key.toStdU16String(), value.toStdU16String(), keyVal);
    } catch (const rt::RuntimeError &e) {
        r.error = e.number();
    }
    r.text = QString::fromStdU16String(keyVal);
    return r;
}

} // namespace

class tst_Registry : public QObject
{
    Q_OBJECT

private slots:
    void getKeyValue_data();
    void getKeyValue();
    void missingKeyOrValue_data();
    void missingKeyOrValue();
    void readOnlyKey();
    void fileTest();
    void ansiRoundTrip_data();
    void ansiRoundTrip();
};

void tst_Registry::getKeyValue_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("before");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("error");

    const QByteArray x1023(1023, 'x');
    const QString sx1023(1023, u'x');
    auto dword = [](quint32 v) {
        return QByteArray(reinterpret_cast<const char *>(&v), 4); // little-endian host
    };
    // clang-format off
    QTest::newRow("string with its zero") << 1 << QByteArray("abc", 4) << "" << true << "abc" << 0;
    QTest::newRow("string without zero") << 1 << QByteArray("abc", 3) << "" << true << "abc" << 0;
    QTest::newRow("two zeros keep one") << 1 << QByteArray("abc\0\0", 5) << "" << true
                                        << QString("abc") + QChar(0) << 0;
    QTest::newRow("empty string") << 1 << QByteArray("\0", 1) << "" << true << "" << 0;
    QTest::newRow("string replaces what was passed") << 1 << QByteArray("C:\\x", 5) << "old"
                                                     << true << "C:\\x" << 0;
    QTest::newRow("UTF-8 text") << 1 << QByteArray("C:\\程序\0", 10) << "" << true << "C:\\程序"
                                << 0;
    QTest::newRow("1024 bytes with zero") << 1 << x1023 + QByteArray(1, '\0') << "" << true
                                          << sx1023 << 0;
    QTest::newRow("1024 bytes without zero") << 1 << x1023 + "y" << "" << true << sx1023 + "y"
                                             << 0;
    QTest::newRow("1025 bytes do not fit") << 1 << x1023 + "yz" << "old" << false << "" << 0;
    QTest::newRow("dword 256") << 4 << dword(256) << "" << true << "256" << 0;
    QTest::newRow("dword 0") << 4 << dword(0) << "" << true << "0" << 0;
    QTest::newRow("dword 1") << 4 << dword(1) << "" << true << "1" << 0;
    QTest::newRow("dword 0x80000000 unsigned") << 4 << dword(0x80000000u) << "" << true
                                               << "2147483648" << 0;
    QTest::newRow("dword all ones") << 4 << dword(0xFFFFFFFFu) << "" << true << "4294967295" << 0;
    QTest::newRow("eight-byte dword read exactly") << 4 << QByteArray("\x01\0\0\0\0\0\0\x01", 8)
                                                   << "" << true << "72057594037927937" << 0;
    QTest::newRow("dword wider than 64 bits") << 4 << QByteArray(12, '\x11') << "" << false << ""
                                              << int(rt::Overflow);
    QTest::newRow("expandable string keeps KeyVal") << 2 << QByteArray("%SystemRoot%", 13)
                                                    << "kept" << true << "kept" << 0;
    QTest::newRow("binary keeps KeyVal") << 3 << QByteArray("\x01\x02", 2) << "" << true << ""
                                         << 0;
    QTest::newRow("string list keeps KeyVal") << 7 << QByteArray("a\0b\0\0", 5) << "k" << true
                                              << "k" << 0;
    QTest::newRow("no data raises") << 1 << QByteArray() << "before" << false << "before"
                                    << int(rt::InvalidProcedureCall);
    QTest::newRow("no data of another type raises") << 4 << QByteArray() << "" << false << ""
                                                    << int(rt::InvalidProcedureCall);
    // clang-format on
}

void tst_Registry::getKeyValue()
{
    QFETCH(int, type);
    QFETCH(QByteArray, data);
    QFETCH(QString, before);
    QFETCH(bool, ok);
    QFETCH(QString, text);
    QFETCH(int, error);

    MemoryRegistry reg;
    reg.setValue(LocalMachine, KeyPath, "PATH", static_cast<std::uint32_t>(type), bytes(data));
    // Key paths and value names are matched without regard to case.
    const Read r = read(reg, "software\\microsoft\\SHARED TOOLS\\msinfo", "path", before);
    QCOMPARE(r.error, error);
    QCOMPARE(r.ok, ok);
    QCOMPARE(r.text, text);
    QCOMPARE(reg.openHandles(), 0); // closed on every way out
    QCOMPARE(reg.lastAccessAsked(), KeyRead);
}

void tst_Registry::missingKeyOrValue_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("before");
    auto row = [](const char *name, const QString &key, const char *value, const char *before) {
        QTest::newRow(name) << key << QString(value) << QString(before);
    };
    row("missing key", "SOFTWARE\\Nowhere", "PATH", "");
    row("missing key, KeyVal not empty", "SOFTWARE\\Nowhere", "PATH", "x");
    row("missing value", QString::fromStdString(KeyPath), "NONE", "x");
    row("empty key name", "", "PATH", "x");
}

void tst_Registry::missingKeyOrValue()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, before);
    MemoryRegistry reg;
    reg.setString(LocalMachine, KeyPath, "PATH", "C:\\msinfo32.exe");
    const Read r = read(reg, key, value, before);
    QVERIFY(!r.ok);
    QCOMPARE(r.text, QString());
    QCOMPARE(r.error, 0);
    QCOMPARE(reg.openHandles(), 0);
}

void tst_Registry::readOnlyKey()
{
    // A key a standard user may only read: asking for write rights is refused.
    MemoryRegistry reg;
    reg.addKey(LocalMachine, KeyPath, KeyRead);
    reg.setString(LocalMachine, KeyPath, "PATH", "C:\\msinfo32.exe");
    Key handle = 0;
    QCOMPARE(reg.openKey(LocalMachine, KeyPath, KeyAllRightsOld, &handle), AccessDenied);
    const Read r = read(reg, QString::fromStdString(KeyPath), "PATH", "");
    QVERIFY(r.ok);
    QCOMPARE(r.text, QString("C:\\msinfo32.exe"));
}

void tst_Registry::fileTest()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath("MSINFO32.EXE"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QVERIFY(QDir(dir.path()).mkdir("folder.exe"));
    QFile hidden(dir.filePath(".hidden"));
    QVERIFY(hidden.open(QIODevice::WriteOnly));
    hidden.close();

    auto dirOf = [](const QString &p) {
        return QString::fromStdU16String(rt::Dir(p.toStdU16String(), 0));
    };
    QCOMPARE(dirOf(dir.path() + "\\MSINFO32.EXE"), QString("MSINFO32.EXE"));
    QCOMPARE(dirOf(dir.path() + "/MSINFO32.EXE"), QString("MSINFO32.EXE"));
    QCOMPARE(dirOf(dir.path() + "\\missing.exe"), QString());
    QCOMPARE(dirOf(dir.path() + "\\folder.exe"), QString()); // a folder is no file
    QCOMPARE(dirOf(dir.path() + "\\.hidden"), QString());
    QCOMPARE(dirOf(""), QString());
}

void tst_Registry::ansiRoundTrip_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("ASCII") << "C:\\Program Files\\msinfo32.exe";
    QTest::newRow("Chinese") << "系统信息";
    QTest::newRow("emoji") << "🙂x";
    QTest::newRow("embedded NUL") << QString("a") + QChar(0) + "b";
}

void tst_Registry::ansiRoundTrip()
{
    QFETCH(QString, text);
    const std::string bytes = rt::toAnsi(text.toStdU16String());
    QCOMPARE(QByteArray::fromStdString(bytes), text.toUtf8());
    QCOMPARE(QString::fromStdU16String(rt::fromAnsi(bytes)), text);
    // Bytes that do not decode become U+FFFD, and reading goes on.
    QCOMPARE(QString::fromStdU16String(rt::fromAnsi("a\xFF"
                                                    "b")),
             QString("a\uFFFDb"));
}

QTEST_APPLESS_MAIN(tst_Registry)
#include "tst_registry.moc"
