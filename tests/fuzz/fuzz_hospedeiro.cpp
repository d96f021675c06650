// The host's messages from either side. The first byte chooses the side and
// the function. As the host: any request is refused or carried out on a
// library that uses every buffer to the size it is told and reads every text
// to its end, so a buffer shorter than its size would be caught by the
// address sanitizer. As the console: any reply to a call whose buffers have
// exactly their sizes is refused or written within them.

#include "library/ProtocoloHospedeiro.h"

#include <cstdint>
#include <cstring>
#include <memory>

using namespace hospedeiro;

namespace {

// Uses each argument as the library would: outputs written to the last byte
// it was told of, texts read to their zero, the send buffer to its length.
template <Funcao F, class... Args> int32_t usa(const std::tuple<Args...>& args) {
    int32_t soma = 0;
    [&]<size_t... I>(std::index_sequence<I...>) {
        (
            [&] {
                using T = std::tuple_element_t<I, std::tuple<Args...>>;
                const T v = std::get<I>(args);
                constexpr Regra r = regra(F, I);
                if constexpr (std::is_same_v<T, char*>) {
                    long long n = r.valor;
                    if constexpr (r.tipo == Regra::BufferDoParametro) {
                        n = std::get<size_t(r.valor)>(args);
                    }
                    if (v && n > 0) {
                        std::memset(v, 'x', size_t(n));
                    }
                } else if constexpr (std::is_same_v<T, const char*>) {
                    if constexpr (r.tipo == Regra::BytesDoParametro) {
                        for (long long i = 0; v && i < std::get<size_t(r.valor)>(args); ++i) {
                            soma += v[i];
                        }
                    } else if (v) {
                        soma += int32_t(std::strlen(v));
                    }
                } else if constexpr (std::is_pointer_v<T>) {
                    if (v) {
                        *v = 1;
                    }
                }
            }(),
            ...);
    }
    (std::index_sequence_for<Args...>{});
    return soma;
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"
class BibliotecaQueUsaTudo final : public KavexLibrary {
public:
#define KAVEX_USA(R, N, P, A)                                                                                          \
    R N P override {                                                                                                   \
        return static_cast<R>(usa<k##N>(std::tuple A));                                                                \
    }
    KAVEX_FUNCTIONS(KAVEX_USA)
#undef KAVEX_USA
};
#pragma GCC diagnostic pop

// A call's arguments with their numbers from the input (sizes kept small),
// every buffer allocated to exactly its size, then the rest of the input
// read as the reply.
template <Funcao F, class R, class... Args> void leResposta(R (KavexLibrary::*)(Args...), Leitor& entrada) {
    std::tuple<Args...> args{};
    int64_t escalares[sizeof...(Args) + 1] = {};
    std::unique_ptr<char[]> buffers[sizeof...(Args) + 1];
    [&]<size_t... I>(std::index_sequence<I...>) {
        (
            [&] {
                using T = std::tuple_element_t<I, std::tuple<Args...>>;
                if constexpr (std::is_integral_v<T>) {
                    int16_t v = 0;
                    entrada.valor(v);
                    std::get<I>(args) = T(v);
                } else if constexpr (std::is_same_v<T, const char*>) {
                    std::get<I>(args) = "texto";
                } else if constexpr (!std::is_same_v<T, char*>) {
                    std::get<I>(args) = reinterpret_cast<T>(&escalares[I]);
                }
            }(),
            ...);
        (
            [&] {
                using T = std::tuple_element_t<I, std::tuple<Args...>>;
                if constexpr (std::is_same_v<T, char*>) {
                    const uint32_t tamanho = detalhe::tamanhoDe<F, I>(args);
                    buffers[I] = std::make_unique<char[]>(std::max<uint32_t>(tamanho, 1));
                    std::get<I>(args) = buffers[I].get();
                }
            }(),
            ...);
    }
    (std::index_sequence_for<Args...>{});
    int32_t resultado = 0;
    lePedidoRespondido<F>(entrada, args, resultado);
}

using Leitura = void (*)(Leitor&);
#define KAVEX_LEITURA(R, N, P, A) [](Leitor& l) { leResposta<k##N>(&KavexLibrary::N, l); },
constexpr Leitura kLeituras[] = {KAVEX_FUNCTIONS(KAVEX_LEITURA)};
#undef KAVEX_LEITURA

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::span<const unsigned char> resto(data + 1, size - 1);
    if (data[0] < 128) {
        BibliotecaQueUsaTudo biblioteca;
        std::vector<unsigned char> resposta;
        atendePedido(biblioteca, resto, resposta);
        Saudacao saudacao;
        leSaudacao(resto, saudacao);
    } else {
        Leitor leitor(resto);
        kLeituras[(data[0] - 128) % kTotalFuncoes](leitor);
    }
    return 0;
}
