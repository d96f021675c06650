#include "app/PainelTransacao.h"
#include "ui_PainelTransacao.h"

#include "app/Codigos.h"
#include "widgets/RadioGroup.h"

#include <QListWidget>

namespace {
constexpr int kMaxFuncao = 3;
constexpr int kColunasRestricoes = 5;
// "Botões" or "Digitado" in the restrictions' choice.
constexpr int kRestricoesBotoes = 0;
} // namespace

PainelTransacao::PainelTransacao(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::PainelTransacao>()) {
    ui->setupUi(this);
    preencheListas();
    connect(ui->BtnTransacao, &QPushButton::clicked, this, &PainelTransacao::realizaTransacao);
    connect(ui->BtnFuncPpd, &QPushButton::clicked, this, &PainelTransacao::funcoesPinpad);
    connect(ui->BtnOutrasTrn, &QPushButton::clicked, this, &PainelTransacao::outrasFuncoes);
    connect(ui->BtnLimpar, &QPushButton::clicked, this, &PainelTransacao::limpar);
    connect(ui->RdGrpRestricoes, &RadioGroup::clicked, this, &PainelTransacao::RdGrpRestricoesClick);
    connect(ui->ChkBoxDescricao, &QCheckBox::clicked, this, &PainelTransacao::ChkBoxDescricaoClick);
    connect(ui->RGTEF, &RadioGroup::clicked, this, &PainelTransacao::RGTEFClick);
    connect(ui->RGCB, &RadioGroup::clicked, this, &PainelTransacao::RGCBClick);
    // Only the operator's changes count: typing, or picking from the list.
    connect(ui->CBFuncao->lineEdit(), &QLineEdit::textEdited, this, &PainelTransacao::CBFuncaoChange);
    connect(ui->CBFuncao, &QComboBox::activated, this, &PainelTransacao::CBFuncaoChange);
    ui->RdGrpRestricoes->setItemIndex(kRestricoesBotoes);
    ChkBoxDescricaoClick();
}

PainelTransacao::~PainelTransacao() = default;

void PainelTransacao::preencheListas() {
    for (const CodigoDescrito& c : codigosFuncao()) {
        ui->CBFuncao->addItem(QString::number(c.codigo));
    }
    ui->CBFuncao->setToolTip(dicaDosCodigos(codigosFuncao()));
    ui->CBFuncao->lineEdit()->setMaxLength(kMaxFuncao);
    ui->CBFuncao->setInsertPolicy(QComboBox::NoInsert);
    ui->CBFuncao->setCurrentIndex(-1);
    ui->CBFuncao->setEditText(QString());

    for (const CodigoDescrito& c : codigosRestricao()) {
        auto* item = new QListWidgetItem(QString::number(c.codigo), ui->CLBRestricoes);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        item->setCheckState(Qt::Unchecked);
    }
    // Items run down the columns, as in a multi-column check list.
    const int linhas = (ui->CLBRestricoes->count() + kColunasRestricoes - 1) / kColunasRestricoes;
    ui->CLBRestricoes->setFlow(QListView::TopToBottom);
    ui->CLBRestricoes->setWrapping(true);
    ui->CLBRestricoes->setResizeMode(QListView::Adjust);
    const QFontMetrics metricas(ui->CLBRestricoes->font());
    const QSize celula(metricas.horizontalAdvance(QStringLiteral("000")) + 3 * metricas.height(),
                       metricas.height() + 4);
    ui->CLBRestricoes->setGridSize(celula);
    ui->CLBRestricoes->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui->CLBRestricoes->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui->CLBRestricoes->setFixedSize(celula.width() * kColunasRestricoes + 2 * ui->CLBRestricoes->frameWidth() + 4,
                                    celula.height() * linhas + 2 * ui->CLBRestricoes->frameWidth() + 4);

    // The typed restrictions take the list's place; the list keeps its room
    // so the window does not change shape when the mode changes.
    for (QWidget* w : {static_cast<QWidget*>(ui->CLBRestricoes), static_cast<QWidget*>(ui->ChkBoxDescricao)}) {
        QSizePolicy politica = w->sizePolicy();
        politica.setRetainSizeWhenHidden(true);
        w->setSizePolicy(politica);
    }
}

// "Botões": the ticked codes in list order; "Digitado": the typed text as it
// stands, even empty.
QString PainelTransacao::restricoes() const {
    if (ui->RdGrpRestricoes->itemIndex() != kRestricoesBotoes) {
        return ui->EdtRestricoes->text();
    }
    QStringList marcadas;
    for (int i = 0; i < ui->CLBRestricoes->count(); ++i) {
        if (ui->CLBRestricoes->item(i)->checkState() == Qt::Checked) {
            marcadas << ui->CLBRestricoes->item(i)->text();
        }
    }
    return fluxos::montaRestricoes(marcadas);
}

fluxos::CamposInicio PainelTransacao::campos() const {
    fluxos::CamposInicio campos;
    campos.grupoTEF = ui->RGTEF->itemIndex();
    campos.grupoCB = ui->RGCB->itemIndex();
    campos.funcao = ui->CBFuncao->currentText();
    campos.valor = ui->EdtValor->text();
    campos.cupomFiscal = ui->EdtCpFiscal->text();
    campos.hora = ui->EdtHora->text();
    campos.restricoes = restricoes();
    return campos;
}

void PainelTransacao::escreveCupomFiscal(const QString& cupom) {
    ui->EdtCpFiscal->setText(cupom);
}

void PainelTransacao::escreveValor(const QString& valor) {
    ui->EdtValor->setText(valor);
}

void PainelTransacao::escreveHora(const QString& hora) {
    ui->EdtHora->setText(hora);
}

void PainelTransacao::selecionaTEF() {
    ui->RGTEF->setItemIndex(fluxos::CamposInicio::TEF);
}

void PainelTransacao::limpaTipo() {
    ui->RGTEF->setItemIndex(-1);
    ui->RGCB->setItemIndex(-1);
}

void PainelTransacao::limpa() {
    ui->EdtCpFiscal->clear();
    ui->CBFuncao->setEditText(QString());
    ui->EdtValor->clear();
    ui->EdtRestricoes->clear();
    ui->EdtHora->clear();
    for (int i = 0; i < ui->CLBRestricoes->count(); ++i) {
        ui->CLBRestricoes->item(i)->setCheckState(Qt::Unchecked);
    }
}

void PainelTransacao::habilita(bool sim) {
    QWidget* const controles[] = {ui->BtnTransacao,    ui->EdtCpFiscal,  ui->CBFuncao,        ui->EdtValor,
                                  ui->CLBRestricoes,   ui->BtnLimpar,    ui->RGTEF,           ui->RGCB,
                                  ui->RdGrpRestricoes, ui->BtnOutrasTrn, ui->ChkBoxDescricao, ui->EdtHora,
                                  ui->BtnFuncPpd};
    for (QWidget* w : controles) {
        w->setEnabled(sim);
    }
}

void PainelTransacao::teclaEnter() {
    if (ui->BtnTransacao->isEnabled() && ui->BtnTransacao->isVisible()) {
        ui->BtnTransacao->click();
    }
}

QList<QWidget*> PainelTransacao::ordemTab() const {
    return {ui->EdtHora,      ui->EdtCpFiscal,   ui->CBFuncao,      ui->EdtValor,     ui->BtnFuncPpd,
            ui->BtnOutrasTrn, ui->CLBRestricoes, ui->EdtRestricoes, ui->BtnTransacao, ui->BtnLimpar};
}

void PainelTransacao::RdGrpRestricoesClick() {
    const bool botoes = ui->RdGrpRestricoes->itemIndex() == kRestricoesBotoes;
    ui->CLBRestricoes->setVisible(botoes);
    ui->ChkBoxDescricao->setVisible(botoes);
    ui->LblRestricoes->setVisible(!botoes);
    ui->EdtRestricoes->setVisible(!botoes);
    if (!botoes) {
        ui->EdtRestricoes->setFocus();
    }
}

void PainelTransacao::ChkBoxDescricaoClick() {
    ui->CLBRestricoes->setToolTip(ui->ChkBoxDescricao->isChecked() ? dicaDosCodigos(codigosRestricao()) : QString());
}

void PainelTransacao::RGTEFClick() {
    ui->RGCB->setItemIndex(-1);
}

void PainelTransacao::RGCBClick() {
    ui->RGTEF->setItemIndex(-1);
}

void PainelTransacao::CBFuncaoChange() {
    selecionaTEF();
}
