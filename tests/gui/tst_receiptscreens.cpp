// The receipt and consultation screens driven as an operator would.

#include "Harness.h"
#include "Operador.h"

#include "core/EstadoConsole.h"
#include "dialogs/CupomTEF.h"
#include "dialogs/TelaConsulta.h"
#include "widgets/Modal.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>

namespace {

using harness::clica;
using harness::nomeDoFoco;
using harness::pedeFechamento;
using harness::tecla;

bool centradaNaTela(const QWidget& w) {
    const QPoint centroDaTela = QGuiApplication::primaryScreen()->availableGeometry().center();
    return (w.frameGeometry().center() - centroDaTela).manhattanLength() <= 2;
}

// A read-only box whose text keeps its columns, as receipts are laid out,
// by the time it is shown.
bool colunasFixas(const QPlainTextEdit* caixa) {
    const QFontMetrics metricas(caixa->font());
    return caixa->isReadOnly() &&
           metricas.horizontalAdvance(QStringLiteral("iiii")) == metricas.horizontalAdvance(QStringLiteral("WWWW"));
}

} // namespace

class TstReceiptScreens : public QObject {
    Q_OBJECT
private slots:
    void init() { harness::startSeams(); }

    void receiptChoiceSetsOpcaoConfirmacao_data();
    void receiptChoiceSetsOpcaoConfirmacao();
    void receiptLeftOnlyByItsButtons();
    void receiptTextAccumulates();
    void consultationShowsEverythingGathered();
    void consultationClosesOnlyWithOk();
};

void TstReceiptScreens::receiptChoiceSetsOpcaoConfirmacao_data() {
    QTest::addColumn<QString>("acao");
    QTest::addColumn<int>("inicial");
    QTest::addColumn<int>("esperado");

    QTest::newRow("Enter with the initial focus") << "Enter" << 2 << 1;
    QTest::newRow("Esc") << "Esc" << 1 << 2;
    QTest::newRow("Confirma") << "BtnConfirma" << 0 << 1;
    QTest::newRow("Não Confirma") << "BtnNaoConfirma" << 1 << 0;
    QTest::newRow("Pendente") << "BtnPendente" << 0 << 2;
    QTest::newRow("accelerator N") << "Alt+N" << 2 << 0;
    // Enter presses the button that has the focus, not always the default.
    QTest::newRow("Tab then Enter") << "Tab Enter" << 1 << 0;
}

void TstReceiptScreens::receiptChoiceSetsOpcaoConfirmacao() {
    QFETCH(QString, acao);
    QFETCH(int, inicial);
    QFETCH(int, esperado);
    EstadoConsole estado;
    TFrmCupomTEF cupom(estado);
    cupom.OpcaoConfirmacao = inicial;

    QString focoInicial;
    platform::modal::expect("FrmCupomTEF", [&](QDialog& d) {
        focoInicial = nomeDoFoco();
        if (acao == u"Enter") {
            tecla(Qt::Key_Return);
        } else if (acao == u"Esc") {
            tecla(Qt::Key_Escape);
        } else if (acao == u"Alt+N") {
            // An accelerator presses its button as a short animated click.
            tecla(Qt::Key_N, Qt::AltModifier);
            QTRY_VERIFY(!d.isVisible());
        } else if (acao == u"Tab Enter") {
            tecla(Qt::Key_Tab);
            tecla(Qt::Key_Return);
        } else {
            clica(d, acao);
        }
    });
    platform::modal::showModal(cupom);

    QCOMPARE(focoInicial, QStringLiteral("BtnConfirma"));
    QCOMPARE(cupom.OpcaoConfirmacao, esperado);
    QVERIFY(!cupom.isVisible());
    QCOMPARE(cupom.continua(), 0);
    KAVEX_VERIFY_SEAMS();
}

// No close control, centred, and a close request from the window system is
// refused: the operator must decide how the transaction is finished.
void TstReceiptScreens::receiptLeftOnlyByItsButtons() {
    EstadoConsole estado;
    TFrmCupomTEF cupom(estado);
    QCOMPARE(cupom.windowType(), Qt::Tool);
    QVERIFY(!cupom.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(cupom.windowFlags().testFlag(Qt::CustomizeWindowHint));
    QCOMPARE(cupom.windowTitle(), QStringLiteral("CupomTEF"));

    cupom.OpcaoConfirmacao = 1;
    bool centrada = false;
    bool abertaDepoisDoPedido = false;
    QStringList focosComTab;
    platform::modal::expect("FrmCupomTEF", [&](QDialog& d) {
        centrada = centradaNaTela(d);
        pedeFechamento(d);
        abertaDepoisDoPedido = d.isVisible();
        // Tab goes round the buttons only; the receipt box is never reached.
        for (int i = 0; i < 4; ++i) {
            tecla(Qt::Key_Tab);
            focosComTab << nomeDoFoco();
        }
        clica(d, QStringLiteral("BtnNaoConfirma"));
    });
    platform::modal::showModal(cupom);

    QVERIFY(centrada);
    QVERIFY(abertaDepoisDoPedido);
    QCOMPARE(focosComTab, QStringList({"BtnNaoConfirma", "BtnPendente", "BtnConfirma", "BtnNaoConfirma"}));
    QCOMPARE(cupom.OpcaoConfirmacao, 0);
    KAVEX_VERIFY_SEAMS();
}

// Receipt texts are added line by line in arrival order and stay, whatever
// the operator chose, until the next function empties the box.
void TstReceiptScreens::receiptTextAccumulates() {
    EstadoConsole estado;
    TFrmCupomTEF cupom(estado);
    QPlainTextEdit* memo = cupom.MemCupom();
    QCOMPARE(memo->objectName(), QStringLiteral("MemCupom"));
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    memo->clear();
    memo->appendPlainText(QStringLiteral("VIA CLIENTE\nDEBITO  R$ 10,00"));
    memo->appendPlainText(QStringLiteral("VIA LOJA"));

    QString mostrado;
    bool fixas = false;
    platform::modal::expect("FrmCupomTEF", [&](QDialog&) {
        mostrado = memo->toPlainText();
        fixas = colunasFixas(memo);
        tecla(Qt::Key_Escape);
    });
    platform::modal::showModal(cupom);
    QCOMPARE(mostrado, QStringLiteral("VIA CLIENTE\nDEBITO  R$ 10,00\nVIA LOJA"));
    QVERIFY(fixas);

    platform::modal::expect("FrmCupomTEF", [&](QDialog&) {
        mostrado = memo->toPlainText();
        tecla(Qt::Key_Return);
    });
    platform::modal::showModal(cupom);
    QCOMPARE(mostrado, QStringLiteral("VIA CLIENTE\nDEBITO  R$ 10,00\nVIA LOJA"));
    QCOMPARE(cupom.OpcaoConfirmacao, 1);
    KAVEX_VERIFY_SEAMS();
}

// Each showing shows all the lines gathered so far, under the caption the
// caller set last.
void TstReceiptScreens::consultationShowsEverythingGathered() {
    EstadoConsole estado;
    TFrmConsultas consultas(estado);
    QPlainTextEdit* memo = consultas.MemoConsultas();
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(consultas.windowTitle(), QString());
    QCOMPARE(consultas.windowType(), Qt::Tool);
    QVERIFY(!consultas.windowFlags().testFlag(Qt::WindowCloseButtonHint));

    memo->appendPlainText(QStringLiteral("PRIMEIRO TEXTO\nLINHA 2"));
    consultas.setWindowTitle(QStringLiteral("Consulta CDC"));
    QString mostrado;
    QString titulo;
    QString foco;
    bool centrada = false;
    bool fixas = false;
    platform::modal::expect("FrmConsultas", [&](QDialog& d) {
        mostrado = memo->toPlainText();
        fixas = colunasFixas(memo);
        titulo = d.windowTitle();
        foco = nomeDoFoco();
        centrada = centradaNaTela(d);
        tecla(Qt::Key_Return);
    });
    platform::modal::showModal(consultas);
    QCOMPARE(mostrado, QStringLiteral("PRIMEIRO TEXTO\nLINHA 2"));
    QCOMPARE(titulo, QStringLiteral("Consulta CDC"));
    QVERIFY(fixas);
    QCOMPARE(foco, QStringLiteral("BitBtn1"));
    QVERIFY(centrada);

    memo->appendPlainText(QStringLiteral("SEGUNDO TEXTO"));
    platform::modal::expect("FrmConsultas", [&](QDialog& d) {
        mostrado = memo->toPlainText();
        titulo = d.windowTitle();
        clica(d, QStringLiteral("BitBtn1"));
    });
    platform::modal::showModal(consultas);
    QCOMPARE(mostrado, QStringLiteral("PRIMEIRO TEXTO\nLINHA 2\nSEGUNDO TEXTO"));
    // Not set again, so it stays.
    QCOMPARE(titulo, QStringLiteral("Consulta CDC"));
    KAVEX_VERIFY_SEAMS();
}

void TstReceiptScreens::consultationClosesOnlyWithOk() {
    EstadoConsole estado;
    TFrmConsultas consultas(estado);
    bool abertaDepoisDoEsc = false;
    bool abertaDepoisDoPedido = false;
    platform::modal::expect("FrmConsultas", [&](QDialog& d) {
        tecla(Qt::Key_Escape);
        abertaDepoisDoEsc = d.isVisible();
        pedeFechamento(d);
        abertaDepoisDoPedido = d.isVisible();
        tecla(Qt::Key_O, Qt::AltModifier);
        QTRY_VERIFY(!d.isVisible());
    });
    platform::modal::showModal(consultas);
    QVERIFY(abertaDepoisDoEsc);
    QVERIFY(abertaDepoisDoPedido);
    QVERIFY(!consultas.isVisible());
    QCOMPARE(consultas.continua(), 0);
    KAVEX_VERIFY_SEAMS();
}

QTEST_MAIN(TstReceiptScreens)
#include "tst_receiptscreens.moc"
