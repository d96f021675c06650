// Recording a session with --record: the log written is the simulator's
// own call-log format, holds no full card number, and played back by the
// simulator gives the session again, trace line by trace line.

#include "nucleo/OperadorRoteiro.h"
#include "nucleo/Simulador.h"

#include "core/EstadoConsole.h"
#include "fluxos/Inicio.h"
#include "fluxos/LacoComandos.h"
#include "library/BibliotecaGravada.h"

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

    void masking_data() {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("gravado");
        QTest::newRow("card number") << "4111111111111111"
                                     << "411111******1111";
        QTest::newRow("track 1") << "B4111111111111111^TESTE/SIM^3012201"
                                 << "B411111******1111^TESTE/SIM^3012201";
        QTest::newRow("track 2 with its separator") << "4000000000000002=2001"
                                                    << "400000******0002=2001";
        QTest::newRow("13 and 19 digits") << "1234567890123 1234567890123456789"
                                          << "123456***0123 123456*********6789";
        QTest::newRow("12 digits stay") << "CPF 123456789012"
                                        << "CPF 123456789012";
        QTest::newRow("a bar code stays") << "00190000090120711300009000206186538600000004000"
                                          << "00190000090120711300009000206186538600000004000";
    }
    void masking() {
        QFETCH(QString, texto);
        QFETCH(QString, gravado);
        QCOMPARE(gravacao::mascaraCartoes(texto), gravado);
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
        for (size_t i = 0; i < gravadas.size(); ++i) {
            KAVEX_COMPARE_JSON(gravadas[i]["fn"], doSimulador[i]["fn"]);
            KAVEX_COMPARE_JSON(gravadas[i]["ret"], doSimulador[i]["ret"]);
            KAVEX_COMPARE_JSON(gravadas[i]["args"], mascarado(doSimulador[i]["args"]));
            QVERIFY(gravadas[i]["ms"].is_number());
            const json saidas = doSimulador[i].contains("out") ? doSimulador[i]["out"] : json::object();
            const bool pinBlock = saidas.value("fieldType", 0) == 153;
            for (const auto& [chave, valor] : saidas.items()) {
                KAVEX_COMPARE_JSON(gravadas[i]["out"][chave], pinBlock ? valor : mascarado(valor));
            }
        }
        QVERIFY(!harness::readFile(caminho).contains("5555444433331111"));
        QVERIFY(harness::readFile(caminho).contains("1234567890123456"));

        qputenv("KAVEX_SIM_SCRIPT", caminho.toLocal8Bit());
        m_sim->clearLog();
        const Sessao reproduzida = executa(m_sim->library());
        QCOMPARE(reproduzida.trace.size(), original.trace.size());
        for (int i = 0; i < original.trace.size(); ++i) {
            const bool pinBlock = i > 0 && original.trace[i - 1].endsWith(u"TipoCampo = 153");
            QCOMPARE(reproduzida.trace[i], pinBlock ? original.trace[i] : gravacao::mascaraCartoes(original.trace[i]));
        }
        QCOMPARE(reproduzida.eventos.size(), original.eventos.size());
        for (int i = 0; i < original.eventos.size(); ++i) {
            const bool pinBlock = original.eventos[i].contains(u"Senha = ");
            QCOMPARE(reproduzida.eventos[i],
                     pinBlock ? original.eventos[i] : gravacao::mascaraCartoes(original.eventos[i]));
        }
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
