#include "platform/Files.h"

#include "platform/ProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace platform::files {
namespace {

bool startsWithDriveLetter(const QString& path) {
    return path.size() >= 2 && path[1] == u':' && path[0].isLetter() && path[0].unicode() < 0x80;
}

} // namespace

QString localPath(const QString& storedPath) {
    QString path = storedPath;
    const bool fromDriveRoot = startsWithDriveLetter(path) || path.startsWith(u'\\');
    if (startsWithDriveLetter(path)) {
        path.remove(0, 2);
    }
    path.replace(u'\\', u'/');
    if (fromDriveRoot) {
        path = programdir::driveRoot() + u'/' + path;
    }
    return QDir::cleanPath(path);
}

bool exists(const QString& path) {
    return QFileInfo(path).isFile();
}

bool remove(const QString& path) {
    return exists(path) && QFile::remove(path);
}

} // namespace platform::files
