// The direct transaction's send buffer and reply listing, byte by byte.

#include "nucleo/Simulador.h"

#include "fluxos/BufferDireto.h"
#include "fluxos/TransacaoDireta.h"
#include "platform/Clock.h"

#include <QTest>

#include <array>
#include <vector>

using namespace trndireta;

class TestTrnDireta : public QObject {
    Q_OBJECT
private slots:
    void countsLinesAsAnEditorDoes_data();
    void countsLinesAsAnEditorDoes();
    void packsLinesWithZerosAndEot_data();
    void packsLinesWithZerosAndEot();
    void listsTheReplyInLinesOf40_data();
    void listsTheReplyInLinesOf40();
    void init() { platform::clock::setFixed(QDateTime(QDate(2024, 1, 2), QTime(10, 11, 12))); }
    void cleanup() { platform::clock::clearFixed(); }
    void fillsEmptyFields_data();
    void fillsEmptyFields();
    void sendsAndLists();
};

// The header fields as texts: network, function, offset, receipt, date,
// time, operator, time-out.
static fluxos::CamposDireta campos(const QStringList& t) {
    fluxos::CamposDireta c;
    for (auto [campo, i] : {std::pair{&c.rede, 0},
                            {&c.funcao, 1},
                            {&c.offset, 2},
                            {&c.cupomFiscal, 3},
                            {&c.dataFiscal, 4},
                            {&c.horario, 5},
                            {&c.operador, 6},
                            {&c.timeout, 7}}) {
        *campo = t.value(i);
    }
    return c;
}

static QStringList textos(const fluxos::CamposDireta& c) {
    return {c.rede, c.funcao, c.offset, c.cupomFiscal, c.dataFiscal, c.horario, c.operador, c.timeout};
}

// Blanks count as empty; the network is filled even when the missing
// function stops the rest.
void TestTrnDireta::fillsEmptyFields_data() {
    QTest::addColumn<QStringList>("digitados");
    QTest::addColumn<bool>("completo");
    QTest::addColumn<QStringList>("enviados");
    const QStringList vazios(8, QString());
    QTest::newRow("no function") << vazios << false << QStringList{"0", "", "", "", "", "", "", ""};
    QTest::newRow("only the function") << QStringList{"", "7", "", "", "", "", "", ""} << true
                                       << QStringList{"0", "7", "0", "12345", "20240102", "101112", "Teste", "30"};
    QTest::newRow("typed kept, blanks filled") << QStringList{" ", "x", "5", "9", "20230101", "  ", "Op", "z"} << true
                                               << QStringList{"0", "x", "5", "9", "20230101", "101112", "Op", "z"};
}

void TestTrnDireta::fillsEmptyFields() {
    QFETCH(QStringList, digitados);
    QFETCH(bool, completo);
    QFETCH(QStringList, enviados);
    fluxos::CamposDireta c = campos(digitados);
    QCOMPARE(fluxos::VerificaCampos(c), completo);
    QCOMPARE(textos(c), enviados);
}

// Numbers that are no numbers go as 0 (the time-out as 30); the listing is
// the four header lines and the reply; lines that do not fit send nothing.
void TestTrnDireta::sendsAndLists() {
    harness::Simulator sim;
    QVERIFY(sim.ok());
    sim.library().ConfiguraIntKavexInterativo("localhost", "00000000", "SW000001", 0);
    sim.clearLog();
    fluxos::CamposDireta c = campos({"2", "1", "x", "9", "20240102", "101112", "Op", "t"});
    c.linhas = QStringList{"A*", "B"};
    const fluxos::RespostaDireta r = fluxos::enviaDireta(c, sim.library());
    QVERIFY(r.enviada);
    QVERIFY(r.resultado > 0);
    QCOMPARE(r.linhas.size(), 4 + (r.resultado + kColunasRetorno - 1) / kColunasRetorno);
    QCOMPARE(r.linhas.mid(0, 4), (QStringList{QStringLiteral("Retorno Função: %1").arg(r.resultado),
                                              QStringLiteral("Código de Resposta: %1").arg(r.codigoResposta),
                                              "Tamanho Máx Buffer: 20000", "Buffer Retorno: "}));
    const nlohmann::json args = sim.calls("EnviaRecebeKavexDireto").at(0)["args"];
    KAVEX_COMPARE_JSON((nlohmann::json{args[0], args[1], args[2], args[4], args[8], args[13]}),
                       (nlohmann::json{2, 1, 0, 5, 30, 0}));

    c.linhas = QStringList(kTamBuffer / 2 + 1, QStringLiteral("a"));
    QVERIFY(!fluxos::enviaDireta(c, sim.library()).enviada);
    QCOMPARE(sim.calls("EnviaRecebeKavexDireto").size(), size_t(1));
}

void TestTrnDireta::countsLinesAsAnEditorDoes_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QStringList>("linhas");
    QTest::newRow("empty box") << QString() << QStringList();
    QTest::newRow("one empty line") << QStringLiteral("\n") << QStringList{QString()};
    QTest::newRow("final break adds nothing") << QStringLiteral("ABC\n\n1*2\n") << QStringList{"ABC", "", "1*2"};
    QTest::newRow("no final break") << QStringLiteral("ABC\n\n1*2") << QStringList{"ABC", "", "1*2"};
    QTest::newRow("carriage returns dropped") << QStringLiteral("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("blank lines kept") << QStringLiteral("\n\n ") << QStringList{"", "", " "};
}

void TestTrnDireta::countsLinesAsAnEditorDoes() {
    QFETCH(QString, texto);
    QFETCH(QStringList, linhas);
    QCOMPARE(linhasDoTexto(texto), linhas);
}

void TestTrnDireta::packsLinesWithZerosAndEot_data() {
    QTest::addColumn<QStringList>("linhas");
    QTest::addColumn<QByteArray>("esperado"); // hexadecimal; empty with tamanho -1
    QTest::addColumn<int>("tamanho");
    QTest::newRow("no lines") << QStringList() << QByteArray() << 0;
    QTest::newRow("one empty line") << QStringList{""} << QByteArray("00") << 1;
    QTest::newRow("three lines") << QStringList{"ABC", "", "1*2"} << QByteArray("414243000031043200") << 9;
    QTest::newRow("only stars") << QStringList{"**", "*"} << QByteArray("0404000400") << 5;
    QTest::newRow("Windows-1252") << QStringList{QStringLiteral("ção€")} << QByteArray("e7e36f8000") << 5;
    QTest::newRow("control bytes as typed") << QStringList{QStringLiteral("\x01\t")} << QByteArray("010900") << 3;
    const QString cheia(kTamBuffer - 1, u'x');
    QTest::newRow("exactly full") << QStringList{cheia} << (QByteArray(kTamBuffer - 1, 'x').toHex() + "00")
                                  << kTamBuffer;
    QTest::newRow("one byte over") << QStringList{cheia, ""} << QByteArray() << -1;
    QTest::newRow("many short lines over")
        << QStringList(kTamBuffer / 2 + 1, QStringLiteral("a")) << QByteArray() << -1;
}

void TestTrnDireta::packsLinesWithZerosAndEot() {
    QFETCH(QStringList, linhas);
    QFETCH(QByteArray, esperado);
    QFETCH(int, tamanho);
    // A buffer dirty from an earlier send: everything after the data must be zero.
    std::vector<char> buffer(kTamBuffer, '\xff');
    QCOMPARE(tamanhoEmpacotado(linhas), tamanho < 0 ? tamanhoEmpacotado(linhas) : tamanho);
    QCOMPARE(MontaBufferEnvio(linhas, buffer), tamanho);
    const qsizetype usados = std::max(tamanho, 0);
    QCOMPARE(QByteArray(buffer.data(), usados).toHex(), esperado);
    QCOMPARE(std::count(buffer.begin() + usados, buffer.end(), '\0'), qsizetype(kTamBuffer) - usados);
    if (tamanho < 0) {
        QVERIFY(tamanhoEmpacotado(linhas) > kTamBuffer);
    }
}

void TestTrnDireta::listsTheReplyInLinesOf40_data() {
    QTest::addColumn<int>("resultado");
    QTest::addColumn<int>("rede");
    QTest::addColumn<QByteArray>("resposta");
    QTest::addColumn<QStringList>("linhas");
    const QByteArray abc = QByteArray("abcdefghijklmnopqrstuvwxyz0123456789ABCD").repeated(3);
    // A network the window sends to directly.
    constexpr int kRede = 2;
    QTest::newRow("zero") << 0 << kRede << abc << QStringList();
    QTest::newRow("negative") << -7 << kRede << abc << QStringList();
    QTest::newRow("short") << 3 << kRede << abc << QStringList{"abc"};
    QTest::newRow("exactly 40") << 40 << kRede << abc << QStringList{QString::fromLatin1(abc.left(40))};
    QTest::newRow("exactly 80 adds no empty line")
        << 80 << kRede << abc << QStringList{QString::fromLatin1(abc.left(40)), QString::fromLatin1(abc.left(40))};
    QTest::newRow("85") << 85 << kRede << abc + "EFGHIJ"
                        << QStringList{QString::fromLatin1(abc.left(40)), QString::fromLatin1(abc.left(40)),
                                       QStringLiteral("abcde")};
    QTest::newRow("control bytes one column each")
        << 6 << kRede << QByteArray("A\0B\x04\x1f ", 6) << QStringList{QStringLiteral("A\u2400B\u2404\u241f ")};
    QTest::newRow("Windows-1252") << 2 << kRede << QByteArray("\xe9\x80") << QStringList{QStringLiteral("é€")};
    QTest::newRow("larger than the buffer lists what exists")
        << kTamBuffer + 1 << kRede << QByteArray(kTamBuffer, 'z')
        << QStringList(kTamBuffer / kColunasRetorno, QString(kColunasRetorno, u'z'));
    // The library answers 11 for the networks it reaches by itself and sends
    // nothing: a result, not eleven bytes of reply.
    for (const int rede : {0, 1, 4, 5, 9}) {
        QTest::addRow("11 from network %d lists nothing", rede) << 11 << rede << abc << QStringList();
    }
    QTest::newRow("11 from a direct network is a reply")
        << 11 << kRede << abc << QStringList{QString::fromLatin1(abc.left(11))};
    QTest::newRow("another length from a library network is a reply")
        << 12 << 9 << abc << QStringList{QString::fromLatin1(abc.left(12))};
}

void TestTrnDireta::listsTheReplyInLinesOf40() {
    QFETCH(int, resultado);
    QFETCH(int, rede);
    QFETCH(QByteArray, resposta);
    QFETCH(QStringList, linhas);
    std::vector<char> buffer(kTamBuffer, '\0');
    std::copy(resposta.begin(), resposta.end(), buffer.begin());
    QCOMPARE(MontaRetorno(resultado, static_cast<int16_t>(rede), buffer), linhas);
}

QTEST_GUILESS_MAIN(TestTrnDireta)
#include "tst_trndireta.moc"
