#pragma once

// Confirming or undoing a transaction by hand, with the
// confirmation panel: plainly, with additional parameters, or identified by a
// function number.

#include "fluxos/Operador.h"

#include <QString>

#include <cstdint>
#include <optional>

class KavexLibrary;
struct EstadoConsole;

namespace fluxos {

// The confirmation panel's fields and the configuration's switch.
struct CamposConfirmacao {
    QString cupomFiscal;        // the panel's "Cupom Fiscal:"
    QString hora;               // the panel's "Hora:"
    int opcao = -1;             // the finishing choice's item (0 undo, 1 confirm), -1 none
    bool comParametros = false; // the additional-parameters confirmation is on
};

// "Co&nfirmação": FinalizaTransacaoKavexInterativo, or
// FinalizaFuncaoKavexInterativo with the parameters the operator types when
// the switch is on and the operator says so. Both return the finishing
// call's result (the window ignores it), nothing when nothing was sent.
std::optional<int32_t> confirmaManual(const CamposConfirmacao& campos, EstadoConsole& estado, KavexLibrary& biblioteca,
                                      OperadorLaco& operador);

// "Confirmação &Id": FinalizaTransacaoIdentificadaKavex with the function
// number (decimal, or hexadecimal after "$", "x" or "0x") and the data typed.
std::optional<int32_t> confirmaIdentificada(const CamposConfirmacao& campos, EstadoConsole& estado,
                                            KavexLibrary& biblioteca, OperadorLaco& operador);

// The function number must be positive in its low 16 bits; the whole number is
// what the library receives.
bool funcaoValida(const QString& texto, int32_t& funcao);

} // namespace fluxos
