#include "app/Programa.h"
#include "roteiro/LinhaComando.h"

#include <QApplication>
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    // An unattended run shows no window, so it needs no display at all.
    if (pedeRoteiro(argc, argv)) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("TesteCliKavex"));
        QCoreApplication::setApplicationVersion(QStringLiteral(KAVEX_VERSION));
        const OpcoesLinha opcoes = leOpcoesLinha(app);
        aplicaPastas(opcoes);
        return executaSemJanelas(opcoes);
    }
    // Without any display the toolkit would abort with a long message; one
    // clear line is enough.
    const bool semTela = qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
                         qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
    bool pedeAjuda = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg(argv[i]);
        pedeAjuda = pedeAjuda || arg == "--help" || arg == "-h" || arg == "--version" || arg == "-v";
    }
    if (semTela && !pedeAjuda) {
        std::fputs("TesteCliKavex: nenhuma tela gráfica disponível (DISPLAY não definido).\n", stderr);
        return 2;
    }
    if (semTela) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    return executaPrograma(app);
}
