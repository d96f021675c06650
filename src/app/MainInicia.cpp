// Starting a function: the transaction panel yields the fields, the start flow
// (fluxos/Inicio) makes the calls, and a start answered with 10000 goes on
// in the command loop.

#include "app/Main.h"
#include "ui_Main.h"

#include "app/PainelTransacao.h"
#include "dialogs/CorrespBanc.h"
#include "dialogs/OpcaoSimNao.h"
#include "fluxos/Inicio.h"
#include "library/KavexLibrary.h"
#include "library/kavex.h"
#include "pinpad/FuncPinpad.h"
#include "widgets/Modal.h"
#include "widgets/RadioGroup.h"

void TFrmtesteCliKavex32I::BtntransacaoClick() {
    ui->EdtResultado->clear();
    janelas_->FrmCodBarra.ExibeNaoValida();
    ocupa();

    fluxos::CamposInicio campos = ui->PnlTransacao->campos();
    campos.funcaoPinpad = estado_.FuncaoPinpad;
    const bool iniciou = fluxos::iniciaFuncao(campos, estado_, biblioteca_, *operador_);
    estado_.FuncaoPinpad = 0;
    if (!iniciou) {
        // Nothing was started: the window is given back as it was.
        HabilitaDesabilita(true);
        return;
    }
    if (estado_.Retorno == KAVEX_CONTINUA_INTERATIVO) {
        ContinuaFuncao();
    } else {
        ui->EdtResultado->setText(QString::number(estado_.Retorno));
        HabilitaDesabilita(true);
    }
}

int TFrmtesteCliKavex32I::TstCnc() {
    TFrmOpcaoSimNao& pergunta = janelas_->FrmOpcaoSimNao;
    pergunta.setWindowTitle(QStringLiteral("LeCartaoDiretoEx"));
    pergunta.rgSimNao()->setTitle(QStringLiteral("Aguarda Passagem do cartão ?"));
    platform::modal::showModal(pergunta);
    return pergunta.rgSimNao()->itemIndex();
}

void TFrmtesteCliKavex32I::BtnILCDClick() {
    biblioteca_.InterrompeLeCartaoDireto();
}

// The pinpad functions window only chooses; the ordinary start carries the
// choice out, with neither transaction group selected so that no payment
// function starts before it.
void TFrmtesteCliKavex32I::BtnFuncPpdClick() {
    ui->PnlTransacao->limpaTipo();
    platform::modal::showModal(janelas_->FrmFuncPinpad);
    if (estado_.FuncaoPinpad != 0) {
        BtntransacaoClick();
    }
    ui->PnlTransacao->selecionaTEF();
}
