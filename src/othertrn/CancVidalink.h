#pragma once

// Cancels an earlier Vidalink sale, totally or partially. A partial
// cancellation first hands each product to the library, which accepts or
// refuses it at once; the cancellation itself is started last.

#include "dialogs/DialogoModal.h"

#include <cstdint>
#include <memory>

namespace Ui {
class TFrmCncVidalink;
}

class TFrmCncVidalink : public DialogoModal {
    Q_OBJECT
public:
    explicit TFrmCncVidalink(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmCncVidalink() override;

    void RdBtnTotalClick();
    void RdBtnParcialClick();
    void edNumProdInformarExit();
    void BitBtn3Click();
    void BitBtn4Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void HabilitaDadosOriginais(bool habilita);

    int16_t TipoCancelamento = 1;
    int32_t IndiceProdCancelamento = 1;
    int32_t RetornoCncVidalink = 0;

protected:
    void FormActivate() override;
    void TeclaEsc() override;
    void FechaPelaMoldura() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool leProdutosInformar(int32_t& produtos);
    void mostraPainel(bool mostra);
    void sai();

    std::unique_ptr<Ui::TFrmCncVidalink> ui;
};
