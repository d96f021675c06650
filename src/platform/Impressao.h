#pragma once

// Plain-text printing: one job to the system's default printer.

#include <QString>
#include <QStringList>

namespace platform::impressao {

// Sends `linhas` as one text/plain job to the default printer, each line
// followed by CR LF, as Windows-1252 bytes. Returns an empty text when the
// job was accepted, else the reason, fit to show to the operator.
QString imprimeTexto(const QStringList& linhas, const QString& titulo);

} // namespace platform::impressao
