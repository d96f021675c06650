#pragma once

// The product list of a self-service function. The operator enters the
// products one at a time (description, code, quantity, total value), or
// types the whole list on one line. The window leaves the list in ProdutosAA
// and sets ProdutosAAInformados when it produced one; the start clears that
// mark before each showing.

#include "dialogs/DialogoModal.h"

#include <QString>
#include <cstdint>
#include <memory>

class QLineEdit;

namespace Ui {
class TFrmAA;
}

// One product as an item of the list: "[" description ";" code ";" quantity
// ";" value "]", each field exactly as typed.
QString itemProdutoAA(const QString& descricao, const QString& codigo, const QString& quantidade, const QString& valor);

class TFrmAA : public DialogoModal {
    Q_OBJECT
public:
    explicit TFrmAA(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmAA() override;

    QString ProdutosAA;
    bool ProdutosAAInformados = false;
    // Products entered one at a time since the window was shown.
    int32_t ContProdAA = 0;

    void ProdutosIndividuais();
    void RadioButton1Click();
    void RadioButton2Click();
    void EdtQdeProdExit();
    void btnprodClick();
    void BitBtn2Click();

protected:
    void FormActivate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void cadastraProduto();
    void aceitaLinha();
    void habilitaModo(bool habilita);
    void limpaCamposProduto();

    std::unique_ptr<Ui::TFrmAA> ui;
};
