// A Vidalink sale and its cancellation on the simulator's built-in
// behaviour, through the real windows and the main window's command loop:
// each is confirmed on the receipt screen, and the console's own finishing
// call names it.

#include "Cliques.h"
#include "Harness.h"
#include "Visita.h"

#include <QLineEdit>

using harness::clica;
using harness::digita;
using harness::Visita;
using nlohmann::json;

namespace {

const char* const kFinaliza = "FinalizaTransacaoKavexInterativo";

void confirmaRecibo() {
    Visita::espera("FrmCupomTEF", [](QDialog& j) { clica(j, "BtnConfirma"); });
}

// The arguments and result of the last finishing call.
json ultimaFinalizacao(Visita& v) {
    const auto chamadas = v.simulador().calls(kFinaliza);
    return chamadas.empty() ? json() : json{chamadas.back()["args"], chamadas.back()["ret"]};
}

} // namespace

class TestVidalinkConfirma : public QObject {
    Q_OBJECT
private slots:
    void init() { harness::startSeams(); }
    void saleAndCancellationAreConfirmedByTheConsole();
};

void TestVidalinkConfirma::saleAndCancellationAreConfirmedByTheConsole() {
    Visita v;
    v.lacoReal();
    v.escolhe("BtnTrnVidalink");
    Visita::espera("FrmVidalink", [](QDialog& hub) { clica(hub, "BitBtn3"); });
    Visita::espera("FrmVendaVidalink", [](QDialog& j) {
        digita(j, "EdtCodProd", QStringLiteral("100001"));
        digita(j, "EdtQde", QStringLiteral("2"));
        digita(j, "EdtValor", QStringLiteral("37,80"));
        clica(j, "BtnVenda");
        // The window's own authorisation and fiscal receipt: 12345 and 54321.
        clica(j, "BtnVenda");
    });
    confirmaRecibo();
    v.visita();
    KAVEX_COMPARE_JSON(ultimaFinalizacao(v), json::parse(R"([[1,"54321","20260314","102030"],0])"));

    // The cancellation carries a non-fiscal receipt; the console finishes
    // with whatever fiscal receipt its main window holds.
    v.console().find<QLineEdit>("EdtCpFiscal")->setText(QStringLiteral("999"));
    v.escolhe("BtnTrnVidalink");
    Visita::espera("FrmVidalink", [](QDialog& hub) { clica(hub, "BitBtn5"); });
    Visita::espera("FrmCncVidalink", [](QDialog& j) {
        digita(j, "edNumProd", QStringLiteral("1"));
        digita(j, "edCpFiscalOrig", QStringLiteral("54321"));
        digita(j, "edDtFiscalOrig", QStringLiteral("20260314"));
        digita(j, "edNumDocOrig", QStringLiteral("D1"));
        digita(j, "edNumTermOrig", QStringLiteral("T1"));
        QTest::keyClick(&j, Qt::Key_Return);
    });
    confirmaRecibo();
    v.visita();
    KAVEX_COMPARE_JSON(ultimaFinalizacao(v), json::parse(R"([[1,"999","20260314","102030"],0])"));
    QCOMPARE(v.console().find<QLineEdit>("EdtResultado")->text(), QStringLiteral("0"));
    KAVEX_VERIFY_VISITA(v, 0);
}

QTEST_MAIN(TestVidalinkConfirma)
#include "tst_vidalinkconfirma.moc"
