// The flows of the built-in behaviour, one builder per function. Each gets
// the start's context (for its restrictions and values) and returns either
// a result that ends the function at once or the flow's steps.
#pragma once

#include "motor/Fluxo.h"

namespace kavexsim::fluxos {

// Function codes of IniciaFuncaoKavexInterativo that the simulator knows.
namespace funcao {
constexpr int32_t kMenu = 0, kCheque = 1, kDebito = 2, kCredito = 3, kAdministrativas = 110, kTesteComunicacao = 111,
                  kReimpressao = 114, kCancelamento = 200, kCorrespondente = 310, kTransporte = 610;
// The library's own codes for the Vidalink transactions, which no start names.
constexpr int32_t kVendaVidalink = 9001, kCancelamentoVidalink = 9002;
} // namespace funcao

// By function code: the whole catalogue of IniciaFuncaoKavexInterativo.
Criacao inicia(const Contexto& ctx);

// The other functions of the list, by their family; -100 for a code not in it.
Criacao outraFuncao(const Contexto& ctx);
// The start's value must be an amount above zero (a sale).
bool pedeValor(int32_t codigo);

struct ItemMenu {
    const char* codigo;
    const char* rotulo;
    Criacao criacao;
};
// A menu of functions leading into the chosen one's flow; going back from its
// first question comes back to this menu. Items the restrictions remove are left out.
Criacao menuDeFuncoes(const Contexto& ctx, const std::string& titulo, std::vector<ItemMenu> itens);

Criacao cheque(const Contexto& ctx);
Criacao debito(const Contexto& ctx);
Criacao credito(const Contexto& ctx);
Criacao administrativas(const Contexto& ctx);
Criacao correspondente(const Contexto& ctx);

// Interactive pinpad functions: the message or working key as given.
Criacao leCartaoInterativo(const std::string& mensagem);
Criacao leTrilha3(const std::string& mensagem);
Criacao leSenhaInterativo();

// Pharmacy consultations: `pedido` is "0" (product by product), "1" (all
// products) or a product code.
Criacao consultaProdutos(const Contexto& ctx, const std::string& pedido, bool comConvenio);
Criacao vendaVidalink(const Contexto& ctx);
Criacao cancelamentoVidalink(const Contexto& ctx, bool total, const std::string& dataVenda,
                             const std::string& cupomVenda);

} // namespace kavexsim::fluxos
