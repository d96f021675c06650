// The flows as the main window runs them: the engines with the window's own
// operator, and the pinpad panel's cancel button.

#include "app/Main.h"
#include "ui_Main.h"

#include "app/OperadorJanelas.h"
#include "fluxos/LacoComandos.h"
#include "fluxos/OutrasTransacoes.h"
#include "library/kavex.h"

void TFrmtesteCliKavex32I::criaLaco() {
    operador_ = std::make_unique<OperadorJanelas>(
        *this, OperadorJanelas::Controles{ui->Memo, ui->MemoMsgOperador, ui->EdtData, ui->PnlCncPpd, ui->LblContador,
                                          ui->EdtResultado, ui->RdGrImpr, ui->EdtCpFiscal, ui->EdtHora, ui->EdtValor,
                                          ui->EdtCpFiscal2, ui->EdtHora2, ui->pnlILCD});
    laco_ = std::make_unique<LacoComandos>(estado_, biblioteca_, *operador_);
    outras_ =
        std::make_unique<fluxos::OutrasTransacoes>(estado_, biblioteca_, *operador_, [this] { ContinuaFuncao(); });
    connect(ui->BtnCncPpd, &QPushButton::clicked, this, &TFrmtesteCliKavex32I::BtnCncPpdClick);
}

void TFrmtesteCliKavex32I::ContinuaFuncao() {
    laco_->ContinuaFuncao();
}

// Takes effect while the loop processes pending events between two calls, so
// the -1 goes out with the very next one.
void TFrmtesteCliKavex32I::BtnCncPpdClick() {
    estado_.Continua = KAVEX_CONTINUA_ENCERRA;
    ui->PnlCncPpd->hide();
}
