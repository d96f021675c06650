#pragma once

// The messages between the console and the host process that runs the
// library: a call with its arguments going one way, the result and every
// output the library filled coming back. Both sides read a message they did
// not write as untrusted bytes: a length past the end, a buffer smaller than
// the size the library will be told, a missing or extra byte refuse the whole
// message, and nothing is written past a buffer of the caller's.
//
// A buffer travels as its size and the bytes up to its last non-zero one; the
// rest is zero on both sides, so a 20001-byte loop buffer holding a short
// message costs a few bytes, yet every byte the library wrote comes back.

#include "library/KavexLibrary.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

namespace hospedeiro {

#define KAVEX_DECLARE_INDICE(R, N, P, A) k##N,
enum Funcao : uint8_t { KAVEX_FUNCTIONS(KAVEX_DECLARE_INDICE) kTotalFuncoes };
#undef KAVEX_DECLARE_INDICE

const char* nomeFuncao(int funcao);

// The largest message either way: the longest texts the console sends and
// the direct transaction's buffers fit many times over.
inline constexpr size_t kCapacidade = 256 * 1024;

class Escritor {
public:
    explicit Escritor(std::vector<unsigned char>& saida) : saida_(saida) { saida_.clear(); }
    template <class T> void valor(T v) {
        static_assert(std::is_trivially_copyable_v<T>);
        bytes(&v, sizeof v);
    }
    void bytes(const void* dados, size_t tamanho) {
        const auto* p = static_cast<const unsigned char*>(dados);
        saida_.insert(saida_.end(), p, p + tamanho);
    }
    bool cabe() const { return saida_.size() <= kCapacidade; }

private:
    std::vector<unsigned char>& saida_;
};

class Leitor {
public:
    explicit Leitor(std::span<const unsigned char> dados) : dados_(dados) {}
    template <class T> bool valor(T& v) {
        static_assert(std::is_trivially_copyable_v<T>);
        return bytes(&v, sizeof v);
    }
    // A byte that must be 0 or 1.
    bool presenca(bool& presente) {
        uint8_t v = 0;
        if (!valor(v) || v > 1) {
            return false;
        }
        presente = v;
        return true;
    }
    bool bytes(void* destino, size_t tamanho) {
        if (tamanho > dados_.size() - pos_) {
            return false;
        }
        std::memcpy(destino, dados_.data() + pos_, tamanho);
        pos_ += tamanho;
        return true;
    }
    bool fim() const { return pos_ == dados_.size(); }

private:
    std::span<const unsigned char> dados_;
    size_t pos_ = 0;
};

// How an argument travels when its C type does not say it all.
struct Regra {
    enum Tipo : uint8_t { Comum, BufferFixo, BufferDoParametro, BytesDoParametro } tipo = Comum;
    int valor = 0; // the size, or the position of the parameter holding it
};

constexpr Regra regra(Funcao f, size_t posicao) {
    switch (f) {
    case kContinuaFuncaoKavexInterativo:
        return posicao == 4 ? Regra{Regra::BufferDoParametro, 5} : Regra{};
    case kLeCartaoDireto:
    case kLeCartaoDiretoEx:
        if (posicao == 1) {
            return {Regra::BufferFixo, KAVEX_TAM_TRILHA1};
        }
        return posicao == 2 ? Regra{Regra::BufferFixo, KAVEX_TAM_TRILHA2} : Regra{};
    case kLeSenhaDireto:
        return posicao == 1 ? Regra{Regra::BufferFixo, KAVEX_TAM_SENHA} : Regra{};
    case kIniciaFuncaoKavexInterativoConsultaPBM:
        return posicao == 0 ? Regra{Regra::BufferFixo, KAVEX_TAM_COD_AUTORIZACAO} : Regra{};
    case kEnviaRecebeKavexDireto:
        // The send buffer holds zeros between its lines: its length is sent.
        if (posicao == 3) {
            return {Regra::BytesDoParametro, 4};
        }
        return posicao == 5 ? Regra{Regra::BufferDoParametro, 6} : Regra{};
    default:
        return {};
    }
}

namespace detalhe {

// A pointer to one number (texts and buffers are pointers to char).
template <class T>
constexpr bool ehPonteiroEscalar = std::is_pointer_v<T>&& std::is_integral_v<std::remove_pointer_t<T>> &&
                                   !std::is_same_v<std::remove_cv_t<std::remove_pointer_t<T>>, char>;

inline uint32_t limita(long long v) {
    return v < 0 ? 0 : v > static_cast<long long>(kCapacidade) ? uint32_t(kCapacidade) : uint32_t(v);
}

// The bytes up to the last non-zero one. The command loop's buffer crosses
// on every call, 20 001 bytes that are mostly zeros: a block of 64 at a time
// (one the compiler does in a few vector instructions) before the last bytes
// one by one.
inline uint32_t usados(const char* p, uint32_t tamanho) {
    constexpr uint32_t kBloco = 64;
    while (tamanho >= kBloco) {
        uint64_t palavras[kBloco / sizeof(uint64_t)];
        std::memcpy(palavras, p + tamanho - kBloco, kBloco);
        uint64_t algum = 0;
        for (const uint64_t palavra : palavras) {
            algum |= palavra;
        }
        if (algum != 0) {
            break;
        }
        tamanho -= kBloco;
    }
    while (tamanho > 0 && p[tamanho - 1] == 0) {
        --tamanho;
    }
    return tamanho;
}

template <Funcao F, size_t I, class Tupla> uint32_t tamanhoDe(const Tupla& args) {
    constexpr Regra r = regra(F, I);
    if constexpr (r.tipo == Regra::BufferFixo) {
        return uint32_t(r.valor);
    } else if constexpr (r.tipo == Regra::BufferDoParametro || r.tipo == Regra::BytesDoParametro) {
        return limita(std::get<size_t(r.valor)>(args));
    } else {
        return 0;
    }
}

inline void escreveBuffer(Escritor& e, const char* p, uint32_t tamanho) {
    const uint32_t n = p ? usados(p, tamanho) : 0;
    e.valor<uint8_t>(p != nullptr);
    e.valor(tamanho);
    e.valor(n);
    e.bytes(p, n);
}

} // namespace detalhe

// The console's side: a call's arguments into a request.
template <Funcao F, class... Args> bool escrevePedido(Escritor& e, const std::tuple<Args...>& args) {
    e.valor<uint8_t>(F);
    [&]<size_t... I>(std::index_sequence<I...>) {
        (
            [&] {
                using T = std::tuple_element_t<I, std::tuple<Args...>>;
                const T& v = std::get<I>(args);
                if constexpr (std::is_integral_v<T>) {
                    e.valor(v);
                } else if constexpr (detalhe::ehPonteiroEscalar<T>) {
                    using V = std::remove_const_t<std::remove_pointer_t<T>>;
                    e.valor<uint8_t>(v != nullptr);
                    e.valor<V>(v ? *v : V{});
                } else if constexpr (std::is_same_v<T, const char*>) {
                    constexpr Regra r = regra(F, I);
                    const uint32_t n = !v                                  ? 0
                                       : r.tipo == Regra::BytesDoParametro ? detalhe::tamanhoDe<F, I>(args)
                                                                           : detalhe::limita(std::strlen(v));
                    e.valor<uint8_t>(v != nullptr);
                    e.valor(n);
                    e.bytes(v, n);
                } else {
                    static_assert(std::is_same_v<T, char*>);
                    static_assert(regra(F, I).tipo == Regra::BufferFixo || regra(F, I).tipo == Regra::BufferDoParametro,
                                  "a buffer without a size");
                    detalhe::escreveBuffer(e, v, detalhe::tamanhoDe<F, I>(args));
                }
            }(),
            ...);
    }
    (std::index_sequence_for<Args...>{});
    return e.cabe();
}

// The console's side: the reply into the result and the caller's outputs.
// False, with nothing trusted, when the reply is not one for these
// arguments; outputs may then be partly written, never past their sizes.
template <Funcao F, class... Args> bool lePedidoRespondido(Leitor& l, const std::tuple<Args...>& args, int32_t& r) {
    uint8_t funcao = 0;
    if (!l.valor(funcao) || funcao != F || !l.valor(r)) {
        return false;
    }
    bool ok = true;
    [&]<size_t... I>(std::index_sequence<I...>) {
        (
            [&] {
                using T = std::tuple_element_t<I, std::tuple<Args...>>;
                T v = std::get<I>(args);
                if constexpr (detalhe::ehPonteiroEscalar<T> && !std::is_const_v<std::remove_pointer_t<T>>) {
                    uint8_t presente = 0;
                    std::remove_pointer_t<T> valor{};
                    ok = ok && l.valor(presente) && presente == (v != nullptr) && l.valor(valor);
                    if (ok && v) {
                        *v = valor;
                    }
                } else if constexpr (std::is_same_v<T, char*>) {
                    const uint32_t esperado = detalhe::tamanhoDe<F, I>(args);
                    uint8_t presente = 0;
                    uint32_t tamanho = 0, n = 0;
                    ok = ok && l.valor(presente) && presente == (v != nullptr) && l.valor(tamanho) &&
                         tamanho == esperado && l.valor(n) && n <= tamanho && (v || n == 0) && l.bytes(v, n);
                    if (ok && v) {
                        // What was past the bytes sent was zero and stays so
                        // unless the library wrote there.
                        std::memset(v + n, 0, tamanho - n);
                    }
                }
            }(),
            ...);
    }
    (std::index_sequence_for<Args...>{});
    return ok && l.fim();
}

// The host's side: what holds each argument while the library runs.
template <class T> struct Guarda {
    static_assert(std::is_integral_v<T>);
    T v{};
    bool le(Leitor& l) { return l.valor(v); }
    T arg() { return v; }
    long long numero() const { return v; }
};
template <> struct Guarda<const char*> {
    bool presente = false;
    std::vector<char> dados;
    bool le(Leitor& l) {
        uint32_t n = 0;
        if (!l.presenca(presente) || !l.valor(n) || n > kCapacidade || (!presente && n)) {
            return false;
        }
        dados.resize(size_t(n) + 1);
        return l.bytes(dados.data(), n);
    }
    const char* arg() { return presente ? dados.data() : nullptr; }
};
template <> struct Guarda<char*> {
    bool presente = false;
    uint32_t tamanho = 0;
    // One byte at least, so an empty buffer is still a pointer.
    std::vector<char> dados;
    bool le(Leitor& l) {
        uint32_t n = 0;
        if (!l.presenca(presente) || !l.valor(tamanho) || !l.valor(n) || n > tamanho || tamanho > kCapacidade ||
            (!presente && tamanho)) {
            return false;
        }
        dados.assign(std::max<uint32_t>(tamanho, 1), 0);
        return l.bytes(dados.data(), n);
    }
    char* arg() { return presente ? dados.data() : nullptr; }
    void escreve(Escritor& e) const { detalhe::escreveBuffer(e, presente ? dados.data() : nullptr, tamanho); }
};
template <class V>
requires std::is_integral_v<V>
struct Guarda<V*> {
    bool presente = false;
    V v{};
    bool le(Leitor& l) { return l.presenca(presente) && l.valor(v); }
    V* arg() { return presente ? &v : nullptr; }
    void escreve(Escritor& e) const {
        e.valor<uint8_t>(presente);
        e.valor(v);
    }
};
template <class V>
requires std::is_integral_v<V>
struct Guarda<const V*> : Guarda<V*> {
    const V* arg() { return Guarda<V*>::arg(); }
};

// The host's side: decodes a request for `metodo`, calls it on `biblioteca`,
// writes the reply. False, without calling, when the request is refused.
template <Funcao F, class R, class... Args>
bool atende(KavexLibrary& biblioteca, R (KavexLibrary::*metodo)(Args...), Leitor& l, Escritor& e) {
    std::tuple<Guarda<Args>...> guardas;
    bool ok = std::apply([&](auto&... g) { return (g.le(l) && ...); }, guardas) && l.fim();
    // Every buffer and byte run at least as long as the library will be told.
    [&]<size_t... I>(std::index_sequence<I...>) {
        (
            [&] {
                constexpr Regra r = regra(F, I);
                if constexpr (r.tipo == Regra::BufferFixo) {
                    ok = ok && std::get<I>(guardas).tamanho >= uint32_t(r.valor);
                } else if constexpr (r.tipo == Regra::BufferDoParametro) {
                    ok = ok && std::get<size_t(r.valor)>(guardas).numero() <= (long long)std::get<I>(guardas).tamanho;
                } else if constexpr (r.tipo == Regra::BytesDoParametro) {
                    ok = ok &&
                         std::get<size_t(r.valor)>(guardas).numero() < (long long)std::get<I>(guardas).dados.size();
                }
            }(),
            ...);
    }
    (std::index_sequence_for<Args...>{});
    if (!ok) {
        return false;
    }
    const R resultado = std::apply([&](auto&... g) { return (biblioteca.*metodo)(g.arg()...); }, guardas);
    e.valor<uint8_t>(F);
    e.valor<int32_t>(resultado);
    std::apply(
        [&](const auto&... g) {
            (
                [&] {
                    if constexpr (requires { g.escreve(e); }) {
                        g.escreve(e);
                    }
                }(),
                ...);
        },
        guardas);
    return e.cabe();
}

// The host's side: any request.
bool atendePedido(KavexLibrary& biblioteca, std::span<const unsigned char> pedido,
                  std::vector<unsigned char>& resposta);

// The first message of a host, before any call: whether the library loaded
// (else the loader's reason) and the functions it lacks, one bit each.
struct Saudacao {
    bool carregou = false;
    std::string erro;
    uint32_t ausentes = 0;
};
void escreveSaudacao(std::vector<unsigned char>& saida, const Saudacao& saudacao);
bool leSaudacao(std::span<const unsigned char> dados, Saudacao& saudacao);

} // namespace hospedeiro
