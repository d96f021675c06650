#pragma once

// The program's folder: where Config.ini, CliKavex.ini and the local
// PPVISA.ini live. It is the executable's folder unless chosen on the command
// line.

#include <QString>

namespace platform::programdir {

void setDirectory(const QString& directory);
// The folder with its trailing separator, as stored texts expect it.
QString directory();
// A file in the program's folder.
QString filePath(const QString& fileName);

// Root under which the Windows-style folders "\Windows" and "\Winnt" are
// looked for ("/" unless chosen on the command line).
void setDriveRoot(const QString& root);
QString driveRoot();

} // namespace platform::programdir
