#include "widgets/Modal.h"
#include "widgets/ModoTeste.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <deque>

namespace platform::modal {
namespace {

struct Expected {
    QString windowName;
    Action action;
};

using Seam = ModoTeste<Expected, QString>;

Seam& seam() {
    static Seam s;
    return s;
}

// How long the actions wait for the window to become active, so that focus
// set on activation is in place before keys are typed.
constexpr int kActivationPollMs = 10;
constexpr int kActivationPolls = 200;

void runWhenActive(QPointer<QDialog> window, Action action, int pollsLeft) {
    if (!window) {
        return;
    }
    if (!window->isActiveWindow() && pollsLeft > 0) {
        QTimer::singleShot(kActivationPollMs, window,
                           [window, action, pollsLeft] { runWhenActive(window, action, pollsLeft - 1); });
        return;
    }
    action(*window);
    if (window && window->isVisible()) {
        seam().falhas.append(QStringLiteral("window %1 was left open").arg(window->objectName()));
        window->reject();
    }
}

void showScripted(QDialog& window) {
    Seam& s = seam();
    const QString name = window.objectName();
    s.mostrados.append(name);
    if (s.fila.empty() || s.fila.front().windowName != name) {
        s.inesperado(QStringLiteral("unexpected window %1").arg(name), "windows");
        return;
    }
    Action action = std::move(s.fila.front().action);
    s.fila.pop_front();
    QPointer<QDialog> guarded(&window);
    QTimer::singleShot(0, &window, [guarded, action] { runWhenActive(guarded, action, kActivationPolls); });
    window.exec();
}

} // namespace

void showModal(QDialog& window) {
    if (seam().ativo) {
        showScripted(window);
    } else {
        window.exec();
    }
    processPendingEvents();
}

void processPendingEvents() {
    QCoreApplication::processEvents();
}

void setTestMode(bool on) {
    seam().ativo = on;
}

bool testMode() {
    return seam().ativo;
}

void expect(const QString& windowName, Action action) {
    seam().fila.push_back({windowName, std::move(action)});
}

const QStringList& shownWindows() {
    return seam().mostrados;
}

const QStringList& failures() {
    return seam().falhas;
}

int pendingActions() {
    return seam().pendentes();
}

void reset() {
    seam().reinicia();
}

} // namespace platform::modal
