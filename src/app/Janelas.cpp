#include "app/Janelas.h"

#include "config/CfgCliKavex.h"
#include "config/CfgPinpad.h"
#include "core/EstadoConsole.h"
#include "dialogs/ColetaCampos.h"
#include "dialogs/ColetaCodProdAutor.h"
#include "dialogs/ColetaDadosCMC7.h"
#include "dialogs/CorrespBanc.h"
#include "dialogs/CupomTEF.h"
#include "dialogs/DadosCheque.h"
#include "dialogs/MensagemPinpad.h"
#include "dialogs/MenuEscolha.h"
#include "dialogs/OpcaoSimNao.h"
#include "dialogs/SelecionaChq.h"
#include "dialogs/TelaConsulta.h"
#include "dialogs/Timeout.h"
#include "dialogs/WorkingKey.h"
#include "othertrn/AA.h"
#include "othertrn/CancVidalink.h"
#include "othertrn/ConsVlink.h"
#include "othertrn/OutraTrn.h"
#include "othertrn/TrnDiretaKavex.h"
#include "othertrn/VendaVidalink.h"
#include "othertrn/Vidalink.h"
#include "pinpad/FuncPinpad.h"

#include <QWidget>

Janelas::Janelas(EstadoConsole& estado, QWidget& principal, KavexLibrary& biblioteca, CamposPrincipais& campos)
    : estado_(estado), principal_(principal), biblioteca_(biblioteca), campos_(campos), ordem_{principal.objectName()},
      FrmCodBarra(cria<TFrmCodBarra>()), FrmConsultas(cria<TFrmConsultas>()), FrmWK(cria<TFrmWK>()),
      FrmMsgPpd(cria<TFrmMsgPpd>()), FrmAA(cria<TFrmAA>()), FrmOutrasTrn(cria<TFrmOutrasTrn>()),
      FrmVidalink(cria<TFrmVidalink>()), FrmConsVidalink(cria<TFrmConsVidalink>()),
      FrmVendaVidalink(cria<TFrmVendaVidalink>()), FrmCncVidalink(cria<TFrmCncVidalink>()),
      FrmCfgCliKavex(cria<TFrmCfgCliKavex>()), FrmCfgPinpad(cria<TFrmCfgPinpad>()),
      FrmFuncPinpad(cria<TFrmFuncPinpad>()), FrmOpcaoSimNao(cria<TFrmOpcaoSimNao>()), FrmTimeout(cria<TFrmTimeout>()),
      FrmTrnDirKavex(cria<TFrmTrnDirKavex>()), FrmCodProdAutor(cria<TFrmCodProdAutor>()), FrmMenu(cria<TFrmMenu>()),
      FrmColeta(cria<TFrmColeta>()), FrmCupomTEF(cria<TFrmCupomTEF>()), FrmCnsChq(cria<TFrmCnsChq>()),
      FrmDigitado(cria<TFrmDigitado>()), FrmCMC7(cria<TFrmCMC7>()) {
    FrmOutrasTrn.ligaJanelas(FrmVidalink, FrmTrnDirKavex);
    FrmVidalink.ligaJanelas(FrmConsVidalink, FrmVendaVidalink, FrmCncVidalink);
}
