#include "platform/Icones.h"

#include <QFile>
#include <QStyle>
#include <QWidget>

namespace platform::icones {

namespace {
const char* const kAjuda[] = {
    ":/qt-project.org/styles/commonstyle/images/standardbutton-help-16.png",
    ":/qt-project.org/styles/commonstyle/images/standardbutton-help-32.png",
    ":/qt-project.org/styles/commonstyle/images/standardbutton-help-128.png",
};
} // namespace

QIcon ajuda(const QWidget& dono) {
    QIcon icone;
    for (const char* caminho : kAjuda) {
        const QString arquivo = QString::fromLatin1(caminho);
        if (QFile::exists(arquivo)) {
            icone.addFile(arquivo);
        }
    }
    // A toolkit built without those images still gives its style's glyph.
    return icone.isNull() ? dono.style()->standardIcon(QStyle::SP_DialogHelpButton) : icone;
}

} // namespace platform::icones
