#include "app/Main.h"
#include "ui_Main.h"

#include "app/PainelMensagens.h"
#include "app/PainelTransacao.h"
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
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

namespace {
const QString kTitulo = QStringLiteral("Teste CliKavex Interativo - Versão 1.28d1 - 01/09/2008");
// Long enough to read the code lists in the hints of the function and
// restriction boxes.
constexpr int kTempoDica = 8000;
} // namespace

TFrmtesteCliKavex32I::TFrmtesteCliKavex32I(KavexLibrary& biblioteca, QWidget* parent, CriacaoJanelas criacao)
    : QMainWindow(parent), ui(std::make_unique<Ui::TFrmtesteCliKavex32I>()),
      emThread_(std::make_unique<BibliotecaEmThread>(biblioteca)), biblioteca_(*emThread_) {
    emThread_->defineAoEsperar([this](bool sim) {
        if (retemEntrada_) {
            retemEntrada_->esperando(sim);
        }
        if (vigia_) {
            vigia_->esperando(sim);
        }
        if (sim && operador_) {
            operador_->esperaComecou();
        }
    });
    platform::acessibilidade::instala();
    ui->setupUi(this);
    retemEntrada_ = std::make_unique<RetemEntrada>(*this, *ui->PnlMensagens);
    ordenaTabulacao();
    platform::acessibilidade::nomeiaCaixasEditaveis(*this);
    pintaJanela();
    conectaControles();
    conectaMenu();
    criaTeclas();
    FormCreate();
    fixaJanela();
    if (criacao == CriacaoJanelas::Junto) {
        criaJanelas();
    }
    vigia_ = std::make_unique<VigiaChamada>(*this, limiteSemResposta(), [this] { return biblioteca_.encerra(); });
    conectaFinalizacao();
    vigiaFechamento();
}

TFrmtesteCliKavex32I::~TFrmtesteCliKavex32I() = default;

// The operator shows those windows, so it comes with them.
void TFrmtesteCliKavex32I::criaJanelas() {
    if (!janelas_) {
        janelas_ = std::make_unique<Janelas>(estado_, *this, biblioteca_, *this);
        criaLaco();
    }
}

// Panel after panel down the left-hand column, as when the form held their
// controls itself.
void TFrmtesteCliKavex32I::ordenaTabulacao() {
    const QList<QWidget*> ordem =
        ui->PnlConfiguracao->ordemTab() + ui->PnlTransacao->ordemTab() + ui->PnlConfirm->ordemTab();
    for (qsizetype i = 1; i < ordem.size(); ++i) {
        setTabOrder(ordem[i - 1], ordem[i]);
    }
}

void TFrmtesteCliKavex32I::conectaControles() {
    connect(ui->PnlConfiguracao, &PainelConfiguracao::configura, this,
            exclusivo(&TFrmtesteCliKavex32I::BtnConfiguraClick));
    PainelTransacao* transacao = ui->PnlTransacao;
    connect(transacao, &PainelTransacao::limpar, this, exclusivo(&TFrmtesteCliKavex32I::BtnLimparClick));
    connect(transacao, &PainelTransacao::realizaTransacao, this, exclusivo(&TFrmtesteCliKavex32I::BtntransacaoClick));
    connect(transacao, &PainelTransacao::funcoesPinpad, this, exclusivo(&TFrmtesteCliKavex32I::BtnFuncPpdClick));
    connect(transacao, &PainelTransacao::outrasFuncoes, this, exclusivo(&TFrmtesteCliKavex32I::btnOutrasTrnClick));
}

// A main window has no default or cancel button of its own: Enter presses the
// focused button, else "&Realiza Transação"; Esc presses "Cancela &Pinpad"
// while its panel is up.
void TFrmtesteCliKavex32I::criaTeclas() {
    auto pressionaPadrao = [this] {
        if (auto* focado = qobject_cast<QPushButton*>(focusWidget()); focado && focado->isEnabled()) {
            focado->click();
        } else {
            ui->PnlTransacao->teclaEnter();
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
    estado_.FuncaoPinpad = 0;
    estado_.DataTransacao.clear();
    estado_.HoraTransacao.clear();
    ui->PnlConfiguracao->carregaEnderecos();
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
        ui->PnlConfiguracao->habilitaBotao(true);
    }
    ui->PnlTransacao->habilita(habilita);
    ui->PnlConfirm->habilita(habilita);
}

void TFrmtesteCliKavex32I::ocupa() {
    HabilitaDesabilita(false);
    ui->PnlConfiguracao->habilitaBotao(false);
}

bool TFrmtesteCliKavex32I::comImpressora() const {
    return ui->PnlConfiguracao->comImpressora();
}

// The configuration fields, the radio groups and the shared state stay.
void TFrmtesteCliKavex32I::BtnLimparClick() {
    ui->PnlTransacao->limpa();
    ui->EdtResultado->clear();
    ui->PnlMensagens->limpa();
    ui->PnlConfirm->limpa();
}
