#include "nucleo/OperadorRoteiro.h"

namespace harness {

namespace {

std::optional<int32_t> inicioDe(const QString& marca) {
    bool ok = false;
    const int32_t valor = marca.toInt(&ok);
    return ok ? std::optional<int32_t>(valor) : std::nullopt;
}

} // namespace

OperadorRoteiro::OperadorRoteiro(const QStringList& r) : respostas(r.begin(), r.end()) {}

OperadorLaco::Resposta OperadorRoteiro::responde(const QString& evento) {
    const QStringList partes = respostaCrua(evento);
    const int marca = partes.value(1).toInt();
    return {partes[0], marca == 1 || marca == -1 ? marca : 0, marca == 1000};
}

OperadorLaco::Resposta OperadorRoteiro::menu(const QString& o, int m) {
    return responde(QStringLiteral("menu:%1|%2").arg(o).arg(m));
}

OperadorLaco::Resposta OperadorRoteiro::coletaCampo(const QString& s, int m) {
    return responde(QStringLiteral("coleta:%1|%2").arg(s).arg(m));
}

OperadorLaco::EscolhaCheque OperadorRoteiro::escolheCheque() {
    const Resposta r = responde(QStringLiteral("escolheCheque"));
    return {r.texto == u"CMC7", r.continua};
}

OperadorLaco::Resposta OperadorRoteiro::chequeCMC7(const QString& s, int m) {
    return responde(QStringLiteral("cmc7:%1|%2").arg(s).arg(m));
}

OperadorLaco::ListaProdutos OperadorRoteiro::produtosAutoAtendimento() {
    const Resposta r = responde(QStringLiteral("produtosAA"));
    return {r.continua == 0, r.texto};
}

OperadorLaco::TempoEspera OperadorRoteiro::tempoLeituraCartao() {
    const Resposta r = responde(QStringLiteral("tempo"));
    TempoEspera tempo;
    if (!r.texto.isEmpty()) {
        tempo.segundos = static_cast<uint16_t>(r.texto.toUInt());
    }
    tempo.continua = r.continua;
    return tempo;
}

bool OperadorRoteiro::perguntaComTitulo(const QString& titulo, const QString& texto) {
    return responde(QStringLiteral("pergunta:%1|%2").arg(titulo, texto)).texto == u"Sim";
}

std::optional<QString> OperadorRoteiro::pedeTexto(const QString& titulo, const QString&) {
    const Resposta r = responde("pedeTexto:" + titulo);
    return r.continua == 0 ? std::optional<QString>(r.texto) : std::nullopt;
}

void OperadorRoteiro::escreveCamposConfirmacao(const QString& c, const QString& h) {
    eventos << QStringLiteral("camposConfirmacao:%1|%2").arg(c, h);
}

OperadorLaco::Visita OperadorRoteiro::menuOutras() {
    const QStringList r = respostaCrua(QStringLiteral("menuOutras"));
    Visita visita;
    visita.escolha = r[0] == u"PBM"        ? EscolhaOutras::ConsultaPBM
                     : r[0] == u"Vidalink" ? EscolhaOutras::Vidalink
                                           : EscolhaOutras::Nenhuma;
    visita.inicio = inicioDe(r.value(1));
    return visita;
}

std::optional<int32_t> OperadorRoteiro::consultaVidalink() {
    return inicioDe(respostaCrua(QStringLiteral("consultaVidalink")).value(1));
}

QStringList OperadorRoteiro::respostaCrua(const QString& evento) {
    eventos << evento;
    if (respostas.empty()) {
        throw SemResposta(evento);
    }
    const QStringList partes = respostas.front().split(u'#');
    respostas.pop_front();
    return partes;
}

} // namespace harness
