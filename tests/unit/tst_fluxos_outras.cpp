// The other-transactions visit below the windows: how many command-loop runs
// follow the menu's choice, the Vidalink consultation's rounds, and the PBM
// consultation's starts, product by product.

#include "nucleo/OperadorRoteiro.h"
#include "nucleo/Simulador.h"

#include "core/EstadoConsole.h"
#include "fluxos/OutrasTransacoes.h"
#include "platform/Clock.h"

#include <deque>

using nlohmann::json;

namespace {

// The Vidalink windows leave their flags in the shared state; an answer to
// the menu or to the consultation window says which ones it leaves set:
// "<choice>#<start result>#<flags>", with C the consultation chosen, I the
// consultation started, M more products, V a sale, X a cancellation.
class Operador final : public harness::OperadorRoteiro {
public:
    Operador(EstadoConsole& e, const QStringList& r) : OperadorRoteiro(r), estado(e) {}
    EstadoConsole& estado;

    Visita menuOutras() override {
        const QString bandeiras = proximas();
        estado.ConsVidalinkEscolhida = bandeiras.contains(u'C');
        estado.VendaVidalinkAtiva = bandeiras.contains(u'V');
        estado.CncVidalinkAtiva = bandeiras.contains(u'X');
        marca(bandeiras);
        return OperadorRoteiro::menuOutras();
    }
    std::optional<int32_t> consultaVidalink() override {
        marca(proximas());
        return OperadorRoteiro::consultaVidalink();
    }

private:
    QString proximas() const { return respostas.empty() ? QString() : respostas.front().section(u'#', 2); }
    void marca(const QString& bandeiras) {
        estado.ConsultaIniciada = bandeiras.contains(u'I');
        estado.ConsultaMaisProdutos = bandeiras.contains(u'M');
    }
};

struct Caso {
    QString cupomFiscal;
    QStringList respostas;
    json roteiro;               // the simulator's scripted answers
    std::vector<int32_t> lacos; // the Retorno each loop run ends with
    QStringList eventos;
    json inicios; // the arguments of each PBM start
};

json pbm(const char* codigo, const char* consulta, const char* cupom = "12345") {
    return {codigo, consulta, cupom, "20240102", "101112", "Opx", ""};
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
    const QString pbmMenu = "menuOutras",
                  autor = "codigo:Código de Autorização:", produto = "codigo:Código do Produto:";
    const QString umAUm = "pergunta:Consulta PBM|Consulta Produto a Produto ?";
    const QString mais = "pergunta:Consulta PBM|Existem mais produtos a serem consultados ?";
    const QString cons = "consultaVidalink";
    const char* const P = "IniciaFuncaoKavexInterativoConsultaPBM";
    // clang-format off
    const std::pair<const char*, Caso> casos[] = {
        {"menu left without a choice", {"1", {""}, json::object(), {}, {pbmMenu}, json::array()}},
        {"sale started", {"1", {"Vidalink#10000#V"}, json::object(), {0}, {pbmMenu}, json::array()}},
        {"cancellation started", {"1", {"Vidalink#10000#X"}, json::object(), {0}, {pbmMenu}, json::array()}},
        {"sale window closed before its start", {"1", {"Vidalink##V"}, json::object(), {}, {pbmMenu},
            json::array()}},
        {"sale refused by the library", {"1", {"Vidalink#-5#V"}, json::object(), {}, {pbmMenu}, json::array()}},
        {"consultation: authorisation, two products, last one",
            {"1", {"Vidalink#10000#CIM", "#10000#IM", "#10000#I"}, json::object(), {0, 0, 0},
             {pbmMenu, cons, cons}, json::array()}},
        {"consultation: window closed before the authorisation", {"1", {"Vidalink##CM"}, json::object(), {},
            {pbmMenu}, json::array()}},
        {"consultation: product window closed without a start",
            {"1", {"Vidalink#10000#CIM", "##IM", "##"}, json::object(), {0}, {pbmMenu, cons, cons},
             json::array()}},
        {"consultation: loop ends with an error", {"1", {"Vidalink#10000#CIM"}, json::object(), {-7},
            {pbmMenu}, json::array()}},
        {"PBM refused authorisation shows its result", {"", {"PBM", "A1", "Sim"}, {{P, {-11}}}, {},
            {pbmMenu, autor, umAUm, "escreveCupom:12345", "resultado:-11"}, {pbm("A1", "0")}}},
        {"PBM single consultation", {"9", {"PBM", "A1", "Não"}, {{P, {10000}}}, {0},
            {pbmMenu, autor, umAUm}, {pbm("A1", "1", "9")}}},
        {"PBM product by product, two products", {"9", {"PBM", "A1", "Sim", "P1", "Sim", "P2", "Não"},
            {{P, {10000, 10000, 10000}}}, {0, 0, 0},
            {pbmMenu, autor, umAUm, produto, mais, produto, mais},
            {pbm("A1", "0", "9"), pbm("A1", "P1", "9"), pbm("A1", "P2", "9")}}},
        {"PBM unknown product shows its result and ends", {"9", {"PBM", "A1", "Sim", "P1"},
            {{P, {10000, -12}}}, {0}, {pbmMenu, autor, umAUm, produto, "resultado:-12"},
            {pbm("A1", "0", "9"), pbm("A1", "P1", "9")}}},
        {"PBM product loop ends with an error", {"9", {"PBM", "A1", "Sim", "P1"}, {{P, {10000, 10000}}}, {0, -3},
            {pbmMenu, autor, umAUm, produto}, {pbm("A1", "0", "9"), pbm("A1", "P1", "9")}}},
        {"PBM first loop ends with an error", {"9", {"PBM", "A1", "Sim"}, {{P, {10000}}}, {-3},
            {pbmMenu, autor, umAUm}, {pbm("A1", "0", "9")}}},
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
    Operador operador(estado, caso.respostas);
    std::deque<int32_t> fins(caso.lacos.begin(), caso.lacos.end());
    int lacos = 0;
    fluxos::OutrasTransacoes outras(estado, sim.library(), operador, [&] {
        ++lacos;
        if (fins.empty()) {
            throw harness::SemResposta(QStringLiteral("command-loop run %1").arg(lacos));
        }
        estado.Retorno = fins.front();
        fins.pop_front();
    });
    KAVEX_ROTEIRO(outras.visita(caso.cupomFiscal));

    QCOMPARE(operador.eventos, caso.eventos);
    QCOMPARE(lacos, int(caso.lacos.size()));
    json inicios = json::array();
    for (const json& c : sim.calls("IniciaFuncaoKavexInterativoConsultaPBM")) {
        inicios.push_back(c["args"]);
    }
    KAVEX_COMPARE_JSON(inicios, caso.inicios);
    QVERIFY(operador.respostas.empty());
}

QTEST_GUILESS_MAIN(TstFluxosOutras)
#include "tst_fluxos_outras.moc"
