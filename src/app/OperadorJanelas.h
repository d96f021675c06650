#pragma once

// The flows' operator as the console shows it: the main window's trace,
// message line, message box and pinpad panel, and the operator dialogs, shown
// through the modal seam; boxes through the prompt façade. Each dialog says
// how the operator left it ("&Encerra", "&Volta") through its own
// continua(), which this adapter hands back with the answer.

#include "core/CamposPrincipais.h"
#include "fluxos/Operador.h"

class Janelas;
class PainelConfirmacao;
class PainelMensagens;
class PainelTransacao;
class QWidget;

// What the adapter needs of the main window itself, beyond its panels and
// the "Resultado:" field.
class JanelaOperada : public CamposPrincipais {
public:
    // A function has ended: the transaction controls come back.
    virtual void devolveControles() = 0;
    // The operator chose to close the window while the function runs.
    virtual bool encerramentoPedido() const = 0;
    // Whether LeCartaoDiretoEx waits for the card: 0 "Sim", 1 "Não".
    virtual int TstCnc() = 0;
    // "Com" in "Impressora": receipts are printed instead of shown.
    virtual bool comImpressora() const = 0;

protected:
    ~JanelaOperada() = default;
};

class OperadorJanelas final : public OperadorLaco {
public:
    // What the library says goes to the messages panel; what a start writes
    // back, to the transaction panel.
    OperadorJanelas(JanelaOperada& principal, Janelas& janelas, PainelMensagens& mensagens, PainelTransacao& transacao,
                    PainelConfirmacao& confirmacao);

    // A library call has gone on long enough for the window to wait for it
    // in its event loop.
    void esperaComecou();
    // "Cancela &Pinpad": the next call of the command loop ends the function.
    void pedeCancelamento();

    void iniciaFuncao(const QString& dataHora) override;
    bool processaEventos() override;
    void registra(const QString& linha) override;
    void mostraMensagem(const QString& texto) override;
    void acrescentaMensagem(const QString& texto) override;
    void limpaMensagens() override;
    void avisa(const QString& texto) override;
    void mostraErro(const QString& texto) override;
    bool pergunta(const QString& texto) override;
    void cabecalhoMenu(const QString& texto) override;
    Resposta menu(const QString& opcoes, int tamanhoMaximo) override;
    Resposta coletaCampo(const QString& solicitacao, int tamanhoMaximo) override;
    EscolhaCheque escolheCheque() override;
    Resposta chequeDigitado(const QString& solicitacao) override;
    Resposta chequeCMC7(const QString& solicitacao, int tamanhoMaximo) override;
    Resposta codigoBarras(const QString& solicitacao) override;
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

    void escreveCupomFiscal(const QString& cupom) override;
    void escreveValor(const QString& valor) override;
    void escreveHora(const QString& hora) override;
    ListaProdutos produtosAutoAtendimento() override;
    Resposta mensagemPinpad() override;
    Resposta workingKey() override;
    TempoEspera tempoLeituraCartao() override;
    int32_t aguardaPassagemCartao() override;
    void limpaCaixaMensagens() override;
    void mostraPainelLeitura() override;
    void escondePainelLeitura() override;
    void validaCodigoBarras() override;

    bool perguntaComTitulo(const QString& titulo, const QString& texto) override;
    std::optional<QString> pedeTexto(const QString& titulo, const QString& rotulo) override;
    void escreveCamposConfirmacao(const QString& cupom, const QString& hora) override;

    Visita menuOutras(fluxos::ConsultaVidalink& consulta) override;
    void consultaVidalink(fluxos::ConsultaVidalink& consulta) override;
    QString codigoProdutoAutorizacao(const QString& rotulo) override;

private:
    // Events processed without taking the operator's cancel request.
    void processa();
    // Any dialog or box and the end bring the messages panel up to date.
    void atualizaTela();
    QWidget* janela() const;

    JanelaOperada& principal_;
    Janelas& janelas_;
    PainelMensagens& mensagens_;
    PainelTransacao& transacao_;
    PainelConfirmacao& confirmacao_;
    bool cancelamentoPedido_ = false;
};
