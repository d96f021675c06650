#pragma once

// A Vidalink consultation, one step per showing: first the authorisation code
// and the mode, then (product by product) one product code each time the
// other-transactions visit shows the window again. The window gathers the
// fields and sends each step through the visit's consultation flow
// (fluxos::ConsultaVidalink), which also runs the command loop between them.

#include "dialogs/DialogoModal.h"
#include "fluxos/Vidalink.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

namespace Ui {
class TFrmConsVidalink;
}

class TFrmConsVidalink : public DialogoModal {
    Q_OBJECT
public:
    explicit TFrmConsVidalink(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmConsVidalink() override;

    // Empties the fields and leaves only the authorisation code open, as every
    // other-transactions visit starts; the visit's steps go to `consulta`.
    void preparaVisita(fluxos::ConsultaVidalink& consulta);

    void RdBtnProdOneClick();
    void RdBtnProdAllClick();
    void BtnTransacaoClick();
    void BtnEncerraClick();

protected:
    void FormActivate() override;
    void TeclaEsc() override;

private:
    void focaPrimeiroCampo();
    void passoAutorizacao();
    void passoProduto();
    fluxos::ConsultaVidalink::Campos campos() const;
    void devolveQuantidade();
    void FechaPelaMoldura() override;

    // What "Todos os Produtos" took from the quantity in a product step, so
    // that going back to "Produtos Individuais" gives it back.
    std::optional<std::pair<QString, bool>> quantidadeTomada_;

    std::unique_ptr<Ui::TFrmConsVidalink> ui;
    fluxos::ConsultaVidalink* consulta_ = nullptr;
};
