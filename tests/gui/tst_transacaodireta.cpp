// The direct transaction window reached from the menu: the defaults, the
// checks, the bytes sent and the reply listing.

#include "Cliques.h"
#include "Harness.h"
#include "Visita.h"

#include "widgets/Prompt.h"
#include "widgets/RadioGroup.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextLayout>

using harness::clica;
using harness::controle;
using harness::digita;
using harness::Visita;
using nlohmann::json;

namespace {

const char* const kDireto = "EnviaRecebeKavexDireto";

QPlainTextEdit* memo(QDialog& j, const char* nome) {
    return controle<QPlainTextEdit>(j, nome);
}

QString campo(QDialog& j, const char* nome) {
    return controle<QLineEdit>(j, nome)->text();
}

// Types the request into the TX box, one Enter between lines.
void pedido(QDialog& j, const QStringList& linhas) {
    memo(j, "MemoTrnKavex")->setFocus();
    for (int i = 0; i < linhas.size(); ++i) {
        if (i > 0) {
            QTest::keyClick(memo(j, "MemoTrnKavex"), Qt::Key_Return);
        }
        QTest::keyClicks(memo(j, "MemoTrnKavex"), linhas[i]);
    }
}

// The point size at which the listing draws character `i` of its last line.
qreal tamanhoNaUltimaLinha(QPlainTextEdit* listagem, int i) {
    const QTextBlock bloco = listagem->document()->lastBlock();
    for (const QTextLayout::FormatRange& faixa : bloco.layout()->formats()) {
        if (i >= faixa.start && i < faixa.start + faixa.length &&
            faixa.format.hasProperty(QTextFormat::FontPointSize)) {
            return faixa.format.fontPointSize();
        }
    }
    return listagem->font().pointSizeF();
}

} // namespace

class TestTransacaoDireta : public QObject {
    Q_OBJECT
private slots:
    void init() { harness::startSeams(); }
    void startsFromTheDefaults();
    void sendsThePackedRequestAndListsTheReply();
    void convertsHeaderNumbersOrUsesDefaults_data();
    void convertsHeaderNumbersOrUsesDefaults();
    void refusesWhatCannotBeSent();
};

void TestTransacaoDireta::startsFromTheDefaults() {
    Visita v;
    v.escolhe("BtnTrnDirKavex");
    Visita::espera("FrmTrnDirKavex", [](QDialog& j) {
        QCOMPARE(j.windowTitle(), QStringLiteral("FrmTrnDirKavex"));
        QVERIFY(controle<QLineEdit>(j, "ed_RedeDestino")->hasFocus());
        QCOMPARE(campo(j, "ed_CpFiscal"), QStringLiteral("12345"));
        QCOMPARE(campo(j, "ed_DataFiscal"), QStringLiteral("20260314"));
        QCOMPARE(campo(j, "Ed_Horario"), QStringLiteral("102030"));
        QCOMPARE(campo(j, "ed_Operador"), QStringLiteral("Teste"));
        QCOMPARE(campo(j, "ed_TimeOut"), QStringLiteral("30"));
        QCOMPARE(controle<RadioGroup>(j, "RGTipoTrn")->itemIndex(), 0);
        QVERIFY(controle<QLineEdit>(j, "ed_RedeDestino")
                    ->toolTip()
                    .startsWith(QStringLiteral("Não digitar 0, 1, 4, 5, 9 e outras Redes \nde Destino")));
        // What the operator changes goes when "&Limpa e Preenche" is pressed.
        digita(j, "ed_RedeDestino", QStringLiteral("7"));
        digita(j, "ed_Operador", QStringLiteral("Ana"));
        controle<RadioGroup>(j, "RGTipoTrn")->setItemIndex(1);
        pedido(j, {QStringLiteral("X")});
        clica(j, "btnPadrao");
        QVERIFY(campo(j, "ed_RedeDestino").isEmpty());
        QCOMPARE(campo(j, "ed_Operador"), QStringLiteral("Teste"));
        QCOMPARE(controle<RadioGroup>(j, "RGTipoTrn")->itemIndex(), 0);
        QVERIFY(memo(j, "MemoTrnKavex")->toPlainText().isEmpty());
        QVERIFY(controle<QLineEdit>(j, "ed_RedeDestino")->hasFocus());
        QTest::keyClick(&j, Qt::Key_Escape);
    });
    v.visita();
    QCOMPARE(v.simulador().calls().size(), size_t(0));
    KAVEX_VERIFY_SEAMS();
}

// Lines with a "*", the header filled in, the reply of 85 bytes listed in
// lines of 40; the request stays for another send.
void TestTransacaoDireta::sendsThePackedRequestAndListsTheReply() {
    Visita v;
    v.escolhe("BtnTrnDirKavex");
    const std::string resposta = std::string(40, 'a') + std::string(40, 'b') + "c\u0004d\te";
    v.simulador().script({{kDireto, {{{"reply", resposta}, {"responseCode", -7}}}}});
    Visita::espera("FrmTrnDirKavex", [&](QDialog& j) {
        for (const char* nome : {"ed_RedeDestino", "Ed_OffSet", "ed_CpFiscal", "ed_DataFiscal", "Ed_Horario",
                                 "ed_Operador", "ed_TimeOut"}) {
            digita(j, nome, QString());
        }
        digita(j, "ed_Funcao", QStringLiteral("123"));
        pedido(j, {QStringLiteral("ABC"), QString(), QStringLiteral("1*2")});
        QTest::keyClick(controle<QLineEdit>(j, "ed_Funcao"), Qt::Key_Return);
        QCOMPARE(memo(j, "MemoRetorno")->toPlainText(),
                 QStringLiteral("Retorno Função: 85\nCódigo de Resposta: -7\nTamanho Máx Buffer: 20000\n"
                                "Buffer Retorno: \n") +
                     QString(40, u'a') + u'\n' + QString(40, u'b') + QStringLiteral("\nc\u2404d\u2409e"));
        // The control pictures stand out from the letters around them.
        const qreal letra = memo(j, "MemoRetorno")->font().pointSizeF();
        QCOMPARE(tamanhoNaUltimaLinha(memo(j, "MemoRetorno"), 0), letra);
        QVERIFY(tamanhoNaUltimaLinha(memo(j, "MemoRetorno"), 1) > letra * 1.2);
        QVERIFY(tamanhoNaUltimaLinha(memo(j, "MemoRetorno"), 3) > letra * 1.2);
        const QStringList escritos{campo(j, "ed_RedeDestino"), campo(j, "Ed_OffSet"),  campo(j, "ed_CpFiscal"),
                                   campo(j, "ed_DataFiscal"),  campo(j, "Ed_Horario"), campo(j, "ed_Operador"),
                                   campo(j, "ed_TimeOut")};
        QCOMPARE(escritos, (QStringList{"0", "0", "12345", "20260314", "102030", "Teste", "30"}));
        QCOMPARE(memo(j, "MemoTrnKavex")->toPlainText(), QStringLiteral("ABC\n\n1*2"));
        QVERIFY(controle<QLineEdit>(j, "ed_RedeDestino")->hasFocus());
        clica(j, "BtnEncerra");
    });
    v.visita();
    const auto chamadas = v.simulador().calls(kDireto);
    QCOMPARE(chamadas.size(), size_t(1));
    KAVEX_COMPARE_JSON(chamadas[0]["args"],
                       json::array({0, 123, 0,
                                    std::string("ABC\0\0"
                                                "1\x04"
                                                "2\0",
                                                9),
                                    9, nullptr, 20000, nullptr, 30, "12345", "20260314", "102030", "Teste", 0}));
    QCOMPARE(v.lacos(), 0);
    KAVEX_VERIFY_SEAMS();
}

void TestTransacaoDireta::convertsHeaderNumbersOrUsesDefaults_data() {
    QTest::addColumn<QStringList>("campos"); // network, function, offset, time-out
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("esperado"); // the numbers sent, and the transaction type
    // Reply bytes written but not announced by a positive result are not listed.
    QTest::addColumn<int>("retorno");
    QTest::newRow("numbers") << QStringList{"12", "-3", "$10", "99"} << 1 << "[12,-3,16,99,1]" << 0;
    QTest::newRow("letters") << QStringList{"ab", "XY", "1 2", "zz"} << 0 << "[0,0,0,30,0]" << -20;
    QTest::newRow("blanks are empty") << QStringList{"  ", "7", " ", " "} << 0 << "[0,7,0,30,0]" << 0;
}

void TestTransacaoDireta::convertsHeaderNumbersOrUsesDefaults() {
    QFETCH(QStringList, campos);
    QFETCH(int, tipo);
    QFETCH(QString, esperado);
    QFETCH(int, retorno);
    Visita v;
    v.escolhe("BtnTrnDirKavex");
    v.simulador().script({{kDireto, {{{"return", retorno}, {"reply", "zzz"}}}}});
    Visita::espera("FrmTrnDirKavex", [&](QDialog& j) {
        const char* nomes[] = {"ed_RedeDestino", "ed_Funcao", "Ed_OffSet", "ed_TimeOut"};
        for (int i = 0; i < 4; ++i) {
            digita(j, nomes[i], campos[i]);
        }
        controle<RadioGroup>(j, "RGTipoTrn")->setItemIndex(tipo);
        clica(j, "BtnEnviar");
        QCOMPARE(memo(j, "MemoRetorno")->toPlainText(),
                 QStringLiteral("Retorno Função: %1\nCódigo de Resposta: 0\nTamanho Máx Buffer: 20000\n"
                                "Buffer Retorno: ")
                     .arg(retorno));
        clica(j, "BtnEncerra");
    });
    v.visita();
    const json args = v.simulador().calls(kDireto).at(0)["args"];
    // An empty TX box sends a length of 0.
    KAVEX_COMPARE_JSON(json::array({args[3], args[4]}), json::parse(R"(["", 0])"));
    KAVEX_COMPARE_JSON(json::array({args[0], args[1], args[2], args[8], args[13]}),
                       json::parse(esperado.toStdString()));
    KAVEX_VERIFY_SEAMS();
}

// No function code, or a request larger than the send buffer: a message and
// nothing sent.
void TestTransacaoDireta::refusesWhatCannotBeSent() {
    Visita v;
    v.escolhe("BtnTrnDirKavex");
    Visita::espera("FrmTrnDirKavex", [&](QDialog& j) {
        platform::prompt::expect(QStringLiteral("Digite uma função"));
        clica(j, "BtnEnviar");
        QVERIFY(controle<QLineEdit>(j, "ed_Funcao")->hasFocus());
        QCOMPARE(campo(j, "ed_RedeDestino"), QStringLiteral("0"));

        digita(j, "ed_Funcao", QStringLiteral("5"));
        memo(j, "MemoTrnKavex")->setPlainText(QString(19999, u'x') + QStringLiteral("\ny"));
        platform::prompt::expect(QStringLiteral("Os parâmetros ocupam 20002 bytes (cada linha com seu zero binário), "
                                                "mais que o limite de 20000 bytes do buffer de envio. Nada foi "
                                                "enviado."));
        clica(j, "BtnEnviar");
        QVERIFY(memo(j, "MemoTrnKavex")->hasFocus());
        QCOMPARE(v.simulador().calls(kDireto).size(), size_t(0));
        clica(j, "BtnEncerra");
    });
    v.visita();
    QCOMPARE(v.simulador().calls().size(), size_t(0));
    KAVEX_VERIFY_SEAMS();
}

QTEST_MAIN(TestTransacaoDireta)
#include "tst_transacaodireta.moc"
