#include "roteiro/Execucao.h"

#include "fluxos/BufferDireto.h"
#include "fluxos/Inicio.h"
#include "fluxos/LacoComandos.h"
#include "fluxos/OutrasTransacoes.h"
#include "fluxos/Padroes.h"
#include "library/KavexLibrary.h"
#include "platform/Win1252.h"
#include "roteiro/OperadorRoteirizado.h"

#include <QElapsedTimer>

#include <array>

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

// The fiscal receipt, date, time and operator the windows send with a start
// of their own, the receipt filled in when left empty.
struct TextosInicio {
    QByteArray cupom, data, hora, operador;
};
TextosInicio textosInicio(const Inicio& inicio, EstadoConsole& estado, const QString& operador) {
    dataehora(estado);
    return {platform::toWin1252(inicio.cupomFiscal.isEmpty() ? padroes::kCupomFiscal : inicio.cupomFiscal),
            platform::toWin1252(estado.DataFiscal), platform::toWin1252(estado.HoraFiscal),
            platform::toWin1252(operador)};
}

// One case's calls: the start of its kind, then the command loop when the
// start answered 10000.
class Passos {
public:
    Passos(const Caso& caso, EstadoConsole& estado, KavexLibrary& biblioteca, OperadorRoteirizado& operador)
        : caso_(caso), estado_(estado), biblioteca_(biblioteca), operador_(operador),
          laco_(estado, biblioteca, operador) {
        operador_.defineMinimo([this] { return int(laco_.TamanhoMinimo); });
    }

    void executa();
    QString finalizacao() const { return finalizacaoFeita(laco_, lacoRodou_); }

private:
    void continuaSeIniciou() {
        if (estado_.Retorno == LacoComandos::kContinua) {
            executaLaco();
        }
    }
    void executaLaco() {
        lacoRodou_ = true;
        laco_.ContinuaFuncao();
    }
    void validaCodigoBarras();
    void vendaVidalink();
    void transacaoDireta();

    const Caso& caso_;
    EstadoConsole& estado_;
    KavexLibrary& biblioteca_;
    OperadorRoteirizado& operador_;
    LacoComandos laco_;
    bool lacoRodou_ = false;
};

void Passos::executa() {
    switch (caso_.inicio.tipo) {
    case TipoInicio::ConsultaPBM: {
        fluxos::OutrasTransacoes outras(estado_, biblioteca_, operador_, [this] { executaLaco(); });
        outras.visita(caso_.inicio.cupomFiscal);
        return;
    }
    case TipoInicio::VendaVidalink:
        vendaVidalink();
        return;
    case TipoInicio::TransacaoDireta:
        transacaoDireta();
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

// The bar-code window's check of the digits typed.
void Passos::validaCodigoBarras() {
    const QByteArray digitos = platform::toWin1252(caso_.inicio.codigoBarras);
    int16_t tipo = 0;
    estado_.Retorno = biblioteca_.ValidaCampoCodigoEmBarras(digitos.constData(), &tipo);
    operador_.mostraMensagem(QStringLiteral("Tipo = %1").arg(tipo));
}

// What the Vidalink sale window sends: the products, then the start.
void Passos::vendaVidalink() {
    const Inicio& inicio = caso_.inicio;
    const TextosInicio textos = textosInicio(inicio, estado_, padroes::kOperador);
    int16_t numero = 0;
    for (const ProdutoVidalink& p : inicio.produtosVidalink) {
        const QByteArray codigo = platform::toWin1252(p.codigo);
        const QByteArray valor = platform::toWin1252(p.valor);
        estado_.Retorno =
            biblioteca_.InformaProdutoVendaVidalink(++numero, codigo.constData(), p.quantidade, valor.constData());
        if (estado_.Retorno != 0) {
            return;
        }
    }
    const QByteArray autorizacao = platform::toWin1252(inicio.autorizacao);
    estado_.VendaVidalinkAtiva = true;
    estado_.Retorno = biblioteca_.IniciaFuncaoKavexInterativoVendaVidalink(
        autorizacao.constData(), numero, textos.cupom.constData(), textos.data.constData(), textos.hora.constData(),
        textos.operador.constData());
    operador_.escreveCupomFiscal(platform::fromWin1252(textos.cupom));
    continuaSeIniciou();
    estado_.VendaVidalinkAtiva = false;
}

// What the direct-transaction window sends, and the reply as it lists it.
void Passos::transacaoDireta() {
    const Inicio& inicio = caso_.inicio;
    const TextosInicio textos = textosInicio(inicio, estado_, padroes::kOperadorDireto);
    std::array<char, trndireta::kTamBuffer> envio{};
    std::array<char, trndireta::kTamBuffer> resposta{};
    const int tamanho = trndireta::MontaBufferEnvio(inicio.linhas, envio);
    if (tamanho < 0) {
        operador_.interrompe(QStringLiteral("as linhas não cabem no buffer de envio"));
        return;
    }
    int16_t codigoResposta = 0;
    estado_.Retorno = biblioteca_.EnviaRecebeKavexDireto(
        inicio.rede, inicio.funcaoDireta, inicio.offset, envio.data(), static_cast<int16_t>(tamanho), resposta.data(),
        trndireta::kTamBuffer, &codigoResposta, padroes::kTimeoutDireto, textos.cupom.constData(),
        textos.data.constData(), textos.hora.constData(), textos.operador.constData(), inicio.tipoTransacao);
    operador_.mostraMensagem(QStringLiteral("Código de resposta: %1").arg(codigoResposta));
    for (const QString& linha : trndireta::MontaRetorno(estado_.Retorno, inicio.rede, resposta)) {
        operador_.mostraMensagem(linha);
    }
}

} // namespace

Execucao::Execucao(const Roteiro& roteiro, KavexLibrary& biblioteca,
                   std::function<void(int, const ResultadoCaso&)> aoTerminar)
    : roteiro_(roteiro), biblioteca_(biblioteca), aoTerminar_(std::move(aoTerminar)) {}

void Execucao::configura() {
    const Configuracao& c = roteiro_.configuracao;
    if (c.presente) {
        const QByteArray endereco = platform::toWin1252(c.endereco);
        const QByteArray empresa = platform::toWin1252(c.empresa);
        const QByteArray terminal = platform::toWin1252(c.terminal);
        configuracao_ =
            biblioteca_.ConfiguraIntKavexInterativo(endereco.constData(), empresa.constData(), terminal.constData(), 0);
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
    OperadorRoteirizado operador(caso, roteiro_.configuracao, interrompida_);
    Passos passos(caso, estado_, biblioteca_, operador);
    // A call still running when the case's time is out ends with its host.
    biblioteca_.definePrazo(std::chrono::steady_clock::now() + std::chrono::seconds(caso.tempoLimiteSegundos));
    passos.executa();
    biblioteca_.definePrazo(std::nullopt);
    erroRoteiro_ = operador.erroRoteiro();
    const double segundos = double(relogio.nsecsElapsed()) / 1e9;
    if (const std::optional<Queda> queda = biblioteca_.queda()) {
        // The library's state went with its host: the next case gets a
        // fresh one, configured as the script says.
        if (!interrompida() && biblioteca_.reinicia()) {
            configura();
        }
        return {caso.nome, Veredito::Erro, queda->resumo(), segundos, operador.evidencias()};
    }
    const Julgamento julgamento = julga(caso, operador, estado_.Retorno, passos.finalizacao());
    return {caso.nome, julgamento.veredito, julgamento.motivo, segundos, operador.evidencias()};
}

} // namespace roteiro
