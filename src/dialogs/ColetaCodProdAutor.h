#pragma once

// A product or authorisation code, read by the caller from edCodProdAutor
// after the window closes. Emptied at every showing; there is no cancel.

#include "dialogs/DialogoModal.h"

#include <memory>

class QLabel;
class QLineEdit;

namespace Ui {
class TFrmCodProdAutor;
}

class TFrmCodProdAutor : public DialogoModal {
    Q_OBJECT
public:
    explicit TFrmCodProdAutor(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmCodProdAutor() override;

    QLabel* lbCodProdAutor() const;
    QLineEdit* edCodProdAutor() const;

    void btOKClick();

protected:
    void FormActivate() override;

private:
    std::unique_ptr<Ui::TFrmCodProdAutor> ui;
};
