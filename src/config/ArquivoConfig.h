#pragma once

// The settings files that lie in the program's folder.

#include "platform/ProfileFile.h"

// The file `nome` in the program's folder.
platform::ProfileFile arquivoNaPastaDoPrograma(const QString& nome);

// Config.ini, the console's own settings.
platform::ProfileFile arquivoConfig();
