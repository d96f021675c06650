#include "othertrn/VendaVidalink.h"
#include "ui_VendaVidalink.h"

#include "core/CamposPrincipais.h"
#include "othertrn/CamposObrigatorios.h"
#include "platform/Numeros.h"
#include "widgets/NumeroDigitado.h"

#include <QFocusEvent>

namespace {
const QString kRealizaVenda = QStringLiteral("&Realiza Venda");
const QString kProximoProduto = QStringLiteral("&Próximo Produto");
} // namespace

TFrmVendaVidalink::TFrmVendaVidalink(EstadoConsole& estado, QWidget* parent)
    : DialogoModal(estado, parent), ui(std::make_unique<Ui::TFrmVendaVidalink>()) {
    ui->setupUi(this);
    configuraJanela(Moldura::Comum, true);
    ui->EdtQdeProd->installEventFilter(this);
    connect(ui->BtnVenda, &QPushButton::clicked, this, &TFrmVendaVidalink::BtnVendaClick);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &TFrmVendaVidalink::BitBtn2Click);
}

TFrmVendaVidalink::~TFrmVendaVidalink() = default;

bool TFrmVendaVidalink::eventFilter(QObject* watched, QEvent* event) {
    // Leaving the field, not switching to another program.
    if (watched == ui->EdtQdeProd && event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason) {
        EdtQdeProdExit();
    }
    return DialogoModal::eventFilter(watched, event);
}

void TFrmVendaVidalink::FormActivate() {
    Coletadosprodutos();
    ui->EdtQdeProd->clear();
    ui->EdtQdeProd->setEnabled(true);
    ui->EdtQdeProd->setFocus();
    ui->LblNroProd->setText(QStringLiteral("1"));
    venda_.emplace(estado_, biblioteca());
    RetornoVenda.reset();
    ui->EdtResultado->clear();
    FaseAutorizacao = false;
}

// The close control abandons the sale as "&Encerra" does.
void TFrmVendaVidalink::FechaPelaMoldura() {
    BitBtn2Click();
}

void TFrmVendaVidalink::Coletadosprodutos() {
    ui->pgFases->setCurrentWidget(ui->pgProdutos);
}

void TFrmVendaVidalink::ColetaCodAutorizacao() {
    ui->pgFases->setCurrentWidget(ui->pgAutorizacao);
}

void TFrmVendaVidalink::EdtQdeProdExit() {
    if (ui->EdtQdeProd->text().isEmpty()) {
        ui->EdtQdeProd->setText(QStringLiteral("1"));
    }
    if (ui->EdtQdeProd->text() == QStringLiteral("1")) {
        ui->BtnVenda->setText(kRealizaVenda);
    } else {
        ui->BtnVenda->setText(kProximoProduto);
        ui->LblNroProd->setText(QStringLiteral("1"));
    }
}

void TFrmVendaVidalink::BtnVendaClick() {
    ui->EdtQdeProd->setEnabled(false);
    if (FaseAutorizacao) {
        realizaVenda();
    } else {
        informaProduto();
    }
}

void TFrmVendaVidalink::realizaVenda() {
    fluxos::VendaVidalink::Autorizacao autorizacao{ui->EdtCodAut->text(), ui->EdtCpFiscal->text()};
    const int32_t resultado = venda_->inicia(autorizacao);
    ui->EdtCodAut->setText(autorizacao.codigo);
    ui->EdtCpFiscal->setText(autorizacao.cupomFiscal);
    RetornoVenda = resultado;
    ui->EdtResultado->setText(QString::number(resultado));
    principal().EscreveResultado(resultado);
    principal().EscreveCupomFiscal(autorizacao.cupomFiscal);
    fecha();
}

void TFrmVendaVidalink::informaProduto() {
    if (faltaCampo({{ui->EdtCodProd, QStringLiteral("Digite o Código do Produto")},
                    {ui->EdtQde, QStringLiteral("Digite a Quantidade Adquirida")},
                    {ui->EdtValor, QStringLiteral("Digite o Valor")}},
                   this)) {
        return;
    }
    // Both numbers are read before the count moves, so a typing slip never
    // makes the next product go out with a skipped index.
    int32_t quantidade = 0;
    if (!platform::numeros::StrToInt(ui->EdtQde->text(), quantidade, this)) {
        ui->EdtQde->setFocus();
        return;
    }
    int32_t produtos = 0;
    if (!platform::numeros::StrToInt(ui->EdtQdeProd->text(), produtos, this)) {
        // The number of products may still be corrected.
        ui->EdtQdeProd->setEnabled(venda_->produtosInformados() == 0);
        ui->EdtQdeProd->setFocus();
        return;
    }
    const int32_t resultado = venda_->informaProduto(ui->EdtCodProd->text(), quantidade, ui->EdtValor->text());
    const int16_t ContProdVenda = venda_->produtosInformados();
    ui->EdtResultado->setText(QString::number(resultado));
    ui->EdtCodProd->clear();
    ui->EdtQde->clear();
    ui->EdtValor->clear();
    ui->LblNroProd->setText(QString::number(ContProdVenda + 1));
    if (produtos == ContProdVenda + 1) {
        ui->BtnVenda->setText(kRealizaVenda);
    }
    ui->EdtCodProd->setFocus();
    if (produtos == ContProdVenda) {
        ui->EdtCodAut->clear();
        ui->EdtCpFiscal->clear();
        ColetaCodAutorizacao();
        FaseAutorizacao = true;
        ui->EdtCodAut->setFocus();
    }
}

void TFrmVendaVidalink::BitBtn2Click() {
    fecha();
}
