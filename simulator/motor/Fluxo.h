// One interactive function as a small state machine. A flow is a list of
// steps (commands sent to the console); each call of ContinuaFuncao answers
// the step sent last and receives the next one. Steps guarded by a condition
// are skipped while it is false, so a branch is a set of guarded steps.
//
// The continuation value of each call:
//   -1   ends the function: an operator message first, then the cancel code;
//    1   goes back to the previous question (the first question is asked again);
//   1000 takes the step's alternative, or is refused when it has none;
//    0   answers the question; a wrong answer is refused with a message
//        (command 22) and the question is asked again.
#pragma once

#include "library/kavex_protocolo.h"
#include "motor/Estado.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kavexsim {

// Commands and field types of the interactive protocol, as the shared
// protocol header names them.
namespace cmd {
constexpr int32_t kDado = KAVEX_CMD_DADO, kMensagemOperador = KAVEX_CMD_MENSAGEM_OPERADOR,
                  kMensagemCliente = KAVEX_CMD_MENSAGEM_CLIENTE, kMensagemAmbos = KAVEX_CMD_MENSAGEM_AMBOS,
                  kCabecalho = KAVEX_CMD_CABECALHO_MENU, kLimpaOperador = KAVEX_CMD_LIMPA_OPERADOR,
                  kLimpaCliente = KAVEX_CMD_LIMPA_CLIENTE, kLimpaAmbos = KAVEX_CMD_LIMPA_AMBOS,
                  kSimNao = KAVEX_CMD_SIM_NAO, kMenu = KAVEX_CMD_MENU, kAviso = KAVEX_CMD_AVISO,
                  kAguardaPinpad = KAVEX_CMD_AGUARDA_PINPAD, kCampo = KAVEX_CMD_CAMPO, kCheque = KAVEX_CMD_CHEQUE,
                  kCampoLivre = KAVEX_CMD_CAMPO_LIVRE, kCodigoBarras = KAVEX_CMD_CODIGO_BARRAS;
} // namespace cmd

namespace tipoCampo {
constexpr int32_t kDataTransacao = KAVEX_CAMPO_DATA_HORA_TRANSACAO, kReciboLoja = KAVEX_CAMPO_CUPOM_LOJA,
                  kReciboCliente = KAVEX_CAMPO_CUPOM_CLIENTE, kTrilha1 = KAVEX_CAMPO_TRILHA1,
                  kTrilha2 = KAVEX_CAMPO_TRILHA2, kSenha = KAVEX_CAMPO_SENHA;
constexpr int32_t kQtdTotal = KAVEX_CAMPO_QTD_TOTAL, kIndice = KAVEX_CAMPO_INDICE, kCodigo = KAVEX_CAMPO_CODIGO,
                  kQtdAutorizada = KAVEX_CAMPO_QTD_AUTORIZADA, kPrecoMaximo = KAVEX_CAMPO_PRECO_MAXIMO,
                  kValorRecomendado = KAVEX_CAMPO_VALOR_RECOMENDADO, kValorVenda = KAVEX_CAMPO_VALOR_VENDA,
                  kReembolso = KAVEX_CAMPO_REEMBOLSO, kReposicao = KAVEX_CAMPO_REPOSICAO,
                  kSubsidio = KAVEX_CAMPO_SUBSIDIO, kCnpj = KAVEX_CAMPO_CNPJ, kPlano = KAVEX_CAMPO_PLANO,
                  kDocumento = KAVEX_CAMPO_DOCUMENTO, kDataCancelada = KAVEX_CAMPO_DATA_CANCELADA,
                  kCupomCancelado = KAVEX_CAMPO_CUPOM_CANCELADO, kCodigoDevolvido = KAVEX_CAMPO_CODIGO_DEVOLVIDO,
                  kQtdDevolvida = KAVEX_CAMPO_QTD_DEVOLVIDA;
} // namespace tipoCampo

// How many command-23 cycles one wait for the pinpad lasts.
constexpr int kCiclosPinpad = 3;

struct Contexto {
    Inicio inicio;
    Estado* estado = nullptr;
    std::map<std::string, std::string> dados; // answers by name, and the flow's own values
    // A result that ends the flow whatever its own ending would say: a decline
    // or a failure, after which nothing is left pending.
    std::optional<int32_t> encerramento;

    const std::string& operator[](const std::string& chave) { return dados[chave]; }
    bool tem(const std::string& chave) const { return dados.count(chave) != 0; }
};

// What one call returns to the console besides its result.
struct Saida {
    int32_t comando = 0;
    int32_t tipo = 0;
    int16_t minimo = 0, maximo = 0;
    std::string texto; // UTF-8; the caller encodes it
};

struct Passo {
    int32_t comando = cmd::kMensagemOperador;
    int32_t tipo = 0;
    int16_t minimo = 0, maximo = 0;
    std::function<std::string(Contexto&)> texto;
    std::function<bool(const Contexto&)> ativo; // empty: always
    // Questions: checks the answer (Windows-1252 bytes) and keeps it; returns
    // the refusal text, empty when accepted.
    std::function<std::string(Contexto&, std::string_view)> aceita;
    // Continuation 1000, with the answer sent alongside; same contract as
    // `aceita`. Empty: refused.
    std::function<std::string(Contexto&, std::string_view)> alternativa;
    // Runs when the step is sent (assigning a transaction number, say).
    std::function<void(Contexto&)> aoEnviar;
    bool demorado = false; // a pinpad or network step: takes the configured delay

    bool pergunta() const;
};

struct Roteiro {
    std::vector<Passo> passos;
    // After the last step: side effects (a pending transaction) and the result.
    std::function<int32_t(Contexto&)> conclusao;
};

// A start's outcome: a result other than 10000 ends it at once.
struct Criacao {
    int32_t resultado = 0;
    Roteiro roteiro;
};

class Fluxo {
public:
    Fluxo(Contexto contexto, Roteiro roteiro);

    // One ContinuaFuncao call: `resposta` is the buffer as received.
    int32_t continua(int32_t continuacao, std::string_view resposta, Saida& saida);

private:
    enum class Modo { Normal, Recusado, Cancelado };

    int32_t envia(int indice, Saida& saida);
    int32_t avanca(Saida& saida);
    int32_t recusa(const std::string& motivo, Saida& saida);
    int32_t volta(Saida& saida);
    std::string confere(const Passo& passo, std::string_view resposta);
    bool ativo(int indice) const;

    Contexto m_ctx;
    Roteiro m_roteiro;
    int m_atual = -1;
    Modo m_modo = Modo::Normal;
};

// Sleeps the delay named by KAVEX_SIM_DELAY_MS (milliseconds; default 0).
void esperaAtraso();

} // namespace kavexsim
