// The manual confirmation below the windows: the panel's fields, the boxes
// the operator answers, and the finishing call they lead to.

#include "nucleo/OperadorRoteiro.h"
#include "nucleo/Simulador.h"

#include "core/EstadoConsole.h"
#include "fluxos/Confirmacao.h"
#include "platform/Clock.h"

using harness::call;
using nlohmann::json;

namespace {

enum class Botao { Confirmacao, Identificada };

struct Caso {
    Botao botao;
    fluxos::CamposConfirmacao campos;
    QString dataTransacao;
    QStringList respostas, eventos;
    json chamadas;
};

const QString kTitulo = QStringLiteral("Confirmação Com Parâmetros Adicionais");

} // namespace

Q_DECLARE_METATYPE(Caso)

class TstFluxosConfirmacao : public QObject {
    Q_OBJECT
private slots:
    void init() { platform::clock::setFixed(QDateTime(QDate(2024, 1, 2), QTime(10, 11, 12))); }
    void cleanup() { platform::clock::clearFixed(); }
    void finishes_data();
    void finishes();
    void functionNumber_data();
    void functionNumber();
};

void TstFluxosConfirmacao::finishes_data() {
    QTest::addColumn<Caso>("caso");
    const QString pergunta = "pergunta:" + kTitulo + "|" + kTitulo + " ?";
    const QString padroes = "camposConfirmacao:12345|101112";
    const QString funcao = "pedeTexto:Função do Kavex", dados = "pedeTexto:Dados da Transação";
    const auto transacao = [](int opcao, const char* cupom, const char* data, const char* hora) {
        return call("FinalizaTransacaoKavexInterativo", {opcao, cupom, data, hora});
    };
    const auto identificada = [](int f, int opcao, const char* d) {
        return call("FinalizaTransacaoIdentificadaKavex", {f, opcao, "12345", "20240102", "101112", d});
    };
    using B = Botao;
    // clang-format off
    const std::pair<const char*, Caso> casos[] = {
        {"confirm, panel left empty", {B::Confirmacao, {"", "", 1, false}, "", {}, {padroes},
            {transacao(1, "12345", "20240102", "101112")}}},
        {"undo with the fields typed and the function's date", {B::Confirmacao, {"77", "080910", 0, false},
            "20231231", {}, {}, {transacao(0, "77", "20231231", "080910")}}},
        {"no choice: nothing is sent", {B::Confirmacao, {"77", "080910", -1, false}, "", {}, {}, json::array()}},
        {"parameters asked, answered No", {B::Confirmacao, {"77", "080910", 1, true}, "", {"Não"}, {pergunta},
            {transacao(1, "77", "20240102", "080910")}}},
        {"parameters typed", {B::Confirmacao, {"", "", 1, true}, "", {"Sim", "P=1"},
            {pergunta, padroes, "pedeTexto:Parâmetros Adicionais"},
            {call("FinalizaFuncaoKavexInterativo", {1, "12345", "20240102", "101112", "P=1"})}}},
        {"parameters box cancelled", {B::Confirmacao, {"", "", 1, true}, "", {"Sim", "#-1"},
            {pergunta, padroes, "pedeTexto:Parâmetros Adicionais"}, json::array()}},
        {"identified, hexadecimal", {B::Identificada, {"", "", 1, false}, "", {"$1F", "D"},
            {padroes, funcao, dados}, {identificada(31, 1, "D")}}},
        {"identified, decimal, undo", {B::Identificada, {"", "", 0, false}, "", {"12", "D"},
            {padroes, funcao, dados}, {identificada(12, 0, "D")}}},
        {"identified, function not valid", {B::Identificada, {"", "", 1, false}, "", {"0"},
            {padroes, funcao, "avisa:Função Inválida!!!"}, json::array()}},
        {"identified, no data", {B::Identificada, {"", "", 1, false}, "", {"5", ""},
            {padroes, funcao, dados, "avisa:Dados Inválidos!!!"}, json::array()}},
        {"identified, function box cancelled", {B::Identificada, {"", "", 1, false}, "", {"#-1"},
            {padroes, funcao}, json::array()}},
        {"identified, data box cancelled", {B::Identificada, {"", "", 1, false}, "", {"5", "#-1"},
            {padroes, funcao, dados}, json::array()}},
        {"identified, no choice", {B::Identificada, {"", "", -1, false}, "", {"5", "D"},
            {padroes, funcao, dados}, json::array()}},
    };
    // clang-format on
    for (const auto& [nome, caso] : casos) {
        QTest::newRow(nome) << caso;
    }
}

void TstFluxosConfirmacao::finishes() {
    QFETCH(Caso, caso);
    harness::Simulator sim;
    QVERIFY(sim.ok());
    EstadoConsole estado;
    estado.DataTransacao = caso.dataTransacao;
    harness::OperadorRoteiro operador(caso.respostas);
    // What the finishing call answered, nothing when nothing was sent.
    std::optional<int32_t> resultado;
    if (caso.botao == Botao::Confirmacao) {
        KAVEX_ROTEIRO(resultado = fluxos::confirmaManual(caso.campos, estado, sim.library(), operador));
    } else {
        KAVEX_ROTEIRO(resultado = fluxos::confirmaIdentificada(caso.campos, estado, sim.library(), operador));
    }
    QCOMPARE(operador.eventos, caso.eventos);
    KAVEX_COMPARE_JSON(sim.callsMade(), caso.chamadas);
    QCOMPARE(resultado,
             caso.chamadas.empty() ? std::nullopt : std::optional<int32_t>(sim.calls().back()["ret"].get<int32_t>()));
    QVERIFY(operador.respostas.empty());
}

// Positive in the low 16 bits; the whole number goes to the library.
void TstFluxosConfirmacao::functionNumber_data() {
    QTest::addColumn<QString>("texto");
    QTest::addColumn<bool>("valida");
    QTest::addColumn<int>("funcao");
    QTest::newRow("decimal") << "10" << true << 10;
    QTest::newRow("hexadecimal with x") << "x7FFF" << true << 0x7FFF;
    QTest::newRow("hexadecimal with 0x, above 16 bits") << "0x10001" << true << 0x10001;
    QTest::newRow("low 16 bits zero") << "$10000" << false << 0x10000;
    QTest::newRow("low 16 bits negative") << "$8000" << false << 0x8000;
    QTest::newRow("zero") << "0" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("not a number") << "1g" << false << 0;
}

void TstFluxosConfirmacao::functionNumber() {
    QFETCH(QString, texto);
    QFETCH(bool, valida);
    QFETCH(int, funcao);
    int32_t lida = -1;
    QCOMPARE(fluxos::funcaoValida(texto, lida), valida);
    QCOMPARE(lida, funcao);
}

QTEST_GUILESS_MAIN(TstFluxosConfirmacao)
#include "tst_fluxos_confirmacao.moc"
