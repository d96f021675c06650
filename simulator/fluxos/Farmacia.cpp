// Pharmacy functions: PBM and Vidalink consultations (items as records
// 1010-1022), the Vidalink sale and its cancellation (records 1023-1026).
#include "checks/Valores.h"
#include "fluxos/Fluxos.h"
#include "kavexsim_codes.h"
#include "library/kavex.h"
#include "motor/Catalogo.h"
#include "motor/Passos.h"

namespace kavexsim::fluxos {

using namespace passos;

namespace {

const char* const kCnpjConvenio = "11222333000181";
const char* const kPlanoConvenio = "PLANO SIMULADO 01";

Passo fixo(int32_t tipo, std::string texto) {
    return registro(tipo, [texto](Contexto&) { return texto; });
}

void registrosDoProduto(std::vector<Passo>& ps, int indice, const Produto& p) {
    const std::string v = checks::formataValor(p.preco);
    ps.push_back(fixo(tipoCampo::kIndice, std::to_string(indice)));
    ps.push_back(fixo(tipoCampo::kCodigo, p.codigo));
    ps.push_back(fixo(tipoCampo::kQtdAutorizada, std::to_string(p.quantidadeMaxima)));
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

std::vector<std::string> linhasDeItens(const std::vector<ItemVidalink>& itens) {
    std::vector<std::string> l;
    for (const auto& i : itens)
        l.push_back(std::to_string(i.quantidade) + " X " + produto(i.codigo)->nome);
    return l;
}

} // namespace

Criacao consultaProdutos(const Contexto&, const std::string& pedido, bool comConvenio) {
    std::vector<Passo> ps;
    ps.push_back(mensagem(cmd::kMensagemOperador, "CONSULTANDO AUTORIZAÇÃO"));
    ps.back().demorado = true;
    if (pedido == "0" || pedido == "1") {
        if (comConvenio) {
            ps.push_back(fixo(tipoCampo::kCnpj, kCnpjConvenio));
            ps.push_back(fixo(tipoCampo::kPlano, kPlanoConvenio));
            ps.push_back(registro(tipoCampo::kDocumento, [](Contexto& c) { return c.estado->novoNsu(); }));
        }
        ps.push_back(fixo(tipoCampo::kQtdTotal, std::to_string(std::size(kCatalogo))));
        if (pedido == "1") {
            int indice = 0;
            for (const auto& p : kCatalogo)
                registrosDoProduto(ps, ++indice, p);
        }
        return comPassos(std::move(ps), {});
    }
    int indice = 0;
    for (const auto& p : kCatalogo) {
        ++indice;
        if (pedido == p.codigo) {
            registrosDoProduto(ps, indice, p);
            return comPassos(std::move(ps), {});
        }
    }
    return {KAVEXSIM_UNKNOWN_PRODUCT, {}};
}

Criacao vendaVidalink(const Contexto& ctx) {
    std::vector<Passo> ps;
    const auto itens = ctx.estado->vendaVidalink;
    long long total = 0;
    for (const auto& i : itens)
        total += produto(i.codigo)->preco * i.quantidade;
    Passo inicio = mensagem(cmd::kCabecalho, "VENDA VIDALINK");
    inicio.aoEnviar = [total](Contexto& c) { c.dados["centavos"] = std::to_string(total); };
    ps.push_back(std::move(inicio));
    acrescenta(ps, autoriza("VENDA VIDALINK", [itens](Contexto&) { return linhasDeItens(itens); }));
    return comPassos(std::move(ps), [](Contexto& c) { return concluiPendente(c); });
}

Criacao cancelamentoVidalink(const Contexto& ctx, bool total, const std::string& dataVenda,
                             const std::string& cupomVenda) {
    std::vector<Passo> ps;
    ps.push_back(mensagem(cmd::kCabecalho, total ? "CANCELAMENTO TOTAL VIDALINK" : "CANCELAMENTO PARCIAL VIDALINK"));
    ps.push_back(fixo(tipoCampo::kDataCancelada, dataVenda));
    ps.push_back(fixo(tipoCampo::kCupomCancelado, cupomVenda));
    const auto itens = ctx.estado->cancelamentoVidalink;
    long long valor = 0;
    for (const auto& i : itens) {
        ps.push_back(fixo(tipoCampo::kCodigoDevolvido, i.codigo));
        ps.push_back(fixo(tipoCampo::kQtdDevolvida, std::to_string(i.quantidade)));
        valor += produto(i.codigo)->preco * i.quantidade;
    }
    ps.front().aoEnviar = [valor](Contexto& c) { c.dados["centavos"] = std::to_string(valor); };
    acrescenta(ps, autoriza("CANCELAMENTO VIDALINK", [itens, cupomVenda](Contexto&) {
                   auto l = linhasDeItens(itens);
                   l.insert(l.begin(), "CUPOM CANCELADO " + cupomVenda);
                   return l;
               }));
    return comPassos(std::move(ps), [](Contexto& c) { return concluiPendente(c); });
}

} // namespace kavexsim::fluxos
