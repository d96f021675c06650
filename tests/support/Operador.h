#pragma once

// The operator's hands in GUI tests: keys go where the focus is, buttons are
// clicked by name, and the window system's close request is sent as it comes.

#include "Cliques.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>

namespace harness {

inline QWidget* foco() {
    QWidget* w = QApplication::focusWidget();
    if (!w) {
        qFatal("nothing has the focus");
    }
    return w;
}
// Types `texto` into the focused control. Plain characters come with their
// key codes, as a keyboard sends them; accented letters as a Brazilian
// keyboard's composed text.
inline void digita(const QString& texto) {
    for (const QChar c : texto) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(foco(), static_cast<char>(c.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Click, foco(), Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}
inline void tecla(Qt::Key k, Qt::KeyboardModifiers modificadores = Qt::NoModifier) {
    QTest::keyClick(foco(), k, modificadores);
}
inline void clica(QWidget& janela, const char* nome) {
    QTest::mouseClick(controle<QAbstractButton>(janela, nome), Qt::LeftButton);
}
inline void clica(QWidget& janela, const QString& nome) {
    clica(janela, qPrintable(nome));
}
inline QString nomeDoFoco() {
    return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
}
// The name a screen reader announces for `w`.
inline QString nomeAcessivel(QWidget* w) {
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
}
// What the window system sends when its close control or close shortcut is
// used.
inline void pedeFechamento(QWidget& janela) {
    QCloseEvent pedido;
    QSpontaneKeyEvent::setSpontaneous(&pedido);
    QApplication::instance()->notify(&janela, &pedido);
}

} // namespace harness
