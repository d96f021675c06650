// The self-service product list, filled as an operator would: typing into the
// focused field, Tab and Enter, the window's own buttons.

#include "Harness.h"
#include "Operador.h"

#include "core/EstadoConsole.h"
#include "othertrn/AA.h"
#include "widgets/Modal.h"
#include "widgets/Prompt.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace harness;

namespace {

// The product number and the button's caption, or "closed".
QString situacao(QDialog& w) {
    return w.isVisible() ? controle<QLabel>(w, "LblNroProd")->text() + ' ' + controle<QPushButton>(w, "BtnProd")->text()
                         : QStringLiteral("closed");
}

// A new number of products typed over the focused quantity, then Tab.
void defineQuantidade(const QString& quantidade) {
    QCOMPARE(nomeDoFoco(), QStringLiteral("EdtQdeProd"));
    static_cast<QLineEdit*>(QApplication::focusWidget())->selectAll();
    tecla(Qt::Key_Delete);
    digita(quantidade);
    tecla(Qt::Key_Tab);
}

// Fields separated by ";", Tab between them, Enter for the default button.
void digitaProduto(const QString& produto) {
    const QStringList campos = produto.split(';');
    for (int i = 0; i < campos.size(); ++i) {
        digita(campos[i]);
        tecla(i + 1 < campos.size() ? Qt::Key_Tab : Qt::Key_Return);
    }
}

} // namespace

class TestProductList : public QObject {
    Q_OBJECT
private slots:
    void init() { startSeams(); }
    void buildsTheList_data();
    void buildsTheList();
    void refusesWhatWouldSpoilTheList_data();
    void refusesWhatWouldSpoilTheList();
    void startsAfreshAtEachShowing();
};

void TestProductList::buildsTheList_data() {
    QTest::addColumn<QString>("quantidade"); // "linha": the one-line mode
    QTest::addColumn<QStringList>("produtos");
    QTest::addColumn<QStringList>("situacoes"); // before the first product, then after each
    QTest::addColumn<QString>("lista");
    const QString r = QStringLiteral(" &Realiza Transação");
    const QString p = QStringLiteral(" &Proximo Produto");
    // clang-format off
    QTest::newRow("one") << "1" << QStringList{"ARROZ;123;2;10,00"} << QStringList{"1" + r, "closed"} << "[ARROZ;123;2;10,00]";
    QTest::newRow("two") << "2" << QStringList{"ARROZ;123;2;10,00", "FEIJAO;77;1;5,50"} << QStringList{"1" + p, "2" + r, "closed"}
                         << "[ARROZ;123;2;10,00];[FEIJAO;77;1;5,50]";
    QTest::newRow("three") << "3" << QStringList{"A;1;1;1", "B;2;2;2", "SAL FINO;9;12;1.234,5"}
                           << QStringList{"1" + p, "2" + p, "3" + r, "closed"} << "[A;1;1;1];[B;2;2;2];[SAL FINO;9;12;1.234,5]";
    // "01" is not the text "1", yet it is the number 1.
    QTest::newRow("01") << "01" << QStringList{"F;7;1;5"} << QStringList{"1" + p, "closed"} << "[F;7;1;5]";
    // No count reaches 0: the window asks on until "&Encerra".
    QTest::newRow("0") << "0" << QStringList{"A;1;1;1", "B;2;2;2"} << QStringList{"1" + p, "2" + p, "3" + p} << "[A;1;1;1];[B;2;2;2]";
    QTest::newRow("ended early") << "3" << QStringList{"A;1;1;1"} << QStringList{"1" + p, "2" + p} << "[A;1;1;1]";
    // The characters that shape the list never reach a product field.
    QTest::newRow("delimiters") << "1" << QStringList{"A[B]C;1]2;[3;4"} << QStringList{"1" + r, "closed"} << "[ABC;12;3;4]";
    // The typed line is free text, taken as it stands.
    QTest::newRow("one line") << "linha" << QStringList{"[A;1;1;1,00] ;[B]"} << QStringList{"1" + r, "closed"} << "[A;1;1;1,00] ;[B]";
    // clang-format on
}

void TestProductList::buildsTheList() {
    QFETCH(QString, quantidade);
    QFETCH(QStringList, produtos);
    QFETCH(QStringList, situacoes);
    QFETCH(QString, lista);
    EstadoConsole estado;
    TFrmAA aa(estado);
    QStringList vistas;
    platform::modal::expect("FrmAA", [&](QDialog& w) {
        QCOMPARE(w.windowTitle(), QStringLiteral("Auto Atendimento"));
        const bool linha = quantidade == u"linha";
        defineQuantidade(linha ? QStringLiteral("2") : quantidade);
        if (linha) {
            clica(w, "RadioButton1");
            QVERIFY(!controle<QWidget>(w, "EdtDescricaoProd")->isVisible() &&
                    controle<QWidget>(w, "MemoProd")->isVisible());
        }
        vistas << situacao(w);
        for (const QString& produto : produtos) {
            QCOMPARE(nomeDoFoco(), QString::fromLatin1(linha ? "EdtLinhaProd" : "EdtDescricaoProd"));
            if (linha) {
                digita(produto);
                tecla(Qt::Key_Return);
            } else {
                digitaProduto(produto);
            }
            vistas << situacao(w);
            // Mode and number are fixed once a product is in.
            QVERIFY(!w.isVisible() || !controle<QWidget>(w, "EdtQdeProd")->isEnabled());
        }
        if (w.isVisible()) {
            clica(w, "BitBtn2");
        }
    });
    platform::modal::showModal(aa);
    QCOMPARE(vistas, situacoes);
    QCOMPARE(aa.ProdutosAA, lista);
    QCOMPARE(aa.ProdutosAAInformados, situacoes.last() == u"closed");
    KAVEX_VERIFY_SEAMS();
}

void TestProductList::refusesWhatWouldSpoilTheList_data() {
    QTest::addColumn<QString>("quantidade");
    QTest::addColumn<QString>("produto"); // null: the one-line mode, empty line
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("foco");
    // clang-format off
    QTest::newRow("quantity no number") << "2x" << "A;1;1;1" << "'2x' is not a valid integer value" << "EdtQdeProd";
    QTest::newRow("empty product field") << "2" << "A;1;;1" << "Por favor preencha todos os campos do Produto" << "EdtDescricaoProd";
    QTest::newRow("empty typed line") << "1" << QString() << "Por Favor digite a lista de produtos" << "EdtLinhaProd";
    QTest::newRow("empty quantity") << "" << QString() << "É preciso Especificar a Quantidade de Produtos" << "EdtQdeProd";
    // clang-format on
}

// Nothing is counted, appended or marked as given; the window stays open.
void TestProductList::refusesWhatWouldSpoilTheList() {
    QFETCH(QString, quantidade);
    QFETCH(QString, produto);
    QFETCH(QString, mensagem);
    QFETCH(QString, foco);
    EstadoConsole estado;
    TFrmAA aa(estado);
    platform::prompt::expect(mensagem);
    platform::modal::expect("FrmAA", [&](QDialog& w) {
        defineQuantidade(quantidade);
        if (!produto.isNull()) {
            digitaProduto(produto);
        } else if (!quantidade.isEmpty()) {
            clica(w, "RadioButton1");
            tecla(Qt::Key_Return);
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

// Each showing starts a new list in the one-at-a-time mode, whatever the
// last one left.
void TestProductList::startsAfreshAtEachShowing() {
    EstadoConsole estado;
    TFrmAA aa(estado);
    for (const bool primeira : {true, false}) {
        platform::modal::expect("FrmAA", [&](QDialog& w) {
            QCOMPARE(situacao(w), QStringLiteral("1 &Realiza Transação"));
            QCOMPARE(controle<QLineEdit>(w, "EdtQdeProd")->text(), QStringLiteral("1"));
            QVERIFY(controle<QRadioButton>(w, "RadioButton2")->isChecked());
            QVERIFY(controle<QLineEdit>(w, "EdtLinhaProd")->text().isEmpty());
            if (primeira) {
                defineQuantidade(QStringLiteral("2"));
                digitaProduto(QStringLiteral("A;1;1;1"));
                clica(w, "RadioButton1");
                digita(QStringLiteral("x"));
            }
            clica(w, "BitBtn2");
        });
        platform::modal::showModal(aa);
    }
    QCOMPARE(aa.ProdutosAA, QString());
    QCOMPARE(aa.ContProdAA, 0);

    KAVEX_VERIFY_SEAMS();
}

QTEST_MAIN(TestProductList)
#include "tst_productlist.moc"
