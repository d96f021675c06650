// The command loop's engine against the simulator, with an operator that
// answers from a list and writes down everything it is shown or asked.

#include "BibliotecaNula.h"
#include "nucleo/OperadorRoteiro.h"
#include "nucleo/Simulador.h"

#include "core/EstadoConsole.h"
#include "fluxos/LacoComandos.h"

#include <deque>

using nlohmann::json;

namespace {

// The scripted operator with the finishing data a case chooses.
class Operador final : public harness::OperadorRoteiro {
public:
    using OperadorRoteiro::OperadorRoteiro;
};

json c(int comando, const std::string& texto, int minimo = 0, int maximo = 0, int tipo = 0) {
    return {{"command", comando}, {"fieldType", tipo}, {"min", minimo}, {"max", maximo}, {"text", texto}};
}
json fim(int retorno = 0) {
    return {{"return", retorno}};
}
// Buffer text, size and Continua of one call.
json e(const std::string& buffer, int continua = 0) {
    return {buffer, LacoComandos::kTamanhoBuffer, continua};
}

// One function: the library's answers, the operator's, and what is expected
// of the operator's windows, of each call and of the shared state (tracks,
// PIN, transaction date and time). At the end: the printer choice ("Com",
// "Com!" when printing fails), EdtHora, the receipt screen's choice, the
// Vidalink flag, and the finishing call if one is expected.
struct Caso {
    json ciclos;
    QStringList respostas, eventos;
    json enviados;
    QString guardado = "||||";
    QString impressora = "Sem", hora = "";
    int escolha = LacoComandos::Pendente;
    bool vidalink = false;
    json finaliza = nullptr;
};

} // namespace

Q_DECLARE_METATYPE(Caso)

class TstLacoComandos : public QObject {
    Q_OBJECT
private slots:
    void functions_data();
    void functions();
    void bufferEndIsNeverPassed();
    void aQuestionBeyondTheScriptIsNamed();
};

void TstLacoComandos::functions_data() {
    QTest::addColumn<Caso>("caso");
    const std::string a50(50, 'a'), a51(51, 'a'), b51 = std::string(30, 'b') + "\n" + std::string(20, 'b');
    const QString b51CRLF = QString(30, u'b') + "\r\n" + QString(20, u'b'), z13(13, u'0'),
                  dn = "avisa:Digite Novamente";
    const std::string chq = "01800109773000006169748500045", cmc7 = "<00109773<0188500045>701000616977Ç";
    const QStringList fim0{"resultado:0", "devolve"}, cupom{"cupom:C", "resultado:0", "mostraCupom", "devolve"};
    const QString erro = "erro:O cupom não foi impresso: sem impressora";
    const auto fin = [](int confirma, const char* hora = "101112") { return json{confirma, "4321", "20240102", hora}; };
    // clang-format off
    const std::pair<const char*, Caso> casos[] = {
        {"first call ends at once", {{fim(5)}, {}, {"resultado:5", "devolve"}, {e("")}}},
        {"message of 50 characters", {{c(1, a50), fim()}, {}, QStringList{"mensagem:" + QString(50, u'a')} + fim0,
            {e(""), e(a50)}}},
        {"message of 51 characters", {{c(3, b51), fim()}, {}, QStringList{"acrescentaMensagem:" + b51CRLF} + fim0,
            {e(""), e(b51)}}},
        {"22 of 51 characters", {{c(22, b51), fim()}, {},
            QStringList{"consulta:" + b51CRLF, "mostraConsulta:Consulta CDC"} + fim0, {e(""), e(b51)}}},
        {"22 of 50 characters", {{c(22, a50), fim()}, {},
            QStringList{"mensagem:" + QString(50, u'a'), "avisa:Pressione enter"} + fim0, {e(""), e(a50)}}},
        {"22 of 51 characters, no line feed", {{c(22, a51), fim()}, {},
            QStringList{"consulta:" + QString(51, u'a'), "mostraConsulta:Consulta CDC"} + fim0, {e(""), e(a51)}}},
        {"22 short with a line feed", {{c(22, "a\nb"), fim()}, {},
            QStringList{"consulta:a\r\nb", "mostraConsulta:Consulta CDC"} + fim0, {e(""), e("a\nb")}}},
        {"heading, menu back and end", {{c(4, "MENU"), c(21, "1:A;", 1, 1), c(21, "X"), fim()}, {"2#1", "2#-1"},
            QStringList{"cabecalhoMenu:MENU", "menu:1:A;|1", "menu:X|20000"} + fim0,
            {e(""), e("MENU"), e("2", 1), e("2", -1)}}},
        {"30 keeps the first 1000", {{c(30, "V", 3, 5), fim()}, {"1#1000", "123"},
            QStringList{"coleta:V|5", dn, "coleta:V|5"} + fim0, {e(""), e("123", 1000)}}},
        {"30 ended or back while asked again above 13", {{c(30, "V", 20, 30), c(30, "V", 20, 30), fim()},
            {"12", z13 + "#-1", z13 + "#1"}, QStringList{"coleta:V|30", dn, "coleta:V|30", "coleta:V|30"} + fim0,
            {e(""), e("0000000000000", -1), e("0000000000000", 1)}}},
        {"30 minimum above maximum", {{c(30, "V", 8, 4), fim()}, {"1234"}, QStringList{"coleta:V|4"} + fim0,
            {e(""), e("1234")}}},
        {"34 has no minimum and no 1000", {{c(34, "V", 5, 9), fim()}, {"12#1000"}, QStringList{"coleta:V|9"} + fim0,
            {e(""), e("12")}}},
        {"31 ended in the choice, then in the typed dialog", {{c(31, "Q"), c(31, "Q"), fim()},
            {"#-1", "digitado", QString::fromStdString(chq) + "#-1"},
            QStringList{"escolheCheque", "escolheCheque", "digitado:Q"} + fim0,
            {e(""), e("Q", -1), e("0:" + chq, -1)}}},
        {"31 CMC-7 short, then ended above 34", {{c(31, "Q", 30, 34), c(31, "Q", 40, 0), fim()},
            {"CMC7", "<001", QString::fromStdString(cmc7), "CMC7", QString(34, u'0') + "#-1"},
            QStringList{"escolheCheque", "cmc7:Q|34", dn, "cmc7:Q|34", "escolheCheque", "cmc7:Q|20000"} + fim0,
            {e(""), e("1:" + cmc7), e("1:" + std::string(34, '0'), -1)}}},
        {"35 back", {{c(35, "B"), fim()}, {"0:1#1"}, QStringList{"codigoBarras:B"} + fim0, {e(""), e("0:1", 1)}}},
        {"23 counts, 12 clears", {{c(23, ""), c(23, ""), c(12, ""), fim()}, {},
            QStringList{"aguardaPinpad:1", "aguardaPinpad:2", "limpaMensagens", "escondePinpad"} + fim0,
            {e(""), e(""), e(""), e("")}}},
        {"commands outside the table", {{c(7, "a"), c(33, "b"), c(-3, "c"), fim()}, {}, fim0,
            {e(""), e("a"), e("b"), e("c")}}},
        {"tracks, PIN, date", {{c(0, "T1", 0, 0, 150), c(0, "T2", 0, 0, 151), c(0, "S", 0, 0, 153),
            c(0, "x", 0, 0, 105), fim()}, {}, QStringList{"acrescentaMensagem:Trilha1 = T1", "escondePinpad",
            "acrescentaMensagem:Trilha2 = T2", "escondePinpad", "acrescentaMensagem:Senha = S"} + fim0,
            {e(""), e("T1"), e("T2"), e("S"), e("x")}, "T1|T2|S|20240102|101112"}},
        {"consultation items", {{c(0, "3", 0, 0, 1011), c(0, "12,50", 0, 0, 1019), c(0, "9", 0, 0, 1009),
            c(0, "9", 0, 0, 1027), fim()}, {}, QStringList{"consulta:(1011) Índice Medicamento = 3",
            "consulta:(1019) Vlr Subsídio Convênio =12,50"} + fim0, {e(""), e("3"), e("12,50"), e("9"), e("9")}}},
        {"receipts 121 and 122, Confirma", {{c(0, "A\nB", 0, 0, 121), c(0, "C", 0, 0, 122), fim()}, {},
            QStringList{"cupom:A\r\nB"} + cupom, {e(""), e("A\nB"), e("C")}, "||||", "Sem", "", 1, false, fin(1)}},
        {"Não Confirma, EdtHora set", {{c(0, "C", 0, 0, 121), fim()}, {}, cupom, {e(""), e("C")}, "||||", "Sem",
            "101500", 0, false, fin(0, "101500")}},
        {"Pendente", {{c(0, "C", 0, 0, 121), fim()}, {}, cupom, {e(""), e("C")}, "||||", "Sem", "", 2}},
        {"Com, printed", {{c(0, "C", 0, 0, 121), fim(-7)}, {}, {"cupom:C", "resultado:-7", "imprime", "devolve"},
            {e(""), e("C")}, "||||", "Com", "", 0, false, fin(1)}},
        {"Com, not printed", {{c(0, "C", 0, 0, 121), fim()}, {}, {"cupom:C", "resultado:0", "imprime", erro,
            "mostraCupom", "devolve"}, {e(""), e("C")}, "||||", "Com!", "", 2}},
        {"Vidalink consultation", {{c(0, "3", 0, 0, 1010), fim()}, {}, {"consulta:(1010) Qtd Total Medicamentos = 3",
            "mostraConsulta:Consulta Vidalink", "resultado:0", "devolve"}, {e(""), e("3")}, "||||", "Sem", "", 2,
            true}},
    };
    // clang-format on
    for (const auto& [nome, caso] : casos) {
        QTest::newRow(nome) << caso;
    }
}

// Every call leaves its two trace lines, the last one included. A start
// answered 10000 comes first, as a caller does it.
void TstLacoComandos::functions() {
    QFETCH(Caso, caso);
    harness::Simulator sim;
    EstadoConsole s;
    s.DataFiscal = QStringLiteral("20240102");
    s.HoraFiscal = QStringLiteral("101112");
    Operador operador(caso.respostas);
    operador.dados = {caso.impressora.startsWith(u"Com"), QStringLiteral("4321"), caso.hora};
    operador.falhaImpressao = caso.impressora.endsWith(u'!') ? QStringLiteral("sem impressora") : QString();
    operador.escolhaCupom = caso.escolha;
    LacoComandos laco(s, sim.library(), operador);
    sim.script({{"IniciaFuncaoKavexInterativo", {10000}}, {"ContinuaFuncaoKavexInterativo", caso.ciclos}});
    QCOMPARE(sim.library().IniciaFuncaoKavexInterativo(2, "1,00", "1", "20240102", "101112", "Opx", "[]"), 10000);
    KAVEX_ROTEIRO(laco.ContinuaFuncao(caso.vidalink));

    QCOMPARE(operador.eventos, caso.eventos);
    json enviados = json::array(), finaliza;
    for (const json& chamada : sim.calls("ContinuaFuncaoKavexInterativo")) {
        enviados.push_back(chamada["args"]);
    }
    KAVEX_COMPARE_JSON(enviados, caso.enviados);
    for (const json& chamada : sim.calls("FinalizaTransacaoKavexInterativo")) {
        finaliza = finaliza.is_null() ? chamada["args"] : json("more than one");
    }
    KAVEX_COMPARE_JSON(finaliza, caso.finaliza);
    QCOMPARE(operador.trace.size(), 2 * qsizetype(enviados.size()));
    QVERIFY(operador.respostas.empty());
    QCOMPARE(QStringList({s.TextoTrilha1, s.TextoTrilha2, s.TextoSenha, s.DataTransacao, s.HoraTransacao}).join(u'|'),
             caso.guardado);
}

// Whatever the library leaves in the buffer or says about the answer's
// length, and however long the answer, nothing is read or written past it.
void TstLacoComandos::bufferEndIsNeverPassed() {
    struct Transbordante : harness::BibliotecaNula {
        QByteArray recebido;
        int chamadas = 0;
        int32_t ContinuaFuncaoKavexInterativo(int32_t* comando, int32_t*, int16_t* minimo, int16_t* maximo,
                                              char* buffer, int32_t tamanho, int32_t) override {
            recebido = QByteArray(buffer, tamanho);
            std::fill(buffer, buffer + tamanho, 'B');
            *comando = 30, *minimo = 32767, *maximo = -1;
            return ++chamadas < 2 ? 10000 : 0;
        }
    } biblioteca;
    EstadoConsole estado;
    Operador operador({QString(25000, u'x')});
    LacoComandos laco(estado, biblioteca, operador);
    KAVEX_ROTEIRO(laco.ContinuaFuncao());
    const QString cheio(LacoComandos::kTamanhoBuffer, u'B');
    QCOMPARE(operador.trace.value(1), "Buffer = " + cheio);
    QCOMPARE(operador.eventos.value(0), "coleta:" + cheio + "|20000");
    QCOMPARE(biblioteca.recebido, QByteArray(20000, 'x') + '\0');
}

// A case that asks more than it scripted fails with the question it could
// not answer, instead of reading past its answers.
void TstLacoComandos::aQuestionBeyondTheScriptIsNamed() {
    harness::Simulator sim;
    sim.script({{"ContinuaFuncaoKavexInterativo", {c(21, "1:A;"), fim()}}});
    EstadoConsole estado;
    Operador operador;
    LacoComandos laco(estado, sim.library(), operador);
    try {
        laco.ContinuaFuncao();
        QFAIL("the menu was answered without a script");
    } catch (const harness::SemResposta& e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("no scripted answer left for: menu:1:A;|20000"));
    }
}

QTEST_GUILESS_MAIN(TstLacoComandos)
#include "tst_lacocomandos.moc"
