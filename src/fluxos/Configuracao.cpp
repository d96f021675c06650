#include "fluxos/Configuracao.h"

#include "core/EstadoConsole.h"
#include "library/KavexLibrary.h"
#include "platform/Win1252.h"

namespace fluxos {

namespace {
// The fourth argument is reserved and always 0.
constexpr int32_t kReservado = 0;
} // namespace

int32_t configura(const CamposConfiguracao& campos, EstadoConsole& estado, KavexLibrary& biblioteca) {
    const QByteArray endereco = platform::toWin1252(campos.endereco);
    const QByteArray empresa = platform::toWin1252(campos.empresa);
    const QByteArray terminal = platform::toWin1252(campos.terminal);
    estado.Retorno = biblioteca.ConfiguraIntKavexInterativo(endereco.constData(), empresa.constData(),
                                                            terminal.constData(), kReservado);
    return estado.Retorno;
}

} // namespace fluxos
