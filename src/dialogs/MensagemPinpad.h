#pragma once

// The message for the pinpad display. Enter takes it, a single blank when the
// field is empty; "&Encerra" gives up (the dialog's continua()).
// The caller empties the field before each showing.

#include "dialogs/DialogoModal.h"

#include <QString>
#include <memory>

class QLineEdit;

namespace Ui {
class TFrmMsgPpd;
}

class TFrmMsgPpd : public DialogoModal {
    Q_OBJECT
public:
    explicit TFrmMsgPpd(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmMsgPpd() override;

    QString MensagemPinpad;

    QLineEdit* EdtMsgPpd() const;

    void EdtMsgPpdKeyPress(QChar& Key);
    void BitBtn1Click();

protected:
    void FormActivate() override;

private:
    std::unique_ptr<Ui::TFrmMsgPpd> ui;
};
