#pragma once

// A whole number typed by the operator, read as platform/Numeros.h reads it,
// with the toolkit's conversion error shown in a box when it is none.

#include <QString>

#include <cstdint>

class QWidget;

namespace platform::numeros {

// Reads `texto` into `valor`; when it is no number, shows the conversion
// error in an error box owned by `dono` and returns false, leaving `valor`.
bool StrToInt(const QString& texto, int32_t& valor, QWidget* dono = nullptr);

} // namespace platform::numeros
