// Date and time texts sent to the library and shown to the operator.

#include "app/Codigos.h"
#include "core/EstadoConsole.h"
#include "platform/Clock.h"

#include <QTest>

class TestDataHora : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { platform::clock::clearFixed(); }
    void formatsTheMoment_data();
    void formatsTheMoment();
    void followsTheClock();
    void codeHintsListEveryCode();
};

void TestDataHora::formatsTheMoment_data() {
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("hora");
    QTest::addColumn<QString>("extenso");
    QTest::newRow("wednesday") << QDateTime(QDate(2008, 3, 5), QTime(9, 7, 3)) << "20080305"
                               << "090703"
                               << " Quarta-feira 05/03/2008 09:07:03";
    QTest::newRow("monday") << QDateTime(QDate(2008, 9, 1), QTime(14, 5, 9)) << "20080901"
                            << "140509"
                            << " Segunda-feira 01/09/2008 14:05:09";
    QTest::newRow("sunday too") << QDateTime(QDate(2026, 12, 6), QTime(23, 59, 59)) << "20261206"
                                << "235959"
                                << " Domingo-feira 06/12/2026 23:59:59";
    QTest::newRow("saturday") << QDateTime(QDate(2026, 12, 12), QTime(0, 0, 1)) << "20261212"
                              << "000001"
                              << " Sábado-feira 12/12/2026 00:00:01";
    QTest::newRow("midnight drops the time") << QDateTime(QDate(2026, 12, 8), QTime(0, 0, 0)) << "20261208"
                                             << "000000"
                                             << " Terça-feira 08/12/2026";
    QTest::newRow("milliseconds dropped") << QDateTime(QDate(2026, 1, 1), QTime(0, 0, 0, 999)) << "20260101"
                                          << "000000"
                                          << " Quinta-feira 01/01/2026";
}

void TestDataHora::formatsTheMoment() {
    QFETCH(QDateTime, moment);
    QFETCH(QString, data);
    QFETCH(QString, hora);
    QFETCH(QString, extenso);
    platform::clock::setFixed(moment);
    EstadoConsole estado;
    dataehora(estado);
    QCOMPARE(estado.DataFiscal, data);
    QCOMPARE(estado.HoraFiscal, hora);
    QCOMPARE(estado.DataHoraExtenso, extenso);
}

void TestDataHora::followsTheClock() {
    EstadoConsole estado;
    const QDateTime before = QDateTime::currentDateTime();
    dataehora(estado);
    const QDateTime read =
        QDateTime::fromString(estado.DataFiscal + estado.HoraFiscal, QStringLiteral("yyyyMMddHHmmss"));
    QVERIFY(read.isValid());
    QVERIFY(qAbs(read.secsTo(before)) <= 2);
}

void TestDataHora::codeHintsListEveryCode() {
    QCOMPARE(codigosFuncao().size(), size_t(50));
    QCOMPARE(codigosRestricao().size(), size_t(35));
    const QStringList lines = dicaDosCodigos(codigosRestricao()).split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 35);
    QCOMPARE(lines.first(), QStringLiteral("10 - Consulta ou garantia de Cheque (todos os tipos)"));
    QCOMPARE(lines.last(), QStringLiteral("64 - Indica o Menu para seleção da Operadora de Recarga"));
    // Codes are unique and each list keeps its order within a column.
    QSet<int> seen;
    for (const CodigoDescrito& c : codigosFuncao()) {
        QVERIFY2(!seen.contains(c.codigo), qPrintable(QString::number(c.codigo)));
        seen.insert(c.codigo);
    }
}

QTEST_GUILESS_MAIN(TestDataHora)
#include "tst_datahora.moc"
