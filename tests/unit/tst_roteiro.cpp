// Operator scripts: what a script that cannot be used is told with, and how
// each case is judged when run through the flows against the simulator.

#include "nucleo/Simulador.h"

#include "roteiro/Execucao.h"
#include "roteiro/Relatorio.h"

#include <QXmlStreamReader>

using nlohmann::json;

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

json roteiroDe(json casos) {
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
            QCOMPARE(resultados[size_t(i)].passou, motivos[i].isEmpty());
        }
        // Whatever happened, nothing is left half-done: a new sale undoes nothing.
        const roteiro::Roteiro outra =
            roteiro::leRoteiroDeTexto(texto(roteiroDe({debito({"1"})})), QStringLiteral("s.json"));
        m_sim->clearLog();
        QVERIFY(roteiro::Execucao(outra, m_sim->library()).executa().front().passou);
        QVERIFY(json(m_sim->calls()).dump().find("DESFEITA") == std::string::npos);
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
        QCOMPARE(resultados.size(), erroRoteiro ? size_t(1) : size_t(2));
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
        QCOMPARE(resultados.size(), size_t(1));
        QCOMPARE(resultados.front().motivo, QStringLiteral("execução interrompida"));
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
        QVERIFY(resultados.front().segundos < 4);
    }

    void reports() {
        const std::vector<roteiro::ResultadoCaso> resultados = {{"a", true, {}, 0.5},
                                                                {"b <&>", false, "linha 1\r\nlinha 2", 1}};
        QCOMPARE(roteiro::planoTap(2), QStringLiteral("1..2"));
        QCOMPARE(roteiro::linhaTap(1, resultados[0]), QStringLiteral("ok 1 - a"));
        QCOMPARE(roteiro::linhaTap(2, resultados[1]), QStringLiteral("not ok 2 - b <&>\n# linha 1  linha 2"));
        QXmlStreamReader xml(roteiro::relatorioJUnit(QStringLiteral("/x/cert.json"), resultados));
        QStringList vistos;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement) {
                continue;
            }
            if (xml.name() == u"testsuite") {
                QCOMPARE(xml.attributes().value(QLatin1String("failures")), u"1");
                QCOMPARE(xml.attributes().value(QLatin1String("name")), u"cert");
            } else if (xml.name() != u"testsuites") {
                vistos << xml.name().toString() + u':' +
                              xml.attributes()
                                  .value(QLatin1String(xml.name() == u"testcase" ? "name" : "message"))
                                  .toString();
            }
        }
        QVERIFY(!xml.hasError());
        QCOMPARE(vistos, (QStringList{"testcase:a", "testcase:b <&>", "failure:linha 1\r\nlinha 2"}));
    }

private:
    std::unique_ptr<harness::Simulator> m_sim;
};

QTEST_GUILESS_MAIN(TstRoteiro)
#include "tst_roteiro.moc"
