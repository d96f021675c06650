#pragma once

// The data of a cheque typed field by field as printed on it. The fields are
// checked for length only; the library judges their content.

#include "dialogs/DialogoModal.h"

#include <QString>
#include <array>
#include <memory>

class QLabel;
class QLineEdit;

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
    void preparaAparencia() override;
    void TeclaEsc() override;

private:
    // An edit box with the variable it fills, the characters it must hold,
    // its sample value and the message that asks for it. The account and the
    // cheque number may be short: they are completed with zeros in front, and
    // only an empty one is a fault, reported in a titled box.
    struct Campo {
        QLineEdit* edit;
        QString& valor;
        qsizetype tamanho;
        bool completaComZeros;
        QString amostra;
        QString mensagem;
    };
    // In screen order, which is also the order of the checks and of the
    // answer to the library.
    std::array<Campo, 8> campos();

    std::unique_ptr<Ui::TFrmDigitado> ui;
};
