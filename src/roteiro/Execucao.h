#pragma once

// An unattended run: the library configured as the script says, then each
// case carried through the real flows (the start, the command loop, the
// finishing) with a scripted operator, and judged against what it expects.
// The cases share the library and the console's state, as an operator's
// session does: a sale left pending is undone by the next start.

#include "core/EstadoConsole.h"
#include "roteiro/Roteiro.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class KavexLibrary;

namespace roteiro {

struct ResultadoCaso {
    QString nome;
    bool passou = false;
    QString motivo; // why it failed
    double segundos = 0;
    // The library's host ended during the case (crash, time-out, signal):
    // an error of the run rather than a wrong answer; `motivo` names the call.
    bool erro = false;
};

class Execucao {
public:
    // `aoTerminar` hears of each case as soon as it is judged.
    Execucao(const Roteiro& roteiro, KavexLibrary& biblioteca,
             std::function<void(int numero, const ResultadoCaso&)> aoTerminar = {});

    // Configures the library as the script says (when it says); executa()
    // does it first unless done already.
    void configura();
    // Runs every case; stops at an answer of the wrong kind for its question,
    // whose message erroRoteiro() then gives (the function was ended first).
    std::vector<ResultadoCaso> executa();
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
    std::optional<QString> erroRoteiro_;
};

} // namespace roteiro
