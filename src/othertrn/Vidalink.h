#pragma once

// The Vidalink hub: consultation, sale or cancellation. Each choice is kept
// in EscolhaFeita, opens its window and, once that window has closed, closes
// the hub (and with it the other-transactions menu).

#include "dialogs/DialogoModal.h"
#include "fluxos/Operador.h"

#include <memory>

class TFrmConsVidalink;
class TFrmVendaVidalink;
class TFrmCncVidalink;

namespace Ui {
class TFrmVidalink;
}

class TFrmVidalink : public DialogoModal {
    Q_OBJECT
public:
    explicit TFrmVidalink(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmVidalink() override;

    void ligaJanelas(TFrmConsVidalink& consulta, TFrmVendaVidalink& venda, TFrmCncVidalink& cancelamento);

    void BtnConsVidalinkClick();
    void BitBtn3Click();
    void BitBtn5Click();
    void BitBtn4Click();

    // The operator's choice in the last showing.
    OperadorLaco::EscolhaVidalink EscolhaFeita = OperadorLaco::EscolhaVidalink::Nenhuma;

protected:
    void FormShow() override;

private:
    std::unique_ptr<Ui::TFrmVidalink> ui;
    TFrmConsVidalink* FrmConsVidalink = nullptr;
    TFrmVendaVidalink* FrmVendaVidalink = nullptr;
    TFrmCncVidalink* FrmCncVidalink = nullptr;
};
