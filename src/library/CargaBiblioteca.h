#pragma once

// The library as the program loads it at start: in a host process of its own
// (the default), or in the console's process (--in-process).

#include "library/KavexLibrary.h"

#include <QString>

#include <functional>
#include <memory>

class BibliotecaHospedada;
class LoadedLibrary;

struct CargaBiblioteca {
    std::unique_ptr<KavexLibrary> biblioteca;
    // The same object by its own type: one of the two is set.
    BibliotecaHospedada* hospedada = nullptr;
    LoadedLibrary* local = nullptr;

    // Where the message for a missing function goes when one is called.
    void defineAvisoAusentes(std::function<void(const QString&)> aviso) const;
    // Waits until a host started by iniciaCarga() has loaded the library;
    // false, with `erro` filled as a load in this process would, when not.
    bool conclui(QString& erro) const;
};

// Loads `caminho`; `pastaPrograma` is where the host executable is looked for.
// Nothing in `biblioteca`, with `erro` filled, when it cannot be loaded.
CargaBiblioteca carregaBiblioteca(const QString& caminho, bool emProcesso, const QString& pastaPrograma, QString& erro);
// The same, but a host may still be loading: conclui() before any call.
CargaBiblioteca iniciaCarga(const QString& caminho, bool emProcesso, const QString& pastaPrograma, QString& erro);
