// Pharmacy functions: PBM and Vidalink consultations (items as records
// 1010-1022), the Vidalink sale and its cancellation (records 1023-1026).
#include "checks/Valores.h"
#include "fluxos/Fluxos.h"
#include "kavexsim_codes.h"
#include "library/kavex.h"
#include "motor/Catalogo.h"
#include "motor/Passos.h"

#include <algorithm>

namespace kavexsim::fluxos {

using namespace passos;

namespace {

const char* const kCnpjConvenio = "11222333000181";
const char* const kPlanoConvenio = "PLANO SIMULADO 01";

void registrosDoProduto(std::vector<Passo>& ps, int indice, const Prescrito& rx) {
    const Produto& p = *produto(rx.codigo);
    const std::string v = checks::formataValor(p.preco);
    ps.push_back(fixo(tipoCampo::kIndice, std::to_string(indice)));
    ps.push_back(fixo(tipoCampo::kCodigo, p.codigo));
    ps.push_back(fixo(tipoCampo::kQtdAutorizada, std::to_string(rx.quantidade)));
    ps.push_back(fixo(tipoCampo::kPrecoMaximo, v));
    ps.push_back(fixo(tipoCampo::kValorRecomendado, checks::formataValor(p.preco * 9 / 10)));
    ps.push_back(fixo(tipoCampo::kValorVenda, v));
    ps.push_back(fixo(tipoCampo::kReembolso, checks::formataValor(p.subsidio)));
    ps.push_back(fixo(tipoCampo::kReposicao, checks::formataValor(p.preco * 8 / 10)));
    ps.push_back(fixo(tipoCampo::kSubsidio, checks::formataValor(p.subsidio)));
}

Criacao comPassos(std::vector<Passo> passos, std::function<int32_t(Contexto&)> conclusao) {
    Roteiro r;
    r.passos = std::move(passos);
    r.conclusao = conclusao ? std::move(conclusao) : [](Contexto&) { return KAVEXSIM_OK; };
    return {KAVEX_CONTINUA_INTERATIVO, std::move(r)};
}

std::vector<std::string> linhasDeItens(const std::vector<ItemVidalink>& itens, bool comValor) {
    std::vector<std::string> l;
    for (const auto& i : itens) {
        l.push_back(std::to_string(i.quantidade) + " X " + produto(i.codigo)->nome);
        if (comValor)
            l.back() += "  R$ " + checks::formataValor(i.centavos);
    }
    return l;
}

} // namespace

Criacao consultaProdutos(const Contexto& ctx, const std::string& pedido, bool comConvenio) {
    const auto& prescritos = receita(ctx.dados.at("autorizacao"));
    std::vector<Passo> ps;
    ps.push_back(mensagem(cmd::kMensagemOperador, "CONSULTANDO AUTORIZAÇÃO"));
    ps.back().demorado = true;
    if (pedido == "0" || pedido == "1") {
        if (comConvenio) {
            ps.push_back(fixo(tipoCampo::kCnpj, kCnpjConvenio));
            ps.push_back(fixo(tipoCampo::kPlano, kPlanoConvenio));
            ps.push_back(registro(tipoCampo::kDocumento, [](Contexto& c) { return c.estado->novoDocumento(); }));
        }
        ps.push_back(fixo(tipoCampo::kQtdTotal, std::to_string(prescritos.size())));
        if (pedido == "1") {
            int indice = 0;
            for (const auto& rx : prescritos)
                registrosDoProduto(ps, ++indice, rx);
        }
        return comPassos(std::move(ps), {});
    }
    int indice = 0;
    for (const auto& rx : prescritos) {
        ++indice;
        if (pedido == rx.codigo) {
            registrosDoProduto(ps, indice, rx);
            return comPassos(std::move(ps), {});
        }
    }
    return {KAVEXSIM_UNKNOWN_PRODUCT, {}};
}

Criacao vendaVidalink(const Contexto& ctx) {
    const auto itens = ctx.estado->vendaVidalink;
    const auto& prescritos = receita(ctx.dados.at("autorizacao"));
    long long total = 0, subsidio = 0;
    for (const auto& i : itens) {
        const auto rx = std::find_if(prescritos.begin(), prescritos.end(),
                                     [&](const Prescrito& p) { return i.codigo == p.codigo; });
        if (rx == prescritos.end())
            return {KAVEXSIM_UNKNOWN_PRODUCT, {}};
        if (i.quantidade > rx->quantidade)
            return {KAVEXSIM_BAD_QUANTITY, {}};
        // Sold at most at the maximum price, and never below what the plan pays.
        const Produto& p = *produto(i.codigo);
        if (i.centavos > p.preco * i.quantidade || i.centavos < p.subsidio * i.quantidade)
            return {KAVEXSIM_BAD_AMOUNT, {}};
        total += i.centavos;
        subsidio += p.subsidio * i.quantidade;
    }
    std::vector<Passo> ps;
    Passo inicio = mensagem(cmd::kCabecalho, "VENDA VIDALINK");
    inicio.aoEnviar = [total](Contexto& c) { c.dados["centavos"] = std::to_string(total); };
    ps.push_back(std::move(inicio));
    acrescenta(ps, autoriza("VENDA VIDALINK", [itens, total, subsidio](Contexto&) {
                   auto l = linhasDeItens(itens, true);
                   l.push_back("SUBSÍDIO DO CONVÊNIO R$ " + checks::formataValor(subsidio));
                   l.push_back("VALOR DO CLIENTE R$ " + checks::formataValor(total - subsidio));
                   return l;
               }));
    return comPassos(std::move(ps), [itens](Contexto& c) {
        concluiPendente(c);
        c.estado->pendente->itens = itens;
        return KAVEXSIM_OK;
    });
}

Criacao cancelamentoVidalink(const Contexto& ctx, bool total, const std::string& dataVenda,
                             const std::string& cupomVenda) {
    const auto& lista = ctx.estado->confirmadas;
    const auto venda = std::find_if(lista.begin(), lista.end(), [&](const Transacao& t) {
        return t.funcao == funcao::kVendaVidalink && t.cupom == cupomVenda && t.data == dataVenda && t.cancela.empty();
    });
    if (venda == lista.end())
        return {KAVEXSIM_SALE_NOT_FOUND, {}};
    const auto itens = total ? venda->itens : ctx.estado->cancelamentoVidalink;
    long long valor = 0;
    for (const auto& i : itens) {
        const auto vendido = std::find_if(venda->itens.begin(), venda->itens.end(),
                                          [&](const ItemVidalink& v) { return v.codigo == i.codigo; });
        if (vendido == venda->itens.end())
            return {KAVEXSIM_UNKNOWN_PRODUCT, {}};
        if (i.quantidade > vendido->quantidade)
            return {KAVEXSIM_BAD_QUANTITY, {}};
        valor += vendido->centavos * i.quantidade / vendido->quantidade;
    }
    std::vector<Passo> ps;
    ps.push_back(mensagem(cmd::kCabecalho, total ? "CANCELAMENTO TOTAL VIDALINK" : "CANCELAMENTO PARCIAL VIDALINK"));
    ps.push_back(fixo(tipoCampo::kDataCancelada, dataVenda));
    ps.push_back(fixo(tipoCampo::kCupomCancelado, cupomVenda));
    for (const auto& i : itens) {
        ps.push_back(fixo(tipoCampo::kCodigoDevolvido, i.codigo));
        ps.push_back(fixo(tipoCampo::kQtdDevolvida, std::to_string(i.quantidade)));
    }
    ps.front().aoEnviar = [valor](Contexto& c) { c.dados["centavos"] = std::to_string(valor); };
    acrescenta(ps, autoriza("CANCELAMENTO VIDALINK", [itens, cupomVenda](Contexto&) {
                   auto l = linhasDeItens(itens, false);
                   l.insert(l.begin(), "CUPOM CANCELADO " + cupomVenda);
                   return l;
               }));
    return comPassos(std::move(ps), [nsu = venda->nsu](Contexto& c) {
        concluiPendente(c, nsu);
        c.estado->pendente->cupomNaoFiscal = true;
        return KAVEXSIM_OK;
    });
}

} // namespace kavexsim::fluxos
