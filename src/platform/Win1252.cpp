#include "platform/Win1252.h"
#include "platform/Win1252Tabela.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

char16_t decodeByte(unsigned char byte) {
    return win1252::decodifica(byte);
}

// Returns '?' for anything the code page cannot hold.
char encodeUnit(char16_t unit) {
    return win1252::codifica(unit);
}

} // namespace

QByteArray toWin1252(QStringView text) {
    QByteArray bytes;
    bytes.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text[i];
        // A surrogate pair is one character outside the code page: one "?".
        if (unit.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        bytes.append(encodeUnit(unit.unicode()));
    }
    return bytes;
}

QString fromWin1252(const char* text) {
    if (text == nullptr)
        return {};
    return fromWin1252(QByteArrayView(text, static_cast<qsizetype>(std::strlen(text))));
}

QString fromWin1252(QByteArrayView bytes) {
    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0)
        bytes = bytes.first(zero);
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes)
        *out++ = QChar(decodeByte(static_cast<unsigned char>(byte)));
    return text;
}

size_t copyToBuffer(char* buffer, size_t size, QStringView text) {
    return copyToBuffer(buffer, size, QByteArrayView(toWin1252(text)));
}

size_t copyToBuffer(char* buffer, size_t size, QByteArrayView bytes) {
    if (buffer == nullptr || size == 0)
        return 0;
    const size_t count = std::min(static_cast<size_t>(bytes.size()), size - 1);
    if (count > 0)
        std::memcpy(buffer, bytes.data(), count);
    buffer[count] = '\0';
    return count;
}

} // namespace platform
