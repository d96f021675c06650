#pragma once

// While a library call runs, the window keeps taking events so that it
// paints; a click or a key on a dialog open when the call began would then
// start a second call behind the first, and its results would be shown in the
// wrong order. Such input is held back (dropped, as a busy window would) until
// the call ends, and the held dialogs show a busy cursor meanwhile, so a click
// is not taken for lost. In the main window only the messages panel takes
// input during a call: its cancel buttons must work, and its trace can be
// scrolled; a key typed into a field the call has already read (the address
// while "&Configura" waits) would leave on screen what the library was not
// given. Any box that opens during the call (the question asked when the
// window is closed) is left alone.

#include <QCursor>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>

#include <optional>

class QWidget;

class RetemEntrada : public QObject {
public:
    // `livre`: the part of the main window that takes input during a call.
    RetemEntrada(QWidget& principal, QWidget& livre);

    // Waits may nest: the input comes back when the last one ends.
    void esperando(bool sim);

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
    void retem();
    void devolve();

    QWidget& principal_;
    QWidget& livre_;
    int esperas_ = 0;
    QList<QPointer<QWidget>> retidas_;
    // The held windows and their widgets with a cursor of their own (an edit
    // box's text cursor), and that cursor (none: the parent's), to give back
    // when the call ends.
    QList<QPair<QPointer<QWidget>, std::optional<QCursor>>> cursores_;
};
