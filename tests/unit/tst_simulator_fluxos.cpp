// The simulator's built-in flows, driven through its C functions as the
// console drives them: command sequences, going back, cancelling, refused
// answers, restrictions, pending transactions and their finishing.
#include "SimuladorC.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>

using namespace simc;

namespace {

const QString kCheque = "0:018001097730000061697"
                        "4"
                        "850004"
                        "5";
const QString kLinhaBancaria = "0:00190000090120711300009000206186538600000004000";
const QString kLinhaErrada = "0:00190000090127011300009000206186538600000004000";
const QString kArrecadacaoSemValor = "0:817000000007000009992025504150000009000000042424";

} // namespace

class TstSimulatorFluxos : public QObject {
    Q_OBJECT
    Simulador m_sim;

    QString correspondente(const QStringList& respostas, const char* restricoes = "[]") {
        const int32_t r = m_sim.SIMC(CorrespondenteBancarioKavexInterativo)(kCupom, kData, kHora, "Opx", restricoes);
        return r == KAVEX_CONTINUA_INTERATIVO ? m_sim.roda(respostas) : "=" + QString::number(r);
    }

private slots:
    void initTestCase() { QVERIFY(m_sim.ok()); }
    void init() { m_sim.limpa(); }

    void flows_data() {
        QTest::addColumn<int>("funcao");
        QTest::addColumn<QStringList>("respostas");
        QTest::addColumn<QString>("rastro");
        const QString debito = "4 21 " + cartao() + " " + senha() + " " + aprovada();
        QTest::newRow("debit, cash") << 2 << QStringList{"1"} << debito;
        QTest::newRow("debit, a menu option not offered, then cash")
            << 2 << QStringList{"7", "1"} << "4 21 22 21 " + cartao() + " " + senha() + " " + aprovada();
        QTest::newRow("debit, post-dated: a past and an impossible date refused")
            << 2 << QStringList{"2", "01012026", "30022026", "1502202" /* short */, "15022026"}
            << "4 21 30 22 30 22 30 22 30 " + cartao() + " " + senha() + " " + aprovada();
        QTest::newRow("debit, 1000 picks the test card: the approving one")
            << 2 << QStringList{"@1000:1", "6", "1"}
            << "4 21 4 21 22 21 " + cartao() + " " + senha() + " " + aprovada();
        QTest::newRow("debit, pinpad cancelled on the second wait") << 2 << QStringList{"1", "!-1"} << "4 21 23 1 =-7";
        QTest::newRow("debit, ended at the menu") << 2 << QStringList{"@-1"} << "4 21 1 =-7";
        QTest::newRow("credit, cash, card read, empty security code")
            << 3 << QStringList{"1", "", "0"} << "4 21 " + cartao() + " 34 20 " + aprovada();
        QTest::newRow("credit, instalments out of range, then back to the menu")
            << 3 << QStringList{"2", "13", "@1", "1", "12a", "123", "0"}
            << "4 21 30 22 30 4 21 " + cartao() + " 34 22 34 20 " + aprovada();
        QTest::newRow("credit, instalments: 1 refused, 2 accepted")
            << 3 << QStringList{"2", "1", "2", "", "0"} << "4 21 30 22 30 " + cartao() + " 34 20 " + aprovada();
        QTest::newRow("credit, instalments: 13 refused, 12 accepted")
            << 3 << QStringList{"3", "13", "12", "", "0"} << "4 21 30 22 30 " + cartao() + " 34 20 " + aprovada();
        QTest::newRow("credit, 1000 types the card: wrong number and expiry refused")
            << 3 << QStringList{"@1000:3", "6", "4111111111111112", "4111111111111111", "1329", "1230", "999", "0"}
            << "4 21 30 30 22 30 30 22 30 34 20 " + aprovada();
        QTest::newRow("credit, amount not confirmed")
            << 3 << QStringList{"1", "", "2", "1"} << "4 21 " + cartao() + " 34 20 22 20 1 =-7";
        QTest::newRow("cheque, typed fields")
            << 1 << QStringList{"1", kCheque, "12345678901"} << "4 21 31 30 1 " + aprovada();
        QTest::newRow("cheque, post-dated CMC-7, wrong document refused")
            << 1
            << QStringList{"2", "20012026", "1:<00109773<0188500045>701000616977\u00C7", "1234567890123",
                           "12345678000195"}
            << "4 21 30 31 30 22 30 1 " + aprovada();
        QTest::newRow("cheque, data without its prefix refused")
            << 1 << QStringList{"1", "<00109773<0188500045>701000616977>", kCheque, "12345678901"}
            << "4 21 31 22 31 30 1 " + aprovada();
        QTest::newRow("bill by correspondent function, back from the code to the menu")
            << 310 << QStringList{"1", "@1", "1", kLinhaBancaria, "0"} << "13 4 21 35 4 21 35 20 " + aprovada();
        QTest::newRow("administration, communication test") << 110 << QStringList{"1"} << "12 4 21 3 =0";
        QTest::newRow("administration, CDC consultation: items, then the closing message")
            << 110 << QStringList{"4"}
            << "12 4 21 0/1020 0/1021 0/1022 0/1010 0/1011 0/1012 0/1013 0/1014 0/1016 0/1011 0/1012 0/1013 0/1014 "
               "0/1016 22 =0";
        QTest::newRow("administration, nothing to reprint") << 114 << QStringList{} << "12 4 22 =0";
        QTest::newRow("communication test by its own code") << 111 << QStringList{} << "12 4 3 =0";
        QTest::newRow("function 0: a menu that leads into the debit")
            << 0 << QStringList{"2", "1"} << "4 21 4 21 " + cartao() + " " + senha() + " " + aprovada();
        QTest::newRow("function 0: back from a function to the first menu")
            << 0 << QStringList{"4", "@1", "4", "1"} << "4 21 12 4 21 4 21 12 4 21 3 =0";
    }

    void flows() {
        QFETCH(int, funcao);
        QFETCH(QStringList, respostas);
        QFETCH(QString, rastro);
        QCOMPARE(m_sim.inicia(funcao), KAVEX_CONTINUA_INTERATIVO);
        QCOMPARE(m_sim.roda(respostas), rastro);
    }

    void billPayments_data() {
        QTest::addColumn<QStringList>("respostas");
        QTest::addColumn<QString>("rastro");
        QTest::addColumn<QString>("aviso"); // the first refusal, if any
        QTest::newRow("typed line with a wrong digit, then right")
            << QStringList{"1", kLinhaErrada, kLinhaBancaria, "0"} << "13 4 21 35 22 35 20 " + aprovada()
            << "CÓDIGO DE BARRAS INVÁLIDO NO BLOCO 2";
        QTest::newRow("bar code read whole") << QStringList{"1", "1:00195386000000040000000001207113000900020618", "0"}
                                             << "13 4 21 35 20 " + aprovada() << "";
        QTest::newRow("a typed line sent as a bar code")
            << QStringList{"1", "1:" + kLinhaBancaria.mid(2), kLinhaBancaria, "0"}
            << "13 4 21 35 22 35 20 " + aprovada() << "CÓDIGO DE BARRAS INCOMPLETO";
        QTest::newRow("collection bill without value: the value is typed")
            << QStringList{"1", kArrecadacaoSemValor, "0,00", "12,3", "0"} << "13 4 21 35 30 22 30 20 " + aprovada()
            << "VALOR INVÁLIDO";
        QTest::newRow("benefit paid by CPF") << QStringList{"2", "1234567890A", "12345678901", "0"}
                                             << "13 4 21 30 22 30 20 " + aprovada() << "DIGITE SOMENTE NÚMEROS";
        QTest::newRow("payment not confirmed") << QStringList{"1", kLinhaBancaria, "1"} << "13 4 21 35 20 1 =-7"
                                               << "";
    }

    void billPayments() {
        QFETCH(QStringList, respostas);
        QFETCH(QString, rastro);
        QFETCH(QString, aviso);
        QCOMPARE(correspondente(respostas), rastro);
        const qsizetype recusa = rastro.split(' ').indexOf("22");
        QCOMPARE(recusa < 0 ? QString() : m_sim.textos.at(recusa), aviso);
    }

    // What the restrictions leave of each function: the start's result and its first menu.
    void restrictions_data() {
        QTest::addColumn<int>("funcao"); // -1: correspondent banking
        QTest::addColumn<QString>("restricoes");
        QTest::addColumn<int>("resultado");
        QTest::addColumn<QString>("menu");
        QTest::newRow("debit, cash removed: the options keep their numbers") << 2 << "[16]" << 10000 << "2:Pré-datado;";
        QTest::newRow("debit, both kinds removed") << 2 << "[16;17]" << KAVEXSIM_RESTRICTED << "";
        QTest::newRow("debit, all debit") << 2 << "[15]" << KAVEXSIM_RESTRICTED << "";
        QTest::newRow("credit, typed form with blanks") << 3 << " 26 ; 28 " << 10000 << "2:Parcelado Loja;";
        QTest::newRow("credit, all credit") << 3 << "[10;25]" << KAVEXSIM_RESTRICTED << "";
        QTest::newRow("credit, neither read nor typed") << 3 << "[29;30]" << KAVEXSIM_RESTRICTED << "";
        QTest::newRow("cheque") << 1 << "[10]" << KAVEXSIM_RESTRICTED << "";
        QTest::newRow("administration without card cancellation")
            << 110 << "[40]" << 10000 << "1:Teste de Comunicação;2:Reimpressão do Último Comprovante;4:Consulta CDC;";
        QTest::newRow("cancellation code under the same restriction") << 200 << "[40]" << KAVEXSIM_RESTRICTED << "";
        QTest::newRow("function menu without cheque and credit")
            << 0 << "10,25" << 10000 << "2:Débito;4:Funções Administrativas;";
        QTest::newRow("bills without bill payment") << -1 << "[50]" << 10000 << "2:Pagamento de Benefício;";
        QTest::newRow("bills without either service") << -1 << "[50;53]" << KAVEXSIM_RESTRICTED << "";
        QTest::newRow("a code that is no number") << 2 << "[15;x]" << KAVEXSIM_BAD_RESTRICTIONS << "";
    }

    void restrictions() {
        QFETCH(int, funcao);
        QFETCH(QString, restricoes);
        QFETCH(int, resultado);
        QFETCH(QString, menu);
        const QByteArray r = restricoes.toLatin1();
        const int32_t inicio =
            funcao < 0 ? m_sim.SIMC(CorrespondenteBancarioKavexInterativo)(kCupom, kData, kHora, "Opx", r.constData())
                       : m_sim.inicia(funcao, "10,00", r.constData());
        QCOMPARE(inicio, resultado);
        if (resultado != KAVEX_CONTINUA_INTERATIVO)
            return;
        while (m_sim.continua() == KAVEX_CONTINUA_INTERATIVO && m_sim.comando != 21) {
        }
        QCOMPARE(QString::fromLatin1(m_sim.buffer()), menu);
    }

    void startArgumentsAreChecked_data() {
        QTest::addColumn<int>("funcao");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("hora");
        QTest::addColumn<int>("resultado");
        QTest::newRow("seven-digit date") << 2 << "10,00"
                                          << "2026011" << kHora << KAVEXSIM_BAD_DATE_TIME;
        QTest::newRow("no such day") << 2 << "10,00"
                                     << "20260230" << kHora << KAVEXSIM_BAD_DATE_TIME;
        QTest::newRow("four-digit time") << 2 << "10,00" << kData << "0930" << KAVEXSIM_BAD_DATE_TIME;
        QTest::newRow("hour 24") << 2 << "10,00" << kData << "240000" << KAVEXSIM_BAD_DATE_TIME;
        QTest::newRow("letters for a value") << 2 << "dez" << kData << kHora << KAVEXSIM_BAD_AMOUNT;
        QTest::newRow("three decimals") << 3 << "1,000" << kData << kHora << KAVEXSIM_BAD_AMOUNT;
        QTest::newRow("misplaced thousands dot") << 1 << "12.34,00" << kData << kHora << KAVEXSIM_BAD_AMOUNT;
        QTest::newRow("zero sale") << 2 << "0,00" << kData << kHora << KAVEXSIM_BAD_AMOUNT;
        QTest::newRow("thousands dots") << 2 << "1.234,56" << kData << kHora << 10000;
        QTest::newRow("administration needs no value") << 110 << "" << kData << kHora << 10000;
        QTest::newRow("unknown function code") << 999 << "10,00" << kData << kHora << KAVEXSIM_NOT_AVAILABLE;
    }

    void startArgumentsAreChecked() {
        QFETCH(int, funcao);
        QFETCH(QString, valor);
        QFETCH(QString, data);
        QFETCH(QString, hora);
        QFETCH(int, resultado);
        QCOMPARE(m_sim.SIMC(IniciaFuncaoKavexInterativo)(funcao, valor.toLatin1().constData(), kCupom,
                                                         data.toLatin1().constData(), hora.toLatin1().constData(),
                                                         "Opx", "[]"),
                 resultado);
    }

    void selfServiceListIsChecked_data() {
        QTest::addColumn<QString>("lista");
        QTest::addColumn<int>("resultado");
        QTest::newRow("two products") << "[ARROZ;123;2;10,00];[FEIJAO;77;1;5,50]" << 10000;
        QTest::newRow("empty") << "" << KAVEXSIM_BAD_PRODUCT_LIST;
        QTest::newRow("three fields") << "[ARROZ;123;2]" << KAVEXSIM_BAD_PRODUCT_LIST;
        QTest::newRow("quantity zero") << "[ARROZ;123;0;10,00]" << KAVEXSIM_BAD_PRODUCT_LIST;
        QTest::newRow("value not an amount") << "[ARROZ;123;1;dez]" << KAVEXSIM_BAD_PRODUCT_LIST;
        QTest::newRow("trailing separator") << "[ARROZ;123;1;1,00];" << KAVEXSIM_BAD_PRODUCT_LIST;
    }

    void selfServiceListIsChecked() {
        QFETCH(QString, lista);
        QFETCH(int, resultado);
        QCOMPARE(m_sim.SIMC(IniciaFuncaoAAKavexInterativo)(2, "10,00", kCupom, kData, kHora, "Opx", "[]",
                                                           lista.toLatin1().constData()),
                 resultado);
    }

    void beforeConfigurationEverythingIsRefused() {
        m_sim.SIMC(ConfiguraIntKavexInterativo)("", "1", "2", 0);
        QCOMPARE(m_sim.inicia(2), KAVEXSIM_NOT_CONFIGURED);
        QCOMPARE(m_sim.SIMC(VerificaPresencaPinPad)(), KAVEXSIM_NOT_CONFIGURED);
        QCOMPARE(m_sim.SIMC(FinalizaTransacaoKavexInterativo)(1, kCupom, kData, kHora), KAVEXSIM_NOT_CONFIGURED);
        QCOMPARE(m_sim.continua(), KAVEXSIM_NOT_CONFIGURED);
        // The bar-code check is a pure check: it needs no configuration.
        int16_t tipo = -1;
        QCOMPARE(m_sim.SIMC(ValidaCampoCodigoEmBarras)("8", &tipo), int16_t(0));
        QCOMPARE(tipo, int16_t(0));
    }

    void pendingUntilNamedByAFinishingCall() {
        QCOMPARE(m_sim.inicia(2), KAVEX_CONTINUA_INTERATIVO);
        m_sim.roda({"1"});
        QVERIFY(m_sim.textos.at(m_sim.textos.size() - 3).contains("NSU "));
        const QString nsu = m_sim.textos.last().section(' ', -1);
        auto finaliza = m_sim.SIMC(FinalizaTransacaoKavexInterativo);
        QCOMPARE(finaliza(1, "99999", kData, kHora), KAVEXSIM_PENDING_MISMATCH);
        QCOMPARE(finaliza(1, kCupom, "20260111", kHora), KAVEXSIM_PENDING_MISMATCH);
        QCOMPARE(finaliza(1, kCupom, kData, "99"), KAVEXSIM_BAD_DATE_TIME);
        // The time is not part of the name: a manual confirmation sends the current one.
        QCOMPARE(finaliza(1, kCupom, kData, "101500"), KAVEXSIM_OK);
        QCOMPARE(finaliza(1, kCupom, kData, kHora), KAVEXSIM_NO_PENDING);

        // The confirmed sale can be cancelled once (1000 picks the last one), with its value.
        QCOMPARE(m_sim.inicia(200), KAVEX_CONTINUA_INTERATIVO);
        QCOMPARE(m_sim.roda({"@1000:", "10,01", "10,00"}), "12 4 30 30 22 30 " + cartao() + " " + aprovada());
        QVERIFY(m_sim.textos.at(m_sim.textos.size() - 3).contains("NSU CANCELADO " + nsu));
        QCOMPARE(m_sim.SIMC(FinalizaFuncaoKavexInterativo)(1, kCupom, kData, kHora, "PARAMS"), KAVEXSIM_OK);
        QCOMPARE(m_sim.inicia(200), KAVEX_CONTINUA_INTERATIVO);
        QCOMPARE(m_sim.roda({nsu, "@-1"}), "12 4 30 22 30 1 =-7");
    }

    void newStartUndoesThePendingTransactionFirst() {
        QCOMPARE(m_sim.inicia(2), KAVEX_CONTINUA_INTERATIVO);
        m_sim.roda({"1"});
        const QString nsu = m_sim.textos.last().section(' ', -1);
        QCOMPARE(m_sim.inicia(110), KAVEX_CONTINUA_INTERATIVO);
        QCOMPARE(m_sim.roda({"1"}), "1 12 4 21 3 =0");
        QCOMPARE(m_sim.textos.first(), QString::fromUtf8("TRANSAÇÃO PENDENTE NSU %1 FOI DESFEITA").arg(nsu));
        QCOMPARE(m_sim.SIMC(FinalizaTransacaoKavexInterativo)(1, kCupom, kData, kHora), KAVEXSIM_NO_PENDING);
    }

    void identifiedFinishingNamesFunctionAndNumber() {
        QCOMPARE(m_sim.inicia(3), KAVEX_CONTINUA_INTERATIVO);
        m_sim.roda({"1", "", "0"});
        const QString nsu = m_sim.textos.last().section(' ', -1);
        auto identificada = m_sim.SIMC(FinalizaTransacaoIdentificadaKavex);
        QCOMPARE(identificada(2, 1, kCupom, kData, kHora, nsu.toLatin1().constData()), KAVEXSIM_PENDING_MISMATCH);
        QCOMPARE(identificada(3, 1, kCupom, kData, kHora, "ABC"), KAVEXSIM_PENDING_MISMATCH);
        // Leading zeros do not matter; the reprint then shows the confirmed receipt.
        QCOMPARE(identificada(3, 1, kCupom, kData, kHora, QByteArray::number(nsu.toInt()).constData()), KAVEXSIM_OK);
        QCOMPARE(m_sim.inicia(114), KAVEX_CONTINUA_INTERATIVO);
        QCOMPARE(m_sim.roda({}), "12 4 0/121 0/122 =0");
        QVERIFY(m_sim.textos.at(2).startsWith("REIMPRESS"));
        QVERIFY(m_sim.textos.at(2).contains("NSU " + nsu));
    }

    void receiptsCarryValueDateTimeAndNumber() {
        QCOMPARE(m_sim.inicia(2, "1.234,5"), KAVEX_CONTINUA_INTERATIVO);
        m_sim.roda({"1"});
        const QString loja = m_sim.textos.at(m_sim.textos.size() - 3);
        const QString cliente = m_sim.textos.at(m_sim.textos.size() - 2);
        for (const QString& via : {loja, cliente}) {
            QVERIFY2(via.contains("VALOR R$ 1.234,50"), qPrintable(via));
            QVERIFY(via.contains("DATA 10/01/2026  HORA 09:30:00"));
            QVERIFY(via.contains("CUPOM 12345"));
            QVERIFY(via.contains("************1111"));
        }
        QVERIFY(loja.contains("VIA ESTABELECIMENTO"));
        QVERIFY(cliente.contains("VIA CLIENTE"));
    }

    void pinpadFunctions_data() {
        QTest::addColumn<QString>("funcao");
        QTest::addColumn<QStringList>("respostas");
        QTest::addColumn<QString>("rastro");
        QTest::newRow("card read") << "LeCartaoInterativo" << QStringList{} << cartao() + " =0";
        QTest::newRow("card read cancelled") << "LeCartaoInterativo" << QStringList{"!-1"} << "23 1 =-7";
        QTest::newRow("track 3") << "LeTrilha3" << QStringList{} << espera() + " 11 1 =0";
        QTest::newRow("PIN") << "LeSenhaInterativo" << QStringList{} << senha() + " =0";
    }

    void pinpadFunctions() {
        QFETCH(QString, funcao);
        QFETCH(QStringList, respostas);
        QFETCH(QString, rastro);
        auto f = m_sim.fn<int32_t(const char*)>(funcao.toLatin1().constData());
        QCOMPARE(f(" "), KAVEX_CONTINUA_INTERATIVO);
        QCOMPARE(m_sim.roda(respostas), rastro);
    }

    void directPinpadFunctions() {
        QCOMPARE(m_sim.SIMC(VerificaPresencaPinPad)(), 1);
        QCOMPARE(m_sim.SIMC(LeSimNaoPinPad)("CONFIRMA?"), 1);
        QCOMPARE(m_sim.SIMC(EscreveMensagemPermanentePinPad)("BEM-VINDO"), KAVEXSIM_OK);
        QCOMPARE(m_sim.SIMC(InterrompeLeCartaoDireto)(), KAVEXSIM_OK);

        char t1[KAVEX_TAM_TRILHA1 + 4], t2[KAVEX_TAM_TRILHA2 + 4], pin[KAVEX_TAM_SENHA + 4];
        std::memset(t1, 'X', sizeof t1);
        std::memset(t2, 'X', sizeof t2);
        QCOMPARE(m_sim.SIMC(LeCartaoDireto)("PASSE", t1, t2), KAVEXSIM_OK);
        QVERIFY(QByteArray(t2).startsWith("4111111111111111="));
        QVERIFY(QByteArray(t1).contains("^CARTAO DE TESTE"));
        QCOMPARE(t1[KAVEX_TAM_TRILHA1], 'X');
        QCOMPARE(m_sim.SIMC(LeCartaoDiretoEx)("PASSE", t1, t2, 30, 1), KAVEXSIM_NO_CARD);
        QCOMPARE(m_sim.SIMC(LeCartaoDiretoEx)("PASSE", t1, t2, 30, 0), KAVEXSIM_OK);

        std::memset(pin, 'X', sizeof pin);
        QCOMPARE(m_sim.SIMC(LeSenhaDireto)("WK", pin), KAVEXSIM_OK);
        QCOMPARE(QByteArray(pin), QByteArray("8C3E1F2A9B7D4E60"));
        QCOMPARE(pin[KAVEX_TAM_SENHA], 'X');
    }

    void pbmConsultation() {
        auto pbm = m_sim.SIMC(IniciaFuncaoKavexInterativoConsultaPBM);
        char autorizacao[KAVEX_TAM_COD_AUTORIZACAO] = "998877";
        QCOMPARE(pbm(autorizacao, "1", kCupom, kData, kHora, "Opx", ""), KAVEX_CONTINUA_INTERATIVO);
        QString todos = "1 0/1020 0/1021 0/1022 0/1010";
        for (int i = 0; i < 3; ++i)
            todos += " 0/1011 0/1012 0/1013 0/1014 0/1015 0/1016 0/1017 0/1018 0/1019";
        QCOMPARE(m_sim.roda({}), todos + " =0");
        QCOMPARE(m_sim.textos.at(4), QString("3"));
        QCOMPARE(m_sim.textos.at(6), QString("100001"));

        // Product by product: the opening gives the count, each product its items.
        QCOMPARE(pbm(autorizacao, "0", kCupom, kData, kHora, "Opx", ""), KAVEX_CONTINUA_INTERATIVO);
        QCOMPARE(m_sim.roda({}), "1 0/1020 0/1021 0/1022 0/1010 =0");
        QCOMPARE(pbm(autorizacao, "100002", kCupom, kData, kHora, "Opx", ""), KAVEX_CONTINUA_INTERATIVO);
        QCOMPARE(m_sim.roda({}), "1 0/1011 0/1012 0/1013 0/1014 0/1015 0/1016 0/1017 0/1018 0/1019 =0");
        QCOMPARE(m_sim.textos.at(4), QString("24,50"));
        QCOMPARE(pbm(autorizacao, "999999", kCupom, kData, kHora, "Opx", ""), KAVEXSIM_UNKNOWN_PRODUCT);
        char vazia[KAVEX_TAM_COD_AUTORIZACAO] = "";
        QCOMPARE(pbm(vazia, "1", kCupom, kData, kHora, "Opx", ""), KAVEXSIM_BAD_AUTHORIZATION);
        QCOMPARE(pbm(autorizacao, "1", kCupom, "2026", kHora, "Opx", ""), KAVEXSIM_BAD_DATE_TIME);
    }

    void vidalinkConsultation() {
        auto consulta = m_sim.SIMC(IniciaFuncaoKavexInterativoConsultaVidalink);
        // A product step needs an opening product by product with the same authorisation.
        QCOMPARE(consulta("123", "100001", kCupom, kData, kHora, "Opx"), KAVEXSIM_BAD_AUTHORIZATION);
        QCOMPARE(consulta("123", "0", kCupom, kData, kHora, "Opx"), KAVEX_CONTINUA_INTERATIVO);
        QCOMPARE(m_sim.roda({}), "1 0/1010 =0");
        QCOMPARE(consulta("124", "100001", kCupom, kData, kHora, "Opx"), KAVEXSIM_BAD_AUTHORIZATION);
        QCOMPARE(consulta("123", "100099", kCupom, kData, kHora, "Opx"), KAVEXSIM_UNKNOWN_PRODUCT);
        QCOMPARE(consulta("123", "100003", kCupom, kData, kHora, "Opx"), KAVEX_CONTINUA_INTERATIVO);
        QCOMPARE(m_sim.roda({}).count("0/10"), 9);
        QCOMPARE(consulta("123", "1", kCupom, kData, kHora, "Opx"), KAVEX_CONTINUA_INTERATIVO);
        QCOMPARE(m_sim.roda({}).count("0/1012"), 3);
        QCOMPARE(consulta("123", "100003", kCupom, kData, kHora, "Opx"), KAVEXSIM_BAD_AUTHORIZATION);
    }

    void vidalinkSaleAndCancellation() {
        auto informa = m_sim.SIMC(InformaProdutoVendaVidalink);
        auto venda = m_sim.SIMC(IniciaFuncaoKavexInterativoVendaVidalink);
        QCOMPARE(informa(1, "777777", 1, "10,00"), KAVEXSIM_UNKNOWN_PRODUCT);
        QCOMPARE(informa(1, "100002", 2, "10,00"), KAVEXSIM_BAD_QUANTITY);
        QCOMPARE(informa(1, "100001", 2, "dez"), KAVEXSIM_BAD_AMOUNT);
        QCOMPARE(informa(2, "100001", 2, "37,80"), KAVEXSIM_PRODUCTS_MISMATCH);
        QCOMPARE(informa(1, "100001", 2, "37,80"), KAVEXSIM_OK);
        QCOMPARE(informa(2, "100003", 1, "9,90"), KAVEXSIM_OK);
        QCOMPARE(venda("12345", 3, "54321", kData, kHora, "Opx"), KAVEXSIM_PRODUCTS_MISMATCH);
        QCOMPARE(venda("12345", 2, "54321", kData, kHora, "Opx"), KAVEX_CONTINUA_INTERATIVO);
        QCOMPARE(m_sim.roda({}), "4 " + aprovada());
        QVERIFY(m_sim.textos.at(3).contains("VALOR R$ 47,70"));
        QCOMPARE(m_sim.SIMC(FinalizaTransacaoKavexInterativo)(1, "54321", kData, kHora), KAVEXSIM_OK);
        // The products were used by that start.
        QCOMPARE(venda("12345", 2, "54321", kData, kHora, "Opx"), KAVEXSIM_PRODUCTS_MISMATCH);

        auto produto = m_sim.SIMC(InformaProdutoCancelamentoVidalink);
        auto cancela = m_sim.SIMC(IniciaFuncaoKavexInterativoCancelamentoVidalink);
        QCOMPARE(produto(1, "100001", 5), KAVEXSIM_BAD_QUANTITY); // the window's refused-product path
        QCOMPARE(produto(1, "100001", 1), KAVEXSIM_OK);
        QCOMPARE(cancela(0, 2, "54321", kData, "1", "SW000001", "", kData, kHora, "Opx"), KAVEXSIM_PRODUCTS_MISMATCH);
        QCOMPARE(cancela(0, 1, "54321", "2026", "1", "SW000001", "", kData, kHora, "Opx"), KAVEXSIM_BAD_DATE_TIME);
        QCOMPARE(cancela(0, 1, "54321", kData, "1", "SW000001", kCupom, kData, kHora, "Opx"),
                 KAVEX_CONTINUA_INTERATIVO);
        QCOMPARE(m_sim.roda({}), "4 0/1023 0/1024 0/1025 0/1026 " + aprovada());
        QCOMPARE(m_sim.textos.mid(1, 4), (QStringList{kData, "54321", "100001", "1"}));
        QCOMPARE(cancela(1, 3, "54321", kData, "1", "SW000001", kCupom, kData, kHora, "Opx"),
                 KAVEX_CONTINUA_INTERATIVO);
        QCOMPARE(m_sim.roda({}).left(18), QString("1 4 0/1023 0/1024 ")); // the partial one was still pending
    }

    void directTransactionRepliesAsAHost() {
        auto direta = m_sim.SIMC(EnviaRecebeKavexDireto);
        char resposta[64 + 4];
        std::memset(resposta, 'X', sizeof resposta);
        int16_t codigo = -1;
        const char envio[] = "ABC\0\0"
                             "1\x04"
                             "2";
        QCOMPARE(direta(20, 7, 0, envio, 8, resposta, 64, &codigo, 30, kCupom, kData, kHora, "Teste", 0), 63);
        QCOMPARE(codigo, int16_t(0));
        QCOMPARE(QByteArray(resposta),
                 QByteArray("0210;REDE=20;FUNCAO=7;DATA=20260110;HORA=093000;CAMPOS=3;BYTES=")); // cut at 63
        QCOMPARE(resposta[64], 'X');

        char grande[KAVEX_TAM_RESPOSTA_DIRETA];
        const auto envia = [&](int16_t rede, int16_t funcao, int16_t tipo) {
            const int32_t r = direta(rede, funcao, 0, envio, 8, grande, KAVEX_TAM_RESPOSTA_DIRETA, &codigo, 30, kCupom,
                                     kData, kHora, "", tipo);
            return r < 0 || r == KAVEXSIM_NETWORK_NOT_DIRECT ? QString::number(r) : QString::fromLatin1(grande);
        };
        const QString aprovada = envia(20, 7, 0);
        QVERIFY(QRegularExpression(";RESP=00;NSU=\\d{6};AUT=\\d{6};TRANSACAO APROVADA$").match(aprovada).hasMatch());
        QVERIFY(!aprovada.contains("ABC")); // an answer, not an echo
        QCOMPARE(envia(20, 7, 0).section(";AUT=", 1), aprovada.section(";AUT=", 1));
        QVERIFY(envia(20, 0, 0).endsWith(";RESP=12;FUNCAO INVALIDA"));
        QCOMPARE(codigo, int16_t(12));
        QCOMPARE(envia(1, 7, 0), QString::number(KAVEXSIM_NETWORK_NOT_DIRECT));
        QCOMPARE(direta(20, 7, 0, envio, 8, resposta, 0, &codigo, 30, "", "", "", "", 0), 0);

        // "With undo" leaves the transaction to be undone through network 99, once.
        QVERIFY(envia(99, 7, 0).endsWith(";RESP=25;NAO HA TRANSACAO A DESFAZER"));
        const QString comDesfazimento = envia(20, 7, 1);
        QVERIFY(comDesfazimento.endsWith(";DESFAZIMENTO PENDENTE"));
        const QString nsu = comDesfazimento.section(";NSU=", 1).left(6);
        QVERIFY(envia(99, 7, 0).endsWith(";RESP=00;NSU=" + nsu + ";TRANSACAO DESFEITA"));
        QCOMPARE(codigo, int16_t(0));
        QVERIFY(envia(99, 7, 0).endsWith(";RESP=25;NAO HA TRANSACAO A DESFAZER"));
        QCOMPARE(codigo, int16_t(25));
    }

    // Whatever the console answers, each function ends with a known code and
    // no write leaves the caller's buffer.
    void randomAnswersKeepEveryFlowBounded() {
        QRandomGenerator aleatorio(20260110);
        const QByteArrayList respostas = {"",
                                          "1",
                                          "2",
                                          "3",
                                          "4",
                                          "9",
                                          "0",
                                          "10,00",
                                          "abc",
                                          "15022026",
                                          "4111111111111111",
                                          "1:<00109773<0188500045>701000616977>",
                                          "0:01800109773000006169748500045",
                                          "0:" + QByteArray(60, '9')};
        const int32_t continuacoes[] = {0, 0, 0, 0, 1, 1000, -1};
        const QSet<int32_t> finais = {KAVEXSIM_OK, KAVEXSIM_CANCELLED};
        for (int32_t funcao : {0, 1, 2, 3, 110, 200, 310}) {
            for (int rodada = 0; rodada < 20; ++rodada) {
                QCOMPARE(m_sim.inicia(funcao), KAVEX_CONTINUA_INTERATIVO);
                char buffer[40 + 8];
                int32_t r = KAVEX_CONTINUA_INTERATIVO;
                for (int passo = 0; passo < 200 && r == KAVEX_CONTINUA_INTERATIVO; ++passo) {
                    std::memset(buffer, 'G', sizeof buffer);
                    const QByteArray& resposta = respostas[aleatorio.bounded(int(respostas.size()))];
                    const QByteArray cabe = resposta.left(39);
                    std::memcpy(buffer, cabe.constData(), std::size_t(cabe.size()) + 1);
                    r = m_sim.SIMC(ContinuaFuncaoKavexInterativo)(&m_sim.comando, &m_sim.tipo, &m_sim.minimo,
                                                                  &m_sim.maximo, buffer, 40,
                                                                  continuacoes[aleatorio.bounded(7)]);
                    QVERIFY(std::memchr(buffer, 0, 40) != nullptr);
                    for (std::size_t i = 40; i < sizeof buffer; ++i)
                        QCOMPARE(buffer[i], 'G');
                }
                QVERIFY2(r == KAVEX_CONTINUA_INTERATIVO || finais.contains(r), qPrintable(QString::number(r)));
                m_sim.limpa();
            }
        }
    }

    void loopOutputStaysWithinTheCallersSize() {
        QCOMPARE(m_sim.inicia(110), KAVEX_CONTINUA_INTERATIVO);
        char pequeno[8 + 4];
        std::memset(pequeno, 'X', sizeof pequeno);
        int32_t c = 0, t = 0;
        int16_t mn = 0, mx = 0;
        auto continua = m_sim.SIMC(ContinuaFuncaoKavexInterativo);
        QCOMPARE(continua(&c, &t, &mn, &mx, pequeno, 1, 0), KAVEX_CONTINUA_INTERATIVO); // command 12
        QCOMPARE(continua(&c, &t, &mn, &mx, pequeno, 8, 0), KAVEX_CONTINUA_INTERATIVO); // heading, cut
        QCOMPARE(QByteArray(pequeno), QByteArray("FUN\xC7\xD5"
                                                 "ES"));
        QCOMPARE(pequeno[8], 'X');
        QCOMPARE(continua(nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0), KAVEX_CONTINUA_INTERATIVO);
        QCOMPARE(continua(&c, &t, &mn, &mx, nullptr, 0, -1), KAVEX_CONTINUA_INTERATIVO);
        QCOMPARE(continua(&c, &t, &mn, &mx, pequeno, 8, 0), KAVEXSIM_CANCELLED);
        QCOMPARE(continua(&c, &t, &mn, &mx, pequeno, 8, 0), KAVEXSIM_NO_FUNCTION);
    }
};

QTEST_GUILESS_MAIN(TstSimulatorFluxos)
#include "tst_simulator_fluxos.moc"
