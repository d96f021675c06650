#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstddef>

// The library and the configuration files speak Windows-1252; every text that
// crosses to or from them is converted here and nowhere else.
namespace platform {

// Characters the code page cannot hold become "?" (one per code point), so the
// conversion never fails.
QByteArray toWin1252(QStringView text);

// Both read up to the first zero byte, as the library's strings end there.
QString fromWin1252(const char* text);
QString fromWin1252(QByteArrayView bytes);
// Without this a QByteArray argument would be ambiguous between the two above.
inline QString fromWin1252(const QByteArray& bytes) {
    return fromWin1252(QByteArrayView(bytes));
}

// Copy into a fixed buffer of `size` bytes, truncated so that the terminating
// zero always fits. Writes nothing when size is 0. Returns the number of text
// bytes copied (the terminator not counted).
size_t copyToBuffer(char* buffer, size_t size, QStringView text);
size_t copyToBuffer(char* buffer, size_t size, QByteArrayView bytes);

} // namespace platform
