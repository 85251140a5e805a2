#include "filetest.h"
#include "getkeyvalue.h"
#include "memoryregistry.h"
#include "registrycases.h"
#include "runtimeerror.h"

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

// Key paths and value names match without regard to case; the key is closed on every way out
// and opened for reading only.
void tst_Registry::getKeyValue()
{
    QFETCH(RegistryCase, c);
    MemoryRegistry reg;
    const std::string key = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
    reg.addKey(LocalMachine, key, KeyRead);
    if (c.type != Absent)
        reg.setValue(LocalMachine, key, c.name, c.type, {c.data.begin(), c.data.end()});
    std::u16string keyVal = c.before;
    int error = 0;
    bool ok = false;
    try {
        ok = GetKeyValue(reg, LocalMachine, u"software\\microsoft\\SHARED TOOLS\\msinfo",
                         QString(c.name).toLower().toStdU16String(), keyVal);
    } catch (const rt::RuntimeError &e) {
        error = e.number();
    }
    QCOMPARE(error, c.error);
    QCOMPARE(ok, c.ok);
    QCOMPARE(QString::fromStdU16String(keyVal), QString::fromStdU16String(c.text));
    QCOMPARE(reg.openHandles(), 0);
    std::u16string none = u"x";
    QVERIFY(!GetKeyValue(reg, LocalMachine, u"SOFTWARE\\Nowhere", u"PATH", none) && none.empty());
}

// Only an ordinary file that is there is found; backslashes are path separators.
void tst_Registry::fileTest()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid() && QDir(dir.path()).mkdir("folder.exe"));
    QFile file(dir.filePath("MSINFO32.EXE"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    auto found = [&](const QString &name) {
        return QString::fromStdU16String(rt::Dir((dir.path() + name).toStdU16String(), 0));
    };
    QCOMPARE(found("\\MSINFO32.EXE"), QString("MSINFO32.EXE"));
    QCOMPARE(found("\\missing.exe"), QString());
    QCOMPARE(found("\\folder.exe"), QString());
}

QTEST_APPLESS_MAIN(tst_Registry)
#include "tst_registry.moc"
