#include "motor/Desfechos.h"

#include "kavexsim_codes.h"

namespace kavexsim {

const CartaoTeste kCartoesTeste[5] = {
    {"4111111111111111", "Aprovado", "3012", {}},
    {"4000000000000002",
     "Saldo Insuficiente",
     "3012",
     {Desfecho::Recusada, KAVEXSIM_INSUFFICIENT_FUNDS, "TRANSAÇÃO NEGADA: SALDO INSUFICIENTE"}},
    {"4000000000000069",
     "Cartão Vencido",
     "2001",
     {Desfecho::Recusada, KAVEXSIM_EXPIRED_CARD, "TRANSAÇÃO NEGADA: CARTÃO VENCIDO"}},
    {"4000000000000119",
     "Cartão Bloqueado",
     "3012",
     {Desfecho::Recusada, KAVEXSIM_BLOCKED_CARD, "TRANSAÇÃO NEGADA: CARTÃO BLOQUEADO"}},
    {"4000000000000127", "Senha Errada na Primeira", "3012", {Desfecho::SenhaErrada, 0, "SENHA INVÁLIDA"}},
};

const ValorMagico kValoresMagicos[4] = {
    {905, {Desfecho::Recusada, KAVEXSIM_DECLINED, "TRANSAÇÃO NEGADA PELO EMISSOR"}},
    {991, {Desfecho::Recusada, KAVEXSIM_COMMUNICATION_FAILURE, "FALHA DE COMUNICAÇÃO COM O AUTORIZADOR"}},
    {968, {Desfecho::TempoEsgotado, KAVEXSIM_TIMEOUT, "TEMPO DE RESPOSTA ESGOTADO"}},
    {977, {Desfecho::RedeLenta, 0, ""}},
};

const CartaoTeste& cartaoTeste(std::string_view numero) {
    for (const auto& c : kCartoesTeste) {
        if (numero == c.numero)
            return c;
    }
    // Any other card is the approving one.
    return kCartoesTeste[0];
}

Resposta respostaDoHost(std::string_view cartao, long long centavos) {
    const Resposta& doCartao = cartaoTeste(cartao).resposta;
    if (doCartao.desfecho != Desfecho::Aprovada)
        return doCartao;
    for (const auto& v : kValoresMagicos) {
        if (v.centavos == centavos)
            return v.resposta;
    }
    return {};
}

std::string trilha1(const CartaoTeste& cartao) {
    return std::string("B") + cartao.numero + "^CARTAO DE TESTE/SIMULADOR^" + cartao.validade + "2010000000000000";
}

std::string trilha2(const CartaoTeste& cartao) {
    return std::string(cartao.numero) + "=" + cartao.validade + "2010000000000000";
}

} // namespace kavexsim
