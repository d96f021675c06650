#pragma once

// While a library call made from one of the console's dialogs runs, the
// window keeps taking events so that it paints; a click or a key on that
// dialog would then start a second call behind the first, and its results
// would be shown in the wrong order. Such input is held back (dropped, as a
// busy window would) until the call ends, for the windows that were open when
// it began. The main window is left alone: its cancel buttons must work
// during a call, and its handlers guard themselves; so is any box that opens
// during the call (the question asked when the window is closed). The held
// windows show a busy cursor meanwhile, so a click is not taken for lost.

#include <QCursor>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>

#include <optional>

class QWidget;

class RetemEntrada : public QObject {
public:
    explicit RetemEntrada(QWidget& principal);

    // Waits may nest: the input comes back when the last one ends.
    void esperando(bool sim);

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
    void retem();
    void devolve();

    QWidget& principal_;
    int esperas_ = 0;
    QList<QPointer<QWidget>> retidas_;
    // The held windows and their widgets with a cursor of their own (an edit
    // box's text cursor), and that cursor (none: the parent's), to give back
    // when the call ends.
    QList<QPair<QPointer<QWidget>, std::optional<QCursor>>> cursores_;
};
