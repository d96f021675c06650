#pragma once

// Cancels an earlier Vidalink sale, totally or partially. The window gathers
// the sale's identification and, for a partial cancellation, each product,
// which the cancellation flow (fluxos/Vidalink) hands to the library at once
// to be accepted or refused; the cancellation itself is started last.

#include "dialogs/DialogoModal.h"

#include "fluxos/Vidalink.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace Ui {
class TFrmCncVidalink;
}

class TFrmCncVidalink : public DialogoModal {
    Q_OBJECT
public:
    explicit TFrmCncVidalink(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmCncVidalink() override;

    void RdBtnTotalClick();
    void RdBtnParcialClick();
    void edNumProdInformarExit();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void HabilitaDadosOriginais(bool habilita);

    // The result of the cancellation's start in this showing; nothing when
    // the window was left without starting it.
    std::optional<int32_t> RetornoCncVidalink;

protected:
    void FormActivate() override;
    void TeclaEsc() override;
    void FechaPelaMoldura() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool leProdutosInformar(int32_t& produtos);
    void mostraPainel(bool mostra);
    void sai();

    std::unique_ptr<Ui::TFrmCncVidalink> ui;
    // The products informed; a new one from the first product sent.
    std::optional<fluxos::CancelamentoVidalink> cancelamento_;
};
