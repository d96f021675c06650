#include "roteiro/Roteiro.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <limits>
#include <utility>

namespace roteiro {

namespace {

const std::pair<const char*, TipoInicio> kTiposInicio[] = {
    {"TEF", TipoInicio::TEF},
    {"Auto Atendimento", TipoInicio::AutoAtendimento},
    {"Corresp.Banc.", TipoInicio::CorrespondenteBancario},
    {"Valida Cód. Bar.", TipoInicio::ValidaCodigoBarras},
    {"Pinpad", TipoInicio::Pinpad},
    {"Consulta PBM", TipoInicio::ConsultaPBM},
    {"Venda Vidalink", TipoInicio::VendaVidalink},
    {"Transação Direta", TipoInicio::TransacaoDireta},
};

// The pinpad functions window's list, in its order (1 to 9).
const char* const kFuncoesPinpad[] = {
    "VerificaPresencaPinPad",
    "LeCartaoInterativo",
    "LeCartaoDireto",
    "LeCartaoDiretoEx",
    "EscreveMensagemPermanentePinPad",
    "LeSenhaInterativo",
    "LeSenhaDireto",
    "LeSimNaoPinPad",
    "LeTrilha3",
};

const std::pair<const char*, EscolhaCupom> kEscolhasCupom[] = {
    {"Confirma", EscolhaCupom::Confirma},
    {"Não Confirma", EscolhaCupom::NaoConfirma},
    {"Pendente", EscolhaCupom::Pendente},
};

const QStringList kFinalizacoes = {QStringLiteral("Confirma"), QStringLiteral("Desfaz"), QStringLiteral("Nenhuma")};

// Reads one JSON object, naming the place of anything wrong in it.
class Leitor {
public:
    Leitor(const QString& arquivo, QJsonObject objeto, QString onde)
        : arquivo_(arquivo), objeto_(std::move(objeto)), onde_(std::move(onde)) {}

    [[noreturn]] void falha(const QString& chave, const QString& motivo) const {
        throw ErroRoteiro(arquivo_, chave.isEmpty() ? onde_ : lugar(chave), motivo);
    }
    QString lugar(const QString& chave) const { return onde_.isEmpty() ? chave : onde_ + u'.' + chave; }
    bool tem(const QString& chave) const { return objeto_.contains(chave); }
    QJsonValue valor(const QString& chave) const { return objeto_.value(chave); }

    QString texto(const QString& chave, const QString& padrao = {}) const {
        const QJsonValue v = objeto_.value(chave);
        if (v.isUndefined()) {
            return padrao;
        }
        if (!v.isString()) {
            falha(chave, QStringLiteral("esperava um texto"));
        }
        return v.toString();
    }
    QString textoObrigatorio(const QString& chave) const {
        if (!tem(chave)) {
            falha({}, QStringLiteral("falta \"%1\"").arg(chave));
        }
        return texto(chave);
    }
    // A whole number within [minimo, maximo]; numbers may also be given as texts
    // of digits, as the window's boxes take them.
    int64_t inteiro(const QString& chave, int64_t padrao, int64_t minimo, int64_t maximo) const {
        const QJsonValue v = objeto_.value(chave);
        if (v.isUndefined()) {
            return padrao;
        }
        bool ok = v.isDouble() && v.toDouble() == static_cast<double>(static_cast<int64_t>(v.toDouble()));
        int64_t n = ok ? static_cast<int64_t>(v.toDouble()) : 0;
        if (v.isString()) {
            n = v.toString().toLongLong(&ok);
        }
        if (!ok || n < minimo || n > maximo) {
            falha(chave, QStringLiteral("esperava um número inteiro de %1 a %2").arg(minimo).arg(maximo));
        }
        return n;
    }
    QStringList listaTextos(const QString& chave) const {
        QStringList lista;
        const QJsonValue v = objeto_.value(chave);
        if (v.isUndefined()) {
            return lista;
        }
        if (!v.isArray()) {
            falha(chave, QStringLiteral("esperava uma lista de textos"));
        }
        for (const QJsonValue& item : v.toArray()) {
            if (!item.isString()) {
                falha(chave, QStringLiteral("esperava uma lista de textos"));
            }
            lista << item.toString();
        }
        return lista;
    }
    Leitor objeto(const QString& chave) const {
        const QJsonValue v = objeto_.value(chave);
        if (!v.isObject()) {
            falha(chave, QStringLiteral("esperava um objeto"));
        }
        return Leitor(arquivo_, v.toObject(), lugar(chave));
    }
    template <class T, size_t N>
    T escolha(const QString& chave, const std::pair<const char*, T> (&opcoes)[N], const QString& qual) const {
        const QString nome = textoObrigatorio(chave);
        for (const auto& [texto, item] : opcoes) {
            if (nome == QString::fromUtf8(texto)) {
                return item;
            }
        }
        falha(chave, QStringLiteral("%1 desconhecido: \"%2\"").arg(qual, nome));
    }
    const QString& arquivo() const { return arquivo_; }
    const QJsonObject& json() const { return objeto_; }

private:
    QString arquivo_;
    QJsonObject objeto_;
    QString onde_;
};

template <class T> T limitado(const Leitor& l, const QString& chave, int64_t padrao = 0) {
    return static_cast<T>(l.inteiro(chave, padrao, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

int32_t funcaoPinpad(const Leitor& l) {
    const QJsonValue v = l.valor(QStringLiteral("pinpadFunction"));
    for (int i = 0; i < int(std::size(kFuncoesPinpad)); ++i) {
        if (v.toString() == QLatin1String(kFuncoesPinpad[i])) {
            return i + 1;
        }
    }
    if (v.isString() || v.isUndefined()) {
        l.falha(QStringLiteral("pinpadFunction"),
                QStringLiteral("função de pinpad desconhecida: \"%1\"").arg(v.toString()));
    }
    return static_cast<int32_t>(l.inteiro(QStringLiteral("pinpadFunction"), 0, 1, int(std::size(kFuncoesPinpad))));
}

std::vector<ProdutoVidalink> produtosVidalink(const Leitor& l) {
    std::vector<ProdutoVidalink> produtos;
    const QJsonValue v = l.valor(QStringLiteral("products"));
    if (!v.isArray()) {
        l.falha(QStringLiteral("products"), QStringLiteral("esperava uma lista de produtos"));
    }
    const QJsonArray lista = v.toArray();
    for (qsizetype i = 0; i < lista.size(); ++i) {
        const QString onde = l.lugar(QStringLiteral("products[%1]").arg(i));
        if (!lista[i].isObject()) {
            throw ErroRoteiro(l.arquivo(), onde, QStringLiteral("esperava um objeto"));
        }
        const Leitor p(l.arquivo(), lista[i].toObject(), onde);
        produtos.push_back({p.textoObrigatorio(QStringLiteral("code")),
                            static_cast<int32_t>(p.inteiro(QStringLiteral("quantity"), 1, 0, 9999)),
                            p.texto(QStringLiteral("value"))});
    }
    return produtos;
}

Inicio leInicio(const Leitor& l) {
    Inicio inicio;
    inicio.tipo = l.escolha(QStringLiteral("kind"), kTiposInicio, QStringLiteral("tipo de início"));
    const QJsonValue funcao = l.valor(QStringLiteral("function"));
    inicio.funcao = funcao.isDouble() ? QString::number(l.inteiro(QStringLiteral("function"), 0, INT32_MIN, INT32_MAX))
                                      : l.texto(QStringLiteral("function"));
    inicio.valor = l.texto(QStringLiteral("value"));
    inicio.cupomFiscal = l.texto(QStringLiteral("fiscalReceipt"));
    inicio.hora = l.texto(QStringLiteral("time"));
    inicio.restricoes = l.texto(QStringLiteral("restrictions"), QStringLiteral("[]"));
    if (l.tem(QStringLiteral("products")) && inicio.tipo == TipoInicio::AutoAtendimento) {
        inicio.produtos = l.texto(QStringLiteral("products"));
    }
    switch (inicio.tipo) {
    case TipoInicio::Pinpad:
        inicio.funcaoPinpad = funcaoPinpad(l);
        inicio.mensagem = l.texto(QStringLiteral("message"));
        inicio.workingKey = l.texto(QStringLiteral("workingKey"));
        if (l.tem(QStringLiteral("cardTimeout"))) {
            inicio.tempoLeitura = limitado<uint16_t>(l, QStringLiteral("cardTimeout"));
        }
        inicio.aguardaCartao = static_cast<int32_t>(l.inteiro(QStringLiteral("waitCard"), 0, 0, 1));
        break;
    case TipoInicio::ValidaCodigoBarras:
        inicio.codigoBarras = l.textoObrigatorio(QStringLiteral("barcode"));
        break;
    case TipoInicio::VendaVidalink:
        inicio.autorizacao = l.textoObrigatorio(QStringLiteral("authorization"));
        inicio.produtosVidalink = produtosVidalink(l);
        break;
    case TipoInicio::TransacaoDireta:
        inicio.rede = limitado<int16_t>(l, QStringLiteral("network"));
        inicio.funcaoDireta = limitado<int16_t>(l, QStringLiteral("directFunction"));
        inicio.offset = limitado<int32_t>(l, QStringLiteral("offset"));
        inicio.linhas = l.listaTextos(QStringLiteral("lines"));
        inicio.tipoTransacao = limitado<int16_t>(l, QStringLiteral("transactionType"));
        break;
    default:
        break;
    }
    return inicio;
}

const QString kFimEncerra = QStringLiteral("Encerra");
const QString kFimVolta = QStringLiteral("Volta");

Resposta leResposta(const QString& arquivo, const QJsonValue& v, const QString& onde) {
    Resposta r;
    r.onde = onde;
    if (v.isString() || v.isBool()) {
        r.valor = v;
        return r;
    }
    if (!v.isObject()) {
        throw ErroRoteiro(
            arquivo, onde,
            QStringLiteral("resposta de tipo errado: esperava um texto, sim/não (true/false) ou um objeto"));
    }
    const Leitor l(arquivo, v.toObject(), onde);
    r.valor = l.valor(QStringLiteral("answer"));
    if (r.valor.isUndefined()) {
        r.valor = QString();
    } else if (!r.valor.isString() && !r.valor.isBool()) {
        l.falha(QStringLiteral("answer"), QStringLiteral("resposta de tipo errado: esperava um texto ou sim/não"));
    }
    r.pergunta = l.texto(QStringLiteral("question"));
    const QString fim = l.texto(QStringLiteral("end"));
    if (!fim.isEmpty() && fim != kFimEncerra && fim != kFimVolta) {
        l.falha(QStringLiteral("end"), QStringLiteral("esperava \"Encerra\" ou \"Volta\""));
    }
    r.continua = fim == kFimEncerra ? -1 : fim == kFimVolta ? 1 : 0;
    const QJsonValue alternativo = l.valor(QStringLiteral("alternative"));
    if (!alternativo.isUndefined() && !alternativo.isBool()) {
        l.falha(QStringLiteral("alternative"), QStringLiteral("esperava true ou false"));
    }
    r.alternativo = alternativo.toBool();
    return r;
}

void leRespostas(const Leitor& l, Caso& caso) {
    const QJsonValue v = l.valor(QStringLiteral("answers"));
    const QString onde = l.lugar(QStringLiteral("answers"));
    if (v.isArray()) {
        const QJsonArray lista = v.toArray();
        for (qsizetype i = 0; i < lista.size(); ++i) {
            caso.respostas.push_back(leResposta(l.arquivo(), lista[i], QStringLiteral("%1[%2]").arg(onde).arg(i)));
        }
    } else if (v.isObject()) {
        const QJsonObject chaves = v.toObject();
        for (auto it = chaves.begin(); it != chaves.end(); ++it) {
            caso.chaveadas.push_back(
                {it.key(), leResposta(l.arquivo(), it.value(), QStringLiteral("%1[\"%2\"]").arg(onde, it.key()))});
        }
    } else if (!v.isUndefined()) {
        l.falha(QStringLiteral("answers"), QStringLiteral("esperava uma lista ou um objeto de respostas"));
    }
}

Expectativa leExpectativa(const Leitor& l) {
    Expectativa e;
    if (!l.tem(QStringLiteral("result"))) {
        l.falha({}, QStringLiteral("falta \"result\""));
    }
    e.resultado = limitado<int32_t>(l, QStringLiteral("result"));
    e.trace = l.listaTextos(QStringLiteral("trace"));
    e.mensagens = l.listaTextos(QStringLiteral("messages"));
    e.finalizacao = l.texto(QStringLiteral("finish"));
    if (!e.finalizacao.isEmpty() && !kFinalizacoes.contains(e.finalizacao)) {
        l.falha(QStringLiteral("finish"), QStringLiteral("esperava \"%1\"").arg(kFinalizacoes.join(u"\", \"")));
    }
    return e;
}

Caso leCaso(const Leitor& l, int tempoPadrao) {
    Caso caso;
    caso.onde = l.lugar({});
    caso.nome = l.textoObrigatorio(QStringLiteral("name"));
    caso.inicio = leInicio(l.objeto(QStringLiteral("start")));
    leRespostas(l, caso);
    if (l.tem(QStringLiteral("receipt"))) {
        caso.cupom = l.escolha(QStringLiteral("receipt"), kEscolhasCupom, QStringLiteral("escolha do cupom"));
    }
    caso.espera = leExpectativa(l.objeto(QStringLiteral("expect")));
    caso.tempoLimiteSegundos = static_cast<int>(l.inteiro(QStringLiteral("timeout"), tempoPadrao, 1, 86400));
    return caso;
}

Configuracao leConfiguracao(const Leitor& l) {
    Configuracao c;
    c.presente = true;
    c.endereco = l.texto(QStringLiteral("address"), c.endereco);
    c.empresa = l.texto(QStringLiteral("store"));
    c.terminal = l.texto(QStringLiteral("terminal"));
    const QString impressora = l.texto(QStringLiteral("printer"), QStringLiteral("Sem"));
    if (impressora != u"Com" && impressora != u"Sem") {
        l.falha(QStringLiteral("printer"), QStringLiteral("esperava \"Com\" ou \"Sem\""));
    }
    c.imprime = impressora == u"Com";
    return c;
}

} // namespace

int linhaDoDeslocamento(const QByteArray& conteudo, qsizetype deslocamento) {
    return 1 + int(conteudo.left(deslocamento).count('\n'));
}

Roteiro leRoteiroDeTexto(const QByteArray& conteudo, const QString& arquivo) {
    QJsonParseError erro;
    const QJsonDocument documento = QJsonDocument::fromJson(conteudo, &erro);
    if (erro.error != QJsonParseError::NoError) {
        throw ErroRoteiro(arquivo, QStringLiteral("linha %1").arg(linhaDoDeslocamento(conteudo, erro.offset)),
                          QStringLiteral("JSON inválido: %1").arg(erro.errorString()));
    }
    if (!documento.isObject()) {
        throw ErroRoteiro(arquivo, QStringLiteral("linha 1"), QStringLiteral("esperava um objeto com \"cases\""));
    }
    const Leitor raiz(arquivo, documento.object(), {});
    Roteiro roteiro;
    roteiro.arquivo = arquivo;
    if (raiz.tem(QStringLiteral("configure"))) {
        roteiro.configuracao = leConfiguracao(raiz.objeto(QStringLiteral("configure")));
    }
    const int tempo = static_cast<int>(raiz.inteiro(QStringLiteral("timeout"), kTempoLimitePadrao, 1, 86400));
    const QJsonValue casos = raiz.valor(QStringLiteral("cases"));
    if (!casos.isArray() || casos.toArray().isEmpty()) {
        raiz.falha(QStringLiteral("cases"), QStringLiteral("esperava uma lista de casos, não vazia"));
    }
    const QJsonArray lista = casos.toArray();
    for (qsizetype i = 0; i < lista.size(); ++i) {
        const QString onde = QStringLiteral("cases[%1]").arg(i);
        if (!lista[i].isObject()) {
            throw ErroRoteiro(arquivo, onde, QStringLiteral("esperava um objeto"));
        }
        roteiro.casos.push_back(leCaso(Leitor(arquivo, lista[i].toObject(), onde), tempo));
    }
    return roteiro;
}

Roteiro leRoteiro(const QString& caminho) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly)) {
        throw ErroRoteiro(caminho, QStringLiteral("linha 1"),
                          QStringLiteral("não foi possível ler: %1").arg(arquivo.errorString()));
    }
    return leRoteiroDeTexto(arquivo.readAll(), caminho);
}

} // namespace roteiro
