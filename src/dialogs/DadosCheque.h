#pragma once

// The data of a cheque typed field by field as printed on it. The fields are
// checked for length only; the library judges their content.

#include "dialogs/DialogoModal.h"

#include <QString>
#include <memory>

class QLabel;

namespace Ui {
class TFrmDigitado;
}

class TFrmDigitado : public DialogoModal {
    Q_OBJECT
public:
    explicit TFrmDigitado(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmDigitado() override;

    // The fields as last accepted by "&Consulta"; Conta and NumeroCheque are
    // left-padded with "0" to 10 and 6 characters. "&Encerra" keeps them.
    QString Compensacao;
    QString Banco;
    QString Agencia;
    QString C1;
    QString Conta;
    QString C2;
    QString NumeroCheque;
    QString C3;

    // Where the library's prompt goes.
    QLabel* DadosCheque() const;
    // Empties the eight edit boxes before a cheque request.
    void LimpaCampos();

    void FormActivate() override;
    void BtnConsultaClick();
    void BtnPreencherClick();
    void BitBtnEncerraClick();

protected:
    void TeclaEsc() override;

private:
    std::unique_ptr<Ui::TFrmDigitado> ui;
};
