#include "core/EstadoConsole.h"

#include "platform/Clock.h"

#include <QDateTime>

namespace {
// Long weekday names, Sunday first.
const char* const kDiasDaSemana[] = {"Domingo", "Segunda", "Terça", "Quarta", "Quinta", "Sexta", "Sábado"};

QString doisDigitos(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}
} // namespace

void dataehora(EstadoConsole& estado) {
    const QDateTime agora = platform::clock::now();
    const QDate d = agora.date();
    const QTime t = agora.time();
    estado.DataFiscal = QString::number(d.year()) + doisDigitos(d.month()) + doisDigitos(d.day());
    estado.HoraFiscal = doisDigitos(t.hour()) + doisDigitos(t.minute()) + doisDigitos(t.second());

    // The "-feira" suffix goes on every day alike, Sunday and Saturday too; at
    // exactly midnight the time is left out, as the date formatting does.
    QString extenso = QLatin1Char(' ') + QString::fromUtf8(kDiasDaSemana[d.dayOfWeek() % 7]) +
                      QStringLiteral("-feira ") + doisDigitos(d.day()) + QLatin1Char('/') + doisDigitos(d.month()) +
                      QLatin1Char('/') + QString::number(d.year());
    if (t.hour() != 0 || t.minute() != 0 || t.second() != 0) {
        extenso += QLatin1Char(' ') + doisDigitos(t.hour()) + QLatin1Char(':') + doisDigitos(t.minute()) +
                   QLatin1Char(':') + doisDigitos(t.second());
    }
    estado.DataHoraExtenso = extenso;
}
