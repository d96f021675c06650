#pragma once

// The payment client library loaded from a shared object at program start.

#include "library/KavexLibrary.h"

#include <QLibrary>
#include <QString>

#include <functional>
#include <memory>

class LoadedLibrary final : public KavexLibrary {
public:
    // Loads the library and resolves every function it exports. Returns null
    // and fills `error` with the loader's reason when it cannot be loaded.
    static std::unique_ptr<LoadedLibrary> load(const QString& path, QString& error);

    const QString& path() const { return path_; }
    QStringList missingFunctions() const override;

    // Receives the message for the operator when a missing function is
    // called (the function is not called and kFuncaoAusente is returned).
    // Without one, the message goes to the log.
    void setMissingReporter(std::function<void(const QString&)> reporter) { reporter_ = std::move(reporter); }

    // The message for a missing function, naming it and the library.
    QString missingMessage(const char* name) const;

#define KAVEX_DECLARE_OVERRIDE(R, N, P, A) R N P override;
    KAVEX_FUNCTIONS(KAVEX_DECLARE_OVERRIDE)
#undef KAVEX_DECLARE_OVERRIDE

private:
    explicit LoadedLibrary(const QString& path);
    void reportMissing(const char* name) const;

    QString path_;
    QLibrary library_;
    std::function<void(const QString&)> reporter_;

#define KAVEX_DECLARE_POINTER(R, N, P, A) R(KAVEX_CALL* p##N) P = nullptr;
    KAVEX_FUNCTIONS(KAVEX_DECLARE_POINTER)
#undef KAVEX_DECLARE_POINTER
};

// The message for a function the library at `caminho` does not export.
QString mensagemFuncaoAusente(const char* nome, const QString& caminho);

// Which library to load: the command line's choice, else the environment's
// KAVEX_LIBRARY, else the simulator beside the executable.
QString chooseLibraryPath(const QString& commandLineChoice, const QString& executableDir);
