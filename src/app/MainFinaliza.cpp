// Confirming or undoing a transaction by hand, with the confirmation panel:
// the window reads the panel, the confirmation flow (fluxos/Confirmacao)
// asks and calls.

#include "app/Main.h"
#include "ui_Main.h"

#include "config/CfgCliKavex.h"
#include "fluxos/Confirmacao.h"

void TFrmtesteCliKavex32I::conectaFinalizacao() {
    connect(ui->PnlConfirm, &PainelConfirmacao::confirmacao, this,
            exclusivo(&TFrmtesteCliKavex32I::btn_confirmacaoClick));
    connect(ui->PnlConfirm, &PainelConfirmacao::confirmacaoIdentificada, this,
            exclusivo(&TFrmtesteCliKavex32I::btCnfIdentificadaClick));
}

fluxos::CamposConfirmacao TFrmtesteCliKavex32I::camposConfirmacao() const {
    fluxos::CamposConfirmacao campos = ui->PnlConfirm->campos();
    campos.comParametros = janelas_->FrmCfgCliKavex.confirmacaoComParametros();
    return campos;
}

void TFrmtesteCliKavex32I::btn_confirmacaoClick() {
    ocupa();
    fluxos::confirmaManual(camposConfirmacao(), estado_, biblioteca_, *operador_);
    HabilitaDesabilita(true);
}

void TFrmtesteCliKavex32I::btCnfIdentificadaClick() {
    ocupa();
    fluxos::confirmaIdentificada(camposConfirmacao(), estado_, biblioteca_, *operador_);
    HabilitaDesabilita(true);
}
