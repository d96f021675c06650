#pragma once

// The transaction panel of the main window: the two transaction-kind groups,
// the time, fiscal receipt, function and value of a start, the restrictions
// (ticked or typed), "&Funções de Pinpad", "&Outras Funções", "&Realiza
// Transação" and "&Limpar". It keeps its choice controls consistent and
// gathers the start's fields; the window runs the flows with them.

#include "fluxos/Inicio.h"

#include <QWidget>

#include <memory>

namespace Ui {
class PainelTransacao;
}

class PainelTransacao : public QWidget {
    Q_OBJECT
public:
    explicit PainelTransacao(QWidget* parent = nullptr);
    ~PainelTransacao() override;

    // The start's fields as the controls hold them; the pinpad function is
    // the caller's.
    fluxos::CamposInicio campos() const;
    // What a start writes back: the test defaults it sent, the fiscal
    // receipt number a Vidalink sale gave.
    void escreveCupomFiscal(const QString& cupom);
    void escreveValor(const QString& valor);
    void escreveHora(const QString& hora);

    // "TEF", the kind "&Configura" and a pinpad function leave chosen.
    void selecionaTEF();
    // Neither kind, so that no payment function starts before a pinpad one.
    void limpaTipo();
    // "&Limpar": the fields and the ticked restrictions.
    void limpa();
    // With the window's transaction controls (HabilitaDesabilita).
    void habilita(bool sim);
    // An Enter that no focused button takes presses "&Realiza Transação"
    // when it can be pressed.
    void teclaEnter();
    // The panel's controls in their tab order, which follows "&Configura".
    QList<QWidget*> ordemTab() const;

signals:
    void realizaTransacao();
    void funcoesPinpad();
    void outrasFuncoes();
    void limpar();

private:
    void preencheListas();
    QString restricoes() const;
    void RdGrpRestricoesClick();
    void ChkBoxDescricaoClick();
    void RGTEFClick();
    void RGCBClick();
    void CBFuncaoChange();

    std::unique_ptr<Ui::PainelTransacao> ui;
};
