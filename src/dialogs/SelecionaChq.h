#pragma once

// Asks how the data of a cheque will be given: field by field as typed on the
// cheque, or as one CMC-7 line. Ticking a box is the choice itself.

#include "dialogs/DialogoModal.h"

#include <memory>

class QCheckBox;

namespace Ui {
class TFrmCnsChq;
}

class TFrmCnsChq : public DialogoModal {
    Q_OBJECT
public:
    explicit TFrmCnsChq(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmCnsChq() override;

    // true: the CMC-7 line; false: the typed fields. Closing with "&Encerra"
    // keeps the previous choice.
    bool UsaCMC7 = false;

    // Before each cheque request both boxes are unticked and enabled.
    void PreparaEscolha();

    QCheckBox* CheckBox1() const;
    QCheckBox* CheckBox2() const;

    void FormActivate() override;
    void CheckBox1Click();
    void CheckBox2Click();
    void BitBtn1Click();

private:
    void escolhe(bool cmc7);

    std::unique_ptr<Ui::TFrmCnsChq> ui;
};
