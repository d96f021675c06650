#include "app/Main.h"
#include "ui_Main.h"

#include "app/Codigos.h"
#include "app/OperadorJanelas.h"
#include "app/PainelMensagens.h"
#include "app/RetemEntrada.h"
#include "fluxos/LacoComandos.h"
#include "fluxos/OutrasTransacoes.h"
#include "library/BibliotecaEmThread.h"
#include "widgets/Acessibilidade.h"
#include "widgets/Aparencia.h"
#include "widgets/PedidoFechar.h"
#include "widgets/VigiaChamada.h"

#include <QGuiApplication>
#include <QKeySequence>
#include <QListWidget>
#include <QScreen>
#include <QShortcut>

namespace {
const QString kTitulo = QStringLiteral("Teste CliKavex Interativo - Versão 1.28d1 - 01/09/2008");
// Long enough to read the code lists in the hints of the function and
// restriction boxes.
constexpr int kTempoDica = 8000;
constexpr int kMaxFuncao = 3;
constexpr int kColunasRestricoes = 5;
} // namespace

TFrmtesteCliKavex32I::TFrmtesteCliKavex32I(KavexLibrary& biblioteca, QWidget* parent, CriacaoJanelas criacao)
    : QMainWindow(parent), ui(std::make_unique<Ui::TFrmtesteCliKavex32I>()),
      emThread_(std::make_unique<BibliotecaEmThread>(biblioteca)), biblioteca_(*emThread_),
      retemEntrada_(std::make_unique<RetemEntrada>(*this)) {
    emThread_->defineAoEsperar([this](bool sim) {
        retemEntrada_->esperando(sim);
        if (vigia_) {
            vigia_->esperando(sim);
        }
        if (sim && operador_) {
            operador_->esperaComecou();
        }
    });
    platform::acessibilidade::instala();
    ui->setupUi(this);
    ordenaTabulacao();
    platform::acessibilidade::nomeiaCaixasEditaveis(*this);
    pintaJanela();
    preencheListas();
    conectaControles();
    conectaMenu();
    criaTeclas();
    FormCreate();
    fixaJanela();
    if (criacao == CriacaoJanelas::Junto) {
        criaJanelas();
    }
    vigia_ = std::make_unique<VigiaChamada>(*this, limiteSemResposta(), [this] { return biblioteca_.encerra(); });
    criaLaco();
    conectaFinalizacao();
    vigiaFechamento();
}

TFrmtesteCliKavex32I::~TFrmtesteCliKavex32I() = default;

void TFrmtesteCliKavex32I::criaJanelas() {
    if (!janelas_) {
        janelas_ = std::make_unique<Janelas>(estado_, *this, biblioteca_, *this);
    }
}

// The confirmation panel's controls follow "&Limpar", as they did when the
// form held them itself.
void TFrmtesteCliKavex32I::ordenaTabulacao() {
    QWidget* anterior = ui->BtnLimpar;
    for (QWidget* w : ui->PnlConfirm->ordemTab()) {
        setTabOrder(anterior, w);
        anterior = w;
    }
}

void TFrmtesteCliKavex32I::preencheListas() {
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

    ui->CBIPKavex->setInsertPolicy(QComboBox::NoInsert);

    // The typed restrictions take the list's place; the list keeps its room
    // so the window does not change shape when the mode changes.
    for (QWidget* w : {static_cast<QWidget*>(ui->CLBRestricoes), static_cast<QWidget*>(ui->ChkBoxDescricao)}) {
        QSizePolicy politica = w->sizePolicy();
        politica.setRetainSizeWhenHidden(true);
        w->setSizePolicy(politica);
    }
}

void TFrmtesteCliKavex32I::conectaControles() {
    connect(ui->BtnConfigura, &QPushButton::clicked, this, exclusivo(&TFrmtesteCliKavex32I::BtnConfiguraClick));
    connect(ui->BtnLimpar, &QPushButton::clicked, this, exclusivo(&TFrmtesteCliKavex32I::BtnLimparClick));
    connect(ui->BtnTransacao, &QPushButton::clicked, this, exclusivo(&TFrmtesteCliKavex32I::BtntransacaoClick));
    connect(ui->BtnFuncPpd, &QPushButton::clicked, this, exclusivo(&TFrmtesteCliKavex32I::BtnFuncPpdClick));
    connect(ui->BtnOutrasTrn, &QPushButton::clicked, this, exclusivo(&TFrmtesteCliKavex32I::btnOutrasTrnClick));
    connect(ui->RdGrpRestricoes, &RadioGroup::clicked, this, &TFrmtesteCliKavex32I::RdGrpRestricoesClick);
    connect(ui->ChkBoxDescricao, &QCheckBox::clicked, this, &TFrmtesteCliKavex32I::ChkBoxDescricaoClick);
    connect(ui->RGTEF, &RadioGroup::clicked, this, &TFrmtesteCliKavex32I::RGTEFClick);
    connect(ui->RGCB, &RadioGroup::clicked, this, &TFrmtesteCliKavex32I::RGCBClick);
    // Only the operator's changes count: typing, or picking from the list.
    connect(ui->CBFuncao->lineEdit(), &QLineEdit::textEdited, this, &TFrmtesteCliKavex32I::CBFuncaoChange);
    connect(ui->CBFuncao, &QComboBox::activated, this, &TFrmtesteCliKavex32I::CBFuncaoChange);
    ui->CBIPKavex->installEventFilter(this);
    ui->CBIPKavex->lineEdit()->installEventFilter(this);
}

// A main window has no default or cancel button of its own: Enter presses the
// focused button, else "&Realiza Transação"; Esc presses "Cancela &Pinpad"
// while its panel is up.
void TFrmtesteCliKavex32I::criaTeclas() {
    auto pressionaPadrao = [this] {
        if (auto* focado = qobject_cast<QPushButton*>(focusWidget()); focado && focado->isEnabled()) {
            focado->click();
        } else if (ui->BtnTransacao->isEnabled() && ui->BtnTransacao->isVisible()) {
            ui->BtnTransacao->click();
        }
    };
    for (const auto tecla : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* atalho = new QShortcut(QKeySequence(tecla), this);
        connect(atalho, &QShortcut::activated, this, pressionaPadrao);
    }
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(esc, &QShortcut::activated, ui->PnlMensagens, &PainelMensagens::teclaEsc);
}

void TFrmtesteCliKavex32I::FormCreate() {
    setWindowTitle(kTitulo);
    for (QWidget* w : findChildren<QWidget*>()) {
        w->setToolTipDuration(kTempoDica);
    }
    ui->RdGrImpr->setItemIndex(0);
    estado_.FuncaoPinpad = 0;
    estado_.DataTransacao.clear();
    estado_.HoraTransacao.clear();
    carregaEnderecos();
    // The typed address is none of the remembered ones until one is picked.
    ui->CBIPKavex->setCurrentIndex(-1);
    ui->CBIPKavex->setEditText(QStringLiteral("localhost"));

    ui->RdGrpRestricoes->setItemIndex(0);
    ChkBoxDescricaoClick();
    HabilitaDesabilita(false);
}

// Fixed size, minimise and close only, centred on the screen.
void TFrmtesteCliKavex32I::pintaJanela() {
    namespace aparencia = platform::aparencia;
    // The panel, not the window: the dialogs the window owns keep their own look.
    aparencia::pintaPainel(*ui->centralwidget);
    aparencia::destaca(*ui->Label1, true, 14);
    aparencia::destaca(*ui->EdtResultado, false, 16, Qt::red);
}

void TFrmtesteCliKavex32I::fixaJanela() {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    adjustSize();
    setFixedSize(sizeHint());
    if (const QScreen* tela = QGuiApplication::primaryScreen()) {
        move(tela->availableGeometry().center() - rect().center());
    }
}

void TFrmtesteCliKavex32I::dataehora() {
    ::dataehora(estado_);
}

void TFrmtesteCliKavex32I::HabilitaDesabilita(bool habilita) {
    // The command-loop runs inside an other-transactions visit end like any
    // other; the window stays locked until the visit itself is over.
    if (habilita && visitaOutras_) {
        return;
    }
    if (habilita) {
        ui->BtnConfigura->setEnabled(true);
    }
    QWidget* const controles[] = {ui->BtnTransacao,    ui->EdtCpFiscal,  ui->CBFuncao,        ui->EdtValor,
                                  ui->CLBRestricoes,   ui->BtnLimpar,    ui->RGTEF,           ui->RGCB,
                                  ui->RdGrpRestricoes, ui->BtnOutrasTrn, ui->ChkBoxDescricao, ui->EdtHora,
                                  ui->BtnFuncPpd};
    for (QWidget* w : controles) {
        w->setEnabled(habilita);
    }
    ui->PnlConfirm->habilita(habilita);
}

void TFrmtesteCliKavex32I::BtnLimparClick() {
    ui->EdtCpFiscal->clear();
    ui->CBFuncao->setEditText(QString());
    ui->EdtValor->clear();
    ui->EdtResultado->clear();
    ui->PnlMensagens->limpa();
    ui->EdtRestricoes->clear();
    ui->EdtHora->clear();
    ui->PnlConfirm->limpa();
    for (int i = 0; i < ui->CLBRestricoes->count(); ++i) {
        ui->CLBRestricoes->item(i)->setCheckState(Qt::Unchecked);
    }
}

void TFrmtesteCliKavex32I::RdGrpRestricoesClick() {
    const bool botoes = ui->RdGrpRestricoes->itemIndex() == 0;
    ui->CLBRestricoes->setVisible(botoes);
    ui->ChkBoxDescricao->setVisible(botoes);
    ui->LblRestricoes->setVisible(!botoes);
    ui->EdtRestricoes->setVisible(!botoes);
    if (!botoes) {
        ui->EdtRestricoes->setFocus();
    }
}

void TFrmtesteCliKavex32I::ChkBoxDescricaoClick() {
    ui->CLBRestricoes->setToolTip(ui->ChkBoxDescricao->isChecked() ? dicaDosCodigos(codigosRestricao()) : QString());
}

void TFrmtesteCliKavex32I::RGTEFClick() {
    ui->RGCB->setItemIndex(-1);
}

void TFrmtesteCliKavex32I::RGCBClick() {
    ui->RGTEF->setItemIndex(-1);
}

void TFrmtesteCliKavex32I::CBFuncaoChange() {
    ui->RGTEF->setItemIndex(0);
}
