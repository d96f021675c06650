// The pinpad functions window on its own: choosing by button or keyboard (the
// start's tests choose every function by its label), the question when
// nothing is chosen, and nothing left chosen when the window is left or
// shown again.

#include "Harness.h"
#include "Operador.h"

#include "core/EstadoConsole.h"
#include "pinpad/FuncPinpad.h"
#include "widgets/Modal.h"
#include "widgets/Prompt.h"

#include <QLabel>
#include <QRadioButton>

using namespace harness;

class TestFuncPinpad : public QObject {
    Q_OBJECT
private slots:
    void choosesOneAndForgetsIt();
};

void TestFuncPinpad::choosesOneAndForgetsIt() {
    startSeams();
    EstadoConsole estado;
    TFrmFuncPinpad janela(estado);
    const char* const rotulos[] = {"LblTstPpd", "LblLCI", "LblLCD", "Label2", "LblMsgPpd",
                                   "LblCltSnh", "LblSD",  "Label3", "Label1"};
    // The buttons have no caption: their labels name them, to the eye and to
    // a screen reader.
    for (int valor = 1; valor <= 9; ++valor) {
        QVERIFY(janela.botao(valor)->text().isEmpty());
        QCOMPARE(nomeAcessivel(janela.botao(valor)), controle<QLabel>(janela, rotulos[valor - 1])->text());
    }
    auto marcados = [&janela] {
        QList<int> lista;
        for (int valor = 1; valor <= 9; ++valor) {
            if (janela.botao(valor)->isChecked()) {
                lista << valor;
            }
        }
        return lista;
    };
    // From the first button: two steps right, Space, Enter for "&Chama Função".
    platform::modal::expect("FrmFuncPinpad", [](QDialog&) {
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
            QCOMPARE(marcados(), QList<int>());
            if (encerra) {
                clica(w, "BtnChmFcn");
                QVERIFY(w.isVisible());
            }
            clicaIndicador(janela.botao(8));
            QTest::mouseClick(controle<QWidget>(w, "Label1"), Qt::LeftButton);
            QCOMPARE(marcados(), QList<int>{9});
            encerra ? clica(w, "BitBtn1") : (void)w.close();
        });
        platform::modal::showModal(janela);
        QCOMPARE(estado.FuncaoPinpad, 0);
    }
    KAVEX_VERIFY_SEAMS();
}

QTEST_MAIN(TestFuncPinpad)
#include "tst_funcpinpad.moc"
