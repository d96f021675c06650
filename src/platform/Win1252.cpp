#include "platform/Win1252.h"

#include <algorithm>
#include <cstring>

namespace platform {
namespace {

// Bytes 0x80-0x9F. The five bytes the code page leaves undefined map to the
// C1 control with the same number, so that every byte survives a round trip.
constexpr char16_t highControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98-9F
};

char16_t decodeByte(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F)
        return highControls[byte - 0x80];
    return byte;
}

// Returns '?' for anything the code page cannot hold.
char encodeUnit(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(unit);
    const auto* end = std::end(highControls);
    const auto* found = std::find(std::begin(highControls), end, unit);
    if (found == end)
        return '?';
    return static_cast<char>(0x80 + (found - std::begin(highControls)));
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
