// What the simulated host answers: the test cards the pinpad can read or the
// operator can type, and the magic values that decline, fail or delay a
// transaction, so every path of an integration can be had without a script.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kavexsim {

enum class Desfecho {
    Aprovada,
    RedeLenta,     // approved after the long network wait
    SenhaErrada,   // the PIN is asked again once, then approved
    Recusada,      // declined or failed: ends with the outcome's result, nothing pending
    TempoEsgotado, // the long network wait, then declined for the time-out
};

struct Resposta {
    Desfecho desfecho = Desfecho::Aprovada;
    int32_t resultado = 0;
    const char* mensagem = ""; // shown (command 22) when the transaction is not approved
};

struct CartaoTeste {
    const char* numero;
    const char* rotulo;   // as the test-card menu offers it
    const char* validade; // YYMM, as on the tracks
    Resposta resposta;
};

struct ValorMagico {
    long long centavos;
    Resposta resposta;
};

// Each card's outcome holds whatever the value; the value's holds for the approving card.
extern const CartaoTeste kCartoesTeste[5];
extern const ValorMagico kValoresMagicos[4];

const CartaoTeste& cartaoTeste(std::string_view numero);
Resposta respostaDoHost(std::string_view cartao, long long centavos);

// The tracks of a test card as the pinpad reads them.
std::string trilha1(const CartaoTeste& cartao);
std::string trilha2(const CartaoTeste& cartao);

} // namespace kavexsim
