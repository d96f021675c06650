#pragma once

// The other-transactions visit: the menu, the Vidalink hand-over to the
// command loop (a sale or cancellation started in the windows, the
// consultation's steps) and the PBM consultation. The command loop runs only
// after a start answered 10000.

#include "fluxos/Operador.h"

#include <QString>

#include <functional>

class KavexLibrary;
struct EstadoConsole;

namespace fluxos {

class OutrasTransacoes {
public:
    // `laco` carries a started function through the command loop to its end,
    // leaving its result in EstadoConsole::Retorno; its argument says the
    // function is a Vidalink consultation (whose consultation screen is
    // titled so).
    using Laco = std::function<void(bool consultaVidalink)>;
    OutrasTransacoes(EstadoConsole& estado, KavexLibrary& biblioteca, OperadorLaco& operador, Laco laco);

    // Puts another run in the command loop's place (tests decide how each
    // run ends); an empty function gives the loop given at construction back.
    void substituiLaco(Laco laco) { substituto_ = std::move(laco); }

    // The whole visit, from the menu to what it leaves to run. `cupomFiscal`
    // is the main window's; an empty one is filled in for the PBM
    // consultation.
    void visita(const QString& cupomFiscal);

private:
    void repassaVidalink(const OperadorLaco::Visita& menu, fluxos::ConsultaVidalink& consulta);
    void repassaConsulta(fluxos::ConsultaVidalink& consulta);
    void consultaPBM(const QString& cupomFiscal);
    void executaLaco(bool consultaVidalink = false);

    EstadoConsole& estado_;
    KavexLibrary& biblioteca_;
    OperadorLaco& operador_;
    Laco laco_;
    Laco substituto_;
};

} // namespace fluxos
