#pragma once

// The one door through which the console shows message boxes and input boxes.
// Tests queue the answer each box is to receive and read back every text that
// was shown; in that mode no real box ever opens, so a test cannot hang on one.

#include <QList>
#include <QString>

class QWidget;

namespace platform::prompt {

enum class Kind { Message, Information, Error, YesNo, YesNoCancel, InputText };

enum class Answer { Ok, Yes, No, Cancel };

// A box as it was shown (or would have been, in test mode).
struct Shown {
    Kind kind;
    QString title;
    QString text;
};

// Untitled information box with an OK button.
void showMessage(const QString& text, QWidget* owner = nullptr);
// Titled box with an OK button.
void messageBox(const QString& title, const QString& text, QWidget* owner = nullptr);
// Error box with an OK button; the title is the program's name.
void showError(const QString& text, QWidget* owner = nullptr);
// Question boxes; closing a yes/no box by the window's own control counts as No.
Answer askYesNo(const QString& title, const QString& text, QWidget* owner = nullptr);
Answer askYesNoCancel(const QString& title, const QString& text, QWidget* owner = nullptr);
// Single-line input box; returns false when the operator cancels. `value` is the
// initial text and receives the answer.
bool inputQuery(const QString& title, const QString& label, QString& value, QWidget* owner = nullptr);

// ---- test control -------------------------------------------------------

// In test mode boxes are answered from the queue instead of being shown.
void setTestMode(bool on);
bool testMode();

// Queues the answer for the next box, which must show exactly `text`.
// For input boxes `input` is the text typed before pressing OK.
void expect(const QString& text, Answer answer = Answer::Ok, const QString& input = {});

// Every box shown since the last reset, in order.
const QList<Shown>& shown();
// Problems found in test mode: a box with no queued answer, a text other than
// the queued one. Empty when everything went as queued.
const QStringList& failures();
// Answers queued but never used.
int pendingAnswers();
void reset();

} // namespace platform::prompt
