#include "app/OperadorJanelas.h"

#include "library/kavex.h"

#include "app/Main.h"
#include "dialogs/ColetaCampos.h"
#include "dialogs/ColetaCodProdAutor.h"
#include "dialogs/ColetaDadosCMC7.h"
#include "dialogs/CorrespBanc.h"
#include "dialogs/CupomTEF.h"
#include "dialogs/DadosCheque.h"
#include "dialogs/MensagemPinpad.h"
#include "dialogs/MenuEscolha.h"
#include "dialogs/SelecionaChq.h"
#include "dialogs/TelaConsulta.h"
#include "dialogs/Timeout.h"
#include "dialogs/WorkingKey.h"
#include "othertrn/AA.h"
#include "othertrn/ConsVlink.h"
#include "othertrn/OutraTrn.h"
#include "platform/Impressao.h"
#include "widgets/Modal.h"
#include "widgets/Prompt.h"
#include "widgets/RadioGroup.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <algorithm>
#include <chrono>

namespace {
const QString kTituloImpressao = QStringLiteral("Cupom TEF");
// The item of the printer choice that prints the receipt.
constexpr int kComImpressora = 1;
// How often the window is painted while the loop runs: once a frame.
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
    quadro_.setSingleShot(true);
    quadro_.callOnTimeout([this] { atualizaTela(); });
}

// Only the controls whose contents change from one cycle to the next wait
// for the frame; repainting the whole window once a frame would cost as much
// as the cycles themselves. A panel that is shown and hidden never waits: a
// widget hidden while its updates are off leaves its pixels on the screen.
void OperadorJanelas::pinta(bool agora) {
    emPausa_ = !agora;
    for (QWidget* w : {static_cast<QWidget*>(c_.Memo), static_cast<QWidget*>(c_.MemoMsgOperador),
                       static_cast<QWidget*>(c_.EdtData), static_cast<QWidget*>(c_.LblContador)}) {
        w->setUpdatesEnabled(agora);
    }
}

void OperadorJanelas::atualizaTela() {
    quadro_.stop();
    if (!tracePendente_.isEmpty()) {
        c_.Memo->appendPlainText(tracePendente_.join(QLatin1Char('\n')));
        tracePendente_.clear();
    }
    if (mensagemPendente_) {
        c_.EdtData->setPlainText(*mensagemPendente_);
        mensagemPendente_.reset();
    }
    pinta(true);
    ultimaPintura_ = relogio_.nsecsElapsed();
}

void OperadorJanelas::processa() {
    if (relogio_.nsecsElapsed() - ultimaPintura_ >= kQuadroNs) {
        atualizaTela();
    } else {
        pinta(false);
    }
    platform::modal::processPendingEvents();
}

// A call that lasts shows what the cycles before it left within the frame,
// not when it ends.
void OperadorJanelas::esperaComecou() {
    if (emPausa_ && !quadro_.isActive()) {
        const qint64 restante = kQuadroNs - (relogio_.nsecsElapsed() - ultimaPintura_);
        quadro_.start(std::chrono::milliseconds(std::max<qint64>(0, restante / 1'000'000)));
    }
}

void OperadorJanelas::antesDoDialogo() {
    principal_.estado().Continua = KAVEX_CONTINUA_SEGUE;
}

int32_t OperadorJanelas::continuaDoDialogo() const {
    return principal_.estado().Continua;
}

void OperadorJanelas::iniciaFuncao(const QString& dataHora) {
    principal_.estado().Continua = KAVEX_CONTINUA_SEGUE;
    Janelas& j = principal_.janelas();
    j.FrmCupomTEF->MemCupom()->clear();
    j.FrmConsultas->MemoConsultas()->clear();
    tracePendente_.clear();
    mensagemPendente_.reset();
    c_.Memo->clear();
    c_.MemoMsgOperador->clear();
    mostraMensagem(dataHora);
    j.FrmCupomTEF->OpcaoConfirmacao = TFrmCupomTEF::Pendente;
}

// "Cancela &Pinpad" leaves -1 in Continua; a dialog's "&Encerra" does too,
// and the loop sends -1 after it either way.
bool OperadorJanelas::processaEventos() {
    processa();
    int32_t& continua = principal_.estado().Continua;
    // Closing the window during the function also ends it, call after call.
    const bool cancela = continua == KAVEX_CONTINUA_ENCERRA || principal_.encerramentoPedido();
    continua = KAVEX_CONTINUA_SEGUE;
    return cancela;
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

// Laying the large type out again is most of what a fast cycle would cost;
// while cycles follow each other within a frame only its last message is
// shown.
void OperadorJanelas::mostraMensagem(const QString& texto) {
    if (emPausa_) {
        mensagemPendente_ = texto;
    } else {
        c_.EdtData->setPlainText(texto);
    }
}

void OperadorJanelas::acrescentaMensagem(const QString& texto) {
    acrescentaTexto(c_.MemoMsgOperador, texto);
}

void OperadorJanelas::limpaMensagens() {
    c_.MemoMsgOperador->clear();
    mostraMensagem(QString());
}

void OperadorJanelas::avisa(const QString& texto) {
    atualizaTela();
    platform::prompt::showMessage(texto, &principal_);
    processa();
}

void OperadorJanelas::mostraErro(const QString& texto) {
    atualizaTela();
    platform::prompt::showError(texto, &principal_);
    processa();
}

bool OperadorJanelas::pergunta(const QString& texto) {
    atualizaTela();
    return perguntaComTitulo(QString(), texto);
}

void OperadorJanelas::cabecalhoMenu(const QString& texto) {
    principal_.janelas().FrmMenu->CabecalhoMenu()->setText(texto);
}

OperadorLaco::Resposta OperadorJanelas::menu(const QString& opcoes, int tamanhoMaximo) {
    atualizaTela();
    antesDoDialogo();
    TFrmMenu& menu = *principal_.janelas().FrmMenu;
    menu.LimitaTamanho(tamanhoMaximo);
    menu.MostraOpcoes(opcoes);
    platform::modal::showModal(menu);
    return {menu.OpcaoMenu, continuaDoDialogo(), menu.RdBtnCont1000()->isChecked()};
}

OperadorLaco::Resposta OperadorJanelas::coletaCampo(const QString& solicitacao, int tamanhoMaximo) {
    atualizaTela();
    antesDoDialogo();
    TFrmColeta& coleta = *principal_.janelas().FrmColeta;
    coleta.LimitaTamanho(tamanhoMaximo);
    coleta.MostraSolicitacao(solicitacao);
    platform::modal::showModal(coleta);
    return {coleta.CampoColetado, continuaDoDialogo(), coleta.RdBtnCtn1000()->isChecked()};
}

OperadorLaco::EscolhaCheque OperadorJanelas::escolheCheque() {
    atualizaTela();
    antesDoDialogo();
    Janelas& j = principal_.janelas();
    j.FrmCnsChq->PreparaEscolha();
    j.FrmDigitado->LimpaCampos();
    j.FrmCMC7->LimpaCampo();
    platform::modal::showModal(*j.FrmCnsChq);
    return {j.FrmCnsChq->UsaCMC7, continuaDoDialogo()};
}

OperadorLaco::Resposta OperadorJanelas::chequeDigitado(const QString& solicitacao) {
    atualizaTela();
    antesDoDialogo();
    TFrmDigitado& d = *principal_.janelas().FrmDigitado;
    d.DadosCheque()->setText(solicitacao);
    platform::modal::showModal(d);
    return {d.Compensacao + d.Banco + d.Agencia + d.C1 + d.Conta + d.C2 + d.NumeroCheque + d.C3, continuaDoDialogo()};
}

OperadorLaco::Resposta OperadorJanelas::chequeCMC7(const QString& solicitacao, int tamanhoMaximo) {
    atualizaTela();
    antesDoDialogo();
    TFrmCMC7& cmc7 = *principal_.janelas().FrmCMC7;
    cmc7.LimitaCMC7(static_cast<int16_t>(tamanhoMaximo));
    cmc7.MostraCMC7(solicitacao);
    platform::modal::showModal(cmc7);
    return {cmc7.DadosCMC7, continuaDoDialogo()};
}

OperadorLaco::Resposta OperadorJanelas::codigoBarras(const QString& solicitacao) {
    atualizaTela();
    antesDoDialogo();
    TFrmCodBarra& codBarra = *principal_.janelas().FrmCodBarra;
    codBarra.MostraParaLaco(solicitacao);
    return {codBarra.RetornoCodBarra, continuaDoDialogo()};
}

// A cancel pressed while the call ran goes out with the next call; the wait
// this call reported must not bring the panel back meanwhile, or it would
// outlive the function it belonged to.
void OperadorJanelas::aguardaPinpad(int32_t contador) {
    if (principal_.estado().Continua != KAVEX_CONTINUA_ENCERRA) {
        c_.PnlCncPpd->show();
    }
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

void OperadorJanelas::escreveCupomFiscal(const QString& cupom) {
    c_.EdtCpFiscal->setText(cupom);
}

void OperadorJanelas::escreveValor(const QString& valor) {
    c_.EdtValor->setText(valor);
}

void OperadorJanelas::escreveHora(const QString& hora) {
    c_.EdtHora->setText(hora);
}

OperadorLaco::ListaProdutos OperadorJanelas::produtosAutoAtendimento() {
    TFrmAA& produtos = *principal_.janelas().FrmAA;
    produtos.ProdutosAAInformados = false;
    platform::modal::showModal(produtos);
    return {produtos.ProdutosAAInformados, produtos.ProdutosAA};
}

// The prompts report "&Encerra" only through Continua.
OperadorLaco::Resposta OperadorJanelas::mensagemPinpad() {
    antesDoDialogo();
    TFrmMsgPpd& dialogo = *principal_.janelas().FrmMsgPpd;
    dialogo.EdtMsgPpd()->clear();
    platform::modal::showModal(dialogo);
    return {dialogo.MensagemPinpad, continuaDoDialogo()};
}

OperadorLaco::Resposta OperadorJanelas::workingKey() {
    antesDoDialogo();
    TFrmWK& dialogo = *principal_.janelas().FrmWK;
    dialogo.EdtWK()->clear();
    platform::modal::showModal(dialogo);
    return {dialogo.WorkingKey, continuaDoDialogo()};
}

OperadorLaco::TempoEspera OperadorJanelas::tempoLeituraCartao() {
    TFrmTimeout& timeout = *principal_.janelas().FrmTimeout;
    timeout.EdtTimeout()->clear();
    platform::modal::showModal(timeout);
    TempoEspera tempo;
    if (!timeout.EdtTimeout()->text().isEmpty()) {
        tempo.segundos = timeout.TimeoutLeCartao;
    }
    tempo.continua = continuaDoDialogo();
    return tempo;
}

int32_t OperadorJanelas::aguardaPassagemCartao() {
    return principal_.TstCnc();
}

void OperadorJanelas::limpaCaixaMensagens() {
    c_.MemoMsgOperador->clear();
}

// The panel lies over the operator messages (emptied for the read), so the
// window keeps its size and the other boxes their place. It is painted
// before the library takes the thread. A pinpad panel an earlier function
// left up would offer a second "Cancela &Pinpad" that does nothing for the
// read: it goes.
void OperadorJanelas::mostraPainelLeitura() {
    escondeAguardaPinpad();
    QWidget* painel = c_.pnlILCD;
    const QWidget* mensagens = c_.MemoMsgOperador;
    const QPoint canto = mensagens->mapTo(painel->parentWidget(), QPoint(0, 0));
    const int largura = mensagens->width();
    painel->setGeometry(canto.x(), canto.y(), largura,
                        painel->hasHeightForWidth() ? painel->heightForWidth(largura) : painel->sizeHint().height());
    painel->raise();
    painel->show();
    platform::modal::processPendingEvents();
}

void OperadorJanelas::escondePainelLeitura() {
    c_.pnlILCD->hide();
}

void OperadorJanelas::validaCodigoBarras() {
    principal_.janelas().FrmCodBarra->MostraParaValidacao();
}

bool OperadorJanelas::perguntaComTitulo(const QString& titulo, const QString& texto) {
    atualizaTela();
    const bool sim = platform::prompt::askYesNo(titulo, texto, &principal_) == platform::prompt::Answer::Yes;
    processa();
    return sim;
}

std::optional<QString> OperadorJanelas::pedeTexto(const QString& titulo, const QString& rotulo) {
    QString resposta;
    const bool aceito = platform::prompt::inputQuery(titulo, rotulo, resposta, &principal_);
    platform::modal::processPendingEvents();
    if (!aceito) {
        return std::nullopt;
    }
    return resposta;
}

void OperadorJanelas::escreveCamposConfirmacao(const QString& cupom, const QString& hora) {
    c_.EdtCpFiscal2->setText(cupom);
    c_.EdtHora2->setText(hora);
}

OperadorLaco::Visita OperadorJanelas::menuOutras() {
    Janelas& j = principal_.janelas();
    j.FrmConsVidalink->preparaVisita();
    inicio_.reset();
    TFrmOutrasTrn& menu = *j.FrmOutrasTrn;
    platform::modal::showModal(menu);
    Visita visita;
    visita.inicio = inicio_;
    switch (menu.Tag) {
    case TFrmOutrasTrn::TransacoesVidalink:
        visita.escolha = EscolhaOutras::Vidalink;
        break;
    case TFrmOutrasTrn::ConsultaPBM:
        visita.escolha = EscolhaOutras::ConsultaPBM;
        break;
    default:
        break;
    }
    return visita;
}

std::optional<int32_t> OperadorJanelas::consultaVidalink() {
    inicio_.reset();
    platform::modal::showModal(*principal_.janelas().FrmConsVidalink);
    return inicio_;
}

QString OperadorJanelas::codigoProdutoAutorizacao(const QString& rotulo) {
    TFrmCodProdAutor& dialogo = *principal_.janelas().FrmCodProdAutor;
    dialogo.lbCodProdAutor()->setText(rotulo);
    platform::modal::showModal(dialogo);
    return dialogo.edCodProdAutor()->text();
}
