// Loading the payment client library and living with one that lacks functions.

#include "nucleo/Simulador.h"

#include <QDir>
#include <QRegularExpression>

class TestLibrary : public QObject {
    Q_OBJECT
private slots:
    void loadsEveryFunctionOfTheSimulator();
    void reportsWhyALibraryCannotBeLoaded();
    void namesMissingFunctionsAndNeverCallsThem();
    void choosesTheLibraryToLoad();
    void messageAndInputBoxesGoThroughTheFacade();
};

void TestLibrary::loadsEveryFunctionOfTheSimulator() {
    harness::Simulator sim;
    QVERIFY(sim.ok());
    QCOMPARE(sim.library().missingFunctions(), QStringList());
    QCOMPARE(sim.library().ConfiguraIntKavexInterativo("host", "1", "2", 0), 0);
    QCOMPARE(sim.calls("ConfiguraIntKavexInterativo").size(), size_t(1));
}

void TestLibrary::reportsWhyALibraryCannotBeLoaded() {
    QString error;
    QVERIFY(!LoadedLibrary::load(QStringLiteral("/nonexistent/libnada.so"), error));
    QVERIFY(error.contains(QStringLiteral("libnada.so")));
    QTemporaryDir dir;
    const QString notALibrary = dir.filePath(QStringLiteral("lixo.so"));
    harness::writeFile(notALibrary, "not an ELF file");
    error.clear();
    QVERIFY(!LoadedLibrary::load(notALibrary, error));
    QVERIFY(!error.isEmpty());
}

void TestLibrary::namesMissingFunctionsAndNeverCallsThem() {
    QString error;
    auto lib = LoadedLibrary::load(QStringLiteral(KAVEX_PARTIAL_PATH), error);
    QVERIFY2(lib, qPrintable(error));
    const QStringList missing = lib->missingFunctions();
    QCOMPARE(missing.size(), 25);
    QVERIFY(!missing.contains(QStringLiteral("ConfiguraIntKavexInterativo")));
    QVERIFY(missing.contains(QStringLiteral("EnviaRecebeKavexDireto")));
    QCOMPARE(lib->ConfiguraIntKavexInterativo("", "", "", 1), 78);

    const QString path = QDir::toNativeSeparators(QStringLiteral(KAVEX_PARTIAL_PATH));
    QStringList reported;
    lib->setMissingReporter([&reported](const QString& message) { reported << message; });
    QCOMPARE(lib->IniciaFuncaoKavexInterativo(2, "1,00", "1", "20260101", "000000", "Opx", "[]"), kFuncaoAusente);
    int16_t tipo = 5;
    QCOMPARE(lib->ValidaCampoCodigoEmBarras("123", &tipo), static_cast<int16_t>(kFuncaoAusente));
    QCOMPARE(tipo, int16_t(5));
    QCOMPARE(reported,
             QStringList({QStringLiteral("A função IniciaFuncaoKavexInterativo não existe na biblioteca %1; ela "
                                         "não foi chamada.")
                              .arg(path),
                          QStringLiteral("A função ValidaCampoCodigoEmBarras não existe na biblioteca %1; ela não "
                                         "foi chamada.")
                              .arg(path)}));
}

void TestLibrary::choosesTheLibraryToLoad() {
    const QByteArray saved = qgetenv("KAVEX_LIBRARY");
    qputenv("KAVEX_LIBRARY", "/from/environment.so");
    QCOMPARE(chooseLibraryPath(QStringLiteral("/from/option.so"), QStringLiteral("/exe")),
             QStringLiteral("/from/option.so"));
    QCOMPARE(chooseLibraryPath(QString(), QStringLiteral("/exe")), QStringLiteral("/from/environment.so"));
    qputenv("KAVEX_LIBRARY", QByteArray());
    QCOMPARE(chooseLibraryPath(QString(), QStringLiteral("/exe")), QStringLiteral("/exe/libkavexsim.so"));

    // Installed: bin/TesteCliKavex and lib/testeclikavex/libkavexsim.so.
    QTemporaryDir prefixo;
    QVERIFY(QDir(prefixo.path()).mkpath(QStringLiteral("bin")));
    QVERIFY(QDir(prefixo.path()).mkpath(QStringLiteral("lib/testeclikavex")));
    const QString bin = prefixo.filePath(QStringLiteral("bin"));
    QCOMPARE(chooseLibraryPath(QString(), bin), bin + QStringLiteral("/libkavexsim.so"));
    const QString instalada = prefixo.filePath(QStringLiteral("lib/testeclikavex/libkavexsim.so"));
    QVERIFY(QFile(instalada).open(QIODevice::WriteOnly));
    QCOMPARE(chooseLibraryPath(QString(), bin), instalada);
    const QString aoLado = bin + QStringLiteral("/libkavexsim.so");
    QVERIFY(QFile(aoLado).open(QIODevice::WriteOnly));
    QCOMPARE(chooseLibraryPath(QString(), bin), aoLado);
    qputenv("KAVEX_LIBRARY", saved);
}

// Message and input boxes opened anywhere else could not be answered by the
// tests and would hang them.
void TestLibrary::messageAndInputBoxesGoThroughTheFacade() {
    const QRegularExpression direct(QStringLiteral(R"(QMessageBox\s*::|QMessageBox\s+\w|QInputDialog)"));
    QDir src(QStringLiteral(KAVEX_PROJECT_SOURCE_DIR "/src"));
    QStringList offenders;
    QStringList pending{src.path()};
    while (!pending.isEmpty()) {
        QDir dir(pending.takeFirst());
        for (const QFileInfo& info : dir.entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot)) {
            if (info.isDir()) {
                if (info.fileName() != QStringLiteral("widgets")) {
                    pending << info.filePath();
                }
                continue;
            }
            QFile f(info.filePath());
            QVERIFY(f.open(QIODevice::ReadOnly));
            if (direct.match(QString::fromUtf8(f.readAll())).hasMatch()) {
                offenders << info.filePath();
            }
        }
    }
    QCOMPARE(offenders, QStringList());
}

QTEST_GUILESS_MAIN(TestLibrary)
#include "tst_library.moc"
