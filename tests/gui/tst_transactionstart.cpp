// Starting functions from the main window: what each kind of start and each
// direct pinpad function sends (read back from the simulator's call log),
// the prompts on the way and what the window shows afterwards.

#include "Harness.h"
#include "Operador.h"

#include "app/Janelas.h"
#include "dialogs/Timeout.h"
#include "platform/Clock.h"
#include "platform/ProgramDir.h"
#include "widgets/Modal.h"
#include "widgets/Prompt.h"
#include "widgets/RadioGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <atomic>

using namespace harness;
using nlohmann::json;

namespace {

// A configured console at 09:07:03 on 5 March 2026, its configuration call
// forgotten.
struct Configurado {
    Console c;
    Configurado() {
        platform::clock::setFixed(QDateTime(QDate(2026, 3, 5), QTime(9, 7, 3)));
        clica(c.window(), "BtnConfigura");
        c.simulator().clearLog();
    }
    ~Configurado() { platform::clock::clearFixed(); }
    template <class T> T* find(const char* nome) { return controle<T>(c.window(), nome); }
    QString texto(const char* nome) { return find<QLineEdit>(nome)->text(); }
    // Every call since configuring, as [function, arguments].
    json chamadas() {
        json lista = json::array();
        for (const json& chamada : c.simulator().calls()) {
            lista.push_back({chamada["fn"], chamada["args"]});
        }
        return lista;
    }
    bool pronto() { return find<QWidget>("BtnConfigura")->isEnabled() && find<QWidget>("BtnTransacao")->isEnabled(); }
};

// An answer to a prompt window: "Window:text" types the text and Enter,
// "Window!" presses "&Encerra", "Window#" closes it by the title bar; the
// yes/no window takes the index of the answer.
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
            QCOMPARE(controle<RadioGroup>(w, "rgSimNao")->title(), QStringLiteral("Aguarda Passagem do cartão ?"));
            QTest::mouseClick(controle<RadioGroup>(w, "rgSimNao")->button(texto.toInt()), Qt::LeftButton);
            clica(w, "BtOK");
        } else {
            digita(texto);
            tecla(Qt::Key_Return);
        }
    });
}

// Presses "&Funções de Pinpad", chooses function `valor` by its label and
// answers its prompts.
void escolheFuncaoPinpad(QWidget& principal, int valor, const QStringList& respostas = {}) {
    static const char* const kRotulos[] = {"LblTstPpd", "LblLCI", "LblLCD", "Label2", "LblMsgPpd",
                                           "LblCltSnh", "LblSD",  "Label3", "Label1"};
    platform::modal::expect("FrmFuncPinpad", [valor](QDialog& w) {
        QTest::mouseClick(controle<QWidget>(w, kRotulos[valor - 1]), Qt::LeftButton);
        clica(w, "BtnChmFcn");
    });
    for (const QString& resposta : respostas) {
        respondeAoPrompt(resposta);
    }
    clica(principal, "BtnFuncPpd");
}

// The library in front of the simulator, telling the test of each call first.
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
    void refusesAFunctionCodeThatIsNoNumber();
    void checksABarCodeOnly();
    void runsEachPinpadFunction_data();
    void runsEachPinpadFunction();
    void showsTheInterruptPanelOverTheMessages();
    void announcesBoxesByLabelAndShowsIndicators();
};

void TestTransactionStart::sendsWhatTheFormHolds_data() {
    QTest::addColumn<QString>("tipo");       // the kind's radio button
    QTest::addColumn<QStringList>("campos"); // function, value, receipt, time as typed
    QTest::addColumn<QStringList>("marcadas");
    QTest::addColumn<QString>("digitado"); // null: "Botões" mode
    QTest::addColumn<QString>("chamada");
    QTest::addColumn<QString>("valorDepois");
    const QString tef = "RGTEFItem0";
    // clang-format off
    QTest::newRow("three ticked, any order") << tef << QStringList{"2", "10,00", "777", ""} << QStringList{"26", "10", "15"} << QString()
        << R"(["IniciaFuncaoKavexInterativo", [2, "10,00", "777", "20260305", "090703", "Opx", "[10;15;26]"]])" << "10,00";
    QTest::newRow("one ticked, time typed") << tef << QStringList{"114", "5", "1", "101500"} << QStringList{"26"} << QString()
        << R"(["IniciaFuncaoKavexInterativo", [114, "5", "1", "20260305", "101500", "Opx", "[26]"]])" << "5";
    QTest::newRow("defaults, none ticked") << tef << QStringList{"", "", "", ""} << QStringList{} << QString()
        << R"(["IniciaFuncaoKavexInterativo", [0, "1,00", "12345", "20260305", "090703", "Opx", "[]"]])" << "1,00";
    QTest::newRow("typed, empty") << tef << QStringList{"3", "", "", ""} << QStringList{"15"} << ""
        << R"(["IniciaFuncaoKavexInterativo", [3, "1,00", "12345", "20260305", "090703", "Opx", ""]])" << "1,00";
    QTest::newRow("typed as it stands") << tef << QStringList{"3", "", "", ""} << QStringList{} << "[40; 99"
        << R"(["IniciaFuncaoKavexInterativo", [3, "1,00", "12345", "20260305", "090703", "Opx", "[40; 99"]])" << "1,00";
    QTest::newRow("correspondent: no value default") << "RGCBItem0" << QStringList{"", "", "", ""} << QStringList{"10"} << QString()
        << R"(["CorrespondenteBancarioKavexInterativo", ["12345", "20260305", "090703", "Opx", "[10]"]])" << "";
    QTest::newRow("product list") << "RGTEFItem1" << QStringList{"2", "", "", ""} << QStringList{} << QString()
        << R"(["IniciaFuncaoAAKavexInterativo", [2, "1,00", "12345", "20260305", "090703", "Opx", "[]", "[ARROZ;1;2;3]"]])" << "1,00";
    // A list ended by "&Encerra" starts nothing.
    QTest::newRow("product list ended") << "RGTEFItem1" << QStringList{"", "", "", ""} << QStringList{} << QString() << "" << "1,00";
    // clang-format on
}

void TestTransactionStart::sendsWhatTheFormHolds() {
    QFETCH(QString, tipo);
    QFETCH(QStringList, campos);
    QFETCH(QStringList, marcadas);
    QFETCH(QString, digitado);
    QFETCH(QString, chamada);
    QFETCH(QString, valorDepois);
    Configurado k;
    const json esperada = chamada.isEmpty() ? json() : json::parse(chamada.toStdString());
    if (!esperada.is_null()) {
        k.c.simulator().script({{esperada[0], {-7}}});
    }
    const char* const nomes[] = {"CBFuncao", "EdtValor", "EdtCpFiscal", "EdtHora"};
    for (int i = 0; i < 4; ++i) {
        QWidget* campo = k.find<QWidget>(nomes[i]);
        QTest::keyClicks(i == 0 ? static_cast<QComboBox*>(campo)->lineEdit() : campo, campos[i]);
    }
    auto* lista = k.find<QListWidget>("CLBRestricoes");
    for (const QString& codigo : marcadas) {
        clicaItem(lista, lista->row(lista->findItems(codigo, Qt::MatchExactly).value(0)));
    }
    if (!digitado.isNull()) {
        clica(k.c.window(), "RdGrpRestricoesItem1");
        QTest::keyClicks(k.find<QLineEdit>("EdtRestricoes"), digitado);
    }
    clica(k.c.window(), qPrintable(tipo));
    if (tipo == u"RGTEFItem1") {
        platform::modal::expect("FrmAA", [da = !esperada.is_null()](QDialog& w) {
            tecla(Qt::Key_Tab);
            for (const char* campo : {"ARROZ", "1", "2", "3"}) {
                digita(QString::fromLatin1(campo));
                tecla(Qt::Key_Tab);
            }
            clica(w, da ? "BtnProd" : "BitBtn2");
        });
    }
    clica(k.c.window(), "BtnTransacao");
    KAVEX_COMPARE_JSON(k.chamadas(), esperada.is_null() ? json::array() : json::array({esperada}));
    QCOMPARE(k.texto("EdtResultado"), esperada.is_null() ? "0" : "-7");
    QCOMPARE((QStringList{k.texto("EdtValor"), k.texto("EdtCpFiscal"), k.texto("EdtHora")}),
             (QStringList{valorDepois, campos[2].isEmpty() ? "12345" : campos[2],
                          campos[3].isEmpty() ? "090703" : campos[3]}));
    QCOMPARE(k.c.estado().ModoCorrespondente, tipo == u"RGCBItem0");
    QVERIFY(k.pronto());
    KAVEX_VERIFY_SEAMS();
}

// The first start writes its time into the form, so the next one sends it
// again though the clock moved on; "&Limpar" lets the clock count again.
void TestTransactionStart::sendsTheFirstTimeAgain() {
    Configurado k;
    k.c.simulator().script({{"IniciaFuncaoKavexInterativo", {-1, -1, -1}}});
    clica(k.c.window(), "BtnTransacao");
    platform::clock::setFixed(QDateTime(QDate(2026, 3, 5), QTime(10, 0, 0)));
    clica(k.c.window(), "BtnTransacao");
    clica(k.c.window(), "BtnLimpar");
    clica(k.c.window(), "BtnTransacao");
    json horas = json::array();
    for (const json& chamada : k.c.simulator().calls("IniciaFuncaoKavexInterativo")) {
        horas.push_back(chamada["args"][4]);
    }
    KAVEX_COMPARE_JSON(horas, json::parse(R"(["090703", "090703", "100000"])"));
    KAVEX_VERIFY_SEAMS();
}

// The conversion error is the whole report: nothing reaches the library, the
// window is ready again and no pinpad function is left pending.
void TestTransactionStart::refusesAFunctionCodeThatIsNoNumber() {
    Configurado k;
    QTest::keyClicks(k.find<QComboBox>("CBFuncao")->lineEdit(), QStringLiteral("2x"));
    platform::prompt::expect(QStringLiteral("'2x' is not a valid integer value"));
    platform::prompt::expect(QStringLiteral("'2x' is not a valid integer value"));
    clica(k.c.window(), "BtnTransacao");
    escolheFuncaoPinpad(k.c.window(), 1);
    KAVEX_COMPARE_JSON(k.chamadas(), json::array());
    QCOMPARE(platform::prompt::shown().at(0).kind, platform::prompt::Kind::Error);
    QCOMPARE(k.c.estado().FuncaoPinpad, 0);
    QVERIFY(k.texto("EdtResultado").isEmpty());
    QVERIFY(k.pronto());
    KAVEX_VERIFY_SEAMS();
}

// The bar-code window as a checking tool: no start call, no "Não Valida",
// 0 shown once it is closed; the next start offers "Não Valida" again.
void TestTransactionStart::checksABarCodeOnly() {
    Configurado k;
    k.c.estado().ModoCorrespondente = true;
    clica(k.c.window(), "RGCBItem1");
    platform::modal::expect("FrmCodBarra", [&k](QDialog& w) {
        QVERIFY(!k.c.estado().ModoCorrespondente);
        QVERIFY(controle<QWidget>(w, "RdBtnNaoValida")->isHidden());
        QCOMPARE(controle<QLabel>(w, "LblCabecalhoCodBarra")->text(), QStringLiteral("Validação do Código de Barras"));
        digita(QStringLiteral("123"));
        tecla(Qt::Key_Return);
        QVERIFY(w.isVisible());
        clica(w, "BitBtn1");
    });
    clica(k.c.window(), "BtnTransacao");
    KAVEX_COMPARE_JSON(k.chamadas(), json::parse(R"([["ValidaCampoCodigoEmBarras", ["123", null]]])"));
    QCOMPARE(k.texto("EdtResultado"), QStringLiteral("0"));
    clica(k.c.window(), "RGTEFItem0");
    k.c.simulator().script({{"IniciaFuncaoKavexInterativo", {-1}}});
    clica(k.c.window(), "BtnTransacao");
    QVERIFY(!controle<QWidget>(k.c.window(), "RdBtnNaoValida")->isHidden());
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
    // clang-format off
    QTest::newRow("1 check") << 1 << QStringList{} << R"({"VerificaPresencaPinPad": [3]})" << R"([["VerificaPresencaPinPad", []]])" << "antes" << "" << "3";
    QTest::newRow("2 read card") << 2 << QStringList{"FrmMsgPpd:PASSE"} << R"({"LeCartaoInterativo": [-4]})" << R"([["LeCartaoInterativo", ["PASSE"]]])" << "antes" << "" << "-4";
    // 10000 goes on in the command loop, which shows how the function ended.
    QTest::newRow("2 to the loop") << 2 << QStringList{"FrmMsgPpd:P"} << R"({"LeCartaoInterativo": [10000], "ContinuaFuncaoKavexInterativo": [{"return": 5}]})" << R"([["LeCartaoInterativo", ["P"]], ["ContinuaFuncaoKavexInterativo", ["", 20001, 0]]])" << "" << "" << "5";
    QTest::newRow("2 ended") << 2 << QStringList{"FrmMsgPpd!"} << "{}" << "[]" << "antes" << "" << "0";
    QTest::newRow("3 direct read") << 3 << QStringList{"FrmMsgPpd:"} << R"({"LeCartaoDireto": [)" + trilhas + "]}" << R"([["LeCartaoDireto", [" ", null, null]]])" << lidas << "" << "0";
    QTest::newRow("3 track 2 only") << 3 << QStringList{"FrmMsgPpd:M"} << R"({"LeCartaoDireto": [{"return": 5, "track2": "4111=2512"}]})" << R"([["LeCartaoDireto", ["M", null, null]]])" << "Trilha2 = 4111=2512" << "" << "5";
    QTest::newRow("3 ended") << 3 << QStringList{"FrmMsgPpd!"} << "{}" << "[]" << "" << "" << "0";
    QTest::newRow("4 time-out 30, wait") << 4 << QStringList{"FrmMsgPpd:MSG", "FrmTimeout:", "FrmOpcaoSimNao:0"} << R"({"LeCartaoDiretoEx": [)" + trilhas + "]}" << R"([["LeCartaoDiretoEx", ["MSG", null, null, 30, 0]]])" << lidas << "" << "0";
    QTest::newRow("4 typed, no wait") << 4 << QStringList{"FrmMsgPpd:MSG", "FrmTimeout:45", "FrmOpcaoSimNao:1"} << R"({"LeCartaoDiretoEx": [-100]})" << R"([["LeCartaoDiretoEx", ["MSG", null, null, 45, 1]]])" << "" << "" << "-100";
    QTest::newRow("4 time-out closed") << 4 << QStringList{"FrmMsgPpd:MSG", "FrmTimeout#", "FrmOpcaoSimNao:0"} << R"({"LeCartaoDiretoEx": [-100]})" << R"([["LeCartaoDiretoEx", ["MSG", null, null, 30, 0]]])" << "" << "" << "-100";
    QTest::newRow("4 ended at time-out") << 4 << QStringList{"FrmMsgPpd:MSG", "FrmTimeout!"} << "{}" << "[]" << "" << "" << "0";
    QTest::newRow("4 ended at message") << 4 << QStringList{"FrmMsgPpd!"} << "{}" << "[]" << "" << "" << "0";
    QTest::newRow("5 message") << 5 << QStringList{"FrmMsgPpd:BEM VINDO"} << R"({"EscreveMensagemPermanentePinPad": [-100]})" << R"([["EscreveMensagemPermanentePinPad", ["BEM VINDO"]]])" << "antes" << "" << "-100";
    QTest::newRow("6 read PIN") << 6 << QStringList{"FrmWK:0123ABCD"} << R"({"LeSenhaInterativo": [-2]})" << R"([["LeSenhaInterativo", ["0123ABCD"]]])" << "antes" << "" << "-2";
    QTest::newRow("6 ended") << 6 << QStringList{"FrmWK!"} << "{}" << "[]" << "antes" << "" << "0";
    QTest::newRow("7 direct PIN") << 7 << QStringList{"FrmWK:"} << R"({"LeSenhaDireto": [{"pin": "1234"}]})" << R"([["LeSenhaDireto", [" ", null]]])" << "Senha = 1234" << "" << "0";
    QTest::newRow("7 no PIN") << 7 << QStringList{"FrmWK:K"} << R"({"LeSenhaDireto": [-3]})" << R"([["LeSenhaDireto", ["K", null]]])" << "" << "" << "-3";
    QTest::newRow("8 confirm key") << 8 << QStringList{"FrmMsgPpd:OK?"} << R"({"LeSimNaoPinPad": [1]})" << R"([["LeSimNaoPinPad", ["OK?"]]])" << "antes" << "A tecla de Confirmação foi pressionada" << "1";
    QTest::newRow("8 cancel key") << 8 << QStringList{"FrmMsgPpd:OK?"} << R"({"LeSimNaoPinPad": [0]})" << R"([["LeSimNaoPinPad", ["OK?"]]])" << "antes" << cancela << "0";
    QTest::newRow("8 ended") << 8 << QStringList{"FrmMsgPpd!"} << "{}" << "[]" << "antes" << cancela << "0";
    QTest::newRow("8 other answer") << 8 << QStringList{"FrmMsgPpd:X"} << R"({"LeSimNaoPinPad": [-2]})" << R"([["LeSimNaoPinPad", ["X"]]])" << "antes" << "" << "-2";
    QTest::newRow("9 track 3") << 9 << QStringList{"FrmMsgPpd:T3"} << R"({"LeTrilha3": [7]})" << R"([["LeTrilha3", ["T3"]]])" << "antes" << "" << "7";
    // clang-format on
}

// With no transaction group selected no start function runs first, and the
// choice is used once; "TEF" is selected again afterwards.
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
    k.c.window().janelas().FrmTimeout.TimeoutLeCartao = 999;
    k.find<QPlainTextEdit>("MemoMsgOperador")->setPlainText(QStringLiteral("antes"));
    clica(k.c.window(), "RGCBItem1");
    if (!mensagem.isEmpty()) {
        platform::prompt::expect(mensagem);
    }
    escolheFuncaoPinpad(k.c.window(), valor, respostas);
    KAVEX_COMPARE_JSON(k.chamadas(), json::parse(chamadas.toStdString()));
    QCOMPARE(k.find<QPlainTextEdit>("MemoMsgOperador")->toPlainText(), operador);
    QCOMPARE(k.texto("EdtResultado"), resultado);
    QCOMPARE(k.c.estado().FuncaoPinpad, 0);
    QCOMPARE(k.find<RadioGroup>("RGTEF")->itemIndex(), 0);
    QCOMPARE(k.find<RadioGroup>("RGCB")->itemIndex(), -1);
    QVERIFY(k.pronto());
    KAVEX_VERIFY_SEAMS();
}

// During the direct read the panel lies over the operator messages, the
// window and its boxes keep their size, and its button reaches the library.
// The pinpad panel an earlier function left up is not shown beside it.
void TestTransactionStart::showsTheInterruptPanelOverTheMessages() {
    QTemporaryDir pasta;
    startSeams();
    platform::programdir::setDirectory(pasta.path());
    Simulator sim;
    Escuta escuta(sim.library());
    TFrmtesteCliKavex32I w(escuta);
    w.show();
    clica(w, "BtnConfigura");
    auto* painel = controle<QWidget>(w, "pnlILCD");
    auto* mensagens = controle<QWidget>(w, "MemoMsgOperador");
    const QList<QRect> antes{w.rect(), controle<QWidget>(w, "Memo")->geometry(), mensagens->geometry()};
    // The library reads on its own thread while the window lives on: the hook
    // only says which read began, and the window's side looks at the panel
    // while the read waits for its card.
    std::atomic<const char*> leitura{nullptr};
    escuta.antes = [&](const QString& funcao) {
        leitura = funcao == u"LeCartaoDireto"     ? "LeCartaoDireto"
                  : funcao == u"LeCartaoDiretoEx" ? "LeCartaoDiretoEx"
                                                  : nullptr;
    };
    QStringList durante;
    QTimer olho;
    connect(&olho, &QTimer::timeout, [&] {
        const char* funcao = leitura.exchange(nullptr);
        if (!funcao) {
            return;
        }
        const QRect sobre(mensagens->mapTo(&w, QPoint()), mensagens->size());
        const bool dentro = sobre.contains(QRect(painel->mapTo(&w, QPoint()), painel->size()));
        durante << QLatin1String(funcao) +
                       (!painel->isVisible() ? " hidden"
                        : dentro             ? " over"
                                             : " elsewhere") +
                       (controle<QWidget>(w, "PnlCncPpd")->isVisible() ? " with the pinpad panel" : "");
        if (painel->isVisible()) {
            clica(w, "BtnILCD");
        }
    });
    olho.start(5);
    controle<QWidget>(w, "PnlCncPpd")->show();
    qputenv("KAVEX_SIM_DELAY_MS", "500");
    sim.clearLog();
    escolheFuncaoPinpad(w, 3, {"FrmMsgPpd:"});
    escolheFuncaoPinpad(w, 4, {"FrmMsgPpd:", "FrmTimeout:", "FrmOpcaoSimNao:0"});
    qputenv("KAVEX_SIM_DELAY_MS", "");
    QCOMPARE(durante, (QStringList{"LeCartaoDireto over", "LeCartaoDiretoEx hidden"}));
    QCOMPARE(sim.calls("InterrompeLeCartaoDireto").size(), size_t(1));
    QVERIFY(!painel->isVisible());
    QCOMPARE((QList<QRect>{w.rect(), controle<QWidget>(w, "Memo")->geometry(), mensagens->geometry()}), antes);
    KAVEX_VERIFY_SEAMS();
}

// Edit and combo boxes, editable ones too, are announced by their labels, not
// by their text. On the teal, an indicator's middle is white when checked and
// teal when not, enabled or not.
void TestTransactionStart::announcesBoxesByLabelAndShowsIndicators() {
    Console c;
    QStringList errados;
    for (const QLabel* rotulo : c.window().findChildren<QLabel*>()) {
        if (auto* caixa = qobject_cast<QComboBox*>(rotulo->buddy()); caixa && caixa->isEditable()) {
            for (QWidget* parte : {static_cast<QWidget*>(caixa), static_cast<QWidget*>(caixa->lineEdit())}) {
                if (nomeAcessivel(parte) != rotulo->text()) {
                    errados << caixa->objectName() + ": " + nomeAcessivel(parte);
                }
            }
        }
    }
    QCOMPARE(errados, QStringList());
    auto* impressora = c.find<RadioGroup>("RdGrImpr");
    auto* descricao = c.find<QCheckBox>("ChkBoxDescricao");
    for (const int estado : {0, 1, 2, 3}) {
        const bool marcado = estado & 1;
        impressora->setEnabled(estado & 2);
        impressora->setItemIndex(marcado ? 0 : 1);
        descricao->setEnabled(estado & 2);
        descricao->setChecked(marcado);
        for (QAbstractButton* botao :
             {static_cast<QAbstractButton*>(impressora->button(0)), static_cast<QAbstractButton*>(descricao)}) {
            QStyleOptionButton opcao;
            opcao.initFrom(botao);
            const auto indicador = botao == descricao ? QStyle::SE_CheckBoxIndicator : QStyle::SE_RadioButtonIndicator;
            const QPoint meio = botao->style()->subElementRect(indicador, &opcao, botao).center();
            const QColor cor = botao->grab().toImage().pixelColor(meio * botao->devicePixelRatioF());
            const bool teal = qAbs(cor.red()) + qAbs(cor.green() - 0x80) + qAbs(cor.blue() - 0x80) < 60;
            QVERIFY2(
                teal != marcado,
                qPrintable(QStringLiteral("%1 state %2: %3").arg(botao->objectName()).arg(estado).arg(cor.name())));
        }
    }
    // The box the keyboard reached is framed in white on the teal.
    c.window().show();
    QVERIFY(QTest::qWaitForWindowActive(&c.window()));
    for (QAbstractButton* botao :
         {static_cast<QAbstractButton*>(impressora->button(0)), static_cast<QAbstractButton*>(descricao)}) {
        const auto brancos = [botao] {
            const QImage imagem = botao->grab().toImage();
            int n = 0;
            for (int y = 0; y < imagem.height(); ++y) {
                for (int x = 0; x < imagem.width(); ++x) {
                    n += imagem.pixelColor(x, y) == Qt::white;
                }
            }
            return n;
        };
        botao->clearFocus();
        const int semFoco = brancos();
        botao->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(botao->hasFocus());
        const int comFoco = brancos();
        QVERIFY2(comFoco > semFoco + 20, qPrintable(QStringLiteral("%1: %2 white pixels with the focus, %3 without")
                                                        .arg(botao->objectName())
                                                        .arg(comFoco)
                                                        .arg(semFoco)));
    }
    KAVEX_VERIFY_SEAMS();
}

QTEST_MAIN(TestTransactionStart)
#include "tst_transactionstart.moc"
