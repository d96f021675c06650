#pragma once

// Program start: command line, translations, the library, the windows.

class QApplication;

// Installs Qt's Brazilian Portuguese texts; false when the file is missing.
bool carregaTraducoes(QApplication& app);

// Runs the console; returns the process's exit status.
int executaPrograma(QApplication& app);
