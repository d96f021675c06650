#include "roteiro/Comparacao.h"

#include "library/kavex_datahora.h"
#include "roteiro/Roteiro.h"

#include <QFile>
#include <QRegularExpression>

#include <nlohmann/json.hpp>

#include <cstdio>
#include <vector>

namespace roteiro {

namespace {

using Json = nlohmann::json;

// The calls of a recording, the notes about scripts and playback aside.
std::vector<Json> chamadas(const QByteArray& conteudo, const QString& nome) {
    std::vector<Json> lidas;
    int numero = 0;
    for (const QByteArray& linha : conteudo.split('\n')) {
        ++numero;
        if (linha.trimmed().isEmpty()) {
            continue;
        }
        Json chamada = Json::parse(linha.constBegin(), linha.constEnd(), nullptr, false);
        if (chamada.is_discarded() || !chamada.is_object() || !chamada.contains("fn") || !chamada["fn"].is_string()) {
            throw ErroGravacao(
                QStringLiteral("%1: linha %2: não é uma chamada gravada").arg(nome).arg(numero).toStdString());
        }
        if (chamada["fn"] != "script" && chamada["fn"] != "playback") {
            lidas.push_back(std::move(chamada));
        }
    }
    return lidas;
}

// Dates and times inside texts (receipts, replies, the date-time field)
// become marks, so only what else differs is seen.
Json semDataHora(const Json& valor) {
    if (!valor.is_string()) {
        return valor;
    }
    static const std::pair<QRegularExpression, QString> kTrocas[] = {
        {QRegularExpression(
             QStringLiteral("(?<![0-9])(19|20)[0-9]{2}(0[1-9]|1[0-2])(0[1-9]|[12][0-9]|3[01])([0-9]{6})?(?![0-9])")),
         QStringLiteral("<data>")},
        {QRegularExpression(QStringLiteral("(?<![0-9])[0-9]{2}/[0-9]{2}/[0-9]{2,4}(?![0-9])")),
         QStringLiteral("<data>")},
        {QRegularExpression(QStringLiteral("(?<![0-9])[0-9]{2}:[0-9]{2}(:[0-9]{2})?(?![0-9])")),
         QStringLiteral("<hora>")},
        {QRegularExpression(QStringLiteral("(?<=HORA[= ])[0-9]{6}(?![0-9])")), QStringLiteral("<hora>")},
    };
    QString texto = QString::fromStdString(valor.get<std::string>());
    for (const auto& [padrao, marca] : kTrocas) {
        texto.replace(padrao, marca);
    }
    return texto.toStdString();
}

QString mostra(const Json& valor) {
    return valor.is_null() ? QStringLiteral("(nada)") : QString::fromStdString(valor.dump());
}

class Comparador {
public:
    Comparador(QString nomeA, QString nomeB) : nomeA_(std::move(nomeA)), nomeB_(std::move(nomeB)) {}

    void compara(size_t numero, const Json& a, const Json& b) {
        numero_ = numero;
        funcao_ = a.value("fn", std::string());
        if (a["fn"] != b["fn"]) {
            difere(QStringLiteral("função"), a["fn"], b["fn"]);
            return;
        }
        const Json argsA = a.value("args", Json::array());
        const Json argsB = b.value("args", Json::array());
        const Json saidasA = a.value("out", Json::object());
        const Json saidasB = b.value("out", Json::object());
        if (!argsA.is_array() || !argsB.is_array() || !saidasA.is_object() || !saidasB.is_object()) {
            // Not shaped as the recorder writes: compared whole, but for the time.
            const auto semDuracao = [](Json c) {
                c.erase("ms");
                return c;
            };
            comparaValor(QStringLiteral("chamada"), semDuracao(a), semDuracao(b));
            return;
        }
        for (size_t i = 0; i < std::max(argsA.size(), argsB.size()); ++i) {
            if (!kavexArgumentoDataHora(funcao_.c_str(), int(i))) {
                comparaValor(QStringLiteral("argumento %1").arg(i + 1), item(argsA, i), item(argsB, i));
            }
        }
        comparaValor(QStringLiteral("resultado"), a.value("ret", Json()), b.value("ret", Json()));
        Json chaves = saidasA;
        chaves.update(saidasB);
        for (const auto& [chave, valor] : chaves.items()) {
            comparaValor(QStringLiteral("saída %1").arg(QString::fromStdString(chave)), saidasA.value(chave, Json()),
                         saidasB.value(chave, Json()));
        }
    }
    void sobra(size_t numero, const Json& chamada, bool emA) {
        numero_ = numero;
        funcao_ = chamada["fn"].get<std::string>();
        diferencas_ << QStringLiteral("chamada %1 (%2): só em %3")
                           .arg(numero)
                           .arg(QString::fromStdString(funcao_), emA ? nomeA_ : nomeB_);
    }
    const QStringList& diferencas() const { return diferencas_; }

private:
    static Json item(const Json& lista, size_t i) { return i < lista.size() ? lista[i] : Json(); }
    void comparaValor(const QString& oQue, const Json& a, const Json& b) {
        if (semDataHora(a) != semDataHora(b)) {
            difere(oQue, a, b);
        }
    }
    void difere(const QString& oQue, const Json& a, const Json& b) {
        diferencas_ << QStringLiteral("chamada %1 (%2), %3: %4 %5, %6 %7")
                           .arg(numero_)
                           .arg(QString::fromStdString(funcao_), oQue, nomeA_, mostra(a), nomeB_, mostra(b));
    }

    QString nomeA_, nomeB_;
    size_t numero_ = 0;
    std::string funcao_;
    QStringList diferencas_;
};

QByteArray leGravacao(const QString& caminho) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly)) {
        throw ErroGravacao(
            QStringLiteral("%1: não foi possível ler: %2").arg(caminho, arquivo.errorString()).toStdString());
    }
    QByteArray conteudo = arquivo.read(kTamanhoMaximoRoteiro + 1);
    if (conteudo.size() > kTamanhoMaximoRoteiro) {
        throw ErroGravacao(QStringLiteral("%1: maior que o limite de %2 MiB")
                               .arg(caminho)
                               .arg(kTamanhoMaximoRoteiro / (1024 * 1024))
                               .toStdString());
    }
    return conteudo;
}

} // namespace

QStringList comparaGravacoes(const QByteArray& a, const QString& nomeA, const QByteArray& b, const QString& nomeB) {
    const std::vector<Json> chamadasA = chamadas(a, nomeA);
    const std::vector<Json> chamadasB = chamadas(b, nomeB);
    Comparador comparador(nomeA, nomeB);
    for (size_t i = 0; i < std::max(chamadasA.size(), chamadasB.size()); ++i) {
        if (i >= chamadasB.size()) {
            comparador.sobra(i + 1, chamadasA[i], true);
        } else if (i >= chamadasA.size()) {
            comparador.sobra(i + 1, chamadasB[i], false);
        } else {
            comparador.compara(i + 1, chamadasA[i], chamadasB[i]);
        }
    }
    return comparador.diferencas();
}

int executaComparacao(const QString& a, const QString& b) {
    try {
        const QStringList diferencas = comparaGravacoes(leGravacao(a), a, leGravacao(b), b);
        for (const QString& diferenca : diferencas) {
            std::fputs(qPrintable(diferenca + u'\n'), stdout);
        }
        return diferencas.isEmpty() ? 0 : 1;
    } catch (const ErroGravacao& erro) {
        std::fprintf(stderr, "TesteCliKavex: %s\n", erro.what());
        return 2;
    }
}

} // namespace roteiro
