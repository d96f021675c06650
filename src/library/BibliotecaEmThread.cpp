#include "library/BibliotecaEmThread.h"

#include "library/EsperaAtiva.h"

#include <QAbstractEventDispatcher>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

#include <memory>
#include <poll.h>

BibliotecaEmThread::BibliotecaEmThread(KavexLibrary& biblioteca)
    : biblioteca_(biblioteca), direta_(biblioteca.defineEspera(this)) {
    if (!direta_) {
        thread_ = std::thread(&BibliotecaEmThread::trabalha, this);
    }
}

// Read at the first call, not at creation: a library in its own host may
// still be loading while the windows are built.
bool BibliotecaEmThread::ausente(int funcao) {
    if (!ausentesLidos_) {
        const QStringList ausentes = biblioteca_.missingFunctions();
#define KAVEX_MARK_MISSING(R, N, P, A) ausentes_[k##N] = ausentes.contains(QStringLiteral(#N));
        KAVEX_FUNCTIONS(KAVEX_MARK_MISSING)
#undef KAVEX_MARK_MISSING
        ausentesLidos_ = true;
    }
    return ausentes_[size_t(funcao)];
}

BibliotecaEmThread::~BibliotecaEmThread() {
    if (direta_) {
        biblioteca_.defineEspera(nullptr);
        return;
    }
    {
        const std::lock_guard trava(mutex_);
        fim_ = true;
    }
    sinal_.notify_one();
    thread_.join();
}

// A function the library lacks is not called at all; its report is a box, so
// it stays on the caller's thread.
#define KAVEX_DEFINE_CALL(R, N, P, A)                                                                                  \
    R BibliotecaEmThread::N P {                                                                                        \
        if constexpr (imediata(#N)) {                                                                                  \
            return biblioteca_.N A;                                                                                    \
        } else {                                                                                                       \
            if (direta_) {                                                                                             \
                return direto([&] { return biblioteca_.N A; });                                                        \
            }                                                                                                          \
            if (ausente(k##N)) {                                                                                       \
                return biblioteca_.N A;                                                                                \
            }                                                                                                          \
            return naThread([&] { return biblioteca_.N A; });                                                          \
        }                                                                                                              \
    }
KAVEX_FUNCTIONS(KAVEX_DEFINE_CALL)
#undef KAVEX_DEFINE_CALL

void BibliotecaEmThread::executa(Tarefa& tarefa) {
    {
        const std::lock_guard trava(mutex_);
        fila_.push_back(&tarefa);
    }
    pendentes_.fetch_add(1, std::memory_order_release);
    sinal_.notify_one();
    if (!esperaAtiva([&] { return tarefa.feita.load(std::memory_order_acquire); })) {
        aguarda(tarefa);
    }
}

// The window goes on: painting, the cancel buttons, the trace. The library's
// thread wakes this one when the call ends.
void BibliotecaEmThread::aguarda(Tarefa& tarefa) {
    QAbstractEventDispatcher* despachante = QAbstractEventDispatcher::instance();
    if (!despachante) {
        // A thread without an event loop has nothing to keep alive.
        while (!tarefa.feita.load(std::memory_order_acquire)) {
            std::this_thread::yield();
        }
        return;
    }
    despachante_.store(despachante);
    ++esperas_;
    avisaEspera(true);
    QEventLoop laco;
    while (!tarefa.feita.load()) {
        laco.processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    avisaEspera(false);
    --esperas_;
}

void BibliotecaEmThread::avisaEspera(bool sim) {
    if (aoEsperar_) {
        aoEsperar_(sim);
    }
}

struct BibliotecaEmThread::Vigias {
    std::unique_ptr<QSocketNotifier> notificadores[2];
    void desliga() {
        for (auto& n : notificadores) {
            if (n) {
                n->setEnabled(false);
            }
        }
    }
};

// One turn of the caller's event loop, woken by the host's descriptors or the
// time limit. The descriptors are watched afresh at each turn, since a call
// made from an event of the turn may end the host and close them; while such
// a call waits, the outer turn's watch is off, so no descriptor is watched
// twice.
void BibliotecaEmThread::espera(pollfd* descritores, int quantos, int limiteMs) {
    if (!QAbstractEventDispatcher::instance()) {
        poll(descritores, nfds_t(quantos), limiteMs);
        return;
    }
    if (!esperou_) {
        esperou_ = true;
        avisaEspera(true);
    }
    Vigias vigias;
    for (int i = 0; i < std::min(quantos, int(std::size(vigias.notificadores))); ++i) {
        vigias.notificadores[i] = std::make_unique<QSocketNotifier>(descritores[i].fd, QSocketNotifier::Read);
    }
    Vigias* anterior = vigias_;
    if (anterior) {
        anterior->desliga();
    }
    vigias_ = &vigias;
    QTimer relogio;
    if (limiteMs >= 0) {
        relogio.setSingleShot(true);
        relogio.start(limiteMs);
    }
    QEventLoop laco;
    laco.processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    vigias_ = anterior;
}

void BibliotecaEmThread::trabalha() {
    while (Tarefa* tarefa = proxima()) {
        tarefa->executa(tarefa->chamada);
        // From here on the caller may return and the task be gone. Whichever
        // of the two stores comes second sees the other: a caller that goes
        // to wait after this one finds the call done without being woken.
        tarefa->feita.store(true);
        if (esperas_.load() > 0) {
            despachante_.load()->wakeUp();
        }
    }
}

BibliotecaEmThread::Tarefa* BibliotecaEmThread::proxima() {
    esperaAtiva([this] { return pendentes_.load(std::memory_order_acquire) > 0; });
    std::unique_lock trava(mutex_);
    sinal_.wait(trava, [this] { return fim_ || !fila_.empty(); });
    if (fila_.empty()) {
        return nullptr;
    }
    Tarefa* tarefa = fila_.front();
    fila_.pop_front();
    pendentes_.fetch_sub(1, std::memory_order_relaxed);
    return tarefa;
}
