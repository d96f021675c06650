#include "motor/Motor.h"

#include "checks/Digitos.h"
#include "checks/Valores.h"
#include "cp1252.h"
#include "fluxos/Fluxos.h"
#include "kavexsim_codes.h"
#include "library/kavex.h"
#include "motor/Catalogo.h"
#include "motor/Passos.h"

#include <algorithm>
#include <cstring>

namespace kavexsim {

namespace {

std::string texto(const char* s) {
    return s ? cp1252ToUtf8(s) : std::string();
}

// Copies UTF-8 text as Windows-1252 into a buffer of `tamanho` bytes, always
// leaving room for the terminator. Returns the bytes written before it.
std::size_t escreve(char* buffer, long long tamanho, const std::string& utf8) {
    if (!buffer || tamanho <= 0)
        return 0;
    const std::string bytes = utf8ToCp1252(utf8);
    const std::size_t n = std::min(bytes.size(), static_cast<std::size_t>(tamanho - 1));
    std::memcpy(buffer, bytes.data(), n);
    buffer[n] = '\0';
    return n;
}

template <class T> void poe(T* p, T v) {
    if (p)
        *p = v;
}

bool usaValor(int32_t funcao) {
    return funcao == fluxos::funcao::kMenu || funcao == fluxos::funcao::kCheque || funcao == fluxos::funcao::kDebito ||
           funcao == fluxos::funcao::kCredito || fluxos::pedeValor(funcao);
}

// Networks the library reaches by itself: a direct request to them is not sent.
bool redePropria(int16_t rede) {
    return rede == 0 || rede == 1 || rede == 4 || rede == 5 || rede == 9;
}

bool autorizacaoValida(const std::string& codigo) {
    return !codigo.empty() && checks::soDigitos(codigo);
}

// Product 1 opens a new list; the others follow in order, each a catalogue
// product in an authorised quantity.
int32_t confereItem(const std::vector<ItemVidalink>& itens, int16_t numero, const std::string& codigo,
                    int32_t quantidade) {
    const std::size_t anteriores = numero == 1 ? 0 : itens.size();
    if (numero != static_cast<int16_t>(anteriores + 1))
        return KAVEXSIM_PRODUCTS_MISMATCH;
    const Produto* p = produto(codigo);
    if (!p)
        return KAVEXSIM_UNKNOWN_PRODUCT;
    if (quantidade < 1 || quantidade > p->quantidadeMaxima)
        return KAVEXSIM_BAD_QUANTITY;
    return KAVEXSIM_OK;
}

void acrescentaItem(std::vector<ItemVidalink>& itens, int16_t numero, ItemVidalink item) {
    if (numero == 1)
        itens.clear();
    itens.push_back(std::move(item));
}

} // namespace

namespace {

std::string seisDigitos(int numero) {
    const std::string n = std::to_string(numero);
    return std::string(n.size() < 6 ? 6 - n.size() : 0, '0') + n;
}

// The network through which a pending direct transaction is undone.
constexpr int16_t kRedeDesfazimento = 99;
constexpr int16_t kRespostaAprovada = 0, kRespostaFuncaoInvalida = 12, kRespostaSemOriginal = 25;

struct RespostaDireta {
    std::string tipoMensagem; // 0210 answers a request, 0410 an undo
    int16_t codigo = kRespostaAprovada;
    std::string corpo; // after the header
};

// The request's fields end at zero bytes; the last one may lack its zero.
std::size_t contaCampos(const std::string& envio) {
    const auto zeros = static_cast<std::size_t>(std::count(envio.begin(), envio.end(), '\0'));
    return zeros + (!envio.empty() && envio.back() != '\0' ? 1 : 0);
}

// A six-digit authorisation code that follows from the request's bytes.
std::string codigoAutorizacao(const std::string& envio) {
    unsigned long soma = 0;
    for (unsigned char c : envio)
        soma = (soma * 31 + c) % 1000000;
    const std::string n = std::to_string(soma);
    return std::string(6 - n.size(), '0') + n;
}

RespostaDireta autorizaDireta(Estado& estado, const Motor::PedidoDireto& pedido, const std::string& envio) {
    if (pedido.funcao <= 0)
        return {"0210", kRespostaFuncaoInvalida, ";RESP=12;FUNCAO INVALIDA"};
    const std::string nsu = estado.novoNsu();
    std::string corpo = ";RESP=00;NSU=" + nsu + ";AUT=" + codigoAutorizacao(envio) + ";TRANSACAO APROVADA";
    if (pedido.tipo == 1) {
        estado.diretaPendente = nsu;
        corpo += ";DESFAZIMENTO PENDENTE";
    }
    return {"0210", kRespostaAprovada, corpo};
}

RespostaDireta desfazDireta(Estado& estado) {
    if (!estado.diretaPendente)
        return {"0410", kRespostaSemOriginal, ";RESP=25;NAO HA TRANSACAO A DESFAZER"};
    RespostaDireta r{"0410", kRespostaAprovada, ";RESP=00;NSU=" + *estado.diretaPendente + ";TRANSACAO DESFEITA"};
    estado.diretaPendente.reset();
    return r;
}

} // namespace

std::string Estado::novoNsu() {
    return seisDigitos(proximoNsu++);
}

std::string Estado::novoDocumento() {
    return seisDigitos(proximoDocumento++);
}

Motor& Motor::instancia() {
    static Motor m;
    return m;
}

int32_t Motor::configura(const char* servidor, const char* loja, const char* terminal) {
    // Configuring again ends any function in progress; a pending transaction stays.
    m_fluxo.reset();
    m_estado.configurado = servidor && *servidor;
    m_estado.loja = texto(loja);
    m_estado.terminal = texto(terminal);
    return m_estado.configurado ? KAVEXSIM_OK : KAVEXSIM_NO_SERVER_ADDRESS;
}

int32_t Motor::prepara(Contexto& ctx, const char* cupom, const char* data, const char* hora, const char* operador) {
    ctx.estado = &m_estado;
    if (!m_estado.configurado)
        return KAVEXSIM_NOT_CONFIGURED;
    Inicio& inicio = ctx.inicio;
    inicio.cupom = texto(cupom);
    inicio.data = texto(data);
    inicio.hora = texto(hora);
    inicio.operador = texto(operador);
    if (!checks::dataValida(inicio.data) || !checks::horaValida(inicio.hora))
        return KAVEXSIM_BAD_DATE_TIME;
    return KAVEXSIM_OK;
}

int32_t Motor::comeca(Contexto ctx, Criacao criacao, bool desfazPendente) {
    m_fluxo.reset();
    if (criacao.resultado != KAVEX_CONTINUA_INTERATIVO)
        return criacao.resultado;
    if (desfazPendente && m_estado.pendente) {
        const std::string aviso = "TRANSAÇÃO PENDENTE NSU " + m_estado.pendente->nsu + " FOI DESFEITA";
        m_estado.pendente.reset();
        criacao.roteiro.passos.insert(criacao.roteiro.passos.begin(), passos::mensagem(cmd::kMensagemOperador, aviso));
    }
    ctx.estado = &m_estado;
    m_fluxo = std::make_unique<Fluxo>(std::move(ctx), std::move(criacao.roteiro));
    return KAVEX_CONTINUA_INTERATIVO;
}

int32_t Motor::iniciaFuncao(int32_t funcao, const char* valor, const char* cupom, const char* data, const char* hora,
                            const char* operador, const char* restricoes, const char* produtos, bool comProdutos) {
    Contexto ctx;
    ctx.inicio.funcao = funcao;
    if (int32_t r = prepara(ctx, cupom, data, hora, operador); r != KAVEXSIM_OK)
        return r;
    ctx.inicio.valor = texto(valor);
    if (usaValor(funcao)) {
        const auto c = checks::centavos(ctx.inicio.valor);
        if (!c || *c == 0)
            return KAVEXSIM_BAD_AMOUNT;
        ctx.inicio.centavos = *c;
    }
    const auto codigos = checks::restricoes(texto(restricoes));
    if (!codigos)
        return KAVEXSIM_BAD_RESTRICTIONS;
    ctx.inicio.restricoes = *codigos;
    if (comProdutos && !checks::itensDaLista(texto(produtos)))
        return KAVEXSIM_BAD_PRODUCT_LIST;
    return comeca(ctx, fluxos::inicia(ctx), true);
}

int32_t Motor::correspondente(const char* cupom, const char* data, const char* hora, const char* operador,
                              const char* restricoes) {
    Contexto ctx;
    ctx.inicio.funcao = fluxos::funcao::kCorrespondente;
    if (int32_t r = prepara(ctx, cupom, data, hora, operador); r != KAVEXSIM_OK)
        return r;
    const auto codigos = checks::restricoes(texto(restricoes));
    if (!codigos)
        return KAVEXSIM_BAD_RESTRICTIONS;
    ctx.inicio.restricoes = *codigos;
    return comeca(ctx, fluxos::correspondente(ctx), true);
}

int32_t Motor::continua(int32_t* comando, int32_t* tipo, int16_t* minimo, int16_t* maximo, char* buffer,
                        int32_t tamanho, int32_t continuacao) {
    if (!m_estado.configurado)
        return KAVEXSIM_NOT_CONFIGURED;
    if (!m_fluxo)
        return KAVEXSIM_NO_FUNCTION;
    std::string_view resposta;
    if (buffer && tamanho > 0) {
        const void* zero = std::memchr(buffer, 0, static_cast<std::size_t>(tamanho));
        resposta = std::string_view(buffer, zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - buffer)
                                                 : static_cast<std::size_t>(tamanho));
    }
    Saida saida;
    // The answer is read before the buffer is written over.
    const std::string copia(resposta);
    const int32_t r = m_fluxo->continua(continuacao, copia, saida);
    poe(comando, saida.comando);
    poe(tipo, saida.tipo);
    poe(minimo, saida.minimo);
    poe(maximo, saida.maximo);
    escreve(buffer, tamanho, saida.texto);
    if (r != KAVEX_CONTINUA_INTERATIVO)
        m_fluxo.reset();
    return r;
}

int32_t Motor::encerra(int16_t confirma) {
    Transacao t = std::move(*m_estado.pendente);
    m_estado.pendente.reset();
    if (confirma != 1)
        return KAVEXSIM_OK;
    if (!t.cancela.empty()) {
        for (auto& c : m_estado.confirmadas) {
            if (c.nsu == t.cancela)
                c.cancela = t.nsu; // the sale is cancelled: it cannot be cancelled twice
        }
    }
    m_estado.confirmadas.push_back(std::move(t));
    return KAVEXSIM_OK;
}

int32_t Motor::finaliza(int16_t confirma, const char* cupom, const char* data, const char* hora) {
    if (!m_estado.configurado)
        return KAVEXSIM_NOT_CONFIGURED;
    if (!checks::dataValida(texto(data)) || !checks::horaValida(texto(hora)))
        return KAVEXSIM_BAD_DATE_TIME;
    if (!m_estado.pendente)
        return KAVEXSIM_NO_PENDING;
    const bool mesmoCupom = m_estado.pendente->cupomNaoFiscal || m_estado.pendente->cupom == texto(cupom);
    if (!mesmoCupom || m_estado.pendente->data != texto(data))
        return KAVEXSIM_PENDING_MISMATCH;
    return encerra(confirma);
}

int32_t Motor::finalizaIdentificada(int32_t funcao, int16_t confirma, const char* cupom, const char* data,
                                    const char* hora, const char* dados) {
    if (!m_estado.configurado)
        return KAVEXSIM_NOT_CONFIGURED;
    (void)cupom;
    if (!checks::dataValida(texto(data)) || !checks::horaValida(texto(hora)))
        return KAVEXSIM_BAD_DATE_TIME;
    if (!m_estado.pendente)
        return KAVEXSIM_NO_PENDING;
    const std::string nsu = texto(dados);
    const bool mesmoNsu = checks::soDigitos(nsu) && !nsu.empty() && nsu.size() <= 9 &&
                          std::stol(nsu) == std::stol(m_estado.pendente->nsu);
    if (m_estado.pendente->funcao != funcao || !mesmoNsu)
        return KAVEXSIM_PENDING_MISMATCH;
    return encerra(confirma);
}

int32_t Motor::verificaPinpad() {
    if (!m_estado.configurado)
        return KAVEXSIM_NOT_CONFIGURED;
    esperaAtraso();
    return 1; // the pinpad is there
}

int32_t Motor::leCartaoInterativo(const char* mensagem) {
    if (!m_estado.configurado)
        return KAVEXSIM_NOT_CONFIGURED;
    Contexto ctx;
    return comeca(ctx, fluxos::leCartaoInterativo(texto(mensagem)), false);
}

int32_t Motor::leTrilha3(const char* mensagem) {
    if (!m_estado.configurado)
        return KAVEXSIM_NOT_CONFIGURED;
    Contexto ctx;
    return comeca(ctx, fluxos::leTrilha3(texto(mensagem)), false);
}

int32_t Motor::leCartaoDireto(char* trilha1, char* trilha2, bool aguarda) {
    if (!m_estado.configurado)
        return KAVEXSIM_NOT_CONFIGURED;
    if (!aguarda)
        return KAVEXSIM_NO_CARD;
    esperaAtraso();
    escreve(trilha1, KAVEX_TAM_TRILHA1, passos::kTrilha1Teste);
    escreve(trilha2, KAVEX_TAM_TRILHA2, passos::kTrilha2Teste);
    return KAVEXSIM_OK;
}

int32_t Motor::escreveMensagem(const char* mensagem) {
    if (!m_estado.configurado)
        return KAVEXSIM_NOT_CONFIGURED;
    (void)mensagem;
    return KAVEXSIM_OK;
}

int32_t Motor::leSenhaInterativo() {
    if (!m_estado.configurado)
        return KAVEXSIM_NOT_CONFIGURED;
    Contexto ctx;
    return comeca(ctx, fluxos::leSenhaInterativo(), false);
}

int32_t Motor::leSenhaDireto(char* senha) {
    if (!m_estado.configurado)
        return KAVEXSIM_NOT_CONFIGURED;
    esperaAtraso();
    escreve(senha, KAVEX_TAM_SENHA, passos::kBlocoSenhaTeste);
    return KAVEXSIM_OK;
}

int32_t Motor::leSimNao() {
    if (!m_estado.configurado)
        return KAVEXSIM_NOT_CONFIGURED;
    esperaAtraso();
    return 1; // the confirm key
}

int32_t Motor::preparaFarmacia(Contexto& ctx, const char* autorizacao, const char* cupom, const char* data,
                               const char* hora) {
    if (int32_t r = prepara(ctx, cupom, data, hora, "Opx"); r != KAVEXSIM_OK)
        return r;
    ctx.dados["autorizacao"] = texto(autorizacao);
    return autorizacaoValida(ctx["autorizacao"]) ? KAVEXSIM_OK : KAVEXSIM_BAD_AUTHORIZATION;
}

int32_t Motor::consultaPbm(const char* autorizacao, const char* consulta, const char* cupom, const char* data,
                           const char* hora) {
    Contexto ctx;
    if (int32_t r = preparaFarmacia(ctx, autorizacao, cupom, data, hora); r != KAVEXSIM_OK)
        return r;
    return comeca(ctx, fluxos::consultaProdutos(ctx, texto(consulta), true), false);
}

int32_t Motor::consultaVidalink(const char* autorizacao, const char* produto, const char* cupom, const char* data,
                                const char* hora) {
    Contexto ctx;
    if (int32_t r = preparaFarmacia(ctx, autorizacao, cupom, data, hora); r != KAVEXSIM_OK)
        return r;
    const std::string aut = texto(autorizacao);
    const std::string pedido = texto(produto);
    // Product steps belong to the consultation opened product by product with this authorisation.
    const bool abertura = pedido == "0" || pedido == "1";
    if (!abertura && m_estado.consultaVidalink != aut)
        return KAVEXSIM_BAD_AUTHORIZATION;
    if (abertura)
        m_estado.consultaVidalink = pedido == "0" ? std::optional<std::string>(aut) : std::nullopt;
    return comeca(ctx, fluxos::consultaProdutos(ctx, pedido, false), false);
}

int32_t Motor::informaVenda(int16_t numero, const char* codigo, int32_t quantidade, const char* valor) {
    if (!m_estado.configurado)
        return KAVEXSIM_NOT_CONFIGURED;
    const auto c = checks::centavos(texto(valor));
    if (int32_t r = confereItem(m_estado.vendaVidalink, numero, texto(codigo), quantidade); r != KAVEXSIM_OK)
        return r;
    if (!c || *c == 0)
        return KAVEXSIM_BAD_AMOUNT;
    acrescentaItem(m_estado.vendaVidalink, numero, {texto(codigo), quantidade, *c});
    return KAVEXSIM_OK;
}

int32_t Motor::vendaVidalink(const char* autorizacao, int16_t quantidade, const char* cupom, const char* data,
                             const char* hora) {
    Contexto ctx;
    ctx.inicio.funcao = fluxos::funcao::kVendaVidalink;
    if (int32_t r = preparaFarmacia(ctx, autorizacao, cupom, data, hora); r != KAVEXSIM_OK)
        return r;
    if (quantidade < 1 || static_cast<std::size_t>(quantidade) != m_estado.vendaVidalink.size())
        return KAVEXSIM_PRODUCTS_MISMATCH;
    Criacao c = fluxos::vendaVidalink(ctx);
    m_estado.vendaVidalink.clear();
    return comeca(ctx, std::move(c), true);
}

int32_t Motor::informaCancelamento(int16_t numero, const char* codigo, int32_t quantidade) {
    if (!m_estado.configurado)
        return KAVEXSIM_NOT_CONFIGURED;
    if (int32_t r = confereItem(m_estado.cancelamentoVidalink, numero, texto(codigo), quantidade); r != KAVEXSIM_OK)
        return r;
    acrescentaItem(m_estado.cancelamentoVidalink, numero, {texto(codigo), quantidade, 0});
    return KAVEXSIM_OK;
}

int32_t Motor::cancelamentoVidalink(int16_t total, int32_t quantidade, const char* cupomVenda, const char* dataVenda,
                                    const char* cupom, const char* data, const char* hora) {
    Contexto ctx;
    ctx.inicio.funcao = fluxos::funcao::kCancelamentoVidalink;
    if (int32_t r = prepara(ctx, cupom, data, hora, "Opx"); r != KAVEXSIM_OK)
        return r;
    const std::string dataOriginal = texto(dataVenda);
    if (!checks::dataValida(dataOriginal))
        return KAVEXSIM_BAD_DATE_TIME;
    // A total cancellation informs no products; a partial one sends the count it informed.
    if (total == 1)
        m_estado.cancelamentoVidalink.clear();
    if (quantidade < 1 || (total != 1 && static_cast<std::size_t>(quantidade) != m_estado.cancelamentoVidalink.size()))
        return KAVEXSIM_PRODUCTS_MISMATCH;
    Criacao c = fluxos::cancelamentoVidalink(ctx, total == 1, dataOriginal, texto(cupomVenda));
    m_estado.cancelamentoVidalink.clear();
    return comeca(ctx, std::move(c), true);
}

int32_t Motor::enviaRecebe(const PedidoDireto& pedido, char* resposta, int16_t tamanhoResposta, int16_t* codigoResposta,
                           std::size_t& escritos) {
    escritos = 0;
    if (!m_estado.configurado)
        return KAVEXSIM_NOT_CONFIGURED;
    if (redePropria(pedido.rede))
        return KAVEXSIM_NETWORK_NOT_DIRECT;
    esperaAtraso();
    const std::size_t n = pedido.envio && pedido.tamanhoEnvio > 0 ? static_cast<std::size_t>(pedido.tamanhoEnvio) : 0;
    const std::string envio(pedido.envio ? pedido.envio : "", n);
    const RespostaDireta r =
        pedido.rede == kRedeDesfazimento ? desfazDireta(m_estado) : autorizaDireta(m_estado, pedido, envio);
    const std::string linha = r.tipoMensagem + ";REDE=" + std::to_string(pedido.rede) +
                              ";FUNCAO=" + std::to_string(pedido.funcao) + ";DATA=" + texto(pedido.data) +
                              ";HORA=" + texto(pedido.hora) + ";CAMPOS=" + std::to_string(contaCampos(envio)) +
                              ";BYTES=" + std::to_string(n) + r.corpo;
    escritos = escreve(resposta, tamanhoResposta, linha);
    poe(codigoResposta, r.codigo);
    return static_cast<int32_t>(escritos);
}

} // namespace kavexsim
