// The library in a host process: it sees the same calls and gives back the
// same outputs as in the console's process, the interrupt reaches a read that
// runs, and an unattended run outlives a library that crashes, hangs or
// exits.

#include "nucleo/Simulador.h"

#include "library/BibliotecaEmThread.h"
#include "library/BibliotecaGravada.h"
#include "library/BibliotecaHospedada.h"
#include "library/LoadedLibrary.h"
#include "roteiro/Execucao.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <future>
#include <nlohmann/json.hpp>

namespace {

using namespace std::chrono_literals;
using Chamada = std::function<QByteArray(KavexLibrary&)>;

std::unique_ptr<BibliotecaHospedada> hospeda(const char* caminho) {
    QString erro;
    auto hospedada =
        BibliotecaHospedada::inicia(QString::fromLocal8Bit(caminho), QStringLiteral(KAVEX_HOST_PATH), erro);
    if (!hospedada) {
        qWarning("%s", qPrintable(erro));
    }
    return hospedada;
}

template <size_t N> QByteArray bytes(const std::array<char, N>& a) {
    return QByteArray(a.data(), qsizetype(N));
}

// Buffers start with something in them, so what goes in travels too.
template <size_t N> std::array<char, N> preenchido() {
    std::array<char, N> a{};
    std::memcpy(a.data(), "entrada", 7);
    return a;
}

QByteArray resultado(int32_t r) {
    return QByteArray::number(r) + ':';
}

// A script of three sales, the second by the bank correspondent's start.
QString roteiroTres(const QTemporaryDir& pasta, int tempoLimite) {
    using nlohmann::json;
    const json venda = {{"name", "venda"},
                        {"start", {{"kind", "TEF"}, {"function", 2}, {"value", "1,00"}}},
                        {"receipt", "Confirma"},
                        {"expect", {{"result", 0}}}};
    json correspondente = venda;
    correspondente["name"] = "correspondente";
    correspondente["start"] = {{"kind", "Corresp.Banc."}};
    json outra = venda;
    outra["name"] = "outra venda";
    const json roteiro = {
        {"configure", {{"address", "localhost"}}}, {"timeout", tempoLimite}, {"cases", {venda, correspondente, outra}}};
    const QString caminho = pasta.filePath(QStringLiteral("roteiro.json"));
    harness::writeFile(caminho, QByteArray::fromStdString(roteiro.dump()));
    return caminho;
}

} // namespace

class TstHospedeiro : public QObject {
    Q_OBJECT
private slots:
    void saidasComoEmProcesso_data();
    void saidasComoEmProcesso();
    void cargaComoEmProcesso();
    void interrupcaoChegaDuranteALeitura();
    void janelaEsperaNoProprioLaco_data();
    void janelaEsperaNoProprioLaco();
    void execucaoSobreviveABiblioteca_data();
    void execucaoSobreviveABiblioteca();
};

void TstHospedeiro::saidasComoEmProcesso_data() {
    QTest::addColumn<Chamada>("chamada");
    QTest::newRow("loop buffer with no zero") << Chamada([](KavexLibrary& b) {
        b.IniciaFuncaoKavexInterativo(2, "1,00", "1", "20240101", "101010", "Opx", "[]");
        int32_t comando = 7, tipo = 7;
        int16_t minimo = 7, maximo = 7;
        auto buffer = preenchido<KAVEX_TAM_BUFFER_INTERATIVO>();
        const int32_t r = b.ContinuaFuncaoKavexInterativo(&comando, &tipo, &minimo, &maximo, buffer.data(),
                                                          KAVEX_TAM_BUFFER_INTERATIVO, 0);
        return resultado(r) + QByteArray::number(comando) + QByteArray::number(tipo) + QByteArray::number(minimo) +
               QByteArray::number(maximo) + bytes(buffer);
    });
    QTest::newRow("tracks to the last byte") << Chamada([](KavexLibrary& b) {
        auto t1 = preenchido<KAVEX_TAM_TRILHA1>();
        auto t2 = preenchido<KAVEX_TAM_TRILHA2>();
        return resultado(b.LeCartaoDiretoEx("m", t1.data(), t2.data(), 30, 1)) + bytes(t1) + bytes(t2);
    });
    QTest::newRow("PIN block") << Chamada([](KavexLibrary& b) {
        auto senha = preenchido<KAVEX_TAM_SENHA>();
        return resultado(b.LeSenhaDireto("wk", senha.data())) + bytes(senha);
    });
    QTest::newRow("PBM authorisation") << Chamada([](KavexLibrary& b) {
        auto autorizacao = preenchido<KAVEX_TAM_COD_AUTORIZACAO>();
        return resultado(b.IniciaFuncaoKavexInterativoConsultaPBM(autorizacao.data(), "0", "1", "2", "3", "Opx", "")) +
               bytes(autorizacao);
    });
    QTest::newRow("direct reply to the last byte") << Chamada([](KavexLibrary& b) {
        const char envio[] = "linha\0outra\0";
        auto resposta = preenchido<KAVEX_TAM_RESPOSTA_DIRETA>();
        int16_t codigo = 5;
        const int32_t r = b.EnviaRecebeKavexDireto(1, 2, 3, envio, sizeof envio, resposta.data(),
                                                   KAVEX_TAM_RESPOSTA_DIRETA, &codigo, 30, "1", "2", "3", "Opx", 0);
        return resultado(r) + QByteArray::number(codigo) + bytes(resposta);
    });
    QTest::newRow("short result and kind") << Chamada([](KavexLibrary& b) {
        int16_t tipo = 0;
        return resultado(b.ValidaCampoCodigoEmBarras("123", &tipo)) + QByteArray::number(tipo);
    });
    QTest::newRow("results at the ends of the range") << Chamada([](KavexLibrary& b) {
        return resultado(b.VerificaPresencaPinPad()) + resultado(b.EscreveMensagemPermanentePinPad("m")) +
               resultado(b.InformaProdutoCancelamentoVidalink(1, "p", 2));
    });
}

void TstHospedeiro::saidasComoEmProcesso() {
    QFETCH(Chamada, chamada);
    qputenv("KAVEX_MAL_MODO", "semzero");
    QString erro;
    const auto local = LoadedLibrary::load(QStringLiteral(KAVEX_MISBEHAVING_PATH), erro);
    const auto hospedada = hospeda(KAVEX_MISBEHAVING_PATH);
    QVERIFY(local && hospedada);
    QCOMPARE(chamada(*hospedada), chamada(*local));
    QVERIFY(!hospedada->queda());
}

void TstHospedeiro::cargaComoEmProcesso() {
    QString erroLocal, erroHospedado;
    const QString inexistente = QStringLiteral("/nao/existe/libnada.so");
    QVERIFY(!LoadedLibrary::load(inexistente, erroLocal));
    QVERIFY(!BibliotecaHospedada::inicia(inexistente, QStringLiteral(KAVEX_HOST_PATH), erroHospedado));
    QCOMPARE(erroHospedado, erroLocal);

    const auto local = LoadedLibrary::load(QStringLiteral(KAVEX_PARTIAL_PATH), erroLocal);
    const auto hospedada = hospeda(KAVEX_PARTIAL_PATH);
    QVERIFY(local && hospedada);
    QCOMPARE(hospedada->missingFunctions(), local->missingFunctions());
    QString aviso;
    hospedada->setMissingReporter([&](const QString& m) { aviso = m; });
    QCOMPARE(hospedada->LeSimNaoPinPad("m"), kFuncaoAusente);
    QCOMPARE(aviso, local->missingMessage("LeSimNaoPinPad"));
}

void TstHospedeiro::interrupcaoChegaDuranteALeitura() {
    const auto hospedada = hospeda(KAVEX_QUEDA_PATH);
    QVERIFY(hospedada);
    std::array<char, KAVEX_TAM_TRILHA1> t1{};
    std::array<char, KAVEX_TAM_TRILHA2> t2{};
    auto leitura = std::async(std::launch::async, [&] { return hospedada->LeCartaoDireto("m", t1.data(), t2.data()); });
    QCOMPARE(leitura.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
    QCOMPARE(hospedada->InterrompeLeCartaoDireto(), 0);
    QCOMPARE(leitura.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    QCOMPARE(leitura.get(), -2);
    QCOMPARE(QByteArray(t1.data()), QByteArray("INTERROMPIDA"));
}

void TstHospedeiro::janelaEsperaNoProprioLaco_data() {
    QTest::addColumn<bool>("encerra");
    QTest::addColumn<int>("leitura");
    QTest::newRow("read broken off") << false << -2;
    QTest::newRow("host ended") << true << int(kBibliotecaEncerrada);
}

// The window calls a hosted library on its own thread and waits in its event
// loop; a call made from an event of that wait (here after the read was
// broken off, or the host ended) is answered after the waiting one, whose
// outputs still reach it.
void TstHospedeiro::janelaEsperaNoProprioLaco() {
    QFETCH(bool, encerra);
    QFETCH(int, leitura);
    const auto hospedada = hospeda(KAVEX_QUEDA_PATH);
    QVERIFY(hospedada);
    BibliotecaEmThread janela(*hospedada);
    QVERIFY(janela.direta());
    const pid_t primeiro = hospedada->processo();
    QStringList esperas;
    janela.defineAoEsperar([&](bool sim) { esperas << QString::fromUtf16(sim ? u"espera" : u"fim"); });
    std::array<char, KAVEX_TAM_TRILHA1> t1{};
    std::array<char, KAVEX_TAM_TRILHA2> t2{};
    int32_t durante = -1;
    QTimer::singleShot(100ms, [&] {
        if (encerra) {
            QVERIFY(janela.encerra());
        } else {
            QCOMPARE(janela.InterrompeLeCartaoDireto(), 0);
        }
        durante = janela.ConfiguraIntKavexInterativo("h", "1", "2", 0);
    });
    QCOMPARE(janela.LeCartaoDireto("m", t1.data(), t2.data()), leitura);
    QCOMPARE(durante, 0);
    QCOMPARE(QByteArray(t1.data()), encerra ? QByteArray() : QByteArray("INTERROMPIDA"));
    QCOMPARE(esperas, QStringList({QStringLiteral("espera"), QStringLiteral("fim")}));
    // Ended, the host was replaced by the configuration made meanwhile.
    QCOMPARE(hospedada->processo() != primeiro, encerra);
    QCOMPARE(janela.VerificaPresencaPinPad(), 1);
}

void TstHospedeiro::execucaoSobreviveABiblioteca_data() {
    QTest::addColumn<QByteArray>("variavel");
    QTest::addColumn<QString>("motivo");
    QTest::newRow("crash") << QByteArray("KAVEX_QUEDA_CAI")
                           << "A biblioteca terminou com o sinal SIGSEGV durante "
                              "CorrespondenteBancarioKavexInterativo (chamada nº 5 desde o início).";
    QTest::newRow("exit") << QByteArray("KAVEX_QUEDA_SAI")
                          << "A biblioteca encerrou o processo (status 3) durante "
                             "CorrespondenteBancarioKavexInterativo (chamada nº 5 desde o início).";
    QTest::newRow("hang") << QByteArray("KAVEX_QUEDA_TRAVA")
                          << "A biblioteca não respondeu a tempo e foi encerrada durante "
                             "CorrespondenteBancarioKavexInterativo (chamada nº 5 desde o início).";
}

void TstHospedeiro::execucaoSobreviveABiblioteca() {
    QFETCH(QByteArray, variavel);
    QFETCH(QString, motivo);
    qputenv(variavel.constData(), "CorrespondenteBancarioKavexInterativo");
    const auto limpa = qScopeGuard([&] { qunsetenv(variavel.constData()); });
    QTemporaryDir pasta;
    const roteiro::Roteiro script = roteiro::leRoteiro(roteiroTres(pasta, 1));
    const auto hospedada = hospeda(KAVEX_QUEDA_PATH);
    QVERIFY(hospedada);
    QString erro;
    const QString gravacao = pasta.filePath(QStringLiteral("sessao.jsonl"));
    const auto gravada = BibliotecaGravada::abre(gravacao, *hospedada, erro);
    QVERIFY(gravada);

    QElapsedTimer relogio;
    relogio.start();
    roteiro::Execucao execucao(script, *gravada);
    const std::vector<roteiro::ResultadoCaso> resultados = execucao.executa();
    QVERIFY2(relogio.elapsed() < 3000, "a hung call outlived its case's time-out");
    QCOMPARE(resultados.size(), size_t(3));
    QVERIFY2(resultados[0].passou(), qPrintable(resultados[0].motivo));
    QCOMPARE(resultados[1].veredito, roteiro::Veredito::Erro);
    QCOMPARE(resultados[1].motivo, motivo);
    QVERIFY2(resultados[2].passou(), qPrintable(resultados[2].motivo));

    // The crashed call, the line that says so with the library's last words,
    // then the fresh host configured again.
    QFile arquivo(gravacao);
    QVERIFY(arquivo.open(QIODevice::ReadOnly));
    QStringList funcoes;
    nlohmann::json queda;
    for (const QByteArray& linha : arquivo.readAll().split('\n')) {
        if (!linha.isEmpty()) {
            const auto objeto = nlohmann::json::parse(linha.toStdString());
            funcoes << QString::fromStdString(objeto["fn"].get<std::string>());
            if (objeto["fn"] == "crash") {
                queda = objeto;
            }
        }
    }
    const int onde = int(funcoes.indexOf(QStringLiteral("crash")));
    QCOMPARE(funcoes.mid(onde - 1, 3),
             QStringList({QStringLiteral("CorrespondenteBancarioKavexInterativo"), QStringLiteral("crash"),
                          QStringLiteral("ConfiguraIntKavexInterativo")}));
    QCOMPARE(QString::fromStdString(queda["what"].get<std::string>()), motivo);
    QCOMPARE(queda["stderr"].back().get<std::string>(), "kavexqueda: CorrespondenteBancarioKavexInterativo");
}

QTEST_GUILESS_MAIN(TstHospedeiro)
#include "tst_hospedeiro.moc"
