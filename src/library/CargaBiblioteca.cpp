#include "library/CargaBiblioteca.h"

#include "library/BibliotecaHospedada.h"
#include "library/LoadedLibrary.h"

void CargaBiblioteca::defineAvisoAusentes(std::function<void(const QString&)> aviso) const {
    if (hospedada) {
        hospedada->setMissingReporter(std::move(aviso));
    } else if (local) {
        local->setMissingReporter(std::move(aviso));
    }
}

bool CargaBiblioteca::conclui(QString& erro) const {
    return !hospedada || hospedada->aguardaCarga(erro);
}

CargaBiblioteca carregaBiblioteca(const QString& caminho, bool emProcesso, const QString& pastaPrograma,
                                  QString& erro) {
    CargaBiblioteca carga = iniciaCarga(caminho, emProcesso, pastaPrograma, erro);
    if (!carga.conclui(erro)) {
        return {};
    }
    return carga;
}

CargaBiblioteca iniciaCarga(const QString& caminho, bool emProcesso, const QString& pastaPrograma, QString& erro) {
    CargaBiblioteca carga;
    if (emProcesso) {
        std::unique_ptr<LoadedLibrary> local = LoadedLibrary::load(caminho, erro);
        carga.local = local.get();
        carga.biblioteca = std::move(local);
    } else {
        std::unique_ptr<BibliotecaHospedada> hospedada =
            BibliotecaHospedada::lanca(caminho, caminhoHospedeiro(pastaPrograma), erro);
        carga.hospedada = hospedada.get();
        carga.biblioteca = std::move(hospedada);
    }
    return carga;
}
