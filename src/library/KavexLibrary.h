#pragma once

// The payment client library as the console sees it: one method per exported
// function, with the C signatures, so tests can put another implementation in
// its place.

#include "library/KavexFunctions.h"
#include "library/Queda.h"

#include <QStringList>

#include <chrono>
#include <cstdint>
#include <limits>
#include <optional>

// Result of a call whose function the loaded library does not export: the
// operator has been told, and the value can be shown like any other code.
inline constexpr int32_t kFuncaoAusente = std::numeric_limits<int16_t>::min();

struct pollfd;

// How a caller with an event loop waits for a library that answers from
// another process: as poll() would, but taking the caller's events meanwhile;
// it may return early, and the library looks again. Calls made from those
// events are taken in order after the waiting one.
class EsperaResposta {
public:
    virtual ~EsperaResposta() = default;
    virtual void espera(pollfd* descritores, int quantos, int limiteMs) = 0;
};

class KavexLibrary {
public:
    virtual ~KavexLibrary() = default;

#define KAVEX_DECLARE_METHOD(R, N, P, A) virtual R N P = 0;
    KAVEX_FUNCTIONS(KAVEX_DECLARE_METHOD)
#undef KAVEX_DECLARE_METHOD

    // The functions the library does not export, by name.
    virtual QStringList missingFunctions() const {
        return {};
    }

    // A library hosted in a process of its own (BibliotecaHospedada) can end
    // under the console: what ended it during the last call, until it is
    // configured again; a running call that passes `prazo` ends it; encerra()
    // ends it now (false when the library is not hosted); reinicia() starts a
    // fresh host after it ended (ConfiguraIntKavexInterativo does so by
    // itself). Decorators pass these on.
    virtual std::optional<Queda> queda() const {
        return std::nullopt;
    }
    virtual void definePrazo(std::optional<std::chrono::steady_clock::time_point>) {}
    virtual bool encerra() {
        return false;
    }
    virtual bool reinicia() {
        return false;
    }
    // A library that answers from a process of its own can be called on the
    // caller's thread, which then waits through `espera` (nullptr: blocked
    // in poll()). False when calls run in this process and so block the
    // caller until they end.
    virtual bool defineEspera(EsperaResposta*) {
        return false;
    }
};
