#pragma once

// The program-wide state that the main window owns and that the start, the
// command loop, the finishing, the dialogs and the other transactions share.
// It lives for the whole run.

#include <QString>
#include <cstdint>

class KavexLibrary;
class CamposPrincipais;

struct EstadoConsole {
    int32_t Retorno = 0;
    // Continuation value sent with the next loop step: 0 carry on, 1 go back,
    // -1 end the function, 1000 the operator's alternative value.
    int32_t Continua = 0;
    QString DataFiscal;      // YYYYMMDD
    QString HoraFiscal;      // HHMMSS
    QString DataHoraExtenso; // " <weekday>-feira dd/mm/yyyy hh:nn:ss"
    QString DataTransacao;   // YYYYMMDD, recorded by the command loop
    QString HoraTransacao;   // HHMMSS, recorded with it
    // Vidalink flags: the other-transactions visit clears the three choices
    // at its start and reads all five to decide what runs after its menu.
    bool ConsVidalinkEscolhida = false;
    bool VendaVidalinkAtiva = false;
    bool CncVidalinkAtiva = false;
    bool ConsultaIniciada = false;
    bool ConsultaMaisProdutos = false;
    int32_t FuncaoPinpad = 0;
    bool ModoCorrespondente = false;
    QString TextoTrilha1;
    QString TextoTrilha2;
    QString TextoSenha;

    // The loaded payment client library; never null while the console runs.
    KavexLibrary* biblioteca = nullptr;
    // The main window's result and fiscal-receipt fields, for the windows that
    // write them; never null while the console runs.
    CamposPrincipais* principal = nullptr;
};

// Refreshes DataFiscal, HoraFiscal and DataHoraExtenso from the clock.
void dataehora(EstadoConsole& estado);
