#include "app/RetemEntrada.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {

bool entradaDoOperador(QEvent::Type tipo) {
    switch (tipo) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::Wheel:
        return true;
    default:
        return false;
    }
}

} // namespace

RetemEntrada::RetemEntrada(QWidget& principal) : principal_(principal) {}

void RetemEntrada::esperando(bool sim) {
    if (sim && esperas_++ == 0) {
        for (QWidget* janela : QApplication::topLevelWidgets()) {
            if (janela->isVisible() && janela != principal_.window()) {
                retidas_ << janela;
            }
        }
        if (!retidas_.isEmpty()) {
            QCoreApplication::instance()->installEventFilter(this);
        }
    } else if (!sim && --esperas_ == 0) {
        QCoreApplication::instance()->removeEventFilter(this);
        retidas_.clear();
    }
}

bool RetemEntrada::eventFilter(QObject* alvo, QEvent* evento) {
    if (!entradaDoOperador(evento->type()) || !alvo->isWidgetType()) {
        return false;
    }
    return retidas_.contains(static_cast<QWidget*>(alvo)->window());
}
