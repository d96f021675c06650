#include "Cliques.h"
#include "Editores.h"
#include "Harness.h"

#include "app/Janelas.h"
#include "config/CfgCliKavex.h"
#include "core/EstadoConsole.h"
#include "platform/ProgramDir.h"
#include "widgets/Modal.h"
#include "widgets/Prompt.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "widgets/RadioGroup.h"

using harness::clicaIndicador;
using harness::clicaItem;
using harness::controle;
using platform::prompt::Answer;

namespace {

const QString kPergunta = QStringLiteral("Deseja Salvar as Alterações ?");

// The editor's controls, as the operator sees them while it is open.
struct Editor {
    QDialog& janela;

    QCheckBox* caixa(const char* nome) const { return controle<QCheckBox>(janela, nome); }
    QListWidget* lista(const char* nome) const { return controle<QListWidget>(janela, nome); }
    RadioGroup* tipoTrace() const { return controle<RadioGroup>(janela, "RdGrTraceCli"); }
    QAction* salvar() const { return controle<QAction>(janela, "Salvar"); }

    void clica(const char* nome) const { clicaIndicador(caixa(nome)); }
    void clicaLista(const char* nome, int linha) const { clicaItem(lista(nome), linha); }
    void clicaSalvar() const { harness::clicaMenu(controle<QMenuBar>(janela, "MenuCfgCliKavex"), salvar()); }
    void encerra() const { QTest::mouseClick(controle<QPushButton>(janela, "Button1"), Qt::LeftButton); }
    bool marcado(const char* nome, int linha) const { return lista(nome)->item(linha)->checkState() == Qt::Checked; }
    QString marcas(const char* nome) const {
        QString bits;
        for (int i = 0; i < lista(nome)->count(); ++i) {
            bits += marcado(nome, i) ? u'1' : u'0';
        }
        return bits;
    }
};

} // namespace

class TestCfgCliKavex : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> pasta_;
    EstadoConsole estado_;

    QString arquivo(const QString& nome) const { return platform::programdir::filePath(nome); }
    QByteArray le(const QString& nome) const { return harness::readFile(arquivo(nome)); }
    void grava(const QString& nome, const QByteArray& bytes) const { harness::writeFile(arquivo(nome), bytes); }

    // Shows the editor with the operator's actions; returns when it is closed.
    void abre(TFrmCfgCliKavex& editor, std::function<void(const Editor&)> acoes) {
        harness::abreEditor<Editor>(editor, QStringLiteral("FrmCfgCliKavex"), acoes);
    }

private slots:
    void init() {
        pasta_ = std::make_unique<QTemporaryDir>();
        harness::usaPastasDe(*pasta_);
    }

    void creationReadsTheConfirmationSwitch_data() {
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<bool>("ligado");
        QTest::newRow("absent") << QByteArray() << false;
        QTest::newRow("1") << QByteArray("[Transacoes]\r\nConfirmacaoParamAdic=1\r\n") << true;
        QTest::newRow("any other integer") << QByteArray("[Transacoes]\r\nConfirmacaoParamAdic=5\r\n") << true;
        QTest::newRow("hexadecimal") << QByteArray("[Transacoes]\r\nConfirmacaoParamAdic=0x10\r\n") << true;
        QTest::newRow("0") << QByteArray("[Transacoes]\r\nConfirmacaoParamAdic=0\r\n") << false;
        QTest::newRow("not a number") << QByteArray("[Transacoes]\r\nConfirmacaoParamAdic=sim\r\n") << false;
    }
    void creationReadsTheConfirmationSwitch() {
        QFETCH(QByteArray, config);
        QFETCH(bool, ligado);
        if (!config.isEmpty()) {
            grava(QStringLiteral("Config.ini"), config);
        }
        TFrmCfgCliKavex editor(estado_);
        QCOMPARE(editor.confirmacaoComParametros(), ligado);
        QCOMPARE(editor.chkCnfParamAdic->isChecked(), ligado);
        QCOMPARE(editor.objectName(), QStringLiteral("FrmCfgCliKavex"));
        QCOMPARE(editor.windowTitle(), QStringLiteral("Configurações da CliKavex"));
    }

    void loadShowsTheStoredValues_data() {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<int>("tipoTrace"); // -1: library trace off
        QTest::addColumn<bool>("traceI");
        QTest::addColumn<bool>("semCripto");
        QTest::addColumn<QString>("trilhas");
        QTest::addColumn<QString>("redes");
        QTest::addColumn<bool>("indicador");
        QTest::addColumn<QString>("transacoes"); // 20, 53, 54, 55, recharge box
        QTest::addColumn<QString>("recargas");

        QTest::newRow("nothing stored") << QByteArray() << -1 << false << false << "00"
                                        << "00000000" << false << "00000"
                                        << "0000";
        QTest::newRow("type 2, no cryptography, track 1")
            << QByteArray("[CliKavex]\r\nHabilitaTrace=2\r\n[CliKavexI]\r\nHabilitaTrace=0x2C7E4B1\r\n"
                          "[Geral]\r\nDevolveTrilha1=1\r\nDevolveTrilha2=0\r\n")
            << 1 << true << true << "10"
            << "00000000" << false << "00000"
            << "0000";
        QTest::newRow("type 1, interactive trace on")
            << QByteArray(
                   "[CliKavex]\r\nHabilitaTrace=1\r\n[CliKavexI]\r\nHabilitaTrace=1\r\n[Geral]\r\nDevolveTrilha2=1\r\n")
            << 0 << true << false << "01"
            << "00000000" << false << "00000"
            << "0000";
        QTest::newRow("values differing from the switches read as off")
            << QByteArray("[CliKavex]\r\nHabilitaTrace=3\r\n[CliKavexI]\r\nHabilitaTrace=0x2c7e4b1\r\n"
                          "[Geral]\r\nDevolveTrilha1=yes\r\nDevolveTrilha2=01\r\n")
            << -1 << false << false << "00"
            << "00000000" << false << "00000"
            << "0000";
        QTest::newRow("networks by caption")
            << QByteArray("[Redes]\r\nHabilitaRedeTotal=1\r\nHabilitaRedeCisa=2\r\nhabilitaredecentralcard=1\r\n"
                          "HabilitaRedeACSP=sim\r\nHabilitaRedeSoftway=1\r\n")
            << -1 << false << false << "00"
            << "10010001" << true << "00000"
            << "0000";
        QTest::newRow("networks all off")
            << QByteArray("[Redes]\r\nHabilitaRedeTotal=0\r\n") << -1 << false << false << "00"
            << "00000000" << false << "00000"
            << "0000";
        QTest::newRow("known and unknown codes")
            << QByteArray("[Geral]\r\nTransacoesAdicionaisHabilitadas=20;99;61\r\n") << -1 << false << false << "00"
            << "00000000" << false << "10001"
            << "0100";
        QTest::newRow("every code") << QByteArray(
                                           "[Geral]\r\nTransacoesAdicionaisHabilitadas=63;62;61;60;55;54;53;20\r\n")
                                    << -1 << false << false << "00"
                                    << "00000000" << false << "11111"
                                    << "1111";
        QTest::newRow("last code before a trailing separator")
            << QByteArray("[Geral]\r\nTransacoesAdicionaisHabilitadas=53;62;\r\n") << -1 << false << false << "00"
            << "00000000" << false << "01001"
            << "0010";
        QTest::newRow("empty pieces and blanks")
            << QByteArray("[Geral]\r\nTransacoesAdicionaisHabilitadas=;;55; 20\r\n") << -1 << false << false << "00"
            << "00000000" << false << "00010"
            << "0000";
    }
    void loadShowsTheStoredValues() {
        QFETCH(QByteArray, ini);
        QFETCH(int, tipoTrace);
        QFETCH(bool, traceI);
        QFETCH(bool, semCripto);
        QFETCH(QString, trilhas);
        QFETCH(QString, redes);
        QFETCH(bool, indicador);
        QFETCH(QString, transacoes);
        QFETCH(QString, recargas);
        if (!ini.isEmpty()) {
            grava(QStringLiteral("CliKavex.ini"), ini);
        }
        TFrmCfgCliKavex editor(estado_);
        abre(editor, [&](const Editor& e) {
            QCOMPARE(e.caixa("ChkBoxTrcCli")->isChecked(), tipoTrace >= 0);
            QCOMPARE(e.tipoTrace()->isEnabled(), tipoTrace >= 0);
            if (tipoTrace >= 0) {
                QCOMPARE(e.tipoTrace()->itemIndex(), tipoTrace);
            }
            QCOMPARE(e.caixa("ChkBoxTrcCliI")->isChecked(), traceI);
            QCOMPARE(e.caixa("ChkBoxSCripto")->isChecked(), semCripto);
            const QString trilhasVistas = QString(e.caixa("ChkBoxTrilha1")->isChecked() ? u'1' : u'0') +
                                          (e.caixa("ChkBoxTrilha2")->isChecked() ? u'1' : u'0');
            QCOMPARE(trilhasVistas, trilhas);
            QCOMPARE(e.marcas("CLBRedes"), redes);
            QCOMPARE(e.caixa("ChkBoxRedes")->isChecked(), indicador);
            QVERIFY(!e.caixa("ChkBoxRedes")->isEnabled());
            QString vistas;
            for (const char* nome : {"ChkBoxRefeicao", "ChkBoxPagtoBeneficio", "ChkBoxCancPagtoBeneficio",
                                     "ChkBoxTrocoPagtoDinheiro", "ChkBoxRecarga"}) {
                vistas += e.caixa(nome)->isChecked() ? u'1' : u'0';
            }
            QCOMPARE(vistas, transacoes);
            QCOMPARE(e.marcas("ChkLstRecarga"), recargas);
            QCOMPARE(e.lista("ChkLstRecarga")->isEnabled(), recargas.contains(u'1'));
            // A freshly loaded window counts as unchanged: no question on closing.
            QVERIFY(!e.salvar()->isEnabled());
            e.encerra();
        });
        QVERIFY(!editor.isVisible());
        KAVEX_VERIFY_SEAMS();
    }

    void dependentControlsFollowTheirBoxes() {
        TFrmCfgCliKavex editor(estado_);
        abre(editor, [](const Editor& e) {
            RadioGroup* tipo = e.tipoTrace();
            QVERIFY(!tipo->isEnabled());
            e.clica("ChkBoxTrcCli");
            QVERIFY(tipo->isEnabled());
            QCOMPARE(tipo->itemIndex(), 0);
            QVERIFY(e.salvar()->isEnabled());
            clicaIndicador(tipo->button(1));
            QCOMPARE(tipo->itemIndex(), 1);
            e.clica("ChkBoxTrcCli");
            QVERIFY(!tipo->isEnabled());
            QCOMPARE(tipo->itemIndex(), 1);
            e.clica("ChkBoxTrcCli");
            QCOMPARE(tipo->itemIndex(), 0);

            e.clica("ChkBoxTrcCliI");
            QVERIFY(e.caixa("ChkBoxSCripto")->isEnabled());
            e.clica("ChkBoxSCripto");
            QVERIFY(e.caixa("ChkBoxSCripto")->isChecked());
            e.clica("ChkBoxTrcCliI");
            QVERIFY(!e.caixa("ChkBoxSCripto")->isChecked());
            QVERIFY(!e.caixa("ChkBoxSCripto")->isEnabled());

            QVERIFY(!e.lista("ChkLstRecarga")->isEnabled());
            e.clica("ChkBoxRecarga");
            QVERIFY(e.lista("ChkLstRecarga")->isEnabled());
            e.clicaLista("ChkLstRecarga", 0);
            e.clicaLista("ChkLstRecarga", 2);
            QCOMPARE(e.marcas("ChkLstRecarga"), QStringLiteral("1010"));
            e.clicaLista("ChkLstRecarga", 0);
            QVERIFY(e.caixa("ChkBoxRecarga")->isChecked());
            e.clicaLista("ChkLstRecarga", 2);
            QVERIFY(!e.caixa("ChkBoxRecarga")->isChecked());
            QVERIFY(!e.lista("ChkLstRecarga")->isEnabled());

            e.clicaLista("CLBRedes", 3);
            QVERIFY(e.caixa("ChkBoxRedes")->isChecked());
            e.clicaLista("CLBRedes", 7);
            e.clicaLista("CLBRedes", 3);
            QVERIFY(e.caixa("ChkBoxRedes")->isChecked());
            e.clicaLista("CLBRedes", 7);
            QVERIFY(!e.caixa("ChkBoxRedes")->isChecked());

            platform::prompt::expect(kPergunta, Answer::No);
            e.encerra();
        });
        QVERIFY(!QFile::exists(arquivo(QStringLiteral("CliKavex.ini"))));
        QVERIFY(!QFile::exists(arquivo(QStringLiteral("Config.ini"))));
        KAVEX_VERIFY_SEAMS();
    }

    // New files show the order of the writes: sections appear as first written.
    void saveWritesEveryChangedGroupInOrder() {
        TFrmCfgCliKavex editor(estado_);
        abre(editor, [](const Editor& e) {
            e.clica("chkCnfParamAdic");
            e.clica("ChkBoxRefeicao");
            e.clicaLista("CLBRedes", 1);
            e.clica("ChkBoxTrilha2");
            e.clica("ChkBoxTrilha1");
            e.clica("ChkBoxTrcCli");
            clicaIndicador(e.tipoTrace()->button(1));
            e.clica("ChkBoxTrcCliI");
            e.clica("ChkBoxSCripto");
            platform::prompt::expect(kPergunta, Answer::Yes);
            e.clicaSalvar();
            QVERIFY(!e.salvar()->isEnabled());
            e.encerra(); // nothing changed since the save: no question
        });
        QCOMPARE(le(QStringLiteral("CliKavex.ini")),
                 QByteArray("[CliKavexI]\r\nHabilitaTrace=0x2C7E4B1\r\n"
                            "[CliKavex]\r\nHabilitaTrace=2\r\n"
                            "[Geral]\r\nDevolveTrilha1=1\r\nDevolveTrilha2=1\r\nTransacoesAdicionaisHabilitadas=20\r\n"
                            "[Redes]\r\nHabilitaRedeTotal=0\r\nHabilitaRedeCisa=1\r\nHabilitaRedeSasNT=0\r\n"
                            "HabilitaRedeCentralCard=0\r\nHabilitaRedeInfoCard=0\r\nHabilitaRedeTeledata=0\r\n"
                            "HabilitaRedeACSP=0\r\nHabilitaRedeSoftway=0\r\n"));
        QCOMPARE(le(QStringLiteral("Config.ini")), QByteArray("[Transacoes]\r\nConfirmacaoParamAdic=1\r\n"));
        KAVEX_VERIFY_SEAMS();
    }

    // The unencrypted-trace box is a change of its own, even when the trace
    // box was already ticked in the file.
    void unencryptedTraceAloneIsSaved() {
        grava(QStringLiteral("CliKavex.ini"), "[CliKavexI]\r\nHabilitaTrace=1\r\n");
        TFrmCfgCliKavex editor(estado_);
        abre(editor, [](const Editor& e) {
            e.clica("ChkBoxSCripto");
            platform::prompt::expect(kPergunta, Answer::Yes);
            e.clicaSalvar();
            e.encerra();
        });
        QCOMPARE(le(QStringLiteral("CliKavex.ini")), QByteArray("[CliKavexI]\r\nHabilitaTrace=0x2C7E4B1\r\n"));
        KAVEX_VERIFY_SEAMS();
    }

    void saveTouchesOnlyTheChangedKeys() {
        const QByteArray antes = "; configura\xE7\xE3o da biblioteca\r\n"
                                 "[Servidor]\r\nEndereco = 10.0.0.1\r\n\r\n"
                                 "[CliKavexI]\r\nHabilitaTrace=1\r\n"
                                 "[GERAL]\r\ndevolvetrilha1=1\r\n; coment\xE1rio\r\n"
                                 "TransacoesAdicionaisHabilitadas=20;99;61\r\nOutra=x\r\n\r\n"
                                 "[Redes]\r\nHabilitaRedeTotal=1\r\n";
        grava(QStringLiteral("CliKavex.ini"), antes);
        const QByteArray config = "[IPKavex]\nIPs=10.0.0.1;\n";
        grava(QStringLiteral("Config.ini"), config);
        TFrmCfgCliKavex editor(estado_);
        abre(editor, [](const Editor& e) {
            e.clica("ChkBoxTrilha1");
            e.clicaLista("ChkLstRecarga", 0);
            platform::prompt::expect(kPergunta, Answer::Yes);
            e.encerra();
        });
        QCOMPARE(le(QStringLiteral("CliKavex.ini")),
                 QByteArray("; configura\xE7\xE3o da biblioteca\r\n"
                            "[Servidor]\r\nEndereco = 10.0.0.1\r\n\r\n"
                            "[CliKavexI]\r\nHabilitaTrace=1\r\n"
                            "[GERAL]\r\ndevolvetrilha1=0\r\n; coment\xE1rio\r\n"
                            "TransacoesAdicionaisHabilitadas=20;60;61\r\nOutra=x\r\n\r\n"
                            "[Redes]\r\nHabilitaRedeTotal=1\r\n"));
        QCOMPARE(le(QStringLiteral("Config.ini")), config);
        KAVEX_VERIFY_SEAMS();
    }

    void rechargeKindsCountOnlyWithTheirBox() {
        TFrmCfgCliKavex editor(estado_);
        abre(editor, [](const Editor& e) {
            e.clica("ChkBoxRecarga");
            e.clicaLista("ChkLstRecarga", 1);
            e.clica("ChkBoxRecarga");
            QVERIFY(!e.lista("ChkLstRecarga")->isEnabled());
            QVERIFY(e.marcado("ChkLstRecarga", 1));
            platform::prompt::expect(kPergunta, Answer::Yes);
            e.clicaSalvar();
            e.encerra();
        });
        QCOMPARE(le(QStringLiteral("CliKavex.ini")), QByteArray("[Geral]\r\nTransacoesAdicionaisHabilitadas=\r\n"));
        abre(editor, [](const Editor& e) {
            // The load does not clear the recharge boxes.
            QVERIFY(!e.caixa("ChkBoxRecarga")->isChecked());
            QVERIFY(e.marcado("ChkLstRecarga", 1));
            e.clica("ChkBoxRecarga");
            platform::prompt::expect(kPergunta, Answer::Yes);
            e.encerra();
        });
        QCOMPARE(le(QStringLiteral("CliKavex.ini")), QByteArray("[Geral]\r\nTransacoesAdicionaisHabilitadas=61\r\n"));
        KAVEX_VERIFY_SEAMS();
    }

    void declinedQuestionsKeepTheChanges() {
        TFrmCfgCliKavex editor(estado_);
        abre(editor, [](const Editor& e) {
            e.clica("ChkBoxTrilha1");
            platform::prompt::expect(kPergunta, Answer::No);
            e.clicaSalvar();
            QVERIFY(e.salvar()->isEnabled());
            platform::prompt::expect(kPergunta, Answer::Cancel);
            e.encerra();
            QVERIFY(e.janela.isVisible());
            platform::prompt::expect(kPergunta, Answer::No);
            e.encerra();
        });
        QVERIFY(!editor.isVisible());
        QVERIFY(!QFile::exists(arquivo(QStringLiteral("CliKavex.ini"))));
        const auto vistas = platform::prompt::shown();
        QCOMPARE(vistas.size(), 3);
        QCOMPARE(vistas[0].kind, platform::prompt::Kind::YesNo);
        QCOMPARE(vistas[1].kind, platform::prompt::Kind::YesNoCancel);
        QVERIFY(vistas[0].title.isEmpty() && vistas[1].title.isEmpty());
        KAVEX_VERIFY_SEAMS();
    }

    void refusedWriteStopsTheSaveAndKeepsTheWindow() {
        // A folder where the file should be: no write can replace it.
        QVERIFY(QDir().mkpath(arquivo(QStringLiteral("CliKavex.ini"))));
        TFrmCfgCliKavex editor(estado_);
        const QString erro = QStringLiteral("Unable to write to ") + arquivo(QStringLiteral("CliKavex.ini"));
        abre(editor, [&](const Editor& e) {
            e.clica("ChkBoxTrcCliI");
            e.clica("chkCnfParamAdic");
            platform::prompt::expect(kPergunta, Answer::Yes);
            platform::prompt::expect(erro);
            e.encerra();
            QVERIFY(e.janela.isVisible());
            QVERIFY(e.salvar()->isEnabled());
            // The confirmation switch comes after the failing key.
            QVERIFY(!QFile::exists(arquivo(QStringLiteral("Config.ini"))));

            QVERIFY(QDir().rmdir(arquivo(QStringLiteral("CliKavex.ini"))));
            platform::prompt::expect(kPergunta, Answer::Yes);
            e.clicaSalvar();
            QVERIFY(!e.salvar()->isEnabled());
            e.encerra();
        });
        QCOMPARE(platform::prompt::shown().at(1).kind, platform::prompt::Kind::Error);
        QCOMPARE(le(QStringLiteral("CliKavex.ini")), QByteArray("[CliKavexI]\r\nHabilitaTrace=1\r\n"));
        QCOMPARE(le(QStringLiteral("Config.ini")), QByteArray("[Transacoes]\r\nConfirmacaoParamAdic=1\r\n"));
        KAVEX_VERIFY_SEAMS();
    }

    void unsavedConfirmationSwitchHoldsUntilTheNextShowing() {
        grava(QStringLiteral("Config.ini"), "[Transacoes]\r\nConfirmacaoParamAdic=1\r\n");
        TFrmCfgCliKavex editor(estado_);
        QVERIFY(editor.confirmacaoComParametros());
        abre(editor, [](const Editor& e) {
            e.clica("chkCnfParamAdic");
            platform::prompt::expect(kPergunta, Answer::No);
            e.encerra();
        });
        QVERIFY(!editor.confirmacaoComParametros());
        abre(editor, [](const Editor& e) {
            QVERIFY(e.caixa("chkCnfParamAdic")->isChecked());
            e.encerra();
        });
        QVERIFY(editor.confirmacaoComParametros());
        KAVEX_VERIFY_SEAMS();
    }

    void escapeDoesNotClose() {
        TFrmCfgCliKavex editor(estado_);
        abre(editor, [](const Editor& e) {
            QTest::keyClick(&e.janela, Qt::Key_Escape);
            QVERIFY(e.janela.isVisible());
            e.encerra();
        });
        KAVEX_VERIFY_SEAMS();
    }

    void opensFromTheMainMenuWhileUnconfigured() {
        harness::Console console;
        harness::escolheEmConfiguracoes(console, "CfgCliKavex", QStringLiteral("FrmCfgCliKavex"), [](QDialog& w) {
            QTest::mouseClick(controle<QPushButton>(w, "Button1"), Qt::LeftButton);
        });
        QCOMPARE(platform::modal::shownWindows(), QStringList{QStringLiteral("FrmCfgCliKavex")});
        QVERIFY(console.simulator().calls().empty());
        KAVEX_VERIFY_SEAMS();
    }
};

QTEST_MAIN(TestCfgCliKavex)
#include "tst_cfgclikavex.moc"
