#include "app/PainelConfirmacao.h"
#include "ui_PainelConfirmacao.h"

#include "widgets/RadioGroup.h"

namespace {
// "1", confirm, is chosen at start.
constexpr int kConfirma = 1;
} // namespace

PainelConfirmacao::PainelConfirmacao(QWidget* parent) : QFrame(parent), ui(std::make_unique<Ui::PainelConfirmacao>()) {
    ui->setupUi(this);
    ui->Rdgp_confirm->setItemIndex(kConfirma);
    connect(ui->Btn_Confirmacao, &QPushButton::clicked, this, &PainelConfirmacao::confirmacao);
    connect(ui->btCnfIdentificada, &QPushButton::clicked, this, &PainelConfirmacao::confirmacaoIdentificada);
}

PainelConfirmacao::~PainelConfirmacao() = default;

fluxos::CamposConfirmacao PainelConfirmacao::campos() const {
    fluxos::CamposConfirmacao campos;
    campos.cupomFiscal = ui->EdtCpFiscal2->text();
    campos.hora = ui->EdtHora2->text();
    campos.opcao = ui->Rdgp_confirm->itemIndex();
    return campos;
}

void PainelConfirmacao::escreveCampos(const QString& cupomFiscal, const QString& hora) {
    ui->EdtCpFiscal2->setText(cupomFiscal);
    ui->EdtHora2->setText(hora);
}

void PainelConfirmacao::limpa() {
    escreveCampos(QString(), QString());
}

void PainelConfirmacao::habilita(bool sim) {
    for (QWidget* w : {static_cast<QWidget*>(ui->Btn_Confirmacao), static_cast<QWidget*>(ui->btCnfIdentificada),
                       static_cast<QWidget*>(ui->Rdgp_confirm), static_cast<QWidget*>(ui->EdtCpFiscal2),
                       static_cast<QWidget*>(ui->EdtHora2), static_cast<QWidget*>(this)}) {
        w->setEnabled(sim);
    }
}

QList<QWidget*> PainelConfirmacao::ordemTab() const {
    return {ui->Btn_Confirmacao, ui->btCnfIdentificada, ui->EdtHora2, ui->EdtCpFiscal2};
}
