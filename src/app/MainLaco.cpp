// The command loop as the main window runs it: the engine with the window's
// own operator, and the pinpad panel's cancel button.

#include "app/Main.h"
#include "ui_Main.h"

#include "app/LacoComandos.h"
#include "app/OperadorJanelas.h"

void TFrmtesteCliKavex32I::criaLaco() {
    operador_ = std::make_unique<OperadorJanelas>(
        *this, OperadorJanelas::Controles{ui->Memo, ui->MemoMsgOperador, ui->EdtData, ui->PnlCncPpd, ui->LblContador,
                                          ui->EdtResultado, ui->RdGrImpr, ui->EdtCpFiscal, ui->EdtHora});
    laco_ = std::make_unique<LacoComandos>(estado_, *estado_.biblioteca, *operador_);
    connect(ui->BtnCncPpd, &QPushButton::clicked, this, &TFrmtesteCliKavex32I::BtnCncPpdClick);
}

void TFrmtesteCliKavex32I::ContinuaFuncao() {
    laco_->ContinuaFuncao();
}

// Takes effect while the loop processes pending events between two calls, so
// the -1 goes out with the very next one.
void TFrmtesteCliKavex32I::BtnCncPpdClick() {
    estado_.Continua = -1;
    ui->PnlCncPpd->hide();
}
