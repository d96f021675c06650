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

#include "motor/Estado.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kavexsim {

// Commands and field types of the interactive protocol.
namespace cmd {
constexpr int32_t kDado = 0, kMensagemOperador = 1, kMensagemCliente = 2, kMensagemAmbos = 3, kCabecalho = 4,
                  kLimpaOperador = 11, kLimpaCliente = 12, kLimpaAmbos = 13, kSimNao = 20, kMenu = 21, kAviso = 22,
                  kAguardaPinpad = 23, kCampo = 30, kCheque = 31, kCampoLivre = 34, kCodigoBarras = 35;
} // namespace cmd

namespace tipoCampo {
constexpr int32_t kDataTransacao = 105, kReciboLoja = 121, kReciboCliente = 122, kTrilha1 = 150, kTrilha2 = 151,
                  kSenha = 153;
constexpr int32_t kQtdTotal = 1010, kIndice = 1011, kCodigo = 1012, kQtdAutorizada = 1013, kPrecoMaximo = 1014,
                  kValorRecomendado = 1015, kValorVenda = 1016, kReembolso = 1017, kReposicao = 1018, kSubsidio = 1019,
                  kCnpj = 1020, kPlano = 1021, kDocumento = 1022, kDataCancelada = 1023, kCupomCancelado = 1024,
                  kCodigoDevolvido = 1025, kQtdDevolvida = 1026;
} // namespace tipoCampo

// How many command-23 cycles one wait for the pinpad lasts.
constexpr int kCiclosPinpad = 3;

struct Contexto {
    Inicio inicio;
    Estado* estado = nullptr;
    std::map<std::string, std::string> dados; // answers by name, and the flow's own values

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

// The delay named by KAVEX_SIM_DELAY_MS in milliseconds (default 0, at most
// ten seconds), and a sleep of that long.
long atrasoMs();
void esperaAtraso();

} // namespace kavexsim
