#include "platform/Win1252.h"

#include <QTest>

#include <cstring>

using namespace platform;

class TestWin1252 : public QObject {
    Q_OBJECT
private slots:
    void everyByteRoundTrips() {
        for (int value = 1; value <= 255; ++value) {
            const char byte = static_cast<char>(value);
            const QString text = fromWin1252(QByteArrayView(&byte, 1));
            QCOMPARE(text.size(), 1);
            QCOMPARE(toWin1252(text), QByteArray(1, byte));
        }
        QCOMPARE(fromWin1252("\x80\x9F\xC7"), QString::fromUtf8("€ŸÇ"));
    }

    void encode_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("latin-1") << QString::fromUtf8("Ação Ç") << QByteArray("A\xE7\xE3o \xC7");
        QTest::newRow("0x80-0x9F") << QString::fromUtf8("€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ")
                                   << QByteArray("\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E"
                                                 "\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9E\x9F");
        QTest::newRow("outside the code page") << QString::fromUtf8("aŁb\u0080c") << QByteArray("a?b?c");
        QTest::newRow("surrogate pair is one character") << QString::fromUtf8("x😀y") << QByteArray("x?y");
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) + 'z' << QByteArray("?z");
    }
    void encode() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(toWin1252(text), bytes);
    }

    void decodeStopsAtZero() {
        QCOMPARE(fromWin1252(QByteArrayView("ab\0cd", 5)), QStringLiteral("ab"));
        QCOMPARE(fromWin1252(static_cast<const char*>(nullptr)), QString());
    }

    void copyToBuffer_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("expected"); // buffer contents before the terminator
        QTest::newRow("size 0 writes nothing") << 0 << "abc" << QByteArray();
        QTest::newRow("size 1 holds the terminator only") << 1 << "abc" << QByteArray();
        QTest::newRow("fits exactly") << 4 << "abc" << QByteArray("abc");
        QTest::newRow("truncated") << 3 << "abc" << QByteArray("ab");
        QTest::newRow("encoded before truncation") << 3 << QString::fromUtf8("€Çx") << QByteArray("\x80\xC7");
    }
    void copyToBuffer() {
        QFETCH(int, size);
        QFETCH(QString, text);
        QFETCH(QByteArray, expected);
        for (const bool encoded : {false, true}) {
            char buffer[8];
            std::memset(buffer, '#', sizeof buffer);
            const size_t copied = encoded ? platform::copyToBuffer(buffer, size, QByteArrayView(toWin1252(text)))
                                          : platform::copyToBuffer(buffer, size, text);
            QCOMPARE(copied, size_t(expected.size()));
            QCOMPARE(QByteArray(buffer, copied), expected);
            if (size > 0)
                QCOMPARE(buffer[copied], '\0');
            for (size_t i = size; i < sizeof buffer; ++i)
                QCOMPARE(buffer[i], '#');
        }
    }
};

QTEST_GUILESS_MAIN(TestWin1252)
#include "tst_win1252.moc"
