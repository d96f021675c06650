// The bar-code dialog driven as the operator drives it, on the simulator:
// which texts reach the library at each step, how each answer shows, what
// the dialog answers and when it closes.

#include "Cliques.h"
#include "Harness.h"
#include "Operador.h"

#include "app/Janelas.h"
#include "dialogs/CorrespBanc.h"
#include "widgets/Modal.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

using nlohmann::json;

namespace {

using harness::clica;
using harness::digita;
using harness::tecla;

// A bank bill's typed line, a collection bill's typed line, a whole bar code.
const QString kBoleto = QStringLiteral("34191572138976666016474514590004656550000268016");
const QString kArrecadacao = QStringLiteral("836400000011331201380002812884627116080136181551");
const QString kCodigoInteiro = QStringLiteral("00195386000000040000000001207113000900020618");
const QString kErroNoCampo =
    QStringLiteral("Código de Barras digitado incorretamente no campo em vermelho. Favor Redigitar!");
const QString kErroComoUmTodo =
    QStringLiteral("Código de Barras digitado incorretamente como um todo. Favor Redigitar!");

json resposta(int retorno, int tipo) {
    return {{"return", retorno}, {"type", tipo}};
}

using harness::controle;

QString texto(QWidget& janela, const char* rotulo) {
    return controle<QLabel>(janela, rotulo)->text();
}

void marca(QWidget& janela, const char* opcao) {
    harness::clicaIndicador(controle<QRadioButton>(janela, opcao));
}

// The texts of the block fields, in the order given.
QStringList textos(QWidget& janela, std::initializer_list<const char*> campos) {
    QStringList lista;
    for (const char* campo : campos) {
        lista << controle<QLineEdit>(janela, campo)->text();
    }
    return lista;
}

// Clicks into a field and puts the caret after its text.
void vaiPara(QWidget& janela, const char* campo) {
    auto* edit = controle<QLineEdit>(janela, campo);
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_End);
}

QStringList vermelhos(QWidget& janela) {
    QStringList nomes;
    for (const char* painel : {"pnlbl1", "pnlbl2", "pnlbl3", "pnlbl41", "pnlbl42"}) {
        if (controle<QFrame>(janela, painel)->palette().color(QPalette::Window) == QColor(Qt::red)) {
            nomes << QString::fromLatin1(painel);
        }
    }
    return nomes;
}

// What the operator sees after a block check, in one line: the field with
// the focus and its selected text, the red panels, the message, the result.
QString retrato(QWidget& janela) {
    auto* foco = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    const QString mensagem = texto(janela, "lblstscodigo");
    const QString banda = controle<QFrame>(janela, "pnlmsg")->isHidden() ? QStringLiteral("-")
                          : mensagem == kErroNoCampo                     ? QStringLiteral("campo")
                          : mensagem == kErroComoUmTodo                  ? QStringLiteral("todo")
                                                                         : mensagem;
    return QStringLiteral("%1[%2] %3 %4 %5")
        .arg(foco ? foco->objectName() : QStringLiteral("?"), foco ? foco->selectedText() : QString(),
             vermelhos(janela).join(QLatin1Char(',')), banda, texto(janela, "lblResult"));
}

} // namespace

class TstBarcodeDialog : public QObject {
    Q_OBJECT

    std::unique_ptr<harness::Console> console_;
    TFrmCodBarra& dialogo() { return console_->window().janelas().FrmCodBarra; }
    EstadoConsole& estado() { return console_->estado(); }
    void roteiro(const json& respostas) { console_->simulator().script({{"ValidaCampoCodigoEmBarras", respostas}}); }
    QStringList verificados() {
        QStringList textos;
        for (const json& c : console_->simulator().calls("ValidaCampoCodigoEmBarras")) {
            textos << QString::fromStdString(c["args"][0].get<std::string>());
        }
        return textos;
    }

private slots:
    void init() { console_ = std::make_unique<harness::Console>(); }
    void cleanup() { console_.reset(); }

    void criadaOcultaComSeuTitulo() {
        QCOMPARE(dialogo().windowTitle(), QStringLiteral("Código de Barras"));
        QVERIFY(dialogo().isHidden());
        KAVEX_VERIFY_SEAMS();
    }

    void enterNoCampoUnicoVerificaEAceita_data() {
        QTest::addColumn<QString>("digitado");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("verificado");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("código inteiro") << kCodigoInteiro << 1 << kCodigoInteiro << "1:" + kCodigoInteiro;
        QTest::newRow("linha de boleto") << kBoleto << 1 << kBoleto << "0:" + kBoleto;
        QTest::newRow("linha de arrecadação") << kArrecadacao << 0 << kArrecadacao << "0:" + kArrecadacao;
        QTest::newRow("campo vazio") << QString() << 0 << QStringLiteral("0") << QStringLiteral("0:0");
    }
    void enterNoCampoUnicoVerificaEAceita() {
        QFETCH(QString, digitado);
        QFETCH(int, tipo);
        QFETCH(QString, verificado);
        QFETCH(QString, esperado);
        roteiro(json::array({resposta(0, tipo)}));
        platform::modal::expect("FrmCodBarra", [&](QDialog&) {
            digita(digitado);
            tecla(Qt::Key_Return);
        });
        dialogo().MostraParaLaco(QStringLiteral("Digite o código de barras"));
        QCOMPARE(verificados(), QStringList{verificado});
        QCOMPARE(dialogo().RetornoCodBarra, esperado);
        QCOMPARE(texto(dialogo(), "lblTipo"), QString::number(tipo));
        QCOMPARE(dialogo().LblCabecalhoCodBarra()->text(), QStringLiteral("Digite o código de barras"));
        QCOMPARE(dialogo().continua(), 0);
        QVERIFY(estado().ModoCorrespondente);
        KAVEX_VERIFY_SEAMS();
    }

    void codigoRecusadoFicaAbertoAteCorrigir() {
        roteiro(json::array({resposta(5, 1), resposta(0, 1)}));
        const QString errado = kCodigoInteiro.left(43) + QLatin1Char('9');
        dialogo().RetornoCodBarra = QStringLiteral("0:anterior");
        QStringList aposErro;
        platform::modal::expect("FrmCodBarra", [&](QDialog& w) {
            digita(errado);
            tecla(Qt::Key_Return);
            aposErro << texto(w, "lblTipo") << texto(w, "lblResult") << dialogo().RetornoCodBarra;
            tecla(Qt::Key_Backspace);
            digita(kCodigoInteiro.right(1));
            tecla(Qt::Key_Return);
        });
        dialogo().MostraParaLaco(QString());
        QCOMPARE(aposErro, QStringList({"1", "5", "0:anterior"}));
        QCOMPARE(verificados(), QStringList({errado, kCodigoInteiro}));
        QCOMPARE(dialogo().RetornoCodBarra, "1:" + kCodigoInteiro);
        KAVEX_VERIFY_SEAMS();
    }

    void naoValidaAceitaSemConsultarABiblioteca() {
        roteiro(json::array({resposta(3, 7)}));
        QStringList aposVerificar;
        platform::modal::expect("FrmCodBarra", [&](QDialog& w) {
            digita(QStringLiteral("abc"));
            tecla(Qt::Key_Return);
            aposVerificar << texto(w, "lblTipo") << texto(w, "lblResult");
            marca(w, "RdBtnNaoValida");
            tecla(Qt::Key_Return);
        });
        dialogo().MostraParaLaco(QString());
        QCOMPARE(aposVerificar, QStringList({"7", "3"}));
        QCOMPARE(verificados(), QStringList{"abc"});
        QCOMPARE(texto(dialogo(), "lblTipo"), QStringLiteral("0"));
        QCOMPARE(texto(dialogo(), "lblResult"), QStringLiteral("0"));
        QCOMPARE(dialogo().RetornoCodBarra, QStringLiteral("0:abc"));
        KAVEX_VERIFY_SEAMS();
    }

    void tipoSemLeiauteDeixaNoCampoUnico() {
        const QString codigo = QStringLiteral("23796316800000001002949060000000000300065800");
        roteiro(json::array({resposta(0, 2), resposta(0, 2), resposta(0, 2)}));
        bool campoVisivel = false;
        platform::modal::expect("FrmCodBarra", [&](QDialog& w) {
            marca(w, "RdBtnValidaOnl");
            digita(codigo);
            campoVisivel =
                !controle<QLineEdit>(w, "EdtCodBarra")->isHidden() && controle<QFrame>(w, "pnlbl1")->isHidden();
            tecla(Qt::Key_Return);
        });
        dialogo().MostraParaLaco(QString());
        QVERIFY(campoVisivel);
        QCOMPARE(verificados(), QStringList({"2", "23", codigo}));
        QCOMPARE(dialogo().RetornoCodBarra, "1:" + codigo);
        KAVEX_VERIFY_SEAMS();
    }

    void blocosDeBoletoVerificadosA10_21_32e47() {
        roteiro(json::array(
            {resposta(0, 1), resposta(0, 1), resposta(0, 1), resposta(0, 1), resposta(0, 1), resposta(0, 1)}));
        QStringList aoEntrar;
        platform::modal::expect("FrmCodBarra", [&](QDialog& w) {
            marca(w, "RdBtnValidaOnl");
            digita(kBoleto.left(2));
            aoEntrar << (controle<QLineEdit>(w, "EdtCodBarra")->isHidden() ? "campo oculto" : "campo visível")
                     << (controle<QFrame>(w, "pnlbl41")->isHidden() ? "sem pnlbl41" : "pnlbl41")
                     << (controle<QFrame>(w, "pnlbl42")->isHidden() ? "sem pnlbl42" : "pnlbl42")
                     << QApplication::focusWidget()->objectName() + "=" + controle<QLineEdit>(w, "Edit1")->text()
                     << QString::number(controle<QLineEdit>(w, "Edit1")->maxLength())
                     << (controle<QRadioButton>(w, "RdBtnValidaFnl")->isEnabled() ? "final" : "sem final")
                     << (controle<QRadioButton>(w, "RdBtnNaoValida")->isEnabled() ? "não valida" : "sem não valida");
            digita(kBoleto.mid(2));
            tecla(Qt::Key_Return);
        });
        dialogo().MostraParaLaco(QString());
        QCOMPARE(aoEntrar, QStringList({"campo oculto", "pnlbl41", "sem pnlbl42", "Edit1=34", "5", "sem final",
                                        "sem não valida"}));
        QCOMPARE(verificados(),
                 QStringList({"3", "34", kBoleto.left(10), kBoleto.left(21), kBoleto.left(32), kBoleto}));
        QCOMPARE(dialogo().RetornoCodBarra, "0:" + kBoleto);
        QCOMPARE(textos(dialogo(), {"Edit1", "Edit2", "Edit4", "Edit3", "Edit5", "Edit6", "Edit7", "Edit8"}),
                 QStringList({"34191", "57213", "89766", "660164", "74514", "590004", "6", "56550000268016"}));
        KAVEX_VERIFY_SEAMS();
    }

    void blocosDeArrecadacaoVerificadosA12_24_36e48() {
        roteiro(json::array(
            {resposta(0, 0), resposta(0, 0), resposta(0, 0), resposta(0, 0), resposta(0, 0), resposta(0, 0)}));
        platform::modal::expect("FrmCodBarra", [&](QDialog& w) {
            marca(w, "RdBtnValidaOnl");
            digita(kArrecadacao);
            tecla(Qt::Key_Return);
        });
        dialogo().MostraParaLaco(QString());
        QCOMPARE(verificados(), QStringList({"8", "83", kArrecadacao.left(12), kArrecadacao.left(24),
                                             kArrecadacao.left(36), kArrecadacao}));
        QCOMPARE(dialogo().RetornoCodBarra, "0:" + kArrecadacao);
        QCOMPARE(textos(dialogo(), {"Edit1", "Edit2", "Edit4", "Edit3", "Edit5", "Edit6", "Edit9", "Edit10"}),
                 QStringList({"836400", "000011", "331201", "380002", "812884", "627116", "080136", "181551"}));
        QVERIFY(controle<QFrame>(dialogo(), "pnlbl41")->isHidden());
        KAVEX_VERIFY_SEAMS();
    }

    void escapeNumBlocoIniciaOPassoComoQualquerTecla() {
        roteiro(json::array({resposta(0, 1), resposta(0, 1), resposta(1, 1)}));
        platform::modal::expect("FrmCodBarra", [&](QDialog& w) {
            marca(w, "RdBtnValidaOnl");
            digita(kBoleto.left(9));
            tecla(Qt::Key_Escape); // Edit2 holds 4: Passo1, with Escape as the key
            QVERIFY(w.isVisible());
            clica(w, "BitBtn1");
        });
        dialogo().MostraParaLaco(QString());
        const QStringList checados = verificados();
        QCOMPARE(checados.size(), 3);
        QCOMPARE(checados.last(), kBoleto.left(9) + QChar(u'\x1b'));
        QCOMPARE(dialogo().TeclaDigitada, QChar(u'\x1b'));
        KAVEX_VERIFY_SEAMS();
    }

    void passosPintamBlocosEMovemOFoco() {
        roteiro(json::array({resposta(0, 1), resposta(0, 1),                 // the first two characters
                             resposta(2, 1), resposta(1, 1), resposta(0, 1), // Passo1
                             resposta(1, 1), resposta(0, 1),                 // Passo2
                             resposta(4, 1), resposta(5, 1), resposta(0, 1), // Passo3
                             resposta(4, 1), resposta(0, 1)}));              // Passo4
        QStringList vistos;
        platform::modal::expect("FrmCodBarra", [&](QDialog& w) {
            marca(w, "RdBtnValidaOnl");
            digita(kBoleto.left(10)); // Passo1: 2, nothing changes
            vistos << retrato(w);
            tecla(Qt::Key_Backspace);
            digita(QStringLiteral("3")); // Passo1: 1
            vistos << retrato(w);
            digita(kBoleto.left(5)); // retyped over the selection
            tecla(Qt::Key_Backspace);
            digita(QStringLiteral("3")); // Passo1: 0
            vistos << retrato(w);
            digita(kBoleto.mid(10, 11)); // Passo2: 1
            vistos << retrato(w);
            vaiPara(w, "Edit3");
            tecla(Qt::Key_Backspace);
            digita(QStringLiteral("4")); // Passo2: 0
            vistos << retrato(w);
            digita(kBoleto.mid(21, 11)); // Passo3: 4, nothing changes
            vistos << retrato(w);
            tecla(Qt::Key_Backspace);
            digita(QStringLiteral("4")); // Passo3: 5
            vistos << retrato(w);
            vaiPara(w, "Edit6");
            tecla(Qt::Key_Backspace);
            digita(QStringLiteral("4")); // Passo3: 0
            vistos << retrato(w);
            digita(kBoleto.mid(32));
            tecla(Qt::Key_Return); // Passo4: 4
            vistos << retrato(w) + " tipo " + texto(w, "lblTipo");
            vaiPara(w, "Edit8");
            tecla(Qt::Key_Return); // Passo4: 0
        });
        dialogo().MostraParaLaco(QString());
        QCOMPARE(vistos, QStringList({
                             "Edit2[]  - 0",
                             "Edit1[34191] pnlbl1 campo 1",
                             "Edit4[]  - 0",
                             "Edit1[] pnlbl1 campo 1",
                             "Edit5[] pnlbl1 - 0",
                             "Edit6[] pnlbl1 - 0",
                             "Edit1[34191] pnlbl1,pnlbl2,pnlbl3,pnlbl41 todo 5",
                             "Edit7[] pnlbl1,pnlbl2,pnlbl41 - 0",
                             "Edit7[] pnlbl1,pnlbl2,pnlbl41 campo 4 tipo 1",
                         }));
        const QString l10 = kBoleto.left(10), l21 = kBoleto.left(21), l32 = kBoleto.left(32);
        QCOMPARE(verificados(), QStringList({"3", "34", l10, l10, l10, l21, l21, l32, l32, l32, kBoleto, kBoleto}));
        QCOMPARE(dialogo().RetornoCodBarra, "0:" + kBoleto);
        QCOMPARE(vermelhos(dialogo()), QStringList());
        KAVEX_VERIFY_SEAMS();
    }

    // Each check answered with each result, in both layouts: the earlier
    // checks pass, the one under test gets `resultado`.
    void resultadoDeCadaPassoNoBlocoCerto_data() {
        QTest::addColumn<bool>("boleto");
        QTest::addColumn<int>("passo");
        QTest::addColumn<int>("resultado");
        QTest::addColumn<QString>("visto");
        QTest::newRow("boleto 1: 5 ignorado") << true << 1 << 5 << "Edit2[]  - 0";
        QTest::newRow("boleto 2: 2") << true << 2 << 2 << "Edit4[] pnlbl2 campo 2";
        QTest::newRow("boleto 2: 3 ignorado") << true << 2 << 3 << "Edit3[]  - 0";
        QTest::newRow("boleto 2: 5 ignorado") << true << 2 << 5 << "Edit3[]  - 0";
        QTest::newRow("arrecadação 2: 5 ignorado") << false << 2 << 5 << "Edit3[]  - 0";
        QTest::newRow("boleto 3: 1") << true << 3 << 1 << "Edit1[] pnlbl1 campo 1";
        QTest::newRow("boleto 3: 3") << true << 3 << 3 << "Edit5[] pnlbl3 campo 3";
        QTest::newRow("boleto 4: 2") << true << 4 << 2 << "Edit4[] pnlbl2 campo 2";
        QTest::newRow("boleto 4: 3") << true << 4 << 3 << "Edit5[] pnlbl3 campo 3";
        QTest::newRow("boleto 4: 5") << true << 4 << 5 << "Edit1[34191] pnlbl1,pnlbl2,pnlbl3,pnlbl41 todo 5";
        QTest::newRow("arrecadação 1: 2 ignorado") << false << 1 << 2 << "Edit2[]  - 0";
        QTest::newRow("arrecadação 3: 0") << false << 3 << 0 << "Edit9[]  - 0";
        QTest::newRow("arrecadação 3: 5") << false << 3 << 5 << "Edit1[836400] pnlbl1,pnlbl2,pnlbl3,pnlbl42 todo 5";
        QTest::newRow("arrecadação 4: 1") << false << 4 << 1 << "Edit1[] pnlbl1 campo 1";
        QTest::newRow("arrecadação 4: 4") << false << 4 << 4 << "Edit9[] pnlbl42 campo 4";
        QTest::newRow("arrecadação 4: 7 ignorado") << false << 4 << 7 << "Edit10[]  - 7";
    }
    void resultadoDeCadaPassoNoBlocoCerto() {
        QFETCH(bool, boleto);
        QFETCH(int, passo);
        QFETCH(int, resultado);
        QFETCH(QString, visto);
        const int tipo = boleto ? 1 : 0;
        const QString linha = boleto ? kBoleto : kArrecadacao;
        const QList<int> fimDoPasso = boleto ? QList<int>{10, 21, 32, 47} : QList<int>{12, 24, 36, 48};
        json respostas = json::array({resposta(0, tipo), resposta(0, tipo)});
        for (int p = 1; p < passo; ++p) {
            respostas.push_back(resposta(0, tipo));
        }
        respostas.push_back(resposta(resultado, tipo));
        roteiro(respostas);
        QString retratoFinal;
        bool aberta = false;
        platform::modal::expect("FrmCodBarra", [&](QDialog& w) {
            marca(w, "RdBtnValidaOnl");
            digita(linha.left(fimDoPasso[passo - 1]));
            if (passo == 4) {
                tecla(Qt::Key_Return);
            }
            retratoFinal = retrato(w);
            aberta = w.isVisible();
            clica(w, "BitBtn1");
        });
        dialogo().MostraParaLaco(QString());
        QCOMPARE(retratoFinal, visto);
        QVERIFY(aberta);
        QCOMPARE(verificados().size(), 2 + passo);
        QCOMPARE(verificados().constLast(), linha.left(fimDoPasso[passo - 1]));
        KAVEX_VERIFY_SEAMS();
    }

    void voltaNosBlocosRetornaAoCampoEVoltaNoCampoFecha() {
        roteiro(json::array({resposta(0, 0), resposta(0, 0), resposta(1, 0), resposta(0, 1), resposta(0, 1)}));
        QPoint lugar42;
        QPoint lugar41;
        QStringList aposVolta;
        platform::modal::expect("FrmCodBarra", [&](QDialog& w) {
            marca(w, "RdBtnValidaOnl");
            digita(kArrecadacao.left(12)); // Passo1: 1
            w.layout()->activate();
            lugar42 = controle<QFrame>(w, "pnlbl42")->pos();
            clica(w, "BtnVolta");
            const QStringList blocos =
                textos(w, {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Edit9", "Edit10"});
            const auto vazios = std::count(blocos.cbegin(), blocos.cend(), QString());
            aposVolta << (w.isVisible() ? "aberta" : "fechada") << QApplication::focusWidget()->objectName()
                      << controle<QLineEdit>(w, "EdtCodBarra")->text()
                      << (controle<QRadioButton>(w, "RdBtnValidaFnl")->isChecked() ? "final" : "?")
                      << (controle<QRadioButton>(w, "RdBtnNaoValida")->isEnabled() ? "não valida" : "?")
                      << (controle<QFrame>(w, "pnlbl1")->isHidden() ? "blocos ocultos" : "?") << QString::number(vazios)
                      << dialogo().CodigoBarras << retrato(w);
            marca(w, "RdBtnValidaOnl");
            digita(kBoleto.left(2));
            w.layout()->activate();
            lugar41 = controle<QFrame>(w, "pnlbl41")->pos();
            clica(w, "BtnVolta");
            clica(w, "BtnVolta");
        });
        dialogo().MostraParaLaco(QString());
        // The band and the red panel stay in view after going back.
        QCOMPARE(aposVolta, QStringList({"aberta", "EdtCodBarra", "", "final", "não valida", "blocos ocultos", "8", "",
                                         "EdtCodBarra[] pnlbl1 campo 1"}));
        QCOMPARE(lugar41, lugar42);
        QCOMPARE(dialogo().continua(), 1);
        QCOMPARE(verificados(), QStringList({"8", "83", kArrecadacao.left(12), "3", "34"}));

        // Shown again, the dialog starts afresh.
        QStringList aoReabrir;
        platform::modal::expect("FrmCodBarra", [&](QDialog& w) {
            aoReabrir << retrato(w) << texto(w, "lblTipo");
            clica(w, "BitBtn1");
        });
        dialogo().MostraParaLaco(QString());
        QCOMPARE(aoReabrir, QStringList({"EdtCodBarra[]  - 0", "0"}));
        QCOMPARE(dialogo().continua(), -1);
        KAVEX_VERIFY_SEAMS();
    }

    void validacaoSomenteNuncaFechaSozinha() {
        roteiro(json::array({resposta(0, 1), resposta(0, 0), resposta(0, 0), resposta(0, 0), resposta(0, 0),
                             resposta(0, 0), resposta(0, 0)}));
        dialogo().RetornoCodBarra.clear();
        QStringList vistos;
        platform::modal::expect("FrmCodBarra", [&](QDialog& w) {
            vistos << (controle<QRadioButton>(w, "RdBtnNaoValida")->isHidden() ? "sem não valida" : "?");
            digita(kCodigoInteiro);
            tecla(Qt::Key_Return);
            vistos << (w.isVisible() ? "aberta" : "fechada") << dialogo().RetornoCodBarra;
            marca(w, "RdBtnValidaOnl");
            digita(kArrecadacao);
            tecla(Qt::Key_Return);
            vistos << (w.isVisible() ? "aberta" : "fechada") << dialogo().RetornoCodBarra;
            tecla(Qt::Key_Escape);
            vistos << (w.isVisible() ? "aberta" : "fechada");
            clica(w, "BitBtn1");
        });
        dialogo().MostraParaValidacao();
        QCOMPARE(vistos, QStringList({"sem não valida", "aberta", "1:" + kCodigoInteiro, "aberta", "0:" + kArrecadacao,
                                      "aberta"}));
        // Switching to on-line checking starts from the keys typed after it,
        // not from the code checked before.
        QCOMPARE(verificados(), QStringList({kCodigoInteiro, "8", "83", kArrecadacao.left(12), kArrecadacao.left(24),
                                             kArrecadacao.left(36), kArrecadacao}));
        QCOMPARE(dialogo().LblCabecalhoCodBarra()->text(), QStringLiteral("Validação do Código de Barras"));
        QVERIFY(!estado().ModoCorrespondente);
        QCOMPARE(dialogo().continua(), -1);

        // Closed in block mode; the command loop gets the single field back,
        // with "Não Valida" offered again.
        dialogo().ExibeNaoValida();
        QStringList noLaco;
        platform::modal::expect("FrmCodBarra", [&](QDialog& w) {
            auto* naoValida = controle<QRadioButton>(w, "RdBtnNaoValida");
            noLaco << (naoValida->isVisible() && naoValida->isEnabled() ? "não valida" : "?")
                   << QApplication::focusWidget()->objectName();
            clica(w, "BitBtn1");
        });
        dialogo().MostraParaLaco(QString());
        QCOMPARE(noLaco, QStringList({"não valida", "EdtCodBarra"}));
        KAVEX_VERIFY_SEAMS();
    }
};

QTEST_MAIN(TstBarcodeDialog)
#include "tst_barcodedialog.moc"
