// The function codes of IniciaFuncaoKavexInterativo, and function 0, a menu
// of the main functions that leads into the chosen one.
#include "fluxos/Fluxos.h"
#include "kavexsim_codes.h"
#include "library/kavex.h"
#include "motor/Passos.h"

namespace kavexsim::fluxos {

using namespace passos;

// Every step of the chosen function's flow runs only when the menu chose it.
Criacao menuDeFuncoes(const Contexto&, const std::string& titulo, std::vector<ItemMenu> itens) {
    std::vector<Opcao> opcoes;
    Roteiro r;
    r.passos.push_back(mensagem(cmd::kCabecalho, titulo));
    r.passos.push_back({});
    std::map<std::string, std::function<int32_t(Contexto&)>> conclusoes;
    for (auto& item : itens) {
        if (item.criacao.resultado != KAVEX_CONTINUA_INTERATIVO)
            continue;
        opcoes.push_back({item.codigo, item.rotulo, 0});
        const auto escolhida = quando("funcao", item.codigo);
        for (auto& p : item.criacao.roteiro.passos) {
            p.ativo = ambos(escolhida, p.ativo);
            r.passos.push_back(std::move(p));
        }
        conclusoes[item.codigo] = item.criacao.roteiro.conclusao;
    }
    if (opcoes.empty())
        return {KAVEXSIM_RESTRICTED, {}};
    r.passos[1] = menu("funcao", opcoes);
    r.conclusao = [conclusoes](Contexto& c) {
        const auto& conclui = conclusoes.at(c["funcao"]);
        return conclui ? conclui(c) : KAVEXSIM_OK;
    };
    return {KAVEX_CONTINUA_INTERATIVO, std::move(r)};
}

Criacao inicia(const Contexto& ctx) {
    switch (ctx.inicio.funcao) {
    case funcao::kMenu:
        return menuDeFuncoes(ctx, "ESCOLHA A FUNÇÃO",
                             {{"1", "Cheque", cheque(ctx)},
                              {"2", "Débito", debito(ctx)},
                              {"3", "Crédito", credito(ctx)},
                              {"4", "Funções Administrativas", administrativas(ctx)}});
    case funcao::kCheque:
        return cheque(ctx);
    case funcao::kDebito:
        return debito(ctx);
    case funcao::kCredito:
        return credito(ctx);
    case funcao::kAdministrativas:
    case funcao::kTesteComunicacao:
    case funcao::kReimpressao:
    case funcao::kCancelamento:
        return administrativas(ctx);
    case funcao::kCorrespondente:
        return correspondente(ctx);
    default:
        return outraFuncao(ctx);
    }
}

} // namespace kavexsim::fluxos
