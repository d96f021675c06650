#include "library/CanalHospedeiro.h"

#include "library/LoadedLibrary.h"

#include <QString>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <linux/futex.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>

namespace hospedeiro {

namespace {

void acordaConsole(Regiao& regiao) {
    if (regiao.consoleDorme.load() != 0) {
        const uint64_t um = 1;
        [[maybe_unused]] const ssize_t n = write(kFdAcordaConsole, &um, sizeof um);
    }
}

void responde(Regiao& regiao, const std::vector<unsigned char>& resposta, uint32_t numero) {
    std::memcpy(regiao.dadosResposta, resposta.data(), resposta.size());
    regiao.tamanhoResposta.store(uint32_t(resposta.size()));
    regiao.resposta.store(numero);
    acordaConsole(regiao);
}

uint32_t aguardaPedido(Regiao& regiao, uint32_t ultimo) {
    if (!esperaAtiva([&] { return regiao.pedido.load(std::memory_order_acquire) != ultimo; })) {
        regiao.hospedeiroDorme.store(1);
        while (regiao.pedido.load() == ultimo) {
            futexEspera(regiao.pedido, ultimo);
        }
        regiao.hospedeiroDorme.store(0);
    }
    return regiao.pedido.load();
}

// Breaks off a card read: the console's thread waits for the read, so the
// interrupt comes through here, on a thread of its own, as it would from
// another thread of the console.
void atendeInterrupcoes(KavexLibrary& biblioteca) {
    for (;;) {
        char pedido = 0;
        if (read(kFdInterrupcao, &pedido, 1) != 1) {
            // The console is gone.
            _exit(0);
        }
        const int32_t resultado = biblioteca.InterrompeLeCartaoDireto();
        if (write(kFdInterrupcao, &resultado, sizeof resultado) != sizeof resultado) {
            _exit(0);
        }
    }
}

} // namespace

void futexEspera(std::atomic<uint32_t>& palavra, uint32_t valor) {
    static_assert(sizeof(std::atomic<uint32_t>) == sizeof(uint32_t) && std::atomic<uint32_t>::is_always_lock_free);
    syscall(SYS_futex, reinterpret_cast<uint32_t*>(&palavra), FUTEX_WAIT, valor, nullptr, nullptr, 0);
}

void futexAcorda(std::atomic<uint32_t>& palavra) {
    syscall(SYS_futex, reinterpret_cast<uint32_t*>(&palavra), FUTEX_WAKE, 1, nullptr, nullptr, 0);
}

int executaHospedeiro(int argc, char** argv) {
    if (argc != 4 || std::strcmp(argv[1], kArgumentoHospedeiro) != 0) {
        std::fputs("TesteCliKavexHost: iniciado somente pelo TesteCliKavex.\n", stderr);
        return kStatusUso;
    }
    // No host outlives its console, even one killed outright; a console that
    // ended before this line is caught by the check of the parent.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != pid_t(std::strtol(argv[2], nullptr, 10))) {
        return 0;
    }
    void* mapa = mmap(nullptr, sizeof(Regiao), PROT_READ | PROT_WRITE, MAP_SHARED, kFdRegiao, 0);
    if (mapa == MAP_FAILED) {
        std::perror("TesteCliKavexHost");
        return kStatusUso;
    }
    auto& regiao = *static_cast<Regiao*>(mapa);

    Saudacao saudacao;
    QString erro;
    std::unique_ptr<LoadedLibrary> biblioteca = LoadedLibrary::load(QString::fromLocal8Bit(argv[3]), erro);
    saudacao.carregou = biblioteca != nullptr;
    saudacao.erro = erro.toStdString();
    if (biblioteca) {
        const QStringList ausentes = biblioteca->missingFunctions();
        for (int f = 0; f < kTotalFuncoes; ++f) {
            if (ausentes.contains(QLatin1String(nomeFuncao(f)))) {
                saudacao.ausentes |= uint32_t(1) << f;
            }
        }
    }
    std::vector<unsigned char> resposta;
    escreveSaudacao(resposta, saudacao);
    responde(regiao, resposta, 1);
    if (!biblioteca) {
        return 0;
    }
    std::thread(atendeInterrupcoes, std::ref(*biblioteca)).detach();

    uint32_t ultimo = 0;
    for (;;) {
        ultimo = aguardaPedido(regiao, ultimo);
        const uint32_t tamanho = regiao.tamanhoPedido.load();
        if (tamanho == kPedidoFim) {
            biblioteca.reset();
            return 0;
        }
        if (tamanho > kCapacidade || !atendePedido(*biblioteca, std::span(regiao.dadosPedido, tamanho), resposta)) {
            std::fputs("TesteCliKavexHost: pedido inválido do console.\n", stderr);
            _exit(kStatusPedidoRecusado);
        }
        responde(regiao, resposta, ultimo + 1);
    }
}

} // namespace hospedeiro
