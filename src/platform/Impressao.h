#pragma once

// Plain-text printing: one job to the system's default printer.

#include <QString>
#include <QStringList>

#include <functional>

namespace platform::impressao {

// The bytes the printer gets. A CUPS text queue reads UTF-8; a receipt
// printer on a raw queue prints the bytes of its own code page.
enum class Codificacao { Utf8, Windows1252, Cp850, Cp860 };

// The code page named in Config.ini ("UTF-8", "Windows-1252", "CP850",
// "CP860", letter case ignored); false when the name is none of these.
bool codificacaoPorNome(const QString& nome, Codificacao& codificacao);

// Each line followed by CR LF, in the code page; a character the code page
// cannot hold becomes "?".
QByteArray documento(const QStringList& linhas, Codificacao codificacao);

struct Envio {
    Codificacao codificacao = Codificacao::Utf8;
    // Called once the server has taken the start of the document, before
    // its text goes out.
    std::function<void()> documentoIniciado;
};

// Sends `linhas` as one text/plain job, its charset declared, to the default
// printer. Returns an empty text when the job was accepted, else the reason
// as the end of a sentence in Portuguese (naming the printer or server),
// fit to follow "O cupom não foi impresso: ".
QString imprimeTexto(const QStringList& linhas, const QString& titulo, const Envio& envio);

// The same with the code page chosen in Config.ini ([Impressao]
// Codificacao=), UTF-8 when none is chosen.
QString imprimeTexto(const QStringList& linhas, const QString& titulo);

} // namespace platform::impressao
