#pragma once

// The console's teal panels, made with palettes and fonts rather than a style
// sheet: a style sheet over a window full of controls was the largest single
// cost of starting the console.

#include <QColor>

class QWidget;

namespace platform::aparencia {

inline const QColor kTeal{0x00, 0x80, 0x80};
// Text and indicators of disabled controls: plain on the teal, yet far
// enough from the white of enabled ones to tell them apart at a glance.
inline const QColor kTealApagado{0x6c, 0xa8, 0xa8};

// Paints `painel` teal. Labels, group boxes, check and radio boxes on it get
// white bold text (dimmed teal while disabled); the indicators of check and radio boxes are drawn white on
// the teal (a ring or square, filled when checked), so the style's own dark
// marks never vanish into the background.
void pintaPainel(QWidget& painel);

// The application's style as the toolkit chose it, but for the one image the
// main window reads while it is built (the menu bar's overflow arrow, which a
// one-item menu never shows), read when first painted: the program's first
// image read loads every image-format plug-in, about a twentieth of the
// start. Before any window is made.
void instalaEstiloDoPrograma();

// Weight, size in points (0 keeps the size) and, when valid, text colour of
// one control.
void destaca(QWidget& controle, bool negrito, int pontos = 0, const QColor& cor = QColor());

} // namespace platform::aparencia
