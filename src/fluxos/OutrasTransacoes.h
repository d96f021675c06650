#pragma once

// The other-transactions visit:
// the menu, the Vidalink hand-over to the command loop and the PBM
// consultation. The command loop runs only after a start answered 10000.

#include "fluxos/Operador.h"

#include <QString>

#include <functional>

class KavexLibrary;
struct EstadoConsole;

namespace fluxos {

class OutrasTransacoes {
public:
    // `laco` carries a started function through the command loop to its end,
    // leaving its result in EstadoConsole::Retorno.
    OutrasTransacoes(EstadoConsole& estado, KavexLibrary& biblioteca, OperadorLaco& operador,
                     std::function<void()> laco);

    // Puts another run in the command loop's place (tests decide how each
    // run ends); an empty function gives the loop given at construction back.
    void substituiLaco(std::function<void()> laco) { substituto_ = std::move(laco); }

    // The whole visit, from the menu to what it leaves to run. `cupomFiscal`
    // is the main window's; an empty one is filled in for the PBM
    // consultation.
    void visita(const QString& cupomFiscal);

private:
    void repassaVidalink(bool iniciada);
    void consultaPBM(const QString& cupomFiscal);
    void executaLaco();

    EstadoConsole& estado_;
    KavexLibrary& biblioteca_;
    OperadorLaco& operador_;
    std::function<void()> laco_;
    std::function<void()> substituto_;
};

} // namespace fluxos
