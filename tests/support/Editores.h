#pragma once

// Driving the configuration editors: a program folder of their own for each
// test, showing an editor with the operator's actions, and reaching one from
// the main window's menu.

#include "widgets/Modal.h"

#include <QDialog>
#include <QString>

#include <functional>

class QTemporaryDir;

namespace harness {

class Console;

// Points the program's folder and the drive root at new folders "prog" and
// "drive" inside `pasta`, and puts the seams in test mode.
void usaPastasDe(const QTemporaryDir& pasta);

// Shows `editor` through the modal seam, which expects it by the name `nome`;
// `acoes` run on its controls once it is up. Returns when it is closed.
template <class Controles>
void abreEditor(QDialog& editor, const QString& nome, const std::function<void(const Controles&)>& acoes) {
    platform::modal::expect(nome, [acoes](QDialog& w) { acoes(Controles{w}); });
    platform::modal::showModal(editor);
}

// Chooses `entrada` in the main window's "Configurações" menu, as the
// operator does with the mouse; `acoes` run on the window named `nome` once
// it is up. Returns when they have run.
void escolheEmConfiguracoes(Console& console, const char* entrada, const QString& nome,
                            const std::function<void(QDialog&)>& acoes);

} // namespace harness
