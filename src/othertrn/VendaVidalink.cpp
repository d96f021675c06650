#include "othertrn/VendaVidalink.h"
#include "ui_VendaVidalink.h"

#include "core/CamposPrincipais.h"
#include "core/EstadoConsole.h"
#include "fluxos/Padroes.h"
#include "library/KavexLibrary.h"
#include "library/kavex.h"
#include "othertrn/CamposObrigatorios.h"
#include "platform/Numeros.h"
#include "platform/Win1252.h"
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
    ContProdVenda = 0;
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
    if (ui->EdtCodAut->text().isEmpty()) {
        ui->EdtCodAut->setText(padroes::kCupomFiscal);
    }
    if (ui->EdtCpFiscal->text().isEmpty()) {
        ui->EdtCpFiscal->setText(QStringLiteral("54321"));
    }
    dataehora(estado_);
    const QByteArray autorizacao = platform::toWin1252(ui->EdtCodAut->text());
    const QByteArray cupom = platform::toWin1252(ui->EdtCpFiscal->text());
    const QByteArray data = platform::toWin1252(estado_.DataFiscal);
    const QByteArray hora = platform::toWin1252(estado_.HoraFiscal);
    const int32_t resultado = biblioteca().IniciaFuncaoKavexInterativoVendaVidalink(
        autorizacao.constData(), ContProdVenda, cupom.constData(), data.constData(), hora.constData(),
        platform::toWin1252(padroes::kOperador).constData());
    ui->EdtResultado->setText(QString::number(resultado));
    principal().EscreveResultado(resultado);
    if (resultado != KAVEX_CONTINUA_INTERATIVO) {
        estado_.VendaVidalinkAtiva = false;
    }
    principal().EscreveCupomFiscal(ui->EdtCpFiscal->text());
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
        ui->EdtQdeProd->setEnabled(ContProdVenda == 0);
        ui->EdtQdeProd->setFocus();
        return;
    }
    ++ContProdVenda;
    const QByteArray codigo = platform::toWin1252(ui->EdtCodProd->text());
    const QByteArray valor = platform::toWin1252(ui->EdtValor->text());
    const int32_t resultado =
        biblioteca().InformaProdutoVendaVidalink(ContProdVenda, codigo.constData(), quantidade, valor.constData());
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
    estado_.VendaVidalinkAtiva = false;
    fecha();
}
