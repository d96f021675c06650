// The command loop in the main window with the real dialogs: what the
// operator does in each of them goes back to the library, the pinpad panel's
// cancel, a receipt that cannot be printed, and the look of the trace box.

#include "Cliques.h"
#include "Harness.h"
#include "Operador.h"

#include "dialogs/MenuEscolha.h"
#include "platform/Clock.h"
#include "platform/Impressao.h"
#include "widgets/Modal.h"
#include "widgets/Prompt.h"
#include "widgets/RadioGroup.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

using harness::clica;
using harness::clicaIndicador;
using harness::Console;
using harness::controle;
using nlohmann::json;

namespace {

json cmd(int comando, const std::string& texto, int minimo = 0, int maximo = 0, int tipo = 0) {
    return {{"command", comando}, {"fieldType", tipo}, {"min", minimo}, {"max", maximo}, {"text", texto}};
}
const json kFim = {{"return", 0}};

// The caller's part: a start answered 10000, the window busy, then the loop.
void roda(Console& c, const json& ciclos) {
    c.simulator().script({{"IniciaFuncaoKavexInterativo", {10000}}, {"ContinuaFuncaoKavexInterativo", ciclos}});
    QCOMPARE(c.simulator().library().IniciaFuncaoKavexInterativo(2, "1,00", "1", "20240305", "090703", "Opx", "[]"),
             10000);
    c.window().dataehora();
    c.window().HabilitaDesabilita(false);
    c.window().ContinuaFuncao();
}

// Buffer text and Continua, as sent.
json par(const json& buffer, int continua) {
    return json::array({buffer, continua});
}

json enviados(Console& c) {
    json e = json::array();
    for (const json& chamada : c.simulator().calls("ContinuaFuncaoKavexInterativo")) {
        e.push_back(par(chamada["args"][0], chamada["args"][2]));
    }
    return e;
}

void digita(QDialog& d, const char* campo, const QString& texto) {
    QTest::keyClicks(controle<QLineEdit>(d, campo), texto);
    QTest::keyClick(controle<QLineEdit>(d, campo), Qt::Key_Return);
}

} // namespace

class TstCommandLoop : public QObject {
    Q_OBJECT
private slots:
    void init() { platform::clock::setFixed(QDateTime(QDate(2024, 3, 5), QTime(9, 7, 3))); }
    void cleanup() { platform::clock::clearFixed(); }
    void saleThroughTheDialogs();
    void pinpadPanelCancelled_data();
    void pinpadPanelCancelled();
    void receiptThatCannotBePrinted();
    void traceBoxAndScopedStyle();
};

// It opens with a burst of fast cycles, after which the trace and the window
// are up to date as soon as a dialog opens.
void TstCommandLoop::saleThroughTheDialogs() {
    Console c;
    c.find<QLineEdit>("EdtCpFiscal")->setText(QStringLiteral("4321"));
    const std::string longa(60, 'm');
    json ciclos = json::array(), esperado = json::array();
    constexpr int kCiclosRapidos = 30;
    for (int i = 0; i < kCiclosRapidos; ++i) {
        ciclos.push_back(cmd(1, "Aguarde " + std::to_string(i)));
        esperado.push_back(par(i ? "Aguarde " + std::to_string(i - 1) : "", 0));
    }
    QString cabecalho, maximo, consulta, cupom, aoAbrirMenu;
    platform::modal::expect("FrmMenu", [&](QDialog& d) {
        aoAbrirMenu =
            QStringLiteral("%1 %2")
                .arg(c.find<QPlainTextEdit>("Memo")->blockCount())
                .arg(c.find<QWidget>("Memo")->updatesEnabled() && c.find<QWidget>("EdtData")->updatesEnabled());
        aoAbrirMenu += ' ' + c.find<QPlainTextEdit>("EdtData")->toPlainText();
        cabecalho = controle<QLabel>(d, "CabecalhoMenu")->text();
        clicaIndicador(controle<QRadioButton>(d, "RdBtnCont1000"));
        digita(d, "EdtOpcao", "2");
    });
    platform::modal::expect("FrmColeta", [&](QDialog& d) {
        maximo = QString::number(controle<QLineEdit>(d, "EdtColeta")->maxLength());
        digita(d, "EdtColeta", "12");
    });
    platform::prompt::expect("Digite Novamente");
    platform::modal::expect("FrmColeta", [&](QDialog& d) { digita(d, "EdtColeta", "1234"); });
    platform::modal::expect("FrmCnsChq", [](QDialog& d) { clicaIndicador(controle<QAbstractButton>(d, "CheckBox1")); });
    platform::modal::expect("FrmDigitado", [](QDialog& d) { clica(d, "BtnPreencher"), clica(d, "BtnConsulta"); });
    platform::modal::expect("FrmCnsChq", [](QDialog& d) { clicaIndicador(controle<QAbstractButton>(d, "CheckBox2")); });
    platform::modal::expect("FrmCMC7", [](QDialog& d) { clica(d, "BitBtnPreencher"), clica(d, "BitBtnConsulta"); });
    platform::modal::expect("FrmCodBarra", [](QDialog& d) {
        clicaIndicador(controle<QRadioButton>(d, "RdBtnNaoValida"));
        digita(d, "EdtCodBarra", "12345");
    });
    platform::prompt::expect("Confirma?", platform::prompt::Answer::No);
    platform::prompt::expect("Pressione enter");
    platform::modal::expect("FrmConsultas", [&](QDialog& d) {
        consulta = d.windowTitle() + '|' + controle<QPlainTextEdit>(d, "MemoConsultas")->toPlainText();
        clica(d, "BitBtn1");
    });
    platform::modal::expect("FrmCupomTEF", [&](QDialog& d) {
        cupom = controle<QPlainTextEdit>(d, "MemCupom")->toPlainText();
        clica(d, "BtnConfirma");
    });
    for (const json& ciclo :
         {cmd(4, "PAGAMENTO"), cmd(21, "1:A Vista;2:Parcelado;", 1, 1), cmd(30, "VALOR", 4, 6), cmd(31, "CHEQUE"),
          cmd(31, "CMC7", 30, 34), cmd(35, "CODIGO"), cmd(20, "Confirma?"), cmd(22, "PAGAMENTO OK"),
          cmd(22, "CDC\nTEXTO"), cmd(1, longa), cmd(0, "VIA CLIENTE\nR$ 1,00", 0, 0, 122), kFim}) {
        ciclos.push_back(ciclo);
    }
    roda(c, ciclos);

    KAVEX_VERIFY_SEAMS();
    for (const json& p :
         {par("Aguarde " + std::to_string(kCiclosRapidos - 1), 0), par("PAGAMENTO", 0), par("2", 1000), par("1234", 0),
          par("0:01800109773000006169748500045", 0), par("1:<00109773<0188500045>701000616977Ç", 0), par("0:12345", 0),
          par("1", 0), par("PAGAMENTO OK", 0), par("CDC\nTEXTO", 0), par(longa, 0), par("VIA CLIENTE\nR$ 1,00", 0)}) {
        esperado.push_back(p);
    }
    KAVEX_COMPARE_JSON(enviados(c), esperado);
    QCOMPARE(aoAbrirMenu, QStringLiteral("64 1 Aguarde 29"));
    QCOMPARE(cabecalho + '|' + maximo, QStringLiteral("PAGAMENTO|6"));
    QCOMPARE(consulta, QStringLiteral("Consulta CDC|CDC\nTEXTO"));
    QCOMPARE(cupom, QStringLiteral("VIA CLIENTE\nR$ 1,00"));
    KAVEX_COMPARE_JSON(c.simulator().calls("FinalizaTransacaoKavexInterativo").at(0)["args"],
                       (json{1, "4321", "20240305", "090703"}));
    QCOMPARE(c.find<QPlainTextEdit>("Memo")->blockCount(), 2 * 42);
    QCOMPARE(c.find<QPlainTextEdit>("Memo")->document()->findBlockByNumber(62).text(),
             QStringLiteral("ProximoComando = 21 TipoCampo = 0"));
    QCOMPARE(c.find<QPlainTextEdit>("EdtData")->toPlainText(), QStringLiteral("PAGAMENTO OK"));
    QCOMPARE(c.find<QPlainTextEdit>("MemoMsgOperador")->toPlainText(), QString::fromStdString(longa));
    QCOMPARE(c.find<QLineEdit>("EdtResultado")->text(), QStringLiteral("0"));
    QVERIFY(c.find<QWidget>("BtnTransacao")->isEnabled() && c.find<QWidget>("BtnConfigura")->isEnabled());
}

void TstCommandLoop::pinpadPanelCancelled_data() {
    QTest::addColumn<bool>("comEsc");
    QTest::newRow("click") << false;
    QTest::newRow("Esc") << true;
}

// The cancel takes effect between two calls: the next one carries -1.
void TstCommandLoop::pinpadPanelCancelled() {
    QFETCH(bool, comEsc);
    Console c;
    c.window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&c.window()));
    auto* painel = c.find<QWidget>("PnlCncPpd");
    auto* contador = c.find<QLabel>("LblContador");
    QTimer cancela;
    QObject::connect(&cancela, &QTimer::timeout, [&] {
        if (painel->isVisible() && contador->text() == u"2") {
            cancela.stop();
            comEsc ? QTest::keyClick(&c.window(), Qt::Key_Escape)
                   : QTest::mouseClick(c.find<QPushButton>("BtnCncPpd"), Qt::LeftButton);
        }
    });
    cancela.start(0);
    roda(c, {cmd(23, ""), cmd(23, ""), kFim});
    KAVEX_COMPARE_JSON(enviados(c), json::array({par("", 0), par("", 0), par("", -1)}));
    QVERIFY(!painel->isVisible());
    QCOMPARE(contador->text(), QStringLiteral("2"));

    roda(c, {cmd(23, ""), kFim});
    QVERIFY(painel->isVisible());
    QCOMPARE(contador->text(), QStringLiteral("1"));
    KAVEX_VERIFY_SEAMS();
}

// The reason comes from the print service; the receipt screen still lets
// the operator decide.
void TstCommandLoop::receiptThatCannotBePrinted() {
    Console c;
    qputenv("CUPS_SERVER", QFile::encodeName(c.folder() + "/sem-servidor.sock"));
    const QString motivo = platform::impressao::imprimeTexto({"CUPOM"}, QStringLiteral("Cupom TEF"));
    QVERIFY(!motivo.isEmpty());
    c.find<RadioGroup>("RdGrImpr")->setItemIndex(1);
    platform::prompt::expect("O cupom não foi impresso: " + motivo);
    platform::modal::expect("FrmCupomTEF", [](QDialog& d) { clica(d, "BtnPendente"); });
    roda(c, {cmd(0, "CUPOM", 0, 0, 121), kFim});
    qunsetenv("CUPS_SERVER");
    KAVEX_VERIFY_SEAMS();
    QCOMPARE(platform::prompt::shown().at(0).kind, platform::prompt::Kind::Error);
    QVERIFY(c.simulator().calls("FinalizaTransacaoKavexInterativo").empty());
    QVERIFY(c.find<QWidget>("BtnTransacao")->isEnabled());
}

// Long trace lines wrap instead of scrolling sideways; the main window's
// style reaches none of the dialogs' controls of the same names.
void TstCommandLoop::traceBoxAndScopedStyle() {
    Console c;
    roda(c, {cmd(7, std::string(400, 'w')), kFim});
    auto* memo = c.find<QPlainTextEdit>("Memo");
    QVERIFY(!memo->horizontalScrollBar()->isVisible());
    QVERIFY(memo->document()->findBlockByNumber(1).layout()->lineCount() > 1);
    auto* rotuloMenu = c.window().janelas().FrmMenu.findChild<QLabel*>("Label1");
    rotuloMenu->ensurePolished();
    QCOMPARE(c.find<QLabel>("Label1")->font().pointSize(), 14);
    QCOMPARE(rotuloMenu->font().pointSize(), QApplication::font().pointSize());
}

QTEST_MAIN(TstCommandLoop)
#include "tst_commandloop.moc"
