// Building blocks of the flows: the common steps, the sale's ending and the
// receipts, so that each flow file only says what is its own.
#pragma once

#include "motor/Fluxo.h"

#include <string>
#include <utility>
#include <vector>

namespace kavexsim::passos {

using Condicao = std::function<bool(const Contexto&)>;

struct Opcao {
    std::string codigo; // what the operator types
    std::string rotulo;
    int restricao = 0; // restriction code that removes the option; 0: none
};

// The answer kept under `chave` is (or is not) `valor`.
Condicao quando(const std::string& chave, const std::string& valor);
Condicao salvo(const std::string& chave, const std::string& valor);
// Both hold; an empty condition always holds.
Condicao ambos(Condicao a, Condicao b);

// Options left by the start's restrictions.
std::vector<Opcao> oferecidas(const Contexto& ctx, const std::vector<Opcao>& opcoes);

Passo mensagem(int32_t comando, std::string texto, Condicao ativo = {});
Passo registro(int32_t tipo, std::function<std::string(Contexto&)> texto, Condicao ativo = {});
// A record whose text never changes.
Passo fixo(int32_t tipo, std::string texto, Condicao ativo = {});
// Menu "1:A;2:B;" of the options the restrictions leave; the answer is kept under `chave`.
Passo menu(const std::string& chave, std::vector<Opcao> opcoes, Condicao ativo = {});
// Yes/no: "0" yes, "1" no; kept under `chave`.
Passo simNao(const std::string& chave, std::function<std::string(Contexto&)> texto, Condicao ativo = {});
// A field: lengths are checked by the flow; `valida` checks the rest (empty: accepted) before it is kept.
Passo campo(int32_t comando, const std::string& chave, std::string texto, int16_t minimo, int16_t maximo,
            std::function<std::string(Contexto&, const std::string&)> valida, Condicao ativo = {});
// Continuation 1000 on a menu: the same choice, and the answer under `chave` set to "1".
std::function<std::string(Contexto&, std::string_view)> marcaAlternativa(const Passo& menu, const std::string& chave);
// kCiclosPinpad command-23 cycles showing `texto`.
std::vector<Passo> aguardaPinpad(std::string texto, Condicao ativo = {});
// The card as the pinpad reads it: waiting, then tracks 1 and 2. When the
// answer kept under "escolheCartao" is "1", a menu of the test cards comes
// first and the pinpad reads the one chosen.
std::vector<Passo> leCartao(std::string texto, Condicao ativo = {});
// The PIN as the pinpad reads it: waiting, then the fake PIN block.
std::vector<Passo> leSenha(Condicao ativo = {});

// The common ending of a sale: processing, then the host's answer to the card
// and value (a slow network, a wrong PIN asked again, a decline or failure
// that ends the flow with its result); approved, a new transaction number,
// the transaction date, both receipts and the approval. `linhas` adds the
// flow's own receipt lines.
std::vector<Passo> autoriza(std::string titulo, std::function<std::vector<std::string>(Contexto&)> linhas,
                            Condicao ativo = {});
// Makes the authorised transaction pending and answers 0; `cancela` names
// the transaction that this one cancels once confirmed.
int32_t concluiPendente(Contexto& ctx, const std::string& cancela = {});
// Runs the given ending unless the operator answered no to `chave` (then the cancel code).
std::function<int32_t(Contexto&)> salvoRecusa(const std::string& chave);

// Validators.
std::string exigeValor(Contexto& ctx, const std::string& chave, const std::string& resposta);
std::string exigeDigitos(const std::string& resposta);
// A date typed DDMMAAAA that names a day after the start's date.
std::string exigeDataFutura(Contexto& ctx, const std::string& resposta);

// The confirmed, not yet cancelled transaction of that number (six digits).
const Transacao* confirmada(const Contexto& ctx, const std::string& nsu);
// The last receipt: of the pending transaction, else of the last confirmed one.
const Transacao* ultimaTransacao(const Contexto& ctx);
// Both receipts of the transaction `qual` names, headed "REIMPRESSÃO"; a
// notice when there is none.
std::vector<Passo> reimprime(std::function<const Transacao*(const Contexto&)> qual, Condicao ativo);
// The number of a confirmed, not cancelled transaction of one of the
// `origens` function codes (any when empty), kept as "original" with its
// value as "centavosOriginal". Continuation 1000: the last such one.
Passo campoNsu(std::vector<int32_t> origens, Condicao ativo);

void acrescenta(std::vector<Passo>& destino, std::vector<Passo> origem);

// The test card, never a real one.
extern const char* const kTrilha1Teste;
extern const char* const kTrilha2Teste;
extern const char* const kTrilha3Teste;
extern const char* const kBlocoSenhaTeste;
std::string mascara(const std::string& cartao);

} // namespace kavexsim::passos
