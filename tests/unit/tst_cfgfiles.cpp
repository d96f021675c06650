#include "platform/Files.h"
#include "platform/ProgramDir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Where the Windows-style folders that Config.ini stores lie on this machine.
class TestCfgFiles : public QObject {
    Q_OBJECT
    QTemporaryDir raiz_;

private slots:
    void initTestCase() { platform::programdir::setDriveRoot(raiz_.path()); }

    void localPath_data() {
        QTest::addColumn<QString>("guardado");
        QTest::addColumn<QString>("local"); // "ROOT" stands for the drive root
        QTest::newRow("root folder") << "\\Windows\\PPVISA.ini"
                                     << "ROOT/Windows/PPVISA.ini";
        QTest::newRow("drive letter") << "C:\\Winnt\\PPVISA.ini"
                                      << "ROOT/Winnt/PPVISA.ini";
        QTest::newRow("other drive letter") << "d:\\Client\\x.ini"
                                            << "ROOT/Client/x.ini";
        QTest::newRow("empty folder: the drive's root") << "\\PPVISA.ini"
                                                        << "ROOT/PPVISA.ini";
        QTest::newRow("local folder with a trailing separator") << "/opt/console/\\PPVISA.ini"
                                                                << "/opt/console/PPVISA.ini";
        QTest::newRow("relative") << "dir\\PPVISA.ini"
                                  << "dir/PPVISA.ini";
    }
    void localPath() {
        QFETCH(QString, guardado);
        QFETCH(QString, local);
        local.replace(QStringLiteral("ROOT"), QDir(raiz_.path()).absolutePath());
        QCOMPARE(platform::files::localPath(guardado), local);
    }

    void existsAndRemoveOnlyRegularFiles() {
        const QString arquivo = raiz_.filePath(QStringLiteral("PPVISA.ini"));
        const QString pasta = raiz_.filePath(QStringLiteral("Windows"));
        QVERIFY(QDir().mkpath(pasta));
        QFile f(arquivo);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(platform::files::exists(arquivo));
        QVERIFY(!platform::files::exists(pasta));
        QVERIFY(!platform::files::remove(pasta));
        QVERIFY(QDir(pasta).exists());
        QVERIFY(platform::files::remove(arquivo));
        QVERIFY(!QFile::exists(arquivo));
        QVERIFY(!platform::files::remove(arquivo));
    }
};

QTEST_MAIN(TestCfgFiles)
#include "tst_cfgfiles.moc"
