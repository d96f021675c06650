#pragma once

// Operator clicks on controls whose clickable spot is not their centre: check
// boxes and radio buttons (the indicator), items of check lists (their check
// indicator) and entries of a menu bar.

#include <QObject>
#include <QString>

class QAbstractButton;
class QAction;
class QListWidget;
class QMenuBar;
class QWidget;

namespace harness {

// Clicks the box or button on its indicator.
void clicaIndicador(QAbstractButton* botao);
// Clicks the check indicator of item `linha`.
void clicaItem(QListWidget* lista, int linha);
// Clicks an entry of the menu bar.
void clicaMenu(QMenuBar* barra, QAction* entrada);
// The title bar's close box: the close request comes from the window system.
void fechaPelaMoldura(QWidget& janela);

// The child of `janela` named `nome`; aborts the test when there is none, so
// a renamed control is reported by name.
template <class T> T* controle(QObject& janela, const char* nome) {
    T* c = janela.findChild<T*>(QString::fromLatin1(nome));
    if (!c) {
        qFatal("no control named %s", nome);
    }
    return c;
}

} // namespace harness
