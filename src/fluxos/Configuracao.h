#pragma once

// Configuring the library with the server address, the store code and the
// terminal code. The window becomes configured whatever the answer: a
// refused configuration is only its result code.

#include <QString>

#include <cstdint>

class KavexLibrary;
struct EstadoConsole;

namespace fluxos {

struct CamposConfiguracao {
    QString endereco; // "IP Kavex:"
    QString empresa;  // "Empresa:"
    QString terminal; // "Terminal:"
};

// ConfiguraIntKavexInterativo; its result is left in EstadoConsole::Retorno
// and returned.
int32_t configura(const CamposConfiguracao& campos, EstadoConsole& estado, KavexLibrary& biblioteca);

} // namespace fluxos
