#include "app/OperadorJanelas.h"

#include "library/kavex.h"

#include "app/Main.h"
#include "app/PainelConfirmacao.h"
#include "app/PainelMensagens.h"
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
#include "othertrn/CancVidalink.h"
#include "othertrn/ConsVlink.h"
#include "othertrn/OutraTrn.h"
#include "othertrn/VendaVidalink.h"
#include "othertrn/Vidalink.h"
#include "platform/Impressao.h"
#include "widgets/Modal.h"
#include "widgets/Prompt.h"
#include "widgets/RadioGroup.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace {
const QString kTituloImpressao = QStringLiteral("Cupom TEF");
// The item of the printer choice that prints the receipt.
constexpr int kComImpressora = 1;
} // namespace

OperadorJanelas::OperadorJanelas(TFrmtesteCliKavex32I& principal, PainelMensagens& mensagens,
                                 PainelConfirmacao& confirmacao, const Controles& controles)
    : principal_(principal), mensagens_(mensagens), confirmacao_(confirmacao), c_(controles) {}

void OperadorJanelas::atualizaTela() {
    mensagens_.atualiza();
}

void OperadorJanelas::processa() {
    mensagens_.antesDosEventos();
    platform::modal::processPendingEvents();
}

void OperadorJanelas::esperaComecou() {
    mensagens_.esperaComecou();
}

void OperadorJanelas::pedeCancelamento() {
    cancelamentoPedido_ = true;
}

void OperadorJanelas::iniciaFuncao(const QString& dataHora) {
    cancelamentoPedido_ = false;
    Janelas& j = principal_.janelas();
    j.FrmCupomTEF->MemCupom()->clear();
    j.FrmConsultas->MemoConsultas()->clear();
    mensagens_.inicia(dataHora);
    j.FrmCupomTEF->OpcaoConfirmacao = TFrmCupomTEF::Pendente;
}

// A "Cancela &Pinpad" pressed since the last call ends the function with the
// next one.
bool OperadorJanelas::processaEventos() {
    processa();
    // Closing the window during the function also ends it, call after call.
    const bool cancela = cancelamentoPedido_ || principal_.encerramentoPedido();
    cancelamentoPedido_ = false;
    return cancela;
}

void OperadorJanelas::registra(const QString& linha) {
    mensagens_.registra(linha);
}

void OperadorJanelas::mostraMensagem(const QString& texto) {
    mensagens_.mostraMensagem(texto);
}

void OperadorJanelas::acrescentaMensagem(const QString& texto) {
    mensagens_.acrescentaMensagem(texto);
}

void OperadorJanelas::limpaMensagens() {
    mensagens_.limpaMensagens();
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
    TFrmMenu& menu = *principal_.janelas().FrmMenu;
    menu.LimitaTamanho(tamanhoMaximo);
    menu.MostraOpcoes(opcoes);
    platform::modal::showModal(menu);
    return {menu.OpcaoMenu, menu.continua(), menu.RdBtnCont1000()->isChecked()};
}

OperadorLaco::Resposta OperadorJanelas::coletaCampo(const QString& solicitacao, int tamanhoMaximo) {
    atualizaTela();
    TFrmColeta& coleta = *principal_.janelas().FrmColeta;
    coleta.LimitaTamanho(tamanhoMaximo);
    coleta.MostraSolicitacao(solicitacao);
    platform::modal::showModal(coleta);
    return {coleta.CampoColetado, coleta.continua(), coleta.RdBtnCtn1000()->isChecked()};
}

OperadorLaco::EscolhaCheque OperadorJanelas::escolheCheque() {
    atualizaTela();
    Janelas& j = principal_.janelas();
    j.FrmCnsChq->PreparaEscolha();
    j.FrmDigitado->LimpaCampos();
    j.FrmCMC7->LimpaCampo();
    platform::modal::showModal(*j.FrmCnsChq);
    return {j.FrmCnsChq->UsaCMC7, j.FrmCnsChq->continua()};
}

OperadorLaco::Resposta OperadorJanelas::chequeDigitado(const QString& solicitacao) {
    atualizaTela();
    TFrmDigitado& d = *principal_.janelas().FrmDigitado;
    d.DadosCheque()->setText(solicitacao);
    platform::modal::showModal(d);
    return {d.Compensacao + d.Banco + d.Agencia + d.C1 + d.Conta + d.C2 + d.NumeroCheque + d.C3, d.continua()};
}

OperadorLaco::Resposta OperadorJanelas::chequeCMC7(const QString& solicitacao, int tamanhoMaximo) {
    atualizaTela();
    TFrmCMC7& cmc7 = *principal_.janelas().FrmCMC7;
    cmc7.LimitaCMC7(static_cast<int16_t>(tamanhoMaximo));
    cmc7.MostraCMC7(solicitacao);
    platform::modal::showModal(cmc7);
    return {cmc7.DadosCMC7, cmc7.continua()};
}

OperadorLaco::Resposta OperadorJanelas::codigoBarras(const QString& solicitacao) {
    atualizaTela();
    TFrmCodBarra& codBarra = *principal_.janelas().FrmCodBarra;
    codBarra.MostraParaLaco(solicitacao);
    return {codBarra.RetornoCodBarra, codBarra.continua()};
}

// A cancel pressed while the call ran goes out with the next call; the wait
// this call reported must not bring the panel back meanwhile, or it would
// outlive the function it belonged to.
void OperadorJanelas::aguardaPinpad(int32_t contador) {
    mensagens_.aguardaPinpad(contador, !cancelamentoPedido_);
}

void OperadorJanelas::escondeAguardaPinpad() {
    mensagens_.escondeAguardaPinpad();
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

OperadorLaco::Resposta OperadorJanelas::mensagemPinpad() {
    TFrmMsgPpd& dialogo = *principal_.janelas().FrmMsgPpd;
    dialogo.EdtMsgPpd()->clear();
    platform::modal::showModal(dialogo);
    return {dialogo.MensagemPinpad, dialogo.continua()};
}

OperadorLaco::Resposta OperadorJanelas::workingKey() {
    TFrmWK& dialogo = *principal_.janelas().FrmWK;
    dialogo.EdtWK()->clear();
    platform::modal::showModal(dialogo);
    return {dialogo.WorkingKey, dialogo.continua()};
}

OperadorLaco::TempoEspera OperadorJanelas::tempoLeituraCartao() {
    TFrmTimeout& timeout = *principal_.janelas().FrmTimeout;
    timeout.EdtTimeout()->clear();
    platform::modal::showModal(timeout);
    TempoEspera tempo;
    if (!timeout.EdtTimeout()->text().isEmpty()) {
        tempo.segundos = timeout.TimeoutLeCartao;
    }
    tempo.continua = timeout.continua();
    return tempo;
}

int32_t OperadorJanelas::aguardaPassagemCartao() {
    return principal_.TstCnc();
}

void OperadorJanelas::limpaCaixaMensagens() {
    mensagens_.limpaCaixaMensagens();
}

void OperadorJanelas::mostraPainelLeitura() {
    mensagens_.mostraPainelLeitura();
}

void OperadorJanelas::escondePainelLeitura() {
    mensagens_.escondePainelLeitura();
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
    confirmacao_.escreveCampos(cupom, hora);
}

// Each window keeps its own answer: the menu its tag, the hub its choice, the
// sale and cancellation windows the result of the start made in them.
OperadorLaco::Visita OperadorJanelas::menuOutras(fluxos::ConsultaVidalink& consulta) {
    Janelas& j = principal_.janelas();
    j.FrmConsVidalink->preparaVisita(consulta);
    TFrmOutrasTrn& menu = *j.FrmOutrasTrn;
    platform::modal::showModal(menu);
    Visita visita;
    switch (menu.Tag) {
    case TFrmOutrasTrn::TransacoesVidalink:
        visita.escolha = EscolhaOutras::Vidalink;
        visita.vidalink = j.FrmVidalink->EscolhaFeita;
        if (visita.vidalink == EscolhaVidalink::Venda) {
            visita.inicio = j.FrmVendaVidalink->RetornoVenda;
        } else if (visita.vidalink == EscolhaVidalink::Cancelamento) {
            visita.inicio = j.FrmCncVidalink->RetornoCncVidalink;
        }
        break;
    case TFrmOutrasTrn::ConsultaPBM:
        visita.escolha = EscolhaOutras::ConsultaPBM;
        break;
    default:
        break;
    }
    return visita;
}

void OperadorJanelas::consultaVidalink(fluxos::ConsultaVidalink&) {
    platform::modal::showModal(*principal_.janelas().FrmConsVidalink);
}

QString OperadorJanelas::codigoProdutoAutorizacao(const QString& rotulo) {
    TFrmCodProdAutor& dialogo = *principal_.janelas().FrmCodProdAutor;
    dialogo.lbCodProdAutor()->setText(rotulo);
    platform::modal::showModal(dialogo);
    return dialogo.edCodProdAutor()->text();
}
