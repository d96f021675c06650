#pragma once

// Chooses one of the library's nine direct pinpad functions. The choice is
// left in the shared FuncaoPinpad (1 to 9; 0 when the window was left
// without one); the main window's start then carries it out.

#include "dialogs/DialogoModal.h"

#include <array>
#include <memory>

class QLabel;
class QRadioButton;
class QButtonGroup;

namespace Ui {
class TFrmFuncPinpad;
}

class TFrmFuncPinpad : public DialogoModal {
    Q_OBJECT
public:
    explicit TFrmFuncPinpad(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmFuncPinpad() override;

    // The option button of function `valor`, 1 to 9.
    QRadioButton* botao(int valor) const;

    void BtnChmFcnClick();
    void BitBtn1Click();
    void LblTstPpdClick();
    void LblLCIClick();
    void LblLCDClick();
    void Label2Click();
    void LblMsgPpdClick();
    void LblCltSnhClick();
    void LblSDClick();
    void Label3Click();
    void Label1Click();

protected:
    void FormActivate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A function's option button and the label that serves as its caption.
    struct Opcao {
        QRadioButton* botao;
        QLabel* rotulo;
        void (TFrmFuncPinpad::*clique)();
    };
    static constexpr int kFuncoes = 9;

    void marca(int valor);

    std::unique_ptr<Ui::TFrmFuncPinpad> ui;
    QButtonGroup* grupo_ = nullptr;
    // By value: opcoes_[0] is function 1.
    std::array<Opcao, kFuncoes> opcoes_{};
};
