#include "widgets/Prompt.h"
#include "widgets/ModoTeste.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

#include <deque>

namespace platform::prompt {
namespace {

struct Queued {
    QString text;
    Answer answer;
    QString input;
};

using Recorder = ModoTeste<Queued, Shown>;

Recorder& recorder() {
    static Recorder r;
    return r;
}

// Takes the queued answer for a box in test mode; a box nobody expected is a
// failure and is answered as the operator closing it would answer.
Answer scripted(Kind kind, const QString& title, const QString& text, QString* input) {
    Recorder& r = recorder();
    r.mostrados.append({kind, title, text});
    const Answer fallback = kind == Kind::YesNo ? Answer::No
                            : kind == Kind::Message || kind == Kind::Information || kind == Kind::Error
                                ? Answer::Ok
                                : Answer::Cancel;
    if (r.fila.empty()) {
        r.inesperado(QStringLiteral("unexpected box: \"%1\"").arg(text), "boxes");
        return fallback;
    }
    Queued next = r.fila.front();
    r.fila.pop_front();
    if (next.text != text) {
        r.falhas.append(QStringLiteral("box shows \"%1\" where \"%2\" was expected").arg(text, next.text));
    }
    if (input) {
        *input = next.input;
    }
    return next.answer;
}

QString programName() {
    return QApplication::applicationName();
}

Answer fromButton(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    default:
        return Answer::Ok;
    }
}

Answer realBox(QMessageBox::Icon icon, const QString& title, const QString& text, QMessageBox::StandardButtons buttons,
               QMessageBox::StandardButton escape, QWidget* owner) {
    QMessageBox box(icon, title, text, buttons, owner);
    box.setEscapeButton(escape);
    return fromButton(box.exec());
}

} // namespace

void showMessage(const QString& text, QWidget* owner) {
    if (testMode()) {
        scripted(Kind::Message, {}, text, nullptr);
        return;
    }
    realBox(QMessageBox::NoIcon, programName(), text, QMessageBox::Ok, QMessageBox::Ok, owner);
}

void messageBox(const QString& title, const QString& text, QWidget* owner) {
    if (testMode()) {
        scripted(Kind::Information, title, text, nullptr);
        return;
    }
    realBox(QMessageBox::Information, title, text, QMessageBox::Ok, QMessageBox::Ok, owner);
}

void showError(const QString& text, QWidget* owner) {
    if (testMode()) {
        scripted(Kind::Error, programName(), text, nullptr);
        return;
    }
    realBox(QMessageBox::Critical, programName(), text, QMessageBox::Ok, QMessageBox::Ok, owner);
}

Answer askYesNo(const QString& title, const QString& text, QWidget* owner) {
    if (testMode()) {
        return scripted(Kind::YesNo, title, text, nullptr);
    }
    return realBox(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No, owner);
}

Answer askYesNoCancel(const QString& title, const QString& text, QWidget* owner) {
    if (testMode()) {
        return scripted(Kind::YesNoCancel, title, text, nullptr);
    }
    return realBox(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                   QMessageBox::Cancel, owner);
}

bool inputQuery(const QString& title, const QString& label, QString& value, QWidget* owner) {
    if (testMode()) {
        QString typed;
        const Answer a = scripted(Kind::InputText, title, label, &typed);
        if (a == Answer::Ok) {
            value = typed;
            return true;
        }
        return false;
    }
    QInputDialog caixa(owner);
    caixa.setWindowTitle(title);
    caixa.setLabelText(label);
    caixa.setTextValue(value);
    if (caixa.exec() != QDialog::Accepted) {
        return false;
    }
    value = caixa.textValue();
    return true;
}

void setTestMode(bool on) {
    recorder().ativo = on;
}

bool testMode() {
    return recorder().ativo;
}

void expect(const QString& text, Answer answer, const QString& input) {
    recorder().fila.push_back({text, answer, input});
}

const QList<Shown>& shown() {
    return recorder().mostrados;
}

const QStringList& failures() {
    return recorder().falhas;
}

int pendingAnswers() {
    return recorder().pendentes();
}

void reset() {
    recorder().reinicia();
}

} // namespace platform::prompt
