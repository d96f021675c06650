// The Vidalink sale and cancellation windows reached through the menu and the
// hub: the products informed one by one, their counters, the start and the
// command loop that follows.

#include "Cliques.h"
#include "Harness.h"
#include "Visita.h"
#include "nucleo/FuncoesVidalink.h"

#include "othertrn/CancVidalink.h"
#include "othertrn/VendaVidalink.h"
#include "platform/Numeros.h"
#include "widgets/Prompt.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using harness::argumentos;
using harness::clica;
using harness::controle;
using harness::digita;
using harness::Visita;
using nlohmann::json;

namespace {

QString texto(QDialog& j, const char* nome) {
    if (auto* campo = j.findChild<QLineEdit*>(QString::fromLatin1(nome))) {
        return campo->text();
    }
    if (auto* rotulo = j.findChild<QLabel*>(QString::fromLatin1(nome))) {
        return rotulo->text();
    }
    return controle<QPushButton>(j, nome)->text();
}

// One product of the sale: code, quantity, value, then the button.
void vende(QDialog& j, const QString& codigo, const QString& quantidade, const QString& valor) {
    digita(j, "EdtCodProd", codigo);
    digita(j, "EdtQde", quantidade);
    digita(j, "EdtValor", valor);
    clica(j, "BtnVenda");
}

// One product of a partial cancellation.
void cancela(QDialog& j, const QString& codigo, const QString& quantidade) {
    digita(j, "edCodProd", codigo);
    digita(j, "edQuantidade", quantidade);
    clica(j, "BitBtn3");
}

void originais(QDialog& j) {
    digita(j, "edCpFiscalOrig", QStringLiteral("111"));
    digita(j, "edDtFiscalOrig", QStringLiteral("20260101"));
    digita(j, "edNumDocOrig", QStringLiteral("D9"));
    digita(j, "edNumTermOrig", QStringLiteral("T1"));
}

} // namespace

class TestVidalinkVenda : public QObject {
    Q_OBJECT
private slots:
    void init() { harness::startSeams(); }
    void saleOfOneProduct_data();
    void saleOfOneProduct();
    void saleOfThreeProductsCountsThem();
    void saleRefusesEmptyAndNotWholeFields();
    void totalCancellation_data();
    void totalCancellation();
    void partialCancellationCountsAcceptedProducts();
    void cancellationRefusesWhatCannotBeSent();
    void saleCloseBoxAbandons_data();
    void saleCloseBoxAbandons();
    void cancellationAlwaysHasAWayOut_data();
    void cancellationAlwaysHasAWayOut();
};

void TestVidalinkVenda::saleOfOneProduct_data() {
    QTest::addColumn<int>("inicio");
    QTest::newRow("started") << 10000;
    QTest::newRow("refused: no loop") << -2;
}

void TestVidalinkVenda::saleOfOneProduct() {
    QFETCH(int, inicio);
    const QString resultado = QString::number(inicio);
    Visita v;
    v.escolhe("BtnTrnVidalink");
    v.simulador().script({{kInformaVenda, {0}}, {kVenda, {inicio}}});
    if (inicio == 10000) {
        v.fimDosLacos({0});
    }
    v.console().find<QLineEdit>("EdtCpFiscal")->setText(QStringLiteral("999"));
    Visita::espera("FrmVidalink", [](QDialog& hub) { clica(hub, "BitBtn3"); });
    Visita::espera("FrmVendaVidalink", [&](QDialog& j) {
        QVERIFY(controle<QLineEdit>(j, "EdtQdeProd")->hasFocus());
        QVERIFY(!controle<QLineEdit>(j, "EdtCodAut")->isVisible());
        // Leaving the number of products empty makes it 1.
        vende(j, QStringLiteral("789"), QStringLiteral("2"), QStringLiteral("1,50"));
        QCOMPARE(texto(j, "EdtQdeProd"), QStringLiteral("1"));
        QCOMPARE(texto(j, "BtnVenda"), QStringLiteral("&Realiza Venda"));
        QVERIFY(controle<QLineEdit>(j, "EdtCodAut")->isVisible());
        QVERIFY(!controle<QLineEdit>(j, "EdtCodProd")->isVisible());
        QVERIFY(controle<QLineEdit>(j, "EdtCodAut")->hasFocus());
        clica(j, "BtnVenda");
        QCOMPARE(texto(j, "EdtResultado"), resultado);
    });
    v.visita();
    KAVEX_COMPARE_JSON(argumentos(v.simulador().calls(kInformaVenda)), json::parse(R"([[1,"789",2,"1,50"]])"));
    KAVEX_COMPARE_JSON(argumentos(v.simulador().calls(kVenda)),
                       json::parse(R"([["12345",1,"54321","20260314","102030","Opx"]])"));
    QCOMPARE(v.console().find<QLineEdit>("EdtCpFiscal")->text(), QStringLiteral("54321"));
    QCOMPARE(v.console().find<QLineEdit>("EdtResultado")->text(), resultado);
    QCOMPARE(v.console().window().janelas().FrmVendaVidalink.RetornoVenda, std::optional<int32_t>(inicio));
    QVERIFY(v.livre());
    KAVEX_VERIFY_VISITA(v, inicio == 10000 ? 1 : 0);
}

// The label follows the product being entered, the button turns when one
// product is left, and a product the library refuses is not retried.
void TestVidalinkVenda::saleOfThreeProductsCountsThem() {
    Visita v;
    v.escolhe("BtnTrnVidalink");
    v.simulador().script({{kInformaVenda, {0, 12, 0}}, {kVenda, {10000}}});
    v.fimDosLacos({0});
    Visita::espera("FrmVidalink", [](QDialog& hub) { clica(hub, "BitBtn3"); });
    Visita::espera("FrmVendaVidalink", [&](QDialog& j) {
        digita(j, "EdtQdeProd", QStringLiteral("3"));
        QTest::keyClick(controle<QLineEdit>(j, "EdtQdeProd"), Qt::Key_Tab);
        QCOMPARE(texto(j, "BtnVenda"), QStringLiteral("&Próximo Produto"));
        vende(j, QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("1,00"));
        QVERIFY(!controle<QLineEdit>(j, "EdtQdeProd")->isEnabled());
        QCOMPARE(texto(j, "LblNroProd"), QStringLiteral("2"));
        QCOMPARE(texto(j, "BtnVenda"), QStringLiteral("&Próximo Produto"));
        QVERIFY(texto(j, "EdtCodProd").isEmpty() && texto(j, "EdtQde").isEmpty() && texto(j, "EdtValor").isEmpty());
        vende(j, QStringLiteral("B"), QStringLiteral("2"), QStringLiteral("2,00"));
        QCOMPARE(texto(j, "EdtResultado"), QStringLiteral("12"));
        QCOMPARE(texto(j, "LblNroProd"), QStringLiteral("3"));
        QCOMPARE(texto(j, "BtnVenda"), QStringLiteral("&Realiza Venda"));
        QVERIFY(controle<QLineEdit>(j, "EdtCodProd")->isVisible());
        vende(j, QStringLiteral("C"), QStringLiteral("3"), QStringLiteral("3,00"));
        QVERIFY(controle<QLineEdit>(j, "EdtCodAut")->isVisible());
        digita(j, "EdtCodAut", QStringLiteral("AUT"));
        digita(j, "EdtCpFiscal", QStringLiteral("77"));
        QTest::keyClick(&j, Qt::Key_Return);
    });
    v.visita();
    KAVEX_COMPARE_JSON(argumentos(v.simulador().calls(kInformaVenda)),
                       json::parse(R"([[1,"A",1,"1,00"],[2,"B",2,"2,00"],[3,"C",3,"3,00"]])"));
    KAVEX_COMPARE_JSON(argumentos(v.simulador().calls(kVenda)),
                       json::parse(R"([["AUT",3,"77","20260314","102030","Opx"]])"));
    QCOMPARE(v.console().find<QLineEdit>("EdtCpFiscal")->text(), QStringLiteral("77"));
    KAVEX_VERIFY_VISITA(v, 1);
}

// Each empty field has its message; a quantity or a number of products that
// is no whole number is refused before the count moves, so the next product
// still goes out as number 1.
void TestVidalinkVenda::saleRefusesEmptyAndNotWholeFields() {
    Visita v;
    v.escolhe("BtnTrnVidalink");
    v.simulador().script({{kInformaVenda, {0}}});
    Visita::espera("FrmVidalink", [](QDialog& hub) { clica(hub, "BitBtn3"); });
    Visita::espera("FrmVendaVidalink", [&](QDialog& j) {
        // The number of products typed wrong: it stays open to be fixed.
        digita(j, "EdtQdeProd", QStringLiteral("dois"));
        platform::prompt::expect(platform::numeros::mensagemInvalido(QStringLiteral("dois")));
        vende(j, QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("1,00"));
        QVERIFY(controle<QLineEdit>(j, "EdtQdeProd")->isEnabled());
        QVERIFY(controle<QLineEdit>(j, "EdtQdeProd")->hasFocus());
        digita(j, "EdtQdeProd", QStringLiteral("2"));
        const struct {
            const char* codigo;
            const char* quantidade;
            const char* valor;
            QString mensagem;
            const char* foco;
        } casos[] = {
            {"", "1", "1,00", QStringLiteral("Digite o Código do Produto"), "EdtCodProd"},
            {"A", "", "1,00", QStringLiteral("Digite a Quantidade Adquirida"), "EdtQde"},
            {"A", "1", "", QStringLiteral("Digite o Valor"), "EdtValor"},
            {"A", "2,5", "1,00", platform::numeros::mensagemInvalido(QStringLiteral("2,5")), "EdtQde"},
        };
        for (const auto& caso : casos) {
            platform::prompt::expect(caso.mensagem);
            vende(j, QString::fromLatin1(caso.codigo), QString::fromLatin1(caso.quantidade),
                  QString::fromLatin1(caso.valor));
            QVERIFY2(controle<QLineEdit>(j, caso.foco)->hasFocus(), caso.foco);
            QCOMPARE(texto(j, "LblNroProd"), QStringLiteral("1"));
        }
        QVERIFY(!controle<QLineEdit>(j, "EdtQdeProd")->isEnabled());
        QCOMPARE(v.simulador().calls(kInformaVenda).size(), size_t(0));
        vende(j, QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("1,00"));
        clica(j, "BitBtn2");
    });
    v.visita();
    KAVEX_COMPARE_JSON(argumentos(v.simulador().calls(kInformaVenda)), json::parse(R"([[1,"A",1,"1,00"]])"));
    QCOMPARE(v.simulador().calls(kVenda).size(), size_t(0));
    KAVEX_VERIFY_VISITA(v, 0);
}

void TestVidalinkVenda::totalCancellation_data() {
    QTest::addColumn<int>("inicio");
    QTest::addColumn<int>("lacos");
    QTest::newRow("started") << 10000 << 1;
    QTest::newRow("refused") << 14 << 0;
}

void TestVidalinkVenda::totalCancellation() {
    QFETCH(int, inicio);
    QFETCH(int, lacos);
    Visita v;
    v.escolhe("BtnTrnVidalink");
    v.simulador().script({{kCnc, {inicio}}});
    if (lacos) {
        v.fimDosLacos({0});
    }
    Visita::espera("FrmVidalink", [](QDialog& hub) { clica(hub, "BitBtn5"); });
    Visita::espera("FrmCncVidalink", [](QDialog& j) {
        QVERIFY(controle<QRadioButton>(j, "RdBtnTotal")->isChecked());
        QVERIFY(!controle<QWidget>(j, "pnInformaProd")->isVisible());
        QVERIFY(controle<QLineEdit>(j, "edNumProd")->hasFocus());
        QTest::keyClicks(controle<QLineEdit>(j, "edNumProd"), QStringLiteral("4"));
        originais(j);
        QTest::keyClick(&j, Qt::Key_Return);
    });
    v.visita();
    KAVEX_COMPARE_JSON(argumentos(v.simulador().calls(kCnc)),
                       json::parse(R"([[1,4,"111","20260101","D9","T1","12345","20260314","102030","Opx"]])"));
    QCOMPARE(v.console().find<QLineEdit>("EdtResultado")->text(), QString::number(inicio));
    QCOMPARE(v.console().window().janelas().FrmCncVidalink.RetornoCncVidalink, std::optional<int32_t>(inicio));
    QVERIFY(v.livre());
    KAVEX_VERIFY_VISITA(v, lacos);
}

// Three products, the second refused once: the same index goes again, the
// label follows only accepted products, and the request sends type 0 and 3.
void TestVidalinkVenda::partialCancellationCountsAcceptedProducts() {
    Visita v;
    v.escolhe("BtnTrnVidalink");
    v.simulador().script({{kInformaCnc, {0, 5, 0, 0}}, {kCnc, {10000}}});
    v.fimDosLacos({0});
    Visita::espera("FrmVidalink", [](QDialog& hub) { clica(hub, "BitBtn5"); });
    Visita::espera("FrmCncVidalink", [](QDialog& j) {
        harness::clicaIndicador(controle<QRadioButton>(j, "RdBtnParcial"));
        QVERIFY(controle<QWidget>(j, "pnInformaProd")->isVisible());
        QVERIFY(!controle<QRadioButton>(j, "RdBtnTotal")->isEnabled());
        QVERIFY(!controle<QPushButton>(j, "BitBtn1")->isEnabled());
        QVERIFY(!controle<QLineEdit>(j, "edNumProd")->isEnabled());
        QVERIFY(controle<QLineEdit>(j, "edNumProdInformar")->hasFocus());
        QTest::keyClicks(controle<QLineEdit>(j, "edNumProdInformar"), QStringLiteral("3"));
        QTest::keyClick(controle<QLineEdit>(j, "edNumProdInformar"), Qt::Key_Tab);
        QCOMPARE(texto(j, "BitBtn3"), QStringLiteral("&Informa Próximo Produto"));
        cancela(j, QStringLiteral("P1"), QStringLiteral("1"));
        QCOMPARE(texto(j, "LblNroProd"), QStringLiteral("2"));
        QCOMPARE(texto(j, "BitBtn3"), QStringLiteral("&Informa Próximo Produto"));
        platform::prompt::expect(QStringLiteral("Produtos Informados Incorretamente. Favor Informar Novamente."));
        cancela(j, QStringLiteral("P2"), QStringLiteral("9"));
        QCOMPARE(texto(j, "LblNroProd"), QStringLiteral("2"));
        QCOMPARE(texto(j, "edCodProd"), QStringLiteral("P2"));
        QVERIFY(controle<QLineEdit>(j, "edCodProd")->hasFocus());
        cancela(j, QStringLiteral("P2"), QStringLiteral("2"));
        QCOMPARE(texto(j, "LblNroProd"), QStringLiteral("3"));
        QCOMPARE(texto(j, "BitBtn3"), QStringLiteral("&Confirma Produtos"));
        QVERIFY(controle<QWidget>(j, "pnInformaProd")->isVisible());
        cancela(j, QStringLiteral("P3"), QStringLiteral("3"));
        QVERIFY(!controle<QWidget>(j, "pnInformaProd")->isVisible());
        QCOMPARE(texto(j, "edNumProd"), QStringLiteral("3"));
        QVERIFY(!controle<QLineEdit>(j, "edNumProd")->isEnabled());
        QVERIFY(controle<QLineEdit>(j, "edCpFiscalOrig")->hasFocus());
        originais(j);
        digita(j, "EdtCpNFiscal", QStringLiteral("NF"));
        clica(j, "BitBtn1");
    });
    v.visita();
    KAVEX_COMPARE_JSON(argumentos(v.simulador().calls(kInformaCnc)),
                       json::parse(R"([[1,"P1",1],[2,"P2",9],[2,"P2",2],[3,"P3",3]])"));
    KAVEX_COMPARE_JSON(argumentos(v.simulador().calls(kCnc)),
                       json::parse(R"([[0,3,"111","20260101","D9","T1","NF","20260314","102030","Opx"]])"));
    KAVEX_VERIFY_VISITA(v, 1);
}

// Empty fields in the checked order; numbers that are no whole numbers are
// refused before the index is fixed or anything is sent; a partial
// cancellation of one product, abandoned with "&Encerra".
void TestVidalinkVenda::cancellationRefusesWhatCannotBeSent() {
    Visita v;
    v.escolhe("BtnTrnVidalink");
    v.simulador().script({{kInformaCnc, {0}}});
    Visita::espera("FrmVidalink", [](QDialog& hub) { clica(hub, "BitBtn5"); });
    Visita::espera("FrmCncVidalink", [&](QDialog& j) {
        const std::pair<const char*, QString> ordem[] = {
            {"edNumProd", QStringLiteral("Digite o Número de Produtos")},
            {"edCpFiscalOrig", QStringLiteral("Digite o Número do Cupom Fiscal Original")},
            {"edDtFiscalOrig", QStringLiteral("Digite a Data Fiscal Original")},
            {"edNumDocOrig", QStringLiteral("Digite o Documento Original")},
            {"edNumTermOrig", QStringLiteral("Digite o Número do Terminal Original")}};
        for (const auto& [campo, mensagem] : ordem) {
            platform::prompt::expect(mensagem);
            clica(j, "BitBtn1");
            QVERIFY2(controle<QLineEdit>(j, campo)->hasFocus(), campo);
            digita(j, campo, QStringLiteral("1"));
        }
        QCOMPARE(texto(j, "EdtCpNFiscal"), QStringLiteral("12345"));
        // The request's number of products.
        digita(j, "edNumProd", QStringLiteral("1a"));
        platform::prompt::expect(platform::numeros::mensagemInvalido(QStringLiteral("1a")));
        clica(j, "BitBtn1");
        QVERIFY(j.isVisible());

        harness::clicaIndicador(controle<QRadioButton>(j, "RdBtnParcial"));
        // The number of products to inform: refused while it is still open.
        QTest::keyClicks(controle<QLineEdit>(j, "edNumProdInformar"), QStringLiteral("x"));
        platform::prompt::expect(QStringLiteral("Digite o número de Produtos a serem informados"));
        QTest::keyClick(controle<QLineEdit>(j, "edNumProdInformar"), Qt::Key_Return);
        QVERIFY(controle<QLineEdit>(j, "edNumProdInformar")->isEnabled());
        digita(j, "edNumProdInformar", QStringLiteral("1"));
        platform::prompt::expect(QStringLiteral("Digite o Código do Produto"));
        cancela(j, QString(), QStringLiteral("1"));
        QCOMPARE(texto(j, "BitBtn3"), QStringLiteral("&Confirma Produto"));
        platform::prompt::expect(QStringLiteral("Digite a Quantidade"));
        cancela(j, QStringLiteral("P1"), QString());
        platform::prompt::expect(platform::numeros::mensagemInvalido(QStringLiteral("1.5")));
        cancela(j, QStringLiteral("P1"), QStringLiteral("1.5"));
        QCOMPARE(texto(j, "LblNroProd"), QStringLiteral("1"));
        QCOMPARE(v.simulador().calls(kInformaCnc).size(), size_t(0));
        // The one product accepted: back to the main group, the number fixed.
        cancela(j, QStringLiteral("P1"), QStringLiteral("4"));
        QVERIFY(!controle<QWidget>(j, "pnInformaProd")->isVisible());
        QCOMPARE(texto(j, "edNumProd"), QStringLiteral("1"));
        QVERIFY(!controle<QLineEdit>(j, "edNumProd")->isEnabled());
        QVERIFY(controle<QPushButton>(j, "BitBtn1")->isEnabled());
        clica(j, "BitBtn2");
    });
    v.visita();
    KAVEX_COMPARE_JSON(argumentos(v.simulador().calls(kInformaCnc)), json::parse(R"([[1,"P1",4]])"));
    QCOMPARE(v.simulador().calls(kCnc).size(), size_t(0));
    KAVEX_VERIFY_VISITA(v, 0);
}

void TestVidalinkVenda::saleCloseBoxAbandons_data() {
    QTest::addColumn<bool>("autorizacao");
    QTest::newRow("product phase") << false;
    QTest::newRow("authorisation phase") << true;
}

// The close box leaves as "&Encerra" does: no start, no command loop.
void TestVidalinkVenda::saleCloseBoxAbandons() {
    QFETCH(bool, autorizacao);
    Visita v;
    v.escolhe("BtnTrnVidalink");
    Visita::espera("FrmVidalink", [](QDialog& hub) { clica(hub, "BitBtn3"); });
    Visita::espera("FrmVendaVidalink", [autorizacao](QDialog& j) {
        if (autorizacao) {
            digita(j, "EdtQdeProd", QStringLiteral("1"));
            vende(j, QStringLiteral("P1"), QStringLiteral("1"), QStringLiteral("1,00"));
        }
        harness::fechaPelaMoldura(j);
    });
    v.visita();
    QVERIFY(!v.console().window().janelas().FrmVendaVidalink.RetornoVenda);
    QCOMPARE(v.simulador().calls(kVenda).size(), size_t(0));
    KAVEX_VERIFY_VISITA(v, 0);
}

void TestVidalinkVenda::cancellationAlwaysHasAWayOut_data() {
    QTest::addColumn<QString>("saida");
    QTest::addColumn<QString>("produtos");
    for (const char* produtos : {"", "0"}) {
        for (const char* saida : {"close box", "Encerra clicked", "Esc"}) {
            QTest::addRow("%s, products '%s'", saida, produtos) << saida << produtos;
        }
    }
    // Not by the window's own ways out: the cancellation is not abandoned,
    // but the next opening still starts afresh.
    QTest::newRow("ended by the program") << "program"
                                          << "2";
}

// In the product panel, with the number of products still unfit, every way
// out leaves at once without the field's check; the next opening starts
// afresh whatever way this one ended.
void TestVidalinkVenda::cancellationAlwaysHasAWayOut() {
    QFETCH(QString, saida);
    QFETCH(QString, produtos);
    const bool peloPrograma = saida == QLatin1String("program");
    Visita v;
    v.escolhe("BtnTrnVidalink");
    Visita::espera("FrmVidalink", [](QDialog& hub) { clica(hub, "BitBtn5"); });
    Visita::espera("FrmCncVidalink", [&](QDialog& j) {
        harness::clicaIndicador(controle<QRadioButton>(j, "RdBtnParcial"));
        QTest::keyClicks(controle<QLineEdit>(j, "edNumProdInformar"), produtos);
        if (peloPrograma) {
            j.reject();
        } else if (saida == QLatin1String("close box")) {
            harness::fechaPelaMoldura(j);
        } else if (saida == QLatin1String("Esc")) {
            QTest::keyClick(j.focusWidget(), Qt::Key_Escape);
        } else {
            clica(j, "BitBtn4");
        }
        QVERIFY(!j.isVisible());
    });
    v.visita();
    QVERIFY(!v.console().window().janelas().FrmCncVidalink.RetornoCncVidalink);
    v.escolhe("BtnTrnVidalink");
    Visita::espera("FrmVidalink", [](QDialog& hub) { clica(hub, "BitBtn5"); });
    Visita::espera("FrmCncVidalink", [](QDialog& j) {
        for (const char* nome : {"RdBtnTotal", "RdBtnParcial", "edNumProd", "edCpFiscalOrig", "edDtFiscalOrig",
                                 "edNumDocOrig", "edNumTermOrig", "EdtCpNFiscal", "BitBtn1", "BitBtn2"}) {
            QVERIFY2(controle<QWidget>(j, nome)->isEnabled(), nome);
        }
        QVERIFY(!controle<QWidget>(j, "pnInformaProd")->isVisible());
        QVERIFY(controle<QLineEdit>(j, "edNumProd")->hasFocus());
        clica(j, "BitBtn2");
    });
    v.visita();
    // No start was made, so no command loop runs, however the window ended.
    QCOMPARE(v.simulador().calls().size(), size_t(0));
    KAVEX_VERIFY_VISITA(v, 0);
}

QTEST_MAIN(TestVidalinkVenda)
#include "tst_vidalinkvenda.moc"
