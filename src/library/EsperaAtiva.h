#pragma once

// The brief poll before a wait that sleeps: a call that answers at once comes
// back within microseconds, and waking a sleeping thread or process costs
// more than that.

#include <chrono>
#include <thread>

// Long enough for the command loop's next call, which comes within
// microseconds of the last answer; longer would buy nothing on an idle
// machine and, on a busy one, take the processor from the side it waits for.
inline constexpr std::chrono::microseconds kEsperaAtiva(50);

// Polls `pronto` for up to `limite`, yielding the processor at each turn;
// false when it did not become true in time.
template <class Pronto> bool esperaAtiva(Pronto pronto, std::chrono::steady_clock::duration limite = kEsperaAtiva) {
    const auto fim = std::chrono::steady_clock::now() + limite;
    while (!pronto()) {
        if (std::chrono::steady_clock::now() >= fim) {
            return false;
        }
        std::this_thread::yield();
    }
    return true;
}
