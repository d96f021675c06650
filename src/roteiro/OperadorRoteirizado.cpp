#include "roteiro/OperadorRoteirizado.h"

#include "library/BibliotecaGravada.h"
#include "library/kavex_protocolo.h"

namespace roteiro {

namespace {

// What a case that can no longer pass answers: the dialog's "&Encerra".
constexpr int32_t kEncerra = -1;
const QString kSim = QStringLiteral("Sim");
const QString kNao = QStringLiteral("Não");
// What the command loop says before asking again for a field answered too short.
const QString kDigiteNovamente = QStringLiteral("Digite Novamente");
// The command loop's trace lines and the message of a PIN block read.
const QString kLinhaComando = QStringLiteral("ProximoComando = ");
const QString kLinhaBuffer = QStringLiteral("Buffer = ");
const QString kMensagemSenha = QStringLiteral("Senha = ");
const QString kComParametros = QStringLiteral("Confirmação Com Parâmetros Adicionais");
const QString kParametrosAdicionais = QStringLiteral("Parâmetros Adicionais");

} // namespace

OperadorRoteirizado::OperadorRoteirizado(const Caso& caso, const Configuracao& configuracao,
                                         std::function<bool()> interrompida)
    : caso_(caso), configuracao_(configuracao), interrompida_(std::move(interrompida)),
      prazo_(std::chrono::seconds(caso.tempoLimiteSegundos)), cupomFiscal_(caso.inicio.cupomFiscal) {}

void OperadorRoteirizado::registraFalha(const QString& motivo, Veredito veredito) {
    if (!encerrado()) {
        falha_ = motivo;
        veredito_ = veredito;
    }
}

// A report is kept as a recording is: card data only as a recording holds
// it. The trace gives each field's type on the line before its buffer.
void OperadorRoteirizado::registra(const QString& linha) {
    trace_ << linha;
    QString guardada = gravacao::mascaraCartoes(linha);
    if (linha.startsWith(kLinhaBuffer)) {
        const QString buffer = linha.mid(kLinhaBuffer.size());
        guardada = kLinhaBuffer + (tipoCampo_ == KAVEX_CAMPO_SENHA ? gravacao::kMarcaSenha
                                   : tipoCampo_ == KAVEX_CAMPO_TRILHA1 || tipoCampo_ == KAVEX_CAMPO_TRILHA2
                                       ? gravacao::mascaraTrilha(buffer)
                                       : gravacao::mascaraCartoes(buffer));
    }
    tipoCampo_ = linha.startsWith(kLinhaComando) ? linha.section(u' ', -1).toInt() : 0;
    evidencias_ << QStringLiteral("trace: ") + guardada;
}

void OperadorRoteirizado::mensagem(const QString& texto) {
    mensagens_ << texto;
    evidencias_ << QStringLiteral("mensagem: ") + (texto.startsWith(kMensagemSenha)
                                                       ? kMensagemSenha + gravacao::kMarcaSenha
                                                       : gravacao::mascaraCartoes(texto));
}

void OperadorRoteirizado::acrescentaCupom(const QString& texto) {
    mensagens_ << texto;
    evidencias_ << QStringLiteral("cupom: ") + gravacao::mascaraCartoes(texto);
}

// A script gives each answer once: asked again, the same answer would be
// refused again, so the case fails saying why instead of running out of
// answers or of time.
void OperadorRoteirizado::avisa(const QString& texto) {
    mensagem(texto);
    if (texto == kDigiteNovamente && ultimaResposta_) {
        registraFalha(QStringLiteral("resposta menor que o mínimo de %1: \"%2\"")
                          .arg(minimo_ ? minimo_() : 0)
                          .arg(*ultimaResposta_));
    }
}

void OperadorRoteirizado::recusaInicio() {
    registraFalha(QStringLiteral("o console recusou o início: %1")
                      .arg(mensagens_.isEmpty() ? QStringLiteral("(sem mensagem)") : mensagens_.last()));
}

// Once the case has failed, every cycle ends the function.
bool OperadorRoteirizado::processaEventos() {
    if (!encerrado() && prazo_.hasExpired()) {
        registraFalha(QStringLiteral("tempo esgotado (%1 s)").arg(caso_.tempoLimiteSegundos), Veredito::Erro);
    }
    if (!encerrado() && interrompida_ && interrompida_()) {
        registraFalha(QStringLiteral("execução interrompida"), Veredito::Erro);
    }
    return encerrado();
}

const roteiro::Resposta* OperadorRoteirizado::chaveada(const QString& pergunta) const {
    for (const RespostaChaveada& r : caso_.chaveadas) {
        if (pergunta.contains(r.chave)) {
            return &r.resposta;
        }
    }
    return nullptr;
}

std::optional<roteiro::Resposta> OperadorRoteirizado::responde(const QString& pergunta) {
    if (processaEventos()) {
        return std::nullopt;
    }
    if (proxima_ < int(caso_.respostas.size())) {
        const roteiro::Resposta& r = caso_.respostas[size_t(proxima_)];
        if (!r.pergunta.isEmpty() && !pergunta.contains(r.pergunta)) {
            registraFalha(QStringLiteral("a resposta %1 era para \"%2\", mas a pergunta foi: %3")
                              .arg(r.onde, r.pergunta, pergunta));
            return std::nullopt;
        }
        ++proxima_;
        return r;
    }
    if (const roteiro::Resposta* r = chaveada(pergunta)) {
        return *r;
    }
    registraFalha(QStringLiteral("sem resposta para: %1").arg(pergunta));
    return std::nullopt;
}

OperadorLaco::Resposta OperadorRoteirizado::texto(const QString& pergunta) {
    const std::optional<roteiro::Resposta> r = responde(pergunta);
    if (!r) {
        return {QString(), kEncerra, false};
    }
    if (!r->valor.isString()) {
        erroRoteiro_ = QStringLiteral("%1: resposta de tipo errado: \"%2\" pede um texto").arg(r->onde, pergunta);
        return {QString(), kEncerra, false};
    }
    ultimaResposta_ = r->valor.toString();
    return {r->valor.toString(), r->continua, r->alternativo};
}

bool OperadorRoteirizado::simNao(const QString& pergunta) {
    const std::optional<roteiro::Resposta> r = responde(pergunta);
    if (!r) {
        return false;
    }
    if (r->valor.isBool()) {
        return r->valor.toBool();
    }
    if (r->valor.toString() == kSim || r->valor.toString() == kNao) {
        return r->valor.toString() == kSim;
    }
    erroRoteiro_ = QStringLiteral("%1: resposta de tipo errado: \"%2\" pede sim ou não").arg(r->onde, pergunta);
    return false;
}

// The menu is known by its heading and its options, either of which a keyed
// answer or an expected question may name.
OperadorLaco::Resposta OperadorRoteirizado::menu(const QString& opcoes, int) {
    return texto(cabecalho_.isEmpty() ? opcoes : cabecalho_ + u' ' + opcoes);
}

OperadorLaco::Resposta OperadorRoteirizado::coletaCampo(const QString& solicitacao, int) {
    return texto(solicitacao);
}

// The cheque is answered as the library receives it: "0:" and the typed
// digits, or "1:" and the CMC-7 line.
OperadorLaco::EscolhaCheque OperadorRoteirizado::escolheCheque() {
    const Resposta r = texto(QStringLiteral("cheque (0: digitado, 1: CMC-7)"));
    cheque_ = r.texto;
    if (r.continua != 0) {
        return {false, r.continua};
    }
    if (!cheque_.startsWith(QLatin1String("0:")) && !cheque_.startsWith(QLatin1String("1:"))) {
        registraFalha(QStringLiteral("o cheque deve começar por \"0:\" (digitado) ou \"1:\" (CMC-7): %1").arg(cheque_));
        return {false, kEncerra};
    }
    return {cheque_.startsWith(QLatin1String("1:")), 0};
}

OperadorLaco::Resposta OperadorRoteirizado::chequeDigitado(const QString&) {
    return {cheque_.mid(2), encerrado() ? kEncerra : 0, false};
}

// The CMC-7 line comes with the cheque's answer; asked again (too short),
// avisa() has failed the case and the function ends.
OperadorLaco::Resposta OperadorRoteirizado::chequeCMC7(const QString& solicitacao, int) {
    if (cheque_.isEmpty()) {
        const Resposta r = texto(solicitacao);
        return {r.texto.mid(2), r.continua, false};
    }
    const QString linha = cheque_.mid(2);
    cheque_.clear();
    return {linha, 0, false};
}

// A receipt the case did not expect is undone, so it is not left pending.
int32_t OperadorRoteirizado::mostraCupom() {
    if (encerrado()) {
        return 0;
    }
    if (caso_.cupom == EscolhaCupom::Nenhuma) {
        registraFalha(QStringLiteral("sem resposta para: a tela do cupom (\"receipt\")"));
        return 0;
    }
    return static_cast<int32_t>(caso_.cupom);
}

void OperadorRoteirizado::acrescentaConsulta(const QString& texto) {
    consulta_ = true;
    mensagem(texto);
}

OperadorLaco::Finalizacao OperadorRoteirizado::finalizacao() {
    return {configuracao_.imprime, cupomFiscal_, caso_.inicio.hora};
}

OperadorLaco::ListaProdutos OperadorRoteirizado::produtosAutoAtendimento() {
    return {caso_.inicio.produtos.has_value(), caso_.inicio.produtos.value_or(QString())};
}

// The confirmation panel's boxes are answered by the case's start: the road
// with parameters is taken when it gives them.
std::optional<QString> OperadorRoteirizado::textoDoInicio(const QString& titulo) const {
    const Inicio& i = caso_.inicio;
    if (i.tipo == TipoInicio::Confirmacao && titulo == kParametrosAdicionais) {
        return i.parametros;
    }
    if (i.tipo == TipoInicio::ConfirmacaoIdentificada) {
        if (titulo == u"Função do Kavex") {
            return i.funcao;
        }
        if (titulo == u"Dados da Transação") {
            return i.dados;
        }
    }
    return std::nullopt;
}

bool OperadorRoteirizado::perguntaComTitulo(const QString& titulo, const QString& texto) {
    if (caso_.inicio.tipo == TipoInicio::Confirmacao && titulo == kComParametros) {
        return caso_.inicio.parametros.has_value();
    }
    return simNao(titulo + u' ' + texto);
}

std::optional<QString> OperadorRoteirizado::pedeTexto(const QString& titulo, const QString& rotulo) {
    if (const std::optional<QString> texto = textoDoInicio(titulo)) {
        return texto;
    }
    const Resposta r = texto(titulo + u' ' + rotulo);
    return r.continua == 0 ? std::optional<QString>(r.texto) : std::nullopt;
}

// The runner starts the PBM consultation through the menu, and the Vidalink
// consultation's steps as its window would send them; the sale and the
// cancellation are made by the runner with their flows.
OperadorLaco::Visita OperadorRoteirizado::menuOutras(fluxos::ConsultaVidalink& consulta) {
    Visita visita;
    if (caso_.inicio.tipo == TipoInicio::ConsultaPBM) {
        visita.escolha = EscolhaOutras::ConsultaPBM;
    } else if (caso_.inicio.tipo == TipoInicio::ConsultaVidalink) {
        visita.escolha = EscolhaOutras::Vidalink;
        visita.vidalink = EscolhaVidalink::Consulta;
        camposConsulta_ = {};
        camposConsulta_.autorizacao = caso_.inicio.autorizacao;
        if (!caso_.inicio.todosProdutos) {
            camposConsulta_.quantidade = QString::number(caso_.inicio.produtosConsulta.size());
        }
        camposConsulta_.cupomFiscal = caso_.inicio.cupomFiscal;
        consulta.passoAutorizacao(camposConsulta_, caso_.inicio.todosProdutos);
    }
    return visita;
}

void OperadorRoteirizado::consultaVidalink(fluxos::ConsultaVidalink& consulta) {
    const QStringList& produtos = caso_.inicio.produtosConsulta;
    const qsizetype proximo = consulta.produtos();
    if (encerrado() || proximo >= produtos.size()) {
        consulta.encerra();
        return;
    }
    consulta.passoProduto(camposConsulta_, produtos[proximo], int32_t(produtos.size()));
}

} // namespace roteiro
