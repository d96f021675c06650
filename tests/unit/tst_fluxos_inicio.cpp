// The start below the windows: the main window's fields as they stand, the
// calls they lead to, and what the operator is shown or asked on the way.

#include "nucleo/OperadorRoteiro.h"
#include "nucleo/Simulador.h"

#include "core/EstadoConsole.h"
#include "fluxos/Inicio.h"
#include "platform/Clock.h"

using harness::call;
using nlohmann::json;

namespace {

struct Caso {
    fluxos::CamposInicio campos;
    QStringList respostas;
    json roteiro; // the simulator's scripted answers
    bool iniciou = true;
    QStringList eventos;
    json chamadas; // every call, in order
    int32_t retorno = 0;
    bool correspondente = false;
};

fluxos::CamposInicio campos(int tef, int cb, const QString& funcao, const QString& valor = {},
                            const QString& cupom = {}, const QString& hora = {}, const QString& restricoes = "[]",
                            int32_t pinpad = 0) {
    return {tef, cb, funcao, valor, cupom, hora, restricoes, pinpad};
}

} // namespace

Q_DECLARE_METATYPE(Caso)

class TstFluxosInicio : public QObject {
    Q_OBJECT
private slots:
    void init() { platform::clock::setFixed(QDateTime(QDate(2024, 1, 2), QTime(10, 11, 12))); }
    void cleanup() { platform::clock::clearFixed(); }
    void starts_data();
    void starts();
    void restrictionsFromTheTickedCodes();
};

void TstFluxosInicio::starts_data() {
    QTest::addColumn<Caso>("caso");
    const QString d = "20240102", h = "101112";
    const QStringList padroes{"escreveCupom:12345", "escreveValor:1,00"};
    const auto inicia = [&](int f, const char* valor, const char* cupom, const char* hora, const char* r) {
        return call("IniciaFuncaoKavexInterativo", {f, valor, cupom, "20240102", hora, "Opx", r});
    };
    using C = fluxos::CamposInicio;
    // clang-format off
    const std::pair<const char*, Caso> casos[] = {
        {"TEF, every field left empty", {campos(C::TEF, -1, ""), {}, {{"IniciaFuncaoKavexInterativo", {10000}}},
            true, padroes + QStringList{"escreveHora:" + h}, {inicia(0, "1,00", "12345", "101112", "[]")}, 10000}},
        {"TEF, fields typed", {campos(C::TEF, -1, "2", "5,00", "777", "090000", "[10;15]"), {},
            {{"IniciaFuncaoKavexInterativo", {-5}}}, true, {}, {inicia(2, "5,00", "777", "090000", "[10;15]")}, -5}},
        {"TEF, hexadecimal function", {campos(C::TEF, -1, "$1F", "2,00", "1", "080000"), {},
            {{"IniciaFuncaoKavexInterativo", {0}}}, true, {}, {inicia(31, "2,00", "1", "080000", "[]")}, 0}},
        {"function that is no number", {campos(C::TEF, -1, "1a"), {}, json::object(), false,
            padroes + QStringList{"erro:'1a' is not a valid integer value"}, json::array(), 0}},
        {"self-service with a product list", {campos(C::AutoAtendimento, -1, "3", "", "9"), {"P1;P2"},
            {{"IniciaFuncaoAAKavexInterativo", {10000}}}, true,
            {"escreveValor:1,00", "produtosAA", "escreveHora:" + h},
            {call("IniciaFuncaoAAKavexInterativo", {3, "1,00", "9", "20240102", "101112", "Opx", "[]", "P1;P2"})},
            10000}},
        {"self-service, list not given", {campos(C::AutoAtendimento, -1, "3", "1,00", "9", "101500"), {"#-1"},
            json::object(), true, {"produtosAA"}, json::array(), 0}},
        {"bank correspondent: no value", {campos(-1, C::CorrespondenteBancario, "", "", "", "", "[5]"), {},
            {{"CorrespondenteBancarioKavexInterativo", {10000}}}, true,
            {"escreveCupom:12345", "escreveHora:" + h},
            {call("CorrespondenteBancarioKavexInterativo", {"12345", "20240102", "101112", "Opx", "[5]"})},
            10000, true}},
        {"bar-code check: no start", {campos(-1, C::ValidaCodigoBarras, "", "", "1", "101500"), {}, json::object(),
            true, {"validaCodigoBarras"}, json::array(), 0}},
        {"pinpad presence", {campos(-1, -1, "", "", "1", "", "[]", fluxos::kVerificaPinpad), {},
            {{"VerificaPresencaPinPad", {7}}}, true, {"escreveHora:" + h},
            {call("VerificaPresencaPinPad", json::array())}, 7}},
        {"interactive card read", {campos(-1, -1, "", "", "1", "1", "[]", fluxos::kLeCartaoInterativo), {"PASSE"},
            {{"LeCartaoInterativo", {3}}}, true, {"mensagemPinpad"}, {call("LeCartaoInterativo", {"PASSE"})}, 3}},
        {"pinpad message ended", {campos(-1, -1, "", "", "1", "1", "[]", fluxos::kEscreveMsgPinpad), {"X#-1"},
            json::object(), true, {"mensagemPinpad"}, json::array(), 0}},
        {"direct read with time-out left empty", {campos(-1, -1, "", "", "1", "1", "[]", fluxos::kLeCartaoDiretoEx),
            {"M", "", "1"}, {{"LeCartaoDiretoEx", {{{"return", 0}, {"track1", "T1"}, {"track2", "T2"}}}}}, true,
            {"limpaCaixa", "mensagemPinpad", "tempo", "aguardaCartao", "acrescentaMensagem:Trilha1 = T1",
             "acrescentaMensagem:Trilha2 = T2"}, {call("LeCartaoDiretoEx", {"M", nullptr, nullptr, 30, 1})}, 0}},
        {"direct read, time-out ended", {campos(-1, -1, "", "", "1", "1", "[]", fluxos::kLeCartaoDiretoEx),
            {"M", "45#-1"}, json::object(), true, {"limpaCaixa", "mensagemPinpad", "tempo"}, json::array(), 0}},
        {"direct read under the panel", {campos(-1, -1, "", "", "1", "1", "[]", fluxos::kLeCartaoDireto), {"M"},
            {{"LeCartaoDireto", {{{"return", 0}, {"track2", "T2"}}}}}, true,
            {"limpaCaixa", "mensagemPinpad", "painelLeitura", "escondePainelLeitura", "acrescentaMensagem:Trilha2 = T2"},
            {call("LeCartaoDireto", {"M", nullptr, nullptr})}, 0}},
        {"interactive PIN with the working key", {campos(-1, -1, "", "", "1", "1", "[]", fluxos::kLeSenhaInterativo),
            {"WK"}, {{"LeSenhaInterativo", {0}}}, true, {"workingKey"}, {call("LeSenhaInterativo", {"WK"})}, 0}},
        {"yes/no on the pinpad: confirm key", {campos(-1, -1, "", "", "1", "1", "[]", fluxos::kLeSimNaoPinpad),
            {"S/N?"}, {{"LeSimNaoPinPad", {1}}}, true,
            {"mensagemPinpad", "avisa:A tecla de Confirmação foi pressionada"},
            {call("LeSimNaoPinPad", {"S/N?"})}, 1}},
        {"yes/no on the pinpad ended reads as cancel", {campos(-1, -1, "", "", "1", "1", "[]",
            fluxos::kLeSimNaoPinpad), {"#-1"}, json::object(), true,
            {"mensagemPinpad", "avisa:A tecla de Cancelamento foi pressionada"}, json::array(), 0}},
    };
    // clang-format on
    for (const auto& [nome, caso] : casos) {
        QTest::newRow(nome) << caso;
    }
}

void TstFluxosInicio::starts() {
    QFETCH(Caso, caso);
    harness::Simulator sim;
    QVERIFY(sim.ok());
    sim.script(caso.roteiro);
    EstadoConsole estado;
    estado.Retorno = 99;
    estado.TextoTrilha1 = QStringLiteral("velha");
    harness::OperadorRoteiro operador(caso.respostas);
    bool iniciou = false;
    KAVEX_ROTEIRO(iniciou = fluxos::iniciaFuncao(caso.campos, estado, sim.library(), operador));

    QCOMPARE(iniciou, caso.iniciou);
    QCOMPARE(operador.eventos, caso.eventos);
    KAVEX_COMPARE_JSON(sim.callsMade(), caso.chamadas);
    QCOMPARE(estado.Retorno, caso.retorno);
    QCOMPARE(estado.ModoCorrespondente, caso.correspondente);
    QCOMPARE(estado.TextoTrilha1, QString());
    QVERIFY(operador.respostas.empty());
}

void TstFluxosInicio::restrictionsFromTheTickedCodes() {
    QCOMPARE(fluxos::montaRestricoes({}), QStringLiteral("[]"));
    QCOMPARE(fluxos::montaRestricoes({"10", "15", "26"}), QStringLiteral("[10;15;26]"));
}

QTEST_GUILESS_MAIN(TstFluxosInicio)
#include "tst_fluxos_inicio.moc"
