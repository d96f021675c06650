#pragma once

// The small menu of the transactions beside the main road. Its tag tells the
// main window, once the menu has closed, what is left to run.

#include "dialogs/DialogoModal.h"

#include <memory>

class TFrmVidalink;
class TFrmTrnDirKavex;

namespace Ui {
class TFrmOutrasTrn;
}

class TFrmOutrasTrn : public DialogoModal {
    Q_OBJECT
public:
    // What the last choice leaves for the main window to do.
    enum Escolha : int {
        Nenhuma = 0,
        TransacoesVidalink = 1,
        TransacaoDireta = 2,
        ConsultaPBM = 3,
    };

    explicit TFrmOutrasTrn(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmOutrasTrn() override;

    // The windows the menu opens, created after it.
    void ligaJanelas(TFrmVidalink& vidalink, TFrmTrnDirKavex& trnDireta);

    int Tag = Nenhuma;

    void BtnTrnVidalinkClick();
    void BtnTrnDirKavexClick();
    void btConsultaPBMClick();
    void BitBtn2Click();

protected:
    void FormShow() override;

private:
    std::unique_ptr<Ui::TFrmOutrasTrn> ui;
    TFrmVidalink* FrmVidalink = nullptr;
    TFrmTrnDirKavex* FrmTrnDirKavex = nullptr;
};
