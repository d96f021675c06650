#pragma once

// The confirmation panel of the main window: "Co&nfirmação", the choice
// between undoing (0) and confirming (1), "Confirmação &Id", and the time and
// fiscal receipt number the finishing call sends. It gathers the fields; the
// window runs the confirmation flow with them.

#include "fluxos/Confirmacao.h"

#include <QFrame>

#include <memory>

namespace Ui {
class PainelConfirmacao;
}

class PainelConfirmacao : public QFrame {
    Q_OBJECT
public:
    explicit PainelConfirmacao(QWidget* parent = nullptr);
    ~PainelConfirmacao() override;

    // The panel's fields; the additional-parameters switch is the caller's.
    fluxos::CamposConfirmacao campos() const;
    // What the other-transaction windows leave for a later confirmation.
    void escreveCampos(const QString& cupomFiscal, const QString& hora);
    // "&Limpar".
    void limpa();
    // With the window's transaction controls (HabilitaDesabilita).
    void habilita(bool sim);
    // The panel's controls in their tab order, which follows "&Limpar".
    QList<QWidget*> ordemTab() const;

signals:
    void confirmacao();
    void confirmacaoIdentificada();

private:
    std::unique_ptr<Ui::PainelConfirmacao> ui;
};
