#pragma once

// Whole files, for the few places that test for or remove a file rather than
// read or write its keys, and the mapping of the Windows-style paths that
// stored settings hold onto this machine's folders.

#include <QString>

namespace platform::files {

// Where a path as the settings files store it lies here. Backslashes count as
// separators; a path from the root of a drive ("\Windows\x.ini",
// "C:\Winnt\x.ini") lies under programdir::driveRoot(); a path that is already
// absolute here is kept.
QString localPath(const QString& storedPath);

// True for an existing regular file (a folder of that name does not count).
bool exists(const QString& path);
// Removes a regular file; false when there was none or it could not go.
bool remove(const QString& path);

} // namespace platform::files
