// The other functions of the list, each a short flow of its family: sales
// with other cards, pre-authorisations, telemarketing, consultations,
// top-ups, cancellations that name the transaction they undo, reprints,
// Farmácia Popular, Telenet and transit cards.
#include "checks/Digitos.h"
#include "checks/Valores.h"
#include "fluxos/Fluxos.h"
#include "kavexsim_codes.h"
#include "library/kavex.h"
#include "motor/Passos.h"

namespace kavexsim::fluxos {

using namespace passos;

namespace {

using Construtor = std::function<Criacao(const Contexto&)>;

struct Funcao {
    int32_t codigo;
    bool comValor; // a sale: the start's value is checked
    Construtor constroi;
};

Criacao comecaCom(Roteiro r) {
    return {KAVEX_CONTINUA_INTERATIVO, std::move(r)};
}

Roteiro comTitulo(const std::string& titulo) {
    Roteiro r;
    r.passos.push_back(mensagem(cmd::kCabecalho, titulo));
    return r;
}

std::vector<std::string> linhaDoCartao(Contexto& c) {
    return {"CARTÃO " + mascara(c["cartao"])};
}

void aprovaPendente(Roteiro& r, const std::string& titulo,
                    std::function<std::vector<std::string>(Contexto&)> linhas = linhaDoCartao) {
    acrescenta(r.passos, autoriza(titulo, std::move(linhas)));
    r.conclusao = [](Contexto& c) { return concluiPendente(c); };
}

// A sale paid with a card the pinpad reads, with or without its PIN.
Construtor vendaComCartao(std::string titulo, bool comSenha) {
    return [titulo, comSenha](const Contexto&) {
        Roteiro r = comTitulo(titulo);
        acrescenta(r.passos, leCartao("INSIRA OU PASSE O CARTÃO"));
        if (comSenha)
            acrescenta(r.passos, leSenha());
        aprovaPendente(r, titulo);
        return comecaCom(std::move(r));
    };
}

std::string exigeLuhn(Contexto&, const std::string& v) {
    return checks::luhnValido(v) ? "" : "NÚMERO DE CARTÃO INVÁLIDO";
}

std::string exigeValidade(Contexto&, const std::string& v) {
    if (!checks::soDigitos(v) || std::stoi(v.substr(0, 2)) < 1 || std::stoi(v.substr(0, 2)) > 12)
        return "VALIDADE INVÁLIDA";
    return "";
}

std::string soNumeros(Contexto&, const std::string& v) {
    return exigeDigitos(v);
}

// A sale whose card is typed, as by telephone.
Construtor vendaDigitada(std::string titulo) {
    return [titulo](const Contexto&) {
        Roteiro r = comTitulo(titulo);
        r.passos.push_back(campo(cmd::kCampo, "cartao", "DIGITE O NÚMERO DO CARTÃO", 13, 19, exigeLuhn));
        r.passos.push_back(campo(cmd::kCampo, "validade", "VALIDADE DO CARTÃO (MMAA)", 4, 4, exigeValidade));
        aprovaPendente(r, titulo);
        return comecaCom(std::move(r));
    };
}

// What a consultation asks first: the card, or a typed number.
struct Pergunta {
    const char* rotulo = nullptr; // null: the card is read
    int16_t minimo = 0, maximo = 0;
};

// A consultation: the question, the network, then its answer on the
// consultation screen (several lines). Nothing is left pending.
Construtor consulta(std::string titulo, Pergunta pergunta, std::string resposta) {
    return [titulo, pergunta, resposta](const Contexto&) {
        Roteiro r = comTitulo(titulo);
        if (pergunta.rotulo)
            r.passos.push_back(
                campo(cmd::kCampo, "consultado", pergunta.rotulo, pergunta.minimo, pergunta.maximo, soNumeros));
        else
            acrescenta(r.passos, leCartao("INSIRA OU PASSE O CARTÃO"));
        Passo rede = mensagem(cmd::kMensagemOperador, "CONSULTANDO, AGUARDE");
        rede.demorado = true;
        r.passos.push_back(std::move(rede));
        r.passos.push_back(mensagem(cmd::kAviso, titulo + "\n" + resposta));
        return comecaCom(std::move(r));
    };
}

// Undoes or completes a confirmed transaction of one of `origens`, named by
// its number: the new transaction has its value and, once confirmed, the
// original cannot be named again.
Construtor referente(std::string titulo, std::vector<int32_t> origens) {
    return [titulo, origens](const Contexto&) {
        Roteiro r = comTitulo(titulo);
        r.passos.push_back(campoNsu(origens, {}));
        auto fim =
            autoriza(titulo, [](Contexto& c) { return std::vector<std::string>{"NSU ORIGINAL " + c["original"]}; });
        // The new transaction has the original's value.
        fim.front().aoEnviar = [](Contexto& c) { c.dados["centavos"] = c["centavosOriginal"]; };
        acrescenta(r.passos, std::move(fim));
        r.conclusao = [](Contexto& c) { return concluiPendente(c, c["original"]); };
        return comecaCom(std::move(r));
    };
}

const std::vector<Opcao> kValoresRecarga = {{"1", "R$ 15,00", 0}, {"2", "R$ 20,00", 0}, {"3", "R$ 50,00", 0}};
const long long kCentavosRecarga[] = {1500, 2000, 5000};

// A top-up: optionally the provider, the number topped up, the value from a
// menu, then paid with a card.
Construtor recarga(std::string titulo, bool comOperadora, std::string rotulo, int16_t minimo, int16_t maximo) {
    return [=](const Contexto&) {
        Roteiro r = comTitulo(titulo);
        if (comOperadora)
            r.passos.push_back(menu("operadora", {{"1", "Operadora Simulada A", 0}, {"2", "Operadora Simulada B", 0}}));
        r.passos.push_back(campo(cmd::kCampo, "numero", rotulo, minimo, maximo, soNumeros));
        Passo valor = menu("recarga", kValoresRecarga);
        valor.aceita = [aceita = valor.aceita](Contexto& c, std::string_view v) {
            std::string motivo = aceita(c, v);
            if (motivo.empty())
                c.dados["centavos"] = std::to_string(kCentavosRecarga[std::stoul(c["recarga"]) - 1]);
            return motivo;
        };
        r.passos.push_back(std::move(valor));
        acrescenta(r.passos, leCartao("INSIRA OU PASSE O CARTÃO"));
        aprovaPendente(r, titulo, [](Contexto& c) {
            return std::vector<std::string>{"NÚMERO " + c["numero"], "CARTÃO " + mascara(c["cartao"])};
        });
        return comecaCom(std::move(r));
    };
}

Construtor reimpressao(bool comMenu) {
    return [comMenu](const Contexto&) {
        Roteiro r = comTitulo("REIMPRESSÃO");
        const Condicao porNsu = comMenu ? quando("reimpressao", "2") : Condicao{};
        if (comMenu)
            r.passos.push_back(menu("reimpressao", {{"1", "Último Comprovante", 0}, {"2", "Por NSU", 0}}));
        r.passos.push_back(campoNsu({}, porNsu));
        const auto qual = [](const Contexto& c) -> const Transacao* {
            const auto it = c.dados.find("original");
            if (it == c.dados.end())
                return ultimaTransacao(c);
            for (const auto& t : c.estado->confirmadas) {
                if (t.nsu == it->second)
                    return &t;
            }
            return nullptr;
        };
        acrescenta(r.passos, reimprime(qual, {}));
        return comecaCom(std::move(r));
    };
}

// Farmácia Popular: the sale carries the authorisation obtained before.
Construtor vendaFarmaciaPopular() {
    return [](const Contexto&) {
        Roteiro r = comTitulo("VENDA FARMÁCIA POPULAR");
        r.passos.push_back(campo(cmd::kCampo, "autorizacao", "CÓDIGO DE AUTORIZAÇÃO", 1, 12, soNumeros));
        aprovaPendente(r, "VENDA FARMÁCIA POPULAR",
                       [](Contexto& c) { return std::vector<std::string>{"AUTORIZAÇÃO " + c["autorizacao"]}; });
        return comecaCom(std::move(r));
    };
}

const char* const kSaldo = "SALDO DISPONÍVEL R$ 250,00";

const std::vector<Funcao>& catalogo() {
    static const std::vector<Funcao> funcoes = {
        {4, true, vendaComCartao("FININVEST", false)},
        {5, true, vendaComCartao("CARTÃO BENEFÍCIO", true)},
        {6, true, vendaComCartao("CRÉDITO CENTRALIZADO", false)},
        {7, true, vendaComCartao("CARTÃO COMBUSTÍVEL", true)},
        {10, true, vendaComCartao("BENEFÍCIO REFEIÇÃO", true)},
        {11, true, vendaComCartao("BENEFÍCIO ALIMENTAÇÃO", true)},
        {12, true, vendaComCartao("CARTÃO INFOCARD", false)},
        {100, true, vendaDigitada("TELEMARKETING")},
        {112, false, reimpressao(true)},
        {113, false, reimpressao(false)},
        {115, true, vendaComCartao("PRÉ-AUTORIZAÇÃO", false)},
        {116, false, referente("CONFIRMAÇÃO DE PRÉ-AUTORIZAÇÃO", {115})},
        {150, false, consulta("CONSULTA BÔNUS", {}, "PONTOS ACUMULADOS 1.250\nBÔNUS DISPONÍVEL R$ 12,50")},
        {151, false, consulta("CONSULTA SALDO CARTÃO PRESENTE", {}, kSaldo)},
        {201, false, referente("CANCELAMENTO TELEMARKETING", {100})},
        {202, false, referente("CANCELAMENTO DE PRÉ-AUTORIZAÇÃO", {115})},
        {203, false, referente("CANCELAMENTO DE CONFIRMAÇÃO DE PRÉ-AUTORIZAÇÃO", {116})},
        {250, false, referente("CANCELAMENTO CARTÃO BÔNUS", {260})},
        {251, false, referente("CANCELAMENTO RECARGA CARTÃO PRESENTE", {261})},
        {260, true, vendaComCartao("RECARGA CARTÃO BÔNUS", false)},
        {261, true, vendaComCartao("RECARGA CARTÃO PRESENTE", false)},
        {300, false, recarga("RECARGA DE PRÉ-PAGO", true, "DDD E NÚMERO DO CELULAR", 10, 11)},
        {301, false, recarga("RECARGA DE PRÉ-PAGO DESVINCULADA", true, "DDD E NÚMERO DO CELULAR", 10, 11)},
        {500, false, consulta("CONSULTA DETALHADA ACSP", {"CPF OU CNPJ DO EMITENTE", 11, 14}, "NADA CONSTA")},
        {501, false, consulta("CONSULTA DETALHADA SERASA", {"CPF OU CNPJ DO EMITENTE", 11, 14}, "NADA CONSTA")},
        {502, false,
         consulta("CONSULTA CADASTRAL INFOCARD", {"CPF DO CLIENTE", 11, 11}, "CADASTRO REGULAR\nLIMITE R$ 1.500,00")},
        {503, true, [](const Contexto& c) { return cheque(c); }},
        {550, false,
         consulta("AUTORIZAÇÃO FARMÁCIA POPULAR", {"CPF DO PACIENTE", 11, 11},
                  "AUTORIZAÇÃO 000123456789\nVÁLIDA HOJE")},
        {552, true, vendaFarmaciaPopular()},
        {553, false, referente("CANCELAMENTO PARCIAL FARMÁCIA POPULAR", {552})},
        {554, false, referente("CANCELAMENTO TOTAL FARMÁCIA POPULAR", {552})},
        {560, false, consulta("CONSULTA TELENET", {"DDD E NÚMERO DO TELEFONE", 10, 11}, "LINHA ATIVA\nSALDO R$ 8,40")},
        {561, true, vendaComCartao("VENDA TELENET", false)},
        {562, false, referente("CANCELAMENTO TELENET", {561})},
        {600, false, consulta("CONSULTA SALDO", {}, kSaldo)},
        {605, false, consulta("CONSULTA SALDO CARTÃO COMBUSTÍVEL", {}, "SALDO DISPONÍVEL 120,0 LITROS")},
        {606, false, consulta("CONSULTA REDES CARTÃO COMBUSTÍVEL", {}, "REDE SIMULADA NORTE\nREDE SIMULADA SUL")},
        {607, false, consulta("CONSULTA PRODUTOS CARTÃO COMBUSTÍVEL", {}, "GASOLINA COMUM\nETANOL\nÓLEO DIESEL")},
        {611, false, consulta("CONSULTA SALDO SPTRANS", {"NÚMERO DO BILHETE", 8, 12}, "SALDO DO BILHETE R$ 17,60")},
        {612, false, recarga("RECARGA SPTRANS", false, "NÚMERO DO BILHETE", 8, 12)},
    };
    return funcoes;
}

const Funcao* funcaoDoCatalogo(int32_t codigo) {
    for (const auto& f : catalogo()) {
        if (f.codigo == codigo)
            return &f;
    }
    return nullptr;
}

} // namespace

bool pedeValor(int32_t codigo) {
    const Funcao* f = funcaoDoCatalogo(codigo);
    return f && f->comValor;
}

Criacao outraFuncao(const Contexto& ctx) {
    if (ctx.inicio.funcao == funcao::kTransporte)
        return menuDeFuncoes(ctx, "TRANSAÇÕES SPTRANS",
                             {{"1", "Recarga", funcaoDoCatalogo(612)->constroi(ctx)},
                              {"2", "Consulta Saldo", funcaoDoCatalogo(611)->constroi(ctx)}});
    const Funcao* f = funcaoDoCatalogo(ctx.inicio.funcao);
    return f ? f->constroi(ctx) : Criacao{KAVEXSIM_NOT_AVAILABLE, {}};
}

} // namespace kavexsim::fluxos
