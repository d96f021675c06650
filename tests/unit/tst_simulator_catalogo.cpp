// The simulator's catalogue through its C functions: every function code of
// the console's list starts and ends with its family's questions, a code
// outside the list is refused, and each test card and magic value gives the
// result its table documents, with a receipt only when approved.
#include "SimuladorC.h"

using namespace simc;

namespace {

const QString kCpf = "12345678901";
// A sale paid with a card, with and without the PIN.
QString vendaCartao() {
    return "4 " + cartao() + " " + aprovada();
}
QString vendaSenha() {
    return "4 " + cartao() + " " + senha() + " " + aprovada();
}
QString consultaCartao() {
    return "4 " + cartao() + " 1 22 =0";
}

} // namespace

class TstSimulatorCatalogo : public QObject {
    Q_OBJECT
    Simulador m_sim;

    QString vende(int32_t funcao, const QStringList& respostas, const char* valor = "10,00") {
        const int32_t r = m_sim.inicia(funcao, valor);
        return r == KAVEX_CONTINUA_INTERATIVO ? m_sim.roda(respostas) : "=" + QString::number(r);
    }
    void confirma() { QCOMPARE(m_sim.SIMC(FinalizaTransacaoKavexInterativo)(1, kCupom, kData, kHora), KAVEXSIM_OK); }
    bool recibo() const { return m_sim.textos.join('\n').contains("VIA CLIENTE"); }
    int32_t vendaVidalink(const QString& autorizacao, const QStringList& itens, const QByteArray& cupom) {
        int16_t numero = 0;
        for (const QString& item : itens) {
            const QStringList partes = item.split(':');
            if (m_sim.SIMC(InformaProdutoVendaVidalink)(++numero, partes[0].toLatin1().constData(), partes[1].toInt(),
                                                        partes[2].toLatin1().constData()) != KAVEXSIM_OK)
                return -1;
        }
        return m_sim.SIMC(IniciaFuncaoKavexInterativoVendaVidalink)(autorizacao.toLatin1().constData(), numero,
                                                                    cupom.constData(), kData, kHora, "Opx");
    }
    int m_cupom = 7000;

private slots:
    // The library is loaded once per process: its first sales are the run's
    // first, numbered 000001 and 000002.
    void initTestCase() {
        QVERIFY(m_sim.ok());
        m_sim.limpa();
        for (const QString& numero : {QStringLiteral("000001"), QStringLiteral("000002")}) {
            QVERIFY(vende(2, {"1"}).endsWith("=0"));
            QCOMPARE(m_sim.textos.last(), QStringLiteral("TRANSAÇÃO APROVADA NSU ") + numero);
        }
    }
    void init() { m_sim.limpa(); }

    // `antes`: a function confirmed first (its NSU is 000001), which the one
    // under test names.
    void everyListedCodeStartsAndEnds_data() {
        QTest::addColumn<int>("antes");
        QTest::addColumn<int>("funcao");
        QTest::addColumn<QStringList>("respostas");
        QTest::addColumn<QString>("rastro");
        for (int c : {4, 6, 12, 115, 260, 261, 561})
            QTest::newRow(qPrintable(QString::number(c))) << 0 << c << QStringList{} << vendaCartao();
        for (int c : {5, 7, 10, 11})
            QTest::newRow(qPrintable(QString::number(c))) << 0 << c << QStringList{} << vendaSenha();
        for (int c : {150, 151, 600, 605, 606, 607})
            QTest::newRow(qPrintable(QString::number(c))) << 0 << c << QStringList{} << consultaCartao();
        for (int c : {500, 501, 502, 550, 611})
            QTest::newRow(qPrintable(QString::number(c))) << 0 << c << QStringList{kCpf} << "4 30 1 22 =0";
        QTest::newRow("560") << 0 << 560 << QStringList{"1133334444"} << "4 30 1 22 =0";
        QTest::newRow("100, a wrong card number refused")
            << 0 << 100 << QStringList{"4111111111111112", "4111111111111111", "1230"} << "4 30 22 30 30 " + aprovada();
        QTest::newRow("300, provider, number, value")
            << 0 << 300 << QStringList{"2", "11987654321", "3"} << "4 21 30 21 " + cartao() + " " + aprovada();
        QTest::newRow("301") << 0 << 301 << QStringList{"1", "1187654321", "1"}
                             << "4 21 30 21 " + cartao() + " " + aprovada();
        QTest::newRow("612") << 0 << 612 << QStringList{"12345678", "2"} << "4 30 21 " + cartao() + " " + aprovada();
        QTest::newRow("610 leads into the top-up")
            << 0 << 610 << QStringList{"1", "12345678", "2"} << "4 21 4 30 21 " + cartao() + " " + aprovada();
        QTest::newRow("610 leads into the balance") << 0 << 610 << QStringList{"2", kCpf} << "4 21 4 30 1 22 =0";
        QTest::newRow("503 plays the cheque") << 0 << 503
                                              << QStringList{"1",
                                                             "0:0180010977300000616974850004"
                                                             "5",
                                                             kCpf}
                                              << "4 21 31 30 1 " + aprovada();
        QTest::newRow("552") << 0 << 552 << QStringList{"123456"} << "4 30 " + aprovada();
        QTest::newRow("112, nothing to reprint") << 0 << 112 << QStringList{"1"} << "4 21 22 =0";
        QTest::newRow("112, by number") << 2 << 112 << QStringList{"2", "@1000:"} << "4 21 30 0/121 0/122 =0";
        QTest::newRow("113") << 2 << 113 << QStringList{"@1000:"} << "4 30 0/121 0/122 =0";
        QTest::newRow("113, a number never given")
            << 2 << 113 << QStringList{"999999", "@1000:"} << "4 30 22 30 0/121 0/122 =0";
        const struct {
            int antes, funcao;
        } referentes[] = {{115, 116}, {100, 201}, {115, 202}, {260, 250},
                          {261, 251}, {552, 553}, {552, 554}, {561, 562}};
        for (const auto& r : referentes)
            QTest::newRow(qPrintable(QString("%1 names %2").arg(r.funcao).arg(r.antes)))
                << r.antes << r.funcao << QStringList{"%nsu"} << "4 30 " + aprovada();
        QTest::newRow("202 does not cancel a debit") << 2 << 202 << QStringList{"%nsu", "@-1"} << "4 30 22 30 1 =-7";
    }
    void everyListedCodeStartsAndEnds() {
        QFETCH(int, antes);
        QFETCH(int, funcao);
        QFETCH(QStringList, respostas);
        QFETCH(QString, rastro);
        if (antes != 0) {
            // Whatever the earlier function asks is answered by its first option or a valid number.
            const int32_t r = m_sim.inicia(antes);
            QCOMPARE(r, KAVEX_CONTINUA_INTERATIVO);
            const QStringList primeira = antes == 100   ? QStringList{"4111111111111111", "1230"}
                                         : antes == 552 ? QStringList{"123"}
                                         : antes == 2   ? QStringList{"1"}
                                                        : QStringList{};
            QVERIFY(m_sim.roda(primeira).endsWith("=0"));
            // "%nsu" answers with the number that function was given.
            respostas.replaceInStrings("%nsu", m_sim.textos.last().section(' ', -1));
            confirma();
        }
        QCOMPARE(vende(funcao, respostas), rastro);
        // What names an earlier transaction takes its value.
        if (antes != 0 && recibo())
            QVERIFY(m_sim.textos.join(' ').contains("VALOR R$ 10,00"));
    }

    void codesOutsideTheListAreNotAvailable() {
        for (int c : {8, 9, 13, 99, 117, 204, 311, 551, 613, 999})
            QCOMPARE(m_sim.inicia(c), KAVEXSIM_NOT_AVAILABLE);
        // A sale of the list still checks its value.
        QCOMPARE(m_sim.inicia(4, "0,00"), KAVEXSIM_BAD_AMOUNT);
    }

    // The debit with 1000 on its menu lets the operator pick the card the
    // pinpad reads; the credit takes the card typed.
    void testCardsAndMagicValues_data() {
        QTest::addColumn<int>("funcao");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QStringList>("respostas");
        QTest::addColumn<QString>("rastro");
        QTest::addColumn<QString>("aviso");
        const QString escolha = "4 21 4 21 " + cartao() + " " + senha();
        const QString nega = " 1 22 =";
        QTest::newRow("approving card") << 2 << "10,00" << QStringList{"@1000:1", "1"} << escolha + " " + aprovada()
                                        << "";
        QTest::newRow("insufficient funds")
            << 2 << "10,00" << QStringList{"@1000:1", "2"}
            << escolha + nega + QString::number(KAVEXSIM_INSUFFICIENT_FUNDS) << "TRANSAÇÃO NEGADA: SALDO INSUFICIENTE";
        QTest::newRow("expired") << 2 << "10,00" << QStringList{"@1000:1", "3"}
                                 << escolha + nega + QString::number(KAVEXSIM_EXPIRED_CARD)
                                 << "TRANSAÇÃO NEGADA: CARTÃO VENCIDO";
        QTest::newRow("blocked") << 2 << "10,00" << QStringList{"@1000:2", "15022026", "4"}
                                 << "4 21 30 4 21 " + cartao() + " " + senha() + nega +
                                        QString::number(KAVEXSIM_BLOCKED_CARD)
                                 << "TRANSAÇÃO NEGADA: CARTÃO BLOQUEADO";
        QTest::newRow("wrong PIN, then right") << 2 << "10,00" << QStringList{"@1000:1", "5"}
                                               << escolha + " 1 22 " + senha() + " 1 " + aprovada().mid(2) << "";
        QTest::newRow("typed card declined")
            << 3 << "10,00" << QStringList{"@1000:1", "4000000000000002", "1230", "", "0"}
            << "4 21 30 30 34 20" + nega + QString::number(KAVEXSIM_INSUFFICIENT_FUNDS)
            << "TRANSAÇÃO NEGADA: SALDO INSUFICIENTE";
        QTest::newRow("typed card with a wrong PIN: no PIN, approved")
            << 3 << "10,00" << QStringList{"@1000:1", "4000000000000127", "1230", "", "0"}
            << "4 21 30 30 34 20 " + aprovada() << "";
        QTest::newRow("host decline") << 2 << "9,05" << QStringList{"1"}
                                      << "4 21 " + cartao() + " " + senha() + nega + QString::number(KAVEXSIM_DECLINED)
                                      << "TRANSAÇÃO NEGADA PELO EMISSOR";
        QTest::newRow("communication failure")
            << 3 << "9,91" << QStringList{"1", "", "0"}
            << "4 21 " + cartao() + " 34 20" + nega + QString::number(KAVEXSIM_COMMUNICATION_FAILURE)
            << "FALHA DE COMUNICAÇÃO COM O AUTORIZADOR";
        QTest::newRow("time-out after the long wait")
            << 4 << "9,68" << QStringList{} << "4 " + cartao() + " 1 1 1 1 1 22 =" + QString::number(KAVEXSIM_TIMEOUT)
            << "TEMPO DE RESPOSTA ESGOTADO";
        QTest::newRow("slow approval") << 4 << "9,77" << QStringList{} << "4 " + cartao() + " 1 1 1 1 " + aprovada()
                                       << "";
        QTest::newRow("a magic value declines a cheque too")
            << 1 << "9,05"
            << QStringList{"1",
                           "0:0180010977300000616974850004"
                           "5",
                           kCpf}
            << "4 21 31 30 1 1 22 =" + QString::number(KAVEXSIM_DECLINED) << "TRANSAÇÃO NEGADA PELO EMISSOR";
    }
    void testCardsAndMagicValues() {
        QFETCH(int, funcao);
        QFETCH(QString, valor);
        QFETCH(QStringList, respostas);
        QFETCH(QString, rastro);
        QFETCH(QString, aviso);
        QCOMPARE(vende(funcao, respostas, valor.toLatin1().constData()), rastro);
        const bool aprovado = aviso.isEmpty();
        if (!aprovado)
            QVERIFY(m_sim.textos.contains(aviso));
        QCOMPARE(recibo(), aprovado);
        // A failure leaves nothing pending; an approval waits for its finishing.
        QCOMPARE(m_sim.SIMC(FinalizaTransacaoKavexInterativo)(1, kCupom, kData, kHora),
                 aprovado ? KAVEXSIM_OK : KAVEXSIM_NO_PENDING);
    }

    // Products "code:quantity:value" of a Vidalink sale under an authorisation.
    void vidalinkSaleFollowsItsAuthorisation_data() {
        QTest::addColumn<QString>("autorizacao");
        QTest::addColumn<QStringList>("itens");
        QTest::addColumn<int>("resultado");
        QTest::addColumn<QString>("linhas");
        QTest::newRow("any code: the default prescription")
            << "12345" << QStringList{"100001:2:37,80"} << 10000
            << "SUBSÍDIO DO CONVÊNIO R$ 30,00\nVALOR DO CLIENTE R$ 7,80";
        QTest::newRow("a product the authorisation lacks")
            << "11111" << QStringList{"100001:1:18,90"} << KAVEXSIM_UNKNOWN_PRODUCT << "";
        QTest::newRow("more than authorised")
            << "11111" << QStringList{"100005:2:42,00"} << KAVEXSIM_BAD_QUANTITY << "";
        QTest::newRow("above the maximum price")
            << "22222" << QStringList{"100005:2:42,01"} << KAVEXSIM_BAD_AMOUNT << "";
        QTest::newRow("below the plan's share")
            << "22222" << QStringList{"100005:2:20,99"} << KAVEXSIM_BAD_AMOUNT << "";
        QTest::newRow("a value between: the customer pays the rest")
            << "22222" << QStringList{"100002:1:24,50", "100005:2:30,00"} << 10000
            << "1 X SINVASTATINA 20MG CX 30  R$ 24,50\n2 X OMEPRAZOL 20MG CX 28  R$ 30,00\n"
               "SUBSÍDIO DO CONVÊNIO R$ 41,00\nVALOR DO CLIENTE R$ 13,50";
    }
    void vidalinkSaleFollowsItsAuthorisation() {
        QFETCH(QString, autorizacao);
        QFETCH(QStringList, itens);
        QFETCH(int, resultado);
        QFETCH(QString, linhas);
        QCOMPARE(vendaVidalink(autorizacao, itens, "4321"), resultado);
        if (resultado == KAVEX_CONTINUA_INTERATIVO) {
            QVERIFY(m_sim.roda({}).endsWith("=0"));
            QVERIFY2(m_sim.textos.at(4).contains(linhas), qPrintable(m_sim.textos.at(4)));
        }
    }

    // After a sale of 100002 x 1 (24,50) and 100005 x 1 (15,00) with receipt
    // `cupom`, a cancellation of receipt `cancelado`; "code:quantity" each.
    void vidalinkCancellationChecksItsSale_data() {
        QTest::addColumn<bool>("total");
        QTest::addColumn<QStringList>("itens");
        QTest::addColumn<bool>("outroCupom");
        QTest::addColumn<int>("resultado");
        QTest::addColumn<QString>("rastro");
        QTest::newRow("a sale never made") << true << QStringList{} << true << KAVEXSIM_SALE_NOT_FOUND << "";
        QTest::newRow("total: the sale's products and value")
            << true << QStringList{} << false << 10000
            << "VALOR R$ 39,50 1 X SINVASTATINA 20MG CX 30 1 X OMEPRAZOL 20MG CX 28";
        QTest::newRow("partial: one of its products")
            << false << QStringList{"100005:1"} << false << 10000 << "VALOR R$ 15,00 1 X OMEPRAZOL 20MG CX 28";
        QTest::newRow("partial: a product the sale never had")
            << false << QStringList{"100001:1"} << false << KAVEXSIM_UNKNOWN_PRODUCT << "";
        QTest::newRow("partial: more than sold")
            << false << QStringList{"100005:2"} << false << KAVEXSIM_BAD_QUANTITY << "";
    }
    void vidalinkCancellationChecksItsSale() {
        QFETCH(bool, total);
        QFETCH(QStringList, itens);
        QFETCH(bool, outroCupom);
        QFETCH(int, resultado);
        QFETCH(QString, rastro);
        const QByteArray cupom = QByteArray::number(++m_cupom);
        QCOMPARE(vendaVidalink("22222", {"100002:1:24,50", "100005:1:15,00"}, cupom), KAVEX_CONTINUA_INTERATIVO);
        QVERIFY(m_sim.roda({}).endsWith("=0"));
        QCOMPARE(m_sim.SIMC(FinalizaTransacaoKavexInterativo)(1, cupom.constData(), kData, kHora), KAVEXSIM_OK);
        int numero = 0;
        for (const QString& item : itens)
            QCOMPARE(m_sim.SIMC(InformaProdutoCancelamentoVidalink)(static_cast<int16_t>(++numero),
                                                                    item.section(':', 0, 0).toLatin1().constData(),
                                                                    item.section(':', 1).toInt()),
                     KAVEXSIM_OK);
        const QByteArray cancelado = outroCupom ? cupom + "0" : cupom;
        QCOMPARE(m_sim.SIMC(IniciaFuncaoKavexInterativoCancelamentoVidalink)(total ? 1 : 0, total ? 1 : numero,
                                                                             cancelado.constData(), kData, "D1", "T1",
                                                                             "NF1", kData, kHora, "Opx"),
                 resultado);
        if (resultado != KAVEX_CONTINUA_INTERATIVO)
            return;
        QVERIFY(m_sim.roda({}).endsWith("=0"));
        const QString recibo = m_sim.textos.filter("VIA CLIENTE").join(' ').replace('\n', ' ');
        for (const QString& parte : rastro.split(" 1 X "))
            QVERIFY2(recibo.contains(parte.startsWith("VALOR") ? parte : "1 X " + parte), qPrintable(recibo));
        // The point of sale finishes with its own fiscal receipt: the date names the cancellation.
        QCOMPARE(m_sim.SIMC(FinalizaTransacaoKavexInterativo)(1, "999", kData, kHora), KAVEXSIM_OK);
        // Cancelled, the sale cannot be named again.
        QCOMPARE(m_sim.SIMC(IniciaFuncaoKavexInterativoCancelamentoVidalink)(1, 1, cupom.constData(), kData, "D1", "T1",
                                                                             "NF1", kData, kHora, "Opx"),
                 KAVEXSIM_SALE_NOT_FOUND);
    }

    void pbmDocumentsDoNotUseTransactionNumbers() {
        char autorizacao[KAVEX_TAM_COD_AUTORIZACAO] = "998877";
        auto pbm = m_sim.SIMC(IniciaFuncaoKavexInterativoConsultaPBM);
        QVERIFY(vende(2, {"1"}).endsWith("=0"));
        const int antes = m_sim.textos.last().section(' ', -1).toInt();
        QCOMPARE(pbm(autorizacao, "0", kCupom, kData, kHora, "Opx", ""), KAVEX_CONTINUA_INTERATIVO);
        QVERIFY(m_sim.roda({}).endsWith("=0"));
        QVERIFY(vende(2, {"1"}).endsWith("=0"));
        QCOMPARE(m_sim.textos.last().section(' ', -1).toInt(), antes + 1);
    }

    void declinesDoNotUseTransactionNumbers() {
        const auto nsu = [this] { return m_sim.textos.last().section(' ', -1).toInt(); };
        QVERIFY(vende(2, {"1"}).endsWith("=0"));
        const int antes = nsu();
        QVERIFY(vende(2, {"1"}, "9,05").endsWith(QString::number(KAVEXSIM_DECLINED)));
        QVERIFY(vende(2, {"1"}).endsWith("=0"));
        QCOMPARE(nsu(), antes + 1);
    }
};

QTEST_GUILESS_MAIN(TstSimulatorCatalogo)
#include "tst_simulator_catalogo.moc"
