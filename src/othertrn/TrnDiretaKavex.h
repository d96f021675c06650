#pragma once

// One raw request to the payment server: the operator types its parameters one
// per line and the header fields; the direct transaction flow
// (fluxos/TransacaoDireta) packs and sends them, and the window lists what came
// back.

#include "dialogs/DialogoModal.h"
#include "fluxos/TransacaoDireta.h"

#include <memory>

namespace Ui {
class TFrmTrnDirKavex;
}

class TFrmTrnDirKavex : public DialogoModal {
    Q_OBJECT
public:
    explicit TFrmTrnDirKavex(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmTrnDirKavex() override;

    void btnPadraoClick();
    // Fills the empty header fields with their defaults; false (after
    // telling the operator) when the function is missing.
    bool VerificaCampos();
    void BtnEnviarClick();
    void BtnEncerraClick();

signals:
    // "&Encerra" was pressed: the menu that opened the window has nothing left to do.
    void encerrada();

protected:
    void preparaAparencia() override;
    void FormShow() override;
    void TeclaEsc() override;

private:
    fluxos::CamposDireta campos() const;
    void mostraCampos(const fluxos::CamposDireta& c);

    std::unique_ptr<Ui::TFrmTrnDirKavex> ui;
};
