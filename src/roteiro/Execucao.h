#pragma once

// An unattended run: the library configured as the script says, then each
// case carried through the real flows (the start, the command loop, the
// finishing) with a scripted operator, and judged against what it expects.
// The cases share the library and the console's state, as an operator's
// session does: a sale left pending is undone by the next start.

#include "core/EstadoConsole.h"
#include "roteiro/Captura.h"
#include "roteiro/Roteiro.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class KavexLibrary;

namespace roteiro {

// Failed: the case ran and did something else than expected. Erro: it
// could not be judged (its time ran out, the run was stopped, the library
// was lost, an answer did not fit its question). NaoExecutado: the run
// ended before it.
enum class Veredito { Passou, Falhou, Erro, NaoExecutado };

struct ResultadoCaso {
    QString nome;
    Veredito veredito = Veredito::NaoExecutado;
    QString motivo; // why it did not pass
    double segundos = 0;
    // What a certifier keeps: the trace lines, messages and receipts, in order.
    QStringList evidencias;
    bool passou() const { return veredito == Veredito::Passou; }
};

class Execucao {
public:
    // `aoTerminar` hears of each case as soon as it is judged.
    Execucao(const Roteiro& roteiro, KavexLibrary& biblioteca,
             std::function<void(int numero, const ResultadoCaso&)> aoTerminar = {});

    // Configures the library as the script says (when it says); executa()
    // does it first unless done already.
    void configura();
    // Runs every case and gives one result per case of the script; stops at
    // an answer of the wrong kind for its question, whose message
    // erroRoteiro() then gives (the function was ended first), or when the
    // run is interrupted. The cases not reached are NaoExecutado.
    std::vector<ResultadoCaso> executa();
    // Why the run stopped before its last case, if it did.
    const std::optional<QString>& parada() const { return parada_; }
    // The result of configuring the library, when the run did.
    std::optional<int32_t> configuracao() const { return configuracao_; }
    const std::optional<QString>& erroRoteiro() const { return erroRoteiro_; }
    // Asked before and during each case; once true, the case in progress
    // ends its function and no other case starts.
    void defineInterrupcao(std::function<bool()> interrompida) { interrompida_ = std::move(interrompida); }
    bool interrompida() const { return interrompida_ && interrompida_(); }

private:
    ResultadoCaso executaCaso(const Caso& caso);

    const Roteiro& roteiro_;
    KavexLibrary& biblioteca_;
    std::function<void(int, const ResultadoCaso&)> aoTerminar_;
    EstadoConsole estado_;
    std::function<bool()> interrompida_;
    std::optional<int32_t> configuracao_;
    // The configuration in force: the script's, then the last "Configura"
    // case's.
    Configuracao configuracaoAtual_;
    // What the cases' "save" found, by name.
    Capturas capturas_;
    std::optional<QString> erroRoteiro_;
    std::optional<QString> parada_;
};

} // namespace roteiro
