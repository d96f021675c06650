#include "app/OperadorJanelas.h"

#include "app/Main.h"
#include "dialogs/ColetaCampos.h"
#include "dialogs/ColetaDadosCMC7.h"
#include "dialogs/CorrespBanc.h"
#include "dialogs/CupomTEF.h"
#include "dialogs/DadosCheque.h"
#include "dialogs/MenuEscolha.h"
#include "dialogs/SelecionaChq.h"
#include "dialogs/TelaConsulta.h"
#include "platform/Impressao.h"
#include "platform/Modal.h"
#include "platform/Prompt.h"
#include "platform/RadioGroup.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace {
const QString kTituloImpressao = QStringLiteral("Cupom TEF");
// The item of the printer choice that prints the receipt.
constexpr int kComImpressora = 1;
// What "&Encerra" sends with the next call.
constexpr int32_t kEncerra = -1;
// A burst: this many cycles in a row, each shorter than a millisecond. A
// frame: how often the window is painted during one.
constexpr int kCiclosDeRajada = 8;
constexpr qint64 kCicloRapidoNs = 1'000'000;
constexpr qint64 kQuadroNs = 16'000'000;

// Adds a text with CR LF line breaks as one entry, on as many lines as it has
// line breaks. A CR on its own is no line break there, so it is dropped
// instead of starting a line of its own.
void acrescentaTexto(QPlainTextEdit* caixa, const QString& texto) {
    QString linhas = texto;
    linhas.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    linhas.remove(QLatin1Char('\r'));
    caixa->appendPlainText(linhas);
}

} // namespace

OperadorJanelas::OperadorJanelas(TFrmtesteCliKavex32I& principal, const Controles& controles)
    : principal_(principal), c_(controles) {
    relogio_.start();
}

bool OperadorJanelas::emRajada() {
    const qint64 agora = relogio_.nsecsElapsed();
    ciclosRapidos_ = agora - ultimoCiclo_ < kCicloRapidoNs ? ciclosRapidos_ + 1 : 0;
    ultimoCiclo_ = agora;
    return ciclosRapidos_ >= kCiclosDeRajada && agora - ultimaPintura_ < kQuadroNs;
}

// Only the controls that change from one cycle to the next wait for the
// frame; repainting the whole window once a frame would cost as much as the
// cycles themselves.
void OperadorJanelas::pinta(bool agora) {
    for (QWidget* w : {static_cast<QWidget*>(c_.Memo), static_cast<QWidget*>(c_.MemoMsgOperador),
                       static_cast<QWidget*>(c_.EdtData), c_.PnlCncPpd}) {
        w->setUpdatesEnabled(agora);
    }
}

void OperadorJanelas::atualizaTela() {
    if (!tracePendente_.isEmpty()) {
        c_.Memo->appendPlainText(tracePendente_.join(QLatin1Char('\n')));
        tracePendente_.clear();
    }
    pinta(true);
    ultimaPintura_ = relogio_.nsecsElapsed();
}

void OperadorJanelas::iniciaFuncao(const QString& dataHora) {
    Janelas& j = principal_.janelas();
    j.FrmCupomTEF->MemCupom()->clear();
    j.FrmConsultas->MemoConsultas()->clear();
    tracePendente_.clear();
    ciclosRapidos_ = 0;
    c_.Memo->clear();
    c_.MemoMsgOperador->clear();
    mostraMensagem(dataHora);
    j.FrmCupomTEF->OpcaoConfirmacao = TFrmCupomTEF::Pendente;
}

void OperadorJanelas::processaEventos() {
    if (emRajada()) {
        pinta(false);
    } else {
        atualizaTela();
    }
    platform::modal::processPendingEvents();
    // The operator closed the window during the function: every call until
    // its end says "&Encerra".
    if (principal_.encerramentoPedido()) {
        principal_.estado().Continua = kEncerra;
    }
}

// Each trace line stays one entry of the box; line breaks in the library's
// text are shown as breaks within it.
void OperadorJanelas::registra(const QString& linha) {
    if (!linha.contains(QLatin1Char('\n')) && !linha.contains(QLatin1Char('\r'))) {
        tracePendente_.append(linha);
        return;
    }
    QString entrada = linha;
    entrada.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    entrada.replace(QLatin1Char('\n'), QChar::LineSeparator).replace(QLatin1Char('\r'), QChar::LineSeparator);
    tracePendente_.append(entrada);
}

void OperadorJanelas::mostraMensagem(const QString& texto) {
    c_.EdtData->setPlainText(texto);
}

void OperadorJanelas::acrescentaMensagem(const QString& texto) {
    acrescentaTexto(c_.MemoMsgOperador, texto);
}

void OperadorJanelas::limpaMensagens() {
    c_.MemoMsgOperador->clear();
    c_.EdtData->clear();
}

void OperadorJanelas::avisa(const QString& texto) {
    atualizaTela();
    platform::prompt::showMessage(texto, &principal_);
    processaEventos();
}

void OperadorJanelas::mostraErro(const QString& texto) {
    atualizaTela();
    platform::prompt::showError(texto, &principal_);
    processaEventos();
}

bool OperadorJanelas::pergunta(const QString& texto) {
    atualizaTela();
    const bool sim = platform::prompt::askYesNo(QString(), texto, &principal_) == platform::prompt::Answer::Yes;
    processaEventos();
    return sim;
}

void OperadorJanelas::cabecalhoMenu(const QString& texto) {
    principal_.janelas().FrmMenu->CabecalhoMenu()->setText(texto);
}

OperadorLaco::Escolha OperadorJanelas::menu(const QString& opcoes, int tamanhoMaximo) {
    atualizaTela();
    TFrmMenu& menu = *principal_.janelas().FrmMenu;
    menu.LimitaTamanho(tamanhoMaximo);
    menu.MostraOpcoes(opcoes);
    platform::modal::showModal(menu);
    return {menu.OpcaoMenu, menu.RdBtnCont1000()->isChecked()};
}

OperadorLaco::Escolha OperadorJanelas::coletaCampo(const QString& solicitacao, int tamanhoMaximo) {
    atualizaTela();
    TFrmColeta& coleta = *principal_.janelas().FrmColeta;
    coleta.LimitaTamanho(tamanhoMaximo);
    coleta.MostraSolicitacao(solicitacao);
    platform::modal::showModal(coleta);
    return {coleta.CampoColetado, coleta.RdBtnCtn1000()->isChecked()};
}

bool OperadorJanelas::escolheCheque() {
    atualizaTela();
    Janelas& j = principal_.janelas();
    j.FrmCnsChq->PreparaEscolha();
    j.FrmDigitado->LimpaCampos();
    j.FrmCMC7->LimpaCampo();
    platform::modal::showModal(*j.FrmCnsChq);
    return j.FrmCnsChq->UsaCMC7;
}

QString OperadorJanelas::chequeDigitado(const QString& solicitacao) {
    atualizaTela();
    TFrmDigitado& d = *principal_.janelas().FrmDigitado;
    d.DadosCheque()->setText(solicitacao);
    platform::modal::showModal(d);
    return d.Compensacao + d.Banco + d.Agencia + d.C1 + d.Conta + d.C2 + d.NumeroCheque + d.C3;
}

QString OperadorJanelas::chequeCMC7(const QString& solicitacao, int tamanhoMaximo) {
    atualizaTela();
    TFrmCMC7& cmc7 = *principal_.janelas().FrmCMC7;
    cmc7.LimitaCMC7(static_cast<int16_t>(tamanhoMaximo));
    cmc7.MostraCMC7(solicitacao);
    platform::modal::showModal(cmc7);
    return cmc7.DadosCMC7;
}

QString OperadorJanelas::codigoBarras(const QString& solicitacao) {
    atualizaTela();
    TFrmCodBarra& codBarra = *principal_.janelas().FrmCodBarra;
    codBarra.MostraParaLaco(solicitacao);
    return codBarra.RetornoCodBarra;
}

void OperadorJanelas::aguardaPinpad(int32_t contador) {
    c_.PnlCncPpd->show();
    c_.LblContador->setText(QString::number(contador));
}

void OperadorJanelas::escondeAguardaPinpad() {
    c_.PnlCncPpd->hide();
}

void OperadorJanelas::acrescentaCupom(const QString& texto) {
    acrescentaTexto(principal_.janelas().FrmCupomTEF->MemCupom(), texto);
}

int32_t OperadorJanelas::mostraCupom() {
    TFrmCupomTEF& cupom = *principal_.janelas().FrmCupomTEF;
    platform::modal::showModal(cupom);
    return cupom.OpcaoConfirmacao;
}

QString OperadorJanelas::imprimeCupom() {
    const QString texto = principal_.janelas().FrmCupomTEF->MemCupom()->toPlainText();
    return platform::impressao::imprimeTexto(texto.split(QLatin1Char('\n')), kTituloImpressao);
}

void OperadorJanelas::acrescentaConsulta(const QString& texto) {
    acrescentaTexto(principal_.janelas().FrmConsultas->MemoConsultas(), texto);
}

bool OperadorJanelas::temConsulta() {
    return !principal_.janelas().FrmConsultas->MemoConsultas()->document()->isEmpty();
}

void OperadorJanelas::mostraConsulta(const QString& titulo) {
    atualizaTela();
    TFrmConsultas& consultas = *principal_.janelas().FrmConsultas;
    consultas.setWindowTitle(titulo);
    platform::modal::showModal(consultas);
}

void OperadorJanelas::mostraResultado(int32_t retorno) {
    atualizaTela();
    c_.EdtResultado->setText(QString::number(retorno));
}

OperadorLaco::Finalizacao OperadorJanelas::finalizacao() {
    return {c_.RdGrImpr->itemIndex() == kComImpressora, c_.EdtCpFiscal->text(), c_.EdtHora->text()};
}

void OperadorJanelas::devolveControles() {
    principal_.HabilitaDesabilita(true);
}
