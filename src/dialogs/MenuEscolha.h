#pragma once

// The menu of the command loop: the library's heading and options, the
// operator types the option. Enter takes the option; "&Encerra" and "&Volta"
// end or go back instead (the dialog's continua()).

#include "dialogs/DialogoModal.h"

#include <QString>
#include <memory>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace Ui {
class TFrmMenu;
}

class TFrmMenu : public DialogoModal {
    Q_OBJECT
public:
    explicit TFrmMenu(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmMenu() override;

    // The option typed at the last Enter; kept when a button closes the menu.
    QString OpcaoMenu;

    QLabel* CabecalhoMenu() const;
    QLineEdit* EdtOpcao() const;
    // Selected when the operator wants 1000 sent instead of 0.
    QRadioButton* RdBtnCont1000() const;

    // Shows the library's option list exactly as it came.
    void MostraOpcoes(const QString& opcoes);
    // Maximum length of the option; 0 means no limit.
    void LimitaTamanho(int tamanhoMaximo);

    void EdtOpcaoKeyPress(QChar& Key);
    void BitBtn1Click();
    void BitBtn2Click();
    void RdBtnCont0Click();
    void RdBtnCont1000Click();

protected:
    void FormShow() override;
    void FormActivate() override;

private:
    std::unique_ptr<Ui::TFrmMenu> ui;
};
