// The flows as the main window runs them: the engines with the window's own
// operator, and the pinpad panel's cancel button.

#include "app/Main.h"
#include "ui_Main.h"

#include "app/PainelMensagens.h"
#include "fluxos/LacoComandos.h"
#include "fluxos/OutrasTransacoes.h"
#include "library/kavex.h"

void TFrmtesteCliKavex32I::criaLaco() {
    operador_ =
        std::make_unique<OperadorJanelas>(*this, *janelas_, *ui->PnlMensagens, *ui->PnlTransacao, *ui->PnlConfirm);
    laco_ = std::make_unique<LacoComandos>(estado_, biblioteca_, *operador_);
    outras_ = std::make_unique<fluxos::OutrasTransacoes>(
        estado_, biblioteca_, *operador_, [this](bool consultaVidalink) { ContinuaFuncao(consultaVidalink); });
    connect(ui->PnlMensagens, &PainelMensagens::cancelaPinpad, this, &TFrmtesteCliKavex32I::BtnCncPpdClick);
    connect(ui->PnlMensagens, &PainelMensagens::interrompeLeitura, this, &TFrmtesteCliKavex32I::BtnILCDClick);
}

void TFrmtesteCliKavex32I::ContinuaFuncao(bool consultaVidalink) {
    laco_->ContinuaFuncao(consultaVidalink);
}

// Takes effect while the loop processes pending events between two calls, so
// the -1 goes out with the very next one.
void TFrmtesteCliKavex32I::BtnCncPpdClick() {
    operador_->pedeCancelamento();
}
