#pragma once

// Consultation results gathered while a function runs (benefit items, long
// texts to acknowledge). The caller sets the caption before each showing;
// "&OK" closes it.

#include "dialogs/DialogoModal.h"

#include <memory>

class QPlainTextEdit;

namespace Ui {
class TFrmConsultas;
}

class TFrmConsultas : public DialogoModal {
    Q_OBJECT
public:
    explicit TFrmConsultas(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmConsultas() override;

    QPlainTextEdit* MemoConsultas() const;

    void BitBtn1Click();

protected:
    void preparaAparencia() override;
    void FormActivate() override;

private:
    std::unique_ptr<Ui::TFrmConsultas> ui;
};
