#pragma once

// One raw request to the payment server: the header fields as typed, the
// request's lines packed into the send buffer, EnviaRecebeKavexDireto, and
// the listing of what came back.

#include <QString>
#include <QStringList>

#include <cstdint>

class KavexLibrary;

namespace fluxos {

// The direct transaction window's fields, as typed.
struct CamposDireta {
    QString rede;          // "Rede Destino:"
    QString funcao;        // "Função Kavex:"
    QString offset;        // "Off-set cartão:"
    int tipoTransacao = 0; // 0 "Sem Desfazimento", 1 "Com Desfazimento"
    QString cupomFiscal;
    QString dataFiscal;
    QString horario;
    QString operador;
    QString timeout;
    QStringList linhas; // "TX:", one parameter a line
};

// The fields as every showing starts: the network, function and offset
// empty, the rest with their defaults and the current date and time.
CamposDireta camposDiretaPadrao();

// Fills each empty field (blanks only count as empty) with its default, the
// network first; false, with nothing else filled, when the function is
// empty.
bool VerificaCampos(CamposDireta& campos);

struct RespostaDireta {
    // False when the lines do not fit the send buffer: nothing was sent.
    bool enviada = false;
    int32_t resultado = 0;
    int16_t codigoResposta = 0;
    // "RX:": the four header lines, then the reply bytes in lines of 40.
    QStringList linhas;
};

// Packs the lines, sends the request and lists the reply. Numbers that are
// no whole numbers go as 0 (the time-out as its default), silently.
RespostaDireta enviaDireta(const CamposDireta& campos, KavexLibrary& biblioteca);

} // namespace fluxos
