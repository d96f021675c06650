// The test seams themselves: a test must fail, never hang, when a window or a
// box appears that nobody expected, and queued answers must reach the code.

#include "Harness.h"

#include "core/EstadoConsole.h"
#include "dialogs/MenuEscolha.h"

#include "widgets/Modal.h"
#include "widgets/Prompt.h"

#include <QDialog>
#include <QLineEdit>
#include <QShowEvent>
#include <QVBoxLayout>
#include <QtTest/qtestspontaneevent.h>

using platform::prompt::Answer;

namespace {
// A window that closes itself when Enter is pressed in its field.
class Janela : public QDialog {
public:
    Janela() {
        setObjectName(QStringLiteral("FrmTeste"));
        campo = new QLineEdit(this);
        campo->setObjectName(QStringLiteral("EdtTeste"));
        (new QVBoxLayout(this))->addWidget(campo);
        connect(campo, &QLineEdit::returnPressed, this, [this] {
            resposta = campo->text();
            accept();
        });
    }
    QLineEdit* campo;
    QString resposta;
};
} // namespace

class TestSeams : public QObject {
    Q_OBJECT
private slots:
    void init() { harness::startSeams(); }
    void actionsRunOnTheRealWindow();
    void unexpectedOrLeftOpenWindowsFail();
    void boxesAreAnsweredFromTheQueue();
    void windowSystemShowingDoesNotReset();
    void unexpectedBoxesAndLeftoversFail();
};

void TestSeams::actionsRunOnTheRealWindow() {
    Janela janela;
    platform::modal::expect(QStringLiteral("FrmTeste"), [](QDialog& w) {
        auto* campo = w.findChild<QLineEdit*>(QStringLiteral("EdtTeste"));
        QTest::keyClicks(campo, QStringLiteral("abc"));
        QTest::keyClick(campo, Qt::Key_Return);
    });
    platform::modal::showModal(janela);
    QCOMPARE(janela.resposta, QStringLiteral("abc"));
    QVERIFY(!janela.isVisible());
    QCOMPARE(platform::modal::shownWindows(), QStringList{QStringLiteral("FrmTeste")});
    KAVEX_VERIFY_SEAMS();
}

void TestSeams::unexpectedOrLeftOpenWindowsFail() {
    Janela janela;
    platform::modal::showModal(janela);
    QVERIFY(!janela.isVisible());
    QCOMPARE(platform::modal::failures(), QStringList{QStringLiteral("unexpected window FrmTeste")});

    platform::modal::reset();
    platform::modal::expect(QStringLiteral("FrmTeste"), [](QDialog&) {});
    platform::modal::showModal(janela);
    QVERIFY(!janela.isVisible());
    QCOMPARE(platform::modal::failures(), QStringList{QStringLiteral("window FrmTeste was left open")});

    platform::modal::reset();
    platform::modal::expect(QStringLiteral("FrmOutra"), [](QDialog&) {});
    platform::modal::showModal(janela);
    QCOMPARE(platform::modal::failures().size(), 1);
    QVERIFY(harness::seamProblems().contains(QStringLiteral("1 queued window action(s) never used")));
    platform::modal::reset();
}

void TestSeams::boxesAreAnsweredFromTheQueue() {
    platform::prompt::expect(QStringLiteral("Salvar ?"), Answer::Yes);
    platform::prompt::expect(QStringLiteral("Digite"), Answer::Ok, QStringLiteral("42"));
    platform::prompt::expect(QStringLiteral("Outro"), Answer::Cancel, QStringLiteral("ignorado"));
    QCOMPARE(platform::prompt::askYesNoCancel(QStringLiteral("T"), QStringLiteral("Salvar ?")), Answer::Yes);
    QString valor = QStringLiteral("inicial");
    QVERIFY(platform::prompt::inputQuery(QStringLiteral("Título"), QStringLiteral("Digite"), valor));
    QCOMPARE(valor, QStringLiteral("42"));
    QVERIFY(!platform::prompt::inputQuery(QStringLiteral("Título"), QStringLiteral("Outro"), valor));
    QCOMPARE(valor, QStringLiteral("42"));
    QCOMPARE(platform::prompt::shown().size(), 3);
    QCOMPARE(platform::prompt::shown()[0].title, QStringLiteral("T"));
    QCOMPARE(platform::prompt::shown()[1].kind, platform::prompt::Kind::InputText);
    KAVEX_VERIFY_SEAMS();
}

void TestSeams::unexpectedBoxesAndLeftoversFail() {
    // Nobody expected it: answered as closing it would, and recorded.
    QCOMPARE(platform::prompt::askYesNo(QString(), QStringLiteral("Apagar ?")), Answer::No);
    platform::prompt::expect(QStringLiteral("Esperada"));
    platform::prompt::showMessage(QStringLiteral("Outra"));
    platform::prompt::expect(QStringLiteral("Nunca mostrada"));
    const QString problems = harness::seamProblems();
    QVERIFY(problems.contains(QStringLiteral("unexpected box: \"Apagar ?\"")));
    QVERIFY(problems.contains(QStringLiteral("box shows \"Outra\" where \"Esperada\" was expected")));
    QVERIFY(problems.contains(QStringLiteral("1 queued box answer(s) never used")));
    platform::prompt::reset();
}

// Restoring a minimised dialog is a showing by the window system: what the
// operator typed must stay, only the caller's showing starts afresh.
void TestSeams::windowSystemShowingDoesNotReset() {
    EstadoConsole estado;
    TFrmMenu menu(estado);
    platform::modal::expect(QStringLiteral("FrmMenu"), [](QDialog& w) {
        auto* campo = w.findChild<QLineEdit*>(QStringLiteral("EdtOpcao"));
        QTest::keyClicks(campo, QStringLiteral("12"));
        QShowEvent restaurada;
        QSpontaneKeyEvent::setSpontaneous(&restaurada);
        static_cast<QObject&>(w).event(&restaurada);
        QCOMPARE(campo->text(), QStringLiteral("12"));
        QTest::keyClick(campo, Qt::Key_Return);
    });
    platform::modal::showModal(menu);
    QCOMPARE(menu.OpcaoMenu, QStringLiteral("12"));
    KAVEX_VERIFY_SEAMS();
}

QTEST_MAIN(TestSeams)
#include "tst_seams.moc"
