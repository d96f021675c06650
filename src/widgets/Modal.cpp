#include "widgets/Modal.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <deque>

namespace platform::modal {
namespace {

constexpr qsizetype kMaxFalhas = 200;

struct Expected {
    QString windowName;
    Action action;
};

struct Seam {
    bool testMode = false;
    std::deque<Expected> queue;
    QStringList shown;
    QStringList failures;
};

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
        seam().failures.append(QStringLiteral("window %1 was left open").arg(window->objectName()));
        window->reject();
    }
}

void showScripted(QDialog& window) {
    Seam& s = seam();
    const QString name = window.objectName();
    s.shown.append(name);
    if (s.queue.empty() || s.queue.front().windowName != name) {
        s.failures.append(QStringLiteral("unexpected window %1").arg(name));
        // A library that asks again whenever it gets no answer would keep a
        // test cycling here until its time limit: stop it with the reason.
        if (s.failures.size() > kMaxFalhas) {
            qFatal("too many unexpected windows: %s", qPrintable(s.failures.join(QStringLiteral("; ")).left(2000)));
        }
        return;
    }
    Action action = std::move(s.queue.front().action);
    s.queue.pop_front();
    QPointer<QDialog> guarded(&window);
    QTimer::singleShot(0, &window, [guarded, action] { runWhenActive(guarded, action, kActivationPolls); });
    window.exec();
}

} // namespace

void showModal(QDialog& window) {
    if (seam().testMode) {
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
    seam().testMode = on;
}

bool testMode() {
    return seam().testMode;
}

void expect(const QString& windowName, Action action) {
    seam().queue.push_back({windowName, std::move(action)});
}

const QStringList& shownWindows() {
    return seam().shown;
}

const QStringList& failures() {
    return seam().failures;
}

int pendingActions() {
    return static_cast<int>(seam().queue.size());
}

void reset() {
    Seam& s = seam();
    s.queue.clear();
    s.shown.clear();
    s.failures.clear();
}

} // namespace platform::modal
