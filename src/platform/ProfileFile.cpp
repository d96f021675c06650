#include "platform/ProfileFile.h"

#include "platform/Win1252.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>

#include <limits>
#include <optional>
#include <utility>

namespace platform {
namespace {

// A line as raw bytes, so that lines we do not change are written back
// exactly as they were read.
struct Line {
    QByteArray text; // without its line ending
    QByteArray eol;  // "\r\n", "\n", or empty for a last line without one
};

struct Document {
    QList<Line> lines;
    QByteArray newline = "\r\n"; // ending for lines we add
};

Document parse(const QByteArray& bytes) {
    Document doc;
    bool newlineSeen = false;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype lf = bytes.indexOf('\n', start);
        if (lf < 0) {
            doc.lines.append({bytes.sliced(start), {}});
            break;
        }
        const bool crlf = lf > start && bytes[lf - 1] == '\r';
        const qsizetype end = crlf ? lf - 1 : lf;
        doc.lines.append({bytes.sliced(start, end - start), crlf ? "\r\n" : "\n"});
        if (!newlineSeen) {
            doc.newline = doc.lines.last().eol;
            newlineSeen = true;
        }
        start = lf + 1;
    }
    return doc;
}

QByteArray serialize(const Document& doc) {
    QByteArray bytes;
    for (const Line& line : doc.lines)
        bytes += line.text + line.eol;
    return bytes;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

QByteArrayView trimBlanks(QByteArrayView text) {
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

// The name in a "[section]" line; nullopt for any other line.
std::optional<QByteArrayView> sectionName(QByteArrayView line) {
    line = trimBlanks(line);
    if (!line.startsWith('['))
        return std::nullopt;
    line = line.sliced(1);
    const qsizetype close = line.indexOf(']');
    return trimBlanks(close < 0 ? line : line.first(close));
}

struct Entry {
    QByteArrayView key;
    QByteArrayView value;
};

// The key and value of a "key=value" line; nullopt for comments and other lines.
std::optional<Entry> entry(QByteArrayView line) {
    line = trimBlanks(line);
    const qsizetype equals = line.indexOf('=');
    if (line.startsWith(';') || equals < 0)
        return std::nullopt;
    return Entry{trimBlanks(line.first(equals)), trimBlanks(line.sliced(equals + 1))};
}

bool sameName(QByteArrayView raw, QStringView name) {
    return QStringView(fromWin1252(raw)).compare(name, Qt::CaseInsensitive) == 0;
}

struct Location {
    qsizetype header = -1;      // the first section of that name, -1 when missing
    qsizetype lastContent = -1; // its last non-blank line (the header when empty)
    qsizetype key = -1;         // the first line of that key in it, -1 when missing
};

Location locate(const Document& doc, QStringView section, QStringView key) {
    Location loc;
    for (qsizetype i = 0; i < doc.lines.size(); ++i) {
        const QByteArrayView text = doc.lines[i].text;
        const auto name = sectionName(text);
        if (loc.header < 0) {
            if (name && sameName(*name, section))
                loc.header = loc.lastContent = i;
            continue;
        }
        if (name)
            break;
        if (!trimBlanks(text).isEmpty())
            loc.lastContent = i;
        if (loc.key < 0) {
            const auto found = entry(text);
            if (found && sameName(found->key, key))
                loc.key = i;
        }
    }
    return loc;
}

Document load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parse(file.readAll());
}

std::optional<int> parseInteger(QStringView text) {
    bool negative = false;
    if (!text.isEmpty() && (text[0] == u'+' || text[0] == u'-')) {
        negative = text[0] == u'-';
        text = text.sliced(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        base = 16;
        text = text.sliced(2);
    }
    if (text.isEmpty())
        return std::nullopt;
    const qint64 limit = qint64(std::numeric_limits<int>::max()) + (negative ? 1 : 0);
    qint64 magnitude = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        int digit = base; // invalid until proven otherwise
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (u >= u'a' && u <= u'f')
            digit = u - u'a' + 10;
        else if (u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        if (digit >= base)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

// Gives a line its ending before another line is put after it.
void terminate(Line& line, const QByteArray& newline) {
    if (line.eol.isEmpty())
        line.eol = newline;
}

} // namespace

ProfileWriteError::ProfileWriteError(const QString& path)
    : std::runtime_error(QStringLiteral("Unable to write to %1").arg(path).toStdString()) {}

QString ProfileWriteError::message() const {
    return QString::fromUtf8(what());
}

ProfileFile::ProfileFile(QString path) : m_path(std::move(path)) {}

QString ProfileFile::readString(QStringView section, QStringView key, const QString& defaultValue) const {
    const Document doc = load(m_path);
    const Location loc = locate(doc, section, key);
    if (loc.key < 0)
        return defaultValue;
    return fromWin1252(entry(doc.lines[loc.key].text)->value);
}

int ProfileFile::readInteger(QStringView section, QStringView key, int defaultValue) const {
    return parseInteger(readString(section, key)).value_or(defaultValue);
}

void ProfileFile::writeString(QStringView section, QStringView key, QStringView value) {
    QByteArray original;
    if (QFileInfo::exists(m_path)) {
        // Opening for writing too checks that we may change the file; a
        // read-only file must not be silently replaced by the rename below.
        QFile file(m_path);
        if (!file.open(QIODevice::ReadWrite))
            throw ProfileWriteError(m_path);
        original = file.readAll();
    }

    Document doc = parse(original);
    const Location loc = locate(doc, section, key);
    const QByteArray valueBytes = toWin1252(value);
    const QByteArray keyLine = toWin1252(key) + '=' + valueBytes;
    if (loc.key >= 0) {
        Line& line = doc.lines[loc.key];
        line.text = entry(line.text)->key.toByteArray() + '=' + valueBytes;
    } else if (loc.header >= 0) {
        terminate(doc.lines[loc.lastContent], doc.newline);
        doc.lines.insert(loc.lastContent + 1, Line{keyLine, doc.newline});
    } else {
        if (!doc.lines.isEmpty())
            terminate(doc.lines.last(), doc.newline);
        doc.lines.append({'[' + toWin1252(section) + ']', doc.newline});
        doc.lines.append({keyLine, doc.newline});
    }

    // The new content goes to a temporary file that replaces the old one
    // only once complete, so a failed write leaves the old file intact.
    // Unbuffered, because a buffered short write (disk full, file size limit)
    // can go unreported and the commit would then install a truncated file.
    const QByteArray bytes = serialize(doc);
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || file.write(bytes) != bytes.size() || !file.commit())
        throw ProfileWriteError(m_path);
}

bool ProfileFile::fileExists() const {
    return QFileInfo(m_path).isFile();
}

} // namespace platform
