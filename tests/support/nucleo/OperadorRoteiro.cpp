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

OperadorLaco::Visita OperadorRoteiro::menuOutras(fluxos::ConsultaVidalink& consulta) {
    const QStringList r = respostaCrua(QStringLiteral("menuOutras"));
    const std::pair<const char*, EscolhaVidalink> vidalink[] = {{"Consulta", EscolhaVidalink::Consulta},
                                                                {"Venda", EscolhaVidalink::Venda},
                                                                {"Cancelamento", EscolhaVidalink::Cancelamento}};
    Visita visita;
    visita.escolha = r[0] == u"PBM" ? EscolhaOutras::ConsultaPBM : EscolhaOutras::Nenhuma;
    for (const auto& [nome, escolha] : vidalink) {
        if (r[0] == QLatin1String(nome)) {
            visita.escolha = EscolhaOutras::Vidalink;
            visita.vidalink = escolha;
        }
    }
    if (visita.vidalink == EscolhaVidalink::Consulta) {
        // "Consulta#<authorisation>#T" ("T": all products); no code: the
        // window was left before its step.
        camposConsulta = {};
        camposConsulta.autorizacao = r.value(1);
        if (!camposConsulta.autorizacao.isEmpty()) {
            consulta.passoAutorizacao(camposConsulta, r.value(2) == u"T");
        }
    } else {
        visita.inicio = inicioDe(r.value(1));
    }
    return visita;
}

// "<product>#<number of products>" (no number: "Todos os Produtos" chosen
// now); an empty answer is "&Encerra".
void OperadorRoteiro::consultaVidalink(fluxos::ConsultaVidalink& consulta) {
    const QStringList r = respostaCrua(QStringLiteral("consultaVidalink"));
    if (r[0].isEmpty()) {
        consulta.encerra();
    } else {
        consulta.passoProduto(camposConsulta, r[0], inicioDe(r.value(1)));
    }
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
