// Every byte string round-trips through text; every text converts without
// failing, one byte per code point; fixed buffers are never overrun and
// always end in a zero.

#include "platform/Win1252.h"

#include <QList>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QByteArrayView ateZero = bytes.first(std::min<qsizetype>(bytes.size(), qstrnlen(bytes.data(), bytes.size())));

    const QString texto = platform::fromWin1252(bytes);
    if (platform::toWin1252(texto) != ateZero.toByteArray()) {
        abort();
    }

    // The same bytes read as UTF-16 code units: any text, surrogates included.
    const QString qualquer(reinterpret_cast<const QChar*>(data), qsizetype(size / 2));
    const QByteArray convertido = platform::toWin1252(qualquer);
    if (convertido.size() != qualquer.toUcs4().size()) {
        abort();
    }

    const size_t capacidade = size == 0 ? 0 : data[0] % 64;
    auto buffer = std::make_unique<char[]>(capacidade + 1);
    buffer[capacidade] = '\x7f';
    const size_t copiados = platform::copyToBuffer(buffer.get(), capacidade, qualquer);
    if (buffer[capacidade] != '\x7f' || (capacidade > 0 && (copiados >= capacidade || buffer[copiados] != '\0'))) {
        abort();
    }
    return 0;
}
