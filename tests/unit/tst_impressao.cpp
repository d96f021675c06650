#include "CupsPrivado.h"

#include "platform/Impressao.h"

#include <QTest>

using harness::CupsPrivado;
using platform::impressao::imprimeTexto;

namespace {

const QStringList kCupom = {QStringLiteral("  COMPROVANTE DE DÉBITO"), QString(), QStringLiteral("VALOR: R$ 10,00"),
                            QStringLiteral("Ação € ok")};

#define INICIA_OU_PULA(servidor)                                                                                       \
    if (!(servidor).erro().isEmpty()) {                                                                                \
        if ((servidor).erro().contains(QLatin1String("root"))) {                                                       \
            QSKIP(qPrintable((servidor).erro()));                                                                      \
        }                                                                                                              \
        QFAIL(qPrintable((servidor).erro()));                                                                          \
    }

} // namespace

class TestImpressao : public QObject {
    Q_OBJECT
private slots:
    void jobReachesTheDefaultPrinterByteForByte() {
        CupsPrivado cups({{QStringLiteral("outra"), false, true}, {QStringLiteral("cupom"), true, true}});
        INICIA_OU_PULA(cups);
        QCOMPARE(imprimeTexto(kCupom, QStringLiteral("Cupom TEF")), QString());
        const QByteArray esperado("  COMPROVANTE DE D\xC9"
                                  "BITO\r\n\r\nVALOR: R$ 10,00\r\nA\xE7\xE3o \x80 ok\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(cups.recebido(QStringLiteral("cupom")), esperado, 15000);
        QVERIFY(cups.recebido(QStringLiteral("outra")).isEmpty());
    }

    void failuresNameTheReason_data() {
        QTest::addColumn<bool>("comPadrao");
        QTest::addColumn<bool>("aceita");
        QTest::addColumn<bool>("parado");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("no default printer") << false << true << false << "nenhuma impressora padrão";
        QTest::newRow("queue refuses jobs") << true << false << false << "recusou o trabalho";
        QTest::newRow("server stopped") << true << true << true << "servidor de impressão não responde";
    }
    void failuresNameTheReason() {
        QFETCH(bool, comPadrao);
        QFETCH(bool, aceita);
        QFETCH(bool, parado);
        QFETCH(QString, motivo);
        CupsPrivado cups({{QStringLiteral("cupom"), comPadrao, aceita}});
        INICIA_OU_PULA(cups);
        if (parado) {
            cups.para();
        }
        const QString erro = imprimeTexto(kCupom, QStringLiteral("Cupom TEF"));
        QVERIFY2(erro.startsWith(QStringLiteral("Não foi possível imprimir o cupom: ")), qPrintable(erro));
        QVERIFY2(erro.contains(motivo), qPrintable(erro));
        QVERIFY(cups.recebido(QStringLiteral("cupom")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestImpressao)
#include "tst_impressao.moc"
