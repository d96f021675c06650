#include "app/Programa.h"

#include "app/Main.h"
#include "library/BibliotecaGravada.h"
#include "library/CargaBiblioteca.h"
#include "library/LoadedLibrary.h"
#include "roteiro/LinhaComando.h"
#include "widgets/Aparencia.h"
#include "widgets/Prompt.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>

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

int executaPrograma(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("TesteCliKavex"));
    QApplication::setApplicationVersion(QStringLiteral(KAVEX_VERSION));
    carregaTraducoes(app);
    platform::aparencia::instalaEstiloDoPrograma();
    const OpcoesLinha opcoes = leOpcoesLinha(app);
    aplicaPastas(opcoes);

    const QString caminho = chooseLibraryPath(opcoes.biblioteca, QApplication::applicationDirPath());
    QString erro;
    // A host loads the library while the windows are built.
    const CargaBiblioteca carga = iniciaCarga(caminho, opcoes.emProcesso, QApplication::applicationDirPath(), erro);
    KavexLibrary* biblioteca = carga.biblioteca.get();
    const auto falhaCarga = [&] {
        platform::prompt::showError(QStringLiteral("Não foi possível carregar a biblioteca %1:\n%2")
                                        .arg(QDir::toNativeSeparators(caminho), erro));
        return 1;
    };
    if (!biblioteca) {
        return falhaCarga();
    }

    // The recording sits between the windows and the library, so it holds
    // every call whichever window made it.
    std::unique_ptr<BibliotecaGravada> gravada;
    QString erroGravacao;
    if (!opcoes.gravacao.isEmpty()) {
        gravada = BibliotecaGravada::abre(opcoes.gravacao, *biblioteca, erroGravacao);
    }
    TFrmtesteCliKavex32I principal(gravada ? static_cast<KavexLibrary&>(*gravada) : *biblioteca, nullptr,
                                   TFrmtesteCliKavex32I::CriacaoJanelas::DepoisDeMostrar);
    if (!carga.conclui(erro)) {
        return falhaCarga();
    }
    if (!opcoes.gravacao.isEmpty() && !gravada) {
        const QString mensagem = QStringLiteral("Não foi possível gravar em %1: %2").arg(opcoes.gravacao, erroGravacao);
        std::fputs(qPrintable(mensagem + u'\n'), stderr);
        platform::prompt::showError(mensagem);
        return kStatusEntradaInvalida;
    }
    const QStringList ausentes = biblioteca->missingFunctions();
    if (!ausentes.isEmpty()) {
        platform::prompt::showError(QStringLiteral("A biblioteca %1 não exporta estas funções:\n%2")
                                        .arg(QDir::toNativeSeparators(caminho), ausentes.join(QLatin1Char('\n'))));
    }
    carga.defineAvisoAusentes(
        [&principal](const QString& mensagem) { platform::prompt::showError(mensagem, &principal); });
    principal.show();
    // The main window goes to the screen first; the others are built, in
    // their start order, before any of the operator's input is taken.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    principal.criaJanelas();
    return QApplication::exec();
}
