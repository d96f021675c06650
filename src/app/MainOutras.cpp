// The other-transactions visit as the main window runs it: the window is
// locked from the visit's first step to its last, and the flow
// (fluxos/OutrasTransacoes) does the rest.

#include "app/Main.h"
#include "ui_Main.h"

#include "app/PainelTransacao.h"
#include "fluxos/OutrasTransacoes.h"

namespace {

// Keeps the window locked from the visit's first step to its last, even when
// the visit ends by an exception.
class TravaVisita {
public:
    explicit TravaVisita(bool& ativa) : ativa_(ativa) { ativa_ = true; }
    ~TravaVisita() { ativa_ = false; }
    TravaVisita(const TravaVisita&) = delete;
    TravaVisita& operator=(const TravaVisita&) = delete;

private:
    bool& ativa_;
};

} // namespace

void TFrmtesteCliKavex32I::EscreveResultado(int32_t codigo) {
    ui->EdtResultado->setText(QString::number(codigo));
}

void TFrmtesteCliKavex32I::EscreveCupomFiscal(const QString& cupom) {
    ui->PnlTransacao->escreveCupomFiscal(cupom);
}

void TFrmtesteCliKavex32I::substituiLacoDasOutras(std::function<void(bool)> laco) {
    outras_->substituiLaco(std::move(laco));
}

void TFrmtesteCliKavex32I::btnOutrasTrnClick() {
    {
        TravaVisita trava(visitaOutras_);
        ocupa();
        outras_->visita(ui->PnlTransacao->campos().cupomFiscal);
    }
    HabilitaDesabilita(true);
}
