#include "app/OperadorJanelas.h"

#include "library/kavex.h"

#include "app/Janelas.h"
#include "app/PainelConfirmacao.h"
#include "app/PainelMensagens.h"
#include "app/PainelTransacao.h"
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

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

namespace {
const QString kTituloImpressao = QStringLiteral("Cupom TEF");
} // namespace

OperadorJanelas::OperadorJanelas(JanelaOperada& principal, Janelas& janelas, PainelMensagens& mensagens,
                                 PainelTransacao& transacao, PainelConfirmacao& confirmacao)
    : principal_(principal), janelas_(janelas), mensagens_(mensagens), transacao_(transacao),
      confirmacao_(confirmacao) {}

// Boxes belong to the window the panels are in.
QWidget* OperadorJanelas::janela() const {
    return mensagens_.window();
}

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
    janelas_.FrmCupomTEF.MemCupom()->clear();
    janelas_.FrmConsultas.MemoConsultas()->clear();
    mensagens_.inicia(dataHora);
    janelas_.FrmCupomTEF.OpcaoConfirmacao = TFrmCupomTEF::Pendente;
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
    platform::prompt::showMessage(texto, janela());
    processa();
}

void OperadorJanelas::mostraErro(const QString& texto) {
    atualizaTela();
    platform::prompt::showError(texto, janela());
    processa();
}

bool OperadorJanelas::pergunta(const QString& texto) {
    atualizaTela();
    return perguntaComTitulo(QString(), texto);
}

void OperadorJanelas::cabecalhoMenu(const QString& texto) {
    janelas_.FrmMenu.CabecalhoMenu()->setText(texto);
}

OperadorLaco::Resposta OperadorJanelas::menu(const QString& opcoes, int tamanhoMaximo) {
    atualizaTela();
    TFrmMenu& menu = janelas_.FrmMenu;
    menu.LimitaTamanho(tamanhoMaximo);
    menu.MostraOpcoes(opcoes);
    platform::modal::showModal(menu);
    return {menu.OpcaoMenu, menu.continua(), menu.RdBtnCont1000()->isChecked()};
}

OperadorLaco::Resposta OperadorJanelas::coletaCampo(const QString& solicitacao, int tamanhoMaximo) {
    atualizaTela();
    TFrmColeta& coleta = janelas_.FrmColeta;
    coleta.LimitaTamanho(tamanhoMaximo);
    coleta.MostraSolicitacao(solicitacao);
    platform::modal::showModal(coleta);
    return {coleta.CampoColetado, coleta.continua(), coleta.RdBtnCtn1000()->isChecked()};
}

OperadorLaco::EscolhaCheque OperadorJanelas::escolheCheque() {
    atualizaTela();
    janelas_.FrmCnsChq.PreparaEscolha();
    janelas_.FrmDigitado.LimpaCampos();
    janelas_.FrmCMC7.LimpaCampo();
    platform::modal::showModal(janelas_.FrmCnsChq);
    return {janelas_.FrmCnsChq.UsaCMC7, janelas_.FrmCnsChq.continua()};
}

OperadorLaco::Resposta OperadorJanelas::chequeDigitado(const QString& solicitacao) {
    atualizaTela();
    TFrmDigitado& d = janelas_.FrmDigitado;
    d.DadosCheque()->setText(solicitacao);
    platform::modal::showModal(d);
    return {d.Compensacao + d.Banco + d.Agencia + d.C1 + d.Conta + d.C2 + d.NumeroCheque + d.C3, d.continua()};
}

OperadorLaco::Resposta OperadorJanelas::chequeCMC7(const QString& solicitacao, int tamanhoMaximo) {
    atualizaTela();
    TFrmCMC7& cmc7 = janelas_.FrmCMC7;
    cmc7.LimitaCMC7(static_cast<int16_t>(tamanhoMaximo));
    cmc7.MostraCMC7(solicitacao);
    platform::modal::showModal(cmc7);
    return {cmc7.DadosCMC7, cmc7.continua()};
}

OperadorLaco::Resposta OperadorJanelas::codigoBarras(const QString& solicitacao) {
    atualizaTela();
    TFrmCodBarra& codBarra = janelas_.FrmCodBarra;
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
    acrescentaTexto(janelas_.FrmCupomTEF.MemCupom(), texto);
}

int32_t OperadorJanelas::mostraCupom() {
    TFrmCupomTEF& cupom = janelas_.FrmCupomTEF;
    platform::modal::showModal(cupom);
    return cupom.OpcaoConfirmacao;
}

QString OperadorJanelas::imprimeCupom() {
    const QString texto = janelas_.FrmCupomTEF.MemCupom()->toPlainText();
    return platform::impressao::imprimeTexto(texto.split(QLatin1Char('\n')), kTituloImpressao);
}

void OperadorJanelas::acrescentaConsulta(const QString& texto) {
    acrescentaTexto(janelas_.FrmConsultas.MemoConsultas(), texto);
}

bool OperadorJanelas::temConsulta() {
    return !janelas_.FrmConsultas.MemoConsultas()->document()->isEmpty();
}

void OperadorJanelas::mostraConsulta(const QString& titulo) {
    atualizaTela();
    TFrmConsultas& consultas = janelas_.FrmConsultas;
    consultas.setWindowTitle(titulo);
    platform::modal::showModal(consultas);
}

void OperadorJanelas::mostraResultado(int32_t retorno) {
    atualizaTela();
    principal_.EscreveResultado(retorno);
}

OperadorLaco::Finalizacao OperadorJanelas::finalizacao() {
    const fluxos::CamposInicio campos = transacao_.campos();
    return {principal_.comImpressora(), campos.cupomFiscal, campos.hora};
}

void OperadorJanelas::devolveControles() {
    principal_.devolveControles();
}

void OperadorJanelas::escreveCupomFiscal(const QString& cupom) {
    transacao_.escreveCupomFiscal(cupom);
}

void OperadorJanelas::escreveValor(const QString& valor) {
    transacao_.escreveValor(valor);
}

void OperadorJanelas::escreveHora(const QString& hora) {
    transacao_.escreveHora(hora);
}

OperadorLaco::ListaProdutos OperadorJanelas::produtosAutoAtendimento() {
    TFrmAA& produtos = janelas_.FrmAA;
    produtos.ProdutosAAInformados = false;
    platform::modal::showModal(produtos);
    return {produtos.ProdutosAAInformados, produtos.ProdutosAA};
}

OperadorLaco::Resposta OperadorJanelas::mensagemPinpad() {
    TFrmMsgPpd& dialogo = janelas_.FrmMsgPpd;
    dialogo.EdtMsgPpd()->clear();
    platform::modal::showModal(dialogo);
    return {dialogo.MensagemPinpad, dialogo.continua()};
}

OperadorLaco::Resposta OperadorJanelas::workingKey() {
    TFrmWK& dialogo = janelas_.FrmWK;
    dialogo.EdtWK()->clear();
    platform::modal::showModal(dialogo);
    return {dialogo.WorkingKey, dialogo.continua()};
}

OperadorLaco::TempoEspera OperadorJanelas::tempoLeituraCartao() {
    TFrmTimeout& timeout = janelas_.FrmTimeout;
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
    janelas_.FrmCodBarra.MostraParaValidacao();
}

bool OperadorJanelas::perguntaComTitulo(const QString& titulo, const QString& texto) {
    atualizaTela();
    const bool sim = platform::prompt::askYesNo(titulo, texto, janela()) == platform::prompt::Answer::Yes;
    processa();
    return sim;
}

std::optional<QString> OperadorJanelas::pedeTexto(const QString& titulo, const QString& rotulo) {
    QString resposta;
    const bool aceito = platform::prompt::inputQuery(titulo, rotulo, resposta, janela());
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
    janelas_.FrmConsVidalink.preparaVisita(consulta);
    TFrmOutrasTrn& menu = janelas_.FrmOutrasTrn;
    platform::modal::showModal(menu);
    Visita visita;
    switch (menu.Tag) {
    case TFrmOutrasTrn::TransacoesVidalink:
        visita.escolha = EscolhaOutras::Vidalink;
        visita.vidalink = janelas_.FrmVidalink.EscolhaFeita;
        if (visita.vidalink == EscolhaVidalink::Venda) {
            visita.inicio = janelas_.FrmVendaVidalink.RetornoVenda;
        } else if (visita.vidalink == EscolhaVidalink::Cancelamento) {
            visita.inicio = janelas_.FrmCncVidalink.RetornoCncVidalink;
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
    platform::modal::showModal(janelas_.FrmConsVidalink);
}

QString OperadorJanelas::codigoProdutoAutorizacao(const QString& rotulo) {
    TFrmCodProdAutor& dialogo = janelas_.FrmCodProdAutor;
    dialogo.lbCodProdAutor()->setText(rotulo);
    platform::modal::showModal(dialogo);
    return dialogo.edCodProdAutor()->text();
}
