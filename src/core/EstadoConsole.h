#pragma once

// The program-wide state that the main window owns and that the start, the
// command loop, the finishing, the dialogs and the other transactions share.
// It lives for the whole run. It holds values only: the library and the
// windows are handed to whoever needs them.

#include <QString>
#include <cstdint>

struct EstadoConsole {
    int32_t Retorno = 0;
    QString DataFiscal;      // YYYYMMDD
    QString HoraFiscal;      // HHMMSS
    QString DataHoraExtenso; // " <weekday>-feira dd/mm/yyyy hh:nn:ss"
    QString DataTransacao;   // YYYYMMDD, recorded by the command loop
    QString HoraTransacao;   // HHMMSS, recorded with it
    int32_t FuncaoPinpad = 0;
    bool ModoCorrespondente = false;
    QString TextoTrilha1;
    QString TextoTrilha2;
    QString TextoSenha;
};

// Refreshes DataFiscal, HoraFiscal and DataHoraExtenso from the clock.
void dataehora(EstadoConsole& estado);
