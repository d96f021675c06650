// Recording a session with --record: the log written is the simulator's
// own call-log format, holds no full card number, and played back by the
// simulator gives the session again, trace line by trace line.

#include "nucleo/OperadorRoteiro.h"
#include "nucleo/Simulador.h"

#include "core/EstadoConsole.h"
#include "fluxos/Inicio.h"
#include "fluxos/LacoComandos.h"
#include "library/BibliotecaGravada.h"
#include "roteiro/Comparacao.h"

#include <QThread>

using nlohmann::json;

namespace {

// A debit as a scripted library plays it: a menu, a track with a card
// number, a PIN block made of digits only, a receipt naming the card, the
// approval.
const json kSessao = {
    {"ConfiguraIntKavexInterativo", {0}},
    {"IniciaFuncaoKavexInterativo", {10000}},
    {"ContinuaFuncaoKavexInterativo",
     {{{"command", 21}, {"min", 1}, {"max", 1}, {"text", "1:À Vista;2:Pré-datado;"}},
      {{"command", 0}, {"fieldType", 151}, {"text", "5555444433331111=30122010000000000000"}},
      {{"command", 0}, {"fieldType", 153}, {"text", "1234567890123456"}},
      {{"command", 0}, {"fieldType", 121}, {"text", "CUPOM DE TESTE\nCARTAO 5555444433331111\nR$ 10,00"}},
      {{"command", 2}, {"text", "TRANSAÇÃO APROVADA"}},
      {{"return", 0}}}},
    {"FinalizaTransacaoKavexInterativo", {0}},
};

struct Sessao {
    QStringList trace;
    QStringList eventos;
};

Sessao executa(KavexLibrary& biblioteca) {
    EstadoConsole estado;
    harness::OperadorRoteiro operador({"1"});
    operador.escolhaCupom = LacoComandos::Confirma;
    biblioteca.ConfiguraIntKavexInterativo("localhost", "00000000", "SW000001", 0);
    fluxos::CamposInicio campos;
    campos.grupoTEF = fluxos::CamposInicio::TEF;
    campos.funcao = QStringLiteral("2");
    campos.valor = QStringLiteral("10,00");
    fluxos::iniciaFuncao(campos, estado, biblioteca, operador);
    LacoComandos(estado, biblioteca, operador).ContinuaFuncao();
    return {operador.trace, operador.eventos};
}

// Every text in the value masked as the recording masks it.
json mascarado(const json& valor) {
    if (valor.is_string()) {
        return gravacao::mascaraCartoes(QString::fromStdString(valor.get<std::string>())).toStdString();
    }
    if (!valor.is_structured()) {
        return valor;
    }
    json copia = valor;
    for (auto& item : copia) {
        item = mascarado(item);
    }
    return copia;
}

// A field's buffer as a recording keeps it.
json comoCampo(const json& valor, const json& tipoCampo) {
    const QString texto = QString::fromStdString(valor.get<std::string>());
    const int tipo = tipoCampo.is_number() ? tipoCampo.get<int>() : 0;
    return (tipo == 150 || tipo == 151 ? gravacao::mascaraTrilha(texto)
            : tipo == 153              ? gravacao::kMarcaSenha
                                       : gravacao::mascaraCartoes(texto))
        .toStdString();
}

std::vector<json> linhas(const QString& caminho) {
    std::vector<json> lidas;
    for (const QByteArray& linha : harness::readFile(caminho).split('\n')) {
        if (!linha.isEmpty()) {
            lidas.push_back(json::parse(linha.toStdString()));
        }
    }
    return lidas;
}

} // namespace

class TstGravacao : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_sim = std::make_unique<harness::Simulator>();
        QVERIFY(m_sim->ok());
    }
    void cleanup() { m_sim.reset(); }

    // Only the masked card number is kept: tracks lose all else, and
    // elsewhere only numbers that pass the Luhn check are masked.
    void masking_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("gravado");
        QTest::newRow("card number, 16 digits") << "4111111111111111"
                                                << "411111******1111";
        QTest::newRow("13 and 15 digits") << "6011000990139424 378282246310005"
                                          << "601100******9424 378282*****0005";
        QTest::newRow("track 1 in a text") << "T1 B4111111111111111^TESTE/SIM^3012201001 fim"
                                           << "T1 B411111******1111^*^* fim";
        QTest::newRow("track 2 in a text") << "4000000000000002=30122010000"
                                           << "400000******0002=*";
        QTest::newRow("a date-time stays") << "20261210101133"
                                           << "20261210101133";
        QTest::newRow("a CNPJ stays") << "CNPJ 11222333000181"
                                      << "CNPJ 11222333000181";
        QTest::newRow("19 digits failing Luhn stay") << "1234567890123456789"
                                                     << "1234567890123456789";
        QTest::newRow("a bar code stays") << "00190000090120711300009000206186538600000004000"
                                          << "00190000090120711300009000206186538600000004000";
    }
    void masking() {
        QFETCH(QString, texto);
        QFETCH(QString, gravado);
        QCOMPARE(gravacao::mascaraCartoes(texto), gravado);
    }

    void tracks_data() {
        QTest::addColumn<QString>("trilha");
        QTest::addColumn<QString>("gravada");
        QTest::newRow("track 1") << "B4111111111111111^CARTAO DE TESTE/SIMULADOR^30122010000000000000"
                                 << "B411111******1111^*^*";
        QTest::newRow("track 2") << "4111111111111111=30122010000000000000"
                                 << "411111******1111=*";
        QTest::newRow("sentinels, a number failing Luhn") << ";1234567890123456=2512?"
                                                          << ";123456******3456=*";
        QTest::newRow("no separator") << "1234567890123456"
                                      << "123456******3456";
    }
    void tracks() {
        QFETCH(QString, trilha);
        QFETCH(QString, gravada);
        QCOMPARE(gravacao::mascaraTrilha(trilha), gravada);
    }

    // Two recordings of one script: durations, dates and times aside, every
    // other difference named with its call, function and both values.
    void comparison_data() {
        QTest::addColumn<QByteArray>("b");
        QTest::addColumn<QStringList>("diferencas");
        QTest::newRow("only durations, dates and times")
            << QByteArray(
                   R"({"fn":"IniciaFuncaoKavexInterativo","args":[2,"10,00","1","20270101","235959","Op","[]"],"ret":10000,"ms":9}
{"fn":"ContinuaFuncaoKavexInterativo","args":["",20001,0],"ret":10000,"ms":1,"out":{"buffer":"DATA 01/01/2027 HORA 23:59:59 20270101235959 HORA=235959","command":0}}
)") << QStringList{};
        QTest::newRow("an argument, a result, an output")
            << QByteArray(
                   R"({"fn":"IniciaFuncaoKavexInterativo","args":[2,"99,00","1","20261210","101133","Op","[]"],"ret":-4,"ms":0.1}
{"fn":"ContinuaFuncaoKavexInterativo","args":["",20001,0],"ret":10000,"ms":0.1,"out":{"buffer":"NSU 000002","command":0}}
)")
            << QStringList{"chamada 1 (IniciaFuncaoKavexInterativo), argumento 2: A \"10,00\", B \"99,00\"",
                           "chamada 1 (IniciaFuncaoKavexInterativo), resultado: A 10000, B -4",
                           "chamada 2 (ContinuaFuncaoKavexInterativo), saída buffer: A \"DATA 10/12/2026 HORA 10:11:33 "
                           "20261210101133 HORA=101133\", B \"NSU 000002\""};
        QTest::newRow("another function, a call more")
            << QByteArray(
                   R"({"fn":"IniciaFuncaoKavexInterativo","args":[2,"10,00","1","20261210","101133","Op","[]"],"ret":10000,"ms":0.1}
{"fn":"FinalizaTransacaoKavexInterativo","args":[1,"1","20261210","101133"],"ret":0,"ms":0.1}
{"fn":"VerificaPresencaPinPad","args":[],"ret":1,"ms":0.1}
)")
            << QStringList{"chamada 2 (ContinuaFuncaoKavexInterativo), função: A \"ContinuaFuncaoKavexInterativo\", B "
                           "\"FinalizaTransacaoKavexInterativo\"",
                           "chamada 3 (VerificaPresencaPinPad): só em B"};
    }
    void comparison() {
        QFETCH(QByteArray, b);
        QFETCH(QStringList, diferencas);
        const QByteArray a =
            R"({"fn":"IniciaFuncaoKavexInterativo","args":[2,"10,00","1","20261210","101133","Op","[]"],"ret":10000,"ms":0.1}
{"fn":"script","path":"x","error":"y"}
{"fn":"ContinuaFuncaoKavexInterativo","args":["",20001,0],"ret":10000,"ms":0.1,"out":{"buffer":"DATA 10/12/2026 HORA 10:11:33 20261210101133 HORA=101133","command":0}}
)";
        QCOMPARE(roteiro::comparaGravacoes(a, "A", b, "B"), diferencas);
    }

    void playedBackLineByLine() {
        m_sim->script(kSessao);
        const QString caminho = m_sim->folder() + QStringLiteral("/sessao.jsonl");
        QString erro;
        std::unique_ptr<BibliotecaGravada> gravada = BibliotecaGravada::abre(caminho, m_sim->library(), erro);
        QVERIFY2(gravada, qPrintable(erro));
        const Sessao original = executa(*gravada);
        const std::vector<json> doSimulador = m_sim->calls();
        gravada.reset();

        // The recording is the simulator's own log, texts masked, plus the
        // time each call took.
        const std::vector<json> gravadas = linhas(caminho);
        QCOMPARE(gravadas.size(), doSimulador.size());
        json tipoAnterior = 0;
        for (size_t i = 0; i < gravadas.size(); ++i) {
            KAVEX_COMPARE_JSON(gravadas[i]["fn"], doSimulador[i]["fn"]);
            KAVEX_COMPARE_JSON(gravadas[i]["ret"], doSimulador[i]["ret"]);
            // The buffer sent back after a field still holds the field.
            json args = mascarado(doSimulador[i]["args"]);
            if (doSimulador[i]["fn"] == "ContinuaFuncaoKavexInterativo") {
                args[0] = comoCampo(doSimulador[i]["args"][0], tipoAnterior);
                tipoAnterior = doSimulador[i]["out"].value("fieldType", json(0));
            }
            KAVEX_COMPARE_JSON(gravadas[i]["args"], args);
            QVERIFY(gravadas[i]["ms"].is_number());
            const json saidas = doSimulador[i].contains("out") ? doSimulador[i]["out"] : json::object();
            for (const auto& [chave, valor] : saidas.items()) {
                KAVEX_COMPARE_JSON(gravadas[i]["out"][chave],
                                   chave == "buffer" ? comoCampo(valor, saidas["fieldType"]) : mascarado(valor));
            }
        }
        const QByteArray gravado = harness::readFile(caminho);
        QVERIFY(!gravado.contains("5555444433331111"));
        QVERIFY(!gravado.contains("1234567890123456"));
        QVERIFY(!gravado.contains("=3012"));

        qputenv("KAVEX_SIM_SCRIPT", caminho.toLocal8Bit());
        m_sim->clearLog();
        const Sessao reproduzida = executa(m_sim->library());
        QCOMPARE(reproduzida.trace.size(), original.trace.size());
        for (int i = 1; i < original.trace.size(); i += 2) {
            const int tipo = original.trace[i - 1].section(u' ', -1).toInt();
            const QString buffer = original.trace[i].mid(qsizetype(std::strlen("Buffer = ")));
            QCOMPARE(reproduzida.trace[i], "Buffer = " + QString::fromStdString(comoCampo(buffer.toStdString(), tipo)));
        }
        QCOMPARE(reproduzida.eventos.size(), original.eventos.size());
    }

    // InterrompeLeCartaoDireto may come from another thread while a call
    // runs: every line is still written whole.
    void callsFromTwoThreads() {
        const QString caminho = m_sim->folder() + QStringLiteral("/threads.jsonl");
        QString erro;
        std::unique_ptr<BibliotecaGravada> gravada = BibliotecaGravada::abre(caminho, m_sim->library(), erro);
        QVERIFY(gravada);
        constexpr int kChamadas = 300;
        QThread* outra = QThread::create([&] {
            for (int i = 0; i < kChamadas; ++i) {
                gravada->InterrompeLeCartaoDireto();
            }
        });
        outra->start();
        for (int i = 0; i < kChamadas; ++i) {
            gravada->ValidaCampoCodigoEmBarras("8", nullptr);
        }
        outra->wait();
        delete outra;
        QCOMPARE(linhas(caminho).size(), size_t(2 * kChamadas));
    }

    void unwritableFile() {
        QString erro;
        QVERIFY(!BibliotecaGravada::abre(m_sim->folder() + "/nao/existe.jsonl", m_sim->library(), erro));
        QVERIFY(!erro.isEmpty());
    }

private:
    std::unique_ptr<harness::Simulator> m_sim;
};

QTEST_GUILESS_MAIN(TstGravacao)
#include "tst_gravacao.moc"
