#pragma once

// A Vidalink sale: the window gathers each product and hands it to the sale
// flow (fluxos/Vidalink), which informs the library at once, then the
// authorisation code for the start. The command loop that follows runs after
// the menu closes.

#include "dialogs/DialogoModal.h"

#include "fluxos/Vidalink.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace Ui {
class TFrmVendaVidalink;
}

class TFrmVendaVidalink : public DialogoModal {
    Q_OBJECT
public:
    explicit TFrmVendaVidalink(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmVendaVidalink() override;

    void EdtQdeProdExit();
    void BtnVendaClick();
    void BitBtn2Click();
    void Coletadosprodutos();
    void ColetaCodAutorizacao();

    bool FaseAutorizacao = false;
    // The result of the sale's start in this showing; nothing when the
    // window was left without starting it.
    std::optional<int32_t> RetornoVenda;

protected:
    void FormActivate() override;
    void FechaPelaMoldura() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void realizaVenda();
    void informaProduto();

    std::unique_ptr<Ui::TFrmVendaVidalink> ui;
    // Each showing is a new sale.
    std::optional<fluxos::VendaVidalink> venda_;
};
