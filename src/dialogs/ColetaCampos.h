#pragma once

// Collects one field for the command loop. Enter takes the typed value;
// "&Encerra" and "&Volta" leave a placeholder of thirteen zeros, long enough
// for the loop's minimum-length check, and say the rest through the dialog's
// continua().

#include "dialogs/DialogoModal.h"

#include <QString>
#include <memory>

class QLineEdit;
class QRadioButton;

namespace Ui {
class TFrmColeta;
}

class TFrmColeta : public DialogoModal {
    Q_OBJECT
public:
    explicit TFrmColeta(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmColeta() override;

    QString CampoColetado;

    QLineEdit* EdtColeta() const;
    // Selected when the operator wants 1000 sent instead of 0.
    QRadioButton* RdBtnCtn1000() const;

    // Shows the library's prompt exactly as it came.
    void MostraSolicitacao(const QString& solicitacao);
    // Maximum length of the value; 0 means no limit.
    void LimitaTamanho(int tamanhoMaximo);

    void EdtColetaKeyPress(QChar& Key);
    void BitBtn1Click();
    void BitBtn2Click();
    void RdBtnCtn0Click();
    void RdBtnCtn1000Click();

protected:
    void FormShow() override;
    void FormActivate() override;

private:
    std::unique_ptr<Ui::TFrmColeta> ui;
};
