#pragma once

// The operator's hands in GUI tests: keys go where the focus is, buttons are
// clicked by name.

#include "Cliques.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QTest>

namespace harness {

inline QWidget* foco() {
    QWidget* w = QApplication::focusWidget();
    if (!w) {
        qFatal("nothing has the focus");
    }
    return w;
}
// Types `texto` into the focused control, accented letters included.
inline void digita(const QString& texto) {
    for (const QChar c : texto) {
        QTest::sendKeyEvent(QTest::Click, foco(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}
inline void tecla(Qt::Key k) { QTest::keyClick(foco(), k); }
inline void clica(QWidget& janela, const char* nome) {
    QTest::mouseClick(controle<QAbstractButton>(janela, nome), Qt::LeftButton);
}
inline QString nomeDoFoco() { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }
// The name a screen reader announces for `w`.
inline QString nomeAcessivel(QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); }

} // namespace harness
