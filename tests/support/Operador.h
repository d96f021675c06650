#pragma once

// The operator's hands in GUI tests: keys go where the focus is, buttons are
// clicked by name in the window that is up.

#include "Cliques.h"

#include <QString>
#include <Qt>

class QWidget;

namespace harness {

// Types `texto` into the focused control, accented letters included.
void digita(const QString& texto);
// Presses one key on the focused control.
void tecla(Qt::Key k);
// Clicks the button named `nome` inside `janela`.
void clica(QWidget& janela, const char* nome);
// objectName of the focused control, empty when nothing has the focus.
QString nomeDoFoco();
// The name a screen reader announces for `controle`.
QString nomeAcessivel(QWidget* controle);

} // namespace harness
