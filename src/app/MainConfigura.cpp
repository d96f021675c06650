// Configuring the library: the configuration panel gathers the fields, the
// flow (fluxos/Configuracao) makes the call, and the window switches between
// Unconfigured and Configured.

#include "app/Main.h"
#include "ui_Main.h"

#include "app/PainelTransacao.h"
#include "fluxos/Configuracao.h"
#include "library/KavexLibrary.h"
#include "widgets/Prompt.h"

namespace {
const QString kMenuConfiguracoes = QStringLiteral("C&onfigurações");
} // namespace

void TFrmtesteCliKavex32I::BtnConfiguraClick() {
    PainelConfiguracao& configuracao = *ui->PnlConfiguracao;
    const bool configurar = !configuracao.configurado();
    if (configurar) {
        const int32_t resultado = fluxos::configura(configuracao.campos(), estado_, biblioteca_);
        ui->EdtResultado->setText(QString::number(resultado));
    }
    configuracao.mostraConfigurado(configurar);
    ui->CfgCliKavex->setVisible(!configurar);
    ui->CfgPinpad->setVisible(!configurar);
    // A menu with nothing to show gives up its Alt+O to "&Outras Funções";
    // sharing it would make the first press only move the focus.
    ui->MnuConfiguracoes->setTitle(configurar ? QString(kMenuConfiguracoes).remove(u'&') : kMenuConfiguracoes);
    HabilitaDesabilita(configurar);
    if (configurar) {
        ui->PnlTransacao->selecionaTEF();
    }
}

// The library's state went with its host: it must be configured again.
void TFrmtesteCliKavex32I::mostraQueda() {
    const std::optional<Queda> queda = biblioteca_.queda();
    if (!queda || queda->chamada == quedaMostrada_) {
        return;
    }
    quedaMostrada_ = queda->chamada;
    platform::prompt::showError(queda->descricao(), this);
    if (ui->PnlConfiguracao->configurado()) {
        BtnConfiguraClick();
    }
}
