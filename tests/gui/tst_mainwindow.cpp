// The main window: its three states, configuring the library, remembered
// addresses, clearing and the choice controls.

#include "Harness.h"

#include "app/Programa.h"
#include "platform/ProgramDir.h"
#include "widgets/Prompt.h"
#include "widgets/RadioGroup.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

using harness::Console;
using nlohmann::json;

namespace {

// The controls that HabilitaDesabilita switches, in its order.
const char* const kTransactionControls[] = {
    "BtnTransacao",      "EdtCpFiscal",  "CBFuncao",     "EdtValor",        "CLBRestricoes",
    "BtnLimpar",         "RGTEF",        "RGCB",         "RdGrpRestricoes", "Btn_Confirmacao",
    "btCnfIdentificada", "Rdgp_confirm", "EdtCpFiscal2", "EdtHora2",        "BtnOutrasTrn",
    "ChkBoxDescricao",   "EdtHora",      "PnlConfirm",   "BtnFuncPpd"};
const char* const kConfigurationControls[] = {"CBIPKavex", "EdtEmpresa", "EdtTerminal", "RdGrImpr"};

QString enabledMismatches(Console& c, bool transactionsEnabled, bool configurationEnabled) {
    QStringList wrong;
    for (const char* name : kTransactionControls) {
        QWidget* w = c.find<QWidget>(name);
        if (!w || w->isEnabled() != transactionsEnabled) {
            wrong << QString::fromLatin1(name);
        }
    }
    for (const char* name : kConfigurationControls) {
        QWidget* w = c.find<QWidget>(name);
        if (!w || w->isEnabled() != configurationEnabled) {
            wrong << QString::fromLatin1(name);
        }
    }
    return wrong.join(QLatin1Char(' '));
}

void leaveAddressBox(Console& c) {
    c.find<QComboBox>("CBIPKavex")->setFocus();
    QTRY_VERIFY(c.find<QComboBox>("CBIPKavex")->hasFocus());
    c.find<QLineEdit>("EdtEmpresa")->setFocus(Qt::TabFocusReason);
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void startsUnconfigured();
    void createsEveryWindowInStartOrder();
    void configuresAndReconfigures();
    void configuresWhateverTheLibraryAnswers_data();
    void configuresWhateverTheLibraryAnswers();
    void loadsRememberedAddresses_data();
    void loadsRememberedAddresses();
    void remembersNewAddressesOnly();
    void reportsAddressThatCannotBeStored();
    void clearsTransactionFieldsOnly();
    void keepsOneTransactionKind();
    void switchesRestrictionMode();
    void enterAndEscPressTheWindowButtons();
    void tabsThroughTheForm_data();
    void tabsThroughTheForm();
    void speaksPortugueseInQtsOwnTexts();
};

void TestMainWindow::startsUnconfigured() {
    Console c;
    TFrmtesteCliKavex32I& w = c.window();
    QCOMPARE(w.windowTitle(), QStringLiteral("Teste CliKavex Interativo - Versão 1.28d1 - 01/09/2008"));
    QCOMPARE(w.objectName(), QStringLiteral("FrmtesteCliKavex32I"));
    QCOMPARE(c.find<QComboBox>("CBIPKavex")->currentText(), QStringLiteral("localhost"));
    QCOMPARE(c.find<QLineEdit>("EdtEmpresa")->text(), QStringLiteral("00000000"));
    QCOMPARE(c.find<QLineEdit>("EdtEmpresa")->maxLength(), 8);
    QCOMPARE(c.find<QLineEdit>("EdtTerminal")->text(), QStringLiteral("QK000001"));
    QCOMPARE(c.find<QComboBox>("CBFuncao")->lineEdit()->maxLength(), 3);
    QCOMPARE(c.find<RadioGroup>("RdGrImpr")->itemIndex(), 0);
    QCOMPARE(c.find<RadioGroup>("RGTEF")->itemIndex(), -1);
    QCOMPARE(c.find<RadioGroup>("RGCB")->itemIndex(), -1);
    QCOMPARE(c.find<RadioGroup>("RdGrpRestricoes")->itemIndex(), 0);
    QCOMPARE(c.find<RadioGroup>("Rdgp_confirm")->itemIndex(), 1);
    QCOMPARE(c.find<QPushButton>("BtnConfigura")->text(), QStringLiteral("&Configura"));
    QVERIFY(c.find<QPushButton>("BtnConfigura")->isEnabled());
    QCOMPARE(enabledMismatches(c, false, true), QString());
    QVERIFY(c.find<QAction>("CfgCliKavex")->isVisible());
    QVERIFY(c.find<QAction>("CfgPinpad")->isVisible());
    QVERIFY(!c.find<QWidget>("PnlCncPpd")->isVisible());
    QVERIFY(!c.find<QWidget>("pnlILCD")->isVisible());
    QVERIFY(!c.find<QWidget>("EdtRestricoes")->isVisible());
    QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(w.minimumSize(), w.maximumSize());

    // Code lists: the items are bare codes, the hints "code - description".
    auto* funcao = c.find<QComboBox>("CBFuncao");
    QCOMPARE(funcao->count(), 50);
    QCOMPARE(funcao->itemText(49), QStringLiteral("612"));
    QVERIFY(funcao->toolTip().startsWith(QStringLiteral("0 - Nenhuma\n1 - Cheque\n")));
    QVERIFY(funcao->toolTip().endsWith(QStringLiteral("612 - Recarga SPTrans (Bilhete Único)")));
    auto* restricoes = c.find<QListWidget>("CLBRestricoes");
    QCOMPARE(restricoes->count(), 35);
    QCOMPARE(restricoes->item(0)->text(), QStringLiteral("10"));
    QCOMPARE(restricoes->item(19)->text(), QStringLiteral("33"));
    QCOMPARE(restricoes->toolTipDuration(), 8000);
    QVERIFY(restricoes->toolTip().contains(QStringLiteral("55 - Tratamento de Troco no Pagto de Contas com Dinheiro")));
    KAVEX_VERIFY_SEAMS();
}

void TestMainWindow::createsEveryWindowInStartOrder() {
    Console c;
    const QStringList order{"FrmtesteCliKavex32I",
                            "FrmCodBarra",
                            "FrmConsultas",
                            "FrmWK",
                            "FrmMsgPpd",
                            "FrmAA",
                            "FrmOutrasTrn",
                            "FrmVidalink",
                            "FrmConsVidalink",
                            "FrmVendaVidalink",
                            "FrmCncVidalink",
                            "FrmCfgCliKavex",
                            "FrmCfgPinpad",
                            "FrmFuncPinpad",
                            "FrmOpcaoSimNao",
                            "FrmTimeout",
                            "FrmTrnDirKavex",
                            "FrmCodProdAutor",
                            "FrmMenu",
                            "FrmColeta",
                            "FrmCupomTEF",
                            "FrmCnsChq",
                            "FrmDigitado",
                            "FrmCMC7"};
    QCOMPARE(c.window().janelas().ordemCriacao(), order);
    for (const QString& name : order.mid(1)) {
        auto* janela = c.window().findChild<QDialog*>(name);
        QVERIFY2(janela, qPrintable(name));
        QVERIFY2(!janela->isVisible(), qPrintable(name));
    }
    KAVEX_VERIFY_SEAMS();
}

void TestMainWindow::configuresAndReconfigures() {
    Console c;
    auto* endereco = c.find<QComboBox>("CBIPKavex");
    endereco->lineEdit()->selectAll();
    QTest::keyClicks(endereco->lineEdit(), QStringLiteral("10.1.2.3"));
    auto* empresa = c.find<QLineEdit>("EdtEmpresa");
    empresa->selectAll();
    QTest::keyClicks(empresa, QStringLiteral("12345678X"));
    auto* configura = c.find<QPushButton>("BtnConfigura");
    QTest::mouseClick(configura, Qt::LeftButton);

    const auto calls = c.simulator().calls("ConfiguraIntKavexInterativo");
    QCOMPARE(calls.size(), size_t(1));
    KAVEX_COMPARE_JSON(calls[0]["args"], json::parse(R"(["10.1.2.3", "12345678", "QK000001", 0])"));
    QCOMPARE(c.find<QLineEdit>("EdtResultado")->text(), QStringLiteral("0"));
    QCOMPARE(c.estado().Retorno, 0);
    QCOMPARE(configura->text(), QStringLiteral("Re&configura"));
    QVERIFY(configura->isEnabled());
    QCOMPARE(enabledMismatches(c, true, false), QString());
    QVERIFY(!c.find<QAction>("CfgCliKavex")->isVisible());
    QVERIFY(!c.find<QAction>("CfgPinpad")->isVisible());
    QCOMPARE(c.find<RadioGroup>("RGTEF")->itemIndex(), 0);

    QTest::mouseClick(configura, Qt::LeftButton);
    QCOMPARE(c.simulator().calls("ConfiguraIntKavexInterativo").size(), size_t(1));
    QCOMPARE(configura->text(), QStringLiteral("&Configura"));
    QVERIFY(configura->isEnabled());
    QCOMPARE(enabledMismatches(c, false, true), QString());
    QVERIFY(c.find<QAction>("CfgCliKavex")->isVisible());
    QVERIFY(c.find<QAction>("CfgPinpad")->isVisible());
    KAVEX_VERIFY_SEAMS();
}

void TestMainWindow::configuresWhateverTheLibraryAnswers_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("shown");
    QTest::newRow("no address") << QString() << QString() << QStringLiteral("-1");
    QTest::newRow("library refuses") << QStringLiteral("10.9.9.9")
                                     << QStringLiteral(R"({"ConfiguraIntKavexInterativo": [-7]})")
                                     << QStringLiteral("-7");
}

void TestMainWindow::configuresWhateverTheLibraryAnswers() {
    QFETCH(QString, address);
    QFETCH(QString, script);
    QFETCH(QString, shown);
    Console c;
    if (!script.isEmpty()) {
        c.simulator().script(json::parse(script.toStdString()));
    }
    c.find<QComboBox>("CBIPKavex")->setEditText(address);
    QTest::mouseClick(c.find<QPushButton>("BtnConfigura"), Qt::LeftButton);
    QCOMPARE(c.find<QLineEdit>("EdtResultado")->text(), shown);
    QCOMPARE(c.find<QPushButton>("BtnConfigura")->text(), QStringLiteral("Re&configura"));
    QCOMPARE(enabledMismatches(c, true, false), QString());
    KAVEX_VERIFY_SEAMS();
}

void TestMainWindow::loadsRememberedAddresses_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QStringList>("listed");
    QTest::newRow("two, both closed") << QByteArray("[IPKavex]\r\nIPs=10.0.0.1;localhost;\r\n")
                                      << QStringList{"10.0.0.1", "localhost"};
    QTest::newRow("second not closed") << QByteArray("[IPKavex]\r\nIPs=10.0.0.1;localhost\r\n")
                                       << QStringList{"10.0.0.1"};
    QTest::newRow("key in other case") << QByteArray("[ipkavex]\nips = a;b;\n") << QStringList{"a", "b"};
    QTest::newRow("no key") << QByteArray("[Outra]\r\nIPs=x;\r\n") << QStringList{};
}

void TestMainWindow::loadsRememberedAddresses() {
    QFETCH(QByteArray, stored);
    QFETCH(QStringList, listed);
    QTemporaryDir dir;
    harness::writeFile(dir.filePath(QStringLiteral("Config.ini")), stored);
    QCOMPARE(separaEnderecos(QStringLiteral("10.0.0.1;localhost;")), (QStringList{"10.0.0.1", "localhost"}));
    // The window reads the file at creation, so the folder is set first.
    harness::startSeams();
    platform::programdir::setDirectory(dir.path());
    harness::Simulator sim;
    TFrmtesteCliKavex32I w(sim.library());
    auto* box = w.findChild<QComboBox*>(QStringLiteral("CBIPKavex"));
    QStringList items;
    for (int i = 0; i < box->count(); ++i) {
        items << box->itemText(i);
    }
    QCOMPARE(items, listed);
    QCOMPARE(box->currentText(), QStringLiteral("localhost"));
    KAVEX_VERIFY_SEAMS();
}

void TestMainWindow::remembersNewAddressesOnly() {
    Console c;
    const QString ini = c.file(QStringLiteral("Config.ini"));
    auto* box = c.find<QComboBox>("CBIPKavex");
    // The first address creates the file.
    leaveAddressBox(c);
    QCOMPARE(harness::readFile(ini), QByteArray("[IPKavex]\r\nIPs=localhost;\r\n"));

    // Known (in any letter case) or empty: nothing is written.
    box->setEditText(QStringLiteral("LOCALHOST"));
    leaveAddressBox(c);
    box->setEditText(QString());
    leaveAddressBox(c);
    QCOMPARE(harness::readFile(ini), QByteArray("[IPKavex]\r\nIPs=localhost;\r\n"));

    // An address with a ";" inside is stored as typed and read back as two.
    box->setEditText(QStringLiteral("10.0.0.2;10.0.0.3"));
    leaveAddressBox(c);
    QCOMPARE(harness::readFile(ini), QByteArray("[IPKavex]\r\nIPs=localhost;10.0.0.2;10.0.0.3;\r\n"));
    QCOMPARE(box->count(), 2);
    QCOMPARE(separaEnderecos(QStringLiteral("localhost;10.0.0.2;10.0.0.3;")).size(), 3);
    KAVEX_VERIFY_SEAMS();
}

void TestMainWindow::reportsAddressThatCannotBeStored() {
    Console c;
    // A folder where the file should be makes the write fail.
    QVERIFY(QDir(c.folder()).mkdir(QStringLiteral("Config.ini")));
    const QString path = QDir::toNativeSeparators(c.file(QStringLiteral("Config.ini")));
    platform::prompt::expect(QStringLiteral("Unable to write to ") + path);
    c.find<QComboBox>("CBIPKavex")->setEditText(QStringLiteral("10.0.0.9"));
    leaveAddressBox(c);
    QCOMPARE(platform::prompt::shown().size(), 1);
    QCOMPARE(platform::prompt::shown()[0].kind, platform::prompt::Kind::Error);
    KAVEX_VERIFY_SEAMS();
}

void TestMainWindow::clearsTransactionFieldsOnly() {
    Console c;
    QTest::mouseClick(c.find<QPushButton>("BtnConfigura"), Qt::LeftButton);
    for (const char* name :
         {"EdtCpFiscal", "EdtCpFiscal2", "EdtValor", "EdtResultado", "EdtRestricoes", "EdtHora", "EdtHora2"}) {
        c.find<QLineEdit>(name)->setText(QStringLiteral("x"));
    }
    c.find<QPlainTextEdit>("EdtData")->setPlainText(QStringLiteral("x"));
    c.find<QComboBox>("CBFuncao")->setEditText(QStringLiteral("2"));
    c.find<QPlainTextEdit>("Memo")->setPlainText(QStringLiteral("trace"));
    c.find<QPlainTextEdit>("MemoMsgOperador")->setPlainText(QStringLiteral("msg"));
    auto* restricoes = c.find<QListWidget>("CLBRestricoes");
    restricoes->item(3)->setCheckState(Qt::Checked);
    c.find<RadioGroup>("RGCB")->setItemIndex(1);

    QTest::mouseClick(c.find<QPushButton>("BtnLimpar"), Qt::LeftButton);
    for (const char* name :
         {"EdtCpFiscal", "EdtCpFiscal2", "EdtValor", "EdtResultado", "EdtRestricoes", "EdtHora", "EdtHora2"}) {
        QVERIFY2(c.find<QLineEdit>(name)->text().isEmpty(), name);
    }
    QVERIFY(c.find<QPlainTextEdit>("EdtData")->toPlainText().isEmpty());
    QVERIFY(c.find<QComboBox>("CBFuncao")->currentText().isEmpty());
    QVERIFY(c.find<QPlainTextEdit>("Memo")->toPlainText().isEmpty());
    QVERIFY(c.find<QPlainTextEdit>("MemoMsgOperador")->toPlainText().isEmpty());
    QCOMPARE(restricoes->item(3)->checkState(), Qt::Unchecked);
    QCOMPARE(c.find<QComboBox>("CBIPKavex")->currentText(), QStringLiteral("localhost"));
    QCOMPARE(c.find<QLineEdit>("EdtEmpresa")->text(), QStringLiteral("00000000"));
    QCOMPARE(c.find<QLineEdit>("EdtTerminal")->text(), QStringLiteral("QK000001"));
    QCOMPARE(c.find<RadioGroup>("RGCB")->itemIndex(), 1);
    KAVEX_VERIFY_SEAMS();
}

void TestMainWindow::keepsOneTransactionKind() {
    Console c;
    QTest::mouseClick(c.find<QPushButton>("BtnConfigura"), Qt::LeftButton);
    auto* tef = c.find<RadioGroup>("RGTEF");
    auto* cb = c.find<RadioGroup>("RGCB");
    QTest::mouseClick(cb->button(1), Qt::LeftButton);
    QCOMPARE(cb->itemIndex(), 1);
    QCOMPARE(tef->itemIndex(), -1);
    QTest::mouseClick(tef->button(1), Qt::LeftButton);
    QCOMPARE(tef->itemIndex(), 1);
    QCOMPARE(cb->itemIndex(), -1);

    // Changing the function code, by typing or from the list, selects "TEF".
    QTest::mouseClick(cb->button(1), Qt::LeftButton);
    auto* funcao = c.find<QComboBox>("CBFuncao");
    QTest::keyClicks(funcao->lineEdit(), QStringLiteral("2"));
    QCOMPARE(tef->itemIndex(), 0);
    QCOMPARE(cb->itemIndex(), -1);
    QTest::mouseClick(cb->button(0), Qt::LeftButton);
    funcao->setFocus();
    QTest::keyClick(funcao, Qt::Key_Down);
    QCOMPARE(tef->itemIndex(), 0);
    QCOMPARE(cb->itemIndex(), -1);
    // A change made by the program is not the operator's.
    QTest::mouseClick(cb->button(0), Qt::LeftButton);
    funcao->setEditText(QStringLiteral("3"));
    QCOMPARE(cb->itemIndex(), 0);
    KAVEX_VERIFY_SEAMS();
}

void TestMainWindow::switchesRestrictionMode() {
    Console c;
    QTest::mouseClick(c.find<QPushButton>("BtnConfigura"), Qt::LeftButton);
    auto* modo = c.find<RadioGroup>("RdGrpRestricoes");
    auto* lista = c.find<QListWidget>("CLBRestricoes");
    auto* descricao = c.find<QCheckBox>("ChkBoxDescricao");
    QTest::mouseClick(modo->button(1), Qt::LeftButton);
    QVERIFY(!lista->isVisible());
    QVERIFY(!descricao->isVisible());
    QVERIFY(c.find<QWidget>("LblRestricoes")->isVisible());
    QVERIFY(c.find<QWidget>("EdtRestricoes")->isVisible());
    QTRY_VERIFY(c.find<QWidget>("EdtRestricoes")->hasFocus());
    QTest::mouseClick(modo->button(0), Qt::LeftButton);
    QVERIFY(lista->isVisible());
    QVERIFY(descricao->isVisible());
    QVERIFY(!c.find<QWidget>("EdtRestricoes")->isVisible());

    QVERIFY(!lista->toolTip().isEmpty());
    QTest::mouseClick(descricao, Qt::LeftButton);
    QVERIFY(lista->toolTip().isEmpty());
    QTest::mouseClick(descricao, Qt::LeftButton);
    QVERIFY(lista->toolTip().startsWith(QStringLiteral("10 - Consulta ou garantia de Cheque (todos os tipos)\n")));
    KAVEX_VERIFY_SEAMS();
}

void TestMainWindow::enterAndEscPressTheWindowButtons() {
    Console c;
    auto* transacao = c.find<QPushButton>("BtnTransacao");
    auto* cancela = c.find<QPushButton>("BtnCncPpd");
    QSignalSpy transacoes(transacao, &QPushButton::clicked);
    QSignalSpy cancelamentos(cancela, &QPushButton::clicked);
    c.window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&c.window()));

    // Disabled while unconfigured; panel hidden: both keys do nothing.
    QTest::keyClick(c.find<QLineEdit>("EdtEmpresa"), Qt::Key_Return);
    QTest::keyClick(c.find<QLineEdit>("EdtEmpresa"), Qt::Key_Escape);
    QCOMPARE(transacoes.size(), 0);
    QCOMPARE(cancelamentos.size(), 0);

    QTest::mouseClick(c.find<QPushButton>("BtnConfigura"), Qt::LeftButton);
    // The start it leads to ends at once.
    c.simulator().script({{"IniciaFuncaoKavexInterativo", {-1}}});
    c.find<QLineEdit>("EdtValor")->setFocus();
    QTest::keyClick(c.find<QLineEdit>("EdtValor"), Qt::Key_Return);
    QCOMPARE(transacoes.size(), 1);
    // A focused button takes the Enter itself.
    auto* limpar = c.find<QPushButton>("BtnLimpar");
    QSignalSpy limpezas(limpar, &QPushButton::clicked);
    limpar->setFocus();
    QTest::keyClick(limpar, Qt::Key_Return);
    QCOMPARE(limpezas.size(), 1);
    QCOMPARE(transacoes.size(), 1);
    c.find<QWidget>("PnlCncPpd")->show();
    QTest::keyClick(c.find<QLineEdit>("EdtValor"), Qt::Key_Escape);
    QCOMPARE(cancelamentos.size(), 1);
    KAVEX_VERIFY_SEAMS();
}

// Tab visits the form as the operator reads it, whatever widget holds which
// controls; a radio group is one stop.
void TestMainWindow::tabsThroughTheForm_data() {
    QTest::addColumn<bool>("configurado");
    QTest::addColumn<bool>("digitado");
    QTest::addColumn<QStringList>("paradas");
    // The radio groups, the result and the trace follow the form, in the
    // order they were made.
    const QStringList fim{"EdtResultado", "Rdgp_confirm", "Memo", "MemoMsgOperador"};
    const QStringList transacao{
        "BtnConfigura", "EdtHora",       "EdtCpFiscal",  "CBFuncao",  "EdtValor",        "BtnFuncPpd",
        "BtnOutrasTrn", "CLBRestricoes", "BtnTransacao", "BtnLimpar", "Btn_Confirmacao", "btCnfIdentificada",
        "EdtHora2",     "EdtCpFiscal2",  "RGTEF",        "RGCB",      "RdGrpRestricoes"};
    QTest::newRow("unconfigured") << false << false
                                  << QStringList{"BtnConfigura",    "RdGrImpr",  "EdtResultado", "Memo",
                                                 "MemoMsgOperador", "CBIPKavex", "EdtEmpresa",   "EdtTerminal"};
    QTest::newRow("configured") << true << false << transacao + QStringList{"ChkBoxDescricao"} + fim;
    QStringList digitado = transacao;
    digitado.replace(digitado.indexOf("CLBRestricoes"), QStringLiteral("EdtRestricoes"));
    QTest::newRow("typed restrictions") << true << true << digitado + fim;
}

void TestMainWindow::tabsThroughTheForm() {
    QFETCH(bool, configurado);
    QFETCH(bool, digitado);
    QFETCH(QStringList, paradas);
    Console c;
    if (configurado) {
        QTest::mouseClick(c.find<QPushButton>("BtnConfigura"), Qt::LeftButton);
    }
    if (digitado) {
        QTest::mouseClick(c.find<RadioGroup>("RdGrpRestricoes")->button(1), Qt::LeftButton);
    }
    c.window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&c.window()));
    QWidget* primeiro = c.find<QWidget>("BtnConfigura");
    primeiro->setFocus();
    QTRY_VERIFY(primeiro->hasFocus());
    QStringList visitados;
    do {
        QWidget* focado = QApplication::focusWidget();
        while (focado && (focado->objectName().isEmpty() || qobject_cast<RadioGroup*>(focado->parentWidget()))) {
            focado = focado->parentWidget();
        }
        visitados << (focado ? focado->objectName() : QString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    } while (!primeiro->hasFocus() && visitados.size() <= paradas.size());
    QCOMPARE(visitados, paradas);
    KAVEX_VERIFY_SEAMS();
}

void TestMainWindow::speaksPortugueseInQtsOwnTexts() {
    QVERIFY(carregaTraducoes(*qApp));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Sim"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&No"), QStringLiteral("&Não"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancelar"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
