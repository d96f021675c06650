// Starting functions from the main window: what each kind of start and each
// direct pinpad function sends to the library (read back from the
// simulator's call log), the prompts on the way and what the window shows
// afterwards.

#include "Cliques.h"
#include "Harness.h"
#include "Operador.h"

#include "app/Janelas.h"
#include "dialogs/CorrespBanc.h"
#include "dialogs/Timeout.h"
#include "platform/Clock.h"
#include "platform/Modal.h"
#include "platform/ProgramDir.h"
#include "platform/Prompt.h"
#include "platform/RadioGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

using harness::clica;
using harness::Console;
using harness::controle;
using harness::digita;
using harness::tecla;
using nlohmann::json;

namespace {

const QDateTime kAgora(QDate(2026, 3, 5), QTime(9, 7, 3));

// A configured console at a fixed moment, its configuration call forgotten.
struct Configurado {
    Console c;
    Configurado() {
        platform::clock::setFixed(kAgora);
        QTest::mouseClick(c.find<QPushButton>("BtnConfigura"), Qt::LeftButton);
        c.simulator().clearLog();
    }
    ~Configurado() { platform::clock::clearFixed(); }
    template <class T> T* find(const char* nome) { return controle<T>(c.window(), nome); }
    void inicia() { QTest::mouseClick(find<QPushButton>("BtnTransacao"), Qt::LeftButton); }
    void marca(const QStringList& codigos) {
        auto* lista = find<QListWidget>("CLBRestricoes");
        for (const QString& codigo : codigos) {
            harness::clicaItem(lista, lista->row(lista->findItems(codigo, Qt::MatchExactly).value(0)));
        }
    }
    // Every call since configuring, as [function, arguments].
    json chamadas() const {
        json lista = json::array();
        for (const json& chamada : const_cast<Console&>(c).simulator().calls()) {
            lista.push_back({chamada["fn"], chamada["args"]});
        }
        return lista;
    }
    bool configurado() {
        return find<QPushButton>("BtnConfigura")->isEnabled() && find<QPushButton>("BtnTransacao")->isEnabled() &&
               find<QWidget>("BtnFuncPpd")->isEnabled();
    }
};

// An operator's answer to a prompt window, written "Window:typed text" (then
// Enter), "Window!" ("&Encerra") or "Window#" (the title bar's close
// control); the yes/no window takes the index of the answer to select.
void respondeAoPrompt(const QString& resposta) {
    const qsizetype fim = resposta.indexOf(QRegularExpression(QStringLiteral("[:!#]")));
    const QString janela = resposta.left(fim);
    const QChar modo = resposta.at(fim);
    const QString texto = resposta.mid(fim + 1);
    platform::modal::expect(janela, [janela, modo, texto](QDialog& w) {
        if (modo == u'!') {
            clica(w, "BitBtn1");
        } else if (modo == u'#') {
            w.close();
        } else if (janela == u"FrmOpcaoSimNao") {
            QCOMPARE(w.windowTitle(), QStringLiteral("LeCartaoDiretoEx"));
            auto* grupo = controle<RadioGroup>(w, "rgSimNao");
            QCOMPARE(grupo->title(), QStringLiteral("Aguarda Passagem do cartão ?"));
            QTest::mouseClick(grupo->button(texto.toInt()), Qt::LeftButton);
            clica(w, "BtOK");
        } else {
            digita(texto);
            tecla(Qt::Key_Return);
        }
    });
}

// Queues the choice of pinpad function `valor`, by its label in the pinpad
// functions window, and the answers to its prompts.
void esperaFuncaoPinpad(int valor, const QStringList& respostas) {
    static const char* const kRotulos[] = {"LblTstPpd", "LblLCI", "LblLCD", "Label2", "LblMsgPpd",
                                           "LblCltSnh", "LblSD",  "Label3", "Label1"};
    platform::modal::expect("FrmFuncPinpad", [valor](QDialog& w) {
        QTest::mouseClick(controle<QWidget>(w, kRotulos[valor - 1]), Qt::LeftButton);
        clica(w, "BtnChmFcn");
    });
    for (const QString& resposta : respostas) {
        respondeAoPrompt(resposta);
    }
}

// Presses "&Funções de Pinpad", choosing `valor` and answering its prompts.
void escolheFuncaoPinpad(QWidget& principal, int valor, const QStringList& respostas = {}) {
    esperaFuncaoPinpad(valor, respostas);
    QTest::mouseClick(controle<QPushButton>(principal, "BtnFuncPpd"), Qt::LeftButton);
}

// The library in front of the simulator, telling the test about each call
// before passing it on.
class Escuta : public KavexLibrary {
public:
    explicit Escuta(KavexLibrary& real) : real_(real) {}
    std::function<void(const QString&)> antes = [](const QString&) {};

#define KAVEX_ESCUTA(R, N, P, A)                                                                                       \
    R N P override {                                                                                                   \
        antes(QStringLiteral(#N));                                                                                     \
        return real_.N A;                                                                                              \
    }
    KAVEX_FUNCTIONS(KAVEX_ESCUTA)
#undef KAVEX_ESCUTA

private:
    KavexLibrary& real_;
};

} // namespace

class TestTransactionStart : public QObject {
    Q_OBJECT
private slots:
    void sendsWhatTheFormHolds_data();
    void sendsWhatTheFormHolds();
    void sendsTheFirstTimeAgain();
    void handsTheStartOverToTheLoop();
    void refusesAFunctionCodeThatIsNoNumber();
    void startsWithAProductList_data();
    void startsWithAProductList();
    void checksABarCodeOnly();
    void runsEachPinpadFunction_data();
    void runsEachPinpadFunction();
    void keepsTheLastWaitAnswer();
    void showsTheInterruptPanelOverTheMessages();
    void announcesEveryBoxByItsLabel();
    void showsIndicatorStatesOnTheTeal();
};

void TestTransactionStart::sendsWhatTheFormHolds_data() {
    QTest::addColumn<int>("grupoCB");
    QTest::addColumn<QString>("funcao");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("cupom");
    QTest::addColumn<QString>("hora");
    QTest::addColumn<QStringList>("marcadas");
    QTest::addColumn<QString>("digitado"); // null: "Botões" mode
    QTest::addColumn<QString>("chamada");
    QTest::addColumn<QStringList>("depois"); // value, receipt, time left in the form

    QTest::newRow("three ticked in any order")
        << -1 << "2"
        << "10,00"
        << "777"
        << "" << QStringList{"26", "10", "15"} << QString()
        << R"(["IniciaFuncaoKavexInterativo", [2, "10,00", "777", "20260305", "090703", "Opx", "[10;15;26]"]])"
        << QStringList{"10,00", "777", "090703"};
    QTest::newRow("one ticked, time typed")
        << -1 << "114"
        << "5,00"
        << "1"
        << "101500" << QStringList{"26"} << QString()
        << R"(["IniciaFuncaoKavexInterativo", [114, "5,00", "1", "20260305", "101500", "Opx", "[26]"]])"
        << QStringList{"5,00", "1", "101500"};
    QTest::newRow("defaults")
        << -1 << ""
        << ""
        << ""
        << "" << QStringList{} << QString()
        << R"(["IniciaFuncaoKavexInterativo", [0, "1,00", "12345", "20260305", "090703", "Opx", "[]"]])"
        << QStringList{"1,00", "12345", "090703"};
    QTest::newRow("typed, empty")
        << -1 << "3"
        << ""
        << ""
        << "" << QStringList{"15"} << ""
        << R"(["IniciaFuncaoKavexInterativo", [3, "1,00", "12345", "20260305", "090703", "Opx", ""]])"
        << QStringList{"1,00", "12345", "090703"};
    QTest::newRow("typed as it stands")
        << -1 << "3"
        << ""
        << ""
        << "" << QStringList{} << "[40; 99"
        << R"(["IniciaFuncaoKavexInterativo", [3, "1,00", "12345", "20260305", "090703", "Opx", "[40; 99"]])"
        << QStringList{"1,00", "12345", "090703"};
    // The value default belongs to the TEF group only.
    QTest::newRow("correspondent banking")
        << 0 << "2"
        << ""
        << ""
        << "" << QStringList{"10"} << QString()
        << R"(["CorrespondenteBancarioKavexInterativo", ["12345", "20260305", "090703", "Opx", "[10]"]])"
        << QStringList{"", "12345", "090703"};
}

void TestTransactionStart::sendsWhatTheFormHolds() {
    QFETCH(int, grupoCB);
    QFETCH(QString, funcao);
    QFETCH(QString, valor);
    QFETCH(QString, cupom);
    QFETCH(QString, hora);
    QFETCH(QStringList, marcadas);
    QFETCH(QString, digitado);
    QFETCH(QString, chamada);
    QFETCH(QStringList, depois);
    Configurado k;
    const json esperada = json::parse(chamada.toStdString());
    k.c.simulator().script({{esperada[0], {-7}}});
    if (!funcao.isEmpty()) {
        QTest::keyClicks(k.find<QComboBox>("CBFuncao")->lineEdit(), funcao);
    }
    QTest::keyClicks(k.find<QLineEdit>("EdtValor"), valor);
    QTest::keyClicks(k.find<QLineEdit>("EdtCpFiscal"), cupom);
    QTest::keyClicks(k.find<QLineEdit>("EdtHora"), hora);
    k.marca(marcadas);
    if (!digitado.isNull()) {
        QTest::mouseClick(k.find<RadioGroup>("RdGrpRestricoes")->button(1), Qt::LeftButton);
        QTest::keyClicks(k.find<QLineEdit>("EdtRestricoes"), digitado);
    }
    if (grupoCB >= 0) {
        QTest::mouseClick(k.find<RadioGroup>("RGCB")->button(grupoCB), Qt::LeftButton);
    }
    k.inicia();
    KAVEX_COMPARE_JSON(k.chamadas(), json::array({esperada}));
    QCOMPARE(k.find<QLineEdit>("EdtResultado")->text(), QStringLiteral("-7"));
    QCOMPARE((QStringList{k.find<QLineEdit>("EdtValor")->text(), k.find<QLineEdit>("EdtCpFiscal")->text(),
                          k.find<QLineEdit>("EdtHora")->text()}),
             depois);
    QCOMPARE(k.c.estado().ModoCorrespondente, grupoCB == 0);
    QVERIFY(k.configurado());
    KAVEX_VERIFY_SEAMS();
}

// The first start writes its time into the form, so the next one sends it
// again though the clock moved on.
void TestTransactionStart::sendsTheFirstTimeAgain() {
    Configurado k;
    k.inicia();
    platform::clock::setFixed(kAgora.addSecs(3600));
    k.inicia();
    const auto chamadas = k.c.simulator().calls("IniciaFuncaoKavexInterativo");
    QCOMPARE(chamadas.size(), size_t(2));
    KAVEX_COMPARE_JSON(chamadas[0]["args"][4], "090703");
    KAVEX_COMPARE_JSON(chamadas[1]["args"][4], "090703");
    QCOMPARE(k.c.estado().HoraFiscal, QStringLiteral("100703"));
    // "&Limpar" empties it: the clock counts again.
    QTest::mouseClick(k.find<QPushButton>("BtnLimpar"), Qt::LeftButton);
    k.inicia();
    KAVEX_COMPARE_JSON(k.c.simulator().calls("IniciaFuncaoKavexInterativo")[2]["args"][4], "100703");
    KAVEX_VERIFY_SEAMS();
}

void TestTransactionStart::handsTheStartOverToTheLoop() {
    Configurado k;
    k.c.simulator().script({{"IniciaFuncaoKavexInterativo", {10000}}});
    k.inicia();
    // The loop, not the start, shows the end of the function.
    QVERIFY(k.find<QLineEdit>("EdtResultado")->text() != QStringLiteral("10000"));
    QCOMPARE(k.c.simulator().calls("IniciaFuncaoKavexInterativo").size(), size_t(1));
    QVERIFY(k.configurado());
    KAVEX_VERIFY_SEAMS();
}

// The conversion error is the whole report; nothing reaches the library and
// the window is ready again, with no pinpad function left pending.
void TestTransactionStart::refusesAFunctionCodeThatIsNoNumber() {
    Configurado k;
    QTest::keyClicks(k.find<QComboBox>("CBFuncao")->lineEdit(), QStringLiteral("2x"));
    platform::prompt::expect(QStringLiteral("'2x' is not a valid integer value"));
    k.inicia();
    platform::prompt::expect(QStringLiteral("'2x' is not a valid integer value"));
    escolheFuncaoPinpad(k.c.window(), 1);
    KAVEX_COMPARE_JSON(k.chamadas(), json::array());
    QCOMPARE(platform::prompt::shown().at(0).kind, platform::prompt::Kind::Error);
    QCOMPARE(k.c.estado().FuncaoPinpad, 0);
    QVERIFY(k.find<QLineEdit>("EdtResultado")->text().isEmpty());
    QVERIFY(k.configurado());
    KAVEX_VERIFY_SEAMS();
}

void TestTransactionStart::startsWithAProductList_data() {
    QTest::addColumn<bool>("confirma");
    QTest::addColumn<QString>("chamadas");
    QTest::addColumn<QString>("resultado");
    QTest::newRow("list given")
        << true << R"([["IniciaFuncaoAAKavexInterativo", [2, "1,00", "12345", "20260305", "090703", "Opx",
                                      "[26]", "[ARROZ;123;2;10,00]"]]])"
        << "-9";
    QTest::newRow("window ended") << false << "[]"
                                  << "0";
}

void TestTransactionStart::startsWithAProductList() {
    QFETCH(bool, confirma);
    QFETCH(QString, chamadas);
    QFETCH(QString, resultado);
    Configurado k;
    k.c.simulator().script({{"IniciaFuncaoAAKavexInterativo", {-9}}});
    QTest::keyClicks(k.find<QComboBox>("CBFuncao")->lineEdit(), QStringLiteral("2"));
    QTest::mouseClick(k.find<RadioGroup>("RGTEF")->button(1), Qt::LeftButton);
    k.marca({"26"});
    platform::modal::expect("FrmAA", [confirma](QDialog& w) {
        if (!confirma) {
            clica(w, "BitBtn2");
            return;
        }
        tecla(Qt::Key_Tab);
        for (const char* campo : {"ARROZ", "123", "2", "10,00"}) {
            digita(QString::fromLatin1(campo));
            tecla(Qt::Key_Tab);
        }
        clica(w, "BtnProd");
    });
    k.inicia();
    KAVEX_COMPARE_JSON(k.chamadas(), json::parse(chamadas.toStdString()));
    QCOMPARE(k.find<QLineEdit>("EdtResultado")->text(), resultado);
    QVERIFY(k.configurado());
    KAVEX_VERIFY_SEAMS();
}

// The bar-code window as a checking tool: no start call, no "Não Valida",
// and 0 shown once it is closed. The next start offers "Não Valida" again.
void TestTransactionStart::checksABarCodeOnly() {
    Configurado k;
    k.c.estado().ModoCorrespondente = true;
    k.c.simulator().script({{"ValidaCampoCodigoEmBarras", {0}}});
    QTest::mouseClick(k.find<RadioGroup>("RGCB")->button(1), Qt::LeftButton);
    platform::modal::expect("FrmCodBarra", [&k](QDialog& w) {
        QVERIFY(!k.c.estado().ModoCorrespondente);
        QVERIFY(controle<QWidget>(w, "RdBtnNaoValida")->isHidden());
        QCOMPARE(controle<QLabel>(w, "LblCabecalhoCodBarra")->text(), QStringLiteral("Validação do Código de Barras"));
        digita(QStringLiteral("123"));
        tecla(Qt::Key_Return);
        QVERIFY(w.isVisible());
        clica(w, "BitBtn1");
    });
    k.inicia();
    KAVEX_COMPARE_JSON(k.chamadas(), json::parse(R"([["ValidaCampoCodigoEmBarras", ["123", null]]])"));
    QCOMPARE(k.find<QLineEdit>("EdtResultado")->text(), QStringLiteral("0"));
    QVERIFY(k.configurado());

    QTest::mouseClick(k.find<RadioGroup>("RGTEF")->button(0), Qt::LeftButton);
    k.inicia();
    QVERIFY(!k.c.window().janelas().FrmCodBarra->findChild<QWidget*>(QStringLiteral("RdBtnNaoValida"))->isHidden());
    KAVEX_VERIFY_SEAMS();
}

void TestTransactionStart::runsEachPinpadFunction_data() {
    QTest::addColumn<int>("valor");
    QTest::addColumn<QStringList>("respostas");
    QTest::addColumn<QString>("roteiro");
    QTest::addColumn<QString>("chamadas");
    QTest::addColumn<QString>("operador"); // MemoMsgOperador afterwards; it held "antes"
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("resultado");

    const QString trilhas = R"({"track1": "B4111^NOME^2512", "track2": "4111=2512"})";
    const QString lidas = "Trilha1 = B4111^NOME^2512\nTrilha2 = 4111=2512";
    const QString cancela = "A tecla de Cancelamento foi pressionada";

    QTest::newRow("1 check") << 1 << QStringList{} << R"({"VerificaPresencaPinPad": [3]})"
                             << R"([["VerificaPresencaPinPad", []]])"
                             << "antes"
                             << ""
                             << "3";
    QTest::newRow("2 read card") << 2 << QStringList{"FrmMsgPpd:PASSE O CARTAO"} << R"({"LeCartaoInterativo": [-4]})"
                                 << R"([["LeCartaoInterativo", ["PASSE O CARTAO"]]])"
                                 << "antes"
                                 << ""
                                 << "-4";
    QTest::newRow("2 ended") << 2 << QStringList{"FrmMsgPpd!"} << "{}"
                             << "[]"
                             << "antes"
                             << ""
                             << "0";
    QTest::newRow("3 direct read") << 3 << QStringList{"FrmMsgPpd:"} << R"({"LeCartaoDireto": [)" + trilhas + "]}"
                                   << R"([["LeCartaoDireto", [" ", null, null]]])" << lidas << ""
                                   << "0";
    QTest::newRow("3 track 2 only") << 3 << QStringList{"FrmMsgPpd:M"}
                                    << R"({"LeCartaoDireto": [{"return": 5, "track2": "4111=2512"}]})"
                                    << R"([["LeCartaoDireto", ["M", null, null]]])"
                                    << "Trilha2 = 4111=2512"
                                    << ""
                                    << "5";
    QTest::newRow("3 ended") << 3 << QStringList{"FrmMsgPpd!"} << "{}"
                             << "[]"
                             << ""
                             << ""
                             << "0";
    QTest::newRow("4 default time-out, wait") << 4 << QStringList{"FrmMsgPpd:MSG", "FrmTimeout:", "FrmOpcaoSimNao:0"}
                                              << R"({"LeCartaoDiretoEx": [)" + trilhas + "]}"
                                              << R"([["LeCartaoDiretoEx", ["MSG", null, null, 30, 0]]])" << lidas << ""
                                              << "0";
    QTest::newRow("4 typed time-out, no wait")
        << 4 << QStringList{"FrmMsgPpd:MSG", "FrmTimeout:45", "FrmOpcaoSimNao:1"} << R"({"LeCartaoDiretoEx": [-1]})"
        << R"([["LeCartaoDiretoEx", ["MSG", null, null, 45, 1]]])"
        << ""
        << ""
        << "-1";
    QTest::newRow("4 time-out window closed")
        << 4 << QStringList{"FrmMsgPpd:MSG", "FrmTimeout#", "FrmOpcaoSimNao:0"} << R"({"LeCartaoDiretoEx": [-1]})"
        << R"([["LeCartaoDiretoEx", ["MSG", null, null, 30, 0]]])"
        << ""
        << ""
        << "-1";
    QTest::newRow("4 ended at time-out") << 4 << QStringList{"FrmMsgPpd:MSG", "FrmTimeout!"} << "{}"
                                         << "[]"
                                         << ""
                                         << ""
                                         << "0";
    QTest::newRow("4 ended at message") << 4 << QStringList{"FrmMsgPpd!"} << "{}"
                                        << "[]"
                                        << ""
                                        << ""
                                        << "0";
    QTest::newRow("5 message") << 5 << QStringList{"FrmMsgPpd:BEM VINDO"} << "{}"
                               << R"([["EscreveMensagemPermanentePinPad", ["BEM VINDO"]]])"
                               << "antes"
                               << ""
                               << "-100";
    QTest::newRow("6 read PIN") << 6 << QStringList{"FrmWK:0123ABCD"} << R"({"LeSenhaInterativo": [-2]})"
                                << R"([["LeSenhaInterativo", ["0123ABCD"]]])"
                                << "antes"
                                << ""
                                << "-2";
    QTest::newRow("6 ended") << 6 << QStringList{"FrmWK!"} << "{}"
                             << "[]"
                             << "antes"
                             << ""
                             << "0";
    QTest::newRow("7 direct PIN") << 7 << QStringList{"FrmWK:"} << R"({"LeSenhaDireto": [{"pin": "1234"}]})"
                                  << R"([["LeSenhaDireto", [" ", null]]])"
                                  << "Senha = 1234"
                                  << ""
                                  << "0";
    QTest::newRow("7 no PIN") << 7 << QStringList{"FrmWK:K"} << R"({"LeSenhaDireto": [-3]})"
                              << R"([["LeSenhaDireto", ["K", null]]])"
                              << ""
                              << ""
                              << "-3";
    QTest::newRow("8 confirm key") << 8 << QStringList{"FrmMsgPpd:CONFIRMA?"} << R"({"LeSimNaoPinPad": [1]})"
                                   << R"([["LeSimNaoPinPad", ["CONFIRMA?"]]])"
                                   << "antes"
                                   << "A tecla de Confirmação foi pressionada"
                                   << "1";
    QTest::newRow("8 cancel key") << 8 << QStringList{"FrmMsgPpd:CONFIRMA?"} << R"({"LeSimNaoPinPad": [0]})"
                                  << R"([["LeSimNaoPinPad", ["CONFIRMA?"]]])"
                                  << "antes" << cancela << "0";
    QTest::newRow("8 ended") << 8 << QStringList{"FrmMsgPpd!"} << "{}"
                             << "[]"
                             << "antes" << cancela << "0";
    QTest::newRow("8 other answer") << 8 << QStringList{"FrmMsgPpd:X"} << R"({"LeSimNaoPinPad": [-2]})"
                                    << R"([["LeSimNaoPinPad", ["X"]]])"
                                    << "antes"
                                    << ""
                                    << "-2";
    QTest::newRow("9 track 3") << 9 << QStringList{"FrmMsgPpd:T3"} << R"({"LeTrilha3": [7]})"
                               << R"([["LeTrilha3", ["T3"]]])"
                               << "antes"
                               << ""
                               << "7";
}

// With no transaction group selected no start function runs before the
// pinpad function, and the choice is used once.
void TestTransactionStart::runsEachPinpadFunction() {
    QFETCH(int, valor);
    QFETCH(QStringList, respostas);
    QFETCH(QString, roteiro);
    QFETCH(QString, chamadas);
    QFETCH(QString, operador);
    QFETCH(QString, mensagem);
    QFETCH(QString, resultado);
    Configurado k;
    k.c.simulator().script(json::parse(roteiro.toStdString()));
    k.c.window().janelas().FrmTimeout->TimeoutLeCartao = 999;
    k.find<QPlainTextEdit>("MemoMsgOperador")->setPlainText(QStringLiteral("antes"));
    QTest::mouseClick(k.find<RadioGroup>("RGCB")->button(1), Qt::LeftButton);
    if (!mensagem.isEmpty()) {
        platform::prompt::expect(mensagem);
    }
    escolheFuncaoPinpad(k.c.window(), valor, respostas);
    KAVEX_COMPARE_JSON(k.chamadas(), json::parse(chamadas.toStdString()));
    QCOMPARE(k.find<QPlainTextEdit>("MemoMsgOperador")->toPlainText(), operador);
    QCOMPARE(k.find<QLineEdit>("EdtResultado")->text(), resultado);
    QCOMPARE(k.c.estado().FuncaoPinpad, 0);
    QCOMPARE(k.find<RadioGroup>("RGTEF")->itemIndex(), 0);
    QCOMPARE(k.find<RadioGroup>("RGCB")->itemIndex(), -1);
    QVERIFY(!k.find<QWidget>("pnlILCD")->isVisible());
    QVERIFY(k.configurado());
    KAVEX_VERIFY_SEAMS();
}

// "Sim" at program start; after that the window offers the last answer.
void TestTransactionStart::keepsTheLastWaitAnswer() {
    Configurado k;
    QList<int> oferecidas;
    for (const int escolha : {-1, 1, -1}) {
        esperaFuncaoPinpad(4, {"FrmMsgPpd:", "FrmTimeout:"});
        platform::modal::expect("FrmOpcaoSimNao", [&oferecidas, escolha](QDialog& w) {
            auto* grupo = controle<RadioGroup>(w, "rgSimNao");
            oferecidas << grupo->itemIndex();
            if (escolha >= 0) {
                QTest::mouseClick(grupo->button(escolha), Qt::LeftButton);
            }
            clica(w, "BtOK");
        });
        QTest::mouseClick(k.find<QPushButton>("BtnFuncPpd"), Qt::LeftButton);
    }
    QCOMPARE(oferecidas, (QList<int>{0, 0, 1}));
    const auto chamadas = k.c.simulator().calls("LeCartaoDiretoEx");
    QCOMPARE(chamadas.size(), size_t(3));
    KAVEX_COMPARE_JSON(chamadas[2]["args"][4], 1);
    KAVEX_VERIFY_SEAMS();
}

// During the direct read the panel lies over the operator messages; the
// window and the other boxes keep their size. Its button reaches the library.
void TestTransactionStart::showsTheInterruptPanelOverTheMessages() {
    QTemporaryDir pasta;
    harness::startSeams();
    platform::programdir::setDirectory(pasta.path());
    harness::Simulator sim;
    Escuta escuta(sim.library());
    TFrmtesteCliKavex32I w(escuta);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(controle<QPushButton>(w, "BtnConfigura"), Qt::LeftButton);
    auto* painel = controle<QWidget>(w, "pnlILCD");
    auto* mensagens = controle<QWidget>(w, "MemoMsgOperador");
    const QSize tamanho = w.size();
    const QRect rastro = controle<QWidget>(w, "Memo")->geometry();
    const QRect areaMensagens = mensagens->geometry();
    QStringList durante;
    escuta.antes = [&](const QString& funcao) {
        if (funcao == u"LeCartaoDireto" || funcao == u"LeCartaoDiretoEx") {
            const QRect onde(painel->mapTo(&w, QPoint(0, 0)), painel->size());
            const QRect sobre(mensagens->mapTo(&w, QPoint(0, 0)), mensagens->size());
            durante << funcao + (!painel->isVisible()   ? QStringLiteral(" hidden")
                                 : sobre.contains(onde) ? QStringLiteral(" shown over the messages")
                                                        : QStringLiteral(" shown elsewhere"));
            if (painel->isVisible()) {
                QTest::mouseClick(controle<QPushButton>(w, "BtnILCD"), Qt::LeftButton);
            }
        }
    };
    sim.clearLog();
    escolheFuncaoPinpad(w, 3, {"FrmMsgPpd:"});
    QVERIFY(!painel->isVisible());
    escolheFuncaoPinpad(w, 4, {"FrmMsgPpd:", "FrmTimeout:", "FrmOpcaoSimNao:0"});
    QVERIFY(!painel->isVisible());
    QCOMPARE(durante, (QStringList{"LeCartaoDireto shown over the messages", "LeCartaoDiretoEx hidden"}));
    std::vector<std::string> funcoes;
    for (const json& chamada : sim.calls()) {
        funcoes.push_back(chamada["fn"]);
    }
    QCOMPARE(funcoes, (std::vector<std::string>{"InterrompeLeCartaoDireto", "LeCartaoDireto", "LeCartaoDiretoEx"}));
    QCOMPARE(w.size(), tamanho);
    QCOMPARE(controle<QWidget>(w, "Memo")->geometry(), rastro);
    QCOMPARE(mensagens->geometry(), areaMensagens);
    KAVEX_VERIFY_SEAMS();
}

// Edit and combo boxes, editable ones too, are announced by their labels;
// those without one by a name of their own, never by their contents.
void TestTransactionStart::announcesEveryBoxByItsLabel() {
    Console c;
    c.find<QComboBox>("CBFuncao")->setEditText(QStringLiteral("2"));
    QStringList errados;
    QList<QWidget*> caixas;
    for (QWidget* caixa : c.window().findChildren<QWidget*>()) {
        if (caixa->window() != &c.window()) {
            continue;
        }
        if (qobject_cast<QComboBox*>(caixa) ||
            (qobject_cast<QLineEdit*>(caixa) && !qobject_cast<QComboBox*>(caixa->parentWidget()))) {
            caixas << caixa;
        }
    }
    QVERIFY(caixas.size() >= 12);
    for (QWidget* caixa : caixas) {
        QString esperado = caixa->accessibleName();
        for (const QLabel* rotulo : c.window().findChildren<QLabel*>()) {
            if (rotulo->buddy() == caixa) {
                esperado = rotulo->text().remove(QLatin1Char('&'));
            }
        }
        const QString anunciado = harness::nomeAcessivel(caixa);
        if (esperado.isEmpty() || anunciado != esperado) {
            errados << QStringLiteral("%1 announced as \"%2\"").arg(caixa->objectName(), anunciado);
        }
        if (auto* combo = qobject_cast<QComboBox*>(caixa); combo && combo->isEditable()) {
            if (harness::nomeAcessivel(combo->lineEdit()) != esperado) {
                errados << QStringLiteral("%1's text box announced as \"%2\"")
                               .arg(caixa->objectName(), harness::nomeAcessivel(combo->lineEdit()));
            }
        }
    }
    QCOMPARE(errados.join(QStringLiteral("; ")), QString());
    KAVEX_VERIFY_SEAMS();
}

// The indicator's middle is the white mark when checked and the teal when
// not, enabled or not, for radio buttons and check boxes alike.
void TestTransactionStart::showsIndicatorStatesOnTheTeal() {
    Console c;
    const QColor teal(0x00, 0x80, 0x80);
    auto* impressora = c.find<RadioGroup>("RdGrImpr");
    auto* descricao = c.find<QCheckBox>("ChkBoxDescricao");
    struct Caso {
        QAbstractButton* botao;
        QStyle::SubElement indicador;
        std::function<void(bool habilitado, bool marcado)> poe;
    };
    const Caso casos[] = {
        {impressora->button(0), QStyle::SE_RadioButtonIndicator,
         [impressora](bool habilitado, bool marcado) {
             impressora->setEnabled(habilitado);
             impressora->setItemIndex(marcado ? 0 : 1);
         }},
        {descricao, QStyle::SE_CheckBoxIndicator,
         [descricao](bool habilitado, bool marcado) {
             descricao->setEnabled(habilitado);
             descricao->setChecked(marcado);
         }},
    };
    QStringList errados;
    for (const Caso& caso : casos) {
        for (const bool habilitado : {true, false}) {
            for (const bool marcado : {true, false}) {
                caso.poe(habilitado, marcado);
                QStyleOptionButton opcao;
                opcao.initFrom(caso.botao);
                const QPoint meio = caso.botao->style()->subElementRect(caso.indicador, &opcao, caso.botao).center();
                const QColor cor = caso.botao->grab().toImage().pixelColor(meio * caso.botao->devicePixelRatioF());
                const int distancia =
                    qAbs(cor.red() - teal.red()) + qAbs(cor.green() - teal.green()) + qAbs(cor.blue() - teal.blue());
                if ((distancia > 150) != marcado) {
                    errados << QStringLiteral("%1 %2 %3: %4")
                                   .arg(caso.botao->objectName(), habilitado ? "enabled" : "disabled",
                                        marcado ? "checked" : "unchecked", cor.name());
                }
            }
        }
    }
    QCOMPARE(errados.join(QStringLiteral("; ")), QString());
    KAVEX_VERIFY_SEAMS();
}

QTEST_MAIN(TestTransactionStart)
#include "tst_transactionstart.moc"
