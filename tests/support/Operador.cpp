#include "Operador.h"

#include "Cliques.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QTest>

namespace harness {

void digita(const QString& texto) {
    QWidget* foco = QApplication::focusWidget();
    if (!foco) {
        qFatal("typing \"%s\" with nothing focused", qPrintable(texto));
    }
    for (const QChar c : texto) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(foco, static_cast<char>(c.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Click, foco, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

void tecla(Qt::Key k) {
    QWidget* foco = QApplication::focusWidget();
    if (!foco) {
        qFatal("pressing a key with nothing focused");
    }
    QTest::keyClick(foco, k);
}

void clica(QWidget& janela, const char* nome) {
    QTest::mouseClick(controle<QAbstractButton>(janela, nome), Qt::LeftButton);
}

QString nomeDoFoco() {
    QWidget* foco = QApplication::focusWidget();
    return foco ? foco->objectName() : QString();
}

QString nomeAcessivel(QWidget* controle) {
    QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(controle);
    return interface ? interface->text(QAccessible::Name) : QString();
}

} // namespace harness
