#pragma once

// The operator as the flows see it: everything the start, the command loop,
// the manual confirmation and the other transactions show or ask goes
// through here. The main window supplies the one that shows the real dialogs
// (OperadorJanelas), tests a scripted one.
//
// Every method that asks returns the whole answer: the text, the
// continuation the operator chose in the dialog (0 carry on, 1 "&Volta",
// -1 "&Encerra") and the "1000" choice. No flow reads an answer anywhere else.

#include <QString>

#include <cstdint>
#include <optional>

namespace fluxos {
class ConsultaVidalink;
}

class OperadorLaco {
public:
    virtual ~OperadorLaco() = default;

    // ---- The command loop ----

    // A new function: the receipt, the consultation, the trace and the
    // operator messages are emptied, and `dataHora` goes on the message line.
    virtual void iniciaFuncao(const QString& dataHora) = 0;
    // Pending window events are processed. True when the operator pressed
    // "Cancela &Pinpad" since the last time: the function is to end (-1).
    virtual bool processaEventos() = 0;

    // Trace: one line added to the trace box.
    virtual void registra(const QString& linha) = 0;

    // Messages: the one-line display, the operator-message box (texts come
    // with CR LF line breaks), both emptied, an untitled notice with OK, and
    // an error box.
    virtual void mostraMensagem(const QString& texto) = 0;
    virtual void acrescentaMensagem(const QString& texto) = 0;
    virtual void limpaMensagens() = 0;
    virtual void avisa(const QString& texto) = 0;
    virtual void mostraErro(const QString& texto) = 0;

    // Untitled yes/no question; true for Yes.
    virtual bool pergunta(const QString& texto) = 0;

    // What the operator typed or chose in a dialog, how the dialog ended
    // (0, 1 "&Volta" or -1 "&Encerra"), and whether the "1000" choice was
    // selected when it closed.
    struct Resposta {
        QString texto;
        int32_t continua = 0;
        bool alternativo = false;
    };
    // `tamanhoMaximo` is the longest answer the box takes.
    virtual void cabecalhoMenu(const QString& texto) = 0;
    virtual Resposta menu(const QString& opcoes, int tamanhoMaximo) = 0;
    virtual Resposta coletaCampo(const QString& solicitacao, int tamanhoMaximo) = 0;

    // Cheque: the way the data will be given (the dialogs are emptied first),
    // then the eight typed fields joined, or the CMC-7 line.
    struct EscolhaCheque {
        bool cmc7 = false;
        int32_t continua = 0;
    };
    virtual EscolhaCheque escolheCheque() = 0;
    virtual Resposta chequeDigitado(const QString& solicitacao) = 0;
    virtual Resposta chequeCMC7(const QString& solicitacao, int tamanhoMaximo) = 0;

    // Bar code: "1:" or "0:" followed by the accepted code.
    virtual Resposta codigoBarras(const QString& solicitacao) = 0;

    // The panel shown while the library waits for the pinpad, with its count.
    virtual void aguardaPinpad(int32_t contador) = 0;
    virtual void escondeAguardaPinpad() = 0;

    // Receipt: texts added in arrival order (CR LF line breaks); the receipt
    // screen, which answers the finishing choice; printing, which answers an
    // empty text or the reason it failed.
    virtual void acrescentaCupom(const QString& texto) = 0;
    virtual int32_t mostraCupom() = 0;
    virtual QString imprimeCupom() = 0;

    // Consultation lines (CR LF line breaks), whether any text was gathered,
    // and the consultation screen under a caption.
    virtual void acrescentaConsulta(const QString& texto) = 0;
    virtual bool temConsulta() = 0;
    virtual void mostraConsulta(const QString& titulo) = 0;

    // The end: the result code in "Resultado:", what the main window says
    // about finishing, and the controls given back.
    struct Finalizacao {
        bool imprime = false; // the printer choice is "Com"
        QString cupomFiscal;
        QString hora; // empty: the time the function started
    };
    virtual void mostraResultado(int32_t retorno) = 0;
    virtual Finalizacao finalizacao() = 0;
    virtual void devolveControles() = 0;

    // ---- The start ----

    // The main window's fields that the start fills in when left empty.
    virtual void escreveCupomFiscal(const QString& cupom) = 0;
    virtual void escreveValor(const QString& valor) = 0;
    virtual void escreveHora(const QString& hora) = 0;
    // The self-service product list: whether the operator gave one, and it.
    struct ListaProdutos {
        bool informada = false;
        QString lista;
    };
    virtual ListaProdutos produtosAutoAtendimento() = 0;
    // The pinpad prompts: the message for the pinpad, the working key, and
    // the card-read time-out (nothing when left empty).
    virtual Resposta mensagemPinpad() = 0;
    virtual Resposta workingKey() = 0;
    struct TempoEspera {
        std::optional<uint16_t> segundos;
        int32_t continua = 0;
    };
    virtual TempoEspera tempoLeituraCartao() = 0;
    // Whether LeCartaoDiretoEx waits for the card: 0 "Sim", 1 "Não".
    virtual int32_t aguardaPassagemCartao() = 0;
    // The operator-message box alone emptied; the panel with "Interrompe
    // Leitura" over it while the library reads the card.
    virtual void limpaCaixaMensagens() = 0;
    virtual void mostraPainelLeitura() = 0;
    virtual void escondePainelLeitura() = 0;
    // The bar-code window in its validation mode.
    virtual void validaCodigoBarras() = 0;

    // ---- The manual confirmation ----

    // Titled yes/no question; true for Yes.
    virtual bool perguntaComTitulo(const QString& titulo, const QString& texto) = 0;
    // A text asked in a box; nothing when the operator cancelled.
    virtual std::optional<QString> pedeTexto(const QString& titulo, const QString& rotulo) = 0;
    // The confirmation panel's fiscal receipt and time, as filled in.
    virtual void escreveCamposConfirmacao(const QString& cupom, const QString& hora) = 0;

    // ---- The other transactions ----

    enum class EscolhaOutras { Nenhuma, Vidalink, ConsultaPBM };
    enum class EscolhaVidalink { Nenhuma, Consulta, Venda, Cancelamento };
    // What the other-transactions menu and the windows it leads to decided:
    // the choice, and the result of the sale or cancellation started there
    // (nothing when none was, or the window was left without it). The
    // consultation's first step is made in `consulta`.
    struct Visita {
        EscolhaOutras escolha = EscolhaOutras::Nenhuma;
        EscolhaVidalink vidalink = EscolhaVidalink::Nenhuma;
        std::optional<int32_t> inicio;
    };
    virtual Visita menuOutras(fluxos::ConsultaVidalink& consulta) = 0;
    // The Vidalink consultation window again, for its next product step,
    // made in `consulta`.
    virtual void consultaVidalink(fluxos::ConsultaVidalink& consulta) = 0;
    // The code entry of the PBM consultation under `rotulo`.
    virtual QString codigoProdutoAutorizacao(const QString& rotulo) = 0;
};
