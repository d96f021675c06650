#pragma once

// The payment client library called on a thread of its own, so the window
// keeps painting and taking its cancel buttons while a call lasts. Every call
// goes to the same thread (a library may keep per-thread state), in the order
// it was made; the caller waits for it, first by polling briefly (most calls
// of the command loop answer within microseconds), then in a local event
// loop until the call ends.
//
// InterrompeLeCartaoDireto is the exception: it exists to break off a read
// that is running, so it goes to the library at once from the caller's
// thread. So do the functions the library lacks, whose report is a box.
//
// A library that answers from a host process of its own needs no thread
// here: it is called on the caller's thread and waits in the caller's event
// loop, which saves a hand-over per call (the host already runs every call on
// one thread of its own).

#include "library/KavexLibrary.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string_view>
#include <thread>

class QAbstractEventDispatcher;

class BibliotecaEmThread final : public KavexLibrary, private EsperaResposta {
public:
    explicit BibliotecaEmThread(KavexLibrary& biblioteca);
    ~BibliotecaEmThread() override;
    BibliotecaEmThread(const BibliotecaEmThread&) = delete;
    BibliotecaEmThread& operator=(const BibliotecaEmThread&) = delete;

    QStringList missingFunctions() const override { return biblioteca_.missingFunctions(); }
    std::optional<Queda> queda() const override { return biblioteca_.queda(); }
    void definePrazo(std::optional<std::chrono::steady_clock::time_point> prazo) override {
        biblioteca_.definePrazo(prazo);
    }
    // From any thread: the call that runs on the library's thread ends.
    bool encerra() override { return biblioteca_.encerra(); }
    bool reinicia() override { return biblioteca_.reinicia(); }

    std::thread::id idThread() const { return thread_.get_id(); }
    // True when the library answers from a process of its own and is called
    // on the caller's thread.
    bool direta() const { return direta_; }

    // Told true when a caller starts waiting in its event loop and false when
    // it stops, so the window side can hold back the operator's input to the
    // window whose call is running.
    void defineAoEsperar(std::function<void(bool)> aviso) { aoEsperar_ = std::move(aviso); }

#define KAVEX_DECLARE_OVERRIDE(R, N, P, A) R N P override;
    KAVEX_FUNCTIONS(KAVEX_DECLARE_OVERRIDE)
#undef KAVEX_DECLARE_OVERRIDE

private:
#define KAVEX_DECLARE_INDEX(R, N, P, A) k##N,
    enum Funcao : int { KAVEX_FUNCTIONS(KAVEX_DECLARE_INDEX) kTotalFuncoes };
#undef KAVEX_DECLARE_INDEX

    // One call on its way: the caller's frame owns it until `feita`.
    struct Tarefa {
        void (*executa)(void*);
        void* chamada;
        std::atomic<bool> feita{false};
    };

    static constexpr bool imediata(std::string_view nome) {
        return nome == "InterrompeLeCartaoDireto";
    }

    template <class Chamada> auto naThread(Chamada chamada) {
        using Resultado = decltype(chamada());
        struct Pacote {
            Chamada& chamada;
            Resultado resultado{};
        } pacote{chamada};
        Tarefa tarefa{[](void* p) {
                          auto* pacote = static_cast<Pacote*>(p);
                          pacote->resultado = pacote->chamada();
                      },
                      &pacote};
        executa(tarefa);
        return pacote.resultado;
    }

    template <class Chamada> auto direto(Chamada chamada) {
        ++profundidade_;
        const auto resultado = chamada();
        if (--profundidade_ == 0 && esperou_) {
            esperou_ = false;
            avisaEspera(false);
        }
        return resultado;
    }
    void espera(pollfd* descritores, int quantos, int limiteMs) override;
    void avisaEspera(bool sim);

    void executa(Tarefa& tarefa);
    void aguarda(Tarefa& tarefa);
    void trabalha();
    Tarefa* proxima();

    KavexLibrary& biblioteca_;
    const bool direta_;
    int profundidade_ = 0;
    bool esperou_ = false;
    // The descriptors the innermost wait watches; an outer wait's stop
    // while a call made from one of its events waits.
    struct Vigias;
    Vigias* vigias_ = nullptr;
    bool ausente(int funcao);
    std::array<bool, kTotalFuncoes> ausentes_{};
    bool ausentesLidos_ = false;
    std::mutex mutex_;
    std::condition_variable sinal_;
    std::deque<Tarefa*> fila_;
    std::atomic<int> pendentes_{0};
    bool fim_ = false;
    // Callers waiting in an event loop, and the loop's dispatcher to wake.
    std::atomic<int> esperas_{0};
    std::atomic<QAbstractEventDispatcher*> despachante_{nullptr};
    std::function<void(bool)> aoEsperar_;
    std::thread thread_;
};
