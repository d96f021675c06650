#pragma once

// The command loop's operator as the console shows it: the main window's
// trace, message line, message box and pinpad panel, and the operator dialogs,
// shown through the modal seam; boxes through the prompt façade.

#include "app/LacoComandos.h"

#include <QElapsedTimer>
#include <QStringList>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;
class RadioGroup;
class TFrmtesteCliKavex32I;

class OperadorJanelas final : public OperadorLaco {
public:
    // The main window's controls that the loop writes or reads.
    struct Controles {
        QPlainTextEdit* Memo;
        QPlainTextEdit* MemoMsgOperador;
        QPlainTextEdit* EdtData;
        QWidget* PnlCncPpd;
        QLabel* LblContador;
        QLineEdit* EdtResultado;
        RadioGroup* RdGrImpr;
        QLineEdit* EdtCpFiscal;
        QLineEdit* EdtHora;
    };

    OperadorJanelas(TFrmtesteCliKavex32I& principal, const Controles& controles);

    void iniciaFuncao(const QString& dataHora) override;
    void processaEventos() override;
    void registra(const QString& linha) override;
    void mostraMensagem(const QString& texto) override;
    void acrescentaMensagem(const QString& texto) override;
    void limpaMensagens() override;
    void avisa(const QString& texto) override;
    void mostraErro(const QString& texto) override;
    bool pergunta(const QString& texto) override;
    void cabecalhoMenu(const QString& texto) override;
    Escolha menu(const QString& opcoes, int tamanhoMaximo) override;
    Escolha coletaCampo(const QString& solicitacao, int tamanhoMaximo) override;
    bool escolheCheque() override;
    QString chequeDigitado(const QString& solicitacao) override;
    QString chequeCMC7(const QString& solicitacao, int tamanhoMaximo) override;
    QString codigoBarras(const QString& solicitacao) override;
    void aguardaPinpad(int32_t contador) override;
    void escondeAguardaPinpad() override;
    void acrescentaCupom(const QString& texto) override;
    int32_t mostraCupom() override;
    QString imprimeCupom() override;
    void acrescentaConsulta(const QString& texto) override;
    bool temConsulta() override;
    void mostraConsulta(const QString& titulo) override;
    void mostraResultado(int32_t retorno) override;
    Finalizacao finalizacao() override;
    void devolveControles() override;

private:
    // Painting the window costs far more than a cycle of a library that
    // answers at once. During a burst of such cycles the window is painted,
    // and the trace written to its box, once a frame; a slower call, any
    // dialog or box, and the end bring everything up to date first.
    bool emRajada();
    void pinta(bool agora);
    void atualizaTela();

    TFrmtesteCliKavex32I& principal_;
    Controles c_;
    QStringList tracePendente_;
    QElapsedTimer relogio_;
    qint64 ultimoCiclo_ = 0;
    qint64 ultimaPintura_ = 0;
    int ciclosRapidos_ = 0;
};
