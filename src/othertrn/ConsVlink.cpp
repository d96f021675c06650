#include "othertrn/ConsVlink.h"
#include "ui_ConsVlink.h"

#include "platform/Numeros.h"
#include "widgets/Prompt.h"

namespace {
const QString kPrimeiroProduto = QStringLiteral("1");
} // namespace

TFrmConsVidalink::TFrmConsVidalink(EstadoConsole& estado, QWidget* parent)
    : DialogoModal(estado, parent), ui(std::make_unique<Ui::TFrmConsVidalink>()) {
    ui->setupUi(this);
    configuraJanela(Moldura::Comum, true);
    connect(ui->RdBtnProdOne, &QRadioButton::clicked, this, &TFrmConsVidalink::RdBtnProdOneClick);
    connect(ui->RdBtnProdAll, &QRadioButton::clicked, this, &TFrmConsVidalink::RdBtnProdAllClick);
    connect(ui->BtnTransacao, &QPushButton::clicked, this, &TFrmConsVidalink::BtnTransacaoClick);
    connect(ui->BtnEncerra, &QPushButton::clicked, this, &TFrmConsVidalink::BtnEncerraClick);
}

TFrmConsVidalink::~TFrmConsVidalink() = default;

void TFrmConsVidalink::preparaVisita(fluxos::ConsultaVidalink& consulta) {
    consulta_ = &consulta;
    QLineEdit* const campos[] = {ui->EdtCodAut,   ui->EdtQdeProd, ui->EdtCodProd, ui->EdtCpFiscal,
                                 ui->EdtDtFiscal, ui->EdtHorario, ui->EdtOperador};
    for (QLineEdit* campo : campos) {
        campo->clear();
        campo->setEnabled(campo == ui->EdtCodAut);
    }
    quantidadeTomada_.reset();
}

void TFrmConsVidalink::FormActivate() {
    ui->BtnTransacao->setText(consulta_->iniciada() ? QStringLiteral("&Realiza Consulta")
                                                    : QStringLiteral("&Envia Cod Autor"));
    focaPrimeiroCampo();
    if (!ui->RdBtnProdOne->isChecked()) {
        ui->RdBtnProdOne->setChecked(true);
        devolveQuantidade();
    }
}

void TFrmConsVidalink::TeclaEsc() {
    BtnEncerraClick();
}

void TFrmConsVidalink::FechaPelaMoldura() {
    BtnEncerraClick();
}

void TFrmConsVidalink::focaPrimeiroCampo() {
    if (ui->EdtCodAut->isEnabled()) {
        ui->EdtCodAut->setFocus();
    } else if (ui->EdtQdeProd->isEnabled()) {
        ui->EdtQdeProd->setFocus();
    } else {
        ui->EdtCodProd->setFocus();
    }
}

void TFrmConsVidalink::RdBtnProdOneClick() {
    devolveQuantidade();
    focaPrimeiroCampo();
}

void TFrmConsVidalink::devolveQuantidade() {
    if (quantidadeTomada_) {
        ui->EdtQdeProd->setText(quantidadeTomada_->first);
        ui->EdtQdeProd->setEnabled(quantidadeTomada_->second);
        quantidadeTomada_.reset();
    }
}

void TFrmConsVidalink::RdBtnProdAllClick() {
    if (ui->EdtCodAut->isEnabled()) {
        ui->EdtCodAut->setFocus();
        return;
    }
    if (!quantidadeTomada_) {
        quantidadeTomada_.emplace(ui->EdtQdeProd->text(), ui->EdtQdeProd->isEnabled());
    }
    ui->EdtQdeProd->clear();
    ui->EdtQdeProd->setEnabled(false);
    ui->EdtCodProd->setFocus();
}

void TFrmConsVidalink::BtnEncerraClick() {
    consulta_->encerra();
    fecha();
}

void TFrmConsVidalink::BtnTransacaoClick() {
    if (consulta_->iniciada()) {
        passoProduto();
    } else if (consulta_->maisProdutos()) {
        passoAutorizacao();
    }
}

fluxos::ConsultaVidalink::Campos TFrmConsVidalink::campos() const {
    return {ui->EdtCodAut->text(),   ui->EdtQdeProd->text(), ui->EdtCpFiscal->text(),
            ui->EdtDtFiscal->text(), ui->EdtHorario->text(), ui->EdtOperador->text()};
}

void TFrmConsVidalink::passoAutorizacao() {
    ui->LblCodProd->setText(kPrimeiroProduto);
    if (ui->EdtCodAut->text().isEmpty()) {
        platform::prompt::showMessage(QStringLiteral("Digite o Código de Autorização."), this);
        ui->EdtCodAut->setFocus();
        return;
    }
    fluxos::ConsultaVidalink::Campos c = campos();
    const std::pair<QLineEdit*, QString*> preenchidos[] = {{ui->EdtQdeProd, &c.quantidade},
                                                           {ui->EdtCpFiscal, &c.cupomFiscal},
                                                           {ui->EdtDtFiscal, &c.dataFiscal},
                                                           {ui->EdtHorario, &c.horario},
                                                           {ui->EdtOperador, &c.operador}};
    consulta_->passoAutorizacao(c, ui->RdBtnProdAll->isChecked());
    for (const auto& [campo, texto] : preenchidos) {
        campo->setText(*texto);
        campo->setEnabled(true);
    }
    ui->EdtCodAut->setEnabled(false);
    ui->EdtCodProd->setEnabled(true);
    fecha();
}

void TFrmConsVidalink::passoProduto() {
    // "Todos os Produtos" chosen now leaves no quantity: this product is the
    // last one. Otherwise the quantity must be a whole number before anything
    // moves, so a typing slip costs no product step.
    std::optional<int32_t> quantidade;
    if (!ui->RdBtnProdAll->isChecked()) {
        quantidade = platform::numeros::leInteiro(ui->EdtQdeProd->text());
        if (!quantidade || *quantidade < 1) {
            platform::prompt::showMessage(
                QStringLiteral("A Quantidade de Produtos deve ser um número inteiro maior que zero."), this);
            focaPrimeiroCampo();
            return;
        }
    }
    quantidadeTomada_.reset();
    ui->EdtQdeProd->setEnabled(false);
    consulta_->passoProduto(campos(), ui->EdtCodProd->text(), quantidade);
    ui->LblCodProd->setText(consulta_->maisProdutos() ? QString::number(consulta_->produtos() + 1) : kPrimeiroProduto);
    fecha();
}
