// Confirming or undoing by hand with the confirmation panel: which call goes
// out with what, and what the operator is told.

#include "Harness.h"

#include "config/CfgCliKavex.h"
#include "platform/Clock.h"
#include "widgets/Prompt.h"
#include "widgets/RadioGroup.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

using harness::Console;
using nlohmann::json;
using platform::prompt::Answer;

namespace {

const char* const kFinalizacoes[] = {"FinalizaTransacaoKavexInterativo", "FinalizaFuncaoKavexInterativo",
                                     "FinalizaTransacaoIdentificadaKavex"};

// Each box as "text=answer": Sim, Não, <cancela>, or what is typed before OK.
void respondeCaixas(const QStringList& caixas) {
    for (const QString& caixa : caixas) {
        const QString texto = caixa.section(u'=', 0, 0);
        const QString resposta = caixa.section(u'=', 1);
        const Answer a = resposta == u"Sim"         ? Answer::Yes
                         : resposta == u"Não"       ? Answer::No
                         : resposta == u"<cancela>" ? Answer::Cancel
                                                    : Answer::Ok;
        platform::prompt::expect(texto, a, resposta);
    }
}

const QString kPergunta = QStringLiteral("Confirmação Com Parâmetros Adicionais ?");
const QString kParametros = QStringLiteral("Digite as Informações Adicionais");
const QString kFuncao = QStringLiteral("Digite a Função do Kavex em Hexa");
const QString kDados = QStringLiteral("Digite os dados da Transação");
const json kHoje = {"12345", "20240305", "090703"};

} // namespace

Q_DECLARE_METATYPE(json)

class TstFinishing : public QObject {
    Q_OBJECT
private slots:
    void roads_data();
    void roads();
    void recordedDateAndTypedTexts();
};

void TstFinishing::roads_data() {
    QTest::addColumn<QString>("botao");
    QTest::addColumn<bool>("comParametros");
    QTest::addColumn<int>("flag");
    QTest::addColumn<QStringList>("caixas");
    QTest::addColumn<json>("chamada");
    const auto fin = [](int fn, json antes, json depois = json::array()) {
        antes.insert(antes.end(), kHoje.begin(), kHoje.end());
        antes.insert(antes.end(), depois.begin(), depois.end());
        return json::array({json{{kFinalizacoes[fn], antes}}});
    };
    const QString conf = QStringLiteral("Btn_Confirmacao"), id = QStringLiteral("btCnfIdentificada");
    const QString sim = kPergunta + "=Sim", nao = kPergunta + "=Não", invalida = "Função Inválida!!!=";
    const QString f = kFuncao + "=", p = kParametros + "=", d = kDados + "=D";
    const json nada = json::array();
    // clang-format off
    QTest::newRow("plain") << conf << false << 1 << QStringList{} << fin(0, {1});
    QTest::newRow("plain, undo") << conf << false << 0 << QStringList{} << fin(0, {0});
    QTest::newRow("parameters refused") << conf << true << 1 << QStringList{nao} << fin(0, {1});
    QTest::newRow("parameters typed") << conf << true << 0 << QStringList{sim, p + "P1;P2"} << fin(1, {0}, {"P1;P2"});
    QTest::newRow("parameters empty") << conf << true << 1 << QStringList{sim, p} << fin(1, {1}, {""});
    QTest::newRow("parameters cancelled") << conf << true << 1 << QStringList{sim, p + "<cancela>"} << nada;
    QTest::newRow("10") << id << false << 1 << QStringList{f + "10", d} << fin(2, {10, 1}, {"D"});
    QTest::newRow("$10") << id << false << 0 << QStringList{f + "$10", d} << fin(2, {16, 0}, {"D"});
    QTest::newRow("0x10") << id << false << 1 << QStringList{f + "0x10", d} << fin(2, {16, 1}, {"D"});
    QTest::newRow("all 32 bits") << id << false << 1 << QStringList{f + "$30001", d} << fin(2, {196609, 1}, {"D"});
    for (const char* texto : {"0", "", "abc", "65536", "-1"}) {
        QTest::newRow(texto) << id << false << 1 << QStringList{f + texto, invalida} << nada;
    }
    QTest::newRow("function cancelled") << id << false << 1 << QStringList{f + "<cancela>"} << nada;
    QTest::newRow("data cancelled") << id << false << 1 << QStringList{f + "5", kDados + "=<cancela>"} << nada;
    QTest::newRow("data empty") << id << false << 1 << QStringList{f + "5", kDados + "=", "Dados Inválidos!!!="}
                                << nada;
    // clang-format on
}

// The time is filled in from the clock, the receipt number with the test
// value, and both stay in their boxes.
void TstFinishing::roads() {
    QFETCH(QString, botao);
    QFETCH(bool, comParametros);
    QFETCH(int, flag);
    QFETCH(QStringList, caixas);
    QFETCH(json, chamada);
    platform::clock::setFixed(QDateTime(QDate(2024, 3, 5), QTime(9, 7, 3)));
    Console c;
    c.window().janelas().FrmCfgCliKavex.chkCnfParamAdic->setChecked(comParametros);
    QTest::mouseClick(c.find<QPushButton>("BtnConfigura"), Qt::LeftButton);
    c.find<RadioGroup>("Rdgp_confirm")->setItemIndex(flag);
    respondeCaixas(caixas);
    QTest::mouseClick(c.find<QPushButton>(qPrintable(botao)), Qt::LeftButton);
    platform::clock::clearFixed();

    KAVEX_VERIFY_SEAMS();
    json feitas = json::array();
    for (const char* fn : kFinalizacoes) {
        for (const json& ch : c.simulator().calls(fn)) {
            feitas.push_back({{fn, ch["args"]}});
        }
    }
    KAVEX_COMPARE_JSON(feitas, chamada);
    QCOMPARE(c.find<QLineEdit>("EdtCpFiscal2")->text() + c.find<QLineEdit>("EdtHora2")->text(), "12345090703");
    QVERIFY(c.find<QWidget>("BtnConfigura")->isEnabled() && c.find<QWidget>(qPrintable(botao))->isEnabled());
}

// The date the last function recorded goes first; typed texts are kept.
void TstFinishing::recordedDateAndTypedTexts() {
    Console c;
    QTest::mouseClick(c.find<QPushButton>("BtnConfigura"), Qt::LeftButton);
    c.estado().DataTransacao = QStringLiteral("20231231");
    c.find<QLineEdit>("EdtCpFiscal2")->setText(QStringLiteral("777"));
    c.find<QLineEdit>("EdtHora2")->setText(QStringLiteral("101500"));
    QTest::mouseClick(c.find<QPushButton>("Btn_Confirmacao"), Qt::LeftButton);
    KAVEX_COMPARE_JSON(c.simulator().calls(kFinalizacoes[0]).at(0)["args"], (json{1, "777", "20231231", "101500"}));
    KAVEX_VERIFY_SEAMS();
}

QTEST_MAIN(TstFinishing)
#include "tst_finishing.moc"
