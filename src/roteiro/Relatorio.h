#pragma once

// What an unattended run reports: TAP (version 13) on the standard output as
// the cases end, and a JUnit XML file for CI tools that read it. Both say
// the same: a case that did not pass is "not ok" and a failure or an error.

#include "roteiro/Execucao.h"

#include <QDateTime>
#include <QString>

#include <vector>

namespace roteiro {

// "TAP version 13" and "1..N".
QString planoTap(int casos);
// "ok N - name", or "not ok N - name" and the reason as a diagnostic line;
// "#" and "\" in the name escaped, so no name reads as a directive.
QString linhaTap(int numero, const ResultadoCaso& resultado);
// The closing diagnostic: how many cases passed, failed, erred, were not run.
QString resumoTap(const std::vector<ResultadoCaso>& resultados);
// "Bail out!" and why the run stopped before its end.
QString abandonoTap(const QString& motivo);

// The whole run as JUnit XML: the script `arquivo`, when the run started.
struct DadosExecucao {
    QString arquivo;
    QDateTime inicio;
    QString maquina;
};
QByteArray relatorioJUnit(const DadosExecucao& execucao, const std::vector<ResultadoCaso>& resultados);
// What the report says while the run goes on: the first case an error ("a
// execução não terminou"), the others not run. A run killed outright leaves
// this, never an older run's report.
std::vector<ResultadoCaso> resultadosProvisorios(const Roteiro& roteiro);
// Written whole or not at all; false with `erro` filled when it cannot be.
bool gravaRelatorio(const QString& caminho, const QByteArray& conteudo, QString& erro);

} // namespace roteiro
