// The command loop's engine against the simulator, with an operator that
// answers from a list and writes down everything it is shown or asked.

#include "BibliotecaNula.h"
#include "Harness.h"

#include "app/LacoComandos.h"
#include "core/EstadoConsole.h"

#include <deque>
#include <functional>

using nlohmann::json;

namespace {

// Answers are "text", optionally followed by "#1000" (the 1000 choice) or by
// "#-1" / "#1", the Continua that the dialog sets.
class OperadorFalso final : public OperadorLaco {
public:
    OperadorFalso(EstadoConsole& e, const QStringList& r) : estado(e), respostas(r.begin(), r.end()) {}

    EstadoConsole& estado;
    std::deque<QString> respostas;
    QStringList eventos, fim, trace;
    Finalizacao dados;
    QString falhaImpressao;
    int32_t escolhaCupom = LacoComandos::Pendente;
    std::function<void(int)> aoProcessar = [](int) {};
    int ciclo = 0;

    QStringList& destino() { return terminou ? fim : eventos; }
    Escolha proxima(const QString& evento) {
        destino() << evento;
        if (respostas.empty()) {
            return {QStringLiteral("<sem resposta>")};
        }
        const QStringList partes = respostas.front().split(u'#');
        respostas.pop_front();
        const int marca = partes.value(1).toInt();
        if (marca == -1 || marca == 1) {
            estado.Continua = marca;
        }
        return {partes[0], marca == 1000};
    }
    void iniciaFuncao(const QString& d) override { fim << "inicia:" + d; }
    void processaEventos() override { aoProcessar(++ciclo); }
    void registra(const QString& l) override { trace << l; }
    void mostraMensagem(const QString& t) override { destino() << "mensagem:" + t; }
    void acrescentaMensagem(const QString& t) override { destino() << "acrescentaMensagem:" + t; }
    void limpaMensagens() override { destino() << "limpaMensagens"; }
    void avisa(const QString& t) override { destino() << "avisa:" + t; }
    void mostraErro(const QString& t) override { destino() << "erro:" + t; }
    bool pergunta(const QString& t) override { return proxima("pergunta:" + t).texto == u"Sim"; }
    void cabecalhoMenu(const QString& t) override { destino() << "cabecalhoMenu:" + t; }
    Escolha menu(const QString& o, int m) override { return proxima(QStringLiteral("menu:%1|%2").arg(o).arg(m)); }
    Escolha coletaCampo(const QString& s, int m) override {
        return proxima(QStringLiteral("coleta:%1|%2").arg(s).arg(m));
    }
    bool escolheCheque() override { return proxima("escolheCheque").texto == u"CMC7"; }
    QString chequeDigitado(const QString& s) override { return proxima("digitado:" + s).texto; }
    QString chequeCMC7(const QString& s, int m) override {
        return proxima(QStringLiteral("cmc7:%1|%2").arg(s).arg(m)).texto;
    }
    QString codigoBarras(const QString& s) override { return proxima("codigoBarras:" + s).texto; }
    void aguardaPinpad(int32_t n) override { destino() << "aguardaPinpad:" + QString::number(n); }
    void escondeAguardaPinpad() override { destino() << "escondePinpad"; }
    void acrescentaCupom(const QString& t) override { destino() << "cupom:" + t; }
    int32_t mostraCupom() override { return fim << "mostraCupom", escolhaCupom; }
    QString imprimeCupom() override { return fim << "imprime", falhaImpressao; }
    void acrescentaConsulta(const QString& t) override { destino() << "consulta:" + t, consulta = true; }
    // The first question of the end processing.
    bool temConsulta() override { return terminou = true, consulta; }
    void mostraConsulta(const QString& t) override { destino() << "mostraConsulta:" + t; }
    void mostraResultado(int32_t r) override { fim << "resultado:" + QString::number(r); }
    Finalizacao finalizacao() override { return dados; }
    void devolveControles() override { fim << "devolve"; }

private:
    bool terminou = false;
    bool consulta = false;
};

// The loop run as a caller runs it: a start answered 10000, then the loop.
struct Execucao {
    harness::Simulator sim;
    EstadoConsole estado;
    OperadorFalso operador;
    LacoComandos laco;

    Execucao(const json& ciclos, const QStringList& respostas)
        : operador(estado, respostas), laco(estado, sim.library(), operador) {
        estado.DataFiscal = QStringLiteral("20240102");
        estado.HoraFiscal = QStringLiteral("101112");
        sim.script({{"IniciaFuncaoKavexInterativo", {10000}}, {"ContinuaFuncaoKavexInterativo", ciclos}});
    }
    void roda() {
        QCOMPARE(sim.library().IniciaFuncaoKavexInterativo(2, "1,00", "1", "20240102", "101112", "Opx", "[]"), 10000);
        laco.ContinuaFuncao();
    }
    // What each loop call carried: buffer text, size, Continua.
    json enviados() const {
        json e = json::array();
        for (const json& c : sim.calls("ContinuaFuncaoKavexInterativo")) {
            e.push_back(c["args"]);
        }
        return e;
    }
};

json cmd(int comando, const std::string& texto, int minimo = 0, int maximo = 0, int tipo = 0) {
    return {{"command", comando}, {"fieldType", tipo}, {"min", minimo}, {"max", maximo}, {"text", texto}};
}
const json kFim = {{"return", 0}};
json env(const std::string& buffer, int continua = 0) {
    return {buffer, LacoComandos::kTamanhoBuffer, continua};
}

const std::string k50(50, 'a');
const std::string k51 = std::string(30, 'b') + "\n" + std::string(20, 'b');
const QString k51Convertido = QString(30, u'b') + "\r\n" + QString(20, u'b');
const QString kZeros13(13, u'0');
const QString kCheque = QStringLiteral("01800109773000006169748500045");
const QString kCmc7 = QStringLiteral("<00109773<0188500045>701000616977Ç");

} // namespace

Q_DECLARE_METATYPE(json)

class TstLacoComandos : public QObject {
    Q_OBJECT
private slots:
    void commands_data();
    void commands();
    void records_data();
    void records();
    void ending_data();
    void ending();
    void traceShowsWhatTheLibraryReturned();
    void cancelBetweenTwoPinpadCycles();
    void answerLongerThanTheBufferIsCut();
    void libraryThatOverfillsTheBuffer();
};

void TstLacoComandos::commands_data() {
    QTest::addColumn<json>("ciclos");
    QTest::addColumn<QStringList>("respostas");
    QTest::addColumn<QStringList>("eventos");
    QTest::addColumn<json>("enviados");
    const QString p = QStringLiteral("Digite");
    const QString dn = QStringLiteral("avisa:Digite Novamente");

    QTest::newRow("first call ends at once")
        << json{{{"return", 5}}} << QStringList{} << QStringList{} << json{env("")};
    QTest::newRow("message of 50 characters")
        << json{cmd(1, k50), kFim} << QStringList{} << QStringList{"mensagem:" + QString::fromStdString(k50)}
        << json{env(""), env(k50)};
    QTest::newRow("message of 51 characters")
        << json{cmd(3, k51), kFim} << QStringList{} << QStringList{"acrescentaMensagem:" + k51Convertido}
        << json{env(""), env(k51)};
    QTest::newRow("22 with a line feed") << json{cmd(22, "CONSULTA\nCDC"), kFim} << QStringList{}
                                         << QStringList{"consulta:CONSULTA\r\nCDC", "mostraConsulta:Consulta CDC"}
                                         << json{env(""), env("CONSULTA\nCDC")};
    QTest::newRow("22 without a line feed")
        << json{cmd(22, "PAGAMENTO OK"), kFim} << QStringList{}
        << QStringList{"mensagem:PAGAMENTO OK", "avisa:Pressione enter"} << json{env(""), env("PAGAMENTO OK")};
    QTest::newRow("22 of 51 characters") << json{cmd(22, k51), kFim} << QStringList{}
                                         << QStringList{"consulta:" + k51Convertido, "mostraConsulta:Consulta CDC"}
                                         << json{env(""), env(k51)};
    QTest::newRow("20 yes, then no") << json{cmd(20, "Confirma?"), cmd(20, "De novo?"), kFim}
                                     << QStringList{"Sim", "Não"}
                                     << QStringList{"pergunta:Confirma?", "pergunta:De novo?"}
                                     << json{env(""), env("0"), env("1")};
    QTest::newRow("heading, menu with 1000, back, end")
        << json{cmd(4, "PAGAMENTO"), cmd(21, "1:A;2:B;", 1, 1), cmd(21, "1:A;2:B;", 1, 1), cmd(21, "X", 1, 0), kFim}
        << QStringList{"2#1000", "2#1", "2#-1"}
        << QStringList{"cabecalhoMenu:PAGAMENTO", "menu:1:A;2:B;|1", "menu:1:A;2:B;|1", "menu:X|20000"}
        << json{env(""), env("PAGAMENTO"), env("2", 1000), env("2", 1), env("2", -1)};
    QTest::newRow("30 short answer asked again")
        << json{cmd(30, "Digite", 4, 10), kFim} << QStringList{"12", "1234"}
        << QStringList{"coleta:Digite|10", dn, "coleta:Digite|10"} << json{env(""), env("1234")};
    QTest::newRow("30 ended") << json{cmd(30, "Digite", 4, 10), kFim} << QStringList{kZeros13 + "#-1"}
                              << QStringList{"coleta:Digite|10"} << json{env(""), env("0000000000000", -1)};
    QTest::newRow("30 keeps the first 1000 through a repetition")
        << json{cmd(30, "Digite", 3, 5), kFim} << QStringList{"1#1000", "123"}
        << QStringList{"coleta:Digite|5", dn, "coleta:Digite|5"} << json{env(""), env("123", 1000)};
    QTest::newRow("30 ended or back while asked again above 13")
        << json{cmd(30, "Digite", 20, 30), cmd(30, "Digite", 20, 30), kFim}
        << QStringList{"12", kZeros13 + "#-1", kZeros13 + "#1"}
        << QStringList{"coleta:Digite|30", dn, "coleta:Digite|30", "coleta:Digite|30"}
        << json{env(""), env("0000000000000", -1), env("0000000000000", 1)};
    QTest::newRow("30 minimum above maximum takes the maximum")
        << json{cmd(30, "Digite", 8, 4), kFim} << QStringList{"1234"} << QStringList{"coleta:Digite|4"}
        << json{env(""), env("1234")};
    QTest::newRow("34 has no minimum and no 1000") << json{cmd(34, "Digite", 5, 9), kFim} << QStringList{"12#1000"}
                                                   << QStringList{"coleta:Digite|9"} << json{env(""), env("12")};
    QTest::newRow("31 typed, then ended in the typed dialog")
        << json{cmd(31, "Cheque"), cmd(31, "Cheque"), kFim}
        << QStringList{"digitado", kCheque, "digitado", kCheque + "#-1"}
        << QStringList{"escolheCheque", "digitado:Cheque", "escolheCheque", "digitado:Cheque"}
        << json{env(""), env("0:" + kCheque.toStdString()), env("0:" + kCheque.toStdString(), -1)};
    QTest::newRow("31 ended in the choice leaves the buffer")
        << json{cmd(31, "Cheque"), kFim} << QStringList{"#-1"} << QStringList{"escolheCheque"}
        << json{env(""), env("Cheque", -1)};
    QTest::newRow("31 CMC-7 short, then ended above 34")
        << json{cmd(31, "CMC7", 30, 34), cmd(31, "CMC7", 40, 0), kFim}
        << QStringList{"CMC7", "<001", kCmc7, "CMC7", QString(34, u'0') + "#-1"}
        << QStringList{"escolheCheque", "cmc7:CMC7|34", dn, "cmc7:CMC7|34", "escolheCheque", "cmc7:CMC7|20000"}
        << json{env(""), env("1:" + kCmc7.toStdString()), env("1:" + std::string(34, '0'), -1)};
    QTest::newRow("35 bar code, then back")
        << json{cmd(35, "Codigo"), cmd(35, "Codigo"), kFim} << QStringList{"1:" + QString(44, u'8'), "0:1#1"}
        << QStringList{"codigoBarras:Codigo", "codigoBarras:Codigo"}
        << json{env(""), env("1:" + std::string(44, '8')), env("0:1", 1)};
    QTest::newRow("23 counts, 12 clears")
        << json{cmd(23, ""), cmd(23, ""), cmd(12, ""), kFim} << QStringList{}
        << QStringList{"aguardaPinpad:1", "aguardaPinpad:2", "limpaMensagens", "escondePinpad"}
        << json{env(""), env(""), env(""), env("")};
    QTest::newRow("commands outside the table")
        << json{cmd(7, "a"), cmd(33, "b"), cmd(36, "c"), cmd(-3, "d"), kFim} << QStringList{} << QStringList{}
        << json{env(""), env("a"), env("b"), env("c"), env("d")};
}

void TstLacoComandos::commands() {
    QFETCH(json, ciclos);
    QFETCH(QStringList, respostas);
    QFETCH(QStringList, eventos);
    QFETCH(json, enviados);
    Execucao e(ciclos, respostas);
    e.roda();
    QCOMPARE(e.operador.eventos, eventos);
    KAVEX_COMPARE_JSON(e.enviados(), enviados);
    QCOMPARE(int(e.operador.respostas.size()), 0);
}

void TstLacoComandos::records_data() {
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QStringList>("eventos");
    QTest::addColumn<QString>("guardado");
    QTest::newRow("receipt 121") << 121 << QStringList{"cupom:VIA\r\nCLIENTE"} << "||||";
    QTest::newRow("receipt 122") << 122 << QStringList{"cupom:VIA\r\nCLIENTE"} << "||||";
    QTest::newRow("track 1") << 150 << QStringList{"acrescentaMensagem:Trilha1 = VIA\nCLIENTE", "escondePinpad"}
                             << "VIA\nCLIENTE||||";
    QTest::newRow("track 2") << 151 << QStringList{"acrescentaMensagem:Trilha2 = VIA\nCLIENTE", "escondePinpad"}
                             << "|VIA\nCLIENTE|||";
    QTest::newRow("PIN") << 153 << QStringList{"acrescentaMensagem:Senha = VIA\nCLIENTE"} << "||VIA\nCLIENTE||";
    QTest::newRow("date and time") << 105 << QStringList{} << "|||20240102|101112";
    QTest::newRow("1010") << 1010 << QStringList{"consulta:(1010) Qtd Total Medicamentos = VIA\nCLIENTE"} << "||||";
    QTest::newRow("1014") << 1014 << QStringList{"consulta:(1014) Preço Unit. Máx. = VIA\nCLIENTE"} << "||||";
    QTest::newRow("1019") << 1019 << QStringList{"consulta:(1019) Vlr Subsídio Convênio =VIA\nCLIENTE"} << "||||";
    QTest::newRow("1026") << 1026 << QStringList{"consulta:(1026) Qtd medic a ser devolvido = VIA\nCLIENTE"} << "||||";
    for (const int ignorado : {120, 152, 1009, 1027}) {
        QTest::newRow(qPrintable(QString::number(ignorado))) << ignorado << QStringList{} << "||||";
    }
}

void TstLacoComandos::records() {
    QFETCH(int, tipo);
    QFETCH(QStringList, eventos);
    QFETCH(QString, guardado);
    Execucao e({cmd(0, "VIA\nCLIENTE", 0, 0, tipo), kFim}, {});
    e.roda();
    QCOMPARE(e.operador.eventos, eventos);
    QCOMPARE(e.laco.CupomRecebido, tipo == 121 || tipo == 122);
    const EstadoConsole& s = e.estado;
    QCOMPARE(QStringList({s.TextoTrilha1, s.TextoTrilha2, s.TextoSenha, s.DataTransacao, s.HoraTransacao}).join(u'|'),
             guardado);
}

void TstLacoComandos::ending_data() {
    QTest::addColumn<int>("retorno");
    QTest::addColumn<bool>("comCupom");
    QTest::addColumn<QString>("impressora");
    QTest::addColumn<int>("escolha");
    QTest::addColumn<QString>("hora");
    QTest::addColumn<QStringList>("fim");
    QTest::addColumn<json>("finaliza");
    QTest::addColumn<QString>("vidalink");
    const auto fim = [](const QStringList& meio, int retorno = 0) {
        return QStringList{"resultado:" + QString::number(retorno)} + meio + QStringList{"devolve"};
    };
    const json sem = json();
    const QString erro = QStringLiteral("erro:O cupom não foi impresso: sem impressora");

    QTest::newRow("no receipt") << 0 << false << "Sem" << 1 << "" << fim({}) << sem << "";
    QTest::newRow("Sem, Confirma") << 0 << true << "Sem" << 1 << "" << fim({"mostraCupom"})
                                   << json{1, "4321", "20240102", "101112"} << "";
    QTest::newRow("Sem, Não Confirma, EdtHora set")
        << 0 << true << "Sem" << 0 << "101500" << fim({"mostraCupom"}) << json{0, "4321", "20240102", "101500"} << "";
    QTest::newRow("Sem, Pendente") << 0 << true << "Sem" << 2 << "" << fim({"mostraCupom"}) << sem << "";
    QTest::newRow("failure code, receipt still confirmed")
        << -7 << true << "Sem" << 1 << "" << fim({"mostraCupom"}, -7) << json{1, "4321", "20240102", "101112"} << "";
    QTest::newRow("Com, printed") << 0 << true << "Com" << 0 << "" << fim({"imprime"})
                                  << json{1, "4321", "20240102", "101112"} << "";
    QTest::newRow("Com, not printed, Pendente")
        << 0 << true << "Com!" << 2 << "" << fim({"imprime", erro, "mostraCupom"}) << sem << "";
    QTest::newRow("Com, not printed, Não Confirma")
        << 0 << true << "Com!" << 0 << "" << fim({"imprime", erro, "mostraCupom"})
        << json{0, "4321", "20240102", "101112"} << "";
    const QString vl = QStringLiteral("mostraConsulta:Consulta Vidalink");
    QTest::newRow("Vidalink consultation")
        << 0 << false << "Sem" << 1 << "" << QStringList{vl} + fim({}) << sem << "flag text";
    QTest::newRow("Vidalink flag, nothing gathered") << 0 << false << "Sem" << 1 << "" << fim({}) << sem << "flag";
    QTest::newRow("consultation without the flag") << 0 << false << "Sem" << 1 << "" << fim({}) << sem << "text";
}

void TstLacoComandos::ending() {
    QFETCH(int, retorno);
    QFETCH(bool, comCupom);
    QFETCH(QString, impressora);
    QFETCH(int, escolha);
    QFETCH(QString, hora);
    QFETCH(QStringList, fim);
    QFETCH(json, finaliza);
    QFETCH(QString, vidalink);
    Execucao e({cmd(0, "3", 0, 0, vidalink.contains(u"text") ? 1010 : 0),
                cmd(0, "CUPOM", 0, 0, comCupom ? 122 : 0),
                {{"return", retorno}}},
               {});
    e.estado.ConsVidalinkEscolhida = vidalink.contains(u"flag");
    e.estado.DataHoraExtenso = QStringLiteral(" Terça-feira 02/01/2024 10:11:12");
    e.operador.dados = {impressora.startsWith(u"Com"), QStringLiteral("4321"), hora};
    e.operador.falhaImpressao = impressora.endsWith(u'!') ? QStringLiteral("sem impressora") : QString();
    e.operador.escolhaCupom = escolha;
    e.roda();
    QCOMPARE(e.operador.fim, QStringList{"inicia: Terça-feira 02/01/2024 10:11:12"} + fim);
    const auto chamadas = e.sim.calls("FinalizaTransacaoKavexInterativo");
    KAVEX_COMPARE_JSON(chamadas.empty() ? json() : chamadas.front()["args"], finaliza);
    QVERIFY(chamadas.size() <= 1);
}

// Two lines per call, the last one included, with what the library returned.
void TstLacoComandos::traceShowsWhatTheLibraryReturned() {
    Execucao e({cmd(21, "1:A;", 2, 3), {{"return", -12}, {"command", -4}, {"fieldType", 7}, {"text", "fim"}}}, {"1"});
    e.roda();
    QCOMPARE(e.operador.trace, QStringList({"ProximoComando = 21 TipoCampo = 0", "Buffer = 1:A;",
                                            "ProximoComando = -4 TipoCampo = 7", "Buffer = fim"}));
    QCOMPARE(e.estado.Retorno, -12);
}

// A cancel clicked while events are processed goes out with the next call
// only; the count starts again with the next function.
void TstLacoComandos::cancelBetweenTwoPinpadCycles() {
    Execucao e({cmd(23, ""), cmd(23, ""), cmd(23, ""), kFim}, {});
    e.operador.aoProcessar = [&](int ciclo) { e.estado.Continua = ciclo == 3 ? -1 : e.estado.Continua; };
    e.roda();
    KAVEX_COMPARE_JSON(e.enviados(), (json{env(""), env(""), env("", -1), env("")}));
    QCOMPARE(e.laco.ContadorComando23, 3);
    e.sim.script({{"ContinuaFuncaoKavexInterativo", {cmd(23, ""), kFim}}});
    e.laco.ContinuaFuncao();
    QCOMPARE(e.laco.ContadorComando23, 1);
}

void TstLacoComandos::answerLongerThanTheBufferIsCut() {
    const QString longa(25000, u'x');
    Execucao e({cmd(34, "Digite", 0, 0), kFim}, {longa});
    e.roda();
    QCOMPARE(e.operador.eventos, QStringList{"coleta:Digite|20000"});
    KAVEX_COMPARE_JSON(e.enviados()[1], env(std::string(20000, 'x')));
}

// The buffer's end is never passed, whatever the library leaves in it or says
// about the answer's length.
void TstLacoComandos::libraryThatOverfillsTheBuffer() {
    struct Transbordante : harness::BibliotecaNula {
        QByteArray recebido;
        int chamadas = 0;
        int32_t ContinuaFuncaoKavexInterativo(int32_t* comando, int32_t*, int16_t* minimo, int16_t* maximo,
                                              char* buffer, int32_t tamanho, int32_t) override {
            recebido = QByteArray(buffer, tamanho);
            std::fill(buffer, buffer + tamanho, 'B');
            *comando = 30;
            *minimo = 32767;
            *maximo = -1;
            return ++chamadas < 2 ? 10000 : 0;
        }
    } biblioteca;
    EstadoConsole estado;
    OperadorFalso operador(estado, {QString(20000, u'x')});
    LacoComandos laco(estado, biblioteca, operador);
    laco.ContinuaFuncao();
    QCOMPARE(operador.trace[1], "Buffer = " + QString(LacoComandos::kTamanhoBuffer, u'B'));
    QCOMPARE(operador.eventos, QStringList{"coleta:" + QString(LacoComandos::kTamanhoBuffer, u'B') + "|20000"});
    QCOMPARE(biblioteca.recebido.size(), LacoComandos::kTamanhoBuffer);
    QCOMPARE(biblioteca.recebido, QByteArray(20000, 'x') + '\0');
}

QTEST_GUILESS_MAIN(TstLacoComandos)
#include "tst_lacocomandos.moc"
