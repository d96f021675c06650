// The flows the other-transaction windows call, below the windows: what the
// Vidalink sale and cancellation send for each product and at their start,
// with the library's answers; the configuration; the bar-code check.

#include "nucleo/FuncoesVidalink.h"
#include "nucleo/OperadorRoteiro.h"
#include "nucleo/Simulador.h"

#include "core/EstadoConsole.h"
#include "fluxos/CodigoBarras.h"
#include "fluxos/Configuracao.h"
#include "fluxos/Vidalink.h"
#include "platform/Clock.h"

using harness::call;
using nlohmann::json;

namespace {

// A product as the window gives it: code, quantity, value.
struct Produto {
    const char* codigo;
    int quantidade;
    const char* valor;
};

} // namespace

class TstFluxosVidalink : public QObject {
    Q_OBJECT
private slots:
    void init() { platform::clock::setFixed(QDateTime(QDate(2024, 1, 2), QTime(10, 11, 12))); }
    void cleanup() { platform::clock::clearFixed(); }

    // Every product goes out at once, numbered in order whatever the library
    // answered; the start sends the count and fills the empty fields.
    void sale_data() {
        QTest::addColumn<std::vector<Produto>>("produtos");
        QTest::addColumn<QStringList>("autorizacao"); // code, receipt as typed; as sent
        QTest::addColumn<json>("respostas");
        QTest::addColumn<json>("chamadas");
        QTest::addColumn<std::vector<int>>("resultados"); // each product's, then the start's
        QTest::newRow("one product, fields empty")
            << std::vector<Produto>{{"P1", 2, "1,50"}} << QStringList{"", "", "12345", "54321"}
            << json{{kInformaVenda, {0}}, {kVenda, {10000}}}
            << json{call(kInformaVenda, {1, "P1", 2, "1,50"}),
                    call(kVenda, {"12345", 1, "54321", "20240102", "101112", "Opx"})}
            << std::vector<int>{0, 10000};
        QTest::newRow("a refused product is not retried")
            << std::vector<Produto>{{"A", 1, "1"}, {"B", 2, "2"}, {"C", 3, "3"}} << QStringList{"AUT", "7", "AUT", "7"}
            << json{{kInformaVenda, {0, 12, 0}}, {kVenda, {-14}}}
            << json{call(kInformaVenda, {1, "A", 1, "1"}), call(kInformaVenda, {2, "B", 2, "2"}),
                    call(kInformaVenda, {3, "C", 3, "3"}), call(kVenda, {"AUT", 3, "7", "20240102", "101112", "Opx"})}
            << std::vector<int>{0, 12, 0, -14};
    }
    void sale() {
        QFETCH(std::vector<Produto>, produtos);
        QFETCH(QStringList, autorizacao);
        QFETCH(json, respostas);
        QFETCH(json, chamadas);
        QFETCH(std::vector<int>, resultados);
        harness::Simulator sim;
        QVERIFY(sim.ok());
        sim.script(respostas);
        EstadoConsole estado;
        fluxos::VendaVidalink venda(estado, sim.library());
        std::vector<int> vistos;
        for (const Produto& p : produtos) {
            vistos.push_back(venda.informaProduto(p.codigo, p.quantidade, p.valor));
        }
        fluxos::VendaVidalink::Autorizacao dados{autorizacao[0], autorizacao[1]};
        vistos.push_back(venda.inicia(dados));
        QCOMPARE(vistos, resultados);
        QCOMPARE((QStringList{dados.codigo, dados.cupomFiscal}), autorizacao.mid(2));
        KAVEX_COMPARE_JSON(sim.callsMade(), chamadas);
    }

    // Only an accepted product moves the index on; the start sends the type
    // and the non-fiscal receipt's default.
    void cancellation_data() {
        QTest::addColumn<std::vector<Produto>>("produtos");
        QTest::addColumn<bool>("total");
        QTest::addColumn<json>("respostas");
        QTest::addColumn<json>("chamadas");
        QTest::addColumn<QString>("aceitos"); // one letter a product: s accepted, n refused
        const json inicio = {"111", "20231130", "D9", "T1", "12345", "20240102", "101112", "Opx"};
        const auto cnc = [&](int tipo, int n) {
            json args = {tipo, n};
            args.insert(args.end(), inicio.begin(), inicio.end());
            return call(kCnc, args);
        };
        QTest::newRow("total, no products")
            << std::vector<Produto>{} << true << json{{kCnc, {10000}}} << json{cnc(1, 4)} << QString();
        QTest::newRow("partial, second refused once")
            << std::vector<Produto>{{"P1", 1, ""}, {"P2", 9, ""}, {"P2", 2, ""}} << false
            << json{{kInformaCnc, {0, 5, 0}}, {kCnc, {10000}}}
            << json{call(kInformaCnc, {1, "P1", 1}), call(kInformaCnc, {2, "P2", 9}), call(kInformaCnc, {2, "P2", 2}),
                    cnc(0, 4)}
            << QStringLiteral("sns");
    }
    void cancellation() {
        QFETCH(std::vector<Produto>, produtos);
        QFETCH(bool, total);
        QFETCH(json, respostas);
        QFETCH(json, chamadas);
        QFETCH(QString, aceitos);
        harness::Simulator sim;
        QVERIFY(sim.ok());
        sim.script(respostas);
        EstadoConsole estado;
        fluxos::CancelamentoVidalink cancelamento(estado, sim.library());
        QString vistos;
        for (const Produto& p : produtos) {
            vistos += cancelamento.informaProduto(p.codigo, p.quantidade) ? u's' : u'n';
        }
        QCOMPARE(vistos, aceitos);
        QCOMPARE(cancelamento.indice(), int(aceitos.count(u's')) + 1);
        fluxos::CancelamentoVidalink::Dados dados{total, 4, "111", "20231130", "D9", "T1", ""};
        QCOMPARE(cancelamento.inicia(dados), 10000);
        QCOMPARE(dados.cupomNaoFiscal, QStringLiteral("12345"));
        KAVEX_COMPARE_JSON(sim.callsMade(), chamadas);
    }

    // A configuration's result is the library's and is kept as Retorno; a
    // bar-code check answers the library's result.
    void singleCalls() {
        harness::Simulator sim;
        QVERIFY(sim.ok());
        sim.script({{"ConfiguraIntKavexInterativo", {-3}}, {"ValidaCampoCodigoEmBarras", {2}}});
        EstadoConsole estado;
        QCOMPARE(fluxos::configura({"ip", "E1", "T1"}, estado, sim.library()), -3);
        QCOMPARE(estado.Retorno, -3);
        int16_t tipo = 0;
        QCOMPARE(fluxos::validaCodigoBarras(sim.library(), QStringLiteral("00190"), tipo), int16_t(2));
        KAVEX_COMPARE_JSON(sim.callsMade(), (json{call("ConfiguraIntKavexInterativo", {"ip", "E1", "T1", 0}),
                                                  call("ValidaCampoCodigoEmBarras", {"00190", nullptr})}));
    }
};

QTEST_GUILESS_MAIN(TstFluxosVidalink)
#include "tst_fluxos_vidalink.moc"
