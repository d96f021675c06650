#pragma once

// Reading whole numbers that the operator typed, the way the toolkit the
// console was first written in reads them: optional leading blanks, an
// optional sign, then decimal digits, or hexadecimal digits after "$", "x",
// "X", "0x" or "0X". Nothing may follow the digits.

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace platform::numeros {

// The number, or nothing when the text is not a whole number of 32 bits.
// Hexadecimal takes all 32 bits, so "$FFFFFFFF" is -1; a decimal number must
// lie within the signed range.
std::optional<int32_t> leInteiro(QStringView texto);

// The toolkit's conversion error for a text that is not a number.
QString mensagemInvalido(const QString& texto);

// The number, or `padrao` when the text is not one.
int32_t StrToIntDef(QStringView texto, int32_t padrao);

} // namespace platform::numeros
