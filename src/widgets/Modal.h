#pragma once

// The one door through which the console shows a window modally. After the
// window closes, pending window events are processed, so a click made while
// it was open reaches its handler before the caller goes on.
//
// Tests queue, per window, the operator's actions; they run on the real window
// once it is up, so its own handlers do the work. A window nobody expected is
// not shown at all, and a window the actions leave open is closed: a test
// fails instead of hanging.

#include <QString>
#include <QStringList>

#include <functional>

class QDialog;

namespace platform::modal {

void showModal(QDialog& window);

// Lets pending window events be processed (clicks, repaints) between steps.
void processPendingEvents();

// ---- test control -------------------------------------------------------

using Action = std::function<void(QDialog&)>;

void setTestMode(bool on);
bool testMode();
// Queues the actions for the next modal showing, which must be of the window
// whose objectName is `windowName`.
void expect(const QString& windowName, Action action);
// Names of the windows shown modally since the last reset, in order.
const QStringList& shownWindows();
const QStringList& failures();
int pendingActions();
void reset();

} // namespace platform::modal
