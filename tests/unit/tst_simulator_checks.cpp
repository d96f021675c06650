// The bill and cheque rules of the simulator against every test vector of
// the public reference, each also with one digit changed: bills through
// ValidaCampoCodigoEmBarras (as the bar-code window calls it, whole and
// block by block), cheques through the cheque flow's refusals.
#include "SimuladorC.h"

using namespace simc;

namespace {

struct Vetor {
    const char* codigo;
    int16_t tipo;
};

// Valid bar codes and typed lines of the reference.
const Vetor kValidos[] = {
    {"00195386000000040000000001207113000900020618", 1},
    {"00190000090120711300009000206186538600000004000", 1},
    {"34196565500002680161572189766660167451459000", 1},
    {"34191572138976666016474514590004656550000268016", 1},
    {"23796316800000001002949060000000000300065800", 1},
    {"23792949096000000000403000658009631680000000100", 1},
    {"00191102600000150751234567890123456789000000", 1},
    {"00191234546789012345767890000002110260000015075", 1},
    {"42297115040000195441160020034520268610000054659", 1},
    {"836400000011331201380002812884627116080136181551", 0},
    {"83640000001331201380008128846271108013618155", 0},
    {"858900004609524601791605607593050865831483000010", 0},
    {"85890000460524601791606075930508683148300001", 0},
    {"828000000010234509992029503206468381255184069440", 0},
    {"82800000001234509992025032064683825518406944", 0},
    {"817000000007000009992025504150000009000000042424", 0},
    {"81700000000000009992025041500000000000004242", 0},
    // The general digit computes to 10, which the rule turns into 1.
    {"23791100000000123450000000123456789012345687", 1},
    {"23790000090012345678290123456874110000000012345", 1},
};

// The block whose check digit stands at a position of a typed line (bank
// bill: fields 1-3 and the general digit; collection bill: blocks 1-4), or 5
// for a changed digit that only the general digit catches.
int16_t blocoDaPosicao(std::size_t tamanho, std::size_t i) {
    if (tamanho == 44)
        return 5;
    if (tamanho == 47)
        return i < 10 ? 1 : i < 21 ? 2 : i < 32 ? 3 : 4;
    return static_cast<int16_t>(i / 12 + 1);
}

QByteArray trocaDigito(QByteArray codigo, qsizetype i) {
    codigo[i] = static_cast<char>('0' + (codigo[i] - '0' + 1) % 10);
    return codigo;
}

const char* const kCmc7Validos[] = {"<00109773<0188500045>701000616977\xC7", "<23731842<0010034895>777504362409>",
                                    "<23704948<0180017935>377506100112>", "<00100058<0012189175>704001686452>",
                                    "341026200184356765450006083914"};

} // namespace

class TstSimulatorChecks : public QObject {
    Q_OBJECT
    Simulador m_sim;

    QPair<int16_t, int16_t> valida(const QByteArray& codigo) {
        int16_t tipo = -1;
        const int16_t r = m_sim.SIMC(ValidaCampoCodigoEmBarras)(codigo.constData(), &tipo);
        return {r, tipo};
    }

    // Runs a cheque payment up to the cheque data and answers them; returns
    // the refusal, or an empty text when the data were accepted.
    QString respostaAoCheque(const QByteArray& dados) {
        if (m_sim.inicia(1) != KAVEX_CONTINUA_INTERATIVO)
            return "start failed";
        while (m_sim.continua() == KAVEX_CONTINUA_INTERATIVO && m_sim.comando != 21) {
        }
        const QByteArray vista = "1";
        m_sim.continua(&vista); // command 31 follows
        if (m_sim.comando != 31)
            return "no cheque request";
        m_sim.continua(&dados);
        const QString recusa = m_sim.comando == 22 ? QString::fromLatin1(m_sim.buffer()) : QString();
        m_sim.continua(nullptr, -1);
        m_sim.continua();
        return recusa;
    }

private slots:
    void initTestCase() {
        QVERIFY(m_sim.ok());
        m_sim.limpa();
    }

    void billVectors_data() {
        QTest::addColumn<QByteArray>("codigo");
        QTest::addColumn<int>("resultado");
        QTest::addColumn<int>("tipo");
        for (const Vetor& v : kValidos) {
            const QByteArray c(v.codigo);
            QTest::addRow("valid %s", v.codigo) << c << 0 << int(v.tipo);
            // One wrong digit: the second of the code, so every kind of check is reached.
            const qsizetype i = c.size() == 47 ? 33 : 1;
            QTest::addRow("changed at %d %s", int(i), v.codigo)
                << trocaDigito(c, i) << int(blocoDaPosicao(std::size_t(c.size()), std::size_t(i))) << int(v.tipo);
        }
        QTest::newRow("bank line, field 2 fails")
            << QByteArray("00190000090127011300009000206186538600000004000") << 2 << 1;
        QTest::newRow("bank line, only the general digit fails")
            << QByteArray("00190000090120711300009000206186538600000005000") << 4 << 1;
        QTest::newRow("collection line, block 1 digit changed")
            << QByteArray("836400000012331201380002812884627116080136181551") << 1 << 0;
        QTest::newRow("collection line, only the general digit fails")
            << QByteArray("858900004641524601791605607593050865831483000010") << 5 << 0;
        QTest::newRow("collection line, block 3 fails")
            << QByteArray("828000000010234509992029503206468831255184069440") << 3 << 0;
        QTest::newRow("collection identifier 5 has no rule")
            << QByteArray("83540000001331201380008128846271108013618155") << 5 << 0;
        QTest::newRow("a letter") << QByteArray("0019000009012071130000900020618653860000000400A") << 5 << 1;
        QTest::newRow("45 digits") << QByteArray("001953860000000400000000012071130009000206181") << 5 << 1;
        QTest::newRow("empty") << QByteArray() << 5 << 2;
        QTest::newRow("no digit first") << QByteArray("x1") << 5 << 2;
    }

    void billVectors() {
        QFETCH(QByteArray, codigo);
        QFETCH(int, resultado);
        QFETCH(int, tipo);
        const auto [r, t] = valida(codigo);
        QCOMPARE(int(r), resultado);
        QCOMPARE(int(t), tipo);
    }

    // What the window sends while the operator types block by block: every
    // prefix at a block's end of a valid line passes; the kind comes from
    // the first digit.
    void blocksAsTheyAreTyped() {
        for (const Vetor& v : kValidos) {
            const QByteArray c(v.codigo);
            if (c.size() == 44)
                continue;
            const QList<int> fins = c.size() == 47 ? QList<int>{1, 2, 10, 21, 32} : QList<int>{1, 2, 12, 24, 36};
            for (int fim : fins) {
                const auto [r, t] = valida(c.left(fim));
                QVERIFY2(r == 0 && t == v.tipo, qPrintable(QString("%1 at %2").arg(v.codigo).arg(fim)));
            }
            // A wrong check digit is seen as soon as its block is complete.
            const auto [r, t] = valida(trocaDigito(c, 4).left(fins[2]));
            QCOMPARE(r, int16_t(1));
            Q_UNUSED(t);
        }
        // Between block ends nothing is complete: wrong as a whole.
        QCOMPARE(valida("0019000009012").first, int16_t(5));
    }

    void cmc7Vectors_data() {
        QTest::addColumn<QByteArray>("linha");
        QTest::addColumn<QString>("recusa");
        for (const char* v : kCmc7Validos) {
            const QByteArray linha(v);
            QTest::addRow("valid %s", v) << "1:" + linha << QString();
            // Changing digit 8 (DV2), 19 (DV1) or 30 (DV3) of each line is caught by that digit.
            qsizetype contados = 0;
            for (qsizetype i = 0; i < linha.size(); ++i) {
                if (linha[i] < '0' || linha[i] > '9')
                    continue;
                ++contados;
                const char* dv = contados == 8 ? "DV2" : contados == 19 ? "DV1" : contados == 30 ? "DV3" : nullptr;
                if (dv)
                    QTest::addRow("%s changed in %s", dv, v)
                        << "1:" + trocaDigito(linha, i) << QString("CMC-7 INV\u00C1LIDO: D\u00CDGITO %1").arg(dv);
            }
        }
        QTest::newRow("reference: DV2 fails")
            << QByteArray("1:<00109773<0188500055>701000616977\xC7") << QString("CMC-7 INV\u00C1LIDO: D\u00CDGITO DV2");
        QTest::newRow("reference: DV1 fails")
            << QByteArray("1:<00109783<0188500045>701000616977\xC7") << QString("CMC-7 INV\u00C1LIDO: D\u00CDGITO DV1");
        QTest::newRow("reference: DV3 fails")
            << QByteArray("1:<00109773<0188500045>701000616987\xC7") << QString("CMC-7 INV\u00C1LIDO: D\u00CDGITO DV3");
        QTest::newRow("29 digits") << QByteArray("1:34102620018435676545000608391")
                                   << QString("CMC-7 DEVE TER 30 D\u00CDGITOS");
        QTest::newRow("stray letter") << QByteArray("1:<00109773<0188500045>70100061697A>")
                                      << QString("CMC-7 COM CARACTERE INV\u00C1LIDO");
        // The console's sample cheque, typed field by field, and each of its digits changed.
        QTest::newRow("typed sample") << QByteArray("0:01800109773000006169748500045") << QString();
        QTest::newRow("typed, C1 changed")
            << QByteArray("0:01800109774000006169748500045") << QString("D\u00CDGITO C1 N\u00C3O CONFERE");
        QTest::newRow("typed, account changed")
            << QByteArray("0:01800109773000006169848500045") << QString("D\u00CDGITO C2 N\u00C3O CONFERE");
        QTest::newRow("typed, number changed")
            << QByteArray("0:01800109773000006169748500046") << QString("D\u00CDGITO C3 N\u00C3O CONFERE");
        QTest::newRow("typed, 28 digits")
            << QByteArray("0:0180010977300000616974850004") << QString("DADOS DO CHEQUE: 29 D\u00CDGITOS");
    }

    void cmc7Vectors() {
        QFETCH(QByteArray, linha);
        QFETCH(QString, recusa);
        QCOMPARE(respostaAoCheque(linha), recusa);
    }
};

QTEST_GUILESS_MAIN(TstSimulatorChecks)
#include "tst_simulator_checks.moc"
