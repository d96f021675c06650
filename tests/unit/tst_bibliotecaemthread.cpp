// The library on a thread of its own: one thread for every call, in order,
// outputs back in the caller's buffers, the caller's events going on during a
// slow call, and the direct read's interrupt reaching the library at once.

#include "BibliotecaNula.h"

#include "library/BibliotecaEmThread.h"

#include <QTest>
#include <QTimer>

#include <condition_variable>
#include <cstring>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Long enough never to be reached when all goes well; a call that waits this
// long means the event or the interrupt it waited for never came.
constexpr auto kPrazo = 5s;
constexpr int32_t kInterrompida = 1;
constexpr int32_t kPrazoEsgotado = -99;

// Records on which thread each call ran and in what order; the direct read
// lasts until it is interrupted, and LeTrilha3 until the test releases it.
class BibliotecaEspia : public harness::BibliotecaNula {
public:
    struct Chamada {
        QString funcao;
        std::thread::id thread;
    };

    std::vector<Chamada> chamadas() {
        const std::lock_guard trava(mutex_);
        return chamadas_;
    }
    void libera() { sinaliza(liberada_); }

    QStringList missingFunctions() const override { return ausentes; }
    QStringList ausentes;

    int32_t ConfiguraIntKavexInterativo(const char* endereco, const char*, const char*, int32_t n) override {
        registra(QStringLiteral("Configura %1 %2").arg(QString::fromLatin1(endereco)).arg(n));
        return n;
    }
    int32_t ContinuaFuncaoKavexInterativo(int32_t* comando, int32_t* tipoCampo, int16_t* minimo, int16_t* maximo,
                                          char* buffer, int32_t tamanho, int32_t continua) override {
        registra(QStringLiteral("Continua %1").arg(continua));
        *comando = 21;
        *tipoCampo = 150;
        *minimo = 2;
        *maximo = 9;
        std::strncpy(buffer, "1:A;2:B;", static_cast<size_t>(tamanho));
        return 10000;
    }
    int32_t LeCartaoDireto(const char*, char* trilha1, char* trilha2) override {
        registra(QStringLiteral("LeCartaoDireto"));
        const bool interrompida = espera(interrompida_);
        std::strcpy(trilha1, "B4000");
        std::strcpy(trilha2, "4000=29");
        return interrompida ? kInterrompida : kPrazoEsgotado;
    }
    int32_t InterrompeLeCartaoDireto() override {
        registra(QStringLiteral("InterrompeLeCartaoDireto"));
        sinaliza(interrompida_);
        return 0;
    }
    int32_t LeTrilha3(const char* mensagem) override {
        registra(QStringLiteral("LeTrilha3 ") + QString::fromLatin1(mensagem));
        return espera(liberada_) ? 0 : kPrazoEsgotado;
    }
    int32_t LeSenhaDireto(const char*, char* senha) override {
        registra(QStringLiteral("LeSenhaDireto"));
        std::strcpy(senha, "0123456789ABCDEF");
        return 0;
    }
    int16_t ValidaCampoCodigoEmBarras(const char* digitos, int16_t* tipo) override {
        registra(QStringLiteral("Valida ") + QString::fromLatin1(digitos));
        *tipo = 2;
        return 7;
    }
    int32_t EnviaRecebeKavexDireto(int16_t, int16_t, int32_t, const char*, int16_t, char* resposta, int16_t,
                                   int16_t* codigo, int16_t, const char*, const char*, const char*, const char*,
                                   int16_t) override {
        registra(QStringLiteral("EnviaRecebe"));
        std::strcpy(resposta, "00OK");
        *codigo = 55;
        return 3;
    }

private:
    void registra(const QString& funcao) {
        const std::lock_guard trava(mutex_);
        chamadas_.push_back({funcao, std::this_thread::get_id()});
    }
    bool espera(bool& marca) {
        std::unique_lock trava(mutex_);
        const bool chegou = sinal_.wait_for(trava, kPrazo, [&] { return marca; });
        marca = false;
        return chegou;
    }
    void sinaliza(bool& marca) {
        {
            const std::lock_guard trava(mutex_);
            marca = true;
        }
        sinal_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable sinal_;
    std::vector<Chamada> chamadas_;
    bool interrompida_ = false;
    bool liberada_ = false;
};

using Chamada = std::function<QString(KavexLibrary&)>;

} // namespace

Q_DECLARE_METATYPE(Chamada)

class TestBibliotecaEmThread : public QObject {
    Q_OBJECT
private slots:
    void saidasVoltamDaThreadDaBiblioteca_data();
    void saidasVoltamDaThreadDaBiblioteca();
    void todasAsChamadasNumaSoThreadEmOrdem();
    void eventosSeguemDuranteChamadaLenta();
    void interrupcaoChegaDuranteALeitura();
    void funcaoAusenteFicaNaThreadDoChamador();
};

void TestBibliotecaEmThread::saidasVoltamDaThreadDaBiblioteca_data() {
    QTest::addColumn<Chamada>("chamada");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("resultado e texto de entrada")
        << Chamada([](KavexLibrary& b) { return QString::number(b.ConfiguraIntKavexInterativo("host", "1", "2", 42)); })
        << QStringLiteral("42");
    QTest::newRow("laço: quatro números e o buffer") << Chamada([](KavexLibrary& b) {
        int32_t comando = 0, tipo = 0;
        int16_t minimo = 0, maximo = 0;
        char buffer[32] = {};
        const int32_t r = b.ContinuaFuncaoKavexInterativo(&comando, &tipo, &minimo, &maximo, buffer, 32, -1);
        return QStringLiteral("%1 %2 %3 %4 %5 %6").arg(r).arg(comando).arg(tipo).arg(minimo).arg(maximo).arg(buffer);
    }) << QStringLiteral("10000 21 150 2 9 1:A;2:B;");
    QTest::newRow("senha") << Chamada([](KavexLibrary& b) {
        char senha[21] = {};
        const int32_t r = b.LeSenhaDireto("wk", senha);
        return QStringLiteral("%1 %2").arg(r).arg(senha);
    }) << QStringLiteral("0 0123456789ABCDEF");
    QTest::newRow("resultado de 16 bits e tipo") << Chamada([](KavexLibrary& b) {
        int16_t tipo = 0;
        const int16_t r = b.ValidaCampoCodigoEmBarras("8765", &tipo);
        return QStringLiteral("%1 %2").arg(r).arg(tipo);
    }) << QStringLiteral("7 2");
    QTest::newRow("transação direta") << Chamada([](KavexLibrary& b) {
        char resposta[16] = {};
        int16_t codigo = 0;
        const int32_t r =
            b.EnviaRecebeKavexDireto(1, 2, 0, "x", 1, resposta, 16, &codigo, 30, "1", "2", "3", "Teste", 0);
        return QStringLiteral("%1 %2 %3").arg(r).arg(resposta).arg(codigo);
    }) << QStringLiteral("3 00OK 55");
}

void TestBibliotecaEmThread::saidasVoltamDaThreadDaBiblioteca() {
    QFETCH(Chamada, chamada);
    QFETCH(QString, esperado);
    BibliotecaEspia espia;
    BibliotecaEmThread biblioteca(espia);
    QCOMPARE(chamada(biblioteca), esperado);
    const auto chamadas = espia.chamadas();
    QCOMPARE(chamadas.size(), size_t(1));
    QCOMPARE(chamadas[0].thread, biblioteca.idThread());
    QVERIFY(chamadas[0].thread != std::this_thread::get_id());
}

// A call made while another waits (from an event the wait processed) goes to
// the same thread after it.
void TestBibliotecaEmThread::todasAsChamadasNumaSoThreadEmOrdem() {
    BibliotecaEspia espia;
    BibliotecaEmThread biblioteca(espia);
    constexpr int kChamadas = 2000;
    for (int i = 0; i < kChamadas; ++i) {
        biblioteca.ConfiguraIntKavexInterativo("h", "", "", i);
    }
    int32_t durante = -1;
    QTimer::singleShot(20ms, [&] {
        espia.libera();
        durante = biblioteca.ConfiguraIntKavexInterativo("durante", "", "", 0);
    });
    QCOMPARE(biblioteca.LeTrilha3("lenta"), 0);
    QCOMPARE(durante, 0);

    const auto chamadas = espia.chamadas();
    QCOMPARE(chamadas.size(), size_t(kChamadas + 2));
    for (int i = 0; i < kChamadas; ++i) {
        QCOMPARE(chamadas[size_t(i)].funcao, QStringLiteral("Configura h %1").arg(i));
    }
    QCOMPARE(chamadas[kChamadas].funcao, QStringLiteral("LeTrilha3 lenta"));
    QCOMPARE(chamadas[kChamadas + 1].funcao, QStringLiteral("Configura durante 0"));
    for (const auto& c : chamadas) {
        QCOMPARE(c.thread, biblioteca.idThread());
    }
}

// The library holds the call until the caller's timer, which only an event
// loop running during the wait can fire, releases it.
void TestBibliotecaEmThread::eventosSeguemDuranteChamadaLenta() {
    BibliotecaEspia espia;
    BibliotecaEmThread biblioteca(espia);
    int disparos = 0;
    QTimer relogio;
    connect(&relogio, &QTimer::timeout, [&] {
        if (++disparos == 3) {
            espia.libera();
        }
    });
    relogio.start(5ms);
    QCOMPARE(biblioteca.LeTrilha3("lenta"), 0);
    QVERIFY(disparos >= 3);
}

void TestBibliotecaEmThread::interrupcaoChegaDuranteALeitura() {
    BibliotecaEspia espia;
    BibliotecaEmThread biblioteca(espia);
    QTimer::singleShot(20ms, [&] { biblioteca.InterrompeLeCartaoDireto(); });
    char trilha1[129] = {};
    char trilha2[65] = {};
    QCOMPARE(biblioteca.LeCartaoDireto("passe", trilha1, trilha2), kInterrompida);
    QCOMPARE(QLatin1String(trilha1), QLatin1String("B4000"));
    QCOMPARE(QLatin1String(trilha2), QLatin1String("4000=29"));
    const auto chamadas = espia.chamadas();
    QCOMPARE(chamadas.size(), size_t(2));
    QCOMPARE(chamadas[1].funcao, QStringLiteral("InterrompeLeCartaoDireto"));
    QCOMPARE(chamadas[1].thread, std::this_thread::get_id());
}

// The loader reports a missing function in a box, which only the caller's
// thread may show.
void TestBibliotecaEmThread::funcaoAusenteFicaNaThreadDoChamador() {
    BibliotecaEspia espia;
    espia.ausentes = {QStringLiteral("ConfiguraIntKavexInterativo")};
    BibliotecaEmThread biblioteca(espia);
    QCOMPARE(biblioteca.missingFunctions(), espia.ausentes);
    biblioteca.ConfiguraIntKavexInterativo("h", "", "", 1);
    char senha[21] = {};
    biblioteca.LeSenhaDireto("wk", senha);
    const auto chamadas = espia.chamadas();
    QCOMPARE(chamadas.size(), size_t(2));
    QCOMPARE(chamadas[0].thread, std::this_thread::get_id());
    QCOMPARE(chamadas[1].thread, biblioteca.idThread());
}

QTEST_GUILESS_MAIN(TestBibliotecaEmThread)
#include "tst_bibliotecaemthread.moc"
