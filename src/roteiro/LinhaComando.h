#pragma once

// The program's command line, shared by the console and its unattended
// runs, and the unattended run itself (`--run`), which needs no display.

#include <QString>
#include <QStringList>

class QCoreApplication;

struct OpcoesLinha {
    QString biblioteca;
    QString pasta;
    QString raiz;
    QString gravacao;        // --record
    QString roteiro;         // --run
    QString relatorio;       // --report
    bool emProcesso = false; // --in-process
    QStringList comparacao;  // --compare A B: both recordings
};

// Reads the options; --help and --version print and exit here.
OpcoesLinha leOpcoesLinha(QCoreApplication& app);
// The program folder and drive root the options name.
void aplicaPastas(const OpcoesLinha& opcoes);

// Whether the command line asks for an unattended run or a comparison of
// recordings (looked at before any application object exists, to choose
// one without a display).
bool pedeRoteiro(int argc, char* argv[]);
// The run or the comparison the options ask for.
int executaSemJanelas(const OpcoesLinha& opcoes);

// Runs the script `opcoes.roteiro`: 0 when every case passed, 1 when one
// failed, 2 when the script, the library, the record or the report file
// cannot be used.
int executaRoteiro(const OpcoesLinha& opcoes);

// Status of a file named on the command line that cannot be used.
inline constexpr int kStatusEntradaInvalida = 2;
