#pragma once

#include <QString>
#include <QStringView>

#include <stdexcept>

namespace platform {

// Raised when a profile file cannot be written; the file on disk is then as it
// was before the write.
class ProfileWriteError : public std::runtime_error {
public:
    explicit ProfileWriteError(const QString& path);
    QString message() const;
};

// A private-profile (INI) file with the lookup and update rules of the Windows
// profile functions. Nothing is cached: every call goes to the disk, so edits
// made by other programs between calls are seen. The file's text is
// Windows-1252.
class ProfileFile {
public:
    explicit ProfileFile(QString path);

    const QString& path() const { return m_path; }

    // Section and key names ignore letter case. A missing file, section or key
    // gives the default.
    QString readString(QStringView section, QStringView key, const QString& defaultValue = {}) const;
    // Decimal with an optional sign, or "0x" and hexadecimal digits; anything
    // else, or a value outside the int range, gives the default.
    int readInteger(QStringView section, QStringView key, int defaultValue) const;

    // Creates file, section and key as needed and leaves every other line of
    // the file byte for byte as it was. Throws ProfileWriteError on failure.
    void writeString(QStringView section, QStringView key, QStringView value);

    bool fileExists() const;

private:
    QString m_path;
};

} // namespace platform
