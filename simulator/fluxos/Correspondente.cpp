// Correspondent banking: a bill paid by its bar code or typed line, or a
// benefit paid to a person.
#include "checks/CodigoBarras.h"
#include "checks/Digitos.h"
#include "checks/Valores.h"
#include "fluxos/Fluxos.h"
#include "kavexsim_codes.h"
#include "library/kavex.h"
#include "motor/Passos.h"

namespace kavexsim::fluxos {

using namespace passos;

namespace {

constexpr int kPagamentoConta = 50, kPagamentoBeneficio = 53;
constexpr long long kBeneficio = 15000; // cents paid by the benefit option
constexpr int16_t kCodigoMinimo = 44, kCodigoMaximo = 48;

// "1:" + 44-digit bar code or "0:" + typed line, as the bar-code window answers.
std::string aceitaCodigo(Contexto& ctx, std::string_view resposta) {
    const std::string_view prefixo = resposta.substr(0, 2);
    const std::string_view codigo = resposta.size() > 2 ? resposta.substr(2) : std::string_view();
    if ((prefixo != "0:" && prefixo != "1:") || (prefixo == "1:") != (codigo.size() == 44))
        return "CÓDIGO DE BARRAS INCOMPLETO";
    const auto c = checks::verificaCompleto(codigo);
    const int16_t r = c.verificacao.resultado;
    if (r >= checks::kBloco1 && r <= checks::kBloco4)
        return "CÓDIGO DE BARRAS INVÁLIDO NO BLOCO " + std::to_string(r);
    if (r != checks::kCodigoValido)
        return "CÓDIGO DE BARRAS INVÁLIDO";
    ctx.dados["barras"] = c.barras;
    ctx.dados["centavosCodigo"] = std::to_string(checks::valorDoCodigo(c.barras));
    ctx.dados["centavos"] = ctx.dados["centavosCodigo"];
    return "";
}

} // namespace

Criacao correspondente(const Contexto& ctx) {
    const std::vector<Opcao> servicos = {{"1", "Pagamento de Conta", kPagamentoConta},
                                         {"2", "Pagamento de Benefício", kPagamentoBeneficio}};
    if (oferecidas(ctx, servicos).empty())
        return {KAVEXSIM_RESTRICTED, {}};
    const auto conta = quando("servico", "1");
    const auto beneficio = quando("servico", "2");
    Roteiro r;
    r.passos.push_back(mensagem(cmd::kLimpaAmbos, ""));
    r.passos.push_back(mensagem(cmd::kCabecalho, "CORRESPONDENTE BANCÁRIO"));
    r.passos.push_back(menu("servico", servicos));

    Passo codigo;
    codigo.comando = cmd::kCodigoBarras;
    codigo.minimo = kCodigoMinimo;
    codigo.maximo = kCodigoMaximo;
    codigo.texto = [](Contexto&) { return std::string("DIGITE OU LEIA O CÓDIGO DE BARRAS"); };
    codigo.aceita = aceitaCodigo;
    codigo.ativo = conta;
    r.passos.push_back(std::move(codigo));
    // A bill that carries no value has it typed.
    r.passos.push_back(campo(
        cmd::kCampo, "valorDigitado", "VALOR A PAGAR", 1, 15,
        [](Contexto& c, const std::string& v) { return exigeValor(c, "centavos", v); },
        [conta, semValor = quando("centavosCodigo", "0")](const Contexto& c) { return conta(c) && semValor(c); }));
    r.passos.push_back(campo(
        cmd::kCampo, "cpf", "CPF DO BENEFICIÁRIO", 11, 11,
        [](Contexto& c, const std::string& v) {
            std::string motivo = exigeDigitos(v);
            if (motivo.empty())
                c.dados["centavos"] = std::to_string(kBeneficio);
            return motivo;
        },
        beneficio));
    r.passos.push_back(simNao("confirma", [](Contexto& c) {
        return "CONFIRMA O PAGAMENTO DE R$ " + checks::formataValor(std::stoll(c["centavos"])) + "?";
    }));
    const auto recusado = quando("confirma", "1");
    r.passos.push_back(mensagem(cmd::kMensagemOperador, "PAGAMENTO NÃO CONFIRMADO", recusado));
    acrescenta(r.passos, autoriza(
                             "PAGAMENTO",
                             [](Contexto& c) -> std::vector<std::string> {
                                 if (c.tem("barras"))
                                     return {"CONTA PAGA", "CÓDIGO " + c["barras"]};
                                 return {"BENEFÍCIO PAGO", "CPF " + mascara(c["cpf"])};
                             },
                             salvo("confirma", "1")));
    r.conclusao = salvoRecusa("confirma");
    return {KAVEX_CONTINUA_INTERATIVO, std::move(r)};
}

} // namespace kavexsim::fluxos
