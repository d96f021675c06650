#pragma once

// A private CUPS server for the printing tests: its own folders under a
// temporary folder, its own socket, and queues whose device appends every job
// to a file, so a test reads back the exact bytes a printer would get.
// The process environment is pointed at it while it lives (CUPS_SERVER, and
// HOME and CUPS_SERVERROOT so no personal or system lpoptions interferes).
// However the test process ends, a failed check or a crash or a time limit,
// the server is stopped and its folder removed.

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace harness {

class CupsPrivado {
public:
    struct Fila {
        QString nome;
        bool padrao = false;
        bool aceita = true;
    };

    explicit CupsPrivado(const QList<Fila>& filas);
    ~CupsPrivado();
    CupsPrivado(const CupsPrivado&) = delete;
    CupsPrivado& operator=(const CupsPrivado&) = delete;

    // Empty when the server is up and answering; else why not.
    QString erro() const { return erro_; }
    // Stops the server; its folder stays until this object goes.
    void para();
    QString pasta() const { return dir_.path(); }
    // What the queue's device received so far.
    QByteArray recebido(const QString& fila) const;
    QString registro() const;

private:
    QString prepara(const QList<Fila>& filas);
    QString caminho(const QString& nome) const { return dir_.filePath(nome); }

    QTemporaryDir dir_;
    QProcess cupsd_;
    QString erro_;
    QByteArray ambienteAnterior_[4];
};

} // namespace harness
