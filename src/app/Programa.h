#pragma once

// Program start: command line, translations, the library, the windows.

class QApplication;

// Runs the console; returns the process's exit status.
int executaPrograma(QApplication& app);
