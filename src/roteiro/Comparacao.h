#pragma once

// Two recordings of the same script (made with --record, against two
// versions of a library, or a library and the simulator) compared call by
// call: the function, each argument, the result and each output. Durations
// and the dates and times a run sends or is told are left aside, since they
// differ on every line.

#include <QByteArray>
#include <QStringList>

#include <stdexcept>

namespace roteiro {

// A recording that cannot be read: the file, its line, why.
class ErroGravacao : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Every difference, one line each: the call's number (from 1), its
// function, what differs and both values. Empty when the recordings match.
QStringList comparaGravacoes(const QByteArray& a, const QString& nomeA, const QByteArray& b, const QString& nomeB);

// `--compare A B`: 0 when they match, 1 when they do not, 2 when one
// cannot be read; the differences go to the standard output.
int executaComparacao(const QString& a, const QString& b);

} // namespace roteiro
