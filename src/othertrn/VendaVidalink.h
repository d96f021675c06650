#pragma once

// A Vidalink sale: first each product is handed to the library at once, then
// the sale is started with the authorisation code and the number of products
// already informed. The command loop that follows runs after the menu closes.

#include "dialogs/DialogoModal.h"

#include <cstdint>
#include <memory>

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

    int16_t ContProdVenda = 0;
    bool FaseAutorizacao = false;

protected:
    void FormActivate() override;
    void FechaPelaMoldura() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void realizaVenda();
    void informaProduto();

    std::unique_ptr<Ui::TFrmVendaVidalink> ui;
};
