// The other-transactions visit below the windows: how many command-loop runs
// follow the menu's choice, the Vidalink consultation's steps and rounds, and
// the PBM consultation's starts, product by product.

#include "nucleo/OperadorRoteiro.h"
#include "nucleo/Simulador.h"

#include "core/EstadoConsole.h"
#include "fluxos/OutrasTransacoes.h"
#include "platform/Clock.h"

#include <deque>

using nlohmann::json;

namespace {

struct Caso {
    QString cupomFiscal;
    QStringList respostas;
    json roteiro;               // the simulator's scripted answers
    std::vector<int32_t> lacos; // the Retorno each loop run ends with
    QStringList eventos;
    json chamadas; // every call the visit made
};

json pbm(const char* codigo, const char* consulta, const char* cupom = "12345") {
    return harness::call("IniciaFuncaoKavexInterativoConsultaPBM",
                         {codigo, consulta, cupom, "20240102", "101112", "Opx", ""});
}

json vidalink(const char* produto) {
    return harness::call("IniciaFuncaoKavexInterativoConsultaVidalink",
                         {"A1", produto, "12345", "20240102", "101112", "Opx"});
}

} // namespace

Q_DECLARE_METATYPE(Caso)

class TstFluxosOutras : public QObject {
    Q_OBJECT
private slots:
    void init() { platform::clock::setFixed(QDateTime(QDate(2024, 1, 2), QTime(10, 11, 12))); }
    void cleanup() { platform::clock::clearFixed(); }
    void visits_data();
    void visits();
};

void TstFluxosOutras::visits_data() {
    QTest::addColumn<Caso>("caso");
    const QString menu = "menuOutras", autor = "codigo:Código de Autorização:", produto = "codigo:Código do Produto:";
    const QString umAUm = "pergunta:Consulta PBM|Consulta Produto a Produto ?";
    const QString mais = "pergunta:Consulta PBM|Existem mais produtos a serem consultados ?";
    const QString cons = "consultaVidalink", iniciou = "resultado:10000";
    const char* const P = "IniciaFuncaoKavexInterativoConsultaPBM";
    const char* const V = "IniciaFuncaoKavexInterativoConsultaVidalink";
    const json nada = json::array();
    // clang-format off
    const std::pair<const char*, Caso> casos[] = {
        {"menu left without a choice", {"1", {""}, json::object(), {}, {menu}, nada}},
        {"sale started", {"1", {"Venda#10000"}, json::object(), {0}, {menu}, nada}},
        {"cancellation started", {"1", {"Cancelamento#10000"}, json::object(), {0}, {menu}, nada}},
        {"sale window closed before its start", {"1", {"Venda#"}, json::object(), {}, {menu}, nada}},
        {"cancellation refused by the library", {"1", {"Cancelamento#-5"}, json::object(), {}, {menu}, nada}},
        {"consultation: authorisation, two products, last one", {"1", {"Consulta#A1", "P1#2", "P2#2"},
            {{V, {10000, 10000, 10000}}}, {0, 0, 0}, {menu, iniciou, cons, iniciou, cons, iniciou},
            {vidalink("0"), vidalink("P1"), vidalink("P2")}}},
        {"consultation: all products", {"1", {"Consulta#A1#T"}, {{V, {10000}}}, {0}, {menu, iniciou},
            {vidalink("1")}}},
        {"consultation: window closed before the authorisation", {"1", {"Consulta#"}, json::object(), {}, {menu},
            nada}},
        {"consultation: authorisation refused", {"1", {"Consulta#A1"}, {{V, {-11}}}, {}, {menu, "resultado:-11"},
            {vidalink("0")}}},
        {"consultation: product window ended", {"1", {"Consulta#A1", ""}, {{V, {10000}}}, {0},
            {menu, iniciou, cons}, {vidalink("0")}}},
        {"consultation: product refused ends it", {"1", {"Consulta#A1", "P1#3"}, {{V, {10000, -12}}}, {0},
            {menu, iniciou, cons, "resultado:-12"}, {vidalink("0"), vidalink("P1")}}},
        {"consultation: all products chosen in a product step", {"1", {"Consulta#A1", "P1#"},
            {{V, {10000, 10000}}}, {0, 0}, {menu, iniciou, cons, iniciou}, {vidalink("0"), vidalink("P1")}}},
        {"consultation: loop ends with an error", {"1", {"Consulta#A1"}, {{V, {10000}}}, {-7}, {menu, iniciou},
            {vidalink("0")}}},
        {"PBM refused authorisation shows its result", {"", {"PBM", "A1", "Sim"}, {{P, {-11}}}, {},
            {menu, autor, umAUm, "escreveCupom:12345", "resultado:-11"}, {pbm("A1", "0")}}},
        {"PBM single consultation", {"9", {"PBM", "A1", "Não"}, {{P, {10000}}}, {0},
            {menu, autor, umAUm}, {pbm("A1", "1", "9")}}},
        {"PBM product by product, two products", {"9", {"PBM", "A1", "Sim", "P1", "Sim", "P2", "Não"},
            {{P, {10000, 10000, 10000}}}, {0, 0, 0},
            {menu, autor, umAUm, produto, mais, produto, mais},
            {pbm("A1", "0", "9"), pbm("A1", "P1", "9"), pbm("A1", "P2", "9")}}},
        {"PBM unknown product shows its result and ends", {"9", {"PBM", "A1", "Sim", "P1"},
            {{P, {10000, -12}}}, {0}, {menu, autor, umAUm, produto, "resultado:-12"},
            {pbm("A1", "0", "9"), pbm("A1", "P1", "9")}}},
        {"PBM product loop ends with an error", {"9", {"PBM", "A1", "Sim", "P1"}, {{P, {10000, 10000}}}, {0, -3},
            {menu, autor, umAUm, produto}, {pbm("A1", "0", "9"), pbm("A1", "P1", "9")}}},
        {"PBM first loop ends with an error", {"9", {"PBM", "A1", "Sim"}, {{P, {10000}}}, {-3},
            {menu, autor, umAUm}, {pbm("A1", "0", "9")}}},
    };
    // clang-format on
    for (const auto& [nome, caso] : casos) {
        QTest::newRow(nome) << caso;
    }
}

void TstFluxosOutras::visits() {
    QFETCH(Caso, caso);
    harness::Simulator sim;
    QVERIFY(sim.ok());
    sim.script(caso.roteiro);
    EstadoConsole estado;
    estado.Retorno = 0;
    harness::OperadorRoteiro operador(caso.respostas);
    std::deque<int32_t> fins(caso.lacos.begin(), caso.lacos.end());
    int lacos = 0;
    // Only a consultation's loop shows its consultation screen as Vidalink's.
    const bool consulta = caso.respostas.front().startsWith(u"Consulta");
    fluxos::OutrasTransacoes outras(estado, sim.library(), operador, [&](bool consultaVidalink) {
        ++lacos;
        QCOMPARE(consultaVidalink, consulta);
        if (fins.empty()) {
            throw harness::SemResposta(QStringLiteral("command-loop run %1").arg(lacos));
        }
        estado.Retorno = fins.front();
        fins.pop_front();
    });
    KAVEX_ROTEIRO(outras.visita(caso.cupomFiscal));

    QCOMPARE(operador.eventos, caso.eventos);
    QCOMPARE(lacos, int(caso.lacos.size()));
    KAVEX_COMPARE_JSON(sim.callsMade(), caso.chamadas);
    QVERIFY(operador.respostas.empty());
}

QTEST_GUILESS_MAIN(TstFluxosOutras)
#include "tst_fluxos_outras.moc"
