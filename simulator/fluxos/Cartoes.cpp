// Debit and credit sales.
#include "checks/Digitos.h"
#include "checks/Valores.h"
#include "fluxos/Fluxos.h"
#include "kavexsim_codes.h"
#include "library/kavex.h"
#include "motor/Passos.h"

namespace kavexsim::fluxos {

using namespace passos;

namespace {

// Restriction codes these flows honour.
constexpr int kDebitoTodos = 15, kDebitoVista = 16, kDebitoPre = 17;
constexpr int kCreditoTodos = 25, kCreditoVista = 26, kParceladoLoja = 27, kParceladoAdm = 28, kCreditoDigitado = 29,
              kCreditoMagnetico = 30;
constexpr int kParcelasMin = 2, kParcelasMax = 12;

std::string linhaCartao(Contexto& ctx) {
    return "CARTÃO " + mascara(ctx["cartao"]);
}

} // namespace

Criacao debito(const Contexto& ctx) {
    const std::vector<Opcao> tipos = {{"1", "À Vista", kDebitoVista}, {"2", "Pré-datado", kDebitoPre}};
    if (ctx.inicio.restrito(kDebitoTodos) || oferecidas(ctx, tipos).empty())
        return {KAVEXSIM_RESTRICTED, {}};
    Roteiro r;
    r.passos.push_back(mensagem(cmd::kCabecalho, "DÉBITO - ESCOLHA A MODALIDADE"));
    Passo modalidade = menu("tipo", tipos);
    // Continuation 1000 on this menu: the same choice, then the test card the pinpad reads.
    modalidade.alternativa = marcaAlternativa(modalidade, "escolheCartao");
    r.passos.push_back(std::move(modalidade));
    r.passos.push_back(
        campo(cmd::kCampo, "predatado", "DATA DO DÉBITO (DDMMAAAA)", 8, 8, exigeDataFutura, quando("tipo", "2")));
    acrescenta(r.passos, leCartao("INSIRA OU PASSE O CARTÃO"));
    acrescenta(r.passos, leSenha());
    acrescenta(r.passos, autoriza("DÉBITO", [](Contexto& c) {
                   std::vector<std::string> l{linhaCartao(c)};
                   l.push_back(c["tipo"] == "2" ? "PRÉ-DATADO PARA " + c["predatado"] : "À VISTA");
                   return l;
               }));
    r.conclusao = [](Contexto& c) { return concluiPendente(c); };
    return {KAVEX_CONTINUA_INTERATIVO, std::move(r)};
}

Criacao credito(const Contexto& ctx) {
    const std::vector<Opcao> tipos = {{"1", "À Vista", kCreditoVista},
                                      {"2", "Parcelado Loja", kParceladoLoja},
                                      {"3", "Parcelado Administradora", kParceladoAdm}};
    const bool semLeitura = ctx.inicio.restrito(kCreditoMagnetico);
    const bool semDigitacao = ctx.inicio.restrito(kCreditoDigitado);
    if (ctx.inicio.restrito(kCreditoTodos) || oferecidas(ctx, tipos).empty() || (semLeitura && semDigitacao))
        return {KAVEXSIM_RESTRICTED, {}};
    Roteiro r;
    r.passos.push_back(mensagem(cmd::kCabecalho, "CRÉDITO - ESCOLHA A MODALIDADE"));
    Passo modalidade = menu("tipo", tipos);
    // Continuation 1000 on this menu: the same choice with the card typed instead of read.
    modalidade.alternativa = [digita = marcaAlternativa(modalidade, "digitado"),
                              semDigitacao](Contexto& c, std::string_view resposta) {
        return semDigitacao ? std::string("CRÉDITO DIGITADO NÃO PERMITIDO") : digita(c, resposta);
    };
    // The restriction on magnetic reading leaves typing as the only way.
    modalidade.aoEnviar = [semLeitura](Contexto& c) { c.dados["digitado"] = semLeitura ? "1" : "0"; };
    r.passos.push_back(std::move(modalidade));
    r.passos.push_back(campo(
        cmd::kCampo, "parcelas", "NÚMERO DE PARCELAS (2 A 12)", 1, 2,
        [](Contexto&, const std::string& v) -> std::string {
            if (!checks::soDigitos(v) || std::stoi(v) < kParcelasMin || std::stoi(v) > kParcelasMax)
                return "PARCELAS: DE 2 A 12";
            return "";
        },
        salvo("tipo", "1")));
    acrescenta(r.passos, leCartao("INSIRA OU PASSE O CARTÃO", salvo("digitado", "1")));
    r.passos.push_back(campo(
        cmd::kCampo, "cartao", "DIGITE O NÚMERO DO CARTÃO", 13, 19,
        [](Contexto&, const std::string& v) { return checks::luhnValido(v) ? "" : "NÚMERO DE CARTÃO INVÁLIDO"; },
        quando("digitado", "1")));
    r.passos.push_back(campo(
        cmd::kCampo, "validade", "VALIDADE DO CARTÃO (MMAA)", 4, 4,
        [](Contexto&, const std::string& v) -> std::string {
            if (!checks::soDigitos(v) || std::stoi(v.substr(0, 2)) < 1 || std::stoi(v.substr(0, 2)) > 12)
                return "VALIDADE INVÁLIDA";
            return "";
        },
        quando("digitado", "1")));
    r.passos.push_back(campo(cmd::kCampoLivre, "cvv", "CÓDIGO DE SEGURANÇA (OPCIONAL)", 0, 4,
                             [](Contexto&, const std::string& v) { return exigeDigitos(v); }));
    r.passos.push_back(simNao("confirma", [](Contexto& c) {
        std::string t = "CONFIRMA O VALOR DE R$ " + checks::formataValor(c.inicio.centavos);
        if (c["tipo"] != "1")
            t += " EM " + c["parcelas"] + " PARCELAS";
        return t + "?";
    }));
    r.passos.push_back(mensagem(cmd::kMensagemOperador, "OPERAÇÃO NÃO CONFIRMADA", quando("confirma", "1")));
    acrescenta(r.passos,
               autoriza(
                   "CRÉDITO",
                   [](Contexto& c) {
                       std::vector<std::string> l{linhaCartao(c)};
                       if (c["tipo"] == "1")
                           l.push_back("À VISTA");
                       else
                           l.push_back(c["parcelas"] + " PARCELAS - " + (c["tipo"] == "2" ? "LOJA" : "ADMINISTRADORA"));
                       return l;
                   },
                   salvo("confirma", "1")));
    r.conclusao = salvoRecusa("confirma");
    return {KAVEX_CONTINUA_INTERATIVO, std::move(r)};
}

} // namespace kavexsim::fluxos
