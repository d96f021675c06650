#include "platform/ProgramDir.h"

#include <QCoreApplication>
#include <QDir>

namespace platform::programdir {
namespace {
QString& chosenDirectory() {
    static QString dir;
    return dir;
}
QString& chosenDriveRoot() {
    static QString root = QStringLiteral("/");
    return root;
}
} // namespace

void setDirectory(const QString& directory) {
    chosenDirectory() = QDir(directory).absolutePath();
}

QString directory() {
    QString dir = chosenDirectory();
    if (dir.isEmpty()) {
        dir = QCoreApplication::applicationDirPath();
    }
    dir = QDir::toNativeSeparators(dir);
    if (!dir.endsWith(QDir::separator())) {
        dir += QDir::separator();
    }
    return dir;
}

QString filePath(const QString& fileName) {
    return directory() + fileName;
}

void setDriveRoot(const QString& root) {
    chosenDriveRoot() = QDir(root).absolutePath();
}

QString driveRoot() {
    return chosenDriveRoot();
}

} // namespace platform::programdir
