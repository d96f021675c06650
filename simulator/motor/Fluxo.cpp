#include "motor/Fluxo.h"

#include "kavexsim_codes.h"
#include "library/kavex.h"

#include <chrono>
#include <cstdlib>
#include <thread>

namespace kavexsim {

namespace {

// The longest delay honoured, so a mistyped variable cannot freeze the console.
constexpr long kAtrasoMaximoMs = 10000;

const char* const kCancelada = "OPERAÇÃO CANCELADA PELO OPERADOR";
const char* const kSem1000 = "CONTINUA 1000 NÃO SE APLICA A ESTA PERGUNTA";

} // namespace

bool Passo::pergunta() const {
    return comando == cmd::kSimNao || comando == cmd::kMenu || comando == cmd::kCampo || comando == cmd::kCheque ||
           comando == cmd::kCampoLivre || comando == cmd::kCodigoBarras;
}

Fluxo::Fluxo(Contexto contexto, Roteiro roteiro) : m_ctx(std::move(contexto)), m_roteiro(std::move(roteiro)) {}

bool Fluxo::ativo(int indice) const {
    const Passo& p = m_roteiro.passos[static_cast<std::size_t>(indice)];
    return !p.ativo || p.ativo(m_ctx);
}

int32_t Fluxo::continua(int32_t continuacao, std::string_view resposta, Saida& saida) {
    if (m_modo == Modo::Cancelado) {
        saida = Saida{};
        return KAVEXSIM_CANCELLED;
    }
    if (continuacao == -1) {
        m_modo = Modo::Cancelado;
        saida = Saida{cmd::kMensagemOperador, 0, 0, 0, kCancelada};
        return KAVEX_CONTINUA_INTERATIVO;
    }
    if (m_modo == Modo::Recusado) {
        m_modo = Modo::Normal;
        return envia(m_atual, saida);
    }
    if (m_atual < 0 || !m_roteiro.passos[static_cast<std::size_t>(m_atual)].pergunta())
        return avanca(saida);

    const Passo& passo = m_roteiro.passos[static_cast<std::size_t>(m_atual)];
    if (continuacao == 1)
        return volta(saida);
    std::string motivo;
    if (continuacao == 1000)
        motivo = passo.alternativa ? passo.alternativa(m_ctx, resposta) : kSem1000;
    else
        motivo = confere(passo, resposta);
    return motivo.empty() ? avanca(saida) : recusa(motivo, saida);
}

std::string Fluxo::confere(const Passo& passo, std::string_view resposta) {
    const bool comTamanho = passo.comando == cmd::kCampo || passo.comando == cmd::kCampoLivre;
    if (comTamanho && resposta.size() < static_cast<std::size_t>(passo.minimo))
        return "DIGITE AO MENOS " + std::to_string(passo.minimo) + " CARACTERES";
    if (comTamanho && passo.maximo > 0 && resposta.size() > static_cast<std::size_t>(passo.maximo))
        return "DIGITE NO MÁXIMO " + std::to_string(passo.maximo) + " CARACTERES";
    return passo.aceita ? passo.aceita(m_ctx, resposta) : std::string();
}

int32_t Fluxo::envia(int indice, Saida& saida) {
    m_atual = indice;
    Passo& passo = m_roteiro.passos[static_cast<std::size_t>(indice)];
    if (passo.aoEnviar)
        passo.aoEnviar(m_ctx);
    if (passo.demorado)
        esperaAtraso();
    saida = Saida{passo.comando, passo.tipo, passo.minimo, passo.maximo, passo.texto ? passo.texto(m_ctx) : ""};
    return KAVEX_CONTINUA_INTERATIVO;
}

int32_t Fluxo::avanca(Saida& saida) {
    const int total = static_cast<int>(m_roteiro.passos.size());
    for (int i = m_atual + 1; i < total; ++i) {
        if (ativo(i))
            return envia(i, saida);
    }
    m_atual = total;
    saida = Saida{};
    if (m_ctx.encerramento)
        return *m_ctx.encerramento;
    return m_roteiro.conclusao ? m_roteiro.conclusao(m_ctx) : KAVEXSIM_OK;
}

int32_t Fluxo::volta(Saida& saida) {
    int alvo = m_atual;
    for (int i = m_atual - 1; i >= 0; --i) {
        if (ativo(i) && m_roteiro.passos[static_cast<std::size_t>(i)].pergunta()) {
            alvo = i;
            break;
        }
    }
    // A menu is asked again under its own heading.
    if (alvo > 0 && ativo(alvo - 1) && m_roteiro.passos[static_cast<std::size_t>(alvo - 1)].comando == cmd::kCabecalho)
        --alvo;
    return envia(alvo, saida);
}

int32_t Fluxo::recusa(const std::string& motivo, Saida& saida) {
    m_modo = Modo::Recusado;
    saida = Saida{cmd::kAviso, 0, 0, 0, motivo};
    return KAVEX_CONTINUA_INTERATIVO;
}

void esperaAtraso() {
    const char* valor = std::getenv(KAVEXSIM_ENV_DELAY);
    if (!valor || !*valor)
        return;
    char* fim = nullptr;
    const long ms = std::strtol(valor, &fim, 10);
    if (*fim != '\0' || ms <= 0)
        return;
    std::this_thread::sleep_for(std::chrono::milliseconds(ms < kAtrasoMaximoMs ? ms : kAtrasoMaximoMs));
}

} // namespace kavexsim
