#include "othertrn/CancVidalink.h"
#include "ui_CancVidalink.h"

#include "core/CamposPrincipais.h"
#include "othertrn/CamposObrigatorios.h"
#include "platform/Numeros.h"
#include "widgets/NumeroDigitado.h"
#include "widgets/Prompt.h"

#include <QApplication>
#include <QFocusEvent>
#include <QStyle>

namespace {
const QString kDigiteProdutosInformar = QStringLiteral("Digite o número de Produtos a serem informados");
} // namespace

TFrmCncVidalink::TFrmCncVidalink(EstadoConsole& estado, QWidget* parent)
    : DialogoModal(estado, parent), ui(std::make_unique<Ui::TFrmCncVidalink>()) {
    ui->setupUi(this);
    // The panel's button starts with the longest of its captions; the room
    // beside the text is what the style gives a button, on each side.
    const int folga = 2 * style()->pixelMetric(QStyle::PM_ButtonMargin);
    ui->BitBtn3->setMinimumWidth(ui->BitBtn3->sizeHint().width() + folga);
    configuraJanela(Moldura::Comum, true);
    ui->edNumProdInformar->installEventFilter(this);
    connect(ui->RdBtnTotal, &QRadioButton::clicked, this, &TFrmCncVidalink::RdBtnTotalClick);
    connect(ui->RdBtnParcial, &QRadioButton::clicked, this, &TFrmCncVidalink::RdBtnParcialClick);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TFrmCncVidalink::BitBtn1Click);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &TFrmCncVidalink::BitBtn2Click);
    connect(ui->BitBtn3, &QPushButton::clicked, this, &TFrmCncVidalink::BitBtn3Click);
    connect(ui->BitBtn4, &QPushButton::clicked, this, &TFrmCncVidalink::BitBtn4Click);
}

TFrmCncVidalink::~TFrmCncVidalink() = default;

bool TFrmCncVidalink::eventFilter(QObject* watched, QEvent* event) {
    // Leaving the field for another of this window's controls; a message box
    // raised by the check itself is not leaving it, and neither is going for
    // the way out, which must never be held up by the check.
    if (watched == ui->edNumProdInformar && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason motivo = static_cast<QFocusEvent*>(event)->reason();
        if (motivo != Qt::ActiveWindowFocusReason && motivo != Qt::PopupFocusReason &&
            QApplication::focusWidget() != ui->BitBtn4 && ui->edNumProdInformar->isEnabled() &&
            ui->pnInformaProd->isVisible()) {
            edNumProdInformarExit();
        }
    }
    return DialogoModal::eventFilter(watched, event);
}

void TFrmCncVidalink::TeclaEsc() {
    sai();
}

void TFrmCncVidalink::FechaPelaMoldura() {
    sai();
}

// Esc and the close control leave as the "&Encerra" in sight does.
void TFrmCncVidalink::sai() {
    if (ui->pnInformaProd->isVisible()) {
        BitBtn4Click();
    } else {
        BitBtn2Click();
    }
}

// Every showing starts afresh, however the last one was left.
void TFrmCncVidalink::FormActivate() {
    HabilitaDadosOriginais(true);
    RetornoCncVidalink.reset();
    cancelamento_.reset();
    if (!ui->RdBtnTotal->isChecked()) {
        ui->RdBtnTotal->setChecked(true);
    }
    ui->RdBtnTotal->setEnabled(true);
    ui->RdBtnParcial->setEnabled(true);
    mostraPainel(false);
    ui->edNumProdInformar->clear();
    ui->edNumProdInformar->setEnabled(true);
    ui->edCodProd->clear();
    ui->edQuantidade->clear();
    ui->LblNroProd->setText(QStringLiteral("1"));
    ui->edNumProd->clear();
    ui->edNumProd->setEnabled(true);
    for (QLineEdit* campo :
         {ui->EdtCpNFiscal, ui->edCpFiscalOrig, ui->edDtFiscalOrig, ui->edNumDocOrig, ui->edNumTermOrig}) {
        campo->clear();
    }
    ui->edNumProd->setFocus();
}

// The panel's button is the default one while the panel is up.
void TFrmCncVidalink::mostraPainel(bool mostra) {
    ui->pnInformaProd->setVisible(mostra);
    ui->BitBtn3->setDefault(mostra);
    ui->BitBtn1->setDefault(!mostra);
}

void TFrmCncVidalink::HabilitaDadosOriginais(bool habilita) {
    for (QWidget* w : {static_cast<QWidget*>(ui->edNumProd), static_cast<QWidget*>(ui->edCpFiscalOrig),
                       static_cast<QWidget*>(ui->edDtFiscalOrig), static_cast<QWidget*>(ui->edNumDocOrig),
                       static_cast<QWidget*>(ui->edNumTermOrig), static_cast<QWidget*>(ui->EdtCpNFiscal),
                       static_cast<QWidget*>(ui->BitBtn1), static_cast<QWidget*>(ui->BitBtn2)}) {
        w->setEnabled(habilita);
    }
}

void TFrmCncVidalink::RdBtnTotalClick() {
    ui->edNumProd->setFocus();
}

void TFrmCncVidalink::RdBtnParcialClick() {
    HabilitaDadosOriginais(false);
    ui->RdBtnParcial->setEnabled(false);
    ui->RdBtnTotal->setEnabled(false);
    mostraPainel(true);
    ui->edNumProdInformar->setFocus();
}

void TFrmCncVidalink::edNumProdInformarExit() {
    const int32_t produtos = platform::numeros::StrToIntDef(ui->edNumProdInformar->text(), 0);
    if (produtos <= 0) {
        ui->edNumProdInformar->setFocus();
        platform::prompt::showMessage(kDigiteProdutosInformar, this);
    } else if (produtos > 1) {
        ui->BitBtn3->setText(QStringLiteral("&Informa Próximo Produto"));
    } else {
        ui->BitBtn3->setText(QStringLiteral("&Confirma Produto"));
    }
}

// The number of products to inform, when it is a positive whole number.
bool TFrmCncVidalink::leProdutosInformar(int32_t& produtos) {
    const auto lido = platform::numeros::leInteiro(ui->edNumProdInformar->text());
    if (!lido || *lido <= 0) {
        platform::prompt::showMessage(kDigiteProdutosInformar, this);
        ui->edNumProdInformar->setFocus();
        return false;
    }
    produtos = *lido;
    return true;
}

void TFrmCncVidalink::BitBtn3Click() {
    // Both numbers are checked before the index is fixed or anything is sent;
    // the number of products can be corrected as long as it is open.
    int32_t produtos = 0;
    if (!leProdutosInformar(produtos)) {
        return;
    }
    if (ui->edNumProdInformar->isEnabled()) {
        ui->edNumProdInformar->setEnabled(false);
        cancelamento_.emplace(estado_, biblioteca());
    }
    if (faltaCampo({{ui->edCodProd, QStringLiteral("Digite o Código do Produto")},
                    {ui->edQuantidade, QStringLiteral("Digite a Quantidade")}},
                   this)) {
        return;
    }
    int32_t quantidade = 0;
    if (!platform::numeros::StrToInt(ui->edQuantidade->text(), quantidade, this)) {
        ui->edQuantidade->setFocus();
        return;
    }
    if (!cancelamento_->informaProduto(ui->edCodProd->text(), quantidade)) {
        platform::prompt::showMessage(QStringLiteral("Produtos Informados Incorretamente. Favor Informar Novamente."),
                                      this);
        ui->edCodProd->setFocus();
        return;
    }
    const int32_t IndiceProdCancelamento = cancelamento_->indice();
    ui->LblNroProd->setText(QString::number(IndiceProdCancelamento));
    ui->edCodProd->clear();
    ui->edQuantidade->clear();
    ui->edCodProd->setFocus();
    if (produtos == IndiceProdCancelamento) {
        ui->BitBtn3->setText(QStringLiteral("&Confirma Produtos"));
    } else if (produtos < IndiceProdCancelamento) {
        HabilitaDadosOriginais(true);
        mostraPainel(false);
        ui->edNumProd->setText(ui->edNumProdInformar->text());
        ui->edNumProd->setEnabled(false);
        ui->edCpFiscalOrig->setFocus();
    }
}

void TFrmCncVidalink::BitBtn4Click() {
    HabilitaDadosOriginais(true);
    fecha();
}

void TFrmCncVidalink::BitBtn1Click() {
    fluxos::CancelamentoVidalink::Dados dados;
    dados.cupomNaoFiscal = ui->EdtCpNFiscal->text();
    fluxos::CancelamentoVidalink::preenche(dados);
    ui->EdtCpNFiscal->setText(dados.cupomNaoFiscal);
    dados.total = ui->RdBtnTotal->isChecked();
    if (faltaCampo({{ui->edNumProd, QStringLiteral("Digite o Número de Produtos")},
                    {ui->edCpFiscalOrig, QStringLiteral("Digite o Número do Cupom Fiscal Original")},
                    {ui->edDtFiscalOrig, QStringLiteral("Digite a Data Fiscal Original")},
                    {ui->edNumDocOrig, QStringLiteral("Digite o Documento Original")},
                    {ui->edNumTermOrig, QStringLiteral("Digite o Número do Terminal Original")}},
                   this)) {
        return;
    }
    if (!platform::numeros::StrToInt(ui->edNumProd->text(), dados.produtos, this)) {
        ui->edNumProd->setFocus();
        return;
    }
    dados.cupomOriginal = ui->edCpFiscalOrig->text();
    dados.dataOriginal = ui->edDtFiscalOrig->text();
    dados.documentoOriginal = ui->edNumDocOrig->text();
    dados.terminalOriginal = ui->edNumTermOrig->text();
    RetornoCncVidalink = fluxos::CancelamentoVidalink(estado_, biblioteca()).inicia(dados);
    principal().EscreveResultado(*RetornoCncVidalink);
    fecha();
}

void TFrmCncVidalink::BitBtn2Click() {
    fecha();
}
