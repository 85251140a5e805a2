#include "filetest.h"
#include "memoryregistry.h"
#include "registrycases.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace registry;

Q_DECLARE_METATYPE(RegistryCase)

class tst_Registry : public QObject
{
    Q_OBJECT

private slots:
    void getKeyValue_data();
    void getKeyValue();
    void fileTest();
};

void tst_Registry::getKeyValue_data()
{
    QTest::addColumn<RegistryCase>("c");
    for (const RegistryCase &c : registryCases())
        QTest::newRow(c.name) << c;
}

// Key paths and value names match without regard to case; the key is opened for reading only
// and closed on every way out.
void tst_Registry::getKeyValue()
{
    QFETCH(RegistryCase, c);
    MemoryRegistry reg;
    reg.granted = KeyRead;
    const std::string key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    if (c.type != Absent)
        reg.setValue(key, c.name, c.type, c.data);
    const Reading r = readValue(reg, u"software\\microsoft\\SHARED TOOLS\\msinfo",
                                QString(c.name).toLower().toStdU16String(), c.before);
    QCOMPARE(r.error, c.expected.error);
    QCOMPARE(r.ok, c.expected.ok);
    QCOMPARE(QString::fromStdU16String(r.text), QString::fromStdU16String(c.expected.text));
    QCOMPARE(reg.openHandles(), 0);
    QVERIFY(readValue(reg, u"SOFTWARE\\Nowhere", u"PATH", u"x") == (Reading{false, u"", 0}));
}

// Only an ordinary file that is there is found; backslashes are path separators.
void tst_Registry::fileTest()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("folder.exe"));
    QVERIFY(QFile(dir.filePath("MSINFO32.EXE")).open(QIODevice::WriteOnly));
    auto found = [&](const char *name) {
        return QString::fromStdU16String(rt::Dir((dir.path() + name).toStdU16String(), 0));
    };
    QCOMPARE(found("\\MSINFO32.EXE"), QString("MSINFO32.EXE"));
    QCOMPARE(found("\\missing.exe") + found("\\folder.exe"), QString());
}

QTEST_APPLESS_MAIN(tst_Registry)
#include "tst_registry.moc"
