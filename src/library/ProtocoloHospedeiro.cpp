#include "library/ProtocoloHospedeiro.h"

namespace hospedeiro {

namespace {

constexpr uint32_t kMarcaSaudacao = 0x4b56484f; // "KVHO"

using Atendente = bool (*)(KavexLibrary&, Leitor&, Escritor&);

#define KAVEX_ATENDENTE(R, N, P, A)                                                                                    \
    [](KavexLibrary& b, Leitor& l, Escritor& e) { return atende<k##N>(b, &KavexLibrary::N, l, e); },
constexpr Atendente kAtendentes[] = {KAVEX_FUNCTIONS(KAVEX_ATENDENTE)};
#undef KAVEX_ATENDENTE

#define KAVEX_NOME(R, N, P, A) #N,
constexpr const char* kNomes[] = {KAVEX_FUNCTIONS(KAVEX_NOME)};
#undef KAVEX_NOME

} // namespace

const char* nomeFuncao(int funcao) {
    return funcao >= 0 && funcao < kTotalFuncoes ? kNomes[funcao] : "?";
}

bool atendePedido(KavexLibrary& biblioteca, std::span<const unsigned char> pedido,
                  std::vector<unsigned char>& resposta) {
    Leitor l(pedido);
    uint8_t funcao = kTotalFuncoes;
    if (!l.valor(funcao) || funcao >= kTotalFuncoes) {
        return false;
    }
    Escritor e(resposta);
    return kAtendentes[funcao](biblioteca, l, e);
}

void escreveSaudacao(std::vector<unsigned char>& saida, const Saudacao& saudacao) {
    Escritor e(saida);
    e.valor(kMarcaSaudacao);
    e.valor<uint8_t>(saudacao.carregou);
    e.valor(uint32_t(std::min(saudacao.erro.size(), kCapacidade / 2)));
    e.bytes(saudacao.erro.data(), std::min(saudacao.erro.size(), kCapacidade / 2));
    e.valor(saudacao.ausentes);
}

bool leSaudacao(std::span<const unsigned char> dados, Saudacao& saudacao) {
    Leitor l(dados);
    uint32_t marca = 0, n = 0;
    uint8_t carregou = 0;
    if (!l.valor(marca) || marca != kMarcaSaudacao || !l.valor(carregou) || carregou > 1 || !l.valor(n) ||
        n > kCapacidade) {
        return false;
    }
    saudacao.carregou = carregou;
    saudacao.erro.resize(n);
    return l.bytes(saudacao.erro.data(), n) && l.valor(saudacao.ausentes) &&
           saudacao.ausentes < (uint32_t(1) << kTotalFuncoes) && l.fim();
}

} // namespace hospedeiro
