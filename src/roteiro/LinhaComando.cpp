#include "roteiro/LinhaComando.h"

#include "library/BibliotecaGravada.h"
#include "library/BibliotecaHospedada.h"
#include "library/CargaBiblioteca.h"
#include "library/LoadedLibrary.h"
#include "platform/ProgramDir.h"
#include "roteiro/Execucao.h"
#include "roteiro/Relatorio.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <atomic>
#include <csignal>
#include <cstdio>

namespace {

const QString kOpcaoRoteiro = QStringLiteral("run");

// Set by an interrupt or a termination request; the run reads it between
// library calls, so the function in progress is ended (-1) before exiting.
volatile std::sig_atomic_t sinalRecebido = 0;
// A call that does not return would never get there: its host is ended
// once the calls have had this long to end the function.
std::atomic<BibliotecaHospedada*> hospedadaDoSinal{nullptr};
constexpr std::chrono::milliseconds kGracaSinal(1500);

extern "C" void anotaSinal(int) {
    sinalRecebido = 1;
    if (BibliotecaHospedada* hospedada = hospedadaDoSinal.load()) {
        hospedada->encerraDeSinal(kGracaSinal);
    }
}

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
                                                  "do programa)."),
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
    parser.addOptions({biblioteca, pasta, raiz, gravacao, roteiro, relatorio, emProcesso});
    parser.process(app);
    return {parser.value(biblioteca), parser.value(pasta),     parser.value(raiz),      parser.value(gravacao),
            parser.value(roteiro),    parser.value(relatorio), parser.isSet(emProcesso)};
}

void aplicaPastas(const OpcoesLinha& opcoes) {
    if (!opcoes.pasta.isEmpty()) {
        platform::programdir::setDirectory(opcoes.pasta);
    }
    if (!opcoes.raiz.isEmpty()) {
        platform::programdir::setDriveRoot(opcoes.raiz);
    }
}

bool pedeRoteiro(int argc, char* argv[]) {
    const QByteArray opcao = "--" + kOpcaoRoteiro.toLatin1();
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        if (arg == opcao || arg.startsWith(opcao + '=')) {
            return true;
        }
    }
    return false;
}

int executaRoteiro(const OpcoesLinha& opcoes) {
    roteiro::Roteiro script;
    try {
        script = roteiro::leRoteiro(opcoes.roteiro);
    } catch (const roteiro::ErroRoteiro& erro) {
        return falhaEntrada(QString::fromStdString(erro.what()));
    }
    const QString caminho = chooseLibraryPath(opcoes.biblioteca, QCoreApplication::applicationDirPath());
    QString erro;
    const CargaBiblioteca carga =
        carregaBiblioteca(caminho, opcoes.emProcesso, QCoreApplication::applicationDirPath(), erro);
    if (!carga.biblioteca) {
        return falhaEntrada(QStringLiteral("não foi possível carregar a biblioteca %1: %2")
                                .arg(QDir::toNativeSeparators(caminho), erro));
    }
    KavexLibrary* carregada = carga.biblioteca.get();
    KavexLibrary* biblioteca = carregada;
    std::unique_ptr<BibliotecaGravada> gravada;
    if (!opcoes.gravacao.isEmpty()) {
        gravada = BibliotecaGravada::abre(opcoes.gravacao, *carregada, erro);
        if (!gravada) {
            return falhaEntrada(QStringLiteral("não foi possível gravar em %1: %2").arg(opcoes.gravacao, erro));
        }
        biblioteca = gravada.get();
    }

    escreve(stdout, roteiro::planoTap(int(script.casos.size())));
    roteiro::Execucao execucao(script, *biblioteca, [](int numero, const roteiro::ResultadoCaso& resultado) {
        escreve(stdout, roteiro::linhaTap(numero, resultado));
    });
    execucao.configura();
    if (execucao.configuracao().value_or(0) != 0) {
        escreve(stdout, QStringLiteral("# ConfiguraIntKavexInterativo: %1").arg(*execucao.configuracao()));
    }
    execucao.defineInterrupcao([] { return sinalRecebido != 0; });
    hospedadaDoSinal.store(carga.hospedada);
    std::signal(SIGINT, anotaSinal);
    std::signal(SIGTERM, anotaSinal);
    const std::vector<roteiro::ResultadoCaso> resultados = execucao.executa();
    hospedadaDoSinal.store(nullptr);
    if (execucao.interrompida()) {
        return falhaEntrada(
            QStringLiteral("%1: execução interrompida; a função em curso foi encerrada (-1)").arg(opcoes.roteiro));
    }
    if (execucao.erroRoteiro()) {
        return falhaEntrada(QStringLiteral("%1: %2").arg(opcoes.roteiro, *execucao.erroRoteiro()));
    }
    if (!opcoes.relatorio.isEmpty() &&
        !roteiro::gravaRelatorio(opcoes.relatorio, roteiro::relatorioJUnit(opcoes.roteiro, resultados), erro)) {
        return falhaEntrada(QStringLiteral("não foi possível gravar o relatório %1: %2").arg(opcoes.relatorio, erro));
    }
    const bool todos = std::all_of(resultados.begin(), resultados.end(), [](const auto& r) { return r.passou; });
    return todos ? 0 : 1;
}
