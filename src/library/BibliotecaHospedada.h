#pragma once

// The payment client library loaded in a host process of its own
// (TesteCliKavexHost), so that a library that crashes or hangs cannot take the
// console with it. The host loads the library with the console's working
// folder and environment, makes every call on one thread in the order it gets
// them, and sends back the result and every output; the console sees the same
// KavexLibrary as an in-process one.
//
// When the host ends during a call (a signal, an exit nobody asked for, or
// encerra()), the call returns kBibliotecaEncerrada and queda() says what
// happened; so does every later call, without reaching any library, until
// ConfiguraIntKavexInterativo starts a fresh host (the library's state is
// gone with the old one, so it must be configured again).
//
// Calls come from one thread at a time; InterrompeLeCartaoDireto may come from
// another while a read runs, and encerra() from any thread or a signal
// handler.

#include "library/KavexLibrary.h"
#include "library/ProtocoloHospedeiro.h"

#include <QString>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <sys/types.h>

namespace hospedeiro {
struct Regiao;
class Cauda;
} // namespace hospedeiro

class BibliotecaHospedada final : public KavexLibrary {
public:
    // Starts a host for `biblioteca` (the executable `programa`) and waits
    // until it has loaded it. Nothing, with `erro` filled with the loader's
    // reason (as an in-process load gives it) or why the host did not start.
    static std::unique_ptr<BibliotecaHospedada> inicia(const QString& biblioteca, const QString& programa,
                                                       QString& erro);
    // The same in two steps, so the console builds its windows while the
    // host loads the library: lanca() starts the host, aguardaCarga() waits
    // for the load (and must come before any call or missingFunctions()).
    static std::unique_ptr<BibliotecaHospedada> lanca(const QString& biblioteca, const QString& programa,
                                                      QString& erro);
    bool aguardaCarga(QString& erro);
    ~BibliotecaHospedada() override;
    BibliotecaHospedada(const BibliotecaHospedada&) = delete;
    BibliotecaHospedada& operator=(const BibliotecaHospedada&) = delete;

    QStringList missingFunctions() const override;
    std::optional<Queda> queda() const override;
    void definePrazo(std::optional<std::chrono::steady_clock::time_point> prazo) override { prazo_ = prazo; }
    bool encerra() override;
    bool reinicia() override;
    bool defineEspera(EsperaResposta* espera) override {
        espera_ = espera;
        return true;
    }
    // For a signal handler (async-signal-safe): the call running now, and
    // any after it, may take `graca` more; then the host is ended.
    void encerraDeSinal(std::chrono::milliseconds graca) noexcept;

    // As LoadedLibrary's: the message when a missing function is called.
    void setMissingReporter(std::function<void(const QString&)> reporter) { reporter_ = std::move(reporter); }
    // The host's process id while it runs, else 0.
    pid_t processo() const { return pid_.load(); }

#define KAVEX_DECLARE_OVERRIDE(R, N, P, A) R N P override;
    KAVEX_FUNCTIONS(KAVEX_DECLARE_OVERRIDE)
#undef KAVEX_DECLARE_OVERRIDE

private:
    BibliotecaHospedada(const QString& biblioteca, const QString& programa);
    bool iniciaHospedeiro(QString& erro);
    bool lancaHospedeiro(QString& erro);
    void liberaHospedeiro();
    // A call whose request the host has and whose reply is not read yet.
    struct EmCurso {
        uint32_t resposta;
        hospedeiro::Funcao funcao;
        quint64 chamada;
        const void* argumentos;
        int32_t (*le)(BibliotecaHospedada&, const EmCurso&);
        int32_t resultado = 0;
    };
    template <hospedeiro::Funcao F, class... Args> int32_t chama(const std::tuple<Args...>& args);
    template <hospedeiro::Funcao F, class... Args> static int32_t leResposta(BibliotecaHospedada& b, const EmCurso& c);
    void concluiEmCurso();
    // Waits for reply number `numero`; false once the host has ended. True
    // also when `emCurso`, no longer the call in course, was concluded by a
    // call made from an event of the wait.
    bool aguardaResposta(uint32_t numero, const EmCurso* emCurso = nullptr);
    void esperaDescritores(pollfd* fds, int quantos, int limiteMs);
    bool hospedeiroTerminou();
    std::optional<std::chrono::steady_clock::time_point> limite(bool& doSinal) const;
    void registraQueda(int funcao, quint64 chamada);
    bool ausente(hospedeiro::Funcao f, const char* nome);
    int32_t interrompe();

    QString biblioteca_;
    QString programa_;
    std::function<void(const QString&)> reporter_;
    EsperaResposta* espera_ = nullptr;
    EmCurso* emCurso_ = nullptr;
    bool saudando_ = false;
    std::array<bool, hospedeiro::kTotalFuncoes> ausentes_{};
    hospedeiro::Regiao* regiao_ = nullptr;
    int fdRegiao_ = -1;
    int fdAcorda_ = -1;
    int fdInterrupcao_ = -1;
    int fdProcesso_ = -1; // a pidfd, or -1 where the kernel has none
    std::atomic<pid_t> pid_{0};
    std::atomic<bool> encerramentoPedido_{false};
    // When a signal asked for the end: the host's last moment, in steady-clock
    // nanoseconds (0: no such request).
    std::atomic<int64_t> limiteSinal_{0};
    std::atomic<bool> tempoEsgotado_{false};
    bool mensagemInvalida_ = false;
    std::shared_ptr<hospedeiro::Cauda> cauda_;
    uint32_t numero_ = 0;
    bool saudado_ = false;
    std::vector<unsigned char> pedido_;
    std::optional<std::chrono::steady_clock::time_point> prazo_;
    mutable std::mutex mutexQueda_;
    std::optional<Queda> queda_;
    std::mutex mutexInterrupcao_;
    std::atomic<quint64> chamadas_{0};
};

// Where the host executable is: the environment's KAVEX_HOST, else beside the
// console (the build folder), else in the package's folder under lib.
QString caminhoHospedeiro(const QString& pastaPrograma);
