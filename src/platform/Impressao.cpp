#include "platform/Impressao.h"

#include "platform/Win1252.h"

#include <cups/cups.h>

#include <QLibrary>

#include <cerrno>
#include <cstring>
#include <memory>

namespace platform::impressao {

namespace {

// CUPS and the score of libraries it brings (TLS, Kerberos, service
// discovery) are loaded at the first receipt printed, not at start: linked
// in, they made every start of the console a fifth slower.
#define KAVEX_FUNCOES_CUPS(X)                                                                                          \
    X(cupsSetServer)                                                                                                   \
    X(cupsServer)                                                                                                      \
    X(ippPort)                                                                                                         \
    X(cupsEncryption)                                                                                                  \
    X(httpConnect2)                                                                                                    \
    X(httpClose)                                                                                                       \
    X(cupsGetNamedDest)                                                                                                \
    X(cupsFreeDests)                                                                                                   \
    X(cupsLastErrorString)                                                                                             \
    X(cupsCreateJob)                                                                                                   \
    X(cupsStartDocument)                                                                                               \
    X(cupsCancelJob2)                                                                                                  \
    X(cupsWriteRequestData)                                                                                            \
    X(cupsFinishDocument)

struct Cups {
#define KAVEX_PONTEIRO_CUPS(nome) decltype(&::nome) nome = nullptr;
    KAVEX_FUNCOES_CUPS(KAVEX_PONTEIRO_CUPS)
#undef KAVEX_PONTEIRO_CUPS
};

// The loaded library's functions, or null with the reason in `erro`. The
// library stays loaded for the rest of the run once found.
const Cups* cups(QString& erro) {
    static QString falhaAoCarregar;
    static const std::unique_ptr<const Cups> carregada = [] {
        QLibrary biblioteca(QStringLiteral("cups"), 2);
        if (!biblioteca.load()) {
            falhaAoCarregar = biblioteca.errorString();
            return std::unique_ptr<const Cups>();
        }
        auto funcoes = std::make_unique<Cups>();
#define KAVEX_RESOLVE_CUPS(nome)                                                                                       \
    funcoes->nome = reinterpret_cast<decltype(&::nome)>(biblioteca.resolve(#nome));                                    \
    if (!funcoes->nome) {                                                                                              \
        falhaAoCarregar = QStringLiteral("%1 não tem a função %2").arg(biblioteca.fileName(), QStringLiteral(#nome));  \
        return std::unique_ptr<const Cups>();                                                                          \
    }
        KAVEX_FUNCOES_CUPS(KAVEX_RESOLVE_CUPS)
#undef KAVEX_RESOLVE_CUPS
        return std::unique_ptr<const Cups>(std::move(funcoes));
    }();
    erro = falhaAoCarregar;
    return carregada.get();
}

constexpr int kEsperaConexaoMs = 30000;

QByteArray montaDocumento(const QStringList& linhas) {
    QByteArray documento;
    for (const QString& linha : linhas) {
        documento += toWin1252(linha);
        documento += "\r\n";
    }
    return documento;
}

// One job on an open connection; the reason of a failure, or empty.
class Trabalho {
public:
    Trabalho(const Cups& c, http_t* http) : c_(c), http_(http) {}

    QString envia(const QStringList& linhas, const QString& titulo) {
        cups_dest_t* const destino = c_.cupsGetNamedDest(http_, nullptr, nullptr);
        if (!destino) {
            return falha(QStringLiteral("nenhuma impressora padrão está definida"));
        }
        const QString motivo = envia(*destino, linhas, titulo);
        c_.cupsFreeDests(1, destino);
        return motivo;
    }

private:
    QString envia(const cups_dest_t& destino, const QStringList& linhas, const QString& titulo) {
        const QByteArray nomeTrabalho = titulo.toUtf8();
        const int trabalho =
            c_.cupsCreateJob(http_, destino.name, nomeTrabalho.constData(), destino.num_options, destino.options);
        if (trabalho == 0) {
            return falha(QStringLiteral("a impressora %1 recusou o trabalho").arg(QString::fromUtf8(destino.name)));
        }
        if (c_.cupsStartDocument(http_, destino.name, trabalho, nomeTrabalho.constData(), CUPS_FORMAT_TEXT, 1) !=
            HTTP_STATUS_CONTINUE) {
            c_.cupsCancelJob2(http_, destino.name, trabalho, 0);
            return falha(QStringLiteral("o envio do cupom não pôde começar"));
        }
        const QByteArray documento = montaDocumento(linhas);
        const bool escreveu =
            c_.cupsWriteRequestData(http_, documento.constData(), size_t(documento.size())) == HTTP_STATUS_CONTINUE;
        // Finishing is needed even after a failed write: it ends the request.
        const bool fechou = c_.cupsFinishDocument(http_, destino.name) == IPP_STATUS_OK;
        if (!escreveu) {
            c_.cupsCancelJob2(http_, destino.name, trabalho, 0);
            return falha(QStringLiteral("o cupom não pôde ser enviado à impressora"));
        }
        if (!fechou) {
            return falha(QStringLiteral("a impressora não aceitou o fim do cupom"));
        }
        return {};
    }

    QString falha(const QString& passo) const {
        return QStringLiteral("Não foi possível imprimir o cupom: %1 (%2).")
            .arg(passo, QString::fromUtf8(c_.cupsLastErrorString()));
    }

    const Cups& c_;
    http_t* const http_;
};

} // namespace

QString imprimeTexto(const QStringList& linhas, const QString& titulo) {
    QString erro;
    const Cups* const c = cups(erro);
    if (!c) {
        return QStringLiteral(
                   "Não foi possível imprimir o cupom: a biblioteca de impressão não pôde ser carregada (%1).")
            .arg(erro);
    }
    // Forget the server and connection of an earlier job, so CUPS_SERVER and
    // the client configuration are read again for this one.
    c->cupsSetServer(nullptr);

    http_t* const http = c->httpConnect2(c->cupsServer(), c->ippPort(), nullptr, AF_UNSPEC, c->cupsEncryption(), 1,
                                         kEsperaConexaoMs, nullptr);
    if (!http) {
        const int motivoSistema = errno;
        return QStringLiteral("Não foi possível imprimir o cupom: o servidor de impressão não responde (%1: %2).")
            .arg(QString::fromUtf8(c->cupsServer()), QString::fromLocal8Bit(std::strerror(motivoSistema)));
    }
    const QString motivo = Trabalho(*c, http).envia(linhas, titulo);
    c->httpClose(http);
    return motivo;
}

} // namespace platform::impressao
