#pragma once

// One raw request to the payment server: the operator types its parameters one
// per line, the window packs them with the header fields, sends them with
// EnviaRecebeKavexDireto and lists what came back.

#include "dialogs/DialogoModal.h"
#include "fluxos/BufferDireto.h"

#include <array>
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
    bool VerificaCampos();
    // False (after telling the operator) when the request does not fit.
    bool MontaBufferEnvio();
    void BtnEnviarClick();
    void MontaRetorno(int32_t resultado, int16_t rede);
    void BtnEncerraClick();

signals:
    // "&Encerra" was pressed: the menu that opened the window has nothing left to do.
    void encerrada();

protected:
    void preparaAparencia() override;
    void FormShow() override;
    void TeclaEsc() override;

private:
    std::unique_ptr<Ui::TFrmTrnDirKavex> ui;
    std::array<char, trndireta::kTamBuffer> BufferEnvio{};
    int16_t TamBufferEnvio = 0;
    std::array<char, trndireta::kTamBuffer> BufferRetorno{};
};
