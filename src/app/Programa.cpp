#include "app/Programa.h"

#include "app/Main.h"
#include "library/LoadedLibrary.h"
#include "platform/ProgramDir.h"
#include "widgets/Prompt.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

// Qt's own texts (standard buttons, context menus) in Brazilian Portuguese; the
// console still runs without the translation file.
bool carregaTraducoes(QApplication& app) {
    auto* traducao = new QTranslator(&app);
    if (traducao->load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(traducao);
        return true;
    }
    delete traducao;
    return false;
}

namespace {

struct Opcoes {
    QString biblioteca;
    QString pasta;
    QString raiz;
};

Opcoes leOpcoes(QApplication& app) {
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
    parser.addOptions({biblioteca, pasta, raiz});
    parser.process(app);
    return {parser.value(biblioteca), parser.value(pasta), parser.value(raiz)};
}

} // namespace

int executaPrograma(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("TesteCliKavex"));
    QApplication::setApplicationVersion(QStringLiteral(KAVEX_VERSION));
    carregaTraducoes(app);
    const Opcoes opcoes = leOpcoes(app);
    if (!opcoes.pasta.isEmpty()) {
        platform::programdir::setDirectory(opcoes.pasta);
    }
    if (!opcoes.raiz.isEmpty()) {
        platform::programdir::setDriveRoot(opcoes.raiz);
    }

    const QString caminho = chooseLibraryPath(opcoes.biblioteca, QApplication::applicationDirPath());
    QString erro;
    std::unique_ptr<LoadedLibrary> biblioteca = LoadedLibrary::load(caminho, erro);
    if (!biblioteca) {
        platform::prompt::showError(QStringLiteral("Não foi possível carregar a biblioteca %1:\n%2")
                                        .arg(QDir::toNativeSeparators(caminho), erro));
        return 1;
    }
    const QStringList ausentes = biblioteca->missingFunctions();
    if (!ausentes.isEmpty()) {
        platform::prompt::showError(QStringLiteral("A biblioteca %1 não exporta estas funções:\n%2")
                                        .arg(QDir::toNativeSeparators(caminho), ausentes.join(QLatin1Char('\n'))));
    }

    TFrmtesteCliKavex32I principal(*biblioteca);
    biblioteca->setMissingReporter(
        [&principal](const QString& mensagem) { platform::prompt::showError(mensagem, &principal); });
    principal.show();
    return QApplication::exec();
}
