#pragma once

// A yes/no question whose answer is the selected item of rgSimNao (0 "Sim",
// 1 "Não"). The caller sets the window caption and the question (the group's
// title). Nothing is reset between showings: the last answer is offered again.

#include "dialogs/DialogoModal.h"

#include <memory>

class RadioGroup;

namespace Ui {
class TFrmOpcaoSimNao;
}

class TFrmOpcaoSimNao : public DialogoModal {
    Q_OBJECT
public:
    explicit TFrmOpcaoSimNao(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmOpcaoSimNao() override;

    RadioGroup* rgSimNao() const;

    void BtOKClick();

private:
    std::unique_ptr<Ui::TFrmOpcaoSimNao> ui;
};
