#pragma once

// The working key for the direct PIN functions. Enter takes the key, a single
// blank when the field is empty; "&Encerra" gives up (the dialog's
// continua()). The caller empties the field before each showing.

#include "dialogs/DialogoModal.h"

#include <QString>
#include <memory>

class QLineEdit;

namespace Ui {
class TFrmWK;
}

class TFrmWK : public DialogoModal {
    Q_OBJECT
public:
    explicit TFrmWK(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmWK() override;

    QString WorkingKey;

    QLineEdit* EdtWK() const;

    void EdtWKKeyPress(QChar& Key);
    void BitBtn1Click();

protected:
    void FormActivate() override;

private:
    std::unique_ptr<Ui::TFrmWK> ui;
};
