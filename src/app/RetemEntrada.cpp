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

RetemEntrada::RetemEntrada(QWidget& principal, QWidget& livre) : principal_(principal), livre_(livre) {}

void RetemEntrada::esperando(bool sim) {
    if (sim && esperas_++ == 0) {
        retem();
    } else if (!sim && --esperas_ == 0) {
        devolve();
    }
}

void RetemEntrada::retem() {
    for (QWidget* janela : QApplication::topLevelWidgets()) {
        if (!janela->isVisible() || janela == principal_.window()) {
            continue;
        }
        retidas_ << janela;
        QList<QWidget*> partes = janela->findChildren<QWidget*>();
        partes.prepend(janela);
        for (QWidget* parte : partes) {
            const bool proprio = parte->testAttribute(Qt::WA_SetCursor);
            if (parte == janela || proprio) {
                cursores_.append({parte, proprio ? std::optional(parte->cursor()) : std::nullopt});
                parte->setCursor(Qt::BusyCursor);
            }
        }
    }
    QCoreApplication::instance()->installEventFilter(this);
}

void RetemEntrada::devolve() {
    QCoreApplication::instance()->removeEventFilter(this);
    retidas_.clear();
    for (const auto& [parte, cursor] : std::as_const(cursores_)) {
        if (parte && cursor) {
            parte->setCursor(*cursor);
        } else if (parte) {
            parte->unsetCursor();
        }
    }
    cursores_.clear();
}

bool RetemEntrada::eventFilter(QObject* alvo, QEvent* evento) {
    if (!entradaDoOperador(evento->type()) || !alvo->isWidgetType()) {
        return false;
    }
    auto* widget = static_cast<QWidget*>(alvo);
    if (widget->window() == principal_.window()) {
        return widget != &livre_ && !livre_.isAncestorOf(widget);
    }
    return retidas_.contains(widget->window());
}
