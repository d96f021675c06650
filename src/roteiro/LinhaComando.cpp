#include "roteiro/LinhaComando.h"

#include "library/BibliotecaGravada.h"
#include "library/BibliotecaHospedada.h"
#include "library/CargaBiblioteca.h"
#include "library/LoadedLibrary.h"
#include "platform/ProgramDir.h"
#include "roteiro/Comparacao.h"
#include "roteiro/Execucao.h"
#include "roteiro/Relatorio.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <QDateTime>
#include <QSysInfo>

#include <pthread.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <functional>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace {

const QString kOpcaoRoteiro = QStringLiteral("run");
const QString kOpcaoCompara = QStringLiteral("compare");

// A call that does not return would never let the run see a stop: its
// host is ended once the calls have had this long to end the function.
constexpr std::chrono::milliseconds kGracaSinal(1500);

// Interrupt and termination requests, taken by a thread of their own so the
// run can end its case and write its report whatever it is doing: the main
// thread reads recebido() between library calls, and a call that does not
// return is broken off by the `quebra` set (whatever hosts the library ends
// it). A second request ends the process at once, as the signal would.
class VigiaSinais {
public:
    VigiaSinais() {
        sigemptyset(&sinais_);
        sigaddset(&sinais_, SIGINT);
        sigaddset(&sinais_, SIGTERM);
        // Blocked before the library is loaded, so that its threads too
        // leave the signals to the watcher.
        pthread_sigmask(SIG_BLOCK, &sinais_, &anteriores_);
        vigia_ = std::thread([this] { espera(); });
    }
    ~VigiaSinais() {
        fim_ = true;
        pthread_kill(vigia_.native_handle(), SIGTERM);
        vigia_.join();
        pthread_sigmask(SIG_SETMASK, &anteriores_, nullptr);
    }
    VigiaSinais(const VigiaSinais&) = delete;
    VigiaSinais& operator=(const VigiaSinais&) = delete;

    bool recebido() const { return recebido_; }
    // The seam through which a stop reaches a call in progress.
    void defineQuebra(std::function<void()> quebra) {
        const std::lock_guard trava(mutex_);
        quebra_ = std::move(quebra);
    }

private:
    void espera() {
        for (;;) {
            int sinal = 0;
            if (sigwait(&sinais_, &sinal) != 0) {
                continue;
            }
            if (fim_) {
                return;
            }
            if (recebido_.exchange(true)) {
                std::signal(sinal, SIG_DFL);
                pthread_sigmask(SIG_UNBLOCK, &sinais_, nullptr);
                raise(sinal);
                return;
            }
            const std::lock_guard trava(mutex_);
            if (quebra_) {
                quebra_();
            }
        }
    }

    sigset_t sinais_{};
    sigset_t anteriores_{};
    std::atomic<bool> recebido_ = false;
    std::atomic<bool> fim_ = false;
    std::mutex mutex_;
    std::function<void()> quebra_;
    std::thread vigia_;
};

void escreve(std::FILE* saida, const QString& texto) {
    std::fputs(qPrintable(texto + u'\n'), saida);
    std::fflush(saida);
}

int falhaEntrada(const QString& mensagem) {
    escreve(stderr, QStringLiteral("TesteCliKavex: ") + mensagem);
    return kStatusEntradaInvalida;
}

} // namespace

OpcoesLinha leOpcoesLinha(QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Console de teste da biblioteca cliente de pagamentos."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption biblioteca(QStringLiteral("library"),
                                        QStringLiteral("Biblioteca cliente de pagamentos a carregar."),
                                        QStringLiteral("PATH"));
    const QCommandLineOption pasta(QStringLiteral("dir"),
                                   QStringLiteral("Pasta de Config.ini, CliKavex.ini e PPVISA.ini (padrão: a pasta "
                                                  "do programa, ou ~/.local/share/TesteCliKavex quando ela "
                                                  "não pode ser gravada)."),
                                   QStringLiteral("PATH"));
    const QCommandLineOption raiz(QStringLiteral("drive-root"),
                                  QStringLiteral("Raiz sob a qual ficam as pastas Windows e Winnt (padrão: /)."),
                                  QStringLiteral("PATH"));
    const QCommandLineOption gravacao(
        QStringLiteral("record"),
        QStringLiteral("Grava cada chamada à biblioteca neste arquivo (linhas JSON, reproduzíveis pelo simulador)."),
        QStringLiteral("FILE"));
    const QCommandLineOption roteiro(kOpcaoRoteiro,
                                     QStringLiteral("Executa este roteiro de operador sem janelas e relata em TAP."),
                                     QStringLiteral("SCRIPT.json"));
    const QCommandLineOption relatorio(QStringLiteral("report"),
                                       QStringLiteral("Com --run: grava também um relatório JUnit XML."),
                                       QStringLiteral("FILE.xml"));
    const QCommandLineOption emProcesso(
        QStringLiteral("in-process"),
        QStringLiteral("Carrega a biblioteca no processo do console em vez de um processo hospedeiro à parte."));
    const QCommandLineOption compara(kOpcaoCompara,
                                     QStringLiteral("Compara duas gravações chamada a chamada, sem durações, datas e "
                                                    "horas: --compare A.jsonl B.jsonl."),
                                     QStringLiteral("A.jsonl"));
    parser.addOptions({biblioteca, pasta, raiz, gravacao, roteiro, relatorio, emProcesso, compara});
    parser.process(app);
    OpcoesLinha opcoes{
        parser.value(biblioteca), parser.value(pasta),     parser.value(raiz),       parser.value(gravacao),
        parser.value(roteiro),    parser.value(relatorio), parser.isSet(emProcesso), {}};
    if (parser.isSet(compara)) {
        opcoes.comparacao = QStringList{parser.value(compara)} + parser.positionalArguments();
    }
    return opcoes;
}

// An installed console lives in a folder its user cannot write (/usr/bin):
// its files then go to the user's own data folder, made if need be, so that
// what it stores is not lost.
namespace {
QString pastaGravavel() {
    const QString programa = QCoreApplication::applicationDirPath();
    if (access(QFile::encodeName(programa).constData(), W_OK) == 0) {
        return {};
    }
    const QString usuario = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return !usuario.isEmpty() && QDir().mkpath(usuario) ? usuario : QString();
}
} // namespace

void aplicaPastas(const OpcoesLinha& opcoes) {
    if (!opcoes.pasta.isEmpty()) {
        platform::programdir::setDirectory(opcoes.pasta);
    } else if (const QString pasta = pastaGravavel(); !pasta.isEmpty()) {
        platform::programdir::setDirectory(pasta);
    }
    if (!opcoes.raiz.isEmpty()) {
        platform::programdir::setDriveRoot(opcoes.raiz);
    }
}

bool pedeRoteiro(int argc, char* argv[]) {
    for (const QString& nome : {kOpcaoRoteiro, kOpcaoCompara}) {
        const QByteArray opcao = "--" + nome.toLatin1();
        for (int i = 1; i < argc; ++i) {
            const QByteArray arg(argv[i]);
            if (arg == opcao || arg.startsWith(opcao + '=')) {
                return true;
            }
        }
    }
    return false;
}

int executaSemJanelas(const OpcoesLinha& opcoes) {
    if (opcoes.comparacao.isEmpty()) {
        return executaRoteiro(opcoes);
    }
    if (opcoes.comparacao.size() != 2) {
        return falhaEntrada(QStringLiteral("--compare pede duas gravações: --compare A.jsonl B.jsonl"));
    }
    return roteiro::executaComparacao(opcoes.comparacao[0], opcoes.comparacao[1]);
}

namespace {

// The report file: replaced before anything runs (a path that cannot be
// written stops the run there), then written whole at the end.
class Relatorio {
public:
    Relatorio(const QString& caminho, const roteiro::DadosExecucao& dados) : caminho_(caminho), dados_(dados) {}
    bool grava(const std::vector<roteiro::ResultadoCaso>& resultados, QString& erro) const {
        return caminho_.isEmpty() ||
               roteiro::gravaRelatorio(caminho_, roteiro::relatorioJUnit(dados_, resultados), erro);
    }
    QString falha(const QString& erro) const {
        return QStringLiteral("não foi possível gravar o relatório %1: %2").arg(caminho_, erro);
    }

private:
    QString caminho_;
    roteiro::DadosExecucao dados_;
};

} // namespace

int executaRoteiro(const OpcoesLinha& opcoes) {
    VigiaSinais vigia;
    const Relatorio relatorio(opcoes.relatorio,
                              {opcoes.roteiro, QDateTime::currentDateTime(), QSysInfo::machineHostName()});
    QString erro;
    // Nothing could run (the script, the library, the record): the report
    // says so rather than keep an older run's.
    const auto naoExecutou = [&](const QString& motivo) {
        const QString nome = QFileInfo(opcoes.roteiro).fileName();
        if (!relatorio.grava({{nome, roteiro::Veredito::Erro, motivo, 0, {}}}, erro)) {
            falhaEntrada(relatorio.falha(erro));
        }
        return falhaEntrada(motivo);
    };
    roteiro::Roteiro script;
    try {
        script = roteiro::leRoteiro(opcoes.roteiro);
    } catch (const roteiro::ErroRoteiro& erroRoteiro) {
        return naoExecutou(QString::fromStdString(erroRoteiro.what()));
    }
    if (!relatorio.grava(roteiro::resultadosProvisorios(script), erro)) {
        return falhaEntrada(relatorio.falha(erro));
    }
    const QString caminho = chooseLibraryPath(opcoes.biblioteca, QCoreApplication::applicationDirPath());
    const CargaBiblioteca carga =
        carregaBiblioteca(caminho, opcoes.emProcesso, QCoreApplication::applicationDirPath(), erro);
    if (!carga.biblioteca) {
        return naoExecutou(QStringLiteral("não foi possível carregar a biblioteca %1: %2")
                               .arg(QDir::toNativeSeparators(caminho), erro));
    }
    if (BibliotecaHospedada* hospedada = carga.hospedada) {
        vigia.defineQuebra([hospedada] { hospedada->encerraDeSinal(kGracaSinal); });
    }
    // The host goes before the watcher does: a late signal must not reach it.
    struct SoltaQuebra {
        VigiaSinais& vigia;
        ~SoltaQuebra() { vigia.defineQuebra({}); }
    } soltaQuebra{vigia};
    KavexLibrary* carregada = carga.biblioteca.get();
    KavexLibrary* biblioteca = carregada;
    std::unique_ptr<BibliotecaGravada> gravada;
    if (!opcoes.gravacao.isEmpty()) {
        gravada = BibliotecaGravada::abre(opcoes.gravacao, *carregada, erro);
        if (!gravada) {
            return naoExecutou(QStringLiteral("não foi possível gravar em %1: %2").arg(opcoes.gravacao, erro));
        }
        biblioteca = gravada.get();
    }

    escreve(stdout, roteiro::planoTap(int(script.casos.size())));
    roteiro::Execucao execucao(script, *biblioteca, [](int numero, const roteiro::ResultadoCaso& resultado) {
        escreve(stdout, roteiro::linhaTap(numero, resultado));
    });
    execucao.defineInterrupcao([&vigia] { return vigia.recebido(); });
    execucao.configura();
    if (execucao.configuracao().value_or(0) != 0) {
        escreve(stdout, QStringLiteral("# ConfiguraIntKavexInterativo: %1").arg(*execucao.configuracao()));
    }
    const std::vector<roteiro::ResultadoCaso> resultados = execucao.executa();
    if (execucao.parada()) {
        escreve(stdout, roteiro::abandonoTap(*execucao.parada()));
    }
    escreve(stdout, roteiro::resumoTap(resultados));
    const bool gravou = relatorio.grava(resultados, erro);
    if (!gravou) {
        falhaEntrada(relatorio.falha(erro));
    }
    if (execucao.erroRoteiro()) {
        return falhaEntrada(QStringLiteral("%1: %2").arg(opcoes.roteiro, *execucao.erroRoteiro()));
    }
    if (execucao.parada()) {
        return falhaEntrada(
            QStringLiteral("%1: execução interrompida; a função em curso foi encerrada (-1)").arg(opcoes.roteiro));
    }
    if (!gravou) {
        return kStatusEntradaInvalida;
    }
    const bool todos = std::all_of(resultados.begin(), resultados.end(), [](const auto& r) { return r.passou(); });
    return todos ? 0 : 1;
}
