#pragma once

// The direct transaction's request and reply as bytes: the typed lines packed
// into the send buffer, and the reply listed in fixed-width lines. No widgets
// here, so every layout rule can be checked on its own.

#include "library/kavex.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>

namespace trndireta {

inline constexpr int kTamBuffer = KAVEX_TAM_RESPOSTA_DIRETA;
inline constexpr int kColunasRetorno = 40;
// What the operator types for the EOT byte.
inline constexpr char kMarcaEot = '*';
inline constexpr char kEot = 0x04;

// The lines of a multi-line box as an editor counts them: a line break ends a
// line, so a final break adds no empty line and an empty box has no lines.
QStringList linhasDoTexto(const QString& texto);

// Bytes the lines take once packed: each line's Windows-1252 bytes and a zero.
int tamanhoEmpacotado(const QStringList& linhas);

// Zeroes `BufferEnvio`, then writes each line's Windows-1252 bytes followed by
// a zero byte, and turns every "*" of the written data into EOT. Returns the
// number of bytes written, or -1 (with the buffer left zeroed) when the lines
// do not fit.
int MontaBufferEnvio(const QStringList& linhas, std::span<char> BufferEnvio);

// A network the library reaches by itself: a direct call to it is never sent,
// and its 11 is a result, not the length of a reply.
bool redeDaBiblioteca(int16_t rede);
inline constexpr int32_t kRetornoRedeDaBiblioteca = 11;

// The first `resultado` bytes of the reply (never more than the buffer holds;
// none when `resultado` is 0 or negative, nor for the 11 of a network the
// library reaches by itself) in lines of 40 characters, the last one shorter. Each byte is one character: Windows-1252
// as it is, and a byte below 32 as its control picture (U+2400 + byte: a zero is U+2400, EOT U+2404), so columns stay
// aligned and nothing is hidden.
QStringList MontaRetorno(int32_t resultado, int16_t rede, std::span<const char> BufferRetorno);

// Whether `c` is the control picture of a reply byte below 32.
bool figuraDeControle(QChar c);

} // namespace trndireta
