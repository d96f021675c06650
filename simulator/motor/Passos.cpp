#include "motor/Passos.h"

#include "checks/Digitos.h"
#include "checks/Valores.h"
#include "kavexsim_codes.h"
#include "library/kavex.h"

namespace kavexsim::passos {

const char* const kCartaoTeste = "4111111111111111";
const char* const kTrilha1Teste = "B4111111111111111^CARTAO DE TESTE/SIMULADOR^30122010000000000000";
const char* const kTrilha2Teste = "4111111111111111=30122010000000000000";
const char* const kTrilha3Teste = "011234567890123445=000000000000000000000000000000000000";
const char* const kBlocoSenhaTeste = "8C3E1F2A9B7D4E60";

namespace {

std::string dataHora(const Inicio& i) {
    return "DATA " + i.data.substr(6, 2) + "/" + i.data.substr(4, 2) + "/" + i.data.substr(0, 4) + "  HORA " +
           i.hora.substr(0, 2) + ":" + i.hora.substr(2, 2) + ":" + i.hora.substr(4, 2);
}

long long valorDaTransacao(Contexto& ctx) {
    return ctx.tem("centavos") ? std::stoll(ctx["centavos"]) : ctx.inicio.centavos;
}

std::string recibo(Contexto& ctx, const std::string& titulo, const char* via, const std::vector<std::string>& linhas) {
    std::string t = "SIMULADOR KAVEX - " + titulo + "\n" + via + "\nLOJA " + ctx.estado->loja + "  TERMINAL " +
                    ctx.estado->terminal + "\n" + dataHora(ctx.inicio) + "\nNSU " + ctx["nsu"] + "  CUPOM " +
                    ctx.inicio.cupom + "\nVALOR R$ " + checks::formataValor(valorDaTransacao(ctx)) + "\n";
    for (const auto& l : linhas)
        t += l + "\n";
    // The copies follow each other on the receipt screen: a rule ends each one.
    return t + "TRANSAÇÃO AUTORIZADA\n" + std::string(40, '-');
}

} // namespace

Condicao quando(const std::string& chave, const std::string& valor) {
    return [chave, valor](const Contexto& c) {
        auto it = c.dados.find(chave);
        return it != c.dados.end() && it->second == valor;
    };
}

Condicao salvo(const std::string& chave, const std::string& valor) {
    return [chave, valor](const Contexto& c) {
        auto it = c.dados.find(chave);
        return it == c.dados.end() || it->second != valor;
    };
}

std::vector<Opcao> oferecidas(const Contexto& ctx, const std::vector<Opcao>& opcoes) {
    std::vector<Opcao> restam;
    for (const auto& o : opcoes) {
        if (o.restricao == 0 || !ctx.inicio.restrito(o.restricao))
            restam.push_back(o);
    }
    return restam;
}

Passo mensagem(int32_t comando, std::string texto, Condicao ativo) {
    Passo p;
    p.comando = comando;
    p.texto = [texto](Contexto&) { return texto; };
    p.ativo = std::move(ativo);
    return p;
}

Passo registro(int32_t tipo, std::function<std::string(Contexto&)> texto, Condicao ativo) {
    Passo p;
    p.comando = cmd::kDado;
    p.tipo = tipo;
    p.texto = std::move(texto);
    p.ativo = std::move(ativo);
    return p;
}

Passo menu(const std::string& chave, std::vector<Opcao> opcoes, Condicao ativo) {
    Passo p;
    p.comando = cmd::kMenu;
    p.minimo = 1;
    p.maximo = 1;
    p.texto = [opcoes](Contexto& ctx) {
        std::string t;
        for (const auto& o : oferecidas(ctx, opcoes))
            t += o.codigo + ":" + o.rotulo + ";";
        return t;
    };
    p.aceita = [opcoes, chave](Contexto& ctx, std::string_view resposta) -> std::string {
        for (const auto& o : oferecidas(ctx, opcoes)) {
            if (resposta == o.codigo) {
                ctx.dados[chave] = o.codigo;
                return "";
            }
        }
        return "OPÇÃO INVÁLIDA";
    };
    p.ativo = std::move(ativo);
    return p;
}

Passo simNao(const std::string& chave, std::function<std::string(Contexto&)> texto, Condicao ativo) {
    Passo p;
    p.comando = cmd::kSimNao;
    p.texto = std::move(texto);
    p.aceita = [chave](Contexto& ctx, std::string_view resposta) -> std::string {
        if (resposta != "0" && resposta != "1")
            return "RESPONDA SIM OU NÃO";
        ctx.dados[chave] = std::string(resposta);
        return "";
    };
    p.ativo = std::move(ativo);
    return p;
}

Passo campo(int32_t comando, const std::string& chave, std::string texto, int16_t minimo, int16_t maximo,
            std::function<std::string(Contexto&, const std::string&)> valida, Condicao ativo) {
    Passo p;
    p.comando = comando;
    p.minimo = minimo;
    p.maximo = maximo;
    p.texto = [texto](Contexto&) { return texto; };
    p.aceita = [chave, valida](Contexto& ctx, std::string_view resposta) {
        const std::string r(resposta);
        std::string motivo = valida ? valida(ctx, r) : "";
        if (motivo.empty())
            ctx.dados[chave] = r;
        return motivo;
    };
    p.ativo = std::move(ativo);
    return p;
}

std::vector<Passo> aguardaPinpad(std::string texto, Condicao ativo) {
    std::vector<Passo> ps;
    for (int i = 0; i < kCiclosPinpad; ++i) {
        Passo p = mensagem(cmd::kAguardaPinpad, texto, ativo);
        p.demorado = true;
        ps.push_back(std::move(p));
    }
    return ps;
}

std::vector<Passo> leCartao(std::string texto, Condicao ativo) {
    std::vector<Passo> ps = aguardaPinpad(std::move(texto), ativo);
    ps.push_back(registro(
        tipoCampo::kTrilha1, [](Contexto&) { return std::string(kTrilha1Teste); }, ativo));
    ps.push_back(registro(
        tipoCampo::kTrilha2,
        [](Contexto& ctx) {
            ctx.dados["cartao"] = kCartaoTeste;
            return std::string(kTrilha2Teste);
        },
        ativo));
    return ps;
}

std::vector<Passo> leSenha(Condicao ativo) {
    std::vector<Passo> ps = aguardaPinpad("DIGITE A SENHA NO PINPAD", ativo);
    // Unlike the tracks, the PIN record leaves the waiting panel up.
    ps.push_back(mensagem(cmd::kLimpaOperador, "", ativo));
    ps.push_back(registro(
        tipoCampo::kSenha, [](Contexto&) { return std::string(kBlocoSenhaTeste); }, ativo));
    return ps;
}

std::vector<Passo> autoriza(std::string titulo, std::function<std::vector<std::string>(Contexto&)> linhas,
                            Condicao ativo) {
    std::vector<Passo> ps;
    Passo processa = mensagem(cmd::kMensagemOperador, "AGUARDE, TRANSAÇÃO EM ANDAMENTO");
    processa.demorado = true;
    processa.aoEnviar = [](Contexto& ctx) { ctx.dados["nsu"] = ctx.estado->novoNsu(); };
    ps.push_back(std::move(processa));
    ps.push_back(registro(tipoCampo::kDataTransacao, [](Contexto& ctx) { return ctx.inicio.data + ctx.inicio.hora; }));
    ps.push_back(registro(tipoCampo::kReciboLoja, [titulo, linhas](Contexto& ctx) {
        return ctx.dados["reciboLoja"] = recibo(ctx, titulo, "VIA ESTABELECIMENTO", linhas(ctx));
    }));
    ps.push_back(registro(tipoCampo::kReciboCliente, [titulo, linhas](Contexto& ctx) {
        return ctx.dados["reciboCliente"] = recibo(ctx, titulo, "VIA CLIENTE", linhas(ctx));
    }));
    Passo aprovada;
    aprovada.comando = cmd::kMensagemCliente;
    aprovada.texto = [](Contexto& ctx) { return "TRANSAÇÃO APROVADA NSU " + ctx["nsu"]; };
    ps.push_back(std::move(aprovada));
    for (auto& p : ps)
        p.ativo = ativo;
    return ps;
}

int32_t concluiPendente(Contexto& ctx, const std::string& cancela) {
    Transacao t;
    t.cancela = cancela;
    t.nsu = ctx["nsu"];
    t.funcao = ctx.inicio.funcao;
    t.centavos = valorDaTransacao(ctx);
    t.cupom = ctx.inicio.cupom;
    t.data = ctx.inicio.data;
    t.hora = ctx.inicio.hora;
    t.reciboLoja = ctx["reciboLoja"];
    t.reciboCliente = ctx["reciboCliente"];
    ctx.estado->pendente = std::move(t);
    return KAVEXSIM_OK;
}

std::function<int32_t(Contexto&)> salvoRecusa(const std::string& chave) {
    return [chave](Contexto& ctx) { return ctx[chave] == "1" ? KAVEXSIM_CANCELLED : concluiPendente(ctx); };
}

std::string exigeValor(Contexto& ctx, const std::string& chave, const std::string& resposta) {
    const auto c = checks::centavos(resposta);
    if (!c || *c == 0)
        return "VALOR INVÁLIDO";
    ctx.dados[chave] = std::to_string(*c);
    return "";
}

std::string exigeDigitos(const std::string& resposta) {
    return checks::soDigitos(resposta) ? "" : "DIGITE SOMENTE NÚMEROS";
}

std::string exigeDataFutura(Contexto& ctx, const std::string& r) {
    const std::string iso = r.size() == 8 ? r.substr(4, 4) + r.substr(2, 2) + r.substr(0, 2) : r;
    if (!checks::dataValida(iso))
        return "DATA INVÁLIDA";
    return iso <= ctx.inicio.data ? "A DATA DEVE SER POSTERIOR A HOJE" : "";
}

void acrescenta(std::vector<Passo>& destino, std::vector<Passo> origem) {
    for (auto& p : origem)
        destino.push_back(std::move(p));
}

std::string mascara(const std::string& cartao) {
    if (cartao.size() <= 4)
        return cartao;
    return std::string(cartao.size() - 4, '*') + cartao.substr(cartao.size() - 4);
}

} // namespace kavexsim::passos
