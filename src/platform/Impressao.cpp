#include "platform/Impressao.h"

#include "platform/Win1252.h"

#include <cups/cups.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace platform::impressao {

namespace {

struct LiberaDestino {
    void operator()(cups_dest_t* destino) const { cupsFreeDests(1, destino); }
};
using Destino = std::unique_ptr<cups_dest_t, LiberaDestino>;

struct FechaConexao {
    void operator()(http_t* http) const { httpClose(http); }
};
using Conexao = std::unique_ptr<http_t, FechaConexao>;

constexpr int kEsperaConexaoMs = 30000;

QString motivoCups() {
    return QString::fromUtf8(cupsLastErrorString());
}

QString falha(const QString& passo) {
    return QStringLiteral("Não foi possível imprimir o cupom: %1 (%2).").arg(passo, motivoCups());
}

QByteArray montaDocumento(const QStringList& linhas) {
    QByteArray documento;
    for (const QString& linha : linhas) {
        documento += toWin1252(linha);
        documento += "\r\n";
    }
    return documento;
}

} // namespace

QString imprimeTexto(const QStringList& linhas, const QString& titulo) {
    // Forget the server and connection of an earlier job, so CUPS_SERVER and
    // the client configuration are read again for this one.
    cupsSetServer(nullptr);

    const Conexao conexao(
        httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, kEsperaConexaoMs, nullptr));
    if (!conexao) {
        return QStringLiteral("Não foi possível imprimir o cupom: o servidor de impressão não responde (%1: %2).")
            .arg(QString::fromUtf8(cupsServer()), QString::fromLocal8Bit(std::strerror(errno)));
    }
    http_t* const http = conexao.get();

    const Destino destino(cupsGetNamedDest(http, nullptr, nullptr));
    if (!destino) {
        return falha(QStringLiteral("nenhuma impressora padrão está definida"));
    }

    const QByteArray nomeTrabalho = titulo.toUtf8();
    const int trabalho =
        cupsCreateJob(http, destino->name, nomeTrabalho.constData(), destino->num_options, destino->options);
    if (trabalho == 0) {
        return falha(QStringLiteral("a impressora %1 recusou o trabalho").arg(QString::fromUtf8(destino->name)));
    }
    if (cupsStartDocument(http, destino->name, trabalho, nomeTrabalho.constData(), CUPS_FORMAT_TEXT, 1) !=
        HTTP_STATUS_CONTINUE) {
        cupsCancelJob2(http, destino->name, trabalho, 0);
        return falha(QStringLiteral("o envio do cupom não pôde começar"));
    }
    const QByteArray documento = montaDocumento(linhas);
    const bool escreveu =
        cupsWriteRequestData(http, documento.constData(), size_t(documento.size())) == HTTP_STATUS_CONTINUE;
    // Finishing is needed even after a failed write: it ends the request.
    const bool fechou = cupsFinishDocument(http, destino->name) == IPP_STATUS_OK;
    if (!escreveu) {
        cupsCancelJob2(http, destino->name, trabalho, 0);
        return falha(QStringLiteral("o cupom não pôde ser enviado à impressora"));
    }
    if (!fechou) {
        return falha(QStringLiteral("a impressora não aceitou o fim do cupom"));
    }
    return {};
}

} // namespace platform::impressao
