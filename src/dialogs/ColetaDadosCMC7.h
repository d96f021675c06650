#pragma once

// The data of a cheque as one CMC-7 line, as a reader or the operator types
// it. Nothing is checked here; the command loop enforces the minimum length.

#include "dialogs/DialogoModal.h"

#include <QString>
#include <cstdint>
#include <memory>

class QLabel;
class QLineEdit;

namespace Ui {
class TFrmCMC7;
}

class TFrmCMC7 : public DialogoModal {
    Q_OBJECT
public:
    explicit TFrmCMC7(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmCMC7() override;

    // The line as last accepted; 34 zeros after "&Encerra".
    QString DadosCMC7;

    // Where the library's prompt goes.
    QLabel* CMC7() const;
    QLineEdit* EdtCMC7() const;
    // Maximum length of the line as the library asks it; 0 (or less) means
    // no limit.
    void LimitaCMC7(int16_t tamanhoMaximo);
    void LimpaCampo();
    // Shows the library's prompt exactly as it comes ("&" included).
    void MostraCMC7(const QString& solicitacao);

    void FormActivate() override;
    void BitBtnConsultaClick();
    void BitBtnPreencherClick();
    void BitBtnEncerraClick();

protected:
    void preparaAparencia() override;

private:
    void EdtCMC7Edited();

    std::unique_ptr<Ui::TFrmCMC7> ui;
    // The limit the library asked for.
    int limite_ = 0;
};
