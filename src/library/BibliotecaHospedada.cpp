#include "library/BibliotecaHospedada.h"

#include "library/CanalHospedeiro.h"
#include "library/LoadedLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <condition_variable>
#include <csignal>
#include <deque>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/eventfd.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace hospedeiro {

// The last lines the host wrote to its standard error, which also goes on to
// the console's own. Shared with the thread that reads the pipe, which may
// outlive the host when a child of the library holds the pipe open.
class Cauda {
public:
    void acrescenta(const char* dados, size_t n) {
        const std::lock_guard trava(mutex_);
        for (size_t i = 0; i < n; ++i) {
            if (dados[i] == '\n') {
                fechaLinha();
            } else if (parcial_.size() < kLarguraMaxima) {
                parcial_ += dados[i];
            }
        }
    }
    void termina() {
        {
            const std::lock_guard trava(mutex_);
            if (!parcial_.empty()) {
                fechaLinha();
            }
            fim_ = true;
        }
        sinal_.notify_all();
    }
    QStringList linhas(std::chrono::milliseconds espera) {
        std::unique_lock trava(mutex_);
        sinal_.wait_for(trava, espera, [this] { return fim_; });
        QStringList saida;
        for (const std::string& l : linhas_) {
            saida << QString::fromLocal8Bit(l);
        }
        return saida;
    }

private:
    static constexpr size_t kLinhas = 12;
    static constexpr size_t kLarguraMaxima = 400;
    void fechaLinha() {
        linhas_.push_back(std::move(parcial_));
        parcial_.clear();
        if (linhas_.size() > kLinhas) {
            linhas_.pop_front();
        }
    }
    std::mutex mutex_;
    std::condition_variable sinal_;
    std::deque<std::string> linhas_;
    std::string parcial_;
    bool fim_ = false;
};

} // namespace hospedeiro

namespace {

using namespace hospedeiro;

// How long the host's last words may take to arrive after it ended.
constexpr std::chrono::milliseconds kEsperaErros(300);
// How long a host asked to end may take to unload the library.
constexpr int kEsperaFimMs = 2000;
// Without a pidfd, how often a sleeping caller looks whether the host ended.
constexpr int kIntervaloSemPidfd = 20;

void leErros(std::shared_ptr<Cauda> cauda, int fd) {
    char dados[4096];
    for (;;) {
        const ssize_t n = read(fd, dados, sizeof dados);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        for (ssize_t escrito = 0; escrito < n;) {
            const ssize_t w = write(STDERR_FILENO, dados + escrito, size_t(n - escrito));
            if (w <= 0) {
                break;
            }
            escrito += w;
        }
        cauda->acrescenta(dados, size_t(n));
    }
    close(fd);
    cauda->termina();
}

void fecha(int& fd) {
    if (fd >= 0) {
        close(fd);
        fd = -1;
    }
}

QString textoErro(int erro) {
    return QString::fromLocal8Bit(strerror(erro));
}

} // namespace

QString nomeSinal(int sinal) {
    const char* nome = sigabbrev_np(sinal);
    return nome ? QStringLiteral("SIG") + QLatin1String(nome) : QStringLiteral("sinal %1").arg(sinal);
}

QString Queda::resumo() const {
    const QString onde = QStringLiteral("durante %1 (chamada nº %2 desde o início)").arg(funcao).arg(chamada);
    switch (causa) {
    case Sinal:
        return QStringLiteral("A biblioteca terminou com o sinal %1 %2.").arg(nomeSinal(sinal), onde);
    case Saida:
        return QStringLiteral("A biblioteca encerrou o processo (status %1) %2.").arg(status).arg(onde);
    case EncerradaPeloOperador:
        return QStringLiteral("A biblioteca foi encerrada a pedido %1.").arg(onde);
    case TempoEsgotado:
        return QStringLiteral("A biblioteca não respondeu a tempo e foi encerrada %1.").arg(onde);
    case MensagemInvalida:
        return QStringLiteral("A biblioteca foi encerrada por uma resposta inválida %1.").arg(onde);
    }
    return {};
}

QString Queda::descricao() const {
    QString texto = resumo() + QStringLiteral("\nÉ preciso configurá-la de novo.");
    if (!erros.isEmpty()) {
        texto += QStringLiteral("\n\nÚltimas linhas da saída de erro da biblioteca:\n") + erros.join(u'\n');
    }
    return texto;
}

QString caminhoHospedeiro(const QString& pastaPrograma) {
    const QString doAmbiente = qEnvironmentVariable("KAVEX_HOST");
    if (!doAmbiente.isEmpty()) {
        return doAmbiente;
    }
    const QString aoLado = QDir(pastaPrograma).filePath(QStringLiteral("TesteCliKavexHost"));
    const QString instalado =
        QDir(pastaPrograma).filePath(QStringLiteral("../lib/" KAVEX_PACKAGE_LIBDIR "/TesteCliKavexHost"));
    if (!QFileInfo::exists(aoLado) && QFileInfo::exists(instalado)) {
        return QDir::cleanPath(instalado);
    }
    return aoLado;
}

BibliotecaHospedada::BibliotecaHospedada(const QString& biblioteca, const QString& programa)
    : biblioteca_(biblioteca), programa_(programa) {}

std::unique_ptr<BibliotecaHospedada> BibliotecaHospedada::lanca(const QString& biblioteca, const QString& programa,
                                                                QString& erro) {
    std::unique_ptr<BibliotecaHospedada> hospedada(new BibliotecaHospedada(biblioteca, programa));
    if (!hospedada->lancaHospedeiro(erro)) {
        return nullptr;
    }
    return hospedada;
}

std::unique_ptr<BibliotecaHospedada> BibliotecaHospedada::inicia(const QString& biblioteca, const QString& programa,
                                                                 QString& erro) {
    std::unique_ptr<BibliotecaHospedada> hospedada = lanca(biblioteca, programa, erro);
    if (!hospedada || !hospedada->aguardaCarga(erro)) {
        return nullptr;
    }
    return hospedada;
}

BibliotecaHospedada::~BibliotecaHospedada() {
    const pid_t pid = pid_.load();
    if (pid > 0) {
        regiao_->tamanhoPedido.store(kPedidoFim);
        regiao_->pedido.store(++numero_);
        futexAcorda(regiao_->pedido);
        for (int ms = 0; ms < kEsperaFimMs && !hospedeiroTerminou(); ms += 5) {
            usleep(5000);
        }
        pid_.store(0);
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    liberaHospedeiro();
}

QStringList BibliotecaHospedada::missingFunctions() const {
    QStringList lista;
    for (int f = 0; f < kTotalFuncoes; ++f) {
        if (ausentes_[size_t(f)]) {
            lista << QLatin1String(nomeFuncao(f));
        }
    }
    return lista;
}

std::optional<Queda> BibliotecaHospedada::queda() const {
    const std::lock_guard trava(mutexQueda_);
    return queda_;
}

bool BibliotecaHospedada::encerra() {
    const pid_t pid = pid_.load();
    if (pid <= 0) {
        return false;
    }
    encerramentoPedido_.store(true);
    kill(pid, SIGKILL);
    return true;
}

bool BibliotecaHospedada::reinicia() {
    if (pid_.load() > 0) {
        return true;
    }
    QString erro;
    if (!iniciaHospedeiro(erro)) {
        qWarning("%s", qPrintable(erro));
        return false;
    }
    return true;
}

void BibliotecaHospedada::encerraDeSinal(std::chrono::milliseconds graca) noexcept {
    timespec agora{};
    clock_gettime(CLOCK_MONOTONIC, &agora);
    limiteSinal_.store(int64_t(agora.tv_sec) * 1000000000 + agora.tv_nsec +
                       std::chrono::duration_cast<std::chrono::nanoseconds>(graca).count());
    // Wakes a caller asleep in poll(), which may not be the thread that
    // received the signal.
    const uint64_t um = 1;
    [[maybe_unused]] const ssize_t n = write(fdAcorda_, &um, sizeof um);
}

// The earlier of the case's time-out and a signal's end, if any.
std::optional<std::chrono::steady_clock::time_point> BibliotecaHospedada::limite(bool& doSinal) const {
    std::optional<std::chrono::steady_clock::time_point> fim = tempoEsgotado_ ? std::nullopt : prazo_;
    doSinal = false;
    if (const int64_t ns = limiteSinal_.load(); ns != 0 && !encerramentoPedido_) {
        const std::chrono::steady_clock::time_point sinal{std::chrono::nanoseconds(ns)};
        if (!fim || sinal < *fim) {
            fim = sinal;
            doSinal = true;
        }
    }
    return fim;
}

bool BibliotecaHospedada::iniciaHospedeiro(QString& erro) {
    return lancaHospedeiro(erro) && aguardaCarga(erro);
}

bool BibliotecaHospedada::lancaHospedeiro(QString& erro) {
    liberaHospedeiro();
    saudado_ = false;
    numero_ = 0;
    encerramentoPedido_ = false;
    tempoEsgotado_ = false;
    mensagemInvalida_ = false;
    fdRegiao_ = memfd_create("kavex-canal", MFD_CLOEXEC);
    void* mapa = MAP_FAILED;
    if (fdRegiao_ >= 0 && ftruncate(fdRegiao_, sizeof(Regiao)) == 0) {
        mapa = mmap(nullptr, sizeof(Regiao), PROT_READ | PROT_WRITE, MAP_SHARED, fdRegiao_, 0);
    }
    int par[2] = {-1, -1};
    int saida[2] = {-1, -1};
    fdAcorda_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (mapa == MAP_FAILED || fdAcorda_ < 0 || socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, par) != 0 ||
        pipe2(saida, O_CLOEXEC) != 0) {
        erro = QStringLiteral("não foi possível preparar o canal com %1: %2").arg(programa_, textoErro(errno));
        for (int* fd : {&par[0], &par[1], &saida[0], &saida[1]}) {
            fecha(*fd);
        }
        if (mapa != MAP_FAILED) {
            munmap(mapa, sizeof(Regiao));
        }
        return false;
    }
    regiao_ = new (mapa) Regiao;
    fdInterrupcao_ = par[0];

    // Copied above the host's fixed numbers first, so that placing one cannot
    // overwrite another.
    const int fonte[] = {fdRegiao_, fdAcorda_, par[1], saida[1]};
    const int destino[] = {kFdRegiao, kFdAcordaConsole, kFdInterrupcao, STDERR_FILENO};
    int alto[4];
    posix_spawn_file_actions_t acoes;
    posix_spawn_file_actions_init(&acoes);
    for (int i = 0; i < 4; ++i) {
        alto[i] = fcntl(fonte[i], F_DUPFD_CLOEXEC, 64);
        posix_spawn_file_actions_adddup2(&acoes, alto[i], destino[i]);
    }
    // A group of its own, so the terminal's Ctrl+C reaches the console, which
    // decides what becomes of the host.
    posix_spawnattr_t atributos;
    posix_spawnattr_init(&atributos);
    posix_spawnattr_setflags(&atributos, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&atributos, 0);
    // The library sees the console's name as the program's.
    const QByteArray nome =
        QCoreApplication::instance() ? QCoreApplication::applicationFilePath().toLocal8Bit() : programa_.toLocal8Bit();
    const QByteArray pai = QByteArray::number(getpid());
    const QByteArray biblioteca = biblioteca_.toLocal8Bit();
    const QByteArray programa = programa_.toLocal8Bit();
    char* argumentos[] = {const_cast<char*>(nome.constData()), const_cast<char*>(kArgumentoHospedeiro),
                          const_cast<char*>(pai.constData()), const_cast<char*>(biblioteca.constData()), nullptr};
    pid_t pid = 0;
    const int falha = posix_spawn(&pid, programa.constData(), &acoes, &atributos, argumentos, environ);
    posix_spawn_file_actions_destroy(&acoes);
    posix_spawnattr_destroy(&atributos);
    for (int fd : alto) {
        close(fd);
    }
    close(par[1]);
    close(saida[1]);
    if (falha != 0) {
        close(saida[0]);
        erro = QStringLiteral("não foi possível iniciar %1: %2").arg(programa_, textoErro(falha));
        liberaHospedeiro();
        return false;
    }
    pid_.store(pid);
    fdProcesso_ = int(syscall(SYS_pidfd_open, pid, 0));
    cauda_ = std::make_shared<Cauda>();
    std::thread(leErros, cauda_, saida[0]).detach();
    return true;
}

bool BibliotecaHospedada::aguardaCarga(QString& erro) {
    if (saudado_) {
        return true;
    }
    Saudacao saudacao;
    if (pid_.load() == 0) {
        erro = QStringLiteral("o processo %1 não está em execução").arg(programa_);
        return false;
    }
    saudando_ = true;
    const bool saudou = aguardaResposta(1);
    saudando_ = false;
    if (!saudou) {
        registraQueda(-1, 0);
        erro = QStringLiteral("o processo %1 terminou ao carregar a biblioteca: %2")
                   .arg(programa_, queda_->erros.isEmpty() ? queda_->resumo() : queda_->erros.join(u'\n'));
        return false;
    }
    const uint32_t tamanho = regiao_->tamanhoResposta.load();
    if (tamanho > kCapacidade || !leSaudacao(std::span(regiao_->dadosResposta, tamanho), saudacao) ||
        !saudacao.carregou) {
        erro = saudacao.carregou ? QStringLiteral("o processo %1 não respondeu como esperado").arg(programa_)
                                 : QString::fromStdString(saudacao.erro);
        kill(pid_.load(), SIGKILL);
        registraQueda(-1, 0);
        return false;
    }
    for (int f = 0; f < kTotalFuncoes; ++f) {
        ausentes_[size_t(f)] = (saudacao.ausentes >> f) & 1;
    }
    saudado_ = true;
    const std::lock_guard trava(mutexQueda_);
    queda_.reset();
    return true;
}

void BibliotecaHospedada::liberaHospedeiro() {
    {
        const std::lock_guard trava(mutexInterrupcao_);
        fecha(fdInterrupcao_);
    }
    fecha(fdAcorda_);
    fecha(fdProcesso_);
    fecha(fdRegiao_);
    if (regiao_) {
        regiao_->~Regiao();
        munmap(regiao_, sizeof(Regiao));
        regiao_ = nullptr;
    }
}

bool BibliotecaHospedada::hospedeiroTerminou() {
    siginfo_t info{};
    return waitid(P_PID, id_t(pid_.load()), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid != 0;
}

bool BibliotecaHospedada::aguardaResposta(uint32_t numero, const EmCurso* emCurso) {
    const auto pronta = [&] {
        return emCurso_ != emCurso || regiao_->resposta.load(std::memory_order_acquire) == numero;
    };
    if (esperaAtiva(pronta)) {
        return true;
    }
    // The region is looked up afresh at every turn: a call made from an event
    // of the wait may have ended the host and started another.
    regiao_->consoleDorme.store(1);
    for (;;) {
        if (pronta()) {
            if (emCurso_ == emCurso) {
                regiao_->consoleDorme.store(0);
            }
            return true;
        }
        int espera = fdProcesso_ >= 0 ? -1 : kIntervaloSemPidfd;
        bool doSinal = false;
        if (const auto fim = limite(doSinal)) {
            const auto resta = std::chrono::ceil<std::chrono::milliseconds>(*fim - std::chrono::steady_clock::now());
            if (resta.count() <= 0) {
                (doSinal ? encerramentoPedido_ : tempoEsgotado_) = true;
                kill(pid_.load(), SIGKILL);
            } else {
                espera = espera < 0 ? int(resta.count()) : std::min(espera, int(resta.count()));
            }
        }
        pollfd fds[2] = {{fdAcorda_, POLLIN, 0}, {fdProcesso_, POLLIN, 0}};
        esperaDescritores(fds, fdProcesso_ >= 0 ? 2 : 1, espera);
        if (emCurso_ != emCurso) {
            // Concluded by a call made during the wait; the descriptors may
            // be another host's by now.
            return true;
        }
        if (fds[0].revents & POLLIN) {
            uint64_t contagem = 0;
            [[maybe_unused]] const ssize_t n = read(fdAcorda_, &contagem, sizeof contagem);
        }
        if (!pronta() && hospedeiroTerminou()) {
            regiao_->consoleDorme.store(0);
            return false;
        }
    }
}

// In the caller's event loop when it gave one, except while a fresh host
// loads: a call made then would reach a host not yet greeted.
void BibliotecaHospedada::esperaDescritores(pollfd* fds, int quantos, int limiteMs) {
    if (!espera_ || saudando_) {
        poll(fds, nfds_t(quantos), limiteMs);
        return;
    }
    espera_->espera(fds, quantos, limiteMs);
    poll(fds, nfds_t(quantos), 0);
}

void BibliotecaHospedada::registraQueda(int funcao, quint64 chamada) {
    const pid_t pid = pid_.exchange(0);
    int status = 0;
    if (pid > 0) {
        kill(pid, SIGKILL);
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
    Queda queda;
    queda.funcao = QLatin1String(nomeFuncao(funcao));
    queda.chamada = chamada;
    if (encerramentoPedido_) {
        queda.causa = Queda::EncerradaPeloOperador;
    } else if (tempoEsgotado_) {
        queda.causa = Queda::TempoEsgotado;
    } else if (mensagemInvalida_) {
        queda.causa = Queda::MensagemInvalida;
    } else if (WIFSIGNALED(status)) {
        queda.causa = Queda::Sinal;
    } else {
        queda.causa = Queda::Saida;
    }
    queda.sinal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    queda.status = WIFEXITED(status) ? WEXITSTATUS(status) : 0;
    if (cauda_) {
        queda.erros = cauda_->linhas(kEsperaErros);
    }
    liberaHospedeiro();
    const std::lock_guard trava(mutexQueda_);
    queda_ = queda;
}

bool BibliotecaHospedada::ausente(Funcao f, const char* nome) {
    if (!ausentes_[f]) {
        return false;
    }
    const QString mensagem = mensagemFuncaoAusente(nome, biblioteca_);
    if (reporter_) {
        reporter_(mensagem);
    } else {
        qWarning("%s", qPrintable(mensagem));
    }
    return true;
}

template <Funcao F, class... Args> int32_t BibliotecaHospedada::chama(const std::tuple<Args...>& args) {
    // The host takes one request at a time: a call made from an event that
    // another call's wait took waits for that call's reply and reads it first.
    concluiEmCurso();
    const quint64 chamada = ++chamadas_;
    if (saudando_) {
        qWarning("%s: a biblioteca ainda está carregando; a função não foi chamada.", nomeFuncao(F));
        return kBibliotecaEncerrada;
    }
    if (pid_.load() == 0 && (F != kConfiguraIntKavexInterativo || !reinicia())) {
        return kBibliotecaEncerrada;
    }
    Escritor escritor(pedido_);
    if (!escrevePedido<F>(escritor, args)) {
        qWarning("%s: argumentos grandes demais para o canal; a função não foi chamada.", nomeFuncao(F));
        return kBibliotecaEncerrada;
    }
    std::memcpy(regiao_->dadosPedido, pedido_.data(), pedido_.size());
    regiao_->tamanhoPedido.store(uint32_t(pedido_.size()));
    regiao_->pedido.store(++numero_);
    if (regiao_->hospedeiroDorme.load() != 0) {
        futexAcorda(regiao_->pedido);
    }
    EmCurso atual{numero_ + 1, F, chamada, &args, &leResposta<F, Args...>};
    emCurso_ = &atual;
    concluiEmCurso();
    return atual.resultado;
}

template <Funcao F, class... Args> int32_t BibliotecaHospedada::leResposta(BibliotecaHospedada& b, const EmCurso& c) {
    const auto& args = *static_cast<const std::tuple<Args...>*>(c.argumentos);
    const uint32_t tamanho = b.regiao_->tamanhoResposta.load();
    Leitor leitor(std::span(b.regiao_->dadosResposta, std::min<size_t>(tamanho, kCapacidade)));
    int32_t resultado = 0;
    if (tamanho > kCapacidade || !lePedidoRespondido<F>(leitor, args, resultado)) {
        b.mensagemInvalida_ = true;
        b.registraQueda(F, c.chamada);
        return kBibliotecaEncerrada;
    }
    return resultado;
}

void BibliotecaHospedada::concluiEmCurso() {
    EmCurso* emCurso = emCurso_;
    if (!emCurso) {
        return;
    }
    const bool chegou = aguardaResposta(emCurso->resposta, emCurso);
    if (emCurso_ != emCurso) {
        // Concluded by a call made during the wait.
        return;
    }
    emCurso_ = nullptr;
    if (!chegou) {
        registraQueda(emCurso->funcao, emCurso->chamada);
        emCurso->resultado = kBibliotecaEncerrada;
        return;
    }
    emCurso->resultado = emCurso->le(*this, *emCurso);
}

// By the socket a thread of the host watches, while the library's thread may
// be busy with the read this breaks off.
int32_t BibliotecaHospedada::interrompe() {
    const std::lock_guard trava(mutexInterrupcao_);
    const char pedido = 1;
    int32_t resultado = 0;
    pollfd fd{fdInterrupcao_, POLLIN, 0};
    if (fdInterrupcao_ < 0 || write(fdInterrupcao_, &pedido, 1) != 1 || poll(&fd, 1, kEsperaFimMs) != 1 ||
        recv(fdInterrupcao_, &resultado, sizeof resultado, MSG_WAITALL) != sizeof resultado) {
        return kBibliotecaEncerrada;
    }
    return resultado;
}

#define KAVEX_DEFINE_CALL(R, N, P, A)                                                                                  \
    R BibliotecaHospedada::N P {                                                                                       \
        if (ausente(k##N, #N)) {                                                                                       \
            return static_cast<R>(kFuncaoAusente);                                                                     \
        }                                                                                                              \
        if constexpr (k##N == kInterrompeLeCartaoDireto) {                                                             \
            ++chamadas_;                                                                                               \
            return interrompe();                                                                                       \
        }                                                                                                              \
        return static_cast<R>(chama<k##N>(std::tuple A));                                                              \
    }
KAVEX_FUNCTIONS(KAVEX_DEFINE_CALL)
#undef KAVEX_DEFINE_CALL
