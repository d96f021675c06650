#pragma once

#include <QIcon>

class QWidget;

namespace platform::icones {

// The help-style glyph of the sample-filling buttons. It comes from the
// toolkit's own images, not from the desktop's icon theme: searching the
// theme at start cost more than any other single window.
QIcon ajuda(const QWidget& dono);

} // namespace platform::icones
