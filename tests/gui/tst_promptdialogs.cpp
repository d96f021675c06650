// The small prompt windows driven as an operator would: typing into whatever
// has the focus, clicking the real buttons, pressing Enter and Esc.

#include "Harness.h"
#include "Operador.h"

#include "app/Janelas.h"
#include "core/EstadoConsole.h"
#include "dialogs/ColetaCampos.h"
#include "dialogs/ColetaCodProdAutor.h"
#include "dialogs/MensagemPinpad.h"
#include "dialogs/MenuEscolha.h"
#include "dialogs/OpcaoSimNao.h"
#include "dialogs/Timeout.h"
#include "dialogs/WorkingKey.h"
#include "widgets/Modal.h"
#include "widgets/RadioGroup.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>

namespace {

using harness::clica;
using harness::digita;
using harness::nomeDoFoco;
using harness::pedeFechamento;
using harness::tecla;

// One of each prompt window, sharing one console state.
// How the operator left the dialog's last showing.
int32_t continuaDe(QDialog* w) {
    return qobject_cast<DialogoModal*>(w)->continua();
}

struct Janelas31 {
    EstadoConsole estado;
    TFrmMenu menu{estado};
    TFrmColeta coleta{estado};
    TFrmOpcaoSimNao simNao{estado};
    TFrmTimeout timeout{estado};
    TFrmCodProdAutor codigo{estado};
    TFrmWK wk{estado};
    TFrmMsgPpd msgPpd{estado};

    QDialog* janela(const QString& nome) {
        for (QDialog* d : std::initializer_list<QDialog*>{&menu, &coleta, &simNao, &timeout, &codigo, &wk, &msgPpd}) {
            if (d->objectName() == nome) {
                return d;
            }
        }
        return nullptr;
    }

    // The window's answer as text.
    QString resultado(const QString& nome) const {
        if (nome == u"FrmMenu") {
            return menu.OpcaoMenu;
        }
        if (nome == u"FrmColeta") {
            return coleta.CampoColetado;
        }
        if (nome == u"FrmTimeout") {
            return QString::number(timeout.TimeoutLeCartao);
        }
        if (nome == u"FrmWK") {
            return wk.WorkingKey;
        }
        if (nome == u"FrmMsgPpd") {
            return msgPpd.MensagemPinpad;
        }
        return QStringLiteral("<no answer variable>");
    }

    void defineResultado(const QString& nome, const QString& valor) {
        if (nome == u"FrmMenu") {
            menu.OpcaoMenu = valor;
        } else if (nome == u"FrmColeta") {
            coleta.CampoColetado = valor;
        } else if (nome == u"FrmTimeout") {
            timeout.TimeoutLeCartao = static_cast<uint16_t>(valor.toUInt());
        } else if (nome == u"FrmWK") {
            wk.WorkingKey = valor;
        } else if (nome == u"FrmMsgPpd") {
            msgPpd.MensagemPinpad = valor;
        }
    }
};

QString textoDe(QDialog& w, const QString& nome) {
    auto* campo = w.findChild<QLineEdit*>(nome);
    return campo ? campo->text() : QStringLiteral("<no %1>").arg(nome);
}

} // namespace

class TstPromptDialogs : public QObject {
    Q_OBJECT
private slots:
    void init() { harness::startSeams(); }

    void enterTakesTheAnswer_data();
    void enterTakesTheAnswer();
    void buttonsSetContinuaAndClose_data();
    void buttonsSetContinuaAndClose();
    void lengthLimitFromTheLibrary();
    void timeoutKeepsToDigits();
    void menuAndFieldResetAtEachShowing_data();
    void menuAndFieldResetAtEachShowing();
    void radioButtonsGiveTheFocusBack();
    void enterPressesTheFocusedButton();
    void yesNoKeepsTheLastAnswer();
    void codeEntryEmptiedAtEachShowing();
    void escapeDoesNotClose_data();
    void escapeDoesNotClose();
    void framesAndCloseControl_data();
    void framesAndCloseControl();
    void libraryTextShownAsItCame();
    void consoleCreatesTheWindowsHiddenInItself();
};

void TstPromptDialogs::enterTakesTheAnswer_data() {
    QTest::addColumn<QString>("janela");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QString>("esperado");

    QTest::newRow("menu option") << "FrmMenu"
                                 << "EdtOpcao"
                                 << "3"
                                 << "3";
    QTest::newRow("menu empty") << "FrmMenu"
                                << "EdtOpcao"
                                << ""
                                << "";
    QTest::newRow("field value") << "FrmColeta"
                                 << "EdtColeta"
                                 << "1234 ação"
                                 << "1234 ação";
    QTest::newRow("field empty") << "FrmColeta"
                                 << "EdtColeta"
                                 << ""
                                 << "";
    QTest::newRow("working key") << "FrmWK"
                                 << "EdtWK"
                                 << "0123456789ABCDEF"
                                 << "0123456789ABCDEF";
    QTest::newRow("working key empty") << "FrmWK"
                                       << "EdtWK"
                                       << ""
                                       << " ";
    QTest::newRow("pinpad message") << "FrmMsgPpd"
                                    << "EdtMsgPpd"
                                    << "PASSE O CARTAO"
                                    << "PASSE O CARTAO";
    QTest::newRow("pinpad message empty") << "FrmMsgPpd"
                                          << "EdtMsgPpd"
                                          << ""
                                          << " ";
    QTest::newRow("time-out empty") << "FrmTimeout"
                                    << "EdtTimeout"
                                    << ""
                                    << "30";
    QTest::newRow("time-out zero") << "FrmTimeout"
                                   << "EdtTimeout"
                                   << "0"
                                   << "0";
    QTest::newRow("time-out largest") << "FrmTimeout"
                                      << "EdtTimeout"
                                      << "9999"
                                      << "9999";
    QTest::newRow("time-out letter ignored") << "FrmTimeout"
                                             << "EdtTimeout"
                                             << "a"
                                             << "30";
    QTest::newRow("time-out letters among digits") << "FrmTimeout"
                                                   << "EdtTimeout"
                                                   << "4x5-"
                                                   << "45";
    QTest::newRow("time-out at most 4 digits") << "FrmTimeout"
                                               << "EdtTimeout"
                                               << "123456"
                                               << "1234";
    QTest::newRow("time-out backspace") << "FrmTimeout"
                                        << "EdtTimeout"
                                        << "12\b3"
                                        << "13";
}

// Enter in the answer field takes its text (the focus is there from the
// start), closes the window and leaves the continuation value alone.
void TstPromptDialogs::enterTakesTheAnswer() {
    QFETCH(QString, janela);
    QFETCH(QString, campo);
    QFETCH(QString, digitado);
    QFETCH(QString, esperado);
    Janelas31 j;
    j.defineResultado(janela, QStringLiteral("777"));
    QDialog* w = j.janela(janela);
    QVERIFY(w);

    QString focoInicial;
    QString textoAntesDoEnter;
    platform::modal::expect(janela, [&](QDialog&) {
        focoInicial = nomeDoFoco();
        digita(digitado);
        textoAntesDoEnter = textoDe(*w, campo);
        tecla(Qt::Key_Return);
    });
    platform::modal::showModal(*w);

    QCOMPARE(focoInicial, campo);
    QCOMPARE(j.resultado(janela), esperado);
    QVERIFY(!w->isVisible());
    QCOMPARE(continuaDe(w), 0);
    // The time-out field only ever holds what was taken.
    if (janela == u"FrmTimeout" && !digitado.isEmpty() && esperado != u"30") {
        QCOMPARE(textoAntesDoEnter, esperado);
    }
    KAVEX_VERIFY_SEAMS();
}

void TstPromptDialogs::buttonsSetContinuaAndClose_data() {
    QTest::addColumn<QString>("janela");
    QTest::addColumn<QString>("botao");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<int>("continua");
    QTest::addColumn<QString>("resultado");

    // The menu keeps its earlier option; the field dialog leaves thirteen
    // zeros; the others keep their earlier answer.
    QTest::newRow("menu Encerra") << "FrmMenu"
                                  << "BitBtn1"
                                  << "EdtOpcao" << -1 << "anterior";
    QTest::newRow("menu Volta") << "FrmMenu"
                                << "BitBtn2"
                                << "EdtOpcao" << 1 << "anterior";
    QTest::newRow("field Encerra") << "FrmColeta"
                                   << "BitBtn1"
                                   << "EdtColeta" << -1 << "0000000000000";
    QTest::newRow("field Volta") << "FrmColeta"
                                 << "BitBtn2"
                                 << "EdtColeta" << 1 << "0000000000000";
    QTest::newRow("working key Encerra") << "FrmWK"
                                         << "BitBtn1"
                                         << "EdtWK" << -1 << "anterior";
    QTest::newRow("pinpad message Encerra") << "FrmMsgPpd"
                                            << "BitBtn1"
                                            << "EdtMsgPpd" << -1 << "anterior";
    QTest::newRow("time-out Encerra") << "FrmTimeout"
                                      << "BitBtn1"
                                      << "EdtTimeout" << -1 << "45";
}

void TstPromptDialogs::buttonsSetContinuaAndClose() {
    QFETCH(QString, janela);
    QFETCH(QString, botao);
    QFETCH(QString, campo);
    QFETCH(int, continua);
    QFETCH(QString, resultado);
    Janelas31 j;
    j.defineResultado(janela, janela == u"FrmTimeout" ? QStringLiteral("45") : QStringLiteral("anterior"));
    QDialog* w = j.janela(janela);
    QVERIFY(w);

    platform::modal::expect(janela, [&](QDialog& d) {
        digita(QStringLiteral("9"));
        clica(d, botao);
    });
    platform::modal::showModal(*w);

    QVERIFY(!w->isVisible());
    QCOMPARE(continuaDe(w), continua);
    QCOMPARE(j.resultado(janela), resultado);
    // What was typed stays in the field; only the next showing may empty it.
    QCOMPARE(textoDe(*w, campo), QStringLiteral("9"));
    // The next showing starts afresh: an answer carries on.
    platform::modal::expect(janela, [](QDialog&) { tecla(Qt::Key_Return); });
    platform::modal::showModal(*w);
    QCOMPARE(continuaDe(w), 0);
    KAVEX_VERIFY_SEAMS();
}

// The command loop passes the library's maximum length, where 0 means none.
void TstPromptDialogs::lengthLimitFromTheLibrary() {
    Janelas31 j;
    const QString longo(300, u'7');

    j.menu.LimitaTamanho(2);
    j.coleta.LimitaTamanho(0);
    platform::modal::expect("FrmMenu", [](QDialog&) {
        digita(QStringLiteral("123"));
        tecla(Qt::Key_Return);
    });
    platform::modal::expect("FrmColeta", [&](QDialog&) {
        digita(longo);
        tecla(Qt::Key_Return);
    });
    platform::modal::showModal(j.menu);
    platform::modal::showModal(j.coleta);
    QCOMPARE(j.menu.OpcaoMenu, QStringLiteral("12"));
    QCOMPARE(j.coleta.CampoColetado, longo);

    j.menu.LimitaTamanho(0);
    platform::modal::expect("FrmMenu", [&](QDialog&) {
        digita(longo);
        tecla(Qt::Key_Return);
    });
    platform::modal::showModal(j.menu);
    QCOMPARE(j.menu.OpcaoMenu, longo);
    KAVEX_VERIFY_SEAMS();
}

// Keys other than digits never get in, pasted text included, so the value
// always fits and always is a number.
void TstPromptDialogs::timeoutKeepsToDigits() {
    Janelas31 j;
    QClipboard* area = QGuiApplication::clipboard();
    area->setText(QStringLiteral("1a2"));
    const bool temAreaDeTransferencia = area->text() == u"1a2";

    QString depoisDeColar;
    QString depoisDeSetas;
    platform::modal::expect("FrmTimeout", [&](QDialog& d) {
        auto* campo = d.findChild<QLineEdit*>(QStringLiteral("EdtTimeout"));
        QVERIFY(campo);
        if (temAreaDeTransferencia) {
            QTest::keyClick(campo, Qt::Key_V, Qt::ControlModifier);
            depoisDeColar = campo->text();
        }
        // Keys that type nothing still work: the cursor moves, Delete deletes.
        digita(QStringLiteral("123"));
        tecla(Qt::Key_Home);
        tecla(Qt::Key_Delete);
        digita(QStringLiteral("9"));
        depoisDeSetas = campo->text();
        tecla(Qt::Key_Return);
    });
    platform::modal::showModal(j.timeout);

    if (temAreaDeTransferencia) {
        QCOMPARE(depoisDeColar, QString());
    }
    QCOMPARE(depoisDeSetas, QStringLiteral("923"));
    QCOMPARE(j.timeout.TimeoutLeCartao, uint16_t(923));
    KAVEX_VERIFY_SEAMS();
}

void TstPromptDialogs::menuAndFieldResetAtEachShowing_data() {
    QTest::addColumn<QString>("janela");
    QTest::addColumn<QString>("campo");
    QTest::addColumn<QString>("zero");
    QTest::addColumn<QString>("mil");

    QTest::newRow("menu") << "FrmMenu"
                          << "EdtOpcao"
                          << "RdBtnCont0"
                          << "RdBtnCont1000";
    QTest::newRow("field") << "FrmColeta"
                           << "EdtColeta"
                           << "RdBtnCtn0"
                           << "RdBtnCtn1000";
}

// "1000" holds for one showing only, and each showing starts with an empty
// field that has the focus.
void TstPromptDialogs::menuAndFieldResetAtEachShowing() {
    QFETCH(QString, janela);
    QFETCH(QString, campo);
    QFETCH(QString, zero);
    QFETCH(QString, mil);
    Janelas31 j;
    QDialog* w = j.janela(janela);
    QVERIFY(w);
    auto* rdZero = w->findChild<QRadioButton*>(zero);
    auto* rdMil = w->findChild<QRadioButton*>(mil);
    QVERIFY(rdZero && rdMil);
    QVERIFY(rdZero->isChecked());

    platform::modal::expect(janela, [&](QDialog& d) {
        clica(d, mil);
        digita(QStringLiteral("7"));
        tecla(Qt::Key_Return);
    });
    platform::modal::showModal(*w);
    QVERIFY(rdMil->isChecked());
    QCOMPARE(j.resultado(janela), QStringLiteral("7"));
    // The caller reads the radio button; the dialog leaves the value to it.
    QCOMPARE(continuaDe(w), 0);

    bool zeroMarcado = false;
    QString textoInicial = QStringLiteral("<not shown>");
    QString foco;
    platform::modal::expect(janela, [&](QDialog&) {
        zeroMarcado = rdZero->isChecked() && !rdMil->isChecked();
        textoInicial = textoDe(*w, campo);
        foco = nomeDoFoco();
        tecla(Qt::Key_Return);
    });
    platform::modal::showModal(*w);
    QVERIFY(zeroMarcado);
    QCOMPARE(textoInicial, QString());
    QCOMPARE(foco, campo);
    QCOMPARE(j.resultado(janela), QString());
    KAVEX_VERIFY_SEAMS();
}

// After choosing 0 or 1000 the operator types on without clicking the field.
void TstPromptDialogs::radioButtonsGiveTheFocusBack() {
    Janelas31 j;
    for (const auto& [janela, radios] :
         {std::pair{QStringLiteral("FrmMenu"), QStringList{"RdBtnCont1000", "RdBtnCont0"}},
          std::pair{QStringLiteral("FrmColeta"), QStringList{"RdBtnCtn1000", "RdBtnCtn0"}}}) {
        QDialog* w = j.janela(janela);
        platform::modal::expect(janela, [&](QDialog& d) {
            digita(QStringLiteral("1"));
            clica(d, radios[0]);
            digita(QStringLiteral("2"));
            clica(d, radios[1]);
            digita(QStringLiteral("3"));
            tecla(Qt::Key_Return);
        });
        platform::modal::showModal(*w);
        QCOMPARE(j.resultado(janela), QStringLiteral("123"));
    }
    KAVEX_VERIFY_SEAMS();
}

// Without a default button, Enter on a button presses that button and Enter
// anywhere else outside the answer field does nothing.
void TstPromptDialogs::enterPressesTheFocusedButton() {
    Janelas31 j;
    j.menu.OpcaoMenu = QStringLiteral("2");

    bool abertaDepoisDoEnterNoRadio = false;
    QString focoNoRadio;
    platform::modal::expect("FrmMenu", [&](QDialog& d) {
        digita(QStringLiteral("5"));
        tecla(Qt::Key_Tab);
        focoNoRadio = nomeDoFoco();
        tecla(Qt::Key_Return);
        abertaDepoisDoEnterNoRadio = d.isVisible();
        for (int i = 0; i < 6 && nomeDoFoco() != u"BitBtn2"; ++i) {
            tecla(Qt::Key_Tab);
        }
        QCOMPARE(nomeDoFoco(), QStringLiteral("BitBtn2"));
        tecla(Qt::Key_Return);
    });
    platform::modal::showModal(j.menu);
    QCOMPARE(focoNoRadio, QStringLiteral("RdBtnCont0"));
    QVERIFY(abertaDepoisDoEnterNoRadio);
    QCOMPARE(j.menu.continua(), 1);
    QCOMPARE(j.menu.OpcaoMenu, QStringLiteral("2"));
    platform::modal::expect("FrmWK", [&](QDialog&) {
        tecla(Qt::Key_Tab);
        QCOMPARE(nomeDoFoco(), QStringLiteral("BitBtn1"));
        tecla(Qt::Key_Enter);
    });
    platform::modal::showModal(j.wk);
    QCOMPARE(j.wk.continua(), -1);
    KAVEX_VERIFY_SEAMS();
}

void TstPromptDialogs::yesNoKeepsTheLastAnswer() {
    Janelas31 j;
    RadioGroup* grupo = j.simNao.rgSimNao();
    QCOMPARE(grupo->count(), 2);
    QCOMPARE(grupo->itemText(0), QStringLiteral("Sim"));
    QCOMPARE(grupo->itemText(1), QStringLiteral("Não"));
    QCOMPARE(grupo->itemIndex(), 0);

    j.simNao.setWindowTitle(QStringLiteral("LeCartaoDiretoEx"));
    grupo->setTitle(QStringLiteral("Aguarda Passagem do cartão ?"));
    platform::modal::expect("FrmOpcaoSimNao", [](QDialog& d) {
        clica(d, QStringLiteral("rgSimNaoItem1"));
        clica(d, QStringLiteral("BtOK"));
    });
    platform::modal::showModal(j.simNao);
    QCOMPARE(grupo->itemIndex(), 1);

    // Shown again: "Não" is still chosen, and Enter presses "&OK".
    int indiceAoAbrir = -2;
    platform::modal::expect("FrmOpcaoSimNao", [&](QDialog&) {
        indiceAoAbrir = grupo->itemIndex();
        tecla(Qt::Key_Return);
    });
    platform::modal::showModal(j.simNao);
    QCOMPARE(indiceAoAbrir, 1);
    QCOMPARE(grupo->itemIndex(), 1);
    QVERIFY(!j.simNao.isVisible());
    KAVEX_VERIFY_SEAMS();
}

void TstPromptDialogs::codeEntryEmptiedAtEachShowing() {
    Janelas31 j;
    j.codigo.lbCodProdAutor()->setText(QStringLiteral("Código do Produto:"));
    j.codigo.edCodProdAutor()->setText(QStringLiteral("antigo"));

    QString textoAoAbrir = QStringLiteral("<not shown>");
    QString foco;
    platform::modal::expect("FrmCodProdAutor", [&](QDialog&) {
        textoAoAbrir = j.codigo.edCodProdAutor()->text();
        foco = nomeDoFoco();
        digita(QString(60, u'8'));
        tecla(Qt::Key_Return);
    });
    platform::modal::showModal(j.codigo);
    QCOMPARE(textoAoAbrir, QString());
    QCOMPARE(foco, QStringLiteral("edCodProdAutor"));
    QCOMPARE(j.codigo.edCodProdAutor()->text(), QString(50, u'8'));

    platform::modal::expect("FrmCodProdAutor", [&](QDialog& d) {
        textoAoAbrir = j.codigo.edCodProdAutor()->text();
        digita(QStringLiteral("ABC"));
        clica(d, QStringLiteral("btOK"));
    });
    platform::modal::showModal(j.codigo);
    QCOMPARE(textoAoAbrir, QString());
    QCOMPARE(j.codigo.edCodProdAutor()->text(), QStringLiteral("ABC"));
    KAVEX_VERIFY_SEAMS();
}

void TstPromptDialogs::escapeDoesNotClose_data() {
    QTest::addColumn<QString>("janela");
    QTest::addColumn<QString>("saida");

    QTest::newRow("menu") << "FrmMenu"
                          << "";
    QTest::newRow("field") << "FrmColeta"
                           << "";
    QTest::newRow("yes/no") << "FrmOpcaoSimNao"
                            << "BtOK";
    QTest::newRow("time-out") << "FrmTimeout"
                              << "";
    QTest::newRow("code entry") << "FrmCodProdAutor"
                                << "btOK";
    QTest::newRow("working key") << "FrmWK"
                                 << "";
    QTest::newRow("pinpad message") << "FrmMsgPpd"
                                    << "";
}

// None of these windows gives Esc a meaning: it must neither close the window
// nor touch the continuation value. Enter (or the window's "&OK") still works.
void TstPromptDialogs::escapeDoesNotClose() {
    QFETCH(QString, janela);
    QFETCH(QString, saida);
    Janelas31 j;
    QDialog* w = j.janela(janela);

    bool abertaDepoisDoEsc = false;
    platform::modal::expect(janela, [&](QDialog& d) {
        tecla(Qt::Key_Escape);
        QTest::keyClick(&d, Qt::Key_Escape);
        abertaDepoisDoEsc = d.isVisible();
        if (saida.isEmpty()) {
            tecla(Qt::Key_Return);
        } else {
            clica(d, saida);
        }
    });
    platform::modal::showModal(*w);
    QVERIFY(abertaDepoisDoEsc);
    QCOMPARE(continuaDe(w), 0);
    KAVEX_VERIFY_SEAMS();
}

void TstPromptDialogs::framesAndCloseControl_data() {
    QTest::addColumn<QString>("janela");
    QTest::addColumn<bool>("ferramenta");
    QTest::addColumn<bool>("fechavel");
    QTest::addColumn<QString>("saida");

    QTest::newRow("menu") << "FrmMenu" << true << false << "BitBtn2";
    QTest::newRow("field") << "FrmColeta" << true << false << "BitBtn2";
    QTest::newRow("working key") << "FrmWK" << true << false << "BitBtn1";
    QTest::newRow("pinpad message") << "FrmMsgPpd" << true << false << "BitBtn1";
    QTest::newRow("yes/no") << "FrmOpcaoSimNao" << false << false << "BtOK";
    QTest::newRow("code entry") << "FrmCodProdAutor" << false << false << "btOK";
    QTest::newRow("time-out") << "FrmTimeout" << false << true << "";
}

// Only the time-out window has a close control; using it closes the window
// and leaves the answer as it was, giving up nothing. The others
// open centred on the screen and refuse a close request from the window
// system.
void TstPromptDialogs::framesAndCloseControl() {
    QFETCH(QString, janela);
    QFETCH(bool, ferramenta);
    QFETCH(bool, fechavel);
    QFETCH(QString, saida);
    Janelas31 j;
    j.timeout.TimeoutLeCartao = 12;
    QDialog* w = j.janela(janela);

    const Qt::WindowFlags f = w->windowFlags();
    QCOMPARE(f.testFlag(Qt::WindowCloseButtonHint), fechavel);
    QCOMPARE(w->windowType() == Qt::Tool, ferramenta);
    QVERIFY(f.testFlag(Qt::WindowTitleHint));
    if (!fechavel) {
        // A customised frame shows only the buttons asked for, which is none.
        QVERIFY(f.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(!f.testFlag(Qt::WindowSystemMenuHint));
        QVERIFY(!f.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!f.testFlag(Qt::WindowMaximizeButtonHint));
        QVERIFY(!f.testFlag(Qt::WindowContextHelpButtonHint));
    }

    QPoint centro;
    bool abertaDepoisDoPedido = true;
    platform::modal::expect(janela, [&](QDialog& d) {
        centro = d.frameGeometry().center();
        digita(QStringLiteral("3"));
        pedeFechamento(d);
        abertaDepoisDoPedido = d.isVisible();
        if (d.isVisible()) {
            clica(d, saida);
        }
    });
    platform::modal::showModal(*w);

    QCOMPARE(abertaDepoisDoPedido, !fechavel);
    QVERIFY(!w->isVisible());
    if (fechavel) {
        QCOMPARE(j.timeout.TimeoutLeCartao, uint16_t(12));
        QCOMPARE(continuaDe(w), 0);
    } else {
        const QPoint centroDaTela = QGuiApplication::primaryScreen()->availableGeometry().center();
        QVERIFY2((centro - centroDaTela).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("centre %1,%2 vs screen %3,%4")
                                .arg(centro.x())
                                .arg(centro.y())
                                .arg(centroDaTela.x())
                                .arg(centroDaTela.y())));
    }
    KAVEX_VERIFY_SEAMS();
}

// The menu's options and the field's prompt are the library's texts: an
// ampersand in them is shown, not turned into an accelerator.
void TstPromptDialogs::libraryTextShownAsItCame() {
    Janelas31 j;
    j.menu.MostraOpcoes(QStringLiteral("1-P&G\n2-Outros"));
    j.coleta.MostraSolicitacao(QStringLiteral("Digite R&D"));
    auto* opcoes = j.menu.findChild<QLabel*>(QStringLiteral("OpcoesMenu"));
    auto* solicitacao = j.coleta.findChild<QLabel*>(QStringLiteral("CabecalhoSolicitacao"));
    QVERIFY(opcoes && solicitacao);
    QCOMPARE(opcoes->buddy(), j.menu.EdtOpcao());
    QCOMPARE(solicitacao->buddy(), j.coleta.EdtColeta());
    // With a buddy, "&&" is how a label shows one ampersand.
    QCOMPARE(opcoes->text(), QStringLiteral("1-P&&G\n2-Outros"));
    QCOMPARE(solicitacao->text(), QStringLiteral("Digite R&&D"));
    QCOMPARE(QKeySequence::mnemonic(opcoes->text()), QKeySequence());
}

void TstPromptDialogs::consoleCreatesTheWindowsHiddenInItself() {
    harness::Console console;
    const QStringList esperadas = {"FrmConsultas",    "FrmWK",   "FrmMsgPpd", "FrmOpcaoSimNao", "FrmTimeout",
                                   "FrmCodProdAutor", "FrmMenu", "FrmColeta", "FrmCupomTEF"};
    for (const QString& nome : esperadas) {
        auto* w = console.find<QDialog>(nome.toLatin1().constData());
        QVERIFY2(w, qPrintable(nome));
        QVERIFY(!w->isVisible());
        QCOMPARE(w->parentWidget(), &console.window());
    }
    Janelas& janelas = console.window().janelas();
    QCOMPARE(static_cast<QDialog*>(&janelas.FrmMenu), console.find<QDialog>("FrmMenu"));
    QCOMPARE(static_cast<QDialog*>(&janelas.FrmColeta), console.find<QDialog>("FrmColeta"));
    QCOMPARE(static_cast<QDialog*>(&janelas.FrmTimeout), console.find<QDialog>("FrmTimeout"));

    platform::modal::expect("FrmMenu", [](QDialog& d) { clica(d, QStringLiteral("BitBtn1")); });
    platform::modal::showModal(janelas.FrmMenu);
    QCOMPARE(janelas.FrmMenu.continua(), -1);
    KAVEX_VERIFY_SEAMS();
}

QTEST_MAIN(TstPromptDialogs)
#include "tst_promptdialogs.moc"
