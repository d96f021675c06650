#pragma once

// The library's interactive command loop, without widgets. Once a start call
// answered 10000, the library leads: every ContinuaFuncaoKavexInterativo call
// returns a command, the loop has the operator carry it out and sends the
// answer back with the next call, until the library answers anything else.
// Then it shows the result, the receipt (or prints it) and finishes the
// transaction as the operator chose.
//
// Everything the operator sees or answers goes through OperadorLaco; the main
// window supplies the one that shows the real dialogs, tests a scripted one.

#include <QString>

#include <array>
#include <cstdint>

class KavexLibrary;
struct EstadoConsole;

// What the loop needs from the operator, one group of methods per kind of
// window. The dialogs that end the function or go back say so through the
// shared Continua, as they always do; the loop sets it to 0 before asking.
class OperadorLaco {
public:
    virtual ~OperadorLaco() = default;

    // A new function: the receipt, the consultation, the trace and the
    // operator messages are emptied, and `dataHora` goes on the message line.
    virtual void iniciaFuncao(const QString& dataHora) = 0;
    // Pending window events are processed; a click on "Cancela &Pinpad" made
    // meanwhile takes effect here.
    virtual void processaEventos() = 0;

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

    // What the operator typed in a menu or field dialog, and whether the
    // "1000" choice was selected when the dialog closed.
    struct Escolha {
        QString texto;
        bool alternativo = false;
    };
    // `tamanhoMaximo` is the longest answer the box takes.
    virtual void cabecalhoMenu(const QString& texto) = 0;
    virtual Escolha menu(const QString& opcoes, int tamanhoMaximo) = 0;
    virtual Escolha coletaCampo(const QString& solicitacao, int tamanhoMaximo) = 0;

    // Cheque: the way the data will be given (true for the CMC-7 line; the
    // dialogs are emptied first), then the eight typed fields joined, or the
    // CMC-7 line.
    virtual bool escolheCheque() = 0;
    virtual QString chequeDigitado(const QString& solicitacao) = 0;
    virtual QString chequeCMC7(const QString& solicitacao, int tamanhoMaximo) = 0;

    // Bar code: "1:" or "0:" followed by the accepted code.
    virtual QString codigoBarras(const QString& solicitacao) = 0;

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

    // The end: the result code, what the main window says about finishing,
    // and the controls given back.
    struct Finalizacao {
        bool imprime = false; // the printer choice is "Com"
        QString cupomFiscal;
        QString hora; // empty: the time the function started
    };
    virtual void mostraResultado(int32_t retorno) = 0;
    virtual Finalizacao finalizacao() = 0;
    virtual void devolveControles() = 0;
};

// Every line feed becomes CR LF; everything else, a CR already before a line
// feed included, is kept.
QString converteQuebras(const QString& texto);

class LacoComandos {
public:
    // The size the library is told; one byte of it is the terminator.
    static constexpr int32_t kTamanhoBuffer = 20001;
    static constexpr int kMaximoResposta = kTamanhoBuffer - 1;
    // The library's answer while a function goes on.
    static constexpr int32_t kContinua = 10000;

    enum : int32_t { Desfaz = 0, Confirma = 1, Pendente = 2 };

    LacoComandos(EstadoConsole& estado, KavexLibrary& biblioteca, OperadorLaco& operador);
    LacoComandos(const LacoComandos&) = delete;
    LacoComandos& operator=(const LacoComandos&) = delete;

    // Carries a started function to its end; the controls are given back.
    void ContinuaFuncao();

    // The outputs of the last call.
    int32_t ProximoComando = 0;
    int32_t TipoCampo = 0;
    int16_t TamanhoMinimo = 0;
    int16_t TamanhoMaximo = 0;
    int32_t ContadorComando23 = 0;
    bool CupomRecebido = false;
    // 0 undo, 1 confirm, 2 leave pending.
    int32_t OpcaoConfirmacao = Pendente;

    // The text of the buffer: up to the first zero byte, never past its end.
    QString textoBuffer() const;

private:
    void prepara();
    // One call to the library, its two trace lines and, while the function
    // goes on, its command; false once the function is over.
    bool ciclo();
    void executaComando();
    void registraDado();
    void mostraMensagem();
    void perguntaSimNao();
    void menu();
    void confirmaMensagem();
    void aguardaPinpad();
    void coletaCampo(bool comMinimo);
    void cheque();
    void codigoBarras();
    void encerraFuncao();
    void finalizaTransacao(const OperadorLaco::Finalizacao& dados);

    // Asks again, with "Digite Novamente", while the answer is shorter than
    // the minimum and the operator neither ended nor went back.
    template <class Pedido> QString repeteEnquantoCurto(QString resposta, Pedido pedido);
    // The longest answer the buffer and the library take.
    int limiteResposta() const;
    bool encerrouOuVoltou() const;
    void escreveBuffer(const QString& resposta);

    EstadoConsole& estado_;
    KavexLibrary& biblioteca_;
    OperadorLaco& operador_;
    // Lives as long as the main window and is never cleared: a command that
    // gets no answer sends back what the library left in it.
    std::array<char, kTamanhoBuffer> Buffer{};
    // The text of Buffer as the last call left it.
    QString texto_;
};
