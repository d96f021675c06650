// The administrative menu: communication test, reprint of the last receipt,
// cancellation of a confirmed sale and a credit (CDC) consultation.
#include "checks/Digitos.h"
#include "checks/Valores.h"
#include "fluxos/Fluxos.h"
#include "kavexsim_codes.h"
#include "library/kavex.h"
#include "motor/Passos.h"

#include <algorithm>
#include <iterator>

namespace kavexsim::fluxos {

using namespace passos;

namespace {

constexpr int kCancelamentoCartao = 40;

// The credit plans the consultation offers, over a simulated R$ 1.000,00.
struct PlanoCdc {
    const char* codigo;
    const char* parcelas;
    const char* parcela;
    const char* total;
};
constexpr PlanoCdc kPlanosCdc[] = {{"CDC06", "6", "175,24", "1.051,44"}, {"CDC12", "12", "96,40", "1.156,80"}};

// The closing line break brings the console's consultation screen, where the items already stand.
const char* const kFimConsultaCdc = "CONSULTA CDC - SIMULADOR\nSUJEITO A APROVAÇÃO DE CRÉDITO";

// The plans as consultation items (command 0, field types 1010-1022), then the closing message.
std::vector<Passo> consultaCdc(Condicao ativo) {
    std::vector<Passo> ps;
    ps.push_back(fixo(tipoCampo::kCnpj, "11222333000181", ativo));
    ps.push_back(fixo(tipoCampo::kPlano, "CDC SIMULADO", ativo));
    ps.push_back(registro(
        tipoCampo::kDocumento, [](Contexto& c) { return c.estado->novoDocumento(); }, ativo));
    ps.push_back(fixo(tipoCampo::kQtdTotal, std::to_string(std::size(kPlanosCdc)), ativo));
    int indice = 0;
    for (const auto& p : kPlanosCdc) {
        ps.push_back(fixo(tipoCampo::kIndice, std::to_string(++indice), ativo));
        ps.push_back(fixo(tipoCampo::kCodigo, p.codigo, ativo));
        ps.push_back(fixo(tipoCampo::kQtdAutorizada, p.parcelas, ativo));
        ps.push_back(fixo(tipoCampo::kPrecoMaximo, p.parcela, ativo));
        ps.push_back(fixo(tipoCampo::kValorVenda, p.total, ativo));
    }
    ps.push_back(mensagem(cmd::kAviso, kFimConsultaCdc, ativo));
    return ps;
}

} // namespace

Criacao administrativas(const Contexto& ctx) {
    const std::vector<Opcao> opcoes = {{"1", "Teste de Comunicação", 0},
                                       {"2", "Reimpressão do Último Comprovante", 0},
                                       {"3", "Cancelamento de Venda", kCancelamentoCartao},
                                       {"4", "Consulta CDC", 0}};
    std::string fixa;
    if (ctx.inicio.funcao == funcao::kTesteComunicacao)
        fixa = "1";
    else if (ctx.inicio.funcao == funcao::kReimpressao)
        fixa = "2";
    else if (ctx.inicio.funcao == funcao::kCancelamento)
        fixa = ctx.inicio.restrito(kCancelamentoCartao) ? "" : "3";
    if (ctx.inicio.funcao == funcao::kCancelamento && fixa.empty())
        return {KAVEXSIM_RESTRICTED, {}};

    const auto escolha = [](const char* op) { return quando("adm", op); };
    Roteiro r;
    r.passos.push_back(mensagem(cmd::kLimpaCliente, ""));
    Passo cabecalho = mensagem(cmd::kCabecalho, "FUNÇÕES ADMINISTRATIVAS");
    cabecalho.aoEnviar = [fixa](Contexto& c) {
        if (!fixa.empty())
            c.dados["adm"] = fixa;
    };
    r.passos.push_back(std::move(cabecalho));
    r.passos.push_back(menu("adm", opcoes, [fixa](const Contexto&) { return fixa.empty(); }));

    Passo teste = mensagem(cmd::kMensagemAmbos, "TESTE DE COMUNICAÇÃO OK", escolha("1"));
    teste.demorado = true;
    r.passos.push_back(std::move(teste));

    acrescenta(r.passos, reimprime(ultimaTransacao, escolha("2")));
    r.passos.push_back(campoNsu({}, escolha("3")));
    r.passos.push_back(campo(
        cmd::kCampo, "valorDigitado", "VALOR DA TRANSAÇÃO", 1, 15,
        [](Contexto& c, const std::string& v) {
            std::string motivo = exigeValor(c, "centavos", v);
            if (motivo.empty() && c["centavos"] != c["centavosOriginal"])
                motivo = "VALOR NÃO CONFERE COM A TRANSAÇÃO";
            return motivo;
        },
        escolha("3")));
    acrescenta(r.passos, leCartao("INSIRA OU PASSE O CARTÃO", escolha("3")));
    acrescenta(r.passos, autoriza(
                             "CANCELAMENTO",
                             [](Contexto& c) { return std::vector<std::string>{"NSU CANCELADO " + c["original"]}; },
                             escolha("3")));

    acrescenta(r.passos, consultaCdc(escolha("4")));
    r.conclusao = [](Contexto& c) { return c["adm"] == "3" ? concluiPendente(c, c["original"]) : KAVEXSIM_OK; };
    return {KAVEX_CONTINUA_INTERATIVO, std::move(r)};
}

} // namespace kavexsim::fluxos
