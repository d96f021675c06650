#include "roteiro/Roteiro.h"

#include "roteiro/Captura.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <limits>
#include <string_view>
#include <utility>

namespace roteiro {

namespace {

// Keys keep the file's order: keyed answers are tried in it.
using Json = nlohmann::ordered_json;
using Chaves = std::vector<std::string_view>;

// Every object of the format and the keys it takes: a key not listed is a
// mistake (a typo that would silently drop a check), refused with its place.
const Chaves kChavesRoteiro = {"configure", "timeout", "cases"};
const Chaves kChavesConfiguracao = {"address", "store", "terminal", "printer"};
const Chaves kChavesCaso = {"name", "start", "answers", "receipt", "expect", "timeout", "save"};
const Chaves kChavesResposta = {"answer", "question", "end", "alternative"};
const Chaves kChavesExpectativa = {"result", "trace", "messages", "finish"};
const Chaves kChavesProduto = {"code", "quantity", "value"};
const Chaves kChavesProdutoCancelamento = {"code", "quantity"};

// Each start kind and the keys it takes besides "kind".
struct TipoDeInicio {
    const char* nome;
    TipoInicio tipo;
    Chaves chaves;
};
const TipoDeInicio kTiposInicio[] = {
    {"TEF", TipoInicio::TEF, {"function", "value", "fiscalReceipt", "time", "restrictions"}},
    {"Auto Atendimento",
     TipoInicio::AutoAtendimento,
     {"function", "value", "fiscalReceipt", "time", "restrictions", "products"}},
    {"Corresp.Banc.", TipoInicio::CorrespondenteBancario, {"fiscalReceipt", "time", "restrictions"}},
    {"Valida Cód. Bar.", TipoInicio::ValidaCodigoBarras, {"barcode"}},
    {"Pinpad", TipoInicio::Pinpad, {"pinpadFunction", "message", "workingKey", "cardTimeout", "waitCard"}},
    {"Consulta PBM", TipoInicio::ConsultaPBM, {"fiscalReceipt"}},
    {"Venda Vidalink", TipoInicio::VendaVidalink, {"fiscalReceipt", "authorization", "products"}},
    {"Transação Direta",
     TipoInicio::TransacaoDireta,
     {"fiscalReceipt", "network", "directFunction", "offset", "lines", "transactionType"}},
    {"Confirmação", TipoInicio::Confirmacao, {"confirm", "fiscalReceipt", "time", "parameters"}},
    {"Confirmação Identificada",
     TipoInicio::ConfirmacaoIdentificada,
     {"function", "confirm", "fiscalReceipt", "time", "data"}},
    {"Cancelamento Vidalink",
     TipoInicio::CancelamentoVidalink,
     {"total", "saleReceipt", "saleDate", "document", "terminal", "fiscalReceipt", "products", "productCount"}},
    {"Consulta Vidalink", TipoInicio::ConsultaVidalink, {"authorization", "allProducts", "products", "fiscalReceipt"}},
    {"Configura", TipoInicio::Configura, {"address", "store", "terminal", "printer"}},
};
const std::string_view kChaveTipo = "kind";

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

QString qtexto(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QStringList listaDe(const Chaves& chaves) {
    QStringList lista;
    for (std::string_view c : chaves) {
        lista << qtexto(c);
    }
    return lista;
}

int distancia(const QString& a, const QString& b) {
    std::vector<int> linha(size_t(b.size()) + 1);
    for (size_t j = 0; j < linha.size(); ++j) {
        linha[j] = int(j);
    }
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = linha[0];
        linha[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int acima = linha[size_t(j)];
            const int troca = diagonal + (a[i - 1].toLower() == b[j - 1].toLower() ? 0 : 1);
            linha[size_t(j)] = std::min({acima + 1, linha[size_t(j - 1)] + 1, troca});
            diagonal = acima;
        }
    }
    return linha.back();
}

// Reads one JSON object, naming the place of anything wrong in it.
class Leitor {
public:
    Leitor(const QString& arquivo, const Json& objeto, QString onde)
        : arquivo_(arquivo), objeto_(objeto), onde_(std::move(onde)) {}

    [[noreturn]] void falha(const QString& chave, const QString& motivo) const {
        throw ErroRoteiro(arquivo_, chave.isEmpty() ? onde_ : lugar(chave), motivo);
    }
    QString lugar(const QString& chave) const { return onde_.isEmpty() ? chave : onde_ + u'.' + chave; }
    const QString& onde() const { return onde_; }
    bool tem(const char* chave) const { return objeto_.contains(chave); }
    const Json* valor(const char* chave) const {
        const auto it = objeto_.find(chave);
        return it == objeto_.end() ? nullptr : &*it;
    }

    // Refuses the first key not in `permitidas`, suggesting the one meant.
    // `outras`: keys valid elsewhere (another start kind), named as such.
    void aceitaSo(const Chaves& permitidas, const QString& dono = {}, const Chaves& outras = {}) const {
        for (const auto& [chave, valor] : objeto_.items()) {
            if (std::find(permitidas.begin(), permitidas.end(), chave) != permitidas.end()) {
                continue;
            }
            const QString nome = QString::fromStdString(chave);
            if (!dono.isEmpty() && std::find(outras.begin(), outras.end(), chave) != outras.end()) {
                falha({}, QStringLiteral("a chave \"%1\" não vale para %2").arg(nome, dono));
            }
            QString motivo = QStringLiteral("chave desconhecida \"%1\"").arg(nome);
            if (const std::optional<QString> parecida = chaveParecida(nome, listaDe(permitidas))) {
                motivo += QStringLiteral(" (quis dizer \"%1\"?)").arg(*parecida);
            }
            falha({}, motivo);
        }
    }

    QString texto(const char* chave, const QString& padrao = {}) const {
        const Json* v = valor(chave);
        if (!v) {
            return padrao;
        }
        if (!v->is_string()) {
            falha(QLatin1String(chave), QStringLiteral("esperava um texto"));
        }
        return QString::fromStdString(v->get<std::string>());
    }
    QString textoObrigatorio(const char* chave) const {
        if (!tem(chave)) {
            falha({}, QStringLiteral("falta \"%1\"").arg(QLatin1String(chave)));
        }
        return texto(chave);
    }
    // A whole number within [minimo, maximo]; numbers may also be given as texts
    // of digits, as the window's boxes take them.
    int64_t inteiro(const char* chave, int64_t padrao, int64_t minimo, int64_t maximo) const {
        const Json* v = valor(chave);
        if (!v) {
            return padrao;
        }
        bool ok = false;
        int64_t n = 0;
        if (v->is_number_integer() && !(v->is_number_unsigned() && v->get<uint64_t>() > uint64_t(INT64_MAX))) {
            n = v->get<int64_t>();
            ok = true;
        } else if (v->is_number_float()) {
            const double d = v->get<double>();
            ok = d >= double(minimo) && d <= double(maximo) && d == double(int64_t(d));
            n = ok ? int64_t(d) : 0;
        } else if (v->is_string()) {
            n = QString::fromStdString(v->get<std::string>()).toLongLong(&ok);
        }
        if (!ok || n < minimo || n > maximo) {
            falha(QLatin1String(chave),
                  QStringLiteral("esperava um número inteiro de %1 a %2").arg(minimo).arg(maximo));
        }
        return n;
    }
    QStringList listaTextos(const char* chave) const {
        QStringList lista;
        const Json* v = valor(chave);
        if (!v) {
            return lista;
        }
        if (!v->is_array() || !std::all_of(v->begin(), v->end(), [](const Json& j) { return j.is_string(); })) {
            falha(QLatin1String(chave), QStringLiteral("esperava uma lista de textos"));
        }
        for (const Json& item : *v) {
            lista << QString::fromStdString(item.get<std::string>());
        }
        return lista;
    }
    Leitor objeto(const char* chave) const {
        const Json* v = valor(chave);
        if (!v || !v->is_object()) {
            falha(QLatin1String(chave), QStringLiteral("esperava um objeto"));
        }
        return Leitor(arquivo_, *v, lugar(QLatin1String(chave)));
    }
    template <class T, size_t N>
    T escolha(const char* chave, const std::pair<const char*, T> (&opcoes)[N], const QString& qual) const {
        const QString nome = textoObrigatorio(chave);
        for (const auto& [texto, item] : opcoes) {
            if (nome == QString::fromUtf8(texto)) {
                return item;
            }
        }
        falha(QLatin1String(chave), QStringLiteral("%1 desconhecido: \"%2\"").arg(qual, nome));
    }
    const QString& arquivo() const { return arquivo_; }

private:
    const QString& arquivo_;
    const Json& objeto_;
    QString onde_;
};

template <class T> T limitado(const Leitor& l, const char* chave, int64_t padrao = 0) {
    return static_cast<T>(l.inteiro(chave, padrao, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

int32_t funcaoPinpad(const Leitor& l) {
    const Json* v = l.valor("pinpadFunction");
    if (v && v->is_number()) {
        return static_cast<int32_t>(l.inteiro("pinpadFunction", 0, 1, int(std::size(kFuncoesPinpad))));
    }
    const QString nome = l.texto("pinpadFunction");
    for (int i = 0; i < int(std::size(kFuncoesPinpad)); ++i) {
        if (nome == QLatin1String(kFuncoesPinpad[i])) {
            return i + 1;
        }
    }
    l.falha(QStringLiteral("pinpadFunction"), QStringLiteral("função de pinpad desconhecida: \"%1\"").arg(nome));
}

std::vector<ProdutoVidalink> produtosVidalink(const Leitor& l, const Chaves& chaves = kChavesProduto) {
    std::vector<ProdutoVidalink> produtos;
    const Json* v = l.valor("products");
    if (!v || !v->is_array()) {
        l.falha(QStringLiteral("products"), QStringLiteral("esperava uma lista de produtos"));
    }
    for (size_t i = 0; i < v->size(); ++i) {
        const QString onde = l.lugar(QStringLiteral("products[%1]").arg(i));
        if (!(*v)[i].is_object()) {
            throw ErroRoteiro(l.arquivo(), onde, QStringLiteral("esperava um objeto"));
        }
        const Leitor p(l.arquivo(), (*v)[i], onde);
        p.aceitaSo(chaves);
        produtos.push_back(
            {p.textoObrigatorio("code"), static_cast<int32_t>(p.inteiro("quantity", 1, 0, 9999)), p.texto("value")});
    }
    return produtos;
}

const TipoDeInicio& tipoDeInicio(const Leitor& l) {
    const QString nome = l.textoObrigatorio("kind");
    for (const TipoDeInicio& t : kTiposInicio) {
        if (nome == QString::fromUtf8(t.nome)) {
            return t;
        }
    }
    l.falha(QStringLiteral("kind"), QStringLiteral("tipo de início desconhecido: \"%1\"").arg(nome));
}

Chaves chavesDeTodosOsInicios() {
    Chaves todas;
    for (const TipoDeInicio& t : kTiposInicio) {
        todas.insert(todas.end(), t.chaves.begin(), t.chaves.end());
    }
    return todas;
}

Configuracao leCamposConfiguracao(const Leitor& l);

bool simNao(const Leitor& l, const char* chave, bool padrao) {
    const Json* v = l.valor(chave);
    if (!v) {
        return padrao;
    }
    if (!v->is_boolean()) {
        l.falha(QLatin1String(chave), QStringLiteral("esperava true ou false"));
    }
    return v->get<bool>();
}

// The kinds that reach the flows beside the main road: the confirmation
// panel, the Vidalink cancellation and consultation, a new configuration.
void leInicioFluxos(const Leitor& l, Inicio& inicio) {
    switch (inicio.tipo) {
    case TipoInicio::Confirmacao:
        inicio.confirma = simNao(l, "confirm", true);
        if (l.tem("parameters")) {
            inicio.parametros = l.texto("parameters");
        }
        break;
    case TipoInicio::ConfirmacaoIdentificada:
        inicio.confirma = simNao(l, "confirm", true);
        inicio.dados = l.texto("data");
        break;
    case TipoInicio::CancelamentoVidalink:
        inicio.total = simNao(l, "total", true);
        inicio.cupomVenda = l.textoObrigatorio("saleReceipt");
        inicio.dataVenda = l.texto("saleDate");
        inicio.documento = l.textoObrigatorio("document");
        inicio.terminal = l.textoObrigatorio("terminal");
        if (!inicio.total) {
            inicio.produtosVidalink = produtosVidalink(l, kChavesProdutoCancelamento);
        } else if (l.tem("products")) {
            l.falha(QStringLiteral("products"), QStringLiteral("só um cancelamento parcial informa produtos"));
        }
        // A total cancellation sends the number typed in "Número de Produtos:".
        inicio.quantidadeProdutos =
            static_cast<int32_t>(l.inteiro("productCount", kProdutosCancelamentoTotal, 0, INT32_MAX));
        break;
    case TipoInicio::ConsultaVidalink:
        inicio.autorizacao = l.textoObrigatorio("authorization");
        inicio.todosProdutos = simNao(l, "allProducts", false);
        inicio.produtosConsulta = l.listaTextos("products");
        if (inicio.todosProdutos == !inicio.produtosConsulta.isEmpty()) {
            l.falha({}, QStringLiteral("esperava \"allProducts\": true ou uma lista \"products\", não vazia"));
        }
        break;
    case TipoInicio::Configura:
        inicio.configuracao = leCamposConfiguracao(l);
        break;
    default:
        break;
    }
}

Inicio leInicio(const Leitor& l) {
    const TipoDeInicio& tipo = tipoDeInicio(l);
    Chaves permitidas = tipo.chaves;
    permitidas.push_back(kChaveTipo);
    l.aceitaSo(permitidas, QStringLiteral("o tipo \"%1\"").arg(QString::fromUtf8(tipo.nome)), chavesDeTodosOsInicios());
    Inicio inicio;
    inicio.tipo = tipo.tipo;
    const Json* funcao = l.valor("function");
    inicio.funcao = funcao && funcao->is_number() ? QString::number(l.inteiro("function", 0, INT32_MIN, INT32_MAX))
                                                  : l.texto("function");
    inicio.valor = l.texto("value");
    inicio.cupomFiscal = l.texto("fiscalReceipt");
    inicio.hora = l.texto("time");
    inicio.restricoes = l.texto("restrictions", QStringLiteral("[]"));
    if (l.tem("products") && inicio.tipo == TipoInicio::AutoAtendimento) {
        inicio.produtos = l.texto("products");
    }
    switch (inicio.tipo) {
    case TipoInicio::Pinpad:
        inicio.funcaoPinpad = funcaoPinpad(l);
        inicio.mensagem = l.texto("message");
        inicio.workingKey = l.texto("workingKey");
        if (l.tem("cardTimeout")) {
            inicio.tempoLeitura = limitado<uint16_t>(l, "cardTimeout");
        }
        inicio.aguardaCartao = static_cast<int32_t>(l.inteiro("waitCard", 0, 0, 1));
        break;
    case TipoInicio::ValidaCodigoBarras:
        inicio.codigoBarras = l.textoObrigatorio("barcode");
        break;
    case TipoInicio::VendaVidalink:
        inicio.autorizacao = l.textoObrigatorio("authorization");
        inicio.produtosVidalink = produtosVidalink(l);
        break;
    case TipoInicio::TransacaoDireta:
        inicio.rede = limitado<int16_t>(l, "network");
        inicio.funcaoDireta = limitado<int16_t>(l, "directFunction");
        inicio.offset = limitado<int32_t>(l, "offset");
        inicio.linhas = l.listaTextos("lines");
        inicio.tipoTransacao = limitado<int16_t>(l, "transactionType");
        break;
    default:
        leInicioFluxos(l, inicio);
        break;
    }
    return inicio;
}

const QString kFimEncerra = QStringLiteral("Encerra");
const QString kFimVolta = QStringLiteral("Volta");

QJsonValue textoOuSimNao(const Json& v) {
    return v.is_boolean() ? QJsonValue(v.get<bool>()) : QJsonValue(QString::fromStdString(v.get<std::string>()));
}

Resposta leResposta(const QString& arquivo, const Json& v, const QString& onde) {
    Resposta r;
    r.onde = onde;
    if (v.is_string() || v.is_boolean()) {
        r.valor = textoOuSimNao(v);
        return r;
    }
    if (!v.is_object()) {
        throw ErroRoteiro(
            arquivo, onde,
            QStringLiteral("resposta de tipo errado: esperava um texto, sim/não (true/false) ou um objeto"));
    }
    const Leitor l(arquivo, v, onde);
    l.aceitaSo(kChavesResposta);
    const Json* valor = l.valor("answer");
    if (valor && !valor->is_string() && !valor->is_boolean()) {
        l.falha(QStringLiteral("answer"), QStringLiteral("resposta de tipo errado: esperava um texto ou sim/não"));
    }
    r.valor = valor ? textoOuSimNao(*valor) : QJsonValue(QString());
    r.pergunta = l.texto("question");
    const QString fim = l.texto("end");
    if (!fim.isEmpty() && fim != kFimEncerra && fim != kFimVolta) {
        l.falha(QStringLiteral("end"), QStringLiteral("esperava \"Encerra\" ou \"Volta\""));
    }
    r.continua = fim == kFimEncerra ? -1 : fim == kFimVolta ? 1 : 0;
    const Json* alternativo = l.valor("alternative");
    if (alternativo && !alternativo->is_boolean()) {
        l.falha(QStringLiteral("alternative"), QStringLiteral("esperava true ou false"));
    }
    r.alternativo = alternativo && alternativo->get<bool>();
    // The console sends the "1000" choice with the option or text typed;
    // without one there is nothing to send it with.
    if (r.alternativo && (!r.valor.isString() || r.valor.toString().isEmpty())) {
        l.falha(QStringLiteral("alternative"),
                QStringLiteral("a escolha \"1000\" pede um texto não vazio em \"answer\""));
    }
    return r;
}

void leRespostas(const Leitor& l, Caso& caso) {
    const Json* v = l.valor("answers");
    const QString onde = l.lugar(QStringLiteral("answers"));
    if (!v) {
        return;
    }
    if (v->is_array()) {
        for (size_t i = 0; i < v->size(); ++i) {
            caso.respostas.push_back(leResposta(l.arquivo(), (*v)[i], QStringLiteral("%1[%2]").arg(onde).arg(i)));
        }
    } else if (v->is_object()) {
        for (const auto& [chave, resposta] : v->items()) {
            const QString pergunta = QString::fromStdString(chave);
            caso.chaveadas.push_back(
                {pergunta, leResposta(l.arquivo(), resposta, QStringLiteral("%1[\"%2\"]").arg(onde, pergunta))});
        }
    } else {
        l.falha(QStringLiteral("answers"), QStringLiteral("esperava uma lista ou um objeto de respostas"));
    }
}

Expectativa leExpectativa(const Leitor& l) {
    l.aceitaSo(kChavesExpectativa);
    Expectativa e;
    if (!l.tem("result")) {
        l.falha({}, QStringLiteral("falta \"result\""));
    }
    e.resultado = limitado<int32_t>(l, "result");
    e.trace = l.listaTextos("trace");
    e.mensagens = l.listaTextos("messages");
    e.finalizacao = l.texto("finish");
    if (!e.finalizacao.isEmpty() && !kFinalizacoes.contains(e.finalizacao)) {
        l.falha(QStringLiteral("finish"), QStringLiteral("esperava \"%1\"").arg(kFinalizacoes.join(u"\", \"")));
    }
    return e;
}

// "save": {"NAME": "pattern with one group"}.
std::vector<std::pair<QString, QString>> leCapturas(const Leitor& l) {
    std::vector<std::pair<QString, QString>> capturas;
    const Json* v = l.valor("save");
    if (!v) {
        return capturas;
    }
    const Leitor salva = l.objeto("save");
    for (const auto& [chave, valor] : v->items()) {
        const QString nome = QString::fromStdString(chave);
        const QString padrao = salva.texto(chave.c_str());
        if (const QString erro = erroCaptura(nome, padrao); !erro.isEmpty()) {
            salva.falha(nome, erro);
        }
        capturas.emplace_back(nome, padrao);
    }
    return capturas;
}

Caso leCaso(const Leitor& l) {
    l.aceitaSo(kChavesCaso);
    Caso caso;
    caso.onde = l.onde();
    caso.nome = l.textoObrigatorio("name");
    caso.inicio = leInicio(l.objeto("start"));
    leRespostas(l, caso);
    if (l.tem("receipt")) {
        caso.cupom = l.escolha("receipt", kEscolhasCupom, QStringLiteral("escolha do cupom"));
    }
    caso.espera = leExpectativa(l.objeto("expect"));
    caso.capturas = leCapturas(l);
    caso.tempoLimiteSegundos = static_cast<int>(l.inteiro("timeout", 0, 1, 86400));
    return caso;
}

Configuracao leConfiguracao(const Leitor& l) {
    l.aceitaSo(kChavesConfiguracao);
    return leCamposConfiguracao(l);
}

// "IP Kavex:", "Empresa:", "Terminal:" and the printer choice, whose keys the
// caller has checked.
Configuracao leCamposConfiguracao(const Leitor& l) {
    Configuracao c;
    c.presente = true;
    c.endereco = l.texto("address", c.endereco);
    c.empresa = l.texto("store");
    c.terminal = l.texto("terminal");
    const QString impressora = l.texto("printer", QStringLiteral("Sem"));
    if (impressora != u"Com" && impressora != u"Sem") {
        l.falha(QStringLiteral("printer"), QStringLiteral("esperava \"Com\" ou \"Sem\""));
    }
    c.imprime = impressora == u"Com";
    return c;
}

// The message of a parse error without the library's own prefix.
QString motivoJson(const Json::parse_error& erro) {
    const std::string texto = erro.what();
    const size_t dois = texto.find(": ", texto.find("parse error"));
    return QString::fromStdString(dois == std::string::npos ? texto : texto.substr(dois + 2));
}

// Each case is read as soon as its object ends and then dropped from the
// document, so reading takes little more memory than the file and what the
// cases become.
class LeitorDeCasos {
public:
    LeitorDeCasos(const QString& arquivo, Roteiro& roteiro) : arquivo_(arquivo), roteiro_(roteiro) {}

    bool operator()(int profundidade, Json::parse_event_t evento, Json& lido) {
        using E = Json::parse_event_t;
        if (profundidade == 1 && evento == E::key) {
            emCasos_ = lido == "cases";
        } else if (profundidade == 1 && emCasos_ && evento == E::object_start) {
            throw ErroRoteiro(arquivo_, QStringLiteral("cases"),
                              QStringLiteral("esperava uma lista de casos, não vazia"));
        } else if (profundidade == 2 && emCasos_ &&
                   (evento == E::object_end || evento == E::array_end || evento == E::value)) {
            caso(lido);
            return false;
        }
        return true;
    }

private:
    void caso(const Json& lido) {
        const QString onde = QStringLiteral("cases[%1]").arg(roteiro_.casos.size());
        if (!lido.is_object()) {
            throw ErroRoteiro(arquivo_, onde, QStringLiteral("esperava um objeto"));
        }
        Caso novo = leCaso(Leitor(arquivo_, lido, onde));
        // Reports and their readers tell cases apart by name.
        if (nomes_.contains(novo.nome)) {
            throw ErroRoteiro(arquivo_, onde + QStringLiteral(".name"),
                              QStringLiteral("nome repetido: \"%1\"").arg(novo.nome));
        }
        nomes_.insert(novo.nome);
        roteiro_.casos.push_back(std::move(novo));
    }

    const QString& arquivo_;
    Roteiro& roteiro_;
    QSet<QString> nomes_;
    bool emCasos_ = false;
};

} // namespace

std::optional<QString> chaveParecida(const QString& chave, const QStringList& permitidas) {
    std::optional<QString> melhor;
    int menor = chave.size() >= 5 ? 3 : 2;
    for (const QString& p : permitidas) {
        const int d = distancia(chave, p);
        if (d < menor) {
            menor = d;
            melhor = p;
        }
    }
    return melhor;
}

std::vector<std::pair<QString, QStringList>> chavesDoFormato() {
    std::vector<std::pair<QString, QStringList>> formato = {
        {QStringLiteral("roteiro"), listaDe(kChavesRoteiro)},
        {QStringLiteral("configure"), listaDe(kChavesConfiguracao)},
        {QStringLiteral("case"), listaDe(kChavesCaso)},
        {QStringLiteral("answer"), listaDe(kChavesResposta)},
        {QStringLiteral("expect"), listaDe(kChavesExpectativa)},
        {QStringLiteral("product"), listaDe(kChavesProduto)},
        {QStringLiteral("cancelProduct"), listaDe(kChavesProdutoCancelamento)},
    };
    for (const TipoDeInicio& t : kTiposInicio) {
        formato.emplace_back(QStringLiteral("start:") + QString::fromUtf8(t.nome),
                             QStringList{qtexto(kChaveTipo)} + listaDe(t.chaves));
    }
    return formato;
}

int linhaDoDeslocamento(const QByteArray& conteudo, qsizetype deslocamento) {
    return 1 + int(conteudo.left(deslocamento).count('\n'));
}

Roteiro leRoteiroDeTexto(const QByteArray& conteudo, const QString& arquivo) {
    Roteiro roteiro;
    roteiro.arquivo = arquivo;
    Json raiz;
    try {
        raiz = Json::parse(conteudo.begin(), conteudo.end(), LeitorDeCasos(arquivo, roteiro));
    } catch (const Json::parse_error& erro) {
        throw ErroRoteiro(arquivo,
                          QStringLiteral("linha %1").arg(linhaDoDeslocamento(conteudo, qsizetype(erro.byte) - 1)),
                          QStringLiteral("JSON inválido: %1").arg(motivoJson(erro)));
    }
    if (!raiz.is_object()) {
        throw ErroRoteiro(arquivo, QStringLiteral("linha 1"), QStringLiteral("esperava um objeto com \"cases\""));
    }
    const Leitor l(arquivo, raiz, {});
    l.aceitaSo(kChavesRoteiro);
    if (l.tem("configure")) {
        roteiro.configuracao = leConfiguracao(l.objeto("configure"));
    }
    const int tempo = static_cast<int>(l.inteiro("timeout", kTempoLimitePadrao, 1, 86400));
    if (!l.valor("cases") || !l.valor("cases")->is_array() || roteiro.casos.empty()) {
        l.falha(QStringLiteral("cases"), QStringLiteral("esperava uma lista de casos, não vazia"));
    }
    for (Caso& caso : roteiro.casos) {
        caso.tempoLimiteSegundos = caso.tempoLimiteSegundos > 0 ? caso.tempoLimiteSegundos : tempo;
    }
    return roteiro;
}

Roteiro leRoteiro(const QString& caminho) {
    const auto falha = [&](const QString& motivo) { return ErroRoteiro(caminho, QStringLiteral("linha 1"), motivo); };
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly)) {
        throw falha(QStringLiteral("não foi possível ler: %1").arg(arquivo.errorString()));
    }
    const QString limite = QStringLiteral("maior que o limite de %1 MiB").arg(kTamanhoMaximoRoteiro / (1024 * 1024));
    if (!arquivo.isSequential() && arquivo.size() > kTamanhoMaximoRoteiro) {
        throw falha(limite);
    }
    // A device or a pipe says no size: read up to one byte past the limit.
    QByteArray conteudo;
    constexpr qint64 kPedaco = 1 << 20;
    while (conteudo.size() <= kTamanhoMaximoRoteiro) {
        const qsizetype antes = conteudo.size();
        conteudo.resize(antes + qsizetype(std::min<qint64>(kPedaco, kTamanhoMaximoRoteiro + 1 - antes)));
        const qint64 lidos = arquivo.read(conteudo.data() + antes, conteudo.size() - antes);
        conteudo.resize(antes + qsizetype(std::max<qint64>(lidos, 0)));
        if (lidos < 0) {
            throw falha(QStringLiteral("não foi possível ler: %1").arg(arquivo.errorString()));
        }
        if (lidos == 0) {
            break;
        }
    }
    if (conteudo.size() > kTamanhoMaximoRoteiro) {
        throw falha(limite);
    }
    return leRoteiroDeTexto(conteudo, caminho);
}

} // namespace roteiro
