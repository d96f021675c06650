// The window while the library works on its own thread: no handler starts
// another function during a call, closing the window during a function asks
// first and ends the function as "&Encerra" would, and the message line shows
// its longest texts whole.

#include "BibliotecaNula.h"
#include "Harness.h"
#include "Operador.h"

#include "widgets/Modal.h"
#include "widgets/Prompt.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <functional>
#include <mutex>

namespace {

using namespace std::chrono_literals;

const QString kPerguntaFechar =
    QStringLiteral("Há uma função em andamento. Deseja encerrá-la e fechar o programa quando ela terminar?");
constexpr auto kPrazo = 5s;

// Configures at once; the first command of a function waits until the test
// releases it, and every call is counted.
class BibliotecaLenta : public harness::BibliotecaNula {
public:
    // Lets one waiting call (or the next one to wait) go on.
    void libera() {
        {
            const std::lock_guard trava(mutex_);
            ++liberadas_;
        }
        sinal_.notify_all();
    }
    int chamadas() const { return chamadas_; }
    int ciclos() const { return ciclos_; }
    // Whether, after the first command, the function goes on until -1.
    bool segueAteEncerrar = false;
    // Short messages answered at once before the slow command.
    int rapidos = 0;
    std::vector<int32_t> continuacoes;
    std::vector<int16_t> finalizacoes;
    // Whether the configuration waits to be let go.
    bool configuraLenta = false;

    int32_t ConfiguraIntKavexInterativo(const char*, const char*, const char*, int32_t) override {
        ++chamadas_;
        if (configuraLenta) {
            espera();
        }
        return 0;
    }
    int32_t IniciaFuncaoKavexInterativo(int32_t, const char*, const char*, const char*, const char*, const char*,
                                        const char*) override {
        ++chamadas_;
        return 10000;
    }
    // A receipt while the pinpad is slow, then the end once told to stop.
    int32_t ContinuaFuncaoKavexInterativo(int32_t* comando, int32_t* tipoCampo, int16_t*, int16_t*, char* buffer,
                                          int32_t tamanho, int32_t continua) override {
        ++chamadas_;
        continuacoes.push_back(continua);
        ++ciclos_;
        *comando = 0;
        *tipoCampo = 0;
        if (continuacoes.size() <= size_t(rapidos)) {
            *comando = 1;
            std::snprintf(buffer, tamanho, "Aguarde %zu", continuacoes.size());
            return 10000;
        }
        if (continuacoes.size() == size_t(rapidos) + 1) {
            espera();
            *tipoCampo = 121;
            std::strcpy(buffer, "CUPOM");
            return 10000;
        }
        if (continua == -1) {
            return -7;
        }
        return segueAteEncerrar ? 10000 : 0;
    }
    int32_t FinalizaTransacaoKavexInterativo(int16_t confirma, const char*, const char*, const char*) override {
        ++chamadas_;
        finalizacoes.push_back(confirma);
        return 0;
    }
    // The first request waits until released; every one is counted.
    int32_t EnviaRecebeKavexDireto(int16_t, int16_t, int32_t, const char*, int16_t, char*, int16_t, int16_t*, int16_t,
                                   const char*, const char*, const char*, const char*, int16_t) override {
        if (++diretas_ == 1) {
            espera();
        }
        return 0;
    }
    int diretas() const { return diretas_; }

protected:
    void espera() {
        std::unique_lock trava(mutex_);
        if (sinal_.wait_for(trava, kPrazo, [this] { return liberadas_ > 0; })) {
            --liberadas_;
        }
    }

private:
    std::atomic<int> chamadas_{0};
    std::mutex mutex_;
    std::condition_variable sinal_;
    int liberadas_ = 0;
    std::atomic<int> ciclos_{0};
    std::atomic<int> diretas_{0};
};

// The pinpad waits (23) and the next call is slow; a burst of short messages
// ends with a clear command (11), and the call after it is slow too.
class BibliotecaPinpadNaRajada : public BibliotecaLenta {
public:
    static constexpr int kRajada = 300;
    int32_t ContinuaFuncaoKavexInterativo(int32_t* comando, int32_t* tipoCampo, int16_t*, int16_t*, char* buffer,
                                          int32_t tamanho, int32_t) override {
        const int ciclo = ++ciclos_;
        *tipoCampo = 0;
        *comando = ciclo == 1 ? 23 : ciclo < kRajada ? 1 : 11;
        std::snprintf(buffer, tamanho, "Aguarde %d", ciclo);
        if (ciclo == 2 || ciclo == kRajada + 1) {
            espera();
        }
        return ciclo <= kRajada + 1 ? 10000 : 0;
    }
    int ciclos() const { return ciclos_; }

private:
    std::atomic<int> ciclos_{0};
};

// Runs `acao` once, as soon as the sale's slow command waits in the library.
void duranteOPrimeiroCiclo(QTimer& relogio, const BibliotecaLenta& biblioteca, std::function<void()> acao) {
    QObject::connect(&relogio, &QTimer::timeout, [&relogio, &biblioteca, acao] {
        if (biblioteca.ciclos() > biblioteca.rapidos) {
            relogio.stop();
            acao();
        }
    });
    relogio.start(5ms);
}

} // namespace

class TestConsoleViva : public QObject {
    Q_OBJECT
private slots:
    void init() { harness::startSeams(); }
    void nadaComecaDuranteUmaChamada_data();
    void nadaComecaDuranteUmaChamada();
    void fecharDuranteFuncao_data();
    void fecharDuranteFuncao();
    void dialogoNaoRepeteChamadaEmCurso();
    void camposNaoMudamDuranteAConfiguracao();
    void chamadaLentaMostraOQueARajadaDeixou();
    void painelEscondidoNaRajadaSaiDaTela();
    void linhaDeMensagemMostraTextoInteiro_data();
    void linhaDeMensagemMostraTextoInteiro();
};

// Every handler that may start a function is tried while the first command
// of a sale waits, its control enabled or not: none of them reaches the
// library or opens a window.
void TestConsoleViva::nadaComecaDuranteUmaChamada_data() {
    QTest::addColumn<QString>("controle");
    for (const char* nome : {"BtnTransacao", "BtnFuncPpd", "BtnOutrasTrn", "Btn_Confirmacao", "btCnfIdentificada",
                             "BtnConfigura", "BtnLimpar", "CfgCliKavex", "CfgPinpad"}) {
        QTest::newRow(nome) << QString::fromLatin1(nome);
    }
}

void TestConsoleViva::nadaComecaDuranteUmaChamada() {
    QFETCH(QString, controle);
    BibliotecaLenta biblioteca;
    TFrmtesteCliKavex32I janela(biblioteca);
    janela.show();
    harness::clica(janela, "BtnConfigura");
    const int antes = biblioteca.chamadas();
    int tentativas = 0;
    QTimer relogio;
    duranteOPrimeiroCiclo(relogio, biblioteca, [&] {
        if (auto* acao = janela.findChild<QAction*>(controle)) {
            acao->trigger();
        } else {
            emit harness::controle<QAbstractButton>(janela, qPrintable(controle))->clicked();
        }
        ++tentativas;
        biblioteca.libera();
    });
    platform::modal::expect(QStringLiteral("FrmCupomTEF"), [](QDialog& d) { harness::clica(d, "BtnPendente"); });
    harness::clica(janela, "BtnTransacao");
    QCOMPARE(tentativas, 1);
    // The start, the slow command, the end: nothing more.
    QCOMPARE(biblioteca.chamadas() - antes, 3);
    QCOMPARE(platform::modal::shownWindows(), QStringList{QStringLiteral("FrmCupomTEF")});
    // Neither cleared nor reconfigured meanwhile.
    QVERIFY(!harness::controle<QPlainTextEdit>(janela, "EdtData")->toPlainText().isEmpty());
    QCOMPARE(harness::controle<QAbstractButton>(janela, "BtnConfigura")->text(), QStringLiteral("Re&configura"));
    KAVEX_VERIFY_SEAMS();
}

// "No" leaves the function and the window as they were. "Yes" sends -1 with
// the next call, and the end comes as usual: the receipt screen, the
// finishing call, then the window closes.
void TestConsoleViva::fecharDuranteFuncao_data() {
    QTest::addColumn<bool>("sim");
    QTest::newRow("Não") << false;
    QTest::newRow("Sim") << true;
}

void TestConsoleViva::fecharDuranteFuncao() {
    QFETCH(bool, sim);
    BibliotecaLenta biblioteca;
    biblioteca.segueAteEncerrar = !sim;
    TFrmtesteCliKavex32I janela(biblioteca);
    janela.show();
    harness::clica(janela, "BtnConfigura");
    bool abertaAposPergunta = false;
    QTimer relogio;
    duranteOPrimeiroCiclo(relogio, biblioteca, [&] {
        harness::pedeFechamento(janela);
        abertaAposPergunta = janela.isVisible();
        biblioteca.libera();
    });
    platform::prompt::expect(kPerguntaFechar, sim ? platform::prompt::Answer::Yes : platform::prompt::Answer::No);
    platform::modal::expect(QStringLiteral("FrmCupomTEF"), [](QDialog& d) { harness::clica(d, "BtnConfirma"); });
    // After "Não" the sale goes on, a few cycles with 0, until the operator
    // closes again and says yes.
    QTimer depois;
    connect(&depois, &QTimer::timeout, [&] {
        if (biblioteca.ciclos() >= 3) {
            depois.stop();
            platform::prompt::expect(kPerguntaFechar, platform::prompt::Answer::Yes);
            harness::pedeFechamento(janela);
        }
    });
    if (!sim) {
        depois.start(5ms);
    }
    harness::clica(janela, "BtnTransacao");
    QVERIFY(abertaAposPergunta);
    const std::vector<int32_t> esperado = sim ? std::vector<int32_t>{0, -1} : std::vector<int32_t>{0, 0};
    QCOMPARE(std::vector<int32_t>(biblioteca.continuacoes.begin(), biblioteca.continuacoes.begin() + 2), esperado);
    QCOMPARE(biblioteca.continuacoes.back(), -1);
    QCOMPARE(biblioteca.finalizacoes, std::vector<int16_t>{1});
    QVERIFY(!janela.isVisible());
    KAVEX_VERIFY_SEAMS();
}

// Fast cycles paint the window once a frame; a slow call after them shows
// their last message and every trace line while it lasts, not after.
void TestConsoleViva::chamadaLentaMostraOQueARajadaDeixou() {
    BibliotecaLenta biblioteca;
    biblioteca.rapidos = 300;
    TFrmtesteCliKavex32I janela(biblioteca);
    janela.show();
    harness::clica(janela, "BtnConfigura");
    auto* mensagem = harness::controle<QPlainTextEdit>(janela, "EdtData");
    auto* rastro = harness::controle<QPlainTextEdit>(janela, "Memo");
    QTimer relogio;
    duranteOPrimeiroCiclo(relogio, biblioteca, [&] {
        QTRY_COMPARE_WITH_TIMEOUT(mensagem->toPlainText(), QStringLiteral("Aguarde 300"), 2000);
        QTRY_COMPARE_WITH_TIMEOUT(rastro->blockCount(), 2 * 300, 2000);
        QVERIFY(mensagem->updatesEnabled() && rastro->updatesEnabled());
        biblioteca.libera();
    });
    platform::modal::expect(QStringLiteral("FrmCupomTEF"), [](QDialog& d) { harness::clica(d, "BtnPendente"); });
    harness::clica(janela, "BtnTransacao");
    QVERIFY(!relogio.isActive());
    KAVEX_VERIFY_SEAMS();
}

// The pinpad panel, on the screen while the pinpad waits, then hidden by a
// clear command amid fast cycles, leaves nothing there: while the next call
// lasts, the screen shows where the panel was what the window, painted
// afresh, has there.
void TestConsoleViva::painelEscondidoNaRajadaSaiDaTela() {
    BibliotecaPinpadNaRajada biblioteca;
    TFrmtesteCliKavex32I janela(biblioteca);
    janela.show();
    QVERIFY(QTest::qWaitForWindowExposed(&janela));
    harness::clica(janela, "BtnConfigura");
    auto* painel = harness::controle<QWidget>(janela, "PnlCncPpd");
    const QRect lugar(painel->mapTo(&janela, QPoint(0, 0)), painel->size());
    const auto naTela = [&] {
        return janela.screen()->grabWindow(janela.winId()).copy(lugar).toImage().convertToFormat(QImage::Format_RGB32);
    };
    const auto pintada = [&] { return janela.grab(lugar).toImage().convertToFormat(QImage::Format_RGB32); };
    QImage comPainel;
    QTimer relogio;
    QObject::connect(&relogio, &QTimer::timeout, [&] {
        if (biblioteca.ciclos() == 2 && comPainel.isNull()) {
            QTRY_VERIFY_WITH_TIMEOUT(painel->isVisible(), 2000);
            QTRY_COMPARE_WITH_TIMEOUT(naTela(), pintada(), 2000);
            comPainel = naTela();
            biblioteca.libera();
        } else if (biblioteca.ciclos() == BibliotecaPinpadNaRajada::kRajada + 1) {
            relogio.stop();
            QVERIFY(!painel->isVisible());
            QTRY_COMPARE_WITH_TIMEOUT(naTela(), pintada(), 2000);
            QVERIFY(naTela() != comPainel);
            biblioteca.libera();
        }
    });
    relogio.start(5ms);
    harness::clica(janela, "BtnTransacao");
    QVERIFY(!relogio.isActive());
    KAVEX_VERIFY_SEAMS();
}

// The start's date line and the library's longest short messages, in the
// line's own large bold type, need no more room than the line has.
void TestConsoleViva::linhaDeMensagemMostraTextoInteiro_data() {
    QTest::addColumn<QString>("texto");
    QTest::newRow("data") << QStringLiteral(" Quarta-feira 09/12/2026 23:58:58");
    QTest::newRow("aprovada") << QStringLiteral("TRANSAÇÃO APROVADA NSU 000001");
    QTest::newRow("1000") << QStringLiteral("CONTINUA 1000 NÃO SE APLICA A ESTA PERGUNTA");
    QTest::newRow("50 caracteres") << QStringLiteral("OPERAÇÃO CANCELADA PELO OPERADOR - AGUARDE MOMENTO");
    QTest::newRow("50 maiúsculas largas") << QString(50, QLatin1Char('W'));
}

void TestConsoleViva::linhaDeMensagemMostraTextoInteiro() {
    QFETCH(QString, texto);
    QVERIFY(texto.size() <= 50);
    harness::Console c;
    c.window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&c.window()));
    auto* linha = c.find<QPlainTextEdit>("EdtData");
    linha->setPlainText(texto);
    QVERIFY(linha->font().bold());
    QVERIFY(linha->font().pointSize() >= 14);
    // Every line the text is laid out in, within the room the box shows.
    const QTextBlock bloco = linha->document()->firstBlock();
    // Asking for the block's place lays it out.
    QVERIFY(linha->document()->documentLayout()->blockBoundingRect(bloco).isValid());
    const QTextLayout* layout = bloco.layout();
    QVERIFY(layout->lineCount() >= 1);
    const qreal margem = linha->document()->documentMargin();
    const QSizeF visivel = QSizeF(linha->viewport()->size()) - QSizeF(2 * margem, 2 * margem);
    const qreal altura = layout->lineCount() * linha->fontMetrics().lineSpacing();
    QVERIFY2(altura <= visivel.height(), qPrintable(QStringLiteral("%1 lines, %2 px high in %3 px")
                                                        .arg(layout->lineCount())
                                                        .arg(altura)
                                                        .arg(visivel.height())));
    for (int i = 0; i < layout->lineCount(); ++i) {
        QVERIFY(layout->lineAt(i).naturalTextWidth() <= visivel.width());
    }
    QVERIFY(c.window().frameGeometry().width() <= 1280);
}

// A dialog's own call: a second click, or its access key and Space, while
// the request is on its way start nothing, and the dialog, under a busy
// cursor meanwhile, takes input again afterwards. Idle, the same keys send:
// Alt+E moves between "&Enviar" and "&Encerra", Space presses "&Enviar".
void TestConsoleViva::dialogoNaoRepeteChamadaEmCurso() {
    BibliotecaLenta biblioteca;
    TFrmtesteCliKavex32I janela(biblioteca);
    QDialog& direta = *janela.findChild<QDialog*>(QStringLiteral("FrmTrnDirKavex"));
    direta.show();
    direta.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&direta));
    auto* funcao = harness::controle<QLineEdit>(direta, "ed_Funcao");
    funcao->setText(QStringLiteral("1"));
    funcao->setFocus();
    auto* enviar = harness::controle<QAbstractButton>(direta, "BtnEnviar");
    const auto tecla = [&](Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, m);
    };
    QStringList durante;
    QTimer relogio;
    QObject::connect(&relogio, &QTimer::timeout, [&] {
        if (biblioteca.diretas() >= 1) {
            relogio.stop();
            durante << QString::number(direta.cursor().shape()) << QString::number(funcao->cursor().shape());
            QTest::mouseClick(enviar, Qt::LeftButton);
            tecla(Qt::Key_E, Qt::AltModifier);
            tecla(Qt::Key_Space);
            durante << QApplication::focusWidget()->objectName();
            biblioteca.libera();
        }
    });
    relogio.start(5ms);
    for (int i = 0; i < 2 && QApplication::focusWidget() != enviar; ++i) {
        tecla(Qt::Key_E, Qt::AltModifier);
    }
    QCOMPARE(QApplication::focusWidget(), enviar);
    tecla(Qt::Key_Space);
    QCOMPARE(biblioteca.diretas(), 1);
    QCOMPARE(durante, (QStringList{QString::number(Qt::BusyCursor), QString::number(Qt::BusyCursor),
                                   QStringLiteral("BtnEnviar")}));
    QTRY_VERIFY(direta.isVisible());
    QCOMPARE(funcao->cursor().shape(), Qt::IBeamCursor);
    QCOMPARE(direta.cursor().shape(), Qt::ArrowCursor);
    QTest::mouseClick(enviar, Qt::LeftButton);
    QCOMPARE(biblioteca.diretas(), 2);
    direta.hide();
    KAVEX_VERIFY_SEAMS();
}

// While "&Configura" waits, a key or a click on the window's fields is not
// taken: the address on screen stays the one the library was given.
void TestConsoleViva::camposNaoMudamDuranteAConfiguracao() {
    BibliotecaLenta biblioteca;
    biblioteca.configuraLenta = true;
    TFrmtesteCliKavex32I janela(biblioteca);
    janela.show();
    QVERIFY(QTest::qWaitForWindowActive(&janela));
    auto* endereco = harness::controle<QComboBox>(janela, "CBIPKavex");
    const QString configurado = endereco->currentText();
    QTimer relogio;
    QObject::connect(&relogio, &QTimer::timeout, [&] {
        if (biblioteca.chamadas() >= 1) {
            relogio.stop();
            QTest::mouseClick(endereco->lineEdit(), Qt::LeftButton);
            QTest::keyClicks(endereco->lineEdit(), QStringLiteral("xyz"));
            biblioteca.libera();
        }
    });
    relogio.start(5ms);
    harness::clica(janela, "BtnConfigura");
    QCOMPARE(biblioteca.chamadas(), 1);
    QCOMPARE(endereco->currentText(), configurado);
}

QTEST_MAIN(TestConsoleViva)
#include "tst_consoleviva.moc"
