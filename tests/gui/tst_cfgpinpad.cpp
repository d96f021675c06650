#include "Cliques.h"
#include "Editores.h"
#include "Harness.h"

#include "config/CfgPinpad.h"
#include "core/EstadoConsole.h"
#include "platform/ProgramDir.h"
#include "widgets/Modal.h"
#include "widgets/Prompt.h"
#include "widgets/RadioGroup.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using harness::clicaIndicador;
using harness::controle;
using platform::prompt::Answer;

namespace {

const QString kPergunta = QStringLiteral("Deseja Salvar as Alterações ?");
const QString kIncompleta =
    QStringLiteral("É necessário configurar o Tipo de Pinpad, Porta e o Diretório onde estão as dlls do pinpad !!!");
const QByteArray kEMV = "[EMV]\r\nAID01=C,VISA CRED,A0000000031010\r\nAID02=D,VISA DEB,A0000000032010\r\n"
                        "AID03=D,VALE REFEICAO,A00000000300050203\r\nAID04=D,VALE ALIMENTACAO,A00000000300050202\r\n";

enum { Verifone, Dione, Schlumberger, Gertec, Ingenico };

struct Editor {
    QDialog& janela;

    RadioGroup* grupo(const char* nome) const { return controle<RadioGroup>(janela, nome); }
    RadioGroup* modelo() const { return grupo("RdGrPinpad"); }
    RadioGroup* porta() const { return grupo("RdGrPorta"); }
    RadioGroup* pasta() const { return grupo("RdGrPPVISA"); }
    QLineEdit* dirDll() const { return controle<QLineEdit>(janela, "EdtDirDll"); }
    QAction* salvar() const { return controle<QAction>(janela, "SalvaCfgPinpad"); }

    void escolhe(RadioGroup* g, int item) const { clicaIndicador(g->button(item)); }
    void digitaDirDll(const QString& texto) const {
        dirDll()->selectAll();
        QTest::keyClick(dirDll(), Qt::Key_Delete);
        QTest::keyClicks(dirDll(), texto);
    }
    void clicaSalvar() const { harness::clicaMenu(controle<QMenuBar>(janela, "MenuCfgPinpad"), salvar()); }
    void encerra() const { QTest::mouseClick(controle<QPushButton>(janela, "BtnEncerraPPD"), Qt::LeftButton); }
};

// The four certification-authority sections as a save writes them after EMV.
bool chavesCompletas(const QByteArray& resto) {
    QString padrao = QStringLiteral("^");
    for (const auto& [indice, pedacos] : {std::pair{"01", 8}, {"03", 7}, {"05", 6}, {"07", 9}}) {
        padrao += QStringLiteral("\\[A000000003%1\\]\r\n").arg(QLatin1String(indice));
        for (int i = 0; i < pedacos; ++i) {
            // The first piece starts with a set top bit: the modulus has its full length.
            padrao += QStringLiteral("Mod%1=%2[0-9A-F]{%3}\r\n")
                          .arg(i, 2, 10, QLatin1Char('0'))
                          .arg(i == 0 ? QStringLiteral("[89A-F]") : QString())
                          .arg(i == 0 ? 31 : 32);
        }
        padrao += QStringLiteral("Exp=03\r\n");
    }
    padrao += u'$';
    return QRegularExpression(padrao).match(QString::fromLatin1(resto)).hasMatch();
}

} // namespace

class TestCfgPinpad : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> pasta_;
    EstadoConsole estado_;

    QString raiz(const QString& caminho) const { return pasta_->filePath(QStringLiteral("drive/") + caminho); }
    QString programa(const QString& nome) const { return platform::programdir::filePath(nome); }
    static QByteArray le(const QString& caminho) { return harness::readFile(caminho); }
    static void grava(const QString& caminho, const QByteArray& bytes) {
        QVERIFY(QDir().mkpath(QFileInfo(caminho).path()));
        harness::writeFile(caminho, bytes);
    }
    void guardaPasta(const QString& dirPPVISA) const {
        grava(programa(QStringLiteral("Config.ini")), "[PathPPVISA]\r\nPathPPVISA=" + dirPPVISA.toUtf8() + "\r\n");
    }

    void abre(TFrmCfgPinpad& editor, std::function<void(const Editor&)> acoes) {
        harness::abreEditor<Editor>(editor, QStringLiteral("FrmCfgPinpad"), acoes);
    }

private slots:
    void init() {
        pasta_ = std::make_unique<QTemporaryDir>();
        harness::usaPastasDe(*pasta_);
    }

    void loadShowsTheStoredChoice_data() {
        QTest::addColumn<QString>("guardado"); // PathPPVISA; "-" for none, "PROG" for the program's folder
        QTest::addColumn<QString>("arquivo");  // where PPVISA.ini lies, under the drive root or "PROG"
        QTest::addColumn<QByteArray>("ppvisa");
        QTest::addColumn<int>("pasta");
        QTest::addColumn<int>("modelo");
        QTest::addColumn<int>("porta");
        QTest::addColumn<QString>("dirDll");

        QTest::newRow("program folder, Gertec on COM 2")
            << "PROG"
            << "PROG" << QByteArray("[General]\r\nDriver32=C:\\Client\\ppgerw32.dll\r\n[GER]\r\nPort=2\r\n") << 0
            << int(Gertec) << 1 << "C:\\Client";
        QTest::newRow("Windows, Verifone on COM 3 from its first character")
            << "\\Windows"
            << "Windows/PPVISA.ini"
            << QByteArray("[General]\r\nDriver32=D:\\Dll\\ppvfnw32.dll\r\n[VFN]\r\nConfig=3CHIP\r\n") << 1
            << int(Verifone) << 2 << "D:\\Dll";
        QTest::newRow("Winnt, Dione on COM 4")
            << "\\Winnt"
            << "Winnt/PPVISA.ini" << QByteArray("[General]\r\nDriver32=\\ppdiow32.dll\r\n[DIO]\r\nPort=4\r\n") << 2
            << int(Dione) << 3 << "";
        QTest::newRow("no stored folder: the drive's root")
            << "-"
            << "PPVISA.ini" << QByteArray("[General]\r\nDriver32=C:\\C\\ppingw32.dll\r\n[ING]\r\nPort=1\r\n") << 0
            << int(Ingenico) << 0 << "C:\\C";
        QTest::newRow("no file") << "PROG"
                                 << "-" << QByteArray() << 0 << -1 << -1 << "";
        QTest::newRow("unknown driver") << "PROG"
                                        << "PROG" << QByteArray("[General]\r\nDriver32=C:\\x\\ppxxxw32.dll\r\n") << 0
                                        << -1 << -1 << "C:\\x";
        QTest::newRow("driver name in other letter case")
            << "PROG"
            << "PROG" << QByteArray("[General]\r\nDriver32=C:\\x\\PPGERW32.DLL\r\n[GER]\r\nPort=2\r\n") << 0 << -1 << -1
            << "C:\\x";
        QTest::newRow("value shorter than a driver name")
            << "PROG"
            << "PROG" << QByteArray("[General]\r\nDriver32=a.dll\r\n") << 0 << -1 << -1 << "";
        QTest::newRow("model without port") << "PROG"
                                            << "PROG" << QByteArray("[General]\r\nDriver32=C:\\x\\ppslbw32.dll\r\n")
                                            << 0 << int(Schlumberger) << -1 << "C:\\x";
        QTest::newRow("port beyond the list")
            << "PROG"
            << "PROG" << QByteArray("[General]\r\nDriver32=C:\\x\\ppslbw32.dll\r\n[SLB]\r\nPort=7\r\n") << 0
            << int(Schlumberger) << -1 << "C:\\x";
    }
    void loadShowsTheStoredChoice() {
        QFETCH(QString, guardado);
        QFETCH(QString, arquivo);
        QFETCH(QByteArray, ppvisa);
        QFETCH(int, pasta);
        QFETCH(int, modelo);
        QFETCH(int, porta);
        QFETCH(QString, dirDll);
        if (guardado != u'-') {
            guardaPasta(guardado == QLatin1String("PROG") ? platform::programdir::directory() : guardado);
        }
        if (arquivo != u'-') {
            grava(arquivo == QLatin1String("PROG") ? programa(QStringLiteral("PPVISA.ini")) : raiz(arquivo), ppvisa);
        }
        TFrmCfgPinpad editor(estado_);
        abre(editor, [&](const Editor& e) {
            QCOMPARE(e.pasta()->itemIndex(), pasta);
            QCOMPARE(e.modelo()->itemIndex(), modelo);
            QCOMPARE(e.porta()->itemIndex(), porta);
            QCOMPARE(e.dirDll()->text(), dirDll);
            QVERIFY(!e.salvar()->isEnabled());
            e.encerra();
        });
        QVERIFY(!editor.isVisible());
        KAVEX_VERIFY_SEAMS();
    }

    void unreadablePortStopsTheLoad() {
        guardaPasta(platform::programdir::directory());
        grava(programa(QStringLiteral("PPVISA.ini")),
              "[General]\r\nDriver32=C:\\x\\ppvfnw32.dll\r\n[VFN]\r\nConfig=ACHIP\r\n");
        platform::prompt::expect(QStringLiteral("'A' is not a valid integer value"));
        TFrmCfgPinpad editor(estado_);
        abre(editor, [](const Editor& e) {
            QCOMPARE(e.modelo()->itemIndex(), int(Verifone));
            QCOMPARE(e.porta()->itemIndex(), -1);
            // What the load changed before stopping counts as a change.
            QVERIFY(e.salvar()->isEnabled());
            platform::prompt::expect(kIncompleta);
            e.encerra();
            QVERIFY(e.janela.isVisible());
            QVERIFY(!e.salvar()->isEnabled());
            e.encerra();
        });
        QCOMPARE(platform::prompt::shown().at(0).kind, platform::prompt::Kind::Error);
        QCOMPARE(platform::prompt::shown().at(1).kind, platform::prompt::Kind::Message);
        KAVEX_VERIFY_SEAMS();
    }

    void saveWritesDriverModelAndKeys_data() {
        QTest::addColumn<QString>("dirDll");
        QTest::addColumn<int>("modelo");
        QTest::addColumn<int>("porta");
        QTest::addColumn<QByteArray>("esperado");
        QTest::newRow("Gertec on COM 2") << "D:\\Pinpad" << int(Gertec) << 1
                                         << QByteArray("[General]\r\nDriver32=D:\\Pinpad\\ppgerw32.dll\r\n"
                                                       "BinFile=D:\\Pinpad\\PPVISA.bin\r\n"
                                                       "[GER]\r\nPort=2\r\nSAM=1\r\nSpeed=19200\r\n");
        QTest::newRow("folder already ending in a backslash")
            << "C:\\Client\\" << int(Schlumberger) << 0
            << QByteArray("[General]\r\nDriver32=C:\\Client\\\\ppslbw32.dll\r\nBinFile=C:\\Client\\\\PPVISA.bin\r\n"
                          "[SLB]\r\nPort=1\r\nSAM=1\r\nSpeed=19200\r\n");
        QTest::newRow("Dione has no speed") << "E:\\d" << int(Dione) << 3
                                            << QByteArray("[General]\r\nDriver32=E:\\d\\ppdiow32.dll\r\n"
                                                          "BinFile=E:\\d\\PPVISA.bin\r\n[DIO]\r\nPort=4\r\nSAM=1\r\n");
        QTest::newRow("Verifone keeps its port in Config")
            << "C:\\v" << int(Verifone) << 2
            << QByteArray("[General]\r\nDriver32=C:\\v\\ppvfnw32.dll\r\nBinFile=C:\\v\\PPVISA.bin\r\n"
                          "[VFN]\r\nConfig=3CHIP\r\n");
    }
    void saveWritesDriverModelAndKeys() {
        QFETCH(QString, dirDll);
        QFETCH(int, modelo);
        QFETCH(int, porta);
        QFETCH(QByteArray, esperado);
        TFrmCfgPinpad editor(estado_);
        abre(editor, [&](const Editor& e) {
            e.digitaDirDll(dirDll);
            e.escolhe(e.modelo(), modelo);
            e.escolhe(e.porta(), porta);
            platform::prompt::expect(kPergunta, Answer::Yes);
            e.clicaSalvar();
            QVERIFY(!e.salvar()->isEnabled());
            e.encerra();
        });
        QCOMPARE(le(programa(QStringLiteral("Config.ini"))),
                 "[PathPPVISA]\r\nPathPPVISA=" + platform::programdir::directory().toUtf8() + "\r\n");
        const QByteArray ppvisa = le(programa(QStringLiteral("PPVISA.ini")));
        QCOMPARE(ppvisa.left(esperado.size() + kEMV.size()), esperado + kEMV);
        QVERIFY2(chavesCompletas(ppvisa.mid(esperado.size() + kEMV.size())), ppvisa.constData());

        // Loading it back shows what was saved.
        abre(editor, [&](const Editor& e) {
            QCOMPARE(e.modelo()->itemIndex(), modelo);
            QCOMPARE(e.porta()->itemIndex(), porta);
            QCOMPARE(e.dirDll()->text() + u'\\', editor.DirDllPinpad);
            e.encerra();
        });
        KAVEX_VERIFY_SEAMS();
    }

    void saveKeepsEveryOtherLine() {
        guardaPasta(platform::programdir::directory());
        const QByteArray antes = "; pinpad da loja\r\n[General]\r\nDriver32=C:\\Client\\ppvfnw32.dll\r\nLog=1\r\n\r\n"
                                 "[VFN]\r\nConfig=3CHIP\r\n[Outra]\r\nx = 1\r\n";
        grava(programa(QStringLiteral("PPVISA.ini")), antes);
        TFrmCfgPinpad editor(estado_);
        abre(editor, [](const Editor& e) {
            e.escolhe(e.modelo(), Dione);
            e.escolhe(e.porta(), 0);
            platform::prompt::expect(kPergunta, Answer::Yes);
            e.encerra();
        });
        const QByteArray depois = "; pinpad da loja\r\n[General]\r\nDriver32=C:\\Client\\ppdiow32.dll\r\nLog=1\r\n"
                                  "BinFile=C:\\Client\\PPVISA.bin\r\n\r\n"
                                  "[VFN]\r\nConfig=3CHIP\r\n[Outra]\r\nx = 1\r\n[DIO]\r\nPort=1\r\nSAM=1\r\n";
        const QByteArray salvo = le(programa(QStringLiteral("PPVISA.ini")));
        QCOMPARE(salvo.left(depois.size() + kEMV.size()), depois + kEMV);
        QVERIFY(chavesCompletas(salvo.mid(depois.size() + kEMV.size())));
        KAVEX_VERIFY_SEAMS();
    }

    void windowsFolderTakesTheFileAway() {
        guardaPasta(platform::programdir::directory());
        grava(programa(QStringLiteral("PPVISA.ini")),
              "[General]\r\nDriver32=C:\\Client\\ppgerw32.dll\r\n[GER]\r\nPort=2\r\n");
        QVERIFY(QDir().mkpath(raiz(QStringLiteral("Windows"))));
        TFrmCfgPinpad editor(estado_);
        abre(editor, [](const Editor& e) {
            e.escolhe(e.pasta(), 1);
            platform::prompt::expect(kPergunta, Answer::Yes);
            e.clicaSalvar();
            e.encerra();
        });
        QCOMPARE(le(programa(QStringLiteral("Config.ini"))), QByteArray("[PathPPVISA]\r\nPathPPVISA=\\Windows\r\n"));
        QCOMPARE(editor.DirPPVISA, QStringLiteral("\\Windows"));
        const QByteArray general =
            "[General]\r\nDriver32=C:\\Client\\ppgerw32.dll\r\nBinFile=C:\\Client\\PPVISA.bin\r\n"
            "[GER]\r\nPort=2\r\nSAM=1\r\nSpeed=19200\r\n";
        QVERIFY(le(raiz(QStringLiteral("Windows/PPVISA.ini"))).startsWith(general + kEMV));
        QVERIFY(!QFile::exists(programa(QStringLiteral("PPVISA.ini"))));
        KAVEX_VERIFY_SEAMS();
    }

    void programFolderRemovesOneOtherCopyPerSave() {
        guardaPasta(QStringLiteral("\\Winnt"));
        const QByteArray copia = "[General]\r\nDriver32=C:\\Client\\ppgerw32.dll\r\n[GER]\r\nPort=2\r\n";
        grava(raiz(QStringLiteral("Winnt/PPVISA.ini")), copia);
        grava(raiz(QStringLiteral("Windows/PPVISA.ini")), copia);
        TFrmCfgPinpad editor(estado_);
        abre(editor, [](const Editor& e) {
            QCOMPARE(e.pasta()->itemIndex(), 2);
            QCOMPARE(e.modelo()->itemIndex(), int(Gertec));
            e.escolhe(e.pasta(), 0);
            platform::prompt::expect(kPergunta, Answer::Yes);
            e.encerra();
        });
        QCOMPARE(editor.DirPPVISA, platform::programdir::directory());
        QVERIFY(
            le(programa(QStringLiteral("PPVISA.ini"))).startsWith("[General]\r\nDriver32=C:\\Client\\ppgerw32.dll"));
        QVERIFY(!QFile::exists(raiz(QStringLiteral("Windows/PPVISA.ini"))));
        QVERIFY(QFile::exists(raiz(QStringLiteral("Winnt/PPVISA.ini"))));

        abre(editor, [](const Editor& e) {
            e.escolhe(e.porta(), 3);
            platform::prompt::expect(kPergunta, Answer::Yes);
            e.encerra();
        });
        QVERIFY(!QFile::exists(raiz(QStringLiteral("Winnt/PPVISA.ini"))));
        QVERIFY(QFile::exists(programa(QStringLiteral("PPVISA.ini"))));
        KAVEX_VERIFY_SEAMS();
    }

    void saveNeverRemovesTheFileItWrote() {
        // The program's folder is the Windows folder itself.
        QVERIFY(QDir().mkpath(raiz(QStringLiteral("Windows"))));
        platform::programdir::setDirectory(raiz(QStringLiteral("Windows")));
        TFrmCfgPinpad editor(estado_);
        abre(editor, [](const Editor& e) {
            e.digitaDirDll(QStringLiteral("C:\\Client"));
            e.escolhe(e.modelo(), Gertec);
            e.escolhe(e.porta(), 0);
            platform::prompt::expect(kPergunta, Answer::Yes);
            e.encerra();
        });
        QVERIFY(le(raiz(QStringLiteral("Windows/PPVISA.ini")))
                    .startsWith("[General]\r\nDriver32=C:\\Client\\ppgerw32.dll"));
        KAVEX_VERIFY_SEAMS();
    }

    void refusedWriteKeepsTheWindowOpen() {
        guardaPasta(platform::programdir::directory());
        grava(programa(QStringLiteral("PPVISA.ini")),
              "[General]\r\nDriver32=C:\\Client\\ppgerw32.dll\r\n[GER]\r\nPort=2\r\n");
        // A file where the Windows folder should be.
        grava(raiz(QStringLiteral("Windows")), "not a folder");
        const QString erro =
            QStringLiteral("Unable to write to ") + QDir::cleanPath(raiz(QStringLiteral("Windows/PPVISA.ini")));
        TFrmCfgPinpad editor(estado_);
        abre(editor, [&](const Editor& e) {
            e.escolhe(e.pasta(), 1);
            platform::prompt::expect(kPergunta, Answer::Yes);
            platform::prompt::expect(erro);
            e.encerra();
            QVERIFY(e.janela.isVisible());
            QVERIFY(e.salvar()->isEnabled());
            platform::prompt::expect(kPergunta, Answer::No);
            e.encerra();
        });
        // The folder choice had been recorded before the failing key; the
        // copy in the program's folder stays, as the save did not finish.
        QCOMPARE(le(programa(QStringLiteral("Config.ini"))), QByteArray("[PathPPVISA]\r\nPathPPVISA=\\Windows\r\n"));
        QVERIFY(QFile::exists(programa(QStringLiteral("PPVISA.ini"))));
        QCOMPARE(platform::prompt::shown().at(1).kind, platform::prompt::Kind::Error);
        KAVEX_VERIFY_SEAMS();
    }

    void incompleteChoiceIsReported() {
        TFrmCfgPinpad editor(estado_);
        abre(editor, [](const Editor& e) {
            e.escolhe(e.modelo(), Gertec);
            e.digitaDirDll(QStringLiteral("C:\\Client"));
            platform::prompt::expect(kIncompleta);
            e.clicaSalvar();
            QVERIFY(!e.salvar()->isEnabled());
            QVERIFY(e.janela.isVisible());
            e.escolhe(e.porta(), 1);
            e.digitaDirDll(QString());
            platform::prompt::expect(kIncompleta);
            e.encerra();
            QVERIFY(e.janela.isVisible());
            e.encerra();
        });
        QVERIFY(!editor.isVisible());
        QVERIFY(!QFile::exists(programa(QStringLiteral("PPVISA.ini"))));
        QVERIFY(!QFile::exists(programa(QStringLiteral("Config.ini"))));
        KAVEX_VERIFY_SEAMS();
    }

    void closingAsksWhenSomethingChanged() {
        TFrmCfgPinpad editor(estado_);
        abre(editor, [](const Editor& e) {
            e.digitaDirDll(QStringLiteral("C:\\Client"));
            e.escolhe(e.modelo(), Ingenico);
            e.escolhe(e.porta(), 0);
            platform::prompt::expect(kPergunta, Answer::Cancel);
            e.encerra();
            QVERIFY(e.janela.isVisible());
            platform::prompt::expect(kPergunta, Answer::No);
            e.clicaSalvar();
            QVERIFY(e.salvar()->isEnabled());
            QTest::keyClick(&e.janela, Qt::Key_Escape);
            QVERIFY(e.janela.isVisible());
            platform::prompt::expect(kPergunta, Answer::No);
            e.encerra();
        });
        QVERIFY(!QFile::exists(programa(QStringLiteral("PPVISA.ini"))));
        QCOMPARE(platform::prompt::shown().at(0).kind, platform::prompt::Kind::YesNoCancel);
        QCOMPARE(platform::prompt::shown().at(1).kind, platform::prompt::Kind::YesNo);
        KAVEX_VERIFY_SEAMS();
    }

    void opensFromTheMainMenuWhileUnconfigured() {
        harness::Console console;
        harness::escolheEmConfiguracoes(console, "CfgPinpad", QStringLiteral("FrmCfgPinpad"), [](QDialog& w) {
            QCOMPARE(w.windowTitle(), QStringLiteral("Configurações do Pinpad"));
            QTest::mouseClick(controle<QPushButton>(w, "BtnEncerraPPD"), Qt::LeftButton);
        });
        QVERIFY(console.simulator().calls().empty());
        KAVEX_VERIFY_SEAMS();
    }
};

QTEST_MAIN(TestCfgPinpad)
#include "tst_cfgpinpad.moc"
