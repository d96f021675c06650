#pragma once

// The fields a window needs before it may call the library, each with the
// message that asks for it.

#include <QLineEdit>
#include <QString>

#include <initializer_list>
#include <utility>

class QWidget;

using CampoObrigatorio = std::pair<QLineEdit*, QString>;

// Asks for the first empty field, in the order given, and puts the focus on
// it. True when one was missing.
bool faltaCampo(std::initializer_list<CampoObrigatorio> campos, QWidget* dono);
