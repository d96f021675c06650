#pragma once

// While a library call made from one of the console's dialogs runs, the
// window keeps taking events so that it paints; a click or a key on that
// dialog would then start a second call behind the first, and its results
// would be shown in the wrong order. Such input is held back (dropped, as a
// busy window would) until the call ends, for the windows that were open when
// it began. The main window is left alone: its cancel buttons must work
// during a call, and its handlers guard themselves; so is any box that opens
// during the call (the question asked when the window is closed).

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

class RetemEntrada : public QObject {
public:
    explicit RetemEntrada(QWidget& principal);

    // Waits may nest: the input comes back when the last one ends.
    void esperando(bool sim);

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
    QWidget& principal_;
    int esperas_ = 0;
    QList<QPointer<QWidget>> retidas_;
};
