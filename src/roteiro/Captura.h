#pragma once

// Values one case finds and later cases use: a case's "save" names a pattern
// with one group, matched against what the case showed (trace lines,
// messages, receipts); a later case's start and answers may hold ${NAME}.

#include "roteiro/Roteiro.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace roteiro {

using Capturas = QHash<QString, QString>;

// Why a name and pattern cannot be used (empty when they can): a name of
// letters, digits and "_", a valid pattern with exactly one group.
QString erroCaptura(const QString& nome, const QString& padrao);

// Every ${NAME} in the texts of the case's start and answers replaced by its
// value; the first name not captured yet, if any (the case is then not run).
std::optional<QString> substituiCapturas(Caso& caso, const Capturas& valores);

// The group of the first line each pattern matches, into `valores`; the
// first name whose pattern matched nothing, if any.
std::optional<QString> capturaValores(const Caso& caso, const QStringList& linhas, Capturas& valores);

} // namespace roteiro
