#include "othertrn/ConsVlink.h"
#include "ui_ConsVlink.h"

#include "core/CamposPrincipais.h"
#include "core/EstadoConsole.h"
#include "fluxos/Padroes.h"
#include "library/KavexLibrary.h"
#include "library/kavex.h"
#include "platform/Numeros.h"
#include "platform/Win1252.h"
#include "widgets/Prompt.h"

namespace {
const QString kModoIndividual = QStringLiteral("0");
const QString kModoTodos = QStringLiteral("1");
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

void TFrmConsVidalink::preparaVisita() {
    QLineEdit* const campos[] = {ui->EdtCodAut,   ui->EdtQdeProd, ui->EdtCodProd, ui->EdtCpFiscal,
                                 ui->EdtDtFiscal, ui->EdtHorario, ui->EdtOperador};
    for (QLineEdit* campo : campos) {
        campo->clear();
        campo->setEnabled(campo == ui->EdtCodAut);
    }
    quantidadeTomada_.reset();
}

void TFrmConsVidalink::FormActivate() {
    ui->BtnTransacao->setText(estado_.ConsultaIniciada ? QStringLiteral("&Realiza Consulta")
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

void TFrmConsVidalink::encerraConsulta() {
    estado_.ConsultaIniciada = false;
    estado_.ConsultaMaisProdutos = false;
}

void TFrmConsVidalink::BtnEncerraClick() {
    encerraConsulta();
    fecha();
}

void TFrmConsVidalink::BtnTransacaoClick() {
    if (estado_.ConsultaIniciada) {
        passoProduto();
    } else if (estado_.ConsultaMaisProdutos) {
        passoAutorizacao();
    }
}

// One step's call; a step that the library does not take ends the consultation.
void TFrmConsVidalink::consulta(const QString& codigoProduto) {
    const QByteArray autorizacao = platform::toWin1252(ui->EdtCodAut->text());
    const QByteArray produto = platform::toWin1252(codigoProduto);
    const QByteArray cupom = platform::toWin1252(ui->EdtCpFiscal->text());
    const QByteArray data = platform::toWin1252(ui->EdtDtFiscal->text());
    const QByteArray hora = platform::toWin1252(ui->EdtHorario->text());
    const QByteArray operador = platform::toWin1252(ui->EdtOperador->text());
    RetornoConsVidalink = biblioteca().IniciaFuncaoKavexInterativoConsultaVidalink(
        autorizacao.constData(), produto.constData(), cupom.constData(), data.constData(), hora.constData(),
        operador.constData());
    if (RetornoConsVidalink != KAVEX_CONTINUA_INTERATIVO) {
        encerraConsulta();
    }
    principal().EscreveResultado(RetornoConsVidalink);
}

void TFrmConsVidalink::passoAutorizacao() {
    RetornoConsVidalink = 0;
    ContProdConsulta = 0;
    ui->LblCodProd->setText(kPrimeiroProduto);
    if (ui->EdtCodAut->text().isEmpty()) {
        platform::prompt::showMessage(QStringLiteral("Digite o Código de Autorização."), this);
        ui->EdtCodAut->setFocus();
        return;
    }
    estado_.ConsultaIniciada = true;
    dataehora(estado_);
    const std::pair<QLineEdit*, QString> padroes[] = {{ui->EdtQdeProd, QStringLiteral("1")},
                                                      {ui->EdtCpFiscal, padroes::kCupomFiscal},
                                                      {ui->EdtDtFiscal, estado_.DataFiscal},
                                                      {ui->EdtHorario, estado_.HoraFiscal},
                                                      {ui->EdtOperador, padroes::kOperador}};
    for (const auto& [campo, padrao] : padroes) {
        if (campo->text().isEmpty()) {
            campo->setText(padrao);
        }
        campo->setEnabled(true);
    }
    ui->EdtCodAut->setEnabled(false);
    ui->EdtCodProd->setEnabled(true);
    if (ui->RdBtnProdOne->isChecked()) {
        ModoConsulta = kModoIndividual;
    } else {
        ModoConsulta = kModoTodos;
        estado_.ConsultaMaisProdutos = false;
    }
    consulta(ModoConsulta);
    fecha();
}

void TFrmConsVidalink::passoProduto() {
    // "Todos os Produtos" chosen now leaves no quantity: this product is the
    // last one. Otherwise the quantity must be a whole number before anything
    // moves, so a typing slip costs no product step.
    const bool ultimoPorEscolha = ui->RdBtnProdAll->isChecked();
    int32_t quantidade = 0;
    if (!ultimoPorEscolha) {
        const auto lida = platform::numeros::leInteiro(ui->EdtQdeProd->text());
        if (!lida || *lida < 1) {
            platform::prompt::showMessage(
                QStringLiteral("A Quantidade de Produtos deve ser um número inteiro maior que zero."), this);
            focaPrimeiroCampo();
            return;
        }
        quantidade = *lida;
    }
    RetornoConsVidalink = 0;
    quantidadeTomada_.reset();
    ++ContProdConsulta;
    ui->LblCodProd->setText(QString::number(ContProdConsulta + 1));
    dataehora(estado_);
    ui->EdtQdeProd->setEnabled(false);
    consulta(ui->EdtCodProd->text());
    if (ultimoPorEscolha || quantidade == ContProdConsulta) {
        estado_.ConsultaMaisProdutos = false;
        ui->LblCodProd->setText(kPrimeiroProduto);
    }
    fecha();
}
