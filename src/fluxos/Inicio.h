#pragma once

// Starting a function: the kind chosen in the two transaction
// groups, the direct pinpad function chosen in the pinpad functions window,
// the bar-code check. Given the main window's fields as they stand, it fills
// in the defaults, makes the start call and any direct pinpad call, and
// leaves the result in EstadoConsole::Retorno; a start answered with 10000 is
// for the caller to carry on in the command loop.

#include "fluxos/Operador.h"

#include <QString>

#include <cstdint>

class KavexLibrary;
struct EstadoConsole;

namespace fluxos {

// The main window's fields, read when "&Realiza Transação" is pressed.
struct CamposInicio {
    // Items of the two transaction groups (-1: none selected).
    enum : int { TEF = 0, AutoAtendimento = 1 };
    enum : int { CorrespondenteBancario = 0, ValidaCodigoBarras = 1 };
    int grupoTEF = -1;
    int grupoCB = -1;
    QString funcao;           // "Função:", as typed
    QString valor;            // "Valor:"
    QString cupomFiscal;      // "Cupom Fiscal:"
    QString hora;             // "Hora:"; empty means now
    QString restricoes;       // as montaRestricoes or the typed text gives them
    int32_t funcaoPinpad = 0; // the pinpad function chosen, 0 for none
};

// Values of EstadoConsole::FuncaoPinpad.
enum FuncaoDireta : int32_t {
    kVerificaPinpad = 1,
    kLeCartaoInterativo,
    kLeCartaoDireto,
    kLeCartaoDiretoEx,
    kEscreveMsgPinpad,
    kLeSenhaInterativo,
    kLeSenhaDireto,
    kLeSimNaoPinpad,
    kLeTrilha3,
};

// "Botões": the ticked codes in list order, as "[10;15;26]" ("[]" when none
// is ticked).
QString montaRestricoes(const QStringList& marcadas);

// False when "Função:" holds no whole number: the conversion error was shown
// and nothing was started. Otherwise the start (and any direct pinpad call)
// was made and EstadoConsole::Retorno holds its result.
bool iniciaFuncao(const CamposInicio& campos, EstadoConsole& estado, KavexLibrary& biblioteca, OperadorLaco& operador);

} // namespace fluxos
