// How long one cycle of the command loop takes in the real main window, on
// the offscreen platform, against the simulator: N short messages (command 1)
// and then the end, for two sizes of N, each run several times in turn.
// Prints microseconds per cycle and the ratio of the two median totals, which
// stays near the ratio of the sizes while the cost of a cycle does not grow
// with the trace. Medians, because on a shared machine one run in a few is
// slowed by other work.
//
// With --host the simulator runs in its own host process, as the console
// loads it by default; a fresh host for each run, since a host reads the
// script's name from the environment it started with.
//
//   loop [--host] [N1 N2 [RUNS]]

#include "app/Main.h"
#include "library/BibliotecaHospedada.h"
#include "library/LoadedLibrary.h"
#include "platform/ProgramDir.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

namespace {

constexpr int kAquecimento = 1000;
// The two sizes and the runs of each, unless others are given on the command
// line.
int kTamanhos[] = {10000, 100000};
int kRodadas = 5;

struct Medida {
    qint64 totalNs;
    double cpuNs;
};

Medida mediana(std::vector<Medida> medidas) {
    std::sort(medidas.begin(), medidas.end(), [](const Medida& a, const Medida& b) { return a.totalNs < b.totalNs; });
    return medidas[medidas.size() / 2];
}

// N short messages, then the end of the function.
QString escreveRoteiro(const QTemporaryDir& pasta, int ciclos) {
    nlohmann::json respostas = nlohmann::json::array();
    for (int i = 0; i < ciclos; ++i) {
        respostas.push_back({{"command", 1}, {"text", "Aguarde a resposta do servidor"}});
    }
    respostas.push_back({{"return", 0}});
    const nlohmann::json roteiro = {{"IniciaFuncaoKavexInterativo", {10000}},
                                    {"ContinuaFuncaoKavexInterativo", respostas}};
    // A new file each time: the simulator reads a script once per path.
    static int numero = 0;
    const QString caminho = pasta.filePath(QStringLiteral("roteiro%1-%2.json").arg(ciclos).arg(++numero));
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly) || arquivo.write(QByteArray::fromStdString(roteiro.dump())) < 0) {
        qFatal("cannot write %s", qPrintable(caminho));
    }
    return caminho;
}

// The library the window calls: the simulator in this process, or in a host
// started afresh for each run.
class Simulador final : public KavexLibrary {
public:
    bool carrega(bool hospedado) {
        QString erro;
        if (hospedado) {
            hospedada_ =
                BibliotecaHospedada::inicia(QStringLiteral(KAVEX_SIM_PATH), QStringLiteral(KAVEX_HOST_PATH), erro);
            if (hospedada_) {
                hospedada_->defineEspera(espera_);
            }
            atual_ = hospedada_.get();
        } else {
            local_ = LoadedLibrary::load(QStringLiteral(KAVEX_SIM_PATH), erro);
            atual_ = local_.get();
        }
        if (!atual_) {
            std::fprintf(stderr, "cannot load the simulator: %s\n", qPrintable(erro));
        }
        return atual_ != nullptr;
    }
    bool hospedado() const { return hospedada_ != nullptr; }
    // As the console does: a hosted library is called on the window's thread.
    bool defineEspera(EsperaResposta* espera) override {
        espera_ = espera;
        return hospedada_ && hospedada_->defineEspera(espera);
    }
#define KAVEX_REPASSA(R, N, P, A)                                                                                      \
    R N P override {                                                                                                   \
        return atual_->N A;                                                                                            \
    }
    KAVEX_FUNCTIONS(KAVEX_REPASSA)
#undef KAVEX_REPASSA

private:
    std::unique_ptr<LoadedLibrary> local_;
    std::unique_ptr<BibliotecaHospedada> hospedada_;
    KavexLibrary* atual_ = nullptr;
    EsperaResposta* espera_ = nullptr;
};

// Starts a function of `ciclos` cycles as the start does; the start reads the
// script, so reading it is not timed with the loop.
bool inicia(TFrmtesteCliKavex32I& janela, Simulador& biblioteca, const QTemporaryDir& pasta, int ciclos) {
    qputenv("KAVEX_SIM_SCRIPT", escreveRoteiro(pasta, ciclos).toLocal8Bit());
    if (biblioteca.hospedado() && !biblioteca.carrega(true)) {
        return false;
    }
    if (biblioteca.IniciaFuncaoKavexInterativo(2, "1,00", "12345", "20240102", "101112", "Opx", "[]") != 10000) {
        std::fprintf(stderr, "the simulator did not take the script\n");
        return false;
    }
    janela.HabilitaDesabilita(false);
    return true;
}

// What one call costs by itself: a function that answers at once, called
// from this thread again and again, no window in between.
void medeChamada(KavexLibrary& biblioteca) {
    constexpr int kChamadas = 100000;
    QElapsedTimer relogio;
    relogio.start();
    for (int i = 0; i < kChamadas; ++i) {
        biblioteca.VerificaPresencaPinPad();
    }
    std::printf("one call alone: %.2f us (%d calls)\n", relogio.nsecsElapsed() / 1e3 / kChamadas, kChamadas);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // No call log: writing it would be timed too.
    qputenv("KAVEX_SIM_LOG", QByteArray());
    QApplication app(argc, argv);
    const bool hospedado = argc >= 2 && std::strcmp(argv[1], "--host") == 0;
    if (hospedado) {
        --argc;
        ++argv;
    }
    if (argc >= 3) {
        kTamanhos[0] = std::max(1, std::atoi(argv[1]));
        kTamanhos[1] = std::max(1, std::atoi(argv[2]));
    }
    if (argc >= 4) {
        kRodadas = std::max(1, std::atoi(argv[3]));
    }
    QTemporaryDir pasta;
    platform::programdir::setDirectory(pasta.path());
    platform::programdir::setDriveRoot(pasta.path());

    const auto biblioteca = std::make_unique<Simulador>();
    if (!biblioteca->carrega(hospedado)) {
        return 1;
    }
    medeChamada(*biblioteca);
    TFrmtesteCliKavex32I janela(*biblioteca);
    janela.show();
    const auto* memo = janela.findChild<QPlainTextEdit*>(QStringLiteral("Memo"));

    // One function of a thousand cycles first, so that first-time costs
    // (fonts, caches) are not counted in either size.
    if (!inicia(janela, *biblioteca, pasta, kAquecimento)) {
        return 1;
    }
    janela.ContinuaFuncao();
    std::vector<Medida> medidas[std::size(kTamanhos)];
    for (int rodada = 0; rodada < kRodadas; ++rodada) {
        for (size_t i = 0; i < std::size(kTamanhos); ++i) {
            const int n = kTamanhos[i];
            if (!inicia(janela, *biblioteca, pasta, n)) {
                return 1;
            }
            const std::clock_t cpuAntes = std::clock();
            QElapsedTimer relogio;
            relogio.start();
            janela.ContinuaFuncao();
            medidas[i].push_back({relogio.nsecsElapsed(), double(std::clock() - cpuAntes) / CLOCKS_PER_SEC * 1e9});
            const int linhas = memo->document()->blockCount();
            if (linhas != 2 * (n + 1)) {
                std::fprintf(stderr, "the trace holds %d lines instead of %d\n", linhas, 2 * (n + 1));
                return 1;
            }
        }
    }
    qint64 totais[std::size(kTamanhos)] = {};
    for (size_t i = 0; i < std::size(kTamanhos); ++i) {
        const int n = kTamanhos[i];
        const Medida m = mediana(medidas[i]);
        totais[i] = m.totalNs;
        std::printf("N = %6d: %8.1f ms in all, %6.2f us per cycle (processor time %6.2f us), %d trace lines"
                    " (median of %d runs)\n",
                    n, m.totalNs / 1e6, m.totalNs / 1e3 / (n + 1), m.cpuNs / 1e3 / (n + 1), 2 * (n + 1), kRodadas);
    }
    std::printf("ratio of the median totals (%d / %d cycles): %.2f\n", kTamanhos[1], kTamanhos[0],
                double(totais[1]) / double(totais[0]));
    return 0;
}
