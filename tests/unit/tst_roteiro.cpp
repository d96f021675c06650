// Operator scripts: what a script that cannot be used is told with, and how
// each case is judged when run through the flows against the simulator.

#include "nucleo/Simulador.h"

#include "platform/Clock.h"
#include "roteiro/Execucao.h"
#include "roteiro/Relatorio.h"

#include <QFile>
#include <QXmlStreamReader>

#include <map>

// Keys keep their order: keyed answers are tried in it.
using json = nlohmann::ordered_json;

namespace {

QByteArray texto(const json& script) {
    return QByteArray::fromStdString(script.dump(2));
}

json debito(const json& respostas, const char* cupom = "Confirma") {
    json caso = {{"name", "débito"},
                 {"start", {{"kind", "TEF"}, {"function", 2}, {"value", "10,00"}}},
                 {"answers", respostas},
                 {"expect", {{"result", 0}, {"finish", "Confirma"}}}};
    if (cupom) {
        caso["receipt"] = cupom;
    }
    return caso;
}

// Cases are told apart by name: each gets its number unless `mesmosNomes`.
json roteiroDe(json casos, bool mesmosNomes = false) {
    for (size_t i = 0; i < casos.size() && !mesmosNomes; ++i) {
        casos[i]["name"] = casos[i]["name"].get<std::string>() + ' ' + std::to_string(i + 1);
    }
    return {{"configure", {{"address", "localhost"}}}, {"cases", std::move(casos)}};
}

} // namespace

class TstRoteiro : public QObject {
    Q_OBJECT
private slots:
    void init() {
        qputenv("KAVEX_SIM_DELAY_MS", QByteArray());
        m_sim = std::make_unique<harness::Simulator>();
        QVERIFY(m_sim->ok());
    }
    void cleanup() { m_sim.reset(); }

    void unusableScripts_data() {
        QTest::addColumn<QByteArray>("conteudo");
        QTest::addColumn<QString>("mensagem");
        const json caso = debito({"1"});
        const auto com = [&](const char* caminho, const json& valor) {
            json c = caso;
            c[json::json_pointer(caminho)] = valor;
            return texto(roteiroDe({c}));
        };
        QTest::newRow("malformed, line 3")
            << QByteArray("{\n \"cases\": [\n  {\"name\": \"x\",,}\n ]\n}\n") << "s.json: linha 3: JSON inválido";
        QTest::newRow("no cases") << texto({{"cases", json::array()}}) << "s.json: cases: esperava uma lista";
        QTest::newRow("unknown start kind")
            << com("/start/kind", "Crediário") << "cases[0].start.kind: tipo de início desconhecido: \"Crediário\"";
        QTest::newRow("answer that is a number")
            << com("/answers/0", 1) << "cases[0].answers[0]: resposta de tipo errado";
        QTest::newRow("answer ended in an unknown way")
            << com("/answers/0", {{"end", "Fecha"}}) << "cases[0].answers[0].end: esperava \"Encerra\" ou \"Volta\"";
        QTest::newRow("no expected result")
            << com("/expect", {{"trace", {"x"}}}) << "cases[0].expect: falta \"result\"";
        QTest::newRow("result out of range")
            << com("/expect/result", 1e12) << "cases[0].expect.result: esperava um número inteiro";
        QTest::newRow("unknown receipt choice")
            << com("/receipt", "Talvez") << "cases[0].receipt: escolha do cupom desconhecido: \"Talvez\"";
        QTest::newRow("unknown pinpad function") << com("/start", {{"kind", "Pinpad"}, {"pinpadFunction", "LeTudo"}})
                                                 << "cases[0].start.pinpadFunction: função de pinpad desconhecida";
        QTest::newRow("timeout that is a text") << com("/timeout", "muito") << "cases[0].timeout: esperava um número";
        // A typo anywhere would silently drop what it meant to check.
        QTest::newRow("typo in expect") << com("/expect/mesages", json{"NUNCA"})
                                        << "cases[0].expect: chave desconhecida \"mesages\" (quis dizer \"messages\"?)";
        QTest::newRow("typo in start") << com("/start/funtion", 2)
                                       << "cases[0].start: chave desconhecida \"funtion\" (quis dizer \"function\"?)";
        QTest::newRow("key of another start kind")
            << com("/start/barcode", "1") << "cases[0].start: a chave \"barcode\" não vale para o tipo \"TEF\"";
        QTest::newRow("typo in an answer")
            << com("/answers/0", {{"anwser", "1"}})
            << "cases[0].answers[0]: chave desconhecida \"anwser\" (quis dizer \"answer\"?)";
        QTest::newRow("unknown case key, nothing close") << com("/xyz", 1) << "cases[0]: chave desconhecida \"xyz\"";
        QTest::newRow("typo at the top") << texto({{"timout", 5}, {"cases", {caso}}})
                                         << "s.json: chave desconhecida \"timout\" (quis dizer \"timeout\"?)";
        QTest::newRow("typo in configure") << texto({{"configure", {{"adress", "x"}}}, {"cases", {caso}}})
                                           << "configure: chave desconhecida \"adress\" (quis dizer \"address\"?)";
        QTest::newRow("two cases of one name")
            << texto(roteiroDe({caso, caso}, true)) << "cases[1].name: nome repetido: \"débito\"";
        QTest::newRow("1000 without a text") << com("/answers/0", {{"alternative", true}})
                                             << "cases[0].answers[0].alternative: a escolha \"1000\" pede um texto";
        QTest::newRow("cases given as an object")
            << texto({{"cases", {{"a", caso}}}}) << "s.json: cases: esperava uma lista";
        QTest::newRow("save: two groups") << com("/save", {{"NSU", "(a)(b)"}})
                                          << "cases[0].save.NSU: a expressão regular deve ter exatamente um grupo";
        QTest::newRow("save: a name that cannot be written")
            << com("/save", {{"N-1", "(a)"}}) << "cases[0].save.N-1: nome inválido";
        QTest::newRow("Vidalink consultation of nothing")
            << com("/start", {{"kind", "Consulta Vidalink"}, {"authorization", "1"}})
            << "cases[0].start: esperava \"allProducts\"";
        QTest::newRow("products in a total cancellation") << com("/start", {{"kind", "Cancelamento Vidalink"},
                                                                            {"saleReceipt", "1"},
                                                                            {"document", "1"},
                                                                            {"terminal", "1"},
                                                                            {"products", json::array()}})
                                                          << "cases[0].start.products: só um cancelamento parcial";
    }
    void unusableScripts() {
        QFETCH(QByteArray, conteudo);
        QFETCH(QString, mensagem);
        try {
            roteiro::leRoteiroDeTexto(conteudo, QStringLiteral("s.json"));
            QFAIL("the script was accepted");
        } catch (const roteiro::ErroRoteiro& erro) {
            const QString dito = QString::fromStdString(erro.what());
            QVERIFY2(dito.contains(mensagem), qPrintable(dito));
        }
    }

    void judgedCases_data() {
        QTest::addColumn<json>("casos");
        QTest::addColumn<QStringList>("motivos"); // empty: passed
        json recusado = debito({{{"answer", "1"}, {"alternative", true}}, "2"}, nullptr);
        recusado["expect"] = {{"result", -21}, {"messages", {"SALDO INSUFICIENTE"}}, {"finish", "Nenhuma"}};
        QTest::newRow("approved, then declined") << json{debito({"1"}), recusado} << QStringList{"", ""};
        json resultadoErrado = recusado;
        resultadoErrado["expect"]["result"] = 0;
        QTest::newRow("wrong expected result") << json{resultadoErrado} << QStringList{"resultado -21, esperava 0"};
        QTest::newRow("answer skipped")
            << json{debito(json::array())}
            << QStringList{"sem resposta para: DÉBITO - ESCOLHA A MODALIDADE 1:À Vista;2:Pré-datado;"};
        QTest::newRow("answers keyed by the question") << json{debito({{"Pré-datado", "1"}})} << QStringList{""};
        QTest::newRow("answer meant for another question")
            << json{debito({{{"question", "PARCELAS"}, {"answer", "1"}}})}
            << QStringList{"a resposta cases[0].answers[0] era para \"PARCELAS\", mas a pergunta foi: DÉBITO"};
        QTest::newRow("answer never asked for")
            << json{debito({"1", "2"})} << QStringList{"1 resposta(s) não pedida(s), a primeira cases[0].answers[1]"};
        QTest::newRow("receipt not answered: undone")
            << json{debito({"1"}, nullptr)} << QStringList{"sem resposta para: a tela do cupom (\"receipt\")"};
        json desfeita = debito({"1"}, "Não Confirma");
        QTest::newRow("wrong finishing call") << json{desfeita} << QStringList{"finalização Desfaz, esperava Confirma"};
        json semTrace = debito({"1"});
        semTrace["expect"]["trace"] = {"NSU 999999"};
        QTest::newRow("text missing from the trace")
            << json{semTrace} << QStringList{"o trace não contém \"NSU 999999\""};
        json pendente = debito({"1"}, "Pendente");
        pendente["expect"]["finish"] = "Nenhuma";
        json seguinte = debito({"1"});
        seguinte["expect"]["messages"] = {"FOI DESFEITA"};
        QTest::newRow("a pending sale undone by the next start") << json{pendente, seguinte} << QStringList{"", ""};
        json recusado2x = debito(json::array(), nullptr);
        recusado2x["start"]["function"] = "2x";
        recusado2x["expect"] = {{"result", 0}};
        QTest::newRow("start the console refuses") << json{recusado2x} << QStringList{"o console recusou o início: "};
        // The console's own texts are in the messages, never in the trace.
        const json tipo = {
            {"name", "tipo"},
            {"start", {{"kind", "Valida Cód. Bar."}, {"barcode", "00190000090120711300009000206186538600000004000"}}},
            {"expect", {{"result", 0}, {"messages", {"Tipo = 1"}}}}};
        json tipoNoTrace = tipo;
        tipoNoTrace["name"] = "t";
        tipoNoTrace["expect"] = {{"result", 0}, {"trace", {"Tipo = 1"}}};
        QTest::newRow("a text only the messages hold")
            << json{tipo, tipoNoTrace} << QStringList{"", "o trace não contém \"Tipo = 1\""};
        QTest::newRow("a field answered too short")
            << json{debito({"2", "123"})} << QStringList{"resposta menor que o mínimo de 8: \"123\""};
        QTest::newRow("a keyed field answered too short")
            << json{debito({{"Pré-datado", "2"}, {"DATA DO DÉBITO", "123"}})}
            << QStringList{"resposta menor que o mínimo de 8: \"123\""};
        // Alphabetically "DÉBITO" would come first and choose the post-dated debit.
        QTest::newRow("keyed answers in the file's order")
            << json{debito(json::parse(R"({"Vista": "1", "DÉBITO": "2"})"))} << QStringList{""};
        // The number a case captures names the pending sale for the next one.
        json capturada = pendente;
        capturada["save"] = {{"PENDENTE", "NSU (\\d+)"}};
        const json identificada = {
            {"name", "confirmação"},
            {"start", {{"kind", "Confirmação Identificada"}, {"function", "2"}, {"data", "${PENDENTE}"}}},
            {"expect", {{"result", 0}, {"finish", "Confirma"}}}};
        QTest::newRow("captured number confirms the pending sale")
            << json{capturada, identificada} << QStringList{"", ""};
        json semCaptura = debito({"1"});
        semCaptura["save"] = {{"X", "NADA (\\d+)"}};
        QTest::newRow("pattern that matches nothing")
            << json{semCaptura} << QStringList{"\"save\": o padrão de \"X\" não casou com nada"};
        QTest::newRow("name no case captured")
            << json{identificada} << QStringList{"${PENDENTE} desconhecido: nenhum caso anterior o salvou"};
        json semPendente = identificada;
        semPendente["start"]["data"] = "000001";
        QTest::newRow("confirmation's result is the finishing call's")
            << json{semPendente} << QStringList{"resultado -15, esperava 0"};
    }
    void judgedCases() {
        QFETCH(json, casos);
        QFETCH(QStringList, motivos);
        const roteiro::Roteiro script = roteiro::leRoteiroDeTexto(texto(roteiroDe(casos)), QStringLiteral("s.json"));
        roteiro::Execucao execucao(script, m_sim->library());
        const std::vector<roteiro::ResultadoCaso> resultados = execucao.executa();
        QCOMPARE(execucao.configuracao(), std::optional<int32_t>(0));
        QCOMPARE(int(resultados.size()), motivos.size());
        for (int i = 0; i < motivos.size(); ++i) {
            const QString& motivo = resultados[size_t(i)].motivo;
            QVERIFY2(motivos[i].isEmpty() ? motivo.isEmpty() : motivo.startsWith(motivos[i]), qPrintable(motivo));
            QCOMPARE(resultados[size_t(i)].passou(), motivos[i].isEmpty());
        }
        // Whatever happened, nothing is left half-done: a new sale undoes nothing.
        const roteiro::Roteiro outra =
            roteiro::leRoteiroDeTexto(texto(roteiroDe({debito({"1"})})), QStringLiteral("s.json"));
        m_sim->clearLog();
        QVERIFY(roteiro::Execucao(outra, m_sim->library()).executa().front().passou());
        QVERIFY(json(m_sim->calls()).dump().find("DESFEITA") == std::string::npos);
    }

    // The kinds that reach the flows beside the main road: the calls each
    // makes, in order (the command loop's aside).
    void kinds_data() {
        QTest::addColumn<json>("inicio");
        QTest::addColumn<json>("respostasBiblioteca");
        QTest::addColumn<json>("chamadas");
        using harness::call;
        const char* const fiscal = "20240102";
        const char* const hora = "101112";
        QTest::newRow("confirmation panel, undo")
            << json{{"kind", "Confirmação"}, {"confirm", false}, {"fiscalReceipt", "7"}, {"time", "080910"}}
            << json{{"FinalizaTransacaoKavexInterativo", {0}}}
            << json{call("FinalizaTransacaoKavexInterativo", {0, "7", fiscal, "080910"})};
        QTest::newRow("confirmation panel with parameters")
            << json{{"kind", "Confirmação"}, {"parameters", "P=1"}} << json{{"FinalizaFuncaoKavexInterativo", {0}}}
            << json{call("FinalizaFuncaoKavexInterativo", {1, "12345", fiscal, hora, "P=1"})};
        QTest::newRow("identified confirmation in hexadecimal")
            << json{{"kind", "Confirmação Identificada"}, {"function", "$1F"}, {"data", "D"}}
            << json{{"FinalizaTransacaoIdentificadaKavex", {0}}}
            << json{call("FinalizaTransacaoIdentificadaKavex", {31, 1, "12345", fiscal, hora, "D"})};
        QTest::newRow("partial Vidalink cancellation")
            << json{{"kind", "Cancelamento Vidalink"},
                    {"total", false},
                    {"saleReceipt", "111"},
                    {"document", "D"},
                    {"terminal", "T"},
                    {"products", {{{"code", "P1"}, {"quantity", 2}}, {{"code", "P2"}}}}}
            << json{{"InformaProdutoCancelamentoVidalink", {0, 0}},
                    {"IniciaFuncaoKavexInterativoCancelamentoVidalink", {0}}}
            << json{call("InformaProdutoCancelamentoVidalink", {1, "P1", 2}),
                    call("InformaProdutoCancelamentoVidalink", {2, "P2", 1}),
                    call("IniciaFuncaoKavexInterativoCancelamentoVidalink",
                         {0, 2, "111", fiscal, "D", "T", "12345", fiscal, hora, "Opx"})};
        QTest::newRow("total Vidalink cancellation")
            << json{{"kind", "Cancelamento Vidalink"},
                    {"saleReceipt", "111"},
                    {"saleDate", "20231130"},
                    {"document", "D"},
                    {"terminal", "T"},
                    {"fiscalReceipt", "NF"}}
            << json{{"IniciaFuncaoKavexInterativoCancelamentoVidalink", {0}}}
            << json{call("IniciaFuncaoKavexInterativoCancelamentoVidalink",
                         {1, 1, "111", "20231130", "D", "T", "NF", fiscal, hora, "Opx"})};
        QTest::newRow("Vidalink consultation, product by product")
            << json{{"kind", "Consulta Vidalink"}, {"authorization", "11111"}, {"products", {"100004", "100005"}}}
            << json::object()
            << json{call("IniciaFuncaoKavexInterativoConsultaVidalink", {"11111", "0", "12345", fiscal, hora, "Opx"}),
                    call("IniciaFuncaoKavexInterativoConsultaVidalink",
                         {"11111", "100004", "12345", fiscal, hora, "Opx"}),
                    call("IniciaFuncaoKavexInterativoConsultaVidalink",
                         {"11111", "100005", "12345", fiscal, hora, "Opx"})};
        QTest::newRow("Vidalink consultation of all products")
            << json{{"kind", "Consulta Vidalink"}, {"authorization", "11111"}, {"allProducts", true}} << json::object()
            << json{call("IniciaFuncaoKavexInterativoConsultaVidalink", {"11111", "1", "12345", fiscal, hora, "Opx"})};
        QTest::newRow("configuration")
            << json{{"kind", "Configura"}, {"address", "h"}, {"store", "E"}, {"terminal", "T"}} << json::object()
            << json{call("ConfiguraIntKavexInterativo", {"h", "E", "T", 0})};
    }
    void kinds() {
        QFETCH(json, inicio);
        QFETCH(json, respostasBiblioteca);
        QFETCH(json, chamadas);
        platform::clock::setFixed(QDateTime(QDate(2024, 1, 2), QTime(10, 11, 12)));
        const json caso = {{"name", "k"}, {"start", inicio}, {"expect", {{"result", 0}}}};
        const roteiro::Roteiro script = roteiro::leRoteiroDeTexto(texto({{"cases", {caso}}}), QStringLiteral("s.json"));
        if (!respostasBiblioteca.empty()) {
            m_sim->script(respostasBiblioteca);
        }
        const auto resultados = roteiro::Execucao(script, m_sim->library()).executa();
        platform::clock::clearFixed();
        QVERIFY2(resultados.front().passou(), qPrintable(resultados.front().motivo));
        nlohmann::json feitas = nlohmann::json::array();
        for (const auto& c : m_sim->callsMade()) {
            if (c["fn"] != "ContinuaFuncaoKavexInterativo") {
                feitas.push_back(c);
            }
        }
        KAVEX_COMPARE_JSON(feitas, chamadas);
    }

    // A question unanswered or an answer of the wrong kind ends the function
    // with -1 at once, so the library is never left in the middle of one.
    void endedFunctions_data() {
        QTest::addColumn<json>("respostas");
        QTest::addColumn<bool>("erroRoteiro");
        QTest::newRow("unanswered") << json::array() << false;
        QTest::newRow("yes/no given to a menu") << json{true} << true;
    }
    void endedFunctions() {
        QFETCH(json, respostas);
        QFETCH(bool, erroRoteiro);
        const roteiro::Roteiro script =
            roteiro::leRoteiroDeTexto(texto(roteiroDe({debito(respostas), debito({"1"})})), QStringLiteral("s.json"));
        roteiro::Execucao execucao(script, m_sim->library());
        const auto resultados = execucao.executa();
        QCOMPARE(execucao.erroRoteiro().has_value(), erroRoteiro);
        QCOMPARE(execucao.parada().has_value(), erroRoteiro);
        QCOMPARE(resultados.front().veredito, erroRoteiro ? roteiro::Veredito::Erro : roteiro::Veredito::Falhou);
        QCOMPARE(resultados.back().veredito, erroRoteiro ? roteiro::Veredito::NaoExecutado : roteiro::Veredito::Passou);
        const auto continuas = m_sim->calls("ContinuaFuncaoKavexInterativo");
        QVERIFY(std::any_of(continuas.begin(), continuas.end(), [](const json& c) { return c["args"][2] == -1; }));
        const auto fim =
            std::find_if(continuas.begin(), continuas.end(), [](const json& c) { return c["ret"] != 10000; });
        QVERIFY(fim != continuas.end());
        QCOMPARE((*fim)["ret"].get<int>(), -7);
    }

    // A run asked to stop ends the function in progress with -1 and starts
    // no other case.
    void interrupted() {
        const roteiro::Roteiro script =
            roteiro::leRoteiroDeTexto(texto(roteiroDe({debito({"1"}), debito({"1"})})), QStringLiteral("s.json"));
        roteiro::Execucao execucao(script, m_sim->library());
        int perguntas = 0;
        execucao.defineInterrupcao([&] { return ++perguntas > 3; });
        const auto resultados = execucao.executa();
        QVERIFY(execucao.interrompida());
        QCOMPARE(execucao.parada(), std::optional<QString>("execução interrompida"));
        QCOMPARE(resultados.front().motivo, QStringLiteral("execução interrompida"));
        QCOMPARE(resultados.front().veredito, roteiro::Veredito::Erro);
        QCOMPARE(resultados.back().veredito, roteiro::Veredito::NaoExecutado);
        const auto continuas = m_sim->calls("ContinuaFuncaoKavexInterativo");
        QCOMPARE(continuas.back()["ret"].get<int>(), -7);
        QCOMPARE(m_sim->calls("IniciaFuncaoKavexInterativo").size(), size_t(1));
    }

    void timeBounded() {
        qputenv("KAVEX_SIM_DELAY_MS", "400");
        json lento = debito({"1", "", true});
        lento["start"] = {{"kind", "TEF"}, {"function", 3}, {"value", "9,68"}};
        lento["timeout"] = 1;
        const roteiro::Roteiro script = roteiro::leRoteiroDeTexto(texto(roteiroDe({lento})), QStringLiteral("s.json"));
        const auto resultados = roteiro::Execucao(script, m_sim->library()).executa();
        QCOMPARE(resultados.front().motivo, QStringLiteral("tempo esgotado (1 s)"));
        QCOMPARE(resultados.front().veredito, roteiro::Veredito::Erro);
        QVERIFY(resultados.front().segundos < 4);
    }

    // TAP and JUnit say the same of every case; names that look like TAP
    // directives are escaped; errors and cases not run are told apart.
    void reports() {
        using roteiro::Veredito;
        const std::vector<roteiro::ResultadoCaso> resultados = {
            {"a", Veredito::Passou, {}, 0.0000123, {"trace: T", "mensagem: M", "cupom: C"}},
            {"b # TODO \\ <&>", Veredito::Falhou, "linha 1\r\nlinha 2", 1, {}},
            {"c", Veredito::Erro, "tempo esgotado (1 s)", 2, {}},
            {"d", Veredito::NaoExecutado, {}, 0, {}}};
        QCOMPARE(roteiro::planoTap(4), QStringLiteral("TAP version 13\n1..4"));
        QCOMPARE(roteiro::linhaTap(1, resultados[0]), QStringLiteral("ok 1 - a"));
        QCOMPARE(roteiro::linhaTap(2, resultados[1]),
                 QStringLiteral("not ok 2 - b \\# TODO \\\\ <&>\n# linha 1  linha 2"));
        QCOMPARE(roteiro::linhaTap(3, resultados[2]), QStringLiteral("not ok 3 - c\n# erro: tempo esgotado (1 s)"));
        QCOMPARE(roteiro::resumoTap(resultados),
                 QStringLiteral("# 4 casos: 1 passaram, 1 falharam, 1 com erro, 1 não executados"));
        QCOMPARE(roteiro::abandonoTap("parou\naqui"), QStringLiteral("Bail out! parou aqui"));
        const QDateTime inicio(QDate(2026, 12, 10), QTime(3, 4, 5));
        QXmlStreamReader xml(roteiro::relatorioJUnit({"/x/cert.json", inicio, "maquina"}, resultados));
        QStringList vistos;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) {
                continue;
            }
            const auto atributo = [&](const char* nome) {
                return xml.attributes().value(QLatin1String(nome)).toString();
            };
            if (xml.name() == u"testsuite") {
                vistos << QStringList{atributo("name"),    atributo("tests"),   atributo("failures"),
                                      atributo("errors"),  atributo("skipped"), atributo("timestamp"),
                                      atributo("hostname")}
                              .join(u' ');
            } else if (xml.name() == u"testcase") {
                vistos << atributo("name") + u' ' + atributo("time");
            } else if (xml.name() == u"system-out") {
                vistos << xml.readElementText();
            } else if (xml.name() != u"testsuites") {
                vistos << xml.name().toString() + u':' + atributo("message");
            }
        }
        QVERIFY(!xml.hasError());
        QCOMPARE(vistos, (QStringList{"cert 4 1 1 1 2026-12-10T03:04:05 maquina", "a 0.000012",
                                      "trace: T\nmensagem: M\ncupom: C", "b # TODO \\ <&> 1.000000",
                                      "failure:linha 1\r\nlinha 2", "c 2.000000", "error:tempo esgotado (1 s)",
                                      "d 0.000000", "skipped:não executado"}));
    }

    // A script that never ends or is too large is refused unread.
    void boundedReading() {
        try {
            roteiro::leRoteiro(QStringLiteral("/dev/zero"));
            QFAIL("an endless file was read");
        } catch (const roteiro::ErroRoteiro& erro) {
            QVERIFY2(QString::fromStdString(erro.what()).contains(u"maior que o limite de 64 MiB"), erro.what());
        }
    }

    // The JSON Schema in examples/ names the keys the reader takes, object by
    // object and start kind by start kind.
    void schemaMatchesTheReader() {
        QFile arquivo(QStringLiteral(KAVEX_PROJECT_SOURCE_DIR "/examples/roteiro.schema.json"));
        QVERIFY(arquivo.open(QIODevice::ReadOnly));
        const json esquema = json::parse(arquivo.readAll().toStdString());
        const auto chaves = [](const json& objeto) {
            QStringList lista;
            for (const auto& [chave, valor] : objeto["properties"].items()) {
                lista << QString::fromStdString(chave);
            }
            lista.sort();
            return lista;
        };
        std::map<QString, QStringList> doEsquema = {{"roteiro", chaves(esquema)}};
        for (const auto& [nome, definicao] : esquema["$defs"].items()) {
            if (definicao.contains("properties")) {
                doEsquema[QString::fromStdString(nome)] = chaves(definicao);
            }
        }
        for (const json& inicio : esquema["$defs"]["start"]["oneOf"]) {
            doEsquema["start:" + QString::fromStdString(inicio["properties"]["kind"]["const"])] = chaves(inicio);
        }
        for (auto [nome, lista] : roteiro::chavesDoFormato()) {
            lista.sort();
            QCOMPARE(doEsquema[nome], lista);
        }
    }

private:
    std::unique_ptr<harness::Simulator> m_sim;
};

QTEST_GUILESS_MAIN(TstRoteiro)
#include "tst_roteiro.moc"
