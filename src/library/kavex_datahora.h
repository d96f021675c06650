#pragma once

// The arguments (counted from 0) that carry the fiscal date and time a run
// sends with each function: they change from run to run, so playback and
// the comparison of two recordings leave them aside.

#include <cstring>

struct KavexDataHora {
    const char* funcao;
    int data;
    int hora;
};

inline constexpr KavexDataHora kKavexDataHora[] = {
    {"IniciaFuncaoKavexInterativo", 3, 4},
    {"IniciaFuncaoAAKavexInterativo", 3, 4},
    {"CorrespondenteBancarioKavexInterativo", 1, 2},
    {"FinalizaTransacaoKavexInterativo", 2, 3},
    {"FinalizaFuncaoKavexInterativo", 2, 3},
    {"FinalizaTransacaoIdentificadaKavex", 3, 4},
    {"IniciaFuncaoKavexInterativoConsultaPBM", 3, 4},
    {"IniciaFuncaoKavexInterativoConsultaVidalink", 3, 4},
    {"IniciaFuncaoKavexInterativoVendaVidalink", 3, 4},
    {"IniciaFuncaoKavexInterativoCancelamentoVidalink", 7, 8},
    {"EnviaRecebeKavexDireto", 10, 11},
};

// Whether argument `indice` of `funcao` is its fiscal date or time.
inline bool kavexArgumentoDataHora(const char* funcao, int indice) {
    for (const KavexDataHora& d : kKavexDataHora) {
        if (std::strcmp(d.funcao, funcao) == 0) {
            return indice == d.data || indice == d.hora;
        }
    }
    return false;
}
