#include "roteiro/Execucao.h"

#include "fluxos/CodigoBarras.h"
#include "fluxos/Configuracao.h"
#include "fluxos/Confirmacao.h"
#include "fluxos/Inicio.h"
#include "fluxos/LacoComandos.h"
#include "fluxos/OutrasTransacoes.h"
#include "fluxos/TransacaoDireta.h"
#include "fluxos/Vidalink.h"
#include "library/KavexLibrary.h"
#include "roteiro/OperadorRoteirizado.h"

#include <QElapsedTimer>

namespace roteiro {

namespace {

// The finishing call the command loop made, by the loop's last choice.
QString finalizacaoFeita(const LacoComandos& laco, bool lacoRodou) {
    if (lacoRodou && laco.OpcaoConfirmacao == LacoComandos::Confirma) {
        return QStringLiteral("Confirma");
    }
    if (lacoRodou && laco.OpcaoConfirmacao == LacoComandos::Desfaz) {
        return QStringLiteral("Desfaz");
    }
    return QStringLiteral("Nenhuma");
}

bool algumaContem(const QStringList& linhas, const QString& texto) {
    for (const QString& linha : linhas) {
        if (linha.contains(texto)) {
            return true;
        }
    }
    return false;
}

struct Julgamento {
    Veredito veredito = Veredito::Passou;
    QString motivo;
};

// The first thing the case did not do as expected, or nothing.
Julgamento julga(const Caso& caso, const OperadorRoteirizado& operador, int32_t retorno, const QString& finalizacao) {
    if (operador.falha()) {
        return {operador.veredito(), *operador.falha()};
    }
    if (operador.erroRoteiro()) {
        return {Veredito::Erro, *operador.erroRoteiro()};
    }
    const Expectativa& espera = caso.espera;
    if (retorno != espera.resultado) {
        return {Veredito::Falhou, QStringLiteral("resultado %1, esperava %2").arg(retorno).arg(espera.resultado)};
    }
    for (const QString& texto : espera.trace) {
        if (!algumaContem(operador.trace(), texto)) {
            return {Veredito::Falhou, QStringLiteral("o trace não contém \"%1\"").arg(texto)};
        }
    }
    for (const QString& texto : espera.mensagens) {
        if (!algumaContem(operador.mensagens(), texto)) {
            return {Veredito::Falhou, QStringLiteral("as mensagens não contêm \"%1\"").arg(texto)};
        }
    }
    if (!espera.finalizacao.isEmpty() && espera.finalizacao != finalizacao) {
        return {Veredito::Falhou, QStringLiteral("finalização %1, esperava %2").arg(finalizacao, espera.finalizacao)};
    }
    if (operador.respostasRestantes() > 0) {
        const size_t primeira = caso.respostas.size() - size_t(operador.respostasRestantes());
        return {Veredito::Falhou, QStringLiteral("%1 resposta(s) não pedida(s), a primeira %2")
                                      .arg(operador.respostasRestantes())
                                      .arg(caso.respostas[primeira].onde)};
    }
    return {};
}

fluxos::CamposInicio camposDe(const Inicio& inicio) {
    fluxos::CamposInicio campos;
    switch (inicio.tipo) {
    case TipoInicio::TEF:
        campos.grupoTEF = fluxos::CamposInicio::TEF;
        break;
    case TipoInicio::AutoAtendimento:
        campos.grupoTEF = fluxos::CamposInicio::AutoAtendimento;
        break;
    case TipoInicio::CorrespondenteBancario:
        campos.grupoCB = fluxos::CamposInicio::CorrespondenteBancario;
        break;
    case TipoInicio::ValidaCodigoBarras:
        campos.grupoCB = fluxos::CamposInicio::ValidaCodigoBarras;
        break;
    default:
        break;
    }
    campos.funcao = inicio.funcao;
    campos.valor = inicio.valor;
    campos.cupomFiscal = inicio.cupomFiscal;
    campos.hora = inicio.hora;
    campos.restricoes = inicio.restricoes;
    campos.funcaoPinpad = inicio.funcaoPinpad;
    return campos;
}

const char* const kFinalizacoes[] = {"Desfaz", "Confirma"};

// One case's calls: the flow of its kind, then the command loop when a start
// answered 10000.
class Passos {
public:
    Passos(const Caso& caso, EstadoConsole& estado, KavexLibrary& biblioteca, OperadorRoteirizado& operador,
           Configuracao& configuracao)
        : caso_(caso), estado_(estado), biblioteca_(biblioteca), operador_(operador), configuracao_(configuracao),
          laco_(estado, biblioteca, operador) {
        operador_.defineMinimo([this] { return int(laco_.TamanhoMinimo); });
    }

    void executa();
    QString finalizacao() const {
        return finalizacaoManual_.isEmpty() ? finalizacaoFeita(laco_, lacoRodou_) : finalizacaoManual_;
    }

private:
    void continuaSeIniciou() {
        if (estado_.Retorno == LacoComandos::kContinua) {
            executaLaco();
        }
    }
    void executaLaco(bool consultaVidalink = false) {
        lacoRodou_ = true;
        laco_.ContinuaFuncao(consultaVidalink);
    }
    void visita();
    void validaCodigoBarras();
    void vendaVidalink();
    void cancelamentoVidalink();
    void transacaoDireta();
    void confirmacao();
    void configura();

    const Caso& caso_;
    EstadoConsole& estado_;
    KavexLibrary& biblioteca_;
    OperadorRoteirizado& operador_;
    Configuracao& configuracao_;
    LacoComandos laco_;
    bool lacoRodou_ = false;
    QString finalizacaoManual_;
};

void Passos::executa() {
    switch (caso_.inicio.tipo) {
    case TipoInicio::ConsultaPBM:
    case TipoInicio::ConsultaVidalink:
        visita();
        return;
    case TipoInicio::VendaVidalink:
        vendaVidalink();
        return;
    case TipoInicio::CancelamentoVidalink:
        cancelamentoVidalink();
        return;
    case TipoInicio::TransacaoDireta:
        transacaoDireta();
        return;
    case TipoInicio::Confirmacao:
    case TipoInicio::ConfirmacaoIdentificada:
        confirmacao();
        return;
    case TipoInicio::Configura:
        configura();
        return;
    default:
        break;
    }
    if (!fluxos::iniciaFuncao(camposDe(caso_.inicio), estado_, biblioteca_, operador_)) {
        operador_.recusaInicio();
        return;
    }
    if (caso_.inicio.tipo == TipoInicio::ValidaCodigoBarras) {
        validaCodigoBarras();
    }
    continuaSeIniciou();
}

// The other-transactions visit, its menu answered by the case's kind.
void Passos::visita() {
    fluxos::OutrasTransacoes outras(estado_, biblioteca_, operador_,
                                    [this](bool consultaVidalink) { executaLaco(consultaVidalink); });
    outras.visita(caso_.inicio.cupomFiscal);
}

// The bar-code window's check of the digits typed.
void Passos::validaCodigoBarras() {
    int16_t tipo = 0;
    estado_.Retorno = fluxos::validaCodigoBarras(biblioteca_, caso_.inicio.codigoBarras, tipo);
    operador_.mostraMensagem(QStringLiteral("Tipo = %1").arg(tipo));
}

// As the sale window gives them: each product (a refused one is shown and
// the sale goes on), then the start.
void Passos::vendaVidalink() {
    const Inicio& inicio = caso_.inicio;
    fluxos::VendaVidalink venda(estado_, biblioteca_);
    for (const ProdutoVidalink& p : inicio.produtosVidalink) {
        const int32_t resultado = venda.informaProduto(p.codigo, p.quantidade, p.valor);
        operador_.mostraMensagem(QStringLiteral("Produto %1: %2").arg(venda.produtosInformados()).arg(resultado));
    }
    fluxos::VendaVidalink::Autorizacao autorizacao{inicio.autorizacao, inicio.cupomFiscal};
    estado_.Retorno = venda.inicia(autorizacao);
    operador_.escreveCupomFiscal(autorizacao.cupomFiscal);
    continuaSeIniciou();
}

// As the cancellation window gives them: the products of a partial
// cancellation, each accepted before the next, then the start.
void Passos::cancelamentoVidalink() {
    const Inicio& inicio = caso_.inicio;
    fluxos::CancelamentoVidalink cancelamento(estado_, biblioteca_);
    for (const ProdutoVidalink& p : inicio.produtosVidalink) {
        if (!cancelamento.informaProduto(p.codigo, p.quantidade)) {
            operador_.interrompe(
                QStringLiteral("o produto %1 (%2) foi recusado").arg(cancelamento.indice()).arg(p.codigo));
            return;
        }
    }
    dataehora(estado_);
    fluxos::CancelamentoVidalink::Dados dados;
    dados.total = inicio.total;
    dados.produtos = inicio.total ? inicio.quantidadeProdutos : static_cast<int32_t>(inicio.produtosVidalink.size());
    dados.cupomOriginal = inicio.cupomVenda;
    dados.dataOriginal = inicio.dataVenda.isEmpty() ? estado_.DataFiscal : inicio.dataVenda;
    dados.documentoOriginal = inicio.documento;
    dados.terminalOriginal = inicio.terminal;
    dados.cupomNaoFiscal = inicio.cupomFiscal;
    estado_.Retorno = cancelamento.inicia(dados);
    continuaSeIniciou();
}

// The direct transaction window's fields, its defaults, and the listing.
void Passos::transacaoDireta() {
    const Inicio& inicio = caso_.inicio;
    fluxos::CamposDireta campos;
    campos.rede = QString::number(inicio.rede);
    campos.funcao = QString::number(inicio.funcaoDireta);
    campos.offset = QString::number(inicio.offset);
    campos.tipoTransacao = inicio.tipoTransacao;
    campos.cupomFiscal = inicio.cupomFiscal;
    campos.linhas = inicio.linhas;
    fluxos::VerificaCampos(campos);
    const fluxos::RespostaDireta resposta = fluxos::enviaDireta(campos, biblioteca_);
    if (!resposta.enviada) {
        operador_.interrompe(QStringLiteral("as linhas não cabem no buffer de envio"));
        return;
    }
    estado_.Retorno = resposta.resultado;
    for (const QString& linha : resposta.linhas) {
        operador_.mostraMensagem(linha);
    }
}

// The confirmation panel; the case's result is the finishing call's own.
void Passos::confirmacao() {
    const Inicio& inicio = caso_.inicio;
    fluxos::CamposConfirmacao campos;
    campos.cupomFiscal = inicio.cupomFiscal;
    campos.hora = inicio.hora;
    campos.opcao = inicio.confirma ? 1 : 0;
    campos.comParametros = inicio.parametros.has_value();
    const std::optional<int32_t> resultado =
        inicio.tipo == TipoInicio::Confirmacao ? fluxos::confirmaManual(campos, estado_, biblioteca_, operador_)
                                               : fluxos::confirmaIdentificada(campos, estado_, biblioteca_, operador_);
    if (resultado) {
        estado_.Retorno = *resultado;
        finalizacaoManual_ = QString::fromUtf8(kFinalizacoes[campos.opcao]);
    }
}

// A new configuration, for this case and the ones after it.
void Passos::configura() {
    const Configuracao& nova = caso_.inicio.configuracao;
    fluxos::configura({nova.endereco, nova.empresa, nova.terminal}, estado_, biblioteca_);
    configuracao_ = nova;
}

} // namespace

Execucao::Execucao(const Roteiro& roteiro, KavexLibrary& biblioteca,
                   std::function<void(int, const ResultadoCaso&)> aoTerminar)
    : roteiro_(roteiro), biblioteca_(biblioteca), aoTerminar_(std::move(aoTerminar)),
      configuracaoAtual_(roteiro.configuracao) {}

void Execucao::configura() {
    const Configuracao& c = configuracaoAtual_;
    if (c.presente) {
        configuracao_ = fluxos::configura({c.endereco, c.empresa, c.terminal}, estado_, biblioteca_);
    }
}

std::vector<ResultadoCaso> Execucao::executa() {
    if (!configuracao_) {
        configura();
    }
    std::vector<ResultadoCaso> resultados;
    for (const Caso& caso : roteiro_.casos) {
        if (!parada_ && interrompida()) {
            parada_ = QStringLiteral("execução interrompida");
        }
        if (parada_) {
            resultados.push_back({caso.nome, Veredito::NaoExecutado, {}, 0, {}});
            continue;
        }
        resultados.push_back(executaCaso(caso));
        if (erroRoteiro_) {
            parada_ = *erroRoteiro_;
        } else if (interrompida()) {
            parada_ = QStringLiteral("execução interrompida");
        }
        if (aoTerminar_) {
            aoTerminar_(int(resultados.size()), resultados.back());
        }
    }
    return resultados;
}

ResultadoCaso Execucao::executaCaso(const Caso& caso) {
    QElapsedTimer relogio;
    relogio.start();
    estado_.Retorno = 0;
    Caso efetivo = caso;
    if (const std::optional<QString> nome = substituiCapturas(efetivo, capturas_)) {
        return {caso.nome,
                Veredito::Falhou,
                QStringLiteral("${%1} desconhecido: nenhum caso anterior o salvou").arg(*nome),
                double(relogio.nsecsElapsed()) / 1e9,
                {}};
    }
    OperadorRoteirizado operador(efetivo, configuracaoAtual_, interrompida_);
    Passos passos(efetivo, estado_, biblioteca_, operador, configuracaoAtual_);
    // A call still running when the case's time is out ends with its host.
    biblioteca_.definePrazo(std::chrono::steady_clock::now() + std::chrono::seconds(caso.tempoLimiteSegundos));
    passos.executa();
    biblioteca_.definePrazo(std::nullopt);
    erroRoteiro_ = operador.erroRoteiro();
    const double segundos = double(relogio.nsecsElapsed()) / 1e9;
    if (const std::optional<Queda> queda = biblioteca_.queda()) {
        // The library's state went with its host: the next case gets a
        // fresh one, configured as the script (or its last "Configura") says.
        if (!interrompida() && biblioteca_.reinicia()) {
            configura();
        }
        return {caso.nome, Veredito::Erro, queda->resumo(), segundos, operador.evidencias()};
    }
    Julgamento julgamento = julga(efetivo, operador, estado_.Retorno, passos.finalizacao());
    if (julgamento.veredito == Veredito::Passou) {
        if (const std::optional<QString> nome =
                capturaValores(efetivo, operador.trace() + operador.mensagens(), capturas_)) {
            julgamento = {Veredito::Falhou,
                          QStringLiteral("\"save\": o padrão de \"%1\" não casou com nada").arg(*nome)};
        }
    }
    return {caso.nome, julgamento.veredito, julgamento.motivo, segundos, operador.evidencias()};
}

} // namespace roteiro
