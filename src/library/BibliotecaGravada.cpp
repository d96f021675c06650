#include "library/BibliotecaGravada.h"

#include "library/kavex_protocolo.h"
#include "platform/Win1252.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace gravacao {

namespace {

// A card number's masked form: the first six and last four digits stay.
QString mascaraNumero(QString digitos) {
    constexpr int kVisiveis = 6 + 4;
    if (digitos.size() > kVisiveis) {
        digitos.replace(6, digitos.size() - kVisiveis, QString(digitos.size() - kVisiveis, u'*'));
    }
    return digitos;
}

bool passaLuhn(QStringView digitos) {
    int soma = 0;
    bool dobra = false;
    for (qsizetype i = digitos.size() - 1; i >= 0; --i) {
        int d = digitos[i].digitValue();
        if (dobra && (d *= 2) > 9) {
            d -= 9;
        }
        soma += d;
        dobra = !dobra;
    }
    return soma % 10 == 0;
}

// Replaces each match of `padrao` by what `troca` makes of it.
template <class Troca> QString substitui(const QString& texto, const QRegularExpression& padrao, Troca troca) {
    QString resultado;
    qsizetype fim = 0;
    QRegularExpressionMatchIterator it = padrao.globalMatch(texto);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        resultado += QStringView(texto).mid(fim, m.capturedStart() - fim);
        resultado += troca(m);
        fim = m.capturedEnd();
    }
    return resultado += QStringView(texto).mid(fim);
}

} // namespace

QString mascaraTrilha(const QString& trilha) {
    static const QRegularExpression numero(QStringLiteral("[0-9]{10,}"));
    const qsizetype separador = trilha.indexOf(QRegularExpression(QStringLiteral("[\\^=]")));
    const QString conta = separador < 0 ? trilha : trilha.left(separador);
    QString mascarada = substitui(conta, numero, [](const auto& m) { return mascaraNumero(m.captured()); });
    if (separador >= 0) {
        mascarada += trilha[separador] == u'^' ? QStringLiteral("^*^*") : QStringLiteral("=*");
    }
    return mascarada;
}

QString mascaraCartoes(const QString& texto) {
    static const QRegularExpression trilha1(QStringLiteral("B([0-9]{13,19})\\^[^^\r\n]*\\^[^\\s;?]*"));
    static const QRegularExpression trilha2(QStringLiteral("(?<![0-9])([0-9]{13,19})=[0-9]*"));
    static const QRegularExpression numero(QStringLiteral("(?<![0-9])[0-9]{13,19}(?![0-9])"));
    QString mascarado = substitui(texto, trilha1, [](const auto& m) {
        return QLatin1String("B") + mascaraNumero(m.captured(1)) + QLatin1String("^*^*");
    });
    mascarado = substitui(mascarado, trilha2, [](const auto& m) { return mascaraNumero(m.captured(1)) + "=*"; });
    return substitui(mascarado, numero, [](const auto& m) {
        return passaLuhn(m.capturedView()) ? mascaraNumero(m.captured()) : m.captured();
    });
}

namespace {

// One tag type per function, so that the functions whose arguments or
// outputs the log writes in their own way can be told apart by overloading.
namespace etiqueta {
#define KAVEX_ETIQUETA(R, N, P, A)                                                                                     \
    struct N {};
KAVEX_FUNCTIONS(KAVEX_ETIQUETA)
#undef KAVEX_ETIQUETA
} // namespace etiqueta

// How a text of the library is kept: as any text, as a track, as a PIN block.
enum class Dado { Texto, Trilha, Senha };

QJsonValue mascara(const QString& texto, Dado dado) {
    switch (dado) {
    case Dado::Trilha:
        return mascaraTrilha(texto);
    case Dado::Senha:
        return texto.isEmpty() ? texto : kMarcaSenha;
    default:
        return mascaraCartoes(texto);
    }
}

Dado dadoDoCampo(int32_t tipoCampo) {
    return tipoCampo == KAVEX_CAMPO_TRILHA1 || tipoCampo == KAVEX_CAMPO_TRILHA2 ? Dado::Trilha
           : tipoCampo == KAVEX_CAMPO_SENHA                                     ? Dado::Senha
                                                                                : Dado::Texto;
}

// A buffer's text up to its first zero byte, never past `tamanho` bytes.
QJsonValue textoBuffer(const char* buffer, qint64 tamanho, Dado dado = Dado::Texto) {
    if (!buffer || tamanho <= 0) {
        return QJsonValue::Null;
    }
    const void* zero = std::memchr(buffer, 0, size_t(tamanho));
    const qsizetype n = zero ? static_cast<const char*>(zero) - buffer : qsizetype(tamanho);
    return mascara(platform::fromWin1252(QByteArrayView(buffer, n)), dado);
}

// Exactly `tamanho` bytes, zero bytes included.
QJsonValue bytes(const char* dados, qint64 tamanho) {
    if (!dados) {
        return QJsonValue::Null;
    }
    // The decoding stops at a zero byte: each part is decoded apart.
    const QList<QByteArray> partes = QByteArray(dados, qsizetype(std::max<qint64>(tamanho, 0))).split('\0');
    QStringList textos;
    for (const QByteArray& parte : partes) {
        textos << platform::fromWin1252(parte);
    }
    return mascaraCartoes(textos.join(QChar(0)));
}

// Arguments as sent: texts given, numbers; output buffers and pointers are
// written down as null, as the simulator's log does.
QJsonValue argumento(const char* texto) {
    return texto ? QJsonValue(mascaraCartoes(platform::fromWin1252(texto))) : QJsonValue::Null;
}
QJsonValue argumento(char*) {
    return QJsonValue::Null;
}
template <class T> QJsonValue argumento(T* ponteiro) {
    static_assert(std::is_integral_v<T>);
    (void)ponteiro;
    return QJsonValue::Null;
}
template <class T> QJsonValue argumento(T numero) {
    static_assert(std::is_integral_v<T>);
    return QJsonValue(qint64(numero));
}
template <class T> QJsonValue valorDe(const T* p) {
    return p ? QJsonValue(qint64(*p)) : QJsonValue::Null;
}

template <class E, class... T> QJsonArray argumentos(E, T... a) {
    return QJsonArray{argumento(a)...};
}
QJsonArray argumentos(etiqueta::ContinuaFuncaoKavexInterativo, int32_t*, int32_t*, int16_t*, int16_t*, char* buffer,
                      int32_t tamanho, int32_t continua) {
    return {textoBuffer(buffer, tamanho), tamanho, continua};
}
QJsonArray argumentos(etiqueta::IniciaFuncaoKavexInterativoConsultaPBM, char* autorizacao, const char* consulta,
                      const char* cupom, const char* data, const char* hora, const char* operador,
                      const char* reservado) {
    return {textoBuffer(autorizacao, KAVEX_TAM_COD_AUTORIZACAO),
            argumento(consulta),
            argumento(cupom),
            argumento(data),
            argumento(hora),
            argumento(operador),
            argumento(reservado)};
}
QJsonArray argumentos(etiqueta::EnviaRecebeKavexDireto, int16_t rede, int16_t funcao, int32_t offset, const char* envio,
                      int16_t tamanhoEnvio, char*, int16_t tamanhoResposta, int16_t*, int16_t timeout,
                      const char* cupom, const char* data, const char* hora, const char* operador, int16_t tipo) {
    return {rede,
            funcao,
            offset,
            bytes(envio, tamanhoEnvio),
            tamanhoEnvio,
            {},
            tamanhoResposta,
            {},
            timeout,
            argumento(cupom),
            argumento(data),
            argumento(hora),
            argumento(operador),
            tipo};
}

// Outputs as returned, under the names a script gives them; functions
// without outputs write no "out".
template <class E, class R, class... T> QJsonValue saidas(E, R, T...) {
    return QJsonValue::Undefined;
}
QJsonValue saidas(etiqueta::ContinuaFuncaoKavexInterativo, int32_t, int32_t* comando, int32_t* tipoCampo,
                  int16_t* minimo, int16_t* maximo, char* buffer, int32_t tamanho, int32_t) {
    return QJsonObject{
        {QStringLiteral("command"), valorDe(comando)},
        {QStringLiteral("fieldType"), valorDe(tipoCampo)},
        {QStringLiteral("min"), valorDe(minimo)},
        {QStringLiteral("max"), valorDe(maximo)},
        {QStringLiteral("buffer"), textoBuffer(buffer, tamanho, dadoDoCampo(tipoCampo ? *tipoCampo : 0))}};
}
QJsonObject trilhas(const char* trilha1, const char* trilha2) {
    return {{QStringLiteral("track1"), textoBuffer(trilha1, KAVEX_TAM_TRILHA1, Dado::Trilha)},
            {QStringLiteral("track2"), textoBuffer(trilha2, KAVEX_TAM_TRILHA2, Dado::Trilha)}};
}
QJsonValue saidas(etiqueta::LeCartaoDireto, int32_t, const char*, char* trilha1, char* trilha2) {
    return trilhas(trilha1, trilha2);
}
QJsonValue saidas(etiqueta::LeCartaoDiretoEx, int32_t, const char*, char* trilha1, char* trilha2, uint16_t, int32_t) {
    return trilhas(trilha1, trilha2);
}
QJsonValue saidas(etiqueta::LeSenhaDireto, int32_t, const char*, char* senha) {
    return QJsonObject{{QStringLiteral("pin"), textoBuffer(senha, KAVEX_TAM_SENHA, Dado::Senha)}};
}
QJsonValue saidas(etiqueta::ValidaCampoCodigoEmBarras, int16_t, const char*, int16_t* tipo) {
    return QJsonObject{{QStringLiteral("type"), valorDe(tipo)}};
}
QJsonValue saidas(etiqueta::IniciaFuncaoKavexInterativoConsultaPBM, int32_t, char* autorizacao, const char*,
                  const char*, const char*, const char*, const char*, const char*) {
    return QJsonObject{{QStringLiteral("authorization"), textoBuffer(autorizacao, KAVEX_TAM_COD_AUTORIZACAO)}};
}
// The reply may hold zero bytes: what the result says was written, within
// the buffer.
QJsonValue saidas(etiqueta::EnviaRecebeKavexDireto, int32_t retorno, int16_t, int16_t, int32_t, const char*, int16_t,
                  char* resposta, int16_t tamanhoResposta, int16_t* codigoResposta, int16_t, const char*, const char*,
                  const char*, const char*, int16_t) {
    const qint64 escritos = std::clamp<qint64>(retorno, 0, std::max<int16_t>(tamanhoResposta, 0));
    return QJsonObject{{QStringLiteral("responseCode"), valorDe(codigoResposta)},
                       {QStringLiteral("reply"), bytes(resposta, escritos)}};
}

} // namespace

} // namespace gravacao

std::unique_ptr<BibliotecaGravada> BibliotecaGravada::abre(const QString& caminho, KavexLibrary& real, QString& erro) {
    std::unique_ptr<BibliotecaGravada> gravada(new BibliotecaGravada(real));
    gravada->arquivo_.setFileName(caminho);
    if (!gravada->arquivo_.open(QIODevice::WriteOnly | QIODevice::Append)) {
        erro = gravada->arquivo_.errorString();
        return nullptr;
    }
    return gravada;
}

void BibliotecaGravada::grava(const char* funcao, QJsonArray argumentos, qint64 retorno, const QJsonValue& saidas,
                              double milissegundos) {
    const std::lock_guard trava(mutex_);
    // After a field the console only stores, the buffer it sends back still
    // holds the field: a track or a PIN block is kept as the field was.
    if (std::strcmp(funcao, "ContinuaFuncaoKavexInterativo") == 0) {
        if (!argumentos.isEmpty() && argumentos[0].isString()) {
            argumentos[0] = gravacao::mascara(argumentos[0].toString(), gravacao::dadoDoCampo(tipoCampoAnterior_));
        }
        tipoCampoAnterior_ = saidas[QStringLiteral("fieldType")].toInt();
    }
    QJsonObject linha{{QStringLiteral("fn"), QLatin1String(funcao)},
                      {QStringLiteral("args"), argumentos},
                      {QStringLiteral("ret"), retorno},
                      {QStringLiteral("ms"), milissegundos}};
    if (!saidas.isUndefined()) {
        linha.insert(QStringLiteral("out"), saidas);
    }
    QByteArray texto = QJsonDocument(linha).toJson(QJsonDocument::Compact) + '\n';
    if (retorno == kBibliotecaEncerrada) {
        texto += linhaQueda();
    }
    if ((arquivo_.write(texto) != texto.size() || !arquivo_.flush()) && !avisou_) {
        avisou_ = true;
        qWarning("TesteCliKavex: a gravação em %s falhou: %s", qPrintable(arquivo_.fileName()),
                 qPrintable(arquivo_.errorString()));
    }
}

// One line after the call during which the library's host ended.
QByteArray BibliotecaGravada::linhaQueda() {
    const std::optional<Queda> queda = real_.queda();
    if (!queda || queda->chamada == quedaGravada_) {
        return {};
    }
    quedaGravada_ = queda->chamada;
    const QJsonObject linha{{QStringLiteral("fn"), QStringLiteral("crash")},
                            {QStringLiteral("function"), queda->funcao},
                            {QStringLiteral("call"), qint64(queda->chamada)},
                            {QStringLiteral("signal"), queda->sinal ? nomeSinal(queda->sinal) : QString()},
                            {QStringLiteral("what"), queda->resumo()},
                            {QStringLiteral("stderr"), QJsonArray::fromStringList(queda->erros)}};
    return QJsonDocument(linha).toJson(QJsonDocument::Compact) + '\n';
}

// Arguments are read before the call (a buffer holds the console's answer
// then), outputs after it.
#define KAVEX_DEFINE_GRAVADA(R, N, P, A)                                                                               \
    R BibliotecaGravada::N P {                                                                                         \
        const QJsonArray argumentos = gravacao::argumentos(gravacao::etiqueta::N {} KAVEX_VIRGULA_ARGS A);             \
        QElapsedTimer relogio;                                                                                         \
        relogio.start();                                                                                               \
        const R retorno = real_.N A;                                                                                   \
        const double ms = double(relogio.nsecsElapsed()) / 1e6;                                                        \
        grava(#N, argumentos, retorno, gravacao::saidas(gravacao::etiqueta::N{}, retorno KAVEX_VIRGULA_ARGS A), ms);   \
        return retorno;                                                                                                \
    }
// "(a, b)" becomes ", a, b" and "()" nothing, to follow a first argument.
#define KAVEX_VIRGULA_ARGS(...) __VA_OPT__(, ) __VA_ARGS__
KAVEX_FUNCTIONS(KAVEX_DEFINE_GRAVADA)
#undef KAVEX_DEFINE_GRAVADA
#undef KAVEX_VIRGULA_ARGS
