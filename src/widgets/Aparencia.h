#pragma once

// The console's teal panels, made with palettes and fonts rather than a style
// sheet: a style sheet over a window full of controls was the largest single
// cost of starting the console.

#include <QColor>

class QWidget;

namespace platform::aparencia {

inline const QColor kTeal{0x00, 0x80, 0x80};
// Indicators of disabled radio and check boxes, still plain on the teal.
inline const QColor kTealClaro{0x9c, 0xc8, 0xc8};

// Paints `painel` teal. Labels, group boxes, check and radio boxes on it get
// white bold text; the indicators of check and radio boxes are drawn white on
// the teal (a ring or square, filled when checked), so the style's own dark
// marks never vanish into the background.
void pintaPainel(QWidget& painel);

// Weight, size in points (0 keeps the size) and, when valid, text colour of
// one control.
void destaca(QWidget& controle, bool negrito, int pontos = 0, const QColor& cor = QColor());

} // namespace platform::aparencia
