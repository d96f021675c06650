#include "widgets/Icones.h"

#include <QFile>
#include <QStyle>
#include <QWidget>

namespace platform::icones {

namespace {
struct Imagem {
    const char* caminho;
    int lado;
};
const Imagem kAjuda[] = {
    {":/qt-project.org/styles/commonstyle/images/standardbutton-help-16.png", 16},
    {":/qt-project.org/styles/commonstyle/images/standardbutton-help-32.png", 32},
    {":/qt-project.org/styles/commonstyle/images/standardbutton-help-128.png", 128},
};
} // namespace

QIcon ajuda(const QWidget& dono) {
    QIcon icone;
    for (const Imagem& imagem : kAjuda) {
        const QString arquivo = QString::fromLatin1(imagem.caminho);
        if (QFile::exists(arquivo)) {
            // With its size given, an image is decoded when first painted,
            // not here.
            icone.addFile(arquivo, QSize(imagem.lado, imagem.lado));
        }
    }
    // A toolkit built without those images still gives its style's glyph.
    return icone.isNull() ? dono.style()->standardIcon(QStyle::SP_DialogHelpButton) : icone;
}

} // namespace platform::icones
