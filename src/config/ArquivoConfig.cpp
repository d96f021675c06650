#include "config/ArquivoConfig.h"

#include "platform/ProgramDir.h"

platform::ProfileFile arquivoNaPastaDoPrograma(const QString& nome) {
    return platform::ProfileFile(platform::programdir::filePath(nome));
}

platform::ProfileFile arquivoConfig() {
    return arquivoNaPastaDoPrograma(QStringLiteral("Config.ini"));
}
