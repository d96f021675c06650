#include "library/LoadedLibrary.h"

#include <QDir>
#include <QFileInfo>
#include <type_traits>

// The list must match the C contract exactly, or a call would pass arguments
// of the wrong width.
#define KAVEX_CHECK_SIGNATURE(R, N, P, A)                                                                              \
    static_assert(std::is_same_v<decltype(&::N), R(KAVEX_CALL*) P>, "signature of " #N " differs from kavex.h");
KAVEX_FUNCTIONS(KAVEX_CHECK_SIGNATURE)
#undef KAVEX_CHECK_SIGNATURE

LoadedLibrary::LoadedLibrary(const QString& path) : path_(path), library_(path) {}

std::unique_ptr<LoadedLibrary> LoadedLibrary::load(const QString& path, QString& error) {
    std::unique_ptr<LoadedLibrary> lib(new LoadedLibrary(path));
    if (!lib->library_.load()) {
        error = lib->library_.errorString();
        return nullptr;
    }
#define KAVEX_RESOLVE(R, N, P, A) lib->p##N = reinterpret_cast<decltype(lib->p##N)>(lib->library_.resolve(#N));
    KAVEX_FUNCTIONS(KAVEX_RESOLVE)
#undef KAVEX_RESOLVE
    return lib;
}

QStringList LoadedLibrary::missingFunctions() const {
    QStringList missing;
#define KAVEX_LIST_MISSING(R, N, P, A)                                                                                 \
    if (!p##N) {                                                                                                       \
        missing << QStringLiteral(#N);                                                                                 \
    }
    KAVEX_FUNCTIONS(KAVEX_LIST_MISSING)
#undef KAVEX_LIST_MISSING
    return missing;
}

QString mensagemFuncaoAusente(const char* nome, const QString& caminho) {
    return QStringLiteral("A função %1 não existe na biblioteca %2; ela não foi chamada.")
        .arg(QString::fromLatin1(nome), QDir::toNativeSeparators(caminho));
}

QString LoadedLibrary::missingMessage(const char* name) const {
    return mensagemFuncaoAusente(name, path_);
}

void LoadedLibrary::reportMissing(const char* name) const {
    const QString message = missingMessage(name);
    if (reporter_) {
        reporter_(message);
    } else {
        qWarning("%s", qPrintable(message));
    }
}

#define KAVEX_DEFINE_CALL(R, N, P, A)                                                                                  \
    R LoadedLibrary::N P {                                                                                             \
        if (!p##N) {                                                                                                   \
            reportMissing(#N);                                                                                         \
            return static_cast<R>(kFuncaoAusente);                                                                     \
        }                                                                                                              \
        return p##N A;                                                                                                 \
    }
KAVEX_FUNCTIONS(KAVEX_DEFINE_CALL)
#undef KAVEX_DEFINE_CALL

QString chooseLibraryPath(const QString& commandLineChoice, const QString& executableDir) {
    if (!commandLineChoice.isEmpty()) {
        return commandLineChoice;
    }
    const QString fromEnvironment = qEnvironmentVariable("KAVEX_LIBRARY");
    if (!fromEnvironment.isEmpty()) {
        return fromEnvironment;
    }
    // In the build folder the simulator sits beside the console; an installed
    // console keeps it in its own folder under lib.
    const QString beside = QDir(executableDir).filePath(QStringLiteral(KAVEX_DEFAULT_LIBRARY));
    const QString installed =
        QDir(executableDir).filePath(QStringLiteral("../lib/" KAVEX_PACKAGE_LIBDIR "/" KAVEX_DEFAULT_LIBRARY));
    if (!QFileInfo::exists(beside) && QFileInfo::exists(installed)) {
        return QDir::cleanPath(installed);
    }
    return beside;
}
