#include "platform/Impressao.h"

namespace platform::impressao {

QString imprimeTexto(const QStringList&, const QString&) {
    return QStringLiteral("A impressão ainda não está disponível nesta versão.");
}

} // namespace platform::impressao
