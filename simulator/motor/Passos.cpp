#include "motor/Passos.h"

#include "checks/Digitos.h"
#include "checks/Valores.h"
#include "kavexsim_codes.h"
#include "library/kavex.h"
#include "motor/Desfechos.h"

#include <algorithm>

namespace kavexsim::passos {

const char* const kTrilha1Teste = "B4111111111111111^CARTAO DE TESTE/SIMULADOR^30122010000000000000";
const char* const kTrilha2Teste = "4111111111111111=30122010000000000000";
const char* const kTrilha3Teste = "011234567890123445=000000000000000000000000000000000000";
const char* const kBlocoSenhaTeste = "8C3E1F2A9B7D4E60";

namespace {

std::string dataHora(const Inicio& i) {
    return "DATA " + i.data.substr(6, 2) + "/" + i.data.substr(4, 2) + "/" + i.data.substr(0, 4) + "  HORA " +
           i.hora.substr(0, 2) + ":" + i.hora.substr(2, 2) + ":" + i.hora.substr(4, 2);
}

long long valorDaTransacao(const Contexto& ctx) {
    const auto it = ctx.dados.find("centavos");
    return it != ctx.dados.end() ? std::stoll(it->second) : ctx.inicio.centavos;
}

std::string dado(const Contexto& ctx, const std::string& chave) {
    const auto it = ctx.dados.find(chave);
    return it == ctx.dados.end() ? std::string() : it->second;
}

// How many network steps a slow host answer takes, each the configured delay.
constexpr int kPassosRedeLenta = 4;

// The host's answer to the card and value; a wrong PIN counts only where a
// PIN was read, and only until it was typed again.
Resposta resposta(const Contexto& ctx) {
    Resposta r = respostaDoHost(dado(ctx, "cartao"), valorDaTransacao(ctx));
    if (r.desfecho == Desfecho::SenhaErrada && (!ctx.tem("senha") || ctx.tem("novaSenha")))
        return {};
    return r;
}

Condicao desfecho(std::initializer_list<Desfecho> casos) {
    const std::vector<Desfecho> lista(casos);
    return [lista](const Contexto& ctx) {
        const Desfecho d = resposta(ctx).desfecho;
        return std::find(lista.begin(), lista.end(), d) != lista.end();
    };
}

const CartaoTeste& cartaoLido(const Contexto& ctx) {
    const std::string escolha = dado(ctx, "cartaoTeste");
    return escolha.empty() ? kCartoesTeste[0] : kCartoesTeste[std::stoul(escolha) - 1];
}

std::vector<Opcao> opcoesDeCartao() {
    std::vector<Opcao> opcoes;
    for (const auto& c : kCartoesTeste)
        opcoes.push_back({std::to_string(opcoes.size() + 1), c.rotulo, 0});
    return opcoes;
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

Condicao ambos(Condicao a, Condicao b) {
    if (!a)
        return b;
    if (!b)
        return a;
    return [a, b](const Contexto& c) { return a(c) && b(c); };
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

Passo fixo(int32_t tipo, std::string texto, Condicao ativo) {
    return registro(
        tipo, [texto](Contexto&) { return texto; }, std::move(ativo));
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

std::function<std::string(Contexto&, std::string_view)> marcaAlternativa(const Passo& menu, const std::string& chave) {
    return [aceita = menu.aceita, chave](Contexto& c, std::string_view resposta) {
        std::string motivo = aceita(c, resposta);
        if (motivo.empty())
            c.dados[chave] = "1";
        return motivo;
    };
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
    std::vector<Passo> ps;
    // The operator chose to pick the test card that the pinpad then reads.
    const Condicao escolhe = ambos(ativo, quando("escolheCartao", "1"));
    ps.push_back(mensagem(cmd::kCabecalho, "CARTÃO DE TESTE", escolhe));
    ps.push_back(menu("cartaoTeste", opcoesDeCartao(), escolhe));
    acrescenta(ps, aguardaPinpad(std::move(texto), ativo));
    ps.push_back(registro(
        tipoCampo::kTrilha1, [](Contexto& ctx) { return trilha1(cartaoLido(ctx)); }, ativo));
    ps.push_back(registro(
        tipoCampo::kTrilha2,
        [](Contexto& ctx) {
            ctx.dados["cartao"] = cartaoLido(ctx).numero;
            return trilha2(cartaoLido(ctx));
        },
        ativo));
    return ps;
}

std::vector<Passo> leSenha(Condicao ativo) {
    std::vector<Passo> ps = aguardaPinpad("DIGITE A SENHA NO PINPAD", ativo);
    // Unlike the tracks, the PIN record leaves the waiting panel up.
    ps.push_back(mensagem(cmd::kLimpaOperador, "", ativo));
    ps.push_back(registro(
        tipoCampo::kSenha,
        [](Contexto& ctx) {
            ctx.dados["senha"] = "1";
            return std::string(kBlocoSenhaTeste);
        },
        ativo));
    return ps;
}

std::vector<Passo> autoriza(std::string titulo, std::function<std::vector<std::string>(Contexto&)> linhas,
                            Condicao ativo) {
    std::vector<Passo> ps;
    Passo processa = mensagem(cmd::kMensagemOperador, "AGUARDE, TRANSAÇÃO EM ANDAMENTO", ativo);
    processa.demorado = true;
    ps.push_back(processa);
    for (int i = 0; i < kPassosRedeLenta; ++i) {
        Passo espera = mensagem(cmd::kMensagemOperador, "AGUARDANDO RESPOSTA DO AUTORIZADOR",
                                ambos(ativo, desfecho({Desfecho::RedeLenta, Desfecho::TempoEsgotado})));
        espera.demorado = true;
        ps.push_back(std::move(espera));
    }

    // A wrong PIN: said, read again, and sent again.
    const Condicao novaSenha = ambos(ativo, quando("novaSenha", "1"));
    Passo senhaErrada =
        mensagem(cmd::kAviso, "SENHA INVÁLIDA - DIGITE NOVAMENTE", ambos(ativo, desfecho({Desfecho::SenhaErrada})));
    senhaErrada.aoEnviar = [](Contexto& ctx) { ctx.dados["novaSenha"] = "1"; };
    ps.push_back(std::move(senhaErrada));
    acrescenta(ps, leSenha(novaSenha));
    processa.ativo = novaSenha;
    ps.push_back(std::move(processa));

    Passo negada;
    negada.comando = cmd::kAviso;
    negada.ativo = ambos(ativo, desfecho({Desfecho::Recusada, Desfecho::TempoEsgotado}));
    negada.texto = [](Contexto& ctx) { return std::string(resposta(ctx).mensagem); };
    negada.aoEnviar = [](Contexto& ctx) { ctx.encerramento = resposta(ctx).resultado; };
    ps.push_back(std::move(negada));

    const Condicao aprovada = ambos(ativo, desfecho({Desfecho::Aprovada, Desfecho::RedeLenta}));
    Passo data = registro(
        tipoCampo::kDataTransacao, [](Contexto& ctx) { return ctx.inicio.data + ctx.inicio.hora; }, aprovada);
    // Only an approved transaction takes a number.
    data.aoEnviar = [](Contexto& ctx) { ctx.dados["nsu"] = ctx.estado->novoNsu(); };
    ps.push_back(std::move(data));
    ps.push_back(registro(
        tipoCampo::kReciboLoja,
        [titulo, linhas](Contexto& ctx) {
            return ctx.dados["reciboLoja"] = recibo(ctx, titulo, "VIA ESTABELECIMENTO", linhas(ctx));
        },
        aprovada));
    ps.push_back(registro(
        tipoCampo::kReciboCliente,
        [titulo, linhas](Contexto& ctx) {
            return ctx.dados["reciboCliente"] = recibo(ctx, titulo, "VIA CLIENTE", linhas(ctx));
        },
        aprovada));
    Passo aprovacao = mensagem(cmd::kMensagemCliente, "", aprovada);
    aprovacao.texto = [](Contexto& ctx) { return "TRANSAÇÃO APROVADA NSU " + ctx["nsu"]; };
    ps.push_back(std::move(aprovacao));
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

const Transacao* confirmada(const Contexto& ctx, const std::string& nsu) {
    const auto& lista = ctx.estado->confirmadas;
    auto it =
        std::find_if(lista.begin(), lista.end(), [&](const Transacao& t) { return t.nsu == nsu && t.cancela.empty(); });
    return it == lista.end() ? nullptr : &*it;
}

const Transacao* ultimaTransacao(const Contexto& ctx) {
    if (ctx.estado->pendente)
        return &*ctx.estado->pendente;
    return ctx.estado->confirmadas.empty() ? nullptr : &ctx.estado->confirmadas.back();
}

std::vector<Passo> reimprime(std::function<const Transacao*(const Contexto&)> qual, Condicao ativo) {
    const auto tem = [qual](const Contexto& c) { return qual(c) != nullptr; };
    const auto falta = [qual](const Contexto& c) { return qual(c) == nullptr; };
    std::vector<Passo> ps;
    ps.push_back(mensagem(cmd::kAviso, "NÃO HÁ COMPROVANTE PARA REIMPRIMIR", ambos(ativo, falta)));
    ps.push_back(registro(
        tipoCampo::kReciboLoja, [qual](Contexto& c) { return "REIMPRESSÃO\n" + qual(c)->reciboLoja; },
        ambos(ativo, tem)));
    ps.push_back(registro(
        tipoCampo::kReciboCliente, [qual](Contexto& c) { return "REIMPRESSÃO\n" + qual(c)->reciboCliente; },
        ambos(ativo, tem)));
    return ps;
}

namespace {

std::string nsuComZeros(const std::string& digitos) {
    return std::string(digitos.size() < 6 ? 6 - digitos.size() : 0, '0') + digitos;
}

bool deOrigem(const Transacao& t, const std::vector<int32_t>& origens) {
    return origens.empty() || std::find(origens.begin(), origens.end(), t.funcao) != origens.end();
}

} // namespace

Passo campoNsu(std::vector<int32_t> origens, Condicao ativo) {
    const auto aceita = [origens](Contexto& ctx, const std::string& v) -> std::string {
        if (!checks::soDigitos(v))
            return "DIGITE SOMENTE NÚMEROS";
        const Transacao* t = confirmada(ctx, nsuComZeros(v));
        if (!t || !deOrigem(*t, origens))
            return "TRANSAÇÃO NÃO ENCONTRADA";
        ctx.dados["original"] = t->nsu;
        ctx.dados["centavosOriginal"] = std::to_string(t->centavos);
        return "";
    };
    Passo nsu = campo(cmd::kCampo, "nsu", "NÚMERO DA TRANSAÇÃO (NSU)", 1, 6, aceita, std::move(ativo));
    // Continuation 1000: the last one, without typing its number.
    nsu.alternativa = [aceita, origens](Contexto& c, std::string_view) -> std::string {
        const auto& lista = c.estado->confirmadas;
        for (auto it = lista.rbegin(); it != lista.rend(); ++it) {
            if (it->cancela.empty() && deOrigem(*it, origens))
                return aceita(c, it->nsu);
        }
        return "NÃO HÁ VENDA CONFIRMADA";
    };
    return nsu;
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
