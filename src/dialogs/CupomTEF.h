#pragma once

// The receipt of the function that has just ended, and the operator's decision
// on how it is finished: confirm (Enter), undo, or leave it pending (Esc) for
// the confirmation panel.

#include "dialogs/DialogoModal.h"

#include <cstdint>
#include <memory>

class QPlainTextEdit;

namespace Ui {
class TFrmCupomTEF;
}

class TFrmCupomTEF : public DialogoModal {
    Q_OBJECT
public:
    explicit TFrmCupomTEF(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmCupomTEF() override;

    enum : int32_t { Desfaz = 0, Confirma = 1, Pendente = 2 };
    // The finishing choice: 0 undo, 1 confirm, 2 leave pending.
    int32_t OpcaoConfirmacao = Desfaz;

    QPlainTextEdit* MemCupom() const;

    void BtnConfirmaClick();
    void BtnNaoConfirmaClick();
    void BtnPendenteClick();

protected:
    void preparaAparencia() override;
    void FormActivate() override;
    void TeclaEsc() override;

private:
    std::unique_ptr<Ui::TFrmCupomTEF> ui;
};
