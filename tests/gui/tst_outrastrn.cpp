// The other-transactions visit: the menu's roads, the lock of the main
// window, the PBM consultation and the Vidalink consultation's hand-over to the
// command loop.

#include "Cliques.h"
#include "Harness.h"
#include "Visita.h"

#include "othertrn/OutraTrn.h"
#include "platform/Clock.h"
#include "widgets/Modal.h"
#include "widgets/Prompt.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

using harness::argumentos;
using harness::clica;
using harness::controle;
using harness::digita;
using harness::Visita;
using nlohmann::json;
using platform::prompt::Answer;

namespace {

const char* const kPBM = "IniciaFuncaoKavexInterativoConsultaPBM";
const char* const kConsVidalink = "IniciaFuncaoKavexInterativoConsultaVidalink";
const char* const kData = "20260314";
const char* const kHora = "102030";

// The consultation's authorisation step: code, mode, send.
void autorizacao(QDialog& j, const QString& codigo, bool todos = false) {
    if (todos) {
        harness::clicaIndicador(controle<QRadioButton>(j, "RdBtnProdAll"));
    }
    digita(j, "EdtCodAut", codigo);
    clica(j, "BtnTransacao");
}

// A product step with the code typed.
void produto(QDialog& j, const QString& codigo) {
    digita(j, "EdtCodProd", codigo);
    clica(j, "BtnTransacao");
}

} // namespace

class TestOutrasTrn : public QObject {
    Q_OBJECT
private slots:
    void init() { harness::startSeams(); }
    void roadsThatLeaveNothingToRun_data();
    void roadsThatLeaveNothingToRun();
    void altOPressesOtherFunctionsAtOnce();
    void tealLookWhenShown();
    void lockOutlastsTheMainWindowsLoop();
    void pbmConsultation_data();
    void pbmConsultation();
    void consultationProductByProduct();
    void consultationRoads_data();
    void consultationRoads();
    void consultationRefusesWhatCannotBeSent();
    void allProductsChosenInAProductStepEndsCleanly();
    void individualProductsAgainGiveTheQuantityBack();
    void closeBoxInAProductStepEndsTheConsultation();
    void sharedLetterFocusesInTurn_data();
    void sharedLetterFocusesInTurn();
    void loneLetterPressesAtOnce_data();
    void loneLetterPressesAtOnce();
};

void TestOutrasTrn::roadsThatLeaveNothingToRun_data() {
    // The menu's button, then "window:button" for each window opened; no
    // button is the window's close box.
    QTest::addColumn<QStringList>("caminho");
    QTest::addColumn<int>("tag");
    QTest::newRow("menu Encerra") << QStringList{"BitBtn2"} << 0;
    QTest::newRow("direct, Encerra") << QStringList{"BtnTrnDirKavex", "FrmTrnDirKavex:BtnEncerra"} << 0;
    QTest::newRow("direct, close box") << QStringList{"BtnTrnDirKavex", "FrmTrnDirKavex:"} << 2;
    QTest::newRow("hub Encerra") << QStringList{"BtnTrnVidalink", "FrmVidalink:BitBtn4"} << 1;
    QTest::newRow("consultation closed unsent")
        << QStringList{"BtnTrnVidalink", "FrmVidalink:BtnConsVidalink", "FrmConsVidalink:"} << 1;
    QTest::newRow("consultation Encerra")
        << QStringList{"BtnTrnVidalink", "FrmVidalink:BtnConsVidalink", "FrmConsVidalink:BtnEncerra"} << 1;
    QTest::newRow("sale Encerra") << QStringList{"BtnTrnVidalink", "FrmVidalink:BitBtn3", "FrmVendaVidalink:BitBtn2"}
                                  << 1;
    QTest::newRow("cancellation Encerra")
        << QStringList{"BtnTrnVidalink", "FrmVidalink:BitBtn5", "FrmCncVidalink:BitBtn2"} << 1;
}

// Nothing is called and no loop runs; the window is locked inside and
// unlocked again after.
void TestOutrasTrn::roadsThatLeaveNothingToRun() {
    QFETCH(QStringList, caminho);
    QFETCH(int, tag);
    Visita v;
    const QByteArray botao = caminho.takeFirst().toLatin1();
    v.escolhe(botao.constData());
    for (const QString& passo : caminho) {
        const QByteArray janela = passo.section(u':', 0, 0).toLatin1();
        const QByteArray saida = passo.section(u':', 1).toLatin1();
        Visita::espera(janela.constData(), [&v, saida](QDialog& j) {
            QVERIFY(v.travada());
            saida.isEmpty() ? void(j.close()) : clica(j, saida.constData());
        });
    }
    v.visita();
    QCOMPARE(v.simulador().calls().size(), size_t(0));
    QCOMPARE(v.console().window().janelas().FrmOutrasTrn.Tag, tag);
    QVERIFY(v.livre());
    KAVEX_VERIFY_VISITA(v, 0);
}

void TestOutrasTrn::altOPressesOtherFunctionsAtOnce() {
    Visita v;
    Visita::espera("FrmOutrasTrn", [](QDialog& menu) { clica(menu, "BitBtn2"); });
    v.console().window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&v.console().window()));
    QTest::keyClick(&v.console().window(), Qt::Key_O, Qt::AltModifier);
    QTRY_COMPARE(platform::modal::shownWindows(), QStringList{"FrmOutrasTrn"});
    QVERIFY(v.livre());
    // Reconfiguring brings the menu's items, and its own Alt+O, back.
    QTest::mouseClick(v.console().find<QPushButton>("BtnConfigura"), Qt::LeftButton);
    QCOMPARE(v.console().window().menuBar()->actions().first()->text(), QStringLiteral("C&onfigurações"));
    KAVEX_VERIFY_SEAMS();
}

// The other-transaction windows are styled when first shown, not at start:
// the look must be there by the time the operator sees them.
void TestOutrasTrn::tealLookWhenShown() {
    Visita v;
    QStringList visto;
    Visita::espera("FrmOutrasTrn", [&visto](QDialog& menu) {
        const QLabel* titulo = controle<QLabel>(menu, "StaticText1");
        visto << menu.palette().color(QPalette::Window).name() << titulo->palette().color(QPalette::WindowText).name()
              << QString::number(titulo->font().bold());
        clica(menu, "BitBtn2");
    });
    v.visita();
    QCOMPARE(visto, QStringList({"#008080", "#ffffff", "1"}));
    KAVEX_VERIFY_SEAMS();
}

// The main window's own command loop gives the controls back at its end; inside
// a visit they stay locked until the visit is over.
void TestOutrasTrn::lockOutlastsTheMainWindowsLoop() {
    Visita v;
    v.lacoReal();
    v.estado().Retorno = 0;
    v.simulador().script({{kConsVidalink, {10000}}, {"ContinuaFuncaoKavexInterativo", {0}}});
    v.escolhe("BtnTrnVidalink");
    Visita::espera("FrmVidalink", [](QDialog& hub) { clica(hub, "BtnConsVidalink"); });
    Visita::espera("FrmConsVidalink", [](QDialog& j) { autorizacao(j, QStringLiteral("A1")); });
    Visita::espera("FrmConsVidalink", [&](QDialog& j) {
        QVERIFY(v.travada());
        clica(j, "BtnEncerra");
    });
    v.visita();
    QVERIFY(v.livre());
    QCOMPARE(v.simulador().calls(kConsVidalink).size(), size_t(1));
    KAVEX_VERIFY_SEAMS();
}

void TestOutrasTrn::pbmConsultation_data() {
    QTest::addColumn<QString>("cupom");        // main window's fiscal receipt before the visit
    QTest::addColumn<QString>("autorizacao");  // typed
    QTest::addColumn<bool>("produtoAProduto"); // answer to the first question
    QTest::addColumn<QStringList>("produtos"); // codes typed, each followed by "more?" Yes except the last
    QTest::addColumn<QList<int>>("inicios");   // results of the start calls
    QTest::addColumn<QList<int>>("lacos");     // Retorno at the end of each loop run
    QTest::addColumn<QStringList>("consultas");
    QTest::addColumn<QString>("cupomEnviado");
    const QString longo = QString(50, u'7') + QStringLiteral("89");
    QTest::newRow("single") << QString() << "AUT1" << false << QStringList() << QList<int>{10000} << QList<int>{0}
                            << QStringList{"1"} << "12345";
    QTest::newRow("single refused") << "900"
                                    << "AUT1" << false << QStringList() << QList<int>{11} << QList<int>{}
                                    << QStringList{"1"} << "900";
    QTest::newRow("50 characters, no more") << QString() << longo << false << QStringList() << QList<int>{10000}
                                            << QList<int>{0} << QStringList{"1"} << "12345";
    QTest::newRow("empty code sent") << QString() << QString() << false << QStringList() << QList<int>{10000}
                                     << QList<int>{0} << QStringList{"1"} << "12345";
    QTest::newRow("one product") << "55"
                                 << "AUT2" << true << QStringList{"P1"} << QList<int>{10000, 10000} << QList<int>{0, 0}
                                 << QStringList{"0", "P1"} << "55";
    QTest::newRow("three products") << QString() << "AUT3" << true << QStringList{"P1", "P2", "P3"}
                                    << QList<int>{10000, 10000, 10000, 10000} << QList<int>{0, 0, 0, 0}
                                    << QStringList{"0", "P1", "P2", "P3"} << "12345";
    QTest::newRow("opening loop fails") << QString() << "AUT4" << true << QStringList() << QList<int>{10000}
                                        << QList<int>{5} << QStringList{"0"} << "12345";
    QTest::newRow("opening start refused") << QString() << "AUT4" << true << QStringList() << QList<int>{-3}
                                           << QList<int>{} << QStringList{"0"} << "12345";
    // A product start that is not taken ends the repetition without the question.
    QTest::newRow("product start refused") << QString() << "AUT5" << true << QStringList{"P1"} << QList<int>{10000, 7}
                                           << QList<int>{0} << QStringList{"0", "P1"} << "12345";
    QTest::newRow("product loop fails") << QString() << "AUT5" << true << QStringList{"P1"} << QList<int>{10000, 10000}
                                        << QList<int>{0, 2} << QStringList{"0", "P1"} << "12345";
    // A product start answered with 0 ran no loop but leaves Retorno 0.
    QTest::newRow("product start answered 0")
        << QString() << "AUT6" << true << QStringList{"P1"} << QList<int>{10000, 0} << QList<int>{0}
        << QStringList{"0", "P1"} << "12345";
}

void TestOutrasTrn::pbmConsultation() {
    QFETCH(QString, cupom);
    QFETCH(QString, autorizacao);
    QFETCH(bool, produtoAProduto);
    QFETCH(QStringList, produtos);
    QFETCH(QList<int>, inicios);
    QFETCH(QList<int>, lacos);
    QFETCH(QStringList, consultas);
    QFETCH(QString, cupomEnviado);
    Visita v;
    v.escolhe("btConsultaPBM");
    v.console().find<QLineEdit>("EdtCpFiscal")->setText(cupom);
    v.simulador().script({{kPBM, inicios.toVector()}});
    // The products go with the opening call's date and time, even when the
    // clock has moved on during the loop.
    v.duranteOLaco([] { platform::clock::setFixed(harness::momento(23, 59, 58)); });
    for (int r : lacos) {
        v.fimDosLacos({r});
    }
    const auto codigo = [](const QString& texto, const QString& rotulo) {
        Visita::espera("FrmCodProdAutor", [texto, rotulo](QDialog& d) {
            QCOMPARE(controle<QLabel>(d, "lbCodProdAutor")->text(), rotulo);
            QTest::keyClicks(controle<QLineEdit>(d, "edCodProdAutor"), texto);
            QTest::keyClick(&d, Qt::Key_Return);
        });
    };
    codigo(autorizacao, QStringLiteral("Código de Autorização:"));
    platform::prompt::expect(QStringLiteral("Consulta Produto a Produto ?"),
                             produtoAProduto ? Answer::Yes : Answer::No);
    // The script's queue decides how far the repetition goes; the product
    // dialog and the "more?" question appear only where a product is due.
    bool continua = produtoAProduto && inicios.value(0) == 10000 && lacos.value(0) == 0;
    for (int i = 0; continua && i < produtos.size(); ++i) {
        codigo(produtos[i], QStringLiteral("Código do Produto:"));
        const int inicio = inicios.value(i + 1);
        const int fim = inicio == 10000 ? lacos.value(i + 1) : inicio;
        if (fim == 0) {
            const bool mais = i + 1 < produtos.size();
            platform::prompt::expect(QStringLiteral("Existem mais produtos a serem consultados ?"),
                                     mais ? Answer::Yes : Answer::No);
        }
        continua = fim == 0;
    }
    v.visita();

    const auto chamadas = v.simulador().calls(kPBM);
    QCOMPARE(chamadas.size(), size_t(consultas.size()));
    const std::string enviado = autorizacao.left(50).toStdString();
    for (size_t i = 0; i < chamadas.size(); ++i) {
        KAVEX_COMPARE_JSON(chamadas[i]["args"], json::array({enviado, consultas[int(i)].toStdString(),
                                                             cupomEnviado.toStdString(), kData, kHora, "Opx", ""}));
    }
    QCOMPARE(v.console().find<QLineEdit>("EdtCpFiscal")->text(), cupomEnviado);
    QCOMPARE(v.estado().Retorno, lacos.isEmpty() || inicios.last() != 10000 ? inicios.last() : lacos.last());
    const auto titulos = platform::prompt::shown();
    for (const auto& caixa : titulos) {
        QCOMPARE(caixa.title, QStringLiteral("Consulta PBM"));
        QCOMPARE(caixa.kind, platform::prompt::Kind::YesNo);
    }
    QVERIFY(v.livre());
    KAVEX_VERIFY_VISITA(v, lacos.size());
}

// Authorisation, then two products, each followed by its loop; the window's
// defaults stay for the product steps even though the clock moves.
void TestOutrasTrn::consultationProductByProduct() {
    Visita v;
    v.escolhe("BtnTrnVidalink");
    v.simulador().script({{kConsVidalink, {10000, 10000, 10000}}});
    v.fimDosLacos({0, 0, 0});
    v.duranteOLaco([] { platform::clock::setFixed(harness::momento(11, 0, 0)); });
    Visita::espera("FrmVidalink", [](QDialog& hub) { clica(hub, "BtnConsVidalink"); });
    Visita::espera("FrmConsVidalink", [&](QDialog& j) {
        QCOMPARE(controle<QPushButton>(j, "BtnTransacao")->text(), QStringLiteral("&Envia Cod Autor"));
        QVERIFY(controle<QLineEdit>(j, "EdtCodAut")->hasFocus());
        QVERIFY(!controle<QLineEdit>(j, "EdtQdeProd")->isEnabled());
        autorizacao(j, QStringLiteral("A1"));
        QCOMPARE(controle<QLineEdit>(j, "EdtQdeProd")->text(), QStringLiteral("1"));
        QCOMPARE(v.console().find<QLineEdit>("EdtResultado")->text(), QStringLiteral("10000"));
    });
    Visita::espera("FrmConsVidalink", [&](QDialog& j) {
        QVERIFY(v.travada());
        QCOMPARE(controle<QPushButton>(j, "BtnTransacao")->text(), QStringLiteral("&Realiza Consulta"));
        QVERIFY(controle<QLineEdit>(j, "EdtQdeProd")->hasFocus());
        QCOMPARE(controle<QLabel>(j, "LblCodProd")->text(), QStringLiteral("1"));
        digita(j, "EdtQdeProd", QStringLiteral("2"));
        produto(j, QStringLiteral("P1"));
        QVERIFY(!controle<QLineEdit>(j, "EdtQdeProd")->isEnabled());
    });
    Visita::espera("FrmConsVidalink", [&](QDialog& j) {
        QCOMPARE(controle<QLabel>(j, "LblCodProd")->text(), QStringLiteral("2"));
        QVERIFY(controle<QRadioButton>(j, "RdBtnProdOne")->isChecked());
        QVERIFY(controle<QLineEdit>(j, "EdtCodProd")->hasFocus());
        produto(j, QStringLiteral("P2"));
        QCOMPARE(controle<QLabel>(j, "LblCodProd")->text(), QStringLiteral("1"));
    });
    v.visita();
    KAVEX_COMPARE_JSON(argumentos(v.simulador().calls(kConsVidalink)),
                       json::parse(R"([["A1","0","12345","20260314","102030","Opx"],
                                       ["A1","P1","12345","20260314","102030","Opx"],
                                       ["A1","P2","12345","20260314","102030","Opx"]])"));
    QVERIFY(v.livre());
    KAVEX_VERIFY_VISITA(v, 3);
}

void TestOutrasTrn::consultationRoads_data() {
    QTest::addColumn<QList<int>>("inicios");
    QTest::addColumn<QList<int>>("lacos");
    QTest::addColumn<int>("passos"); // product steps the window is shown for
    QTest::addColumn<QString>("resultado");
    QTest::addColumn<bool>("todos");
    QTest::newRow("all products") << QList<int>{10000} << QList<int>{0} << 0 << "10000" << true;
    QTest::newRow("authorisation refused") << QList<int>{31} << QList<int>{} << 0 << "31" << false;
    QTest::newRow("loop after authorisation fails") << QList<int>{10000} << QList<int>{4} << 0 << "10000" << false;
    QTest::newRow("product refused") << QList<int>{10000, 8} << QList<int>{0} << 1 << "8" << false;
    QTest::newRow("loop after a product fails")
        << QList<int>{10000, 10000} << QList<int>{0, 6} << 1 << "10000" << false;
}

void TestOutrasTrn::consultationRoads() {
    QFETCH(QList<int>, inicios);
    QFETCH(QList<int>, lacos);
    QFETCH(int, passos);
    QFETCH(QString, resultado);
    QFETCH(bool, todos);
    Visita v;
    v.escolhe("BtnTrnVidalink");
    v.simulador().script({{kConsVidalink, inicios.toVector()}});
    for (int r : lacos) {
        v.fimDosLacos({r});
    }
    Visita::espera("FrmVidalink", [](QDialog& hub) { clica(hub, "BtnConsVidalink"); });
    Visita::espera("FrmConsVidalink", [todos](QDialog& j) { autorizacao(j, QStringLiteral("A1"), todos); });
    for (int i = 0; i < passos; ++i) {
        Visita::espera("FrmConsVidalink", [](QDialog& j) {
            digita(j, "EdtQdeProd", QStringLiteral("3"));
            produto(j, QStringLiteral("P"));
        });
    }
    v.visita();
    const auto chamadas = v.simulador().calls(kConsVidalink);
    QCOMPARE(chamadas.size(), size_t(inicios.size()));
    KAVEX_COMPARE_JSON(chamadas[0]["args"], json::parse(todos ? R"(["A1","1","12345","20260314","102030","Opx"])"
                                                              : R"(["A1","0","12345","20260314","102030","Opx"])"));
    QCOMPARE(v.console().find<QLineEdit>("EdtResultado")->text(), resultado);
    QVERIFY(v.livre());
    KAVEX_VERIFY_VISITA(v, lacos.size());
}

// An empty code and a quantity that is no whole number are refused where they
// are typed; nothing is sent and the consultation stays where it was.
void TestOutrasTrn::consultationRefusesWhatCannotBeSent() {
    Visita v;
    v.escolhe("BtnTrnVidalink");
    v.simulador().script({{kConsVidalink, {10000, 10000}}});
    v.fimDosLacos({0, 0});
    Visita::espera("FrmVidalink", [](QDialog& hub) { clica(hub, "BtnConsVidalink"); });
    Visita::espera("FrmConsVidalink", [&](QDialog& j) {
        platform::prompt::expect(QStringLiteral("Digite o Código de Autorização."));
        clica(j, "BtnTransacao");
        QVERIFY(j.isVisible());
        QCOMPARE(v.simulador().calls(kConsVidalink).size(), size_t(0));
        autorizacao(j, QStringLiteral("A1"));
    });
    Visita::espera("FrmConsVidalink", [&](QDialog& j) {
        for (const char* errada : {"2x", "0", ""}) {
            platform::prompt::expect(
                QStringLiteral("A Quantidade de Produtos deve ser um número inteiro maior que zero."));
            digita(j, "EdtQdeProd", QString::fromLatin1(errada));
            produto(j, QStringLiteral("P1"));
            QVERIFY(j.isVisible());
            QVERIFY(controle<QLineEdit>(j, "EdtQdeProd")->isEnabled());
            QVERIFY(controle<QLineEdit>(j, "EdtQdeProd")->hasFocus());
            QCOMPARE(controle<QLabel>(j, "LblCodProd")->text(), QStringLiteral("1"));
        }
        QCOMPARE(v.simulador().calls(kConsVidalink).size(), size_t(1));
        digita(j, "EdtQdeProd", QStringLiteral("1"));
        produto(j, QStringLiteral("P1"));
    });
    v.visita();
    QCOMPARE(v.simulador().calls(kConsVidalink).size(), size_t(2));
    KAVEX_COMPARE_JSON(v.simulador().calls(kConsVidalink)[1]["args"][1], json("P1"));
    KAVEX_VERIFY_VISITA(v, 2);
}

// Choosing "Todos os Produtos" in a product step makes that product the last.
void TestOutrasTrn::allProductsChosenInAProductStepEndsCleanly() {
    Visita v;
    v.escolhe("BtnTrnVidalink");
    v.simulador().script({{kConsVidalink, {10000, 10000}}});
    v.fimDosLacos({0, 0});
    Visita::espera("FrmVidalink", [](QDialog& hub) { clica(hub, "BtnConsVidalink"); });
    Visita::espera("FrmConsVidalink", [](QDialog& j) { autorizacao(j, QStringLiteral("A1")); });
    Visita::espera("FrmConsVidalink", [](QDialog& j) {
        digita(j, "EdtQdeProd", QStringLiteral("5"));
        harness::clicaIndicador(controle<QRadioButton>(j, "RdBtnProdAll"));
        QVERIFY(controle<QLineEdit>(j, "EdtQdeProd")->text().isEmpty());
        QVERIFY(!controle<QLineEdit>(j, "EdtQdeProd")->isEnabled());
        QVERIFY(controle<QLineEdit>(j, "EdtCodProd")->hasFocus());
        produto(j, QStringLiteral("P1"));
        QCOMPARE(controle<QLabel>(j, "LblCodProd")->text(), QStringLiteral("1"));
    });
    v.visita();
    QCOMPARE(v.simulador().calls(kConsVidalink).size(), size_t(2));
    KAVEX_VERIFY_VISITA(v, 2);
}

// "Todos os Produtos" and back again in a product step: the quantity comes
// back as it was, and the step can be sent.
void TestOutrasTrn::individualProductsAgainGiveTheQuantityBack() {
    Visita v;
    v.escolhe("BtnTrnVidalink");
    v.simulador().script({{kConsVidalink, {10000, 10000, 10000}}});
    v.fimDosLacos({0, 0, 0});
    Visita::espera("FrmVidalink", [](QDialog& hub) { clica(hub, "BtnConsVidalink"); });
    Visita::espera("FrmConsVidalink", [](QDialog& j) { autorizacao(j, QStringLiteral("A1")); });
    const auto vaiEVolta = [](QDialog& j, const QString& quantidade, bool aberta) {
        harness::clicaIndicador(controle<QRadioButton>(j, "RdBtnProdAll"));
        harness::clicaIndicador(controle<QRadioButton>(j, "RdBtnProdOne"));
        QCOMPARE(controle<QLineEdit>(j, "EdtQdeProd")->text(), quantidade);
        QCOMPARE(controle<QLineEdit>(j, "EdtQdeProd")->isEnabled(), aberta);
        produto(j, QStringLiteral("P"));
    };
    Visita::espera("FrmConsVidalink", [&](QDialog& j) {
        digita(j, "EdtQdeProd", QStringLiteral("2"));
        vaiEVolta(j, QStringLiteral("2"), true);
    });
    Visita::espera("FrmConsVidalink", [&](QDialog& j) { vaiEVolta(j, QStringLiteral("2"), false); });
    v.visita();
    QCOMPARE(v.simulador().calls(kConsVidalink).size(), size_t(3));
    KAVEX_VERIFY_VISITA(v, 3);
}

// The close box of a product step ends the consultation as "&Encerra" does:
// no further step and no command loop without a started function.
void TestOutrasTrn::closeBoxInAProductStepEndsTheConsultation() {
    Visita v;
    v.escolhe("BtnTrnVidalink");
    v.simulador().script({{kConsVidalink, {10000}}});
    v.fimDosLacos({0});
    Visita::espera("FrmVidalink", [](QDialog& hub) { clica(hub, "BtnConsVidalink"); });
    Visita::espera("FrmConsVidalink", [](QDialog& j) { autorizacao(j, QStringLiteral("A1")); });
    Visita::espera("FrmConsVidalink", [](QDialog& j) { harness::fechaPelaMoldura(j); });
    v.visita();
    QCOMPARE(v.simulador().calls(kConsVidalink).size(), size_t(1));
    QVERIFY(v.livre());
    KAVEX_VERIFY_VISITA(v, 1);
}

void TestOutrasTrn::sharedLetterFocusesInTurn_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("hub");
    QTest::addColumn<QString>("janela");
    QTest::addColumn<int>("tecla");
    QTest::addColumn<QStringList>("botoes");
    QTest::addColumn<QString>("saida");
    QTest::newRow("hub, Alt+C") << "BtnTrnVidalink"
                                << ""
                                << "FrmVidalink" << int(Qt::Key_C) << QStringList{"BitBtn5", "BtnConsVidalink"}
                                << "BitBtn4";
    QTest::newRow("consultation, Alt+E") << "BtnTrnVidalink"
                                         << "BtnConsVidalink"
                                         << "FrmConsVidalink" << int(Qt::Key_E)
                                         << QStringList{"BtnEncerra", "BtnTransacao"} << "BtnEncerra";
    QTest::newRow("direct, Alt+E") << "BtnTrnDirKavex"
                                   << ""
                                   << "FrmTrnDirKavex" << int(Qt::Key_E) << QStringList{"BtnEncerra", "BtnEnviar"}
                                   << "BtnEncerra";
}

// Two live buttons share the letter: each press moves the focus to one of
// them in turn and presses nothing.
void TestOutrasTrn::sharedLetterFocusesInTurn() {
    QFETCH(QString, menu);
    QFETCH(QString, hub);
    QFETCH(QString, janela);
    QFETCH(int, tecla);
    QFETCH(QStringList, botoes);
    QFETCH(QString, saida);
    // The harness keeps the names until the visit is over.
    const QByteArray nomeMenu = menu.toLatin1();
    const QByteArray nomeHub = hub.toLatin1();
    const QByteArray nomeJanela = janela.toLatin1();
    const QByteArray nomeSaida = saida.toLatin1();
    Visita v;
    v.escolhe(nomeMenu.constData());
    if (!hub.isEmpty()) {
        Visita::espera("FrmVidalink", [&nomeHub](QDialog& h) { clica(h, nomeHub.constData()); });
    }
    Visita::espera(nomeJanela.constData(), [&](QDialog& j) {
        QStringList focados;
        for (int i = 0; i < 2; ++i) {
            QTest::keyClick(&j, Qt::Key(tecla), Qt::AltModifier);
            QVERIFY(j.isVisible());
            focados << j.focusWidget()->objectName();
        }
        focados.sort();
        QCOMPARE(focados, botoes);
        clica(j, nomeSaida.constData());
    });
    v.visita();
    QCOMPARE(v.simulador().calls().size(), size_t(0));
    KAVEX_VERIFY_VISITA(v, 0);
}

void TestOutrasTrn::loneLetterPressesAtOnce_data() {
    QTest::addColumn<QString>("passo");
    QTest::newRow("hub, Alt+E") << "hub";
    QTest::newRow("consultation's product step, Alt+E") << "product step";
    QTest::newRow("cancellation's product panel, Alt+E") << "cancellation panel";
}

// Where only one live button has the letter, its key presses it at once.
void TestOutrasTrn::loneLetterPressesAtOnce() {
    QFETCH(QString, passo);
    Visita v;
    v.escolhe("BtnTrnVidalink");
    const auto altE = [](QDialog& j) {
        QTest::keyClick(&j, Qt::Key_E, Qt::AltModifier);
        // A button pressed by its key shows itself down for a moment first.
        QTRY_VERIFY(!j.isVisible());
    };
    if (passo == QLatin1String("hub")) {
        Visita::espera("FrmVidalink", altE);
    } else if (passo == QLatin1String("product step")) {
        v.simulador().script({{kConsVidalink, {10000}}});
        v.fimDosLacos({0});
        Visita::espera("FrmVidalink", [](QDialog& hub) { clica(hub, "BtnConsVidalink"); });
        Visita::espera("FrmConsVidalink", [](QDialog& j) { autorizacao(j, QStringLiteral("A1")); });
        Visita::espera("FrmConsVidalink", altE);
    } else {
        Visita::espera("FrmVidalink", [](QDialog& hub) { clica(hub, "BitBtn5"); });
        Visita::espera("FrmCncVidalink", [&](QDialog& j) {
            harness::clicaIndicador(controle<QRadioButton>(j, "RdBtnParcial"));
            altE(j);
        });
    }
    v.visita();
    KAVEX_VERIFY_VISITA(v, passo == QLatin1String("product step") ? 1 : 0);
}

QTEST_MAIN(TestOutrasTrn)
#include "tst_outrastrn.moc"
