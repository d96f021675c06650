// The main menu: the configuration editors, reachable while the library is
// not configured (the items are hidden otherwise).

#include "app/Main.h"
#include "ui_Main.h"

#include "config/CfgCliKavex.h"
#include "config/CfgPinpad.h"
#include "widgets/Modal.h"

void TFrmtesteCliKavex32I::conectaMenu() {
    connect(ui->CfgCliKavex, &QAction::triggered, this, exclusivo(&TFrmtesteCliKavex32I::CfgCliKavexClick));
    connect(ui->CfgPinpad, &QAction::triggered, this, exclusivo(&TFrmtesteCliKavex32I::CfgPinpadClick));
}

void TFrmtesteCliKavex32I::CfgCliKavexClick() {
    platform::modal::showModal(janelas_->FrmCfgCliKavex);
}

void TFrmtesteCliKavex32I::CfgPinpadClick() {
    platform::modal::showModal(janelas_->FrmCfgPinpad);
}
