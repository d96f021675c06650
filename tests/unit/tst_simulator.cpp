// Drives libkavexsim.so through dlopen, exactly as the console loads a
// library, and checks its answers, its buffer bounds and its call log.
#include "../../simulator/kavexsim_codes.h"
#include "library/kavex.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <nlohmann/json.hpp>

#include <array>
#include <cstring>
#include <dlfcn.h>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using json = nlohmann::json;

// Calls a library function by name, resolved from the loaded simulator.
#define SIM(name) (reinterpret_cast<decltype(&::name)>(dlsym(m_library, #name)))

#define COMPARE_JSON(actual, expected)                                                                                 \
    QCOMPARE(QString::fromStdString(json(actual).dump()), QString::fromStdString(json(expected).dump()))

namespace {

constexpr char kGuard = 0x5A;

// A buffer of `size` bytes followed by guard bytes that no write may reach.
template <std::size_t Size> struct Guarded {
    std::array<char, Size + 16> bytes;
    Guarded() { bytes.fill(kGuard); }
    char* data() { return bytes.data(); }
    bool guardIntact() const {
        for (std::size_t i = Size; i < bytes.size(); ++i) {
            if (bytes[i] != kGuard)
                return false;
        }
        return true;
    }
};

} // namespace

class TstSimulator : public QObject {
    Q_OBJECT

    void* m_library = nullptr;
    std::unique_ptr<QTemporaryDir> m_dir;

    QString logPath() const { return m_dir->filePath("calls.jsonl"); }

    void useScriptText(const QString& fileName, const std::string& text) {
        const QString path = m_dir->filePath(fileName);
        std::ofstream(path.toStdString(), std::ios::binary) << text;
        qputenv(KAVEXSIM_ENV_SCRIPT, path.toLocal8Bit());
    }
    void useScript(const QString& fileName, const json& script) { useScriptText(fileName, script.dump()); }

    std::vector<json> logLines() const {
        std::vector<json> lines;
        std::ifstream in(logPath().toStdString());
        for (std::string line; std::getline(in, line);)
            lines.push_back(json::parse(line));
        return lines;
    }

private slots:
    void initTestCase() {
        m_library = dlopen(KAVEX_SIM_PATH, RTLD_NOW | RTLD_LOCAL);
        QVERIFY2(m_library, dlerror());
        for (const char* name : {"ConfiguraIntKavexInterativo",
                                 "IniciaFuncaoKavexInterativo",
                                 "IniciaFuncaoAAKavexInterativo",
                                 "CorrespondenteBancarioKavexInterativo",
                                 "ContinuaFuncaoKavexInterativo",
                                 "FinalizaTransacaoKavexInterativo",
                                 "FinalizaFuncaoKavexInterativo",
                                 "FinalizaTransacaoIdentificadaKavex",
                                 "VerificaPresencaPinPad",
                                 "LeCartaoInterativo",
                                 "LeTrilha3",
                                 "LeCartaoDireto",
                                 "LeCartaoDiretoEx",
                                 "InterrompeLeCartaoDireto",
                                 "EscreveMensagemPermanentePinPad",
                                 "LeSenhaInterativo",
                                 "LeSenhaDireto",
                                 "LeSimNaoPinPad",
                                 "ValidaCampoCodigoEmBarras",
                                 "IniciaFuncaoKavexInterativoConsultaPBM",
                                 "IniciaFuncaoKavexInterativoConsultaVidalink",
                                 "IniciaFuncaoKavexInterativoVendaVidalink",
                                 "InformaProdutoVendaVidalink",
                                 "IniciaFuncaoKavexInterativoCancelamentoVidalink",
                                 "InformaProdutoCancelamentoVidalink",
                                 "EnviaRecebeKavexDireto"})
            QVERIFY2(dlsym(m_library, name), name);
    }

    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        qputenv(KAVEXSIM_ENV_LOG, logPath().toLocal8Bit());
        qputenv(KAVEXSIM_ENV_SCRIPT, "");
    }

    void cleanup() {
        qputenv(KAVEXSIM_ENV_LOG, "");
        qputenv(KAVEXSIM_ENV_SCRIPT, "");
        m_dir.reset();
    }

    void cleanupTestCase() {
        if (m_library)
            dlclose(m_library);
    }

    void configureNeedsServerAddress() {
        QCOMPARE(SIM(ConfiguraIntKavexInterativo)("10.0.0.1:5000", "00000000", "SW000001", 0), KAVEXSIM_OK);
        QCOMPARE(SIM(ConfiguraIntKavexInterativo)("", "1", "2", 0), KAVEXSIM_NO_SERVER_ADDRESS);
        QCOMPARE(SIM(ConfiguraIntKavexInterativo)(nullptr, "1", "2", 0), KAVEXSIM_NO_SERVER_ADDRESS);

        const auto lines = logLines();
        QCOMPARE(lines.size(), 3u);
        COMPARE_JSON(lines[0], json::parse(R"({"fn": "ConfiguraIntKavexInterativo",
            "args": ["10.0.0.1:5000", "00000000", "SW000001", 0], "ret": 0})"));
        COMPARE_JSON(lines[2]["args"], json::parse(R"([null, "1", "2", 0])"));
        QCOMPARE(lines[2]["ret"].get<int>(), KAVEXSIM_NO_SERVER_ADDRESS);
    }

    void beforeConfigurationFunctionsTouchNothing() {
        QCOMPARE(SIM(ConfiguraIntKavexInterativo)("", "1", "2", 0), KAVEXSIM_NO_SERVER_ADDRESS);
        QCOMPARE(SIM(VerificaPresencaPinPad)(), KAVEXSIM_NOT_CONFIGURED);
        char pin[KAVEX_TAM_SENHA] = "old";
        QCOMPARE(SIM(LeSenhaDireto)("wk", pin), KAVEXSIM_NOT_CONFIGURED);
        QCOMPARE(QByteArray(pin), QByteArray("old"));
        int32_t comando = 5, campo = 6;
        int16_t minimo = 7, maximo = 8;
        char buffer[16] = "resposta";
        QCOMPARE(SIM(ContinuaFuncaoKavexInterativo)(&comando, &campo, &minimo, &maximo, buffer, 16, -1),
                 KAVEXSIM_NOT_CONFIGURED);
        QCOMPARE(comando, 5);
        QCOMPARE(maximo, int16_t(8));
        QCOMPARE(buffer, "resposta");

        const auto lines = logLines();
        QCOMPARE(lines.size(), 4u);
        for (std::size_t i = 1; i < lines.size(); ++i) {
            QCOMPARE(lines[i]["ret"].get<int>(), KAVEXSIM_NOT_CONFIGURED);
            QVERIFY(!lines[i].contains("out"));
        }
        COMPARE_JSON(lines[2]["args"], json::parse(R"(["wk", null])"));
        COMPARE_JSON(lines[3]["args"], json::parse(R"(["resposta", 16, -1])"));

        // An empty variable switches the log off.
        qputenv(KAVEXSIM_ENV_LOG, "");
        SIM(LeSimNaoPinPad)("Confirma?");
        QCOMPARE(logLines().size(), 4u);
    }

    void scriptQueuesAnswerInOrderThenBuiltIn() {
        QCOMPARE(SIM(ConfiguraIntKavexInterativo)("", "1", "2", 0), KAVEXSIM_NO_SERVER_ADDRESS);
        useScript("queues.json", json::parse(R"({"VerificaPresencaPinPad": [1, {"return": 2}],
            "ConfiguraIntKavexInterativo": [-5], "LeSimNaoPinPad": [{}]})"));
        QCOMPARE(SIM(VerificaPresencaPinPad)(), 1);
        QCOMPARE(SIM(VerificaPresencaPinPad)(), 2);
        QCOMPARE(SIM(VerificaPresencaPinPad)(), KAVEXSIM_NOT_CONFIGURED);
        QCOMPARE(SIM(ConfiguraIntKavexInterativo)("host", "1", "2", 0), -5);
        QCOMPARE(SIM(VerificaPresencaPinPad)(), KAVEXSIM_NOT_CONFIGURED);
        QCOMPARE(SIM(ConfiguraIntKavexInterativo)("host", "1", "2", 0), KAVEXSIM_OK);
        QCOMPARE(SIM(LeSimNaoPinPad)("Confirma?"), 0);
        QCOMPARE(SIM(LeSimNaoPinPad)("Confirma?"), 1); // built in: the confirm key
        QCOMPARE(logLines().size(), 9u);
    }

    void commandLoopOutputsAndWindows1252() {
        useScript("loop.json", json::parse(R"({"IniciaFuncaoKavexInterativo": [10000],
            "ContinuaFuncaoKavexInterativo": [
              {"command": 21, "fieldType": 0, "min": 1, "max": 1, "text": "1:À Vista;2:Parcelado;Ç€"},
              {"return": 0}]})"));
        QCOMPARE(SIM(IniciaFuncaoKavexInterativo)(2, "10,00", "12345", "20240131", "093000", "Opx", "[]"),
                 KAVEX_CONTINUA_INTERATIVO);

        int32_t comando = -9, campo = -9;
        int16_t minimo = -9, maximo = -9;
        static char buffer[KAVEX_TAM_BUFFER_INTERATIVO];
        std::strcpy(buffer, "a\xE7\xE3o");
        QCOMPARE(SIM(ContinuaFuncaoKavexInterativo)(&comando, &campo, &minimo, &maximo, buffer,
                                                    KAVEX_TAM_BUFFER_INTERATIVO, 0),
                 KAVEX_CONTINUA_INTERATIVO);
        QCOMPARE(comando, 21);
        QCOMPARE(campo, 0);
        QCOMPARE(minimo, int16_t(1));
        QCOMPARE(maximo, int16_t(1));
        QCOMPARE(QByteArray(buffer), QByteArray("1:\xC0 Vista;2:Parcelado;\xC7\x80"));

        std::strcpy(buffer, "1");
        QCOMPARE(SIM(ContinuaFuncaoKavexInterativo)(&comando, &campo, &minimo, &maximo, buffer,
                                                    KAVEX_TAM_BUFFER_INTERATIVO, 1000),
                 0);
        QCOMPARE(comando, 0);
        QCOMPARE(maximo, int16_t(0));
        QCOMPARE(QByteArray(buffer), QByteArray("1"));

        const auto lines = logLines();
        QCOMPARE(lines.size(), 3u);
        COMPARE_JSON(lines[0]["args"], json::parse(R"([2, "10,00", "12345", "20240131", "093000", "Opx", "[]"])"));
        COMPARE_JSON(lines[1], json::parse(R"({"fn": "ContinuaFuncaoKavexInterativo",
            "args": ["ação", 20001, 0], "ret": 10000,
            "out": {"command": 21, "fieldType": 0, "min": 1, "max": 1, "buffer": "1:À Vista;2:Parcelado;Ç€"}})"));
        COMPARE_JSON(lines[2]["out"],
                     json::parse(R"({"command": 0, "fieldType": 0, "min": 0, "max": 0, "buffer": "1"})"));
    }

    void windows1252EdgesBothWays() {
        // Bytes Windows-1252 leaves undefined keep their C1 code point in both directions.
        SIM(LeCartaoInterativo)("\x80\x81\x8D\x9F\xA0\xFF");
        COMPARE_JSON(logLines().at(0)["args"][0], "€\u0081\u008DŸ\u00A0ÿ");

        useScript("encode.json", json::parse(R"({"LeSenhaDireto": [{"pin": "\u0081Ÿ☃é"}]})"));
        char pin[KAVEX_TAM_SENHA] = {};
        SIM(LeSenhaDireto)("key", pin);
        QCOMPARE(QByteArray(pin), QByteArray("\x81\x9F?\xE9"));
    }

    void loopBufferWritesStayWithinSize() {
        useScript("small.json", json::parse(R"({"ContinuaFuncaoKavexInterativo": [
            {"text": "ABCDEFG"}, {"text": "ABCDEFG"}, {"text": "ABCDEFG"}, {"text": "ABCDEFG"}]})"));
        int32_t comando = 0, campo = 0;
        int16_t minimo = 0, maximo = 0;

        Guarded<4> small;
        QCOMPARE(SIM(ContinuaFuncaoKavexInterativo)(&comando, &campo, &minimo, &maximo, small.data(), 4, 0),
                 KAVEX_CONTINUA_INTERATIVO);
        QCOMPARE(QByteArray(small.data()), QByteArray("ABC"));
        QVERIFY(small.guardIntact());

        for (int32_t size : {0, -5}) {
            Guarded<0> none;
            SIM(ContinuaFuncaoKavexInterativo)(&comando, &campo, &minimo, &maximo, none.data(), size, 0);
            QVERIFY(none.guardIntact());
        }

        QCOMPARE(SIM(ContinuaFuncaoKavexInterativo)(nullptr, nullptr, nullptr, nullptr, nullptr, 100, 0),
                 KAVEX_CONTINUA_INTERATIVO);

        const auto lines = logLines();
        QCOMPARE(lines.size(), 4u);
        COMPARE_JSON(lines[0]["out"]["buffer"], "ABC");
        COMPARE_JSON(lines[2]["args"], json::parse(R"(["", -5, 0])"));
        COMPARE_JSON(lines[3]["out"],
                     json::parse(R"({"command": null, "fieldType": null, "min": null, "max": null, "buffer": null})"));
    }

    void cardPinAndAuthorizationOutputsAreTruncated() {
        const std::string longTrack(200, 'A');
        useScript("pinpad.json", json{{"LeCartaoDireto", {{{"track1", longTrack}, {"track2", std::string(100, '2')}}}},
                                      {"LeCartaoDiretoEx", {{{"track2", "5555"}, {"return", 3}}}},
                                      {"LeSenhaDireto", {{{"pin", std::string(30, '9')}}}},
                                      {"IniciaFuncaoKavexInterativoConsultaPBM",
                                       {{{"authorization", std::string(60, 'Z')}, {"return", 10000}}}},
                                      {"ValidaCampoCodigoEmBarras", {{{"return", 3}, {"type", 2}}}}});

        Guarded<KAVEX_TAM_TRILHA1> track1;
        Guarded<KAVEX_TAM_TRILHA2> track2;
        QCOMPARE(SIM(LeCartaoDireto)("Passe o cartao", track1.data(), track2.data()), 0);
        QCOMPARE(std::strlen(track1.data()), std::size_t(128));
        QCOMPARE(std::strlen(track2.data()), std::size_t(64));
        QVERIFY(track1.guardIntact());
        QVERIFY(track2.guardIntact());

        char untouched[KAVEX_TAM_TRILHA1] = "old";
        char track2Ex[KAVEX_TAM_TRILHA2] = {};
        QCOMPARE(SIM(LeCartaoDiretoEx)("msg", untouched, track2Ex, 30, 1), 3);
        QCOMPARE(QByteArray(untouched), QByteArray("old"));
        QCOMPARE(QByteArray(track2Ex), QByteArray("5555"));

        Guarded<KAVEX_TAM_SENHA> pin;
        SIM(LeSenhaDireto)("wk", pin.data());
        QCOMPARE(std::strlen(pin.data()), std::size_t(20));
        QVERIFY(pin.guardIntact());

        Guarded<KAVEX_TAM_COD_AUTORIZACAO> authorization;
        std::strcpy(authorization.data(), "123");
        QCOMPARE(SIM(IniciaFuncaoKavexInterativoConsultaPBM)(authorization.data(), "0", "1", "2", "3", "Opx", ""),
                 10000);
        QCOMPARE(std::strlen(authorization.data()), std::size_t(50));
        QVERIFY(authorization.guardIntact());

        int16_t tipo = 0;
        QCOMPARE(SIM(ValidaCampoCodigoEmBarras)("8491", &tipo), int16_t(3));
        QCOMPARE(tipo, int16_t(2));

        const auto lines = logLines();
        QCOMPARE(lines.size(), 5u);
        COMPARE_JSON(lines[0]["args"], json::parse(R"(["Passe o cartao", null, null])"));
        COMPARE_JSON(lines[0]["out"]["track1"], longTrack.substr(0, 128));
        COMPARE_JSON(lines[1]["out"], json::parse(R"({"track2": "5555"})"));
        COMPARE_JSON(lines[3]["args"][0], "123");
        COMPARE_JSON(lines[3]["out"]["authorization"], std::string(50, 'Z'));
        COMPARE_JSON(lines[4]["out"], json::parse(R"({"type": 2})"));
    }

    void directTransactionSendsBytesAndBoundsReply() {
        useScript("direct.json", json::parse(R"({"EnviaRecebeKavexDireto": [
            {"reply": "XYZ", "responseCode": 5}, {"reply": "0123456789", "return": -7}]})"));
        static char reply[KAVEX_TAM_RESPOSTA_DIRETA];
        int16_t code = 0;
        QCOMPARE(SIM(EnviaRecebeKavexDireto)(1, 2, 3, "AB\0C", 4, reply, 20000, &code, 30, "12345", "20240131",
                                             "093000", "Teste", 0),
                 3);
        QCOMPARE(QByteArray(reply), QByteArray("XYZ"));
        QCOMPARE(code, int16_t(5));

        Guarded<4> small;
        QCOMPARE(SIM(EnviaRecebeKavexDireto)(1, 2, 3, "x", 1, small.data(), 4, &code, 30, "", "", "", "", 0), -7);
        QCOMPARE(QByteArray(small.data()), QByteArray("012"));
        QCOMPARE(code, int16_t(0));
        QVERIFY(small.guardIntact());

        const auto lines = logLines();
        QCOMPARE(lines.size(), 2u);
        COMPARE_JSON(lines[0]["args"], json::parse(R"([1, 2, 3, "AB\u0000C", 4, null, 20000, null, 30, "12345",
            "20240131", "093000", "Teste", 0])"));
        COMPARE_JSON(lines[0]["out"], json::parse(R"({"reply": "XYZ", "responseCode": 5})"));
        COMPARE_JSON(lines[1]["out"]["reply"], "012");
    }

    void brokenScriptAnswersScriptError_data() {
        QTest::addColumn<QString>("content"); // empty: the file is not created
        QTest::newRow("missing file") << QString();
        QTest::newRow("bad json") << R"({"VerificaPresencaPinPad": [1,)";
        QTest::newRow("not an object") << "[1, 2]";
        QTest::newRow("queue not an array") << R"({"VerificaPresencaPinPad": 1})";
        QTest::newRow("unknown function") << R"({"VerificaPinPad": [1]})";
        QTest::newRow("text answer") << R"({"VerificaPresencaPinPad": ["1"]})";
        QTest::newRow("unknown output") << R"({"LeSenhaDireto": [{"senha": "1"}]})";
        QTest::newRow("short out of range") << R"({"ContinuaFuncaoKavexInterativo": [{"max": 40000}]})";
        QTest::newRow("track not a text") << R"({"LeCartaoDireto": [{"track1": 5}]})";
        QTest::newRow("repeat zero") << R"({"VerificaPresencaPinPad": [{"repeat": 0}]})";
        QTest::newRow("repeat as text") << R"({"VerificaPresencaPinPad": [{"repeat": "2"}]})";
        QTest::newRow("log line without a result") << R"({"fn": "VerificaPresencaPinPad", "args": []})";
        QTest::newRow("log of an unknown function") << "{\"fn\": \"Nada\", \"ret\": 0}\n{\"fn\": \"Nada\", \"ret\": 0}";
    }

    void brokenScriptAnswersScriptError() {
        QFETCH(QString, content);
        const QString name = QString("broken-%1.json").arg(QTest::currentDataTag()).replace(' ', '-');
        if (content.isEmpty())
            qputenv(KAVEXSIM_ENV_SCRIPT, m_dir->filePath(name).toLocal8Bit());
        else
            useScriptText(name, content.toStdString());

        QCOMPARE(SIM(ConfiguraIntKavexInterativo)("host", "1", "2", 0), KAVEXSIM_SCRIPT_ERROR);
        QCOMPARE(SIM(VerificaPresencaPinPad)(), KAVEXSIM_SCRIPT_ERROR);
        int16_t tipo = 4;
        QCOMPARE(SIM(ValidaCampoCodigoEmBarras)("1", &tipo), int16_t(KAVEXSIM_SCRIPT_ERROR));
        QCOMPARE(tipo, int16_t(4));

        auto lines = logLines();
        QCOMPARE(lines.size(), 4u);
        QCOMPARE(lines[0]["fn"].get<std::string>(), std::string("script"));
        QVERIFY(!lines[0]["error"].get<std::string>().empty());
        for (std::size_t i = 1; i < lines.size(); ++i)
            QCOMPARE(lines[i]["ret"].get<int>(), KAVEXSIM_SCRIPT_ERROR);

        // Pointing the variable elsewhere recovers.
        useScript("good.json", json::parse(R"({"VerificaPresencaPinPad": [7]})"));
        QCOMPARE(SIM(VerificaPresencaPinPad)(), 7);
    }

    void repeatAnswersTheNextCalls() {
        QCOMPARE(SIM(ConfiguraIntKavexInterativo)("host", "1", "2", 0), KAVEXSIM_OK);
        useScript("repeat.json", json::parse(R"({"VerificaPresencaPinPad": [{"return": 5, "repeat": 2}, 6],
            "ContinuaFuncaoKavexInterativo": [{"command": 23, "text": "AGUARDE", "repeat": 3}, {"return": 0}]})"));
        QCOMPARE(SIM(VerificaPresencaPinPad)(), 5);
        QCOMPARE(SIM(VerificaPresencaPinPad)(), 5);
        QCOMPARE(SIM(VerificaPresencaPinPad)(), 6);
        QCOMPARE(SIM(VerificaPresencaPinPad)(), 1); // built in
        int32_t comando = 0, campo = 0;
        int16_t minimo = 0, maximo = 0;
        char buffer[16] = "";
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(SIM(ContinuaFuncaoKavexInterativo)(&comando, &campo, &minimo, &maximo, buffer, 16, 0),
                     KAVEX_CONTINUA_INTERATIVO);
            QCOMPARE(comando, 23);
            QCOMPARE(QByteArray(buffer), QByteArray("AGUARDE"));
        }
        QCOMPARE(SIM(ContinuaFuncaoKavexInterativo)(&comando, &campo, &minimo, &maximo, buffer, 16, 0), 0);
        QCOMPARE(SIM(ContinuaFuncaoKavexInterativo)(&comando, &campo, &minimo, &maximo, buffer, 16, 0),
                 KAVEXSIM_NO_FUNCTION);
    }

    // A run recorded once is played back exactly from its log, whatever
    // state the built-in behaviour is in.
    void replayOfARecordedLog() {
        struct Chamada {
            int32_t ret, comando, campo;
            int16_t minimo, maximo;
            QByteArray buffer;
            bool operator==(const Chamada&) const = default;
        };
        const auto roda = [this](bool comRespostas) {
            std::vector<Chamada> chamadas;
            SIM(ConfiguraIntKavexInterativo)("host", "00000001", "T1", 0);
            chamadas.push_back(
                {SIM(IniciaFuncaoKavexInterativo)(2, "10,00", "12345", "20260110", "093000", "Opx", "[]"),
                 0,
                 0,
                 0,
                 0,
                 {}});
            static char buffer[KAVEX_TAM_BUFFER_INTERATIVO];
            buffer[0] = '\0';
            Chamada c{KAVEX_CONTINUA_INTERATIVO, 0, 0, 0, 0, {}};
            for (int guarda = 0; guarda < 100 && c.ret == KAVEX_CONTINUA_INTERATIVO; ++guarda) {
                if (comRespostas && c.comando == 21)
                    std::strcpy(buffer, "1");
                c.ret = SIM(ContinuaFuncaoKavexInterativo)(&c.comando, &c.campo, &c.minimo, &c.maximo, buffer,
                                                           KAVEX_TAM_BUFFER_INTERATIVO, 0);
                c.buffer = buffer;
                chamadas.push_back(c);
            }
            char trilha1[KAVEX_TAM_TRILHA1] = "", trilha2[KAVEX_TAM_TRILHA2] = "";
            chamadas.push_back({SIM(LeCartaoDireto)("PASSE", trilha1, trilha2), 0, 0, 0, 0, trilha2});
            int16_t tipo = -1;
            chamadas.push_back({SIM(ValidaCampoCodigoEmBarras)("8", &tipo), tipo, 0, 0, 0, {}});
            chamadas.push_back(
                {SIM(FinalizaTransacaoKavexInterativo)(1, "12345", "20260110", "093000"), 0, 0, 0, 0, {}});
            return chamadas;
        };
        const std::vector<Chamada> gravadas = roda(true);
        QVERIFY(gravadas.size() > 20);
        QCOMPARE(gravadas.back().ret, KAVEXSIM_OK);

        const QString gravacao = m_dir->filePath("recorded.jsonl");
        QVERIFY(QFile::rename(logPath(), gravacao));
        qputenv(KAVEXSIM_ENV_SCRIPT, gravacao.toLocal8Bit());
        const std::vector<Chamada> tocadas = roda(true);
        QVERIFY(tocadas == gravadas);

        // The replay's own log matches the recording call for call.
        std::ifstream a(gravacao.toStdString());
        const auto b = logLines();
        std::size_t n = 0;
        for (std::string linha; std::getline(a, linha); ++n) {
            const json original = json::parse(linha);
            QVERIFY(n < b.size());
            COMPARE_JSON(b[n]["ret"], original["ret"]);
            COMPARE_JSON(b[n].value("out", json()), original.value("out", json()));
        }
        QCOMPARE(n, b.size());
    }

    // Played back, each call must be the recorded one (its date and time
    // aside): the first that departs, or comes past the recording's end,
    // answers KAVEXSIM_PLAYBACK_DEPARTED, as does every call after it.
    void playbackChecksEachCall_data() {
        QTest::addColumn<QByteArray>("valor");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("extras");
        QTest::addColumn<QByteArray>("depoisDoFim");
        QTest::addColumn<QList<int>>("retornos");
        QTest::addColumn<QString>("nota");
        const int desvio = KAVEXSIM_PLAYBACK_DEPARTED;
        QTest::newRow("the same calls on another day")
            << QByteArray("10,00") << QByteArray("20270202") << 0 << QByteArray() << QList<int>{0, 10000, 1} << "";
        QTest::newRow("another value") << QByteArray("99,00") << QByteArray("20260110") << 0 << QByteArray()
                                       << QList<int>{0, desvio, desvio}
                                       << "chamada 2 (IniciaFuncaoKavexInterativo): o argumento 2 difere: gravado "
                                          "\"10,00\", enviado \"99,00\"";
        QTest::newRow("a call past the end")
            << QByteArray("10,00") << QByteArray("20260110") << 1 << QByteArray() << QList<int>{0, 10000, 1, desvio}
            << "chamada 4 (VerificaPresencaPinPad): a gravação terminou";
        QTest::newRow("past the end, the built-in answers") << QByteArray("10,00") << QByteArray("20260110") << 1
                                                            << QByteArray("1") << QList<int>{0, 10000, 1, 1} << "";
    }
    void playbackChecksEachCall() {
        QFETCH(QByteArray, valor);
        QFETCH(QByteArray, data);
        QFETCH(int, extras);
        QFETCH(QByteArray, depoisDoFim);
        QFETCH(QList<int>, retornos);
        QFETCH(QString, nota);
        const auto roda = [this](const char* v, const char* d, int mais) {
            QList<int> r{SIM(ConfiguraIntKavexInterativo)("host", "00000001", "T1", 0),
                         SIM(IniciaFuncaoKavexInterativo)(2, v, "12345", d, "093000", "Opx", "[]")};
            for (int i = 0; i <= mais; ++i) {
                r << SIM(VerificaPresencaPinPad)();
            }
            return r;
        };
        roda("10,00", "20260110", 0);
        const QString gravacao = m_dir->filePath("recorded.jsonl");
        QVERIFY(QFile::rename(logPath(), gravacao));
        qputenv(KAVEXSIM_ENV_SCRIPT, gravacao.toLocal8Bit());
        qputenv(KAVEXSIM_ENV_AFTER_RECORDING, depoisDoFim);
        QCOMPARE(roda(valor.constData(), data.constData(), extras), retornos);
        qunsetenv(KAVEXSIM_ENV_AFTER_RECORDING);
        const auto notas = logLines();
        const auto it = std::find_if(notas.begin(), notas.end(), [](const json& l) { return l["fn"] == "playback"; });
        QCOMPARE(it == notas.end() ? QString() : QString::fromStdString((*it)["error"].get<std::string>()), nota);
    }

    void delayMakesPinpadStepsSlow() {
        QCOMPARE(SIM(ConfiguraIntKavexInterativo)("host", "1", "2", 0), KAVEXSIM_OK);
        QElapsedTimer relogio;
        for (const char* atraso : {"", "abc", "-5"}) {
            qputenv(KAVEXSIM_ENV_DELAY, atraso);
            relogio.start();
            SIM(VerificaPresencaPinPad)();
            QVERIFY2(relogio.elapsed() < 80, atraso);
        }
        qputenv(KAVEXSIM_ENV_DELAY, "120");
        relogio.start();
        QCOMPARE(SIM(VerificaPresencaPinPad)(), 1);
        QVERIFY(relogio.elapsed() >= 120);
        qputenv(KAVEXSIM_ENV_DELAY, "");
    }

    // The read waits for the card unless broken off from another thread, at
    // once and without tracks; both calls are logged, the read first.
    void directReadIsBrokenOffByTheInterrupt() {
        QCOMPARE(SIM(ConfiguraIntKavexInterativo)("host", "1", "2", 0), KAVEXSIM_OK);
        qputenv(KAVEXSIM_ENV_DELAY, "5000");
        std::array<char, KAVEX_TAM_TRILHA1> trilha1{};
        std::array<char, KAVEX_TAM_TRILHA2> trilha2{};
        QElapsedTimer relogio;
        relogio.start();
        std::thread interrupcao([this] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            SIM(InterrompeLeCartaoDireto)();
        });
        const int32_t lido = SIM(LeCartaoDireto)("PASSE", trilha1.data(), trilha2.data());
        interrupcao.join();
        qputenv(KAVEXSIM_ENV_DELAY, "");
        QCOMPARE(lido, KAVEXSIM_READ_INTERRUPTED);
        QVERIFY(relogio.elapsed() < 2000);
        QCOMPARE(trilha1[0], '\0');
        const auto lines = logLines();
        QCOMPARE(lines.size(), 3u);
        COMPARE_JSON(lines[1]["fn"], "LeCartaoDireto");
        COMPARE_JSON(lines[1]["ret"], KAVEXSIM_READ_INTERRUPTED);
        COMPARE_JSON(lines[2]["fn"], "InterrompeLeCartaoDireto");
        // Without a read in progress the interrupt changes nothing: the next
        // read waits for its card.
        SIM(InterrompeLeCartaoDireto)();
        qputenv(KAVEXSIM_ENV_DELAY, "50");
        QCOMPARE(SIM(LeCartaoDireto)("PASSE", trilha1.data(), trilha2.data()), KAVEXSIM_OK);
        qputenv(KAVEXSIM_ENV_DELAY, "");
    }

    void changingTheVariableSwitchesScripts() {
        QCOMPARE(SIM(ConfiguraIntKavexInterativo)("host", "1", "2", 0), KAVEXSIM_OK);
        useScript("first.json", json::parse(R"({"VerificaPresencaPinPad": [1, 1]})"));
        QCOMPARE(SIM(VerificaPresencaPinPad)(), 1);
        useScript("second.json", json::parse(R"({"VerificaPresencaPinPad": [2]})"));
        QCOMPARE(SIM(VerificaPresencaPinPad)(), 2);
        QCOMPARE(SIM(VerificaPresencaPinPad)(), 1 /* built in: present */);
        // Back to the first file: loaded afresh, its queue full again.
        qputenv(KAVEXSIM_ENV_SCRIPT, m_dir->filePath("first.json").toLocal8Bit());
        QCOMPARE(SIM(VerificaPresencaPinPad)(), 1);
        QCOMPARE(SIM(VerificaPresencaPinPad)(), 1);
        QCOMPARE(SIM(VerificaPresencaPinPad)(), 1 /* built in: present */);
        qputenv(KAVEXSIM_ENV_SCRIPT, "");
        QCOMPARE(SIM(ConfiguraIntKavexInterativo)("host", "1", "2", 0), KAVEXSIM_OK);
    }
};

QTEST_GUILESS_MAIN(TstSimulator)
#include "tst_simulator.moc"
