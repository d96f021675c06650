// What the simulated library remembers between calls: its configuration, the
// transaction numbers it gave, the transaction left pending and the Vidalink
// products informed before a start.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kavexsim {

struct ItemVidalink {
    std::string codigo;
    int32_t quantidade = 0;
    long long centavos = 0; // the sale value typed for the item (a sale's items only)
};

struct Transacao {
    std::string nsu; // six digits, unique in a run
    int32_t funcao = 0;
    long long centavos = 0;
    std::string cupom, data, hora;
    std::string reciboLoja, reciboCliente;
    std::string cancela; // a cancellation: the transaction number it cancels
    // Started with a non-fiscal receipt: the point of sale finishes it with its
    // own fiscal receipt, which the library never saw, so the date names it.
    bool cupomNaoFiscal = false;
    std::vector<ItemVidalink> itens; // a Vidalink sale's products
};

struct Estado {
    bool configurado = false;
    std::string loja, terminal;
    int proximoNsu = 1;
    int proximoDocumento = 1; // PBM documents are numbered apart from transactions
    std::optional<Transacao> pendente;
    std::vector<Transacao> confirmadas;
    std::vector<ItemVidalink> vendaVidalink, cancelamentoVidalink;
    // Authorisation of a Vidalink consultation whose products are expected.
    std::optional<std::string> consultaVidalink;
    // The number of a direct transaction sent "with undo", until undone.
    std::optional<std::string> diretaPendente;

    std::string novoNsu();
    std::string novoDocumento();
};

// The arguments every start carries.
struct Inicio {
    int32_t funcao = 0;
    std::string valor; // as passed
    long long centavos = 0;
    std::string cupom, data, hora, operador;
    std::set<int> restricoes;

    bool restrito(int codigo) const { return restricoes.count(codigo) != 0; }
};

} // namespace kavexsim
