#pragma once

// The channel between the console and the host process: one shared memory
// region with a request area and a reply area, each announced by a sequence
// number. The side that waits first polls the number briefly (a library that
// answers at once is back within microseconds), then sleeps: the host on a
// futex of the shared number, the console in poll() on an eventfd the host
// writes, beside a descriptor that becomes readable when the host ends. The
// writer wakes the other side only when it said it sleeps.
//
// The host finds its ends at fixed descriptors; InterrompeLeCartaoDireto goes
// by a socket of its own, which a thread of the host watches while the
// library's thread is busy with the read.

#include "library/EsperaAtiva.h"
#include "library/ProtocoloHospedeiro.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <thread>

namespace hospedeiro {

struct Regiao {
    alignas(64) std::atomic<uint32_t> pedido{0};
    std::atomic<uint32_t> hospedeiroDorme{0};
    std::atomic<uint32_t> tamanhoPedido{0};
    alignas(64) std::atomic<uint32_t> resposta{0};
    std::atomic<uint32_t> consoleDorme{0};
    std::atomic<uint32_t> tamanhoResposta{0};
    alignas(64) unsigned char dadosPedido[kCapacidade];
    unsigned char dadosResposta[kCapacidade];
};

// The host's descriptors: the region, the console's wake-up, the interrupt.
inline constexpr int kFdRegiao = 3;
inline constexpr int kFdAcordaConsole = 4;
inline constexpr int kFdInterrupcao = 5;
// A request of this size asks the host to unload the library and end.
inline constexpr uint32_t kPedidoFim = 0;
// The host's exit status when a request was refused, and when its command
// line or descriptors are wrong.
inline constexpr int kStatusPedidoRecusado = 70;
inline constexpr int kStatusUso = 64;
// The argument that marks a host's command line.
inline constexpr const char* kArgumentoHospedeiro = "--kavex-host";

// Sleeps until *palavra differs from `valor` (or a spurious wake-up).
void futexEspera(std::atomic<uint32_t>& palavra, uint32_t valor);
void futexAcorda(std::atomic<uint32_t>& palavra);

// The host's whole life: `argv` is its command line (program name,
// kArgumentoHospedeiro, the console's process id, the library). Returns the
// exit status.
int executaHospedeiro(int argc, char** argv);

} // namespace hospedeiro
