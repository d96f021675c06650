// The pinpad functions window: a function is chosen by its button, its label
// or the keyboard; nothing is chosen when the window is left, nor carried
// into the next showing.

#include "Harness.h"
#include "Operador.h"

#include "core/EstadoConsole.h"
#include "pinpad/FuncPinpad.h"
#include "platform/Modal.h"
#include "platform/Prompt.h"

#include <QLabel>
#include <QRadioButton>

using namespace harness;

namespace {
// By value.
const char* const kBotoes[] = {"RdBtnTstPpd",   "RdBtnCltTrlh", "RdBtnCltTrlhDrt", "RdBtnLeCrtDirEx", "RdBtnMsgPpd",
                               "RdBtnCltSenha", "RdBtnSnhDir",  "RdBtnCnfPpd",     "RdBtnLeTrilha3"};
const char* const kRotulos[] = {"LblTstPpd", "LblLCI", "LblLCD", "Label2", "LblMsgPpd",
                                "LblCltSnh", "LblSD",  "Label3", "Label1"};
} // namespace

class TestFuncPinpad : public QObject {
    Q_OBJECT
private slots:
    void init() { startSeams(); }
    void choosesWithButtonOrLabel_data();
    void choosesWithButtonOrLabel();
    void asksForAChoiceAndForgetsIt();
};

void TestFuncPinpad::choosesWithButtonOrLabel_data() {
    QTest::addColumn<int>("valor");
    QTest::addColumn<bool>("peloRotulo");
    for (int valor = 1; valor <= 9; ++valor) {
        QTest::addRow("%d button", valor) << valor << false;
        QTest::addRow("%d label", valor) << valor << true;
    }
}

// One click checks exactly that function; its label is the button's caption
// for the eye and for a screen reader.
void TestFuncPinpad::choosesWithButtonOrLabel() {
    QFETCH(int, valor);
    QFETCH(bool, peloRotulo);
    EstadoConsole estado;
    TFrmFuncPinpad janela(estado);
    auto* botao = controle<QRadioButton>(janela, kBotoes[valor - 1]);
    auto* rotulo = controle<QLabel>(janela, kRotulos[valor - 1]);
    QVERIFY(botao->text().isEmpty());
    QCOMPARE(nomeAcessivel(botao), rotulo->text());
    platform::modal::expect("FrmFuncPinpad", [&](QDialog& w) {
        peloRotulo ? QTest::mouseClick(rotulo, Qt::LeftButton) : clicaIndicador(botao);
        int marcados = 0;
        for (const char* outro : kBotoes) {
            marcados += controle<QRadioButton>(w, outro)->isChecked() ? 1 : 0;
        }
        QVERIFY(botao->isChecked() && marcados == 1);
        clica(w, "BtnChmFcn");
    });
    platform::modal::showModal(janela);
    QCOMPARE(estado.FuncaoPinpad, valor);
    KAVEX_VERIFY_SEAMS();
}

// "&Chama Função" without a choice asks for one; each showing starts with
// none, and "&Encerra" or the title bar's close leave none.
void TestFuncPinpad::asksForAChoiceAndForgetsIt() {
    EstadoConsole estado;
    TFrmFuncPinpad janela(estado);
    platform::modal::expect("FrmFuncPinpad", [](QDialog&) {
        // From the first button, two steps right, Space, and Enter for the
        // default button.
        QCOMPARE(nomeDoFoco(), QStringLiteral("RdBtnTstPpd"));
        for (const Qt::Key k : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Space, Qt::Key_Return}) {
            tecla(k);
        }
    });
    platform::modal::showModal(janela);
    QCOMPARE(estado.FuncaoPinpad, 3);
    platform::prompt::expect(QStringLiteral("Selecione uma Opção"));
    for (const bool encerra : {true, false}) {
        platform::modal::expect("FrmFuncPinpad", [&](QDialog& w) {
            QCOMPARE(estado.FuncaoPinpad, 0);
            for (const char* botao : kBotoes) {
                QVERIFY2(!controle<QRadioButton>(w, botao)->isChecked(), botao);
            }
            if (encerra) {
                clica(w, "BtnChmFcn");
                QVERIFY(w.isVisible());
            }
            QTest::mouseClick(controle<QWidget>(w, "Label3"), Qt::LeftButton);
            encerra ? clica(w, "BitBtn1") : (void)w.close();
        });
        platform::modal::showModal(janela);
        QCOMPARE(estado.FuncaoPinpad, 0);
    }
    KAVEX_VERIFY_SEAMS();
}

QTEST_MAIN(TestFuncPinpad)
#include "tst_funcpinpad.moc"
