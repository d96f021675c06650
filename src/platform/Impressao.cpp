#include "platform/Impressao.h"

#include "platform/ProfileFile.h"
#include "platform/ProgramDir.h"
#include "platform/Win1252.h"

#include <cups/cups.h>

#include <QFileInfo>
#include <QLibrary>
#include <QStringEncoder>

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
    X(cupsLastError)                                                                                                   \
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

struct NomeCodificacao {
    Codificacao codificacao;
    const char* configuracao; // as Config.ini names it
    const char* iana;         // as the converter and the print server name it
};

constexpr NomeCodificacao kCodificacoes[] = {
    {Codificacao::Utf8, "UTF-8", "UTF-8"},
    {Codificacao::Windows1252, "Windows-1252", "windows-1252"},
    {Codificacao::Cp850, "CP850", "IBM850"},
    {Codificacao::Cp860, "CP860", "IBM860"},
};

const NomeCodificacao& nomes(Codificacao codificacao) {
    for (const NomeCodificacao& n : kCodificacoes) {
        if (n.codificacao == codificacao) {
            return n;
        }
    }
    return kCodificacoes[0];
}

// One code point at a time, so one the code page lacks becomes a single "?"
// (the converter's own substitute is a control byte a printer may act on).
QByteArray emCodigoDePagina(QStringView texto, const char* nome) {
    QByteArray bytes;
    for (qsizetype i = 0; i < texto.size();) {
        const qsizetype tamanho = texto[i].isHighSurrogate() && i + 1 < texto.size() ? 2 : 1;
        QStringEncoder codificador(nome);
        const QByteArray caractere = codificador.encode(texto.mid(i, tamanho));
        bytes += codificador.hasError() || caractere.isEmpty() ? QByteArray("?") : caractere;
        i += tamanho;
    }
    return bytes;
}

QByteArray codifica(QStringView texto, Codificacao codificacao) {
    switch (codificacao) {
    case Codificacao::Utf8:
        return texto.toUtf8();
    case Codificacao::Windows1252:
        return toWin1252(texto);
    case Codificacao::Cp850:
    case Codificacao::Cp860:
        break;
    }
    return emCodigoDePagina(texto, nomes(codificacao).iana);
}

// Reasons the system (by its error number) and the print server (by its
// status) give, as the operator reads them.
template <class Codigo> struct Motivo {
    Codigo codigo;
    const char* texto;
};
constexpr Motivo<int> kMotivosSistema[] = {
    {ECONNREFUSED, "conexão recusada"},
    // What the print library reports for a server it could not reach at all.
    {EHOSTDOWN, "servidor fora do ar ou recusando conexões"},
    {ENOENT, "endereço inexistente"},
    {ETIMEDOUT, "tempo de espera esgotado"},
    {EHOSTUNREACH, "servidor inalcançável"},
    {ENETUNREACH, "rede inalcançável"},
    {EACCES, "acesso negado"},
    {EPERM, "acesso negado"},
    {ECONNRESET, "conexão interrompida pelo servidor"},
    {EPIPE, "conexão interrompida pelo servidor"},
};

constexpr Motivo<ipp_status_t> kMotivosIpp[] = {
    {IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS, "a fila não está aceitando trabalhos"},
    {IPP_STATUS_ERROR_NOT_FOUND, "a impressora não existe no servidor"},
    {IPP_STATUS_ERROR_FORBIDDEN, "acesso negado"},
    {IPP_STATUS_ERROR_NOT_AUTHORIZED, "autorização exigida"},
    {IPP_STATUS_ERROR_NOT_AUTHENTICATED, "autenticação exigida"},
    {IPP_STATUS_ERROR_DOCUMENT_FORMAT_NOT_SUPPORTED, "formato de documento não aceito"},
    {IPP_STATUS_ERROR_BUSY, "servidor ocupado"},
    {IPP_STATUS_ERROR_INTERNAL, "erro interno do servidor"},
    {IPP_STATUS_ERROR_SERVICE_UNAVAILABLE, "servidor indisponível"},
    {IPP_STATUS_ERROR_PRINTER_IS_DEACTIVATED, "impressora desativada"},
};

// The print library reports a system failure with the system's own text;
// that text is matched to give the reason in Portuguese.
QString motivo(const Cups& c) {
    const QString texto = QString::fromUtf8(c.cupsLastErrorString());
    for (const auto& m : kMotivosSistema) {
        if (texto == QString::fromLocal8Bit(std::strerror(m.codigo))) {
            return QString::fromUtf8(m.texto);
        }
    }
    const ipp_status_t status = c.cupsLastError();
    for (const auto& m : kMotivosIpp) {
        if (m.codigo == status) {
            return QString::fromUtf8(m.texto);
        }
    }
    return texto.isEmpty() ? QStringLiteral("motivo desconhecido") : texto;
}

// One job on an open connection; the reason of a failure, or empty.
class Trabalho {
public:
    Trabalho(const Cups& c, http_t* http, const Envio& envio) : c_(c), http_(http), envio_(envio) {}

    QString envia(const QStringList& linhas, const QString& titulo) {
        cups_dest_t* const destino = c_.cupsGetNamedDest(http_, nullptr, nullptr);
        if (!destino) {
            return QStringLiteral("nenhuma impressora padrão está definida no servidor de impressão %1")
                .arg(QString::fromUtf8(c_.cupsServer()));
        }
        const QString falha = envia(*destino, linhas, titulo);
        c_.cupsFreeDests(1, destino);
        return falha;
    }

private:
    QString envia(const cups_dest_t& destino, const QStringList& linhas, const QString& titulo) {
        const QString impressora = QString::fromUtf8(destino.name);
        const QByteArray nomeTrabalho = titulo.toUtf8();
        const int trabalho =
            c_.cupsCreateJob(http_, destino.name, nomeTrabalho.constData(), destino.num_options, destino.options);
        if (trabalho == 0) {
            return QStringLiteral("a impressora %1 recusou o trabalho (%2)").arg(impressora, motivo(c_));
        }
        const QByteArray formato =
            QByteArrayLiteral("text/plain;charset=") + QByteArray(nomes(envio_.codificacao).iana).toLower();
        if (c_.cupsStartDocument(http_, destino.name, trabalho, nomeTrabalho.constData(), formato.constData(), 1) !=
            HTTP_STATUS_CONTINUE) {
            const QString falha =
                QStringLiteral("a impressora %1 não aceitou o início do cupom (%2)").arg(impressora, motivo(c_));
            c_.cupsCancelJob2(http_, destino.name, trabalho, 0);
            return falha;
        }
        if (envio_.documentoIniciado) {
            envio_.documentoIniciado();
        }
        const QByteArray bytes = documento(linhas, envio_.codificacao);
        const bool escreveu =
            c_.cupsWriteRequestData(http_, bytes.constData(), size_t(bytes.size())) == HTTP_STATUS_CONTINUE;
        const QString falhaDaEscrita = escreveu ? QString() : motivo(c_);
        // Finishing is needed even after a failed write: it ends the request.
        const bool fechou = c_.cupsFinishDocument(http_, destino.name) == IPP_STATUS_OK;
        if (!escreveu) {
            c_.cupsCancelJob2(http_, destino.name, trabalho, 0);
            return QStringLiteral("o envio do cupom à impressora %1 falhou (%2)").arg(impressora, falhaDaEscrita);
        }
        if (!fechou) {
            return QStringLiteral("a impressora %1 não aceitou o fim do cupom (%2)").arg(impressora, motivo(c_));
        }
        return {};
    }

    const Cups& c_;
    http_t* const http_;
    const Envio& envio_;
};

} // namespace

bool codificacaoPorNome(const QString& nome, Codificacao& codificacao) {
    for (const NomeCodificacao& n : kCodificacoes) {
        if (nome.compare(QLatin1String(n.configuracao), Qt::CaseInsensitive) == 0) {
            codificacao = n.codificacao;
            return true;
        }
    }
    return false;
}

QByteArray documento(const QStringList& linhas, Codificacao codificacao) {
    QByteArray bytes;
    for (const QString& linha : linhas) {
        bytes += codifica(linha, codificacao);
        bytes += "\r\n";
    }
    return bytes;
}

namespace {

QString envia(const QStringList& linhas, const QString& titulo, const Envio& envio) {
    QString erro;
    const Cups* const c = cups(erro);
    if (!c) {
        return QStringLiteral("a biblioteca de impressão não pôde ser carregada (%1)").arg(erro);
    }
    // Forget the server and connection of an earlier job, so CUPS_SERVER and
    // the client configuration are read again for this one.
    c->cupsSetServer(nullptr);

    http_t* const http = c->httpConnect2(c->cupsServer(), c->ippPort(), nullptr, AF_UNSPEC, c->cupsEncryption(), 1,
                                         kEsperaConexaoMs, nullptr);
    if (!http) {
        const QString servidor = QString::fromUtf8(c->cupsServer());
        // The print library tells every unreachable server alike; a local
        // socket that is not there at all is worth naming as such.
        const bool soqueteAusente = servidor.startsWith(u'/') && !QFileInfo::exists(servidor);
        return QStringLiteral("o servidor de impressão %1 não responde (%2)")
            .arg(servidor, soqueteAusente ? QStringLiteral("endereço inexistente") : motivo(*c));
    }
    const QString falha = Trabalho(*c, http, envio).envia(linhas, titulo);
    c->httpClose(http);
    return falha;
}

} // namespace

QString imprimeTexto(const QStringList& linhas, const QString& titulo, const Envio& envio) {
    const QString falha = envia(linhas, titulo, envio);
    return falha.isEmpty() ? falha : falha + u'.';
}

QString imprimeTexto(const QStringList& linhas, const QString& titulo) {
    const QString nome = ProfileFile(programdir::filePath(QStringLiteral("Config.ini")))
                             .readString(u"Impressao", u"Codificacao", QStringLiteral("UTF-8"));
    Envio envio;
    if (!codificacaoPorNome(nome.trimmed(), envio.codificacao)) {
        return QStringLiteral("a codificação \"%1\" escolhida em Config.ini não é conhecida.").arg(nome);
    }
    return imprimeTexto(linhas, titulo, envio);
}

} // namespace platform::impressao
