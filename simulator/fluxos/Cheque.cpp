// Cheque payment: typed fields or a CMC-7 line.
#include "checks/Cheque.h"

#include "checks/Digitos.h"
#include "checks/Valores.h"
#include "fluxos/Fluxos.h"
#include "kavexsim_codes.h"
#include "library/kavex.h"
#include "motor/Passos.h"

namespace kavexsim::fluxos {

using namespace passos;

namespace {

constexpr int kChequeTodos = 10;
constexpr int16_t kCmc7Minimo = 30, kCmc7Maximo = 34;

std::string aceitaCheque(Contexto& ctx, std::string_view resposta) {
    const std::string_view dados = resposta.size() >= 2 ? resposta.substr(2) : std::string_view();
    checks::Cheque c;
    if (resposta.substr(0, 2) == "0:")
        c = checks::verificaDigitado(dados);
    else if (resposta.substr(0, 2) == "1:")
        c = checks::verificaCmc7(dados);
    else
        return "DADOS DO CHEQUE INVÁLIDOS";
    if (!c.erro.empty())
        return c.erro;
    ctx.dados["banco"] = c.banco;
    ctx.dados["agencia"] = c.agencia;
    ctx.dados["conta"] = c.conta;
    ctx.dados["numero"] = c.numero;
    return "";
}

std::string aceitaDocumento(Contexto&, const std::string& v) {
    if (!checks::soDigitos(v) || (v.size() != 11 && v.size() != 14))
        return "CPF (11) OU CNPJ (14 DÍGITOS)";
    return "";
}

} // namespace

Criacao cheque(const Contexto& ctx) {
    if (ctx.inicio.restrito(kChequeTodos))
        return {KAVEXSIM_RESTRICTED, {}};
    Roteiro r;
    r.passos.push_back(mensagem(cmd::kCabecalho, "CHEQUE - ESCOLHA A MODALIDADE"));
    r.passos.push_back(menu("tipo", {{"1", "À Vista", 0}, {"2", "Pré-datado", 0}}));
    r.passos.push_back(
        campo(cmd::kCampo, "bompara", "BOM PARA (DDMMAAAA)", 8, 8, exigeDataFutura, quando("tipo", "2")));
    Passo dados;
    dados.comando = cmd::kCheque;
    dados.minimo = kCmc7Minimo;
    dados.maximo = kCmc7Maximo;
    dados.texto = [](Contexto&) { return std::string("DADOS DO CHEQUE"); };
    dados.aceita = aceitaCheque;
    r.passos.push_back(std::move(dados));
    r.passos.push_back(campo(cmd::kCampo, "documento", "CPF OU CNPJ DO EMITENTE", 11, 14, aceitaDocumento));
    Passo consulta = mensagem(cmd::kMensagemOperador, "CONSULTANDO O CHEQUE");
    consulta.demorado = true;
    r.passos.push_back(std::move(consulta));
    acrescenta(r.passos, autoriza("CHEQUE", [](Contexto& c) {
                   std::vector<std::string> l{"BANCO " + c["banco"] + " AGÊNCIA " + c["agencia"],
                                              "CONTA " + c["conta"] + " CHEQUE " + c["numero"]};
                   if (c["tipo"] == "2")
                       l.push_back("BOM PARA " + c["bompara"]);
                   return l;
               }));
    r.conclusao = [](Contexto& c) { return concluiPendente(c); };
    return {KAVEX_CONTINUA_INTERATIVO, std::move(r)};
}

} // namespace kavexsim::fluxos
