// The console pointed at a library that misbehaves: buffers without a
// terminating zero, absurd lengths, unknown commands, a pinpad wait that
// never ends, results out of range. Nothing may crash, hang, or read or write
// past a buffer (the sanitizer build checks the last), and the operator sees
// what came back.

#include "Cliques.h"
#include "Harness.h"
#include "Operador.h"

#include "app/Janelas.h"
#include "dialogs/CorrespBanc.h"
#include "othertrn/TrnDiretaKavex.h"
#include "platform/ProgramDir.h"
#include "widgets/Modal.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>

using harness::controle;

namespace {

// Half of a step of the misbehaving library's pinpad.
constexpr qint64 kMeioPassoPinpadMs = 25;

class ConsoleMalComportada {
public:
    explicit ConsoleMalComportada(const char* modo) {
        qputenv("KAVEX_MAL_MODO", modo);
        harness::startSeams();
        platform::programdir::setDirectory(pasta_.path());
        QString erro;
        biblioteca_ = LoadedLibrary::load(QStringLiteral(KAVEX_MISBEHAVING_PATH), erro);
        if (!biblioteca_) {
            qFatal("cannot load the misbehaving library: %s", qPrintable(erro));
        }
        janela_ = std::make_unique<TFrmtesteCliKavex32I>(*biblioteca_);
        janela_->show();
    }
    TFrmtesteCliKavex32I& janela() { return *janela_; }
    KavexLibrary& biblioteca() { return *biblioteca_; }

    // The caller's part: a start answered 10000, the window busy, the loop.
    void roda() {
        QCOMPARE(biblioteca_->IniciaFuncaoKavexInterativo(2, "1,00", "1", "20240305", "090703", "Opx", "[]"), 10000);
        janela_->dataehora();
        janela_->HabilitaDesabilita(false);
        janela_->ContinuaFuncao();
    }
    QStringList trace() const {
        QStringList linhas;
        const auto* memo = janela_->findChild<QPlainTextEdit*>(QStringLiteral("Memo"));
        for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next()) {
            linhas << b.text();
        }
        return linhas;
    }
    QString resultado() const { return janela_->findChild<QLineEdit*>(QStringLiteral("EdtResultado"))->text(); }
    bool livre() const { return janela_->findChild<QPushButton*>(QStringLiteral("BtnConfigura"))->isEnabled(); }

private:
    QTemporaryDir pasta_;
    std::unique_ptr<LoadedLibrary> biblioteca_;
    std::unique_ptr<TFrmtesteCliKavex32I> janela_;
};

} // namespace

class TstMisbehaving : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { qunsetenv("KAVEX_MAL_MODO"); }

    // Every byte of the buffer written and no zero among them: the trace
    // shows the 20001 bytes that exist and nothing after them.
    void bufferWithoutTerminator() {
        ConsoleMalComportada c("semzero");
        c.roda();
        const QStringList trace = c.trace();
        QCOMPARE(trace.size(), 6);
        QCOMPARE(trace[1], QStringLiteral("Buffer = ") + QString(20001, u'A'));
        QCOMPARE(c.resultado(), QStringLiteral("-1"));
        QVERIFY(c.livre());
        KAVEX_VERIFY_SEAMS();
    }

    // Negative and huge lengths in a field: the box still opens, the answer
    // goes back, and the operator can always end the function.
    void absurdLengths() {
        ConsoleMalComportada c("tamanhos");
        platform::modal::expect(QStringLiteral("FrmColeta"), [](QDialog& d) {
            QTest::keyClicks(controle<QLineEdit>(d, "EdtColeta"), QStringLiteral("12"));
            QTest::keyClick(controle<QLineEdit>(d, "EdtColeta"), Qt::Key_Return);
        });
        platform::modal::expect(QStringLiteral("FrmColeta"), [](QDialog& d) {
            QCOMPARE(controle<QLineEdit>(d, "EdtColeta")->maxLength(), 20000);
            QTest::mouseClick(controle<QPushButton>(d, "BitBtn1"), Qt::LeftButton);
        });
        c.roda();
        QCOMPARE(c.resultado(), QStringLiteral("-1"));
        QVERIFY(c.livre());
        KAVEX_VERIFY_SEAMS();
    }

    void unknownCommandsOnlyTraced() {
        ConsoleMalComportada c("desconhecido");
        c.roda();
        const QStringList trace = c.trace();
        QCOMPARE(trace.size(), 10);
        QCOMPARE(trace[0], QStringLiteral("ProximoComando = 7 TipoCampo = -77"));
        QCOMPARE(trace[4], QStringLiteral("ProximoComando = -5 TipoCampo = -77"));
        QCOMPARE(trace[6], QStringLiteral("ProximoComando = 36 TipoCampo = -77"));
        QVERIFY(c.livre());
        KAVEX_VERIFY_SEAMS();
    }

    // A pinpad that never answers: only the operator's cancel ends it, and
    // the window is usable afterwards. The cancel comes halfway through a
    // pinpad step, while the call runs: the step's answer (23 again) must not
    // bring back the panel that the cancel took away.
    void endlessPinpadWaitCancelled() {
        ConsoleMalComportada c("pinpad");
        auto* cancela = c.janela().findChild<QPushButton*>(QStringLiteral("BtnCncPpd"));
        QElapsedTimer visivel;
        QTimer operador;
        QObject::connect(&operador, &QTimer::timeout, cancela, [&] {
            if (!cancela->isVisible()) {
                visivel.invalidate();
            } else if (!visivel.isValid()) {
                visivel.start();
            } else if (visivel.elapsed() >= kMeioPassoPinpadMs) {
                QTest::mouseClick(cancela, Qt::LeftButton);
            }
        });
        operador.start(1);
        c.roda();
        QCOMPARE(c.resultado(), QStringLiteral("-1"));
        QVERIFY(!cancela->isVisible());
        QVERIFY(c.livre());
        KAVEX_VERIFY_SEAMS();
    }

    // Track and PIN buffers filled to their last byte with no zero: the
    // reports hold exactly the bytes that exist.
    void fullTrackAndPinBuffers_data() {
        QTest::addColumn<int>("funcao");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QStringList>("relatos");
        QTest::newRow("card read") << 3 << "FrmMsgPpd"
                                   << "EdtMsgPpd"
                                   << QStringList{QStringLiteral("Trilha1 = ") + QString(129, u'1'),
                                                  QStringLiteral("Trilha2 = ") + QString(65, u'2')};
        QTest::newRow("PIN read") << 7 << "FrmWK"
                                  << "EdtWK" << QStringList{QStringLiteral("Senha = ") + QString(21, u'9')};
    }
    void fullTrackAndPinBuffers() {
        QFETCH(int, funcao);
        QFETCH(QString, prompt);
        QFETCH(QString, campo);
        QFETCH(QStringList, relatos);
        ConsoleMalComportada c("");
        const QByteArray nomeCampo = campo.toLatin1();
        platform::modal::expect(prompt, [nomeCampo](QDialog& d) {
            QTest::keyClick(controle<QLineEdit>(d, nomeCampo.constData()), Qt::Key_Return);
        });
        c.janela().estado().FuncaoPinpad = funcao;
        c.janela().BtntransacaoClick();
        const auto* mensagens = c.janela().findChild<QPlainTextEdit*>(QStringLiteral("MemoMsgOperador"));
        QCOMPARE(mensagens->toPlainText(), relatos.join(QLatin1Char('\n')));
        KAVEX_VERIFY_SEAMS();
    }

    // A bill kind the dialog does not know (77): no blocks open, every digit
    // stays in the single field, the kind is shown as reported, and Enter
    // still checks and accepts the whole line.
    void barCodeKindOutOfRange() {
        ConsoleMalComportada c("");
        const QString linha = QStringLiteral("8123456789");
        QStringList visto;
        platform::modal::expect(QStringLiteral("FrmCodBarra"), [&](QDialog& d) {
            harness::clicaIndicador(controle<QRadioButton>(d, "RdBtnValidaOnl"));
            controle<QLineEdit>(d, "EdtCodBarra")->setFocus();
            harness::digita(linha);
            visto << controle<QLabel>(d, "lblTipo")->text() << harness::nomeDoFoco()
                  << controle<QLineEdit>(d, "EdtCodBarra")->text();
            for (const char* painel : {"pnlbl1", "pnlbl41", "pnlbl42"}) {
                if (controle<QWidget>(d, painel)->isVisible()) {
                    visto << QString::fromLatin1(painel);
                }
            }
            harness::tecla(Qt::Key_Return);
        });
        TFrmCodBarra& dialogo = c.janela().janelas().FrmCodBarra;
        dialogo.MostraParaLaco(QStringLiteral("Digite o código de barras"));
        QCOMPARE(visto, QStringList({QStringLiteral("77"), QStringLiteral("EdtCodBarra"), linha}));
        QCOMPARE(dialogo.RetornoCodBarra, QStringLiteral("0:") + linha);
        KAVEX_VERIFY_SEAMS();
    }

    // A reply written to the last byte of its buffer and a result that claims
    // more: the listing shows the 20000 bytes that exist, zero bytes as
    // visible pictures, in lines of 40.
    void directReplyLargerThanItsBuffer() {
        ConsoleMalComportada c("");
        QStringList listagem;
        platform::modal::expect(QStringLiteral("FrmTrnDirKavex"), [&listagem](QDialog& d) {
            QTest::keyClicks(controle<QLineEdit>(d, "ed_Funcao"), QStringLiteral("2"));
            QTest::keyClicks(controle<QPlainTextEdit>(d, "MemoTrnKavex"), QStringLiteral("A*B"));
            QTest::mouseClick(controle<QPushButton>(d, "BtnEnviar"), Qt::LeftButton);
            listagem = controle<QPlainTextEdit>(d, "MemoRetorno")->toPlainText().split(QLatin1Char('\n'));
            QTest::mouseClick(controle<QPushButton>(d, "BtnEncerra"), Qt::LeftButton);
        });
        platform::modal::showModal(c.janela().janelas().FrmTrnDirKavex);
        QCOMPARE(listagem.mid(0, 4),
                 QStringList({QStringLiteral("Retorno Função: 30000"), QStringLiteral("Código de Resposta: -1"),
                              QStringLiteral("Tamanho Máx Buffer: 20000"), QStringLiteral("Buffer Retorno: ")}));
        const QStringList bytes = listagem.mid(4);
        QCOMPARE(bytes.size(), 20000 / 40);
        for (const QString& linha : bytes) {
            QCOMPARE(linha.size(), 40);
        }
        QCOMPARE(bytes.first().left(3), QStringLiteral("\u2400bc"));
        KAVEX_VERIFY_SEAMS();
    }
};

QTEST_MAIN(TstMisbehaving)
#include "tst_misbehaving.moc"
