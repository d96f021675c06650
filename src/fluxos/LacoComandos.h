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

#include "fluxos/Operador.h"
#include "library/kavex.h"

#include <QString>

#include <array>
#include <cstdint>

class KavexLibrary;
struct EstadoConsole;

// Every line feed becomes CR LF; everything else, a CR already before a line
// feed included, is kept.
QString converteQuebras(const QString& texto);

class LacoComandos {
public:
    // The size the library is told; one byte of it is the terminator.
    static constexpr int32_t kTamanhoBuffer = KAVEX_TAM_BUFFER_INTERATIVO;
    static constexpr int kMaximoResposta = kTamanhoBuffer - 1;
    // The library's answer while a function goes on.
    static constexpr int32_t kContinua = KAVEX_CONTINUA_INTERATIVO;

    enum : int32_t { Desfaz = 0, Confirma = 1, Pendente = 2 };

    LacoComandos(EstadoConsole& estado, KavexLibrary& biblioteca, OperadorLaco& operador);
    LacoComandos(const LacoComandos&) = delete;
    LacoComandos& operator=(const LacoComandos&) = delete;

    // Carries a started function to its end; the controls are given back. A
    // Vidalink consultation shows its consultation screen at the end, under
    // that title.
    void ContinuaFuncao(bool consultaVidalink = false);

    // The outputs of the last call.
    int32_t ProximoComando = 0;
    int32_t TipoCampo = 0;
    int16_t TamanhoMinimo = 0;
    int16_t TamanhoMaximo = 0;
    int32_t ContadorComando23 = 0;
    bool CupomRecebido = false;
    // 0 undo, 1 confirm, 2 leave pending.
    int32_t OpcaoConfirmacao = Pendente;
    // The continuation value sent with the next call: 0 carry on, 1 go back,
    // -1 end the function, 1000 the operator's alternative value.
    int32_t Continua = KAVEX_CONTINUA_SEGUE;

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
    // Keeps what a dialog said about going on: an end or a going back
    // replaces the value to send, an ordinary answer leaves it.
    void anota(int32_t continua);
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
    bool consultaVidalink_ = false;
};
