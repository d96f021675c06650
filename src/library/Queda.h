#pragma once

// How a hosted library went away during a call: what the console shows in
// its box, what an unattended run reports for the case, and what the
// recording writes after the call.

#include <QString>
#include <QStringList>

#include <cstdint>
#include <limits>

// The result of a call during which the library's host ended (a crash, an
// exit nobody asked for, or ended by the operator or a time-out), and of
// every call after it until the library is configured again.
inline constexpr int32_t kBibliotecaEncerrada = std::numeric_limits<int16_t>::min() + 1;

struct Queda {
    enum Causa { Sinal, Saida, EncerradaPeloOperador, TempoEsgotado, MensagemInvalida };
    Causa causa = Sinal;
    QString funcao;
    // The call's number among every call made since the program started.
    quint64 chamada = 0;
    int sinal = 0;  // Sinal: the signal that ended the host
    int status = 0; // Saida: its exit status
    // The last lines the library wrote to its standard error.
    QStringList erros;

    // One line: the function, the call's number and how the host ended.
    QString resumo() const;
    // The summary and, below it, the last lines of the standard error.
    QString descricao() const;
};

// "SIGSEGV" for 11, and so on; "sinal N" when the signal has no name.
QString nomeSinal(int sinal);
