#pragma once

// The time-out of a direct card read, in seconds. Only digits and backspace
// reach the field; Enter takes its value (30 when empty). The window's close
// control leaves the time-out as it was and gives up nothing.

#include "dialogs/DialogoModal.h"

#include <cstdint>
#include <memory>

class QLineEdit;

namespace Ui {
class TFrmTimeout;
}

class TFrmTimeout : public DialogoModal {
    Q_OBJECT
public:
    explicit TFrmTimeout(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmTimeout() override;

    uint16_t TimeoutLeCartao = 0;

    // The caller empties it before each showing.
    QLineEdit* EdtTimeout() const;

    void EdtTimeoutKeyPress(QChar& Key);
    void BitBtn1Click();

protected:
    void FormActivate() override;

private:
    std::unique_ptr<Ui::TFrmTimeout> ui;
};
