#pragma once

// What an unattended run reports: TAP on the standard output as the cases
// end, and a JUnit XML file for CI tools that read it.

#include "roteiro/Execucao.h"

#include <QString>

#include <vector>

namespace roteiro {

// "1..N".
QString planoTap(int casos);
// "ok N - name", or "not ok N - name" and the reason as a diagnostic line.
QString linhaTap(int numero, const ResultadoCaso& resultado);

// The JUnit XML document of a run of the script `arquivo`.
QByteArray relatorioJUnit(const QString& arquivo, const std::vector<ResultadoCaso>& resultados);
// Written whole or not at all; false with `erro` filled when it cannot be.
bool gravaRelatorio(const QString& caminho, const QByteArray& conteudo, QString& erro);

} // namespace roteiro
