// The cheque data dialogs driven as the operator drives them: the choice of
// mode, the typed fields with their checks and messages, the CMC-7 line.

#include "Cliques.h"
#include "Harness.h"
#include "Operador.h"

#include "app/Janelas.h"
#include "dialogs/ColetaDadosCMC7.h"
#include "dialogs/DadosCheque.h"
#include "dialogs/SelecionaChq.h"
#include "platform/Win1252.h"
#include "widgets/Modal.h"
#include "widgets/Prompt.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using platform::prompt::Kind;

namespace {

using harness::clica;

const QString kAmostraCMC7 = QStringLiteral("<00109773<0188500045>701000616977Ç");
const char* const kCampos[] = {"EdtCompensacao", "EdtBanco", "EdtAgencia",      "EdtC1",
                               "EdtConta",       "EdtC2",    "EdtNumeroCheque", "EdtC3"};
const QStringList kMensagens = {
    QStringLiteral("O campo Compensação deve ser preenchido com 3 dígitos. Se campo não usado preencher com 000"),
    QStringLiteral("O campo Banco deve ser preenchido com 3 dígitos."),
    QStringLiteral("O campo Agência deve ser preenchido com 4 dígitos."),
    QStringLiteral("O dígito de controle C1 deve ser preenchido"),
    QStringLiteral("O campo Conta deve ser preenchido"),
    QStringLiteral("O dígito de controle C2 deve ser preenchido"),
    QStringLiteral("O campo Número Cheque deve ser preenchido"),
    QStringLiteral("O dígito de controle C3 deve ser preenchido")};

using harness::controle;

// Types the eight typed-data fields, one text per field in screen order.
void preenche(QWidget& janela, const QStringList& textos) {
    for (qsizetype i = 0; i < textos.size(); ++i) {
        QLineEdit* campo = controle<QLineEdit>(janela, kCampos[i]);
        campo->clear();
        QTest::keyClicks(campo, textos[i]);
    }
}

// Shows a cheque dialog as the command loop does; the operator clicks
// `botoes` in turn. Answers the control that had the focus when it came up.
QString mostraEClica(QDialog& janela, std::initializer_list<const char*> botoes) {
    QString foco;
    platform::modal::expect(janela.objectName(), [&](QDialog& w) {
        foco = QApplication::focusWidget()->objectName();
        for (const char* botao : botoes) {
            clica(w, botao);
        }
    });
    platform::modal::showModal(janela);
    return foco;
}

QString respostaDigitada(const TFrmDigitado& d) {
    return QStringLiteral("0:") + d.Compensacao + d.Banco + d.Agencia + d.C1 + d.Conta + d.C2 + d.NumeroCheque + d.C3;
}

} // namespace

class TstChequeDialogs : public QObject {
    Q_OBJECT

    std::unique_ptr<harness::Console> console_;
    Janelas& janelas() { return console_->window().janelas(); }
    EstadoConsole& estado() { return console_->estado(); }

private slots:
    void init() { console_ = std::make_unique<harness::Console>(); }
    void cleanup() { console_.reset(); }

    void criadasOcultas() {
        QCOMPARE(janelas().FrmCnsChq.objectName(), QStringLiteral("FrmCnsChq"));
        QCOMPARE(janelas().FrmDigitado.objectName(), QStringLiteral("FrmDigitado"));
        QCOMPARE(janelas().FrmCMC7.objectName(), QStringLiteral("FrmCMC7"));
        QVERIFY(janelas().FrmCnsChq.isHidden());
        QVERIFY(!janelas().FrmCnsChq.UsaCMC7);
        KAVEX_VERIFY_SEAMS();
    }

    void marcarEscolheOModo_data() {
        QTest::addColumn<QString>("caixa");
        QTest::addColumn<bool>("cmc7");
        QTest::newRow("digitado") << QStringLiteral("CheckBox1") << false;
        QTest::newRow("CMC-7") << QStringLiteral("CheckBox2") << true;
    }
    void marcarEscolheOModo() {
        QFETCH(QString, caixa);
        QFETCH(bool, cmc7);
        TFrmCnsChq& escolha = janelas().FrmCnsChq;
        escolha.UsaCMC7 = !cmc7;
        // A previous request left both boxes ticked and disabled.
        escolha.CheckBox1()->setChecked(true);
        escolha.CheckBox1()->setEnabled(false);
        escolha.PreparaEscolha();
        platform::modal::expect(
            "FrmCnsChq", [&](QDialog& w) { harness::clicaIndicador(controle<QCheckBox>(w, qPrintable(caixa))); });
        platform::modal::showModal(escolha);
        QCOMPARE(escolha.UsaCMC7, cmc7);
        QVERIFY(!escolha.CheckBox1()->isEnabled());
        QVERIFY(!escolha.CheckBox2()->isEnabled());
        QCOMPARE(escolha.continua(), 0);
        KAVEX_VERIFY_SEAMS();
    }

    void espacoNaPrimeiraCaixaEscolheDigitado() {
        TFrmCnsChq& escolha = janelas().FrmCnsChq;
        escolha.UsaCMC7 = true;
        escolha.PreparaEscolha();
        QString foco;
        platform::modal::expect("FrmCnsChq", [&](QDialog&) {
            foco = QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        });
        platform::modal::showModal(escolha);
        QCOMPARE(foco, QStringLiteral("CheckBox1"));
        QVERIFY(!escolha.UsaCMC7);
        KAVEX_VERIFY_SEAMS();
    }

    void encerraNaEscolhaMantemOModo() {
        TFrmCnsChq& escolha = janelas().FrmCnsChq;
        escolha.UsaCMC7 = true;
        escolha.PreparaEscolha();
        bool abertaAposEsc = false;
        platform::modal::expect("FrmCnsChq", [&](QDialog& w) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            abertaAposEsc = w.isVisible();
            clica(w, "BitBtn1");
        });
        platform::modal::showModal(escolha);
        QVERIFY(abertaAposEsc);
        QCOMPARE(escolha.continua(), -1);
        QVERIFY(escolha.UsaCMC7);
        KAVEX_VERIFY_SEAMS();
    }

    void amostraDigitadaAceitaDe31Caracteres() {
        TFrmDigitado& digitado = janelas().FrmDigitado;
        digitado.LimpaCampos();
        digitado.DadosCheque()->setText(QStringLiteral("Dados do cheque"));
        QCOMPARE(mostraEClica(digitado, {"BtnPreencher", "BtnConsulta"}), QStringLiteral("EdtCompensacao"));
        // Its help glyph is on the button once the dialog has been shown.
        QVERIFY(!controle<QPushButton>(digitado, "BtnPreencher")->icon().pixmap(16).isNull());
        QVERIFY(platform::prompt::shown().isEmpty());
        QCOMPARE(respostaDigitada(digitado), QStringLiteral("0:01800109773000006169748500045"));
        QCOMPARE(respostaDigitada(digitado).size(), 31);
        KAVEX_VERIFY_SEAMS();
    }

    void contaENumeroCompletadosComZerosSoNasVariaveis() {
        TFrmDigitado& digitado = janelas().FrmDigitado;
        digitado.LimpaCampos();
        platform::modal::expect("FrmDigitado", [&](QDialog& w) {
            // Longer texts than a field holds are cut at its limit.
            preenche(w, {"01899", "001", "0977", "3", "61697", "4", "4", "5"});
            clica(w, "BtnConsulta");
        });
        platform::modal::showModal(digitado);
        QCOMPARE(digitado.Compensacao, QStringLiteral("018"));
        QCOMPARE(digitado.Conta, QStringLiteral("0000061697"));
        QCOMPARE(digitado.NumeroCheque, QStringLiteral("000004"));
        QCOMPARE(respostaDigitada(digitado), QStringLiteral("0:01800109773000006169740000045"));
        QCOMPARE(controle<QLineEdit>(digitado, "EdtConta")->text(), QStringLiteral("61697"));
        QCOMPARE(controle<QLineEdit>(digitado, "EdtNumeroCheque")->text(), QStringLiteral("4"));
        KAVEX_VERIFY_SEAMS();
    }

    void camposVaziosMostramAsOitoMensagensEmOrdem() {
        TFrmDigitado& digitado = janelas().FrmDigitado;
        digitado.LimpaCampos();
        for (const QString& m : kMensagens) {
            platform::prompt::expect(m);
        }
        bool aberta = false;
        platform::modal::expect("FrmDigitado", [&](QDialog& w) {
            clica(w, "BtnConsulta");
            aberta = w.isVisible();
            clica(w, "BitBtnEncerra");
        });
        platform::modal::showModal(digitado);
        QVERIFY(aberta);
        const auto& caixas = platform::prompt::shown();
        QCOMPARE(caixas.size(), 8);
        for (int i = 0; i < caixas.size(); ++i) {
            // The account and cheque-number messages come in a titled box.
            const bool comTitulo = i == 4 || i == 6;
            QCOMPARE(caixas[i].text, kMensagens[i]);
            QCOMPARE(caixas[i].kind, comTitulo ? Kind::Information : Kind::Message);
            QCOMPARE(caixas[i].title, comTitulo ? QApplication::applicationName() : QString());
        }
        // Nothing to pad in an empty account.
        QCOMPARE(digitado.Conta, QString());
        QCOMPARE(digitado.continua(), -1);
        KAVEX_VERIFY_SEAMS();
    }

    void bancoCurtoMantemAbertaAteCorrigir() {
        TFrmDigitado& digitado = janelas().FrmDigitado;
        digitado.LimpaCampos();
        platform::prompt::expect(kMensagens[1]);
        bool aberta = false;
        platform::modal::expect("FrmDigitado", [&](QDialog& w) {
            preenche(w, {"018", "01", "0977", "3", "61697", "4", "850004", "5"});
            clica(w, "BtnConsulta");
            aberta = w.isVisible();
            QTest::keyClicks(controle<QLineEdit>(w, "EdtBanco"), "1");
            clica(w, "BtnConsulta");
        });
        platform::modal::showModal(digitado);
        QVERIFY(aberta);
        QCOMPARE(platform::prompt::shown().size(), 1);
        QCOMPARE(digitado.Banco, QStringLiteral("011"));
        QCOMPARE(digitado.continua(), 0);
        KAVEX_VERIFY_SEAMS();
    }

    void escEncerraEMantemAUltimaConsulta() {
        TFrmDigitado& digitado = janelas().FrmDigitado;
        mostraEClica(digitado, {"BtnPreencher", "BtnConsulta"});
        digitado.LimpaCampos();
        platform::modal::expect("FrmDigitado", [&](QDialog& w) {
            preenche(w, {"999", "999", "9999", "9", "9", "9", "9", "9"});
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        });
        platform::modal::showModal(digitado);
        QCOMPARE(digitado.continua(), -1);
        QCOMPARE(respostaDigitada(digitado), QStringLiteral("0:01800109773000006169748500045"));
        KAVEX_VERIFY_SEAMS();
    }

    void amostraCMC7ChegaComCedilhaEmUmByte() {
        TFrmCMC7& cmc7 = janelas().FrmCMC7;
        cmc7.LimpaCampo();
        cmc7.LimitaCMC7(30);
        QCOMPARE(mostraEClica(cmc7, {"BitBtnPreencher", "BitBtnConsulta"}), QStringLiteral("EdtCMC7"));
        QVERIFY(!controle<QPushButton>(cmc7, "BitBtnPreencher")->icon().pixmap(16).isNull());
        // Not cut to the limit of 30.
        QCOMPARE(cmc7.DadosCMC7, kAmostraCMC7);
        const QByteArray bytes = platform::toWin1252(cmc7.DadosCMC7);
        QCOMPARE(bytes.size(), 34);
        QCOMPARE(static_cast<unsigned char>(bytes.back()), 199);
        QCOMPARE(cmc7.continua(), 0);
        // Editing the sample brings the box back towards the library's limit.
        platform::modal::expect("FrmCMC7", [&](QDialog&) {
            QTest::keyClick(cmc7.EdtCMC7(), Qt::Key_End);
            QTest::keyClick(cmc7.EdtCMC7(), Qt::Key_Backspace);
            QTest::keyClicks(cmc7.EdtCMC7(), QStringLiteral("99"));
            QTest::mouseClick(cmc7.findChild<QPushButton*>(QStringLiteral("BitBtnConsulta")), Qt::LeftButton);
        });
        platform::modal::showModal(cmc7);
        QCOMPARE(cmc7.DadosCMC7, kAmostraCMC7.left(33));
        // The library's prompt shows as it comes, "&" and markup included.
        cmc7.MostraCMC7(QStringLiteral("<b>Passe & leia</b>"));
        QCOMPARE(cmc7.CMC7()->text(), QStringLiteral("<b>Passe && leia</b>"));
        QCOMPARE(cmc7.CMC7()->textFormat(), Qt::PlainText);
        KAVEX_VERIFY_SEAMS();
    }

    void enterAceitaOCMC7DentroDoLimite_data() {
        QTest::addColumn<int>("limite");
        QTest::addColumn<QString>("digitado");
        QTest::addColumn<QString>("aceito");
        const QString linha = QStringLiteral("<23731842<0010034895>777504362409>");
        QTest::newRow("limite do laço") << 10 << linha << linha.left(10);
        QTest::newRow("sem limite") << 0 << linha.repeated(2) << linha.repeated(2);
    }
    void enterAceitaOCMC7DentroDoLimite() {
        QFETCH(int, limite);
        QFETCH(QString, digitado);
        QFETCH(QString, aceito);
        TFrmCMC7& cmc7 = janelas().FrmCMC7;
        cmc7.LimpaCampo();
        cmc7.LimitaCMC7(static_cast<int16_t>(limite));
        platform::modal::expect("FrmCMC7", [&](QDialog&) {
            QTest::keyClicks(QApplication::focusWidget(), digitado);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        });
        platform::modal::showModal(cmc7);
        QCOMPARE(cmc7.DadosCMC7, aceito);
        KAVEX_VERIFY_SEAMS();
    }

    void encerraNoCMC7Devolve34Zeros() {
        TFrmCMC7& cmc7 = janelas().FrmCMC7;
        cmc7.LimpaCampo();
        bool abertaAposEsc = false;
        platform::modal::expect("FrmCMC7", [&](QDialog& w) {
            QTest::keyClicks(QApplication::focusWidget(), "<001");
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            abertaAposEsc = w.isVisible();
            clica(w, "BitBtnEncerra");
        });
        platform::modal::showModal(cmc7);
        QVERIFY(abertaAposEsc);
        QCOMPARE(cmc7.DadosCMC7, QString(34, QLatin1Char('0')));
        QCOMPARE(cmc7.continua(), -1);
        KAVEX_VERIFY_SEAMS();
    }
};

QTEST_MAIN(TstChequeDialogs)
#include "tst_chequedialogs.moc"
