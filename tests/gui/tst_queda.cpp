// The windows over a library in its own host that crashes, then over a fresh
// host that hangs: one box naming the call, the signal and the library's last
// words, the window back before "&Configura", and a call without an answer
// ended only at the operator's word.

#include "Cliques.h"
#include "Harness.h"

#include "app/Main.h"
#include "library/BibliotecaHospedada.h"
#include "platform/ProgramDir.h"
#include "widgets/Prompt.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using harness::controle;

namespace {

const QString kTravada = QStringLiteral("A biblioteca foi encerrada a pedido durante ContinuaFuncaoKavexInterativo "
                                        "(chamada nº 6 desde o início).\nÉ preciso configurá-la de novo.\n\n"
                                        "Últimas linhas da saída de erro da biblioteca:\n"
                                        "kavexqueda: ConfiguraIntKavexInterativo\n"
                                        "kavexqueda: IniciaFuncaoKavexInterativo\n"
                                        "kavexqueda: ContinuaFuncaoKavexInterativo");

void clica(QWidget& janela, const char* nome) {
    QTest::mouseClick(controle<QPushButton>(janela, nome), Qt::LeftButton);
}

// A sale of function 2 from the configured window.
void vende(TFrmtesteCliKavex32I& janela) {
    auto* funcao = controle<QComboBox>(janela, "CBFuncao");
    funcao->lineEdit()->clear();
    QTest::keyClicks(funcao->lineEdit(), QStringLiteral("2"));
    clica(janela, "BtnTransacao");
}

} // namespace

class TstQueda : public QObject {
    Q_OBJECT
private slots:
    void quedaETravamento();
};

void TstQueda::quedaETravamento() {
    harness::startSeams();
    QTemporaryDir pasta;
    platform::programdir::setDirectory(pasta.path());
    harness::writeFile(pasta.filePath(QStringLiteral("Config.ini")), "[Biblioteca]\r\nSemResposta=1\r\n");
    qputenv("KAVEX_QUEDA_CAI", "ContinuaFuncaoKavexInterativo");
    QString erro;
    const auto hospedada =
        BibliotecaHospedada::inicia(QStringLiteral(KAVEX_QUEDA_PATH), QStringLiteral(KAVEX_HOST_PATH), erro);
    QVERIFY2(hospedada, qPrintable(erro));
    TFrmtesteCliKavex32I janela(*hospedada);
    janela.show();
    auto* configura = controle<QPushButton>(janela, "BtnConfigura");

    clica(janela, "BtnConfigura");
    QCOMPARE(configura->text(), QStringLiteral("Re&configura"));
    platform::prompt::expect(QStringLiteral("A biblioteca terminou com o sinal SIGSEGV durante "
                                            "ContinuaFuncaoKavexInterativo (chamada nº 3 desde o início).\n"
                                            "É preciso configurá-la de novo.\n\n"
                                            "Últimas linhas da saída de erro da biblioteca:\n"
                                            "kavexqueda: ConfiguraIntKavexInterativo\n"
                                            "kavexqueda: IniciaFuncaoKavexInterativo\n"
                                            "kavexqueda: ContinuaFuncaoKavexInterativo"));
    vende(janela);
    QCOMPARE(configura->text(), QStringLiteral("&Configura"));
    QVERIFY(!controle<QPushButton>(janela, "BtnTransacao")->isEnabled());
    QVERIFY(controle<QComboBox>(janela, "CBIPKavex")->isEnabled());
    KAVEX_VERIFY_SEAMS();

    // A fresh host, which hangs in the loop: the panel counts the seconds and
    // the call ends only when the operator says so.
    qunsetenv("KAVEX_QUEDA_CAI");
    qputenv("KAVEX_QUEDA_TRAVA", "ContinuaFuncaoKavexInterativo");
    const auto limpa = qScopeGuard([] { qunsetenv("KAVEX_QUEDA_TRAVA"); });
    clica(janela, "BtnConfigura");
    QCOMPARE(configura->text(), QStringLiteral("Re&configura"));
    bool respondeu = false;
    QTimer vigia;
    QObject::connect(&vigia, &QTimer::timeout, &vigia, [&] {
        auto* painel = janela.findChild<QDialog*>(QStringLiteral("PnlSemResposta"));
        if (!painel || !painel->isVisible() || respondeu) {
            return;
        }
        QVERIFY(painel->findChild<QWidget*>(QStringLiteral("LblSemResposta"))
                    ->property("text")
                    .toString()
                    .startsWith(QStringLiteral("A biblioteca não responde há ")));
        platform::prompt::expect(QStringLiteral("Encerrar a biblioteca? A função em curso termina como numa queda, "
                                                "e será preciso configurá-la de novo."),
                                 platform::prompt::Answer::No);
        clica(*painel, "BtnEncerraBiblioteca");
        QVERIFY(hospedada->processo() > 0);
        platform::prompt::expect(QStringLiteral("Encerrar a biblioteca? A função em curso termina como numa queda, "
                                                "e será preciso configurá-la de novo."),
                                 platform::prompt::Answer::Yes);
        platform::prompt::expect(kTravada);
        respondeu = true;
        clica(*painel, "BtnEncerraBiblioteca");
    });
    vigia.start(50);
    vende(janela);
    QVERIFY(respondeu);
    QCOMPARE(configura->text(), QStringLiteral("&Configura"));
    QVERIFY(!janela.findChild<QDialog*>(QStringLiteral("PnlSemResposta"))->isVisible());
    KAVEX_VERIFY_SEAMS();
}

QTEST_MAIN(TstQueda)
#include "tst_queda.moc"
