#include "othertrn/AA.h"
#include "ui_AA.h"

#include "platform/Numeros.h"
#include "widgets/NumeroDigitado.h"
#include "widgets/Prompt.h"

#include <QApplication>
#include <QFocusEvent>
#include <QRegularExpressionValidator>
#include <QtMath>

namespace {
const QString kRealizaTransacao = QStringLiteral("&Realiza Transação");
const QString kProximoProduto = QStringLiteral("&Proximo Produto");
const QString kSemQuantidade = QStringLiteral("É preciso Especificar a Quantidade de Produtos");
const QString kCamposVazios = QStringLiteral("Por favor preencha todos os campos do Produto");
const QString kListaVazia = QStringLiteral("Por Favor digite a lista de produtos");
const QChar kSeparador = QLatin1Char(';');
constexpr int kLinhasAjuda = 6;
// The characters that give the list its shape cannot be part of a field.
const QString kSemDelimitadores = QStringLiteral("[^;\\[\\]]*");
} // namespace

QString itemProdutoAA(const QString& descricao, const QString& codigo, const QString& quantidade,
                      const QString& valor) {
    return QLatin1Char('[') + QStringList{descricao, codigo, quantidade, valor}.join(kSeparador) + QLatin1Char(']');
}

TFrmAA::TFrmAA(EstadoConsole& estado, QWidget* parent)
    : DialogoModal(estado, parent), ui(std::make_unique<Ui::TFrmAA>()) {
    ui->setupUi(this);
    configuraJanela(Moldura::Comum, true);
    // Tall enough for its six lines of help and no more.
    const QFontMetrics metricas(ui->MemoProd->font());
    const int margens = 2 * (ui->MemoProd->frameWidth() + qCeil(ui->MemoProd->document()->documentMargin()));
    ui->MemoProd->setFixedHeight((2 * kLinhasAjuda + 1) * metricas.lineSpacing() / 2 + margens);
    for (QLineEdit* campo : {ui->EdtDescricaoProd, ui->EdtCodProd, ui->EdtQdeProdIndiv, ui->EdtValorProd}) {
        campo->setValidator(new QRegularExpressionValidator(QRegularExpression(kSemDelimitadores), campo));
    }
    ui->EdtQdeProd->installEventFilter(this);
    connect(ui->RadioButton1, &QRadioButton::clicked, this, &TFrmAA::RadioButton1Click);
    connect(ui->RadioButton2, &QRadioButton::clicked, this, &TFrmAA::RadioButton2Click);
    connect(ui->BtnProd, &QPushButton::clicked, this, &TFrmAA::btnprodClick);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &TFrmAA::BitBtn2Click);
}

TFrmAA::~TFrmAA() = default;

// Each showing starts a new list, one product at a time.
void TFrmAA::FormActivate() {
    ui->EdtQdeProd->setText(QStringLiteral("1"));
    limpaCamposProduto();
    ui->LblNroProd->setText(QStringLiteral("1"));
    ui->EdtLinhaProd->clear();
    habilitaModo(true);
    if (ui->RadioButton1->isChecked()) {
        ui->RadioButton2->setChecked(true);
    }
    if (ui->BtnProd->text() == kProximoProduto) {
        ui->BtnProd->setText(kRealizaTransacao);
    }
    ContProdAA = 0;
    ProdutosAA.clear();
    ProdutosIndividuais();
}

bool TFrmAA::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->EdtQdeProd && event->type() == QEvent::FocusOut) {
        // Another window taking over (a message, the window closing), or the
        // field being disabled under the cursor, is not the operator leaving
        // it; going to "&Encerra" is leaving the window, which needs no number.
        const Qt::FocusReason motivo = static_cast<QFocusEvent*>(event)->reason();
        if (motivo != Qt::ActiveWindowFocusReason && motivo != Qt::PopupFocusReason && isVisible() &&
            ui->EdtQdeProd->isEnabled() && QApplication::focusWidget() != ui->BitBtn2) {
            EdtQdeProdExit();
        }
    }
    return DialogoModal::eventFilter(watched, event);
}

void TFrmAA::ProdutosIndividuais() {
    ui->PnlModos->setCurrentWidget(ui->PnlIndividual);
    ui->EdtQdeProd->setFocus();
}

void TFrmAA::RadioButton2Click() {
    ProdutosIndividuais();
}

void TFrmAA::RadioButton1Click() {
    ui->PnlModos->setCurrentWidget(ui->PnlLinha);
    if (ui->BtnProd->text() == kProximoProduto) {
        ui->BtnProd->setText(kRealizaTransacao);
    }
    ui->EdtLinhaProd->setFocus();
}

void TFrmAA::EdtQdeProdExit() {
    if (ui->EdtQdeProd->text().isEmpty()) {
        platform::prompt::showMessage(kSemQuantidade, this);
        ui->EdtQdeProd->setFocus();
    }
    ui->BtnProd->setText(ui->EdtQdeProd->text() == QLatin1String("1") ? kRealizaTransacao : kProximoProduto);
}

void TFrmAA::btnprodClick() {
    if (ui->RadioButton2->isChecked()) {
        cadastraProduto();
    } else {
        aceitaLinha();
    }
}

void TFrmAA::cadastraProduto() {
    const QString descricao = ui->EdtDescricaoProd->text();
    const QString codigo = ui->EdtCodProd->text();
    const QString quantidade = ui->EdtQdeProdIndiv->text();
    const QString valor = ui->EdtValorProd->text();
    if (descricao.isEmpty() || codigo.isEmpty() || quantidade.isEmpty() || valor.isEmpty()) {
        platform::prompt::showMessage(kCamposVazios, this);
        ui->EdtDescricaoProd->setFocus();
        return;
    }
    // The number of products is read before anything is counted, so a
    // quantity that is no number leaves the list as it was.
    int32_t total = 0;
    if (!platform::numeros::StrToInt(ui->EdtQdeProd->text(), total, this)) {
        ui->EdtQdeProd->setFocus();
        return;
    }
    // The mode and the number of products are fixed from the first product on.
    habilitaModo(false);
    ++ContProdAA;
    if (ContProdAA != 1) {
        ProdutosAA += kSeparador;
    }
    ProdutosAA += itemProdutoAA(descricao, codigo, quantidade, valor);
    if (total != ContProdAA) {
        ui->LblNroProd->setText(QString::number(ContProdAA + 1));
    }
    if (int64_t{total} - 1 == ContProdAA) {
        ui->BtnProd->setText(kRealizaTransacao);
    }
    limpaCamposProduto();
    if (total == ContProdAA) {
        ProdutosAAInformados = true;
        fecha();
    } else {
        ui->EdtDescricaoProd->setFocus();
    }
}

// The typed line is the list as it stands; only an empty one is refused,
// and then the list is not marked as given.
void TFrmAA::aceitaLinha() {
    if (ui->EdtLinhaProd->text().isEmpty()) {
        platform::prompt::showMessage(kListaVazia, this);
        return;
    }
    ProdutosAAInformados = true;
    ProdutosAA = ui->EdtLinhaProd->text();
    fecha();
}

void TFrmAA::BitBtn2Click() {
    fecha();
}

void TFrmAA::habilitaModo(bool habilita) {
    ui->RadioButton1->setEnabled(habilita);
    ui->RadioButton2->setEnabled(habilita);
    ui->EdtQdeProd->setEnabled(habilita);
}

void TFrmAA::limpaCamposProduto() {
    for (QLineEdit* campo : {ui->EdtDescricaoProd, ui->EdtCodProd, ui->EdtQdeProdIndiv, ui->EdtValorProd}) {
        campo->clear();
    }
}
