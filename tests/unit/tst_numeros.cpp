#include "platform/Numeros.h"

#include <QTest>

using namespace platform::numeros;

namespace {
constexpr qint64 kNaoNumero = -999999999999;
}

class TestNumeros : public QObject {
    Q_OBJECT
private slots:
    void leInteiro_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<qint64>("valor");
        QTest::newRow("digit") << "3" << qint64(3);
        QTest::newRow("leading blanks") << "  2" << qint64(2);
        QTest::newRow("sign") << "-1" << qint64(-1);
        QTest::newRow("plus") << "+7" << qint64(7);
        QTest::newRow("dollar") << "$10" << qint64(16);
        QTest::newRow("0x") << "0x10" << qint64(16);
        QTest::newRow("0X") << "0X1f" << qint64(31);
        QTest::newRow("x") << "x10" << qint64(16);
        QTest::newRow("X") << "XfF" << qint64(255);
        QTest::newRow("leading zero stays decimal") << "010" << qint64(10);
        QTest::newRow("zero") << "0" << qint64(0);
        QTest::newRow("largest") << "2147483647" << qint64(2147483647);
        QTest::newRow("smallest") << "-2147483648" << qint64(-2147483648LL);
        QTest::newRow("hex fills 32 bits") << "$FFFFFFFF" << qint64(-1);
        QTest::newRow("negative hex") << "-$10" << qint64(-16);
        QTest::newRow("65536") << "65536" << qint64(65536);
        QTest::newRow("too large") << "2147483648" << kNaoNumero;
        QTest::newRow("hex too large") << "$100000000" << kNaoNumero;
        QTest::newRow("trailing blank") << "2 " << kNaoNumero;
        QTest::newRow("letter") << "A" << kNaoNumero;
        QTest::newRow("letters after digits") << "12a" << kNaoNumero;
        QTest::newRow("empty") << "" << kNaoNumero;
        QTest::newRow("blanks") << "   " << kNaoNumero;
        QTest::newRow("bare sign") << "-" << kNaoNumero;
        QTest::newRow("bare prefix") << "0x" << kNaoNumero;
        QTest::newRow("decimal comma") << "1,00" << kNaoNumero;
    }
    void leInteiro() {
        QFETCH(QString, texto);
        QFETCH(qint64, valor);
        const std::optional<int32_t> lido = platform::numeros::leInteiro(texto);
        QCOMPARE(lido.has_value(), valor != kNaoNumero);
        if (lido) {
            QCOMPARE(qint64(*lido), valor);
        }
        QCOMPARE(qint64(StrToIntDef(texto, 0)), valor == kNaoNumero ? 0 : valor);
    }

    void mensagem() {
        QCOMPARE(mensagemInvalido(QStringLiteral("1,5")), QStringLiteral("'1,5' is not a valid integer value"));
    }
};

QTEST_MAIN(TestNumeros)
#include "tst_numeros.moc"
