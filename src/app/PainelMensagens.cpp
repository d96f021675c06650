#include "app/PainelMensagens.h"
#include "ui_PainelMensagens.h"

#include "widgets/Aparencia.h"
#include "widgets/Modal.h"

#include <QtMath>

#include <algorithm>
#include <chrono>

namespace {
// How often the panel is painted while the loop runs: once a frame.
constexpr qint64 kQuadroNs = 16'000'000;
// The longest message the message line shows (a longer one goes to the
// operator messages), on how many lines, and the capital it is measured in.
constexpr int kMensagemCurta = 50;
constexpr int kLinhasMensagem = 2;
constexpr QChar kMaiusculaLarga = u'W';
// Room for the text cursor at a line's end.
constexpr int kFolgaCursor = 2;
} // namespace

// A CR on its own is no line break there, so it is dropped instead of
// starting a line of its own.
void acrescentaTexto(QPlainTextEdit* caixa, const QString& texto) {
    QString linhas = texto;
    linhas.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    linhas.remove(QLatin1Char('\r'));
    caixa->appendPlainText(linhas);
}

PainelMensagens::PainelMensagens(QWidget* parent) : QWidget(parent), ui(std::make_unique<Ui::PainelMensagens>()) {
    ui->setupUi(this);
    namespace aparencia = platform::aparencia;
    aparencia::destaca(*ui->EdtData, true, 14, Qt::red);
    dimensionaMensagem();
    aparencia::destaca(*ui->MemoMsgOperador, true);
    // The window has a fixed size: the pinpad-wait panel keeps its room.
    QSizePolicy politica = ui->PnlCncPpd->sizePolicy();
    politica.setRetainSizeWhenHidden(true);
    ui->PnlCncPpd->setSizePolicy(politica);
    ui->PnlCncPpd->hide();
    ui->pnlILCD->hide();
    connect(ui->BtnCncPpd, &QPushButton::clicked, this, [this] {
        ui->PnlCncPpd->hide();
        emit cancelaPinpad();
    });
    connect(ui->BtnILCD, &QPushButton::clicked, this, &PainelMensagens::interrompeLeitura);
    relogio_.start();
    quadro_.setSingleShot(true);
    quadro_.callOnTimeout([this] { atualiza(); });
}

PainelMensagens::~PainelMensagens() = default;

// The message line holds the library's longest short message on two lines,
// even in the font's widest capitals, and so the date line whole.
void PainelMensagens::dimensionaMensagem() {
    QPlainTextEdit& linha = *ui->EdtData;
    const QFontMetrics metricas(linha.font());
    const int margens = 2 * (linha.frameWidth() + qCeil(linha.document()->documentMargin())) + kFolgaCursor;
    const int largura = metricas.horizontalAdvance(QString(kMensagemCurta / kLinhasMensagem, kMaiusculaLarga));
    linha.setFixedSize(largura + margens, kLinhasMensagem * metricas.lineSpacing() + margens);
}

void PainelMensagens::inicia(const QString& dataHora) {
    tracePendente_.clear();
    mensagemPendente_.reset();
    ui->Memo->clear();
    ui->MemoMsgOperador->clear();
    mostraMensagem(dataHora);
}

void PainelMensagens::limpa() {
    ui->MemoMsgOperador->clear();
    ui->EdtData->clear();
    ui->Memo->clear();
}

// Only the controls whose contents change from one cycle to the next wait
// for the frame; repainting the whole window once a frame would cost as much
// as the cycles themselves. A panel that is shown and hidden never waits: a
// widget hidden while its updates are off leaves its pixels on the screen.
void PainelMensagens::pinta(bool agora) {
    emPausa_ = !agora;
    for (QWidget* w : {static_cast<QWidget*>(ui->Memo), static_cast<QWidget*>(ui->MemoMsgOperador),
                       static_cast<QWidget*>(ui->EdtData), static_cast<QWidget*>(ui->LblContador)}) {
        w->setUpdatesEnabled(agora);
    }
}

void PainelMensagens::atualiza() {
    quadro_.stop();
    if (!tracePendente_.isEmpty()) {
        ui->Memo->appendPlainText(tracePendente_.join(QLatin1Char('\n')));
        tracePendente_.clear();
    }
    if (mensagemPendente_) {
        ui->EdtData->setPlainText(*mensagemPendente_);
        mensagemPendente_.reset();
    }
    pinta(true);
    ultimaPintura_ = relogio_.nsecsElapsed();
}

void PainelMensagens::antesDosEventos() {
    if (relogio_.nsecsElapsed() - ultimaPintura_ >= kQuadroNs) {
        atualiza();
    } else {
        pinta(false);
    }
}

void PainelMensagens::esperaComecou() {
    if (emPausa_ && !quadro_.isActive()) {
        const qint64 restante = kQuadroNs - (relogio_.nsecsElapsed() - ultimaPintura_);
        quadro_.start(std::chrono::milliseconds(std::max<qint64>(0, restante / 1'000'000)));
    }
}

// Each trace line stays one entry of the box; line breaks in the library's
// text are shown as breaks within it.
void PainelMensagens::registra(const QString& linha) {
    if (!linha.contains(QLatin1Char('\n')) && !linha.contains(QLatin1Char('\r'))) {
        tracePendente_.append(linha);
        return;
    }
    QString entrada = linha;
    entrada.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    entrada.replace(QLatin1Char('\n'), QChar::LineSeparator).replace(QLatin1Char('\r'), QChar::LineSeparator);
    tracePendente_.append(entrada);
}

// Laying the large type out again is most of what a fast cycle would cost;
// while cycles follow each other within a frame only its last message is
// shown.
void PainelMensagens::mostraMensagem(const QString& texto) {
    if (emPausa_) {
        mensagemPendente_ = texto;
    } else {
        ui->EdtData->setPlainText(texto);
    }
}

void PainelMensagens::acrescentaMensagem(const QString& texto) {
    acrescentaTexto(ui->MemoMsgOperador, texto);
}

void PainelMensagens::limpaCaixaMensagens() {
    ui->MemoMsgOperador->clear();
}

void PainelMensagens::limpaMensagens() {
    limpaCaixaMensagens();
    mostraMensagem(QString());
}

void PainelMensagens::aguardaPinpad(int32_t contador, bool mostraPainel) {
    if (mostraPainel) {
        ui->PnlCncPpd->show();
    }
    ui->LblContador->setText(QString::number(contador));
}

void PainelMensagens::escondeAguardaPinpad() {
    ui->PnlCncPpd->hide();
}

void PainelMensagens::teclaEsc() {
    if (ui->PnlCncPpd->isVisible() && ui->BtnCncPpd->isEnabled()) {
        ui->BtnCncPpd->click();
    }
}

// The panel lies over the operator messages (emptied for the read), so the
// window keeps its size and the other boxes their place. It is painted
// before the library takes the thread. A pinpad panel an earlier function
// left up would offer a second "Cancela &Pinpad" that does nothing for the
// read: it goes.
void PainelMensagens::mostraPainelLeitura() {
    escondeAguardaPinpad();
    QWidget* painel = ui->pnlILCD;
    const QWidget* mensagens = ui->MemoMsgOperador;
    const int largura = mensagens->width();
    painel->setGeometry(mensagens->x(), mensagens->y(), largura,
                        painel->hasHeightForWidth() ? painel->heightForWidth(largura) : painel->sizeHint().height());
    painel->raise();
    painel->show();
    platform::modal::processPendingEvents();
}

void PainelMensagens::escondePainelLeitura() {
    ui->pnlILCD->hide();
}

bool PainelMensagens::lendoCartao() const {
    return ui->pnlILCD->isVisible();
}
