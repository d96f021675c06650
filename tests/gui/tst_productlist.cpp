// The self-service product list, filled as an operator would: typing into the
// focused field, Tab and Enter, the window's own buttons.

#include "Harness.h"
#include "Operador.h"

#include "core/EstadoConsole.h"
#include "othertrn/AA.h"
#include "platform/Modal.h"
#include "platform/Prompt.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

using harness::clica;
using harness::controle;
using harness::digita;
using harness::nomeDoFoco;
using harness::tecla;

namespace {

const QString kRealiza = QStringLiteral("&Realiza Transação");
const QString kProximo = QStringLiteral("&Proximo Produto");

// What the window shows after each step: the product number and the button.
QString situacao(QDialog& w) {
    if (!w.isVisible()) {
        return QStringLiteral("closed");
    }
    return controle<QLabel>(w, "LblNroProd")->text() + QLatin1Char(' ') + controle<QPushButton>(w, "BtnProd")->text();
}

// Types a new number of products into the focused quantity field and leaves it.
void defineQuantidade(const QString& quantidade) {
    QCOMPARE(nomeDoFoco(), QStringLiteral("EdtQdeProd"));
    static_cast<QLineEdit*>(QApplication::focusWidget())->selectAll();
    digita(quantidade);
    tecla(Qt::Key_Tab);
}

// One product: four fields, Tab between them, Enter for the default button.
void digitaProduto(const QStringList& campos) {
    for (int i = 0; i < campos.size(); ++i) {
        digita(campos[i]);
        tecla(i + 1 < campos.size() ? Qt::Key_Tab : Qt::Key_Return);
    }
}

} // namespace

class TestProductList : public QObject {
    Q_OBJECT
private slots:
    void init() { harness::startSeams(); }
    void buildsTheListOneProductAtATime_data();
    void buildsTheListOneProductAtATime();
    void takesTheTypedLineAsItStands();
    void refusesWhatWouldSpoilTheList_data();
    void refusesWhatWouldSpoilTheList();
    void startsAfreshAtEachShowing();
    void offersTheFieldsInOrder();
};

void TestProductList::buildsTheListOneProductAtATime_data() {
    QTest::addColumn<QString>("quantidade");
    QTest::addColumn<QList<QStringList>>("produtos");
    // The window before the first product, then after each one.
    QTest::addColumn<QStringList>("situacoes");
    QTest::addColumn<QString>("lista");
    QTest::addColumn<bool>("informada");

    const QStringList arroz{"ARROZ", "123", "2", "10,00"};
    const QStringList feijao{"FEIJAO", "77", "1", "5,50"};
    const QStringList sal{"SAL FINO", "9", "12", "1.234,5"};
    QTest::newRow("one") << "1" << QList<QStringList>{arroz} << QStringList{"1 " + kRealiza, "closed"}
                         << "[ARROZ;123;2;10,00]" << true;
    QTest::newRow("two") << "2" << QList<QStringList>{arroz, feijao}
                         << QStringList{"1 " + kProximo, "2 " + kRealiza, "closed"}
                         << "[ARROZ;123;2;10,00];[FEIJAO;77;1;5,50]" << true;
    QTest::newRow("three") << "3" << QList<QStringList>{arroz, feijao, sal}
                           << QStringList{"1 " + kProximo, "2 " + kProximo, "3 " + kRealiza, "closed"}
                           << "[ARROZ;123;2;10,00];[FEIJAO;77;1;5,50];[SAL FINO;9;12;1.234,5]" << true;
    // "01" is not the text "1", yet it is the number 1.
    QTest::newRow("01") << "01" << QList<QStringList>{feijao} << QStringList{"1 " + kProximo, "closed"}
                        << "[FEIJAO;77;1;5,50]" << true;
    // No count reaches 0: the window asks on until "&Encerra".
    QTest::newRow("0") << "0" << QList<QStringList>{arroz, feijao}
                       << QStringList{"1 " + kProximo, "2 " + kProximo, "3 " + kProximo}
                       << "[ARROZ;123;2;10,00];[FEIJAO;77;1;5,50]" << false;
    QTest::newRow("ended early") << "3" << QList<QStringList>{sal} << QStringList{"1 " + kProximo, "2 " + kProximo}
                                 << "[SAL FINO;9;12;1.234,5]" << false;
}

void TestProductList::buildsTheListOneProductAtATime() {
    QFETCH(QString, quantidade);
    QFETCH(QList<QStringList>, produtos);
    QFETCH(QStringList, situacoes);
    QFETCH(QString, lista);
    QFETCH(bool, informada);
    EstadoConsole estado;
    TFrmAA aa(estado);
    QStringList vistas;
    platform::modal::expect("FrmAA", [&](QDialog& w) {
        QCOMPARE(w.windowTitle(), QStringLiteral("Auto Atendimento"));
        defineQuantidade(quantidade);
        vistas << situacao(w);
        for (const QStringList& produto : produtos) {
            QCOMPARE(nomeDoFoco(), QStringLiteral("EdtDescricaoProd"));
            digitaProduto(produto);
            vistas << situacao(w);
            if (w.isVisible()) {
                // Mode and number are fixed once a product is in.
                QVERIFY(!controle<QWidget>(w, "EdtQdeProd")->isEnabled());
                QVERIFY(!controle<QWidget>(w, "RadioButton1")->isEnabled());
                QVERIFY(controle<QLineEdit>(w, "EdtValorProd")->text().isEmpty());
            }
        }
        if (w.isVisible()) {
            clica(w, "BitBtn2");
        }
    });
    platform::modal::showModal(aa);
    QCOMPARE(vistas, situacoes);
    QCOMPARE(aa.ProdutosAA, lista);
    QCOMPARE(aa.ProdutosAAInformados, informada);
    QCOMPARE(aa.ContProdAA, int32_t(produtos.size()));
    KAVEX_VERIFY_SEAMS();
}

void TestProductList::takesTheTypedLineAsItStands() {
    EstadoConsole estado;
    TFrmAA aa(estado);
    platform::modal::expect("FrmAA", [&](QDialog& w) {
        defineQuantidade(QStringLiteral("2"));
        QCOMPARE(controle<QPushButton>(w, "BtnProd")->text(), kProximo);
        clica(w, "RadioButton1");
        for (const char* individual : {"Label5", "EdtQdeProd", "lblNProd", "LblNroProd", "Label1", "EdtDescricaoProd",
                                       "Label2", "EdtCodProd", "Label3", "EdtQdeProdIndiv", "Label4", "EdtValorProd"}) {
            QVERIFY2(!controle<QWidget>(w, individual)->isVisible(), individual);
        }
        for (const char* linha : {"Label6", "Label7", "Label8", "EdtLinhaProd", "MemoProd"}) {
            QVERIFY2(controle<QWidget>(w, linha)->isVisible(), linha);
        }
        QCOMPARE(controle<QPushButton>(w, "BtnProd")->text(), kRealiza);
        QCOMPARE(controle<QPlainTextEdit>(w, "MemoProd")->toPlainText().split(QLatin1Char('\n')).at(1),
                 QString(56, QLatin1Char('-')));
        // Free text here: the delimiters are the operator's to type.
        QCOMPARE(nomeDoFoco(), QStringLiteral("EdtLinhaProd"));
        digita(QStringLiteral("[A;1;1;1,00] ;[B]"));
        tecla(Qt::Key_Return);
    });
    platform::modal::showModal(aa);
    QCOMPARE(aa.ProdutosAA, QStringLiteral("[A;1;1;1,00] ;[B]"));
    QVERIFY(aa.ProdutosAAInformados);
    KAVEX_VERIFY_SEAMS();
}

void TestProductList::refusesWhatWouldSpoilTheList_data() {
    QTest::addColumn<QString>("quantidade");
    QTest::addColumn<bool>("linhaDigitavel");
    QTest::addColumn<QStringList>("produto");
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("foco");
    QTest::newRow("quantity not a number")
        << "2x" << false << QStringList{"ARROZ", "1", "1", "1"} << "'2x' is not a valid integer value"
        << "EdtQdeProd";
    QTest::newRow("empty product field") << "2" << false << QStringList{"ARROZ", "1", "", "1"}
                                         << "Por favor preencha todos os campos do Produto"
                                         << "EdtDescricaoProd";
    QTest::newRow("empty typed line") << "1" << true << QStringList{} << "Por Favor digite a lista de produtos"
                                      << "EdtLinhaProd";
}

// Nothing is counted, appended or marked as given; the window stays open.
void TestProductList::refusesWhatWouldSpoilTheList() {
    QFETCH(QString, quantidade);
    QFETCH(bool, linhaDigitavel);
    QFETCH(QStringList, produto);
    QFETCH(QString, mensagem);
    QFETCH(QString, foco);
    EstadoConsole estado;
    TFrmAA aa(estado);
    platform::prompt::expect(mensagem);
    platform::modal::expect("FrmAA", [&](QDialog& w) {
        defineQuantidade(quantidade);
        if (linhaDigitavel) {
            clica(w, "RadioButton1");
            tecla(Qt::Key_Return);
        } else {
            digitaProduto(produto);
        }
        QVERIFY(w.isVisible());
        QCOMPARE(nomeDoFoco(), foco);
        QVERIFY(controle<QWidget>(w, "RadioButton2")->isEnabled());
        clica(w, "BitBtn2");
    });
    platform::modal::showModal(aa);
    QCOMPARE(aa.ContProdAA, 0);
    QCOMPARE(aa.ProdutosAA, QString());
    QVERIFY(!aa.ProdutosAAInformados);
    KAVEX_VERIFY_SEAMS();
}

void TestProductList::startsAfreshAtEachShowing() {
    EstadoConsole estado;
    TFrmAA aa(estado);
    platform::prompt::expect(QStringLiteral("É preciso Especificar a Quantidade de Produtos"));
    platform::modal::expect("FrmAA", [&](QDialog& w) {
        // Leaving the quantity empty is refused; the focus comes back.
        static_cast<QLineEdit*>(QApplication::focusWidget())->clear();
        tecla(Qt::Key_Tab);
        QCOMPARE(nomeDoFoco(), QStringLiteral("EdtQdeProd"));
        QCOMPARE(controle<QPushButton>(w, "BtnProd")->text(), kProximo);
        defineQuantidade(QStringLiteral("2"));
        // The characters that shape the list never reach a product field.
        digitaProduto({"A;B[C]", "1]2", "[3", "4;"});
        QCOMPARE(situacao(w), "2 " + kRealiza);
        clica(w, "BitBtn2");
    });
    platform::modal::showModal(aa);
    QCOMPARE(aa.ProdutosAA, QStringLiteral("[ABC;12;3;4]"));

    platform::modal::expect("FrmAA", [&](QDialog& w) {
        QCOMPARE(situacao(w), "1 " + kRealiza);
        QCOMPARE(controle<QLineEdit>(w, "EdtQdeProd")->text(), QStringLiteral("1"));
        QVERIFY(controle<QWidget>(w, "EdtQdeProd")->isEnabled());
        QVERIFY(controle<QRadioButton>(w, "RadioButton2")->isChecked());
        QCOMPARE(nomeDoFoco(), QStringLiteral("EdtQdeProd"));
        clica(w, "RadioButton1");
        digita(QStringLiteral("x"));
        clica(w, "BitBtn2");
    });
    platform::modal::showModal(aa);
    QCOMPARE(aa.ProdutosAA, QString());
    QCOMPARE(aa.ContProdAA, 0);

    // The one-line mode does not survive a showing either.
    platform::modal::expect("FrmAA", [&](QDialog& w) {
        QVERIFY(controle<QRadioButton>(w, "RadioButton2")->isChecked());
        QVERIFY(controle<QWidget>(w, "EdtDescricaoProd")->isVisible());
        QVERIFY(controle<QLineEdit>(w, "EdtLinhaProd")->text().isEmpty());
        clica(w, "BitBtn2");
    });
    platform::modal::showModal(aa);
    KAVEX_VERIFY_SEAMS();
}

void TestProductList::offersTheFieldsInOrder() {
    EstadoConsole estado;
    TFrmAA aa(estado);
    const QStringList ordem{"EdtQdeProd",   "EdtDescricaoProd", "EdtCodProd",   "EdtQdeProdIndiv",
                            "EdtValorProd", "RadioButton1",     "RadioButton2", "EdtLinhaProd",
                            "MemoProd",     "BtnProd",          "BitBtn2"};
    QStringList cadeia;
    QWidget* w = controle<QWidget>(aa, "EdtQdeProd");
    do {
        if (ordem.contains(w->objectName())) {
            cadeia << w->objectName();
        }
        w = w->nextInFocusChain();
    } while (w->objectName() != u"EdtQdeProd");
    QCOMPARE(cadeia, ordem);
    // Each field is announced by its label.
    const std::pair<const char*, const char*> rotulos[] = {
        {"EdtQdeProd", "Quantidade de Produtos"}, {"EdtDescricaoProd", "Descrição"}, {"EdtCodProd", "Código"},
        {"EdtQdeProdIndiv", "Quantidade"},        {"EdtValorProd", "Valor Total"},   {"EdtLinhaProd", "Digite :"}};
    for (const auto& [campo, rotulo] : rotulos) {
        QCOMPARE(harness::nomeAcessivel(controle<QWidget>(aa, campo)), QString::fromUtf8(rotulo));
    }
    const std::pair<const char*, int> limites[] = {
        {"EdtDescricaoProd", 14}, {"EdtCodProd", 8}, {"EdtQdeProdIndiv", 4}, {"EdtValorProd", 9}};
    for (const auto& [campo, limite] : limites) {
        QCOMPARE(controle<QLineEdit>(aa, campo)->maxLength(), limite);
    }
}

QTEST_MAIN(TestProductList)
#include "tst_productlist.moc"
