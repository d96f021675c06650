// The pinpad functions window: how a function is chosen, by button, label or
// keyboard, and what is left when the window closes.

#include "Harness.h"
#include "Operador.h"

#include "core/EstadoConsole.h"
#include "pinpad/FuncPinpad.h"
#include "platform/Modal.h"
#include "platform/Prompt.h"

#include <QGridLayout>
#include <QLabel>
#include <QRadioButton>

using harness::clica;
using harness::controle;

namespace {

struct Funcao {
    int valor;
    const char* botao;
    const char* rotulo;
    const char* texto;
};

const Funcao kFuncoes[] = {
    {1, "RdBtnTstPpd", "LblTstPpd", "Verifica Pinpad"},
    {2, "RdBtnCltTrlh", "LblLCI", "Lê Cartão Interativo"},
    {3, "RdBtnCltTrlhDrt", "LblLCD", "Lê Cartão Direto"},
    {4, "RdBtnLeCrtDirEx", "Label2", "Lê Cartão DiretoEx"},
    {5, "RdBtnMsgPpd", "LblMsgPpd", "Escreve Msg Pinpad"},
    {6, "RdBtnCltSenha", "LblCltSnh", "Lê Senha Interativo"},
    {7, "RdBtnSnhDir", "LblSD", "Lê Senha Direto"},
    {8, "RdBtnCnfPpd", "Label3", "Leitura de Confirmação pelo Pinpad"},
    {9, "RdBtnLeTrilha3", "Label1", "Lê Trilha 3"},
};

// The buttons of one row of the window, left to right.
QStringList linha(QDialog& w, int numero) {
    auto* grade = controle<QWidget>(w, "Panel1")->findChild<QGridLayout*>();
    QStringList nomes;
    for (int coluna = 0; coluna < grade->columnCount(); ++coluna) {
        if (QLayoutItem* item = grade->itemAtPosition(numero, coluna);
            item && qobject_cast<QRadioButton*>(item->widget())) {
            nomes << item->widget()->objectName();
        }
    }
    return nomes;
}

} // namespace

class TestFuncPinpad : public QObject {
    Q_OBJECT
private slots:
    void init() { harness::startSeams(); }
    void choosesWithButtonOrLabel_data();
    void choosesWithButtonOrLabel();
    void asksForAChoice();
    void endingLeavesNothingChosen();
    void choosesByKeyboard();
    void laysOutTheFunctions();
};

void TestFuncPinpad::choosesWithButtonOrLabel_data() {
    QTest::addColumn<int>("valor");
    QTest::addColumn<bool>("peloRotulo");
    for (const Funcao& f : kFuncoes) {
        QTest::addRow("%d button", f.valor) << f.valor << false;
        QTest::addRow("%d label", f.valor) << f.valor << true;
    }
}

void TestFuncPinpad::choosesWithButtonOrLabel() {
    QFETCH(int, valor);
    QFETCH(bool, peloRotulo);
    const Funcao& f = kFuncoes[valor - 1];
    EstadoConsole estado;
    TFrmFuncPinpad janela(estado);
    platform::modal::expect("FrmFuncPinpad", [&](QDialog& w) {
        QWidget* alvo = peloRotulo ? controle<QWidget>(w, f.rotulo) : controle<QWidget>(w, f.botao);
        if (peloRotulo) {
            QTest::mouseClick(alvo, Qt::LeftButton);
        } else {
            harness::clicaIndicador(static_cast<QRadioButton*>(alvo));
        }
        int marcados = 0;
        for (const Funcao& outra : kFuncoes) {
            marcados += controle<QRadioButton>(w, outra.botao)->isChecked() ? 1 : 0;
        }
        QCOMPARE(marcados, 1);
        QVERIFY(controle<QRadioButton>(w, f.botao)->isChecked());
        clica(w, "BtnChmFcn");
    });
    platform::modal::showModal(janela);
    QCOMPARE(estado.FuncaoPinpad, valor);
    KAVEX_VERIFY_SEAMS();
}

void TestFuncPinpad::asksForAChoice() {
    EstadoConsole estado;
    TFrmFuncPinpad janela(estado);
    platform::prompt::expect(QStringLiteral("Selecione uma Opção"));
    platform::modal::expect("FrmFuncPinpad", [&](QDialog& w) {
        clica(w, "BtnChmFcn");
        QVERIFY(w.isVisible());
        QTest::mouseClick(controle<QWidget>(w, "Label1"), Qt::LeftButton);
        clica(w, "BtnChmFcn");
    });
    platform::modal::showModal(janela);
    QCOMPARE(estado.FuncaoPinpad, 9);
    KAVEX_VERIFY_SEAMS();
}

// A new showing forgets the last choice, whatever way the window is left.
void TestFuncPinpad::endingLeavesNothingChosen() {
    EstadoConsole estado;
    TFrmFuncPinpad janela(estado);
    platform::modal::expect("FrmFuncPinpad", [&](QDialog& w) {
        QTest::mouseClick(controle<QWidget>(w, "LblSD"), Qt::LeftButton);
        clica(w, "BtnChmFcn");
    });
    platform::modal::showModal(janela);
    QCOMPARE(estado.FuncaoPinpad, 7);
    platform::modal::expect("FrmFuncPinpad", [&](QDialog& w) {
        QCOMPARE(estado.FuncaoPinpad, 0);
        for (const Funcao& f : kFuncoes) {
            QVERIFY2(!controle<QRadioButton>(w, f.botao)->isChecked(), f.botao);
        }
        QTest::mouseClick(controle<QWidget>(w, "Label3"), Qt::LeftButton);
        clica(w, "BitBtn1");
    });
    platform::modal::showModal(janela);
    QCOMPARE(estado.FuncaoPinpad, 0);
    // The title bar's close control gives up the same way.
    platform::modal::expect("FrmFuncPinpad", [&](QDialog& w) {
        QTest::mouseClick(controle<QWidget>(w, "LblLCI"), Qt::LeftButton);
        QVERIFY(w.close());
    });
    platform::modal::showModal(janela);
    QCOMPARE(estado.FuncaoPinpad, 0);
    KAVEX_VERIFY_SEAMS();
}

void TestFuncPinpad::choosesByKeyboard() {
    EstadoConsole estado;
    TFrmFuncPinpad janela(estado);
    platform::modal::expect("FrmFuncPinpad", [&](QDialog&) {
        QCOMPARE(harness::nomeDoFoco(), QStringLiteral("RdBtnTstPpd"));
        harness::tecla(Qt::Key_Space);
        harness::tecla(Qt::Key_Right);
        harness::tecla(Qt::Key_Right);
        QCOMPARE(harness::nomeDoFoco(), QStringLiteral("RdBtnCltTrlhDrt"));
        // Enter presses the default button, "&Chama Função".
        harness::tecla(Qt::Key_Return);
    });
    platform::modal::showModal(janela);
    QCOMPARE(estado.FuncaoPinpad, 3);
    KAVEX_VERIFY_SEAMS();
}

void TestFuncPinpad::laysOutTheFunctions() {
    EstadoConsole estado;
    TFrmFuncPinpad janela(estado);
    QCOMPARE(janela.windowTitle(), QStringLiteral("Funções de Pinpad"));
    QCOMPARE(linha(janela, 0),
             (QStringList{"RdBtnTstPpd", "RdBtnCltTrlh", "RdBtnCltTrlhDrt", "RdBtnLeCrtDirEx", "RdBtnLeTrilha3"}));
    QCOMPARE(linha(janela, 1), (QStringList{"RdBtnMsgPpd", "RdBtnCltSenha", "RdBtnSnhDir", "RdBtnCnfPpd"}));
    for (const Funcao& f : kFuncoes) {
        auto* botao = controle<QRadioButton>(janela, f.botao);
        QVERIFY2(botao->text().isEmpty(), f.botao);
        QCOMPARE(controle<QLabel>(janela, f.rotulo)->text(), QString::fromUtf8(f.texto));
        QCOMPARE(harness::nomeAcessivel(botao), QString::fromUtf8(f.texto));
        QCOMPARE(janela.botao(f.valor), botao);
    }
}

QTEST_MAIN(TestFuncPinpad)
#include "tst_funcpinpad.moc"
