#pragma once

// The library's check of a bill's bar code or typed line, whole or as far as
// it has been typed.

#include <QString>

#include <cstdint>

class KavexLibrary;

namespace fluxos {

// ValidaCampoCodigoEmBarras on `codigo`: 0 valid so far, 1 to 4 the block in
// error, 5 wrong as a whole. `tipo` goes in as it stands and comes back as
// the library left it (0 collection, 1 bank bill): a caller that does not
// reset it keeps the last type when the library writes none.
int16_t validaCodigoBarras(KavexLibrary& biblioteca, const QString& codigo, int16_t& tipo);

} // namespace fluxos
