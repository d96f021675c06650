#include "motor/Leitura.h"

#include "motor/Fluxo.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace kavexsim {

namespace {

struct Leitura {
    std::mutex mutex;
    std::condition_variable sinal;
    bool emCurso = false;
    bool interrompida = false;
};

Leitura& leitura() {
    static Leitura l;
    return l;
}

} // namespace

bool esperaLeitura() {
    Leitura& l = leitura();
    std::unique_lock trava(l.mutex);
    l.emCurso = true;
    l.interrompida = false;
    l.sinal.wait_for(trava, std::chrono::milliseconds(atrasoMs()), [&] { return l.interrompida; });
    l.emCurso = false;
    return l.interrompida;
}

void interrompeLeitura() {
    Leitura& l = leitura();
    {
        const std::lock_guard trava(l.mutex);
        if (!l.emCurso) {
            return;
        }
        l.interrompida = true;
    }
    l.sinal.notify_all();
}

} // namespace kavexsim
