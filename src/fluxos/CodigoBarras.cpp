#include "fluxos/CodigoBarras.h"

#include "library/KavexLibrary.h"
#include "platform/Win1252.h"

namespace fluxos {

int16_t validaCodigoBarras(KavexLibrary& biblioteca, const QString& codigo, int16_t& tipo) {
    const QByteArray digitos = platform::toWin1252(codigo);
    return biblioteca.ValidaCampoCodigoEmBarras(digitos.constData(), &tipo);
}

} // namespace fluxos
