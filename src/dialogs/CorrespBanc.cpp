#include "dialogs/CorrespBanc.h"
#include "ui_CorrespBanc.h"

#include "core/EstadoConsole.h"
#include "fluxos/CodigoBarras.h"
#include "widgets/Modal.h"

#include <QFontMetrics>
#include <QKeyEvent>

#include <algorithm>
#include <array>

namespace {

const QString kErroNoCampo =
    QStringLiteral("Código de Barras digitado incorretamente no campo em vermelho. Favor Redigitar!");
const QString kErroComoUmTodo =
    QStringLiteral("Código de Barras digitado incorretamente como um todo. Favor Redigitar!");

// A whole bar code, as a reader delivers it; anything else is a typed line.
constexpr qsizetype kTamCodigoInteiro = 44;

// What the library's answers mean to this dialog.
// Results 1 to 4 name the wrong block.
constexpr int16_t kValido = 0;
constexpr int16_t kBloco1Errado = 1;
constexpr int16_t kErradoComoUmTodo = 5;
constexpr int16_t kTipoArrecadacao = 0;
constexpr int16_t kTipoBoleto = 1;

constexpr int kBlocos = 4;

// Digits in the left and right fields of blocks 1 to 4: a bank bill's typed
// line has 47, a collection bill's 48.
struct Tamanhos {
    int esquerdo;
    int direito;
};
constexpr std::array<Tamanhos, kBlocos> kTamanhosBoleto = {{{5, 5}, {5, 6}, {5, 6}, {1, 14}}};
constexpr std::array<Tamanhos, kBlocos> kTamanhosArrecadacao = {{{6, 6}, {6, 6}, {6, 6}, {6, 6}}};

// The character a key press types, as the window sees it before the field
// does: printable characters, Backspace, Enter and Escape. Null for keys that
// type nothing (arrows, Tab, shortcuts).
QChar teclaDe(const QKeyEvent& evento) {
    switch (evento.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(u'\r');
    case Qt::Key_Backspace:
        return QChar(u'\b');
    case Qt::Key_Escape:
        return QChar(u'\x1b');
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return {};
    default:
        break;
    }
    const QString texto = evento.text();
    if (texto.isEmpty() || !texto.at(0).isPrint()) {
        return {};
    }
    return texto.at(0);
}

bool eEnter(QChar tecla) {
    return tecla == QChar(u'\r');
}

// A field at least as wide as `digitos`, which does not grow with the window
// (a growing field would make its panel grow too and move the panels after
// it).
void larguraPara(QLineEdit* campo, int digitos) {
    campo->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    const QFontMetrics metricas(campo->font());
    const int largura =
        metricas.horizontalAdvance(QString(digitos, QLatin1Char('0'))) + 4 * metricas.averageCharWidth();
    campo->setFixedWidth(std::max(campo->minimumWidth(), largura));
}

// The key being typed is the one that fills `campo`.
bool completa(const QLineEdit* campo, int tamanho) {
    return campo->text().size() == tamanho - 1;
}

} // namespace

TFrmCodBarra::TFrmCodBarra(EstadoConsole& estado, QWidget* parent)
    : DialogoModal(estado, parent), ui(std::make_unique<Ui::TFrmCodBarra>()) {
    ui->setupUi(this);
    // The library's prompt is shown as it comes, never as markup.
    ui->LblCabecalhoCodBarra->setTextFormat(Qt::PlainText);
    // Escape means nothing here; only "&Encerra" and "&Volta" close the
    // window.
    configuraJanela(Moldura::FerramentaSemFechar, true);

    // A block field is as wide as the most digits it holds in either layout,
    // so the fourth panel of either layout stands at the same place after
    // the third.
    for (const bool boleto : {true, false}) {
        for (int n = 1; n <= kBlocos; ++n) {
            const Bloco b = bloco(n, boleto);
            larguraPara(b.esquerdo, b.tamEsquerdo);
            larguraPara(b.direito, b.tamDireito);
        }
    }
    larguraPara(ui->EdtCodBarra, 48);
    escondePaineis();
    restauraCores();
    ui->pnlmsg->hide();

    tratadores_ = {{ui->EdtCodBarra, &TFrmCodBarra::EdtCodBarraKeyPress},
                   {ui->Edit1, &TFrmCodBarra::Edit1KeyPress},
                   {ui->Edit2, &TFrmCodBarra::Edit2KeyPress},
                   {ui->Edit3, &TFrmCodBarra::Edit3KeyPress},
                   {ui->Edit4, &TFrmCodBarra::Edit4KeyPress},
                   {ui->Edit5, &TFrmCodBarra::Edit5KeyPress},
                   {ui->Edit6, &TFrmCodBarra::Edit6KeyPress},
                   {ui->Edit7, &TFrmCodBarra::Edit7KeyPress},
                   {ui->Edit8, &TFrmCodBarra::Edit8KeyPress},
                   {ui->Edit9, &TFrmCodBarra::Edit9KeyPress},
                   {ui->Edit10, &TFrmCodBarra::Edit10KeyPress}};
    for (const auto& [campo, tratador] : tratadores_) {
        campo->installEventFilter(this);
    }
    connect(ui->RdBtnValidaOnl, &QRadioButton::clicked, this, &TFrmCodBarra::RdBtnValidaOnlClick);
    connect(ui->RdBtnValidaFnl, &QRadioButton::clicked, this, &TFrmCodBarra::RdBtnValidaFnlClick);
    connect(ui->RdBtnNaoValida, &QRadioButton::clicked, this, &TFrmCodBarra::RdBtnNaoValidaClick);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TFrmCodBarra::BitBtn1Click);
    connect(ui->BtnVolta, &QPushButton::clicked, this, &TFrmCodBarra::BtnVoltaClick);
}

TFrmCodBarra::~TFrmCodBarra() = default;

QLabel* TFrmCodBarra::LblCabecalhoCodBarra() const {
    return ui->LblCabecalhoCodBarra;
}

// ---- callers --------------------------------------------------------------

void TFrmCodBarra::MostraParaLaco(const QString& mensagem) {
    estado_.ModoCorrespondente = true;
    ExibeCampoCodBarra();
    ui->LblCabecalhoCodBarra->setText(mensagem);
    platform::modal::showModal(*this);
}

void TFrmCodBarra::MostraParaValidacao() {
    ExibeCampoCodBarra();
    estado_.ModoCorrespondente = false;
    ui->RdBtnNaoValida->hide();
    ui->LblCabecalhoCodBarra->setText(QStringLiteral("Validação do Código de Barras"));
    platform::modal::showModal(*this);
}

void TFrmCodBarra::ExibeNaoValida() {
    ui->RdBtnNaoValida->show();
}

void TFrmCodBarra::ExibeCampoCodBarra() {
    if (ui->EdtCodBarra->isHidden()) {
        ui->EdtCodBarra->show();
        ui->EdtCodBarra->clear();
    }
}

// ---- activation -----------------------------------------------------------

void TFrmCodBarra::FormActivate() {
    ui->EdtCodBarra->setFocus();
    if (estado_.ModoCorrespondente) {
        ui->RdBtnNaoValida->setEnabled(true);
    }
    ui->RdBtnValidaFnl->setEnabled(true);
    ui->RdBtnValidaFnl->setChecked(true);
    escondePaineis();
    CodigoBarras.clear();
    ui->lblstscodigo->clear();
    limpaBlocos();
    ui->EdtCodBarra->clear();
    ui->lblTipo->setText(QStringLiteral("0"));
    ui->lblResult->setText(QStringLiteral("0"));
    ui->pnlmsg->hide();
    restauraCores();
}

// ---- single field ---------------------------------------------------------

void TFrmCodBarra::EdtCodBarraKeyPress(QChar tecla) {
    if (eEnter(tecla)) {
        TipoCodBarra = 0;
        ResultadoValidacao = 0;
        CodigoBarras = ui->EdtCodBarra->text();
        if (CodigoBarras.isEmpty()) {
            CodigoBarras = QStringLiteral("0");
        }
        if (!ui->RdBtnNaoValida->isChecked()) {
            validaCodigo();
        }
        mostraNumeros();
        if (ResultadoValidacao == kValido) {
            aceita(CodigoBarras.size() == kTamCodigoInteiro ? QStringLiteral("1:") : QStringLiteral("0:"));
        }
        return;
    }
    if (!ui->RdBtnValidaOnl->isChecked()) {
        return;
    }
    CodigoBarras += tecla;
    // The first two characters are enough for the library to tell the kind
    // of bill; the type it last reported stands until it reports another.
    if (CodigoBarras.size() == 1 || CodigoBarras.size() == 2) {
        validaCodigo();
        mostraNumeros();
    }
    if (CodigoBarras.size() >= 2 && TipoCodBarra == kTipoArrecadacao) {
        entraEmBlocos(false);
    } else if (CodigoBarras.size() >= 2 && TipoCodBarra == kTipoBoleto) {
        entraEmBlocos(true);
    }
    ajustaLimites();
}

void TFrmCodBarra::entraEmBlocos(bool boleto) {
    ui->pnlbl1->show();
    ui->pnlbl2->show();
    ui->pnlbl3->show();
    // Only one fourth panel is shown at a time; in the row they share the
    // place after the third panel.
    ui->pnlbl41->setVisible(boleto);
    ui->pnlbl42->setVisible(!boleto);
    ui->Edit1->setText(CodigoBarras);
    ui->Edit1->setFocus();
    ui->EdtCodBarra->hide();
    ui->RdBtnValidaFnl->setEnabled(false);
    if (ui->RdBtnNaoValida->isEnabled()) {
        ui->RdBtnNaoValida->setEnabled(false);
    }
}

void TFrmCodBarra::ajustaLimites() {
    if (!emBoleto() && !emArrecadacao()) {
        return;
    }
    for (int n = 1; n <= kBlocos; ++n) {
        const Bloco b = bloco(n);
        b.esquerdo->setMaxLength(b.tamEsquerdo);
        b.direito->setMaxLength(b.tamDireito);
    }
}

// ---- block entry ----------------------------------------------------------
//
// Each handler runs before the typed character enters its field: "holding n"
// means the character being typed is the (n+1)-th, and it stays in the field
// in which it was typed even when the focus moves on.

void TFrmCodBarra::Edit1KeyPress(QChar) {
    passaAoDireito(1);
}

void TFrmCodBarra::Edit2KeyPress(QChar tecla) {
    verificaAoCompletar(1, tecla);
}

void TFrmCodBarra::Edit4KeyPress(QChar) {
    passaAoDireito(2);
}

void TFrmCodBarra::Edit3KeyPress(QChar tecla) {
    verificaAoCompletar(2, tecla);
}

void TFrmCodBarra::Edit5KeyPress(QChar) {
    passaAoDireito(3);
}

void TFrmCodBarra::Edit6KeyPress(QChar tecla) {
    verificaAoCompletar(3, tecla);
}

// The bank bill's one-digit field: any key moves on to the field after it.
void TFrmCodBarra::Edit7KeyPress(QChar) {
    ui->Edit8->setFocus();
}

void TFrmCodBarra::Edit8KeyPress(QChar tecla) {
    if (eEnter(tecla)) {
        Passo4();
    }
}

void TFrmCodBarra::Edit9KeyPress(QChar) {
    passaAoDireito(4);
}

void TFrmCodBarra::Edit10KeyPress(QChar tecla) {
    if (eEnter(tecla)) {
        Passo4();
    }
}

void TFrmCodBarra::Edit1Enter() {
    ui->Edit1->deselect();
    ui->Edit1->end(false);
}

void TFrmCodBarra::passaAoDireito(int n) {
    const Bloco b = bloco(n);
    if (completa(b.esquerdo, b.tamEsquerdo)) {
        b.direito->setFocus();
    }
}

void TFrmCodBarra::verificaAoCompletar(int n, QChar tecla) {
    const Bloco b = bloco(n);
    if (completa(b.direito, b.tamDireito)) {
        TeclaDigitada = tecla;
        passo(n);
    }
}

void TFrmCodBarra::Passo1() {
    passo(1);
}

void TFrmCodBarra::Passo2() {
    passo(2);
}

void TFrmCodBarra::Passo3() {
    passo(3);
}

void TFrmCodBarra::Passo4() {
    passo(4);
}

void TFrmCodBarra::montaCodigo(int blocos) {
    CodigoBarras.clear();
    for (int n = 1; n <= blocos; ++n) {
        const Bloco b = bloco(n);
        CodigoBarras += b.esquerdo->text() + b.direito->text();
    }
    // The block being completed is checked with the key that completes it,
    // which is not in its field yet.
    if (blocos < kBlocos) {
        CodigoBarras += TeclaDigitada;
    }
}

void TFrmCodBarra::passo(int n) {
    montaCodigo(n);
    validaCodigo();
    if (n == kBlocos) {
        mostraNumeros();
    }
    if (ResultadoValidacao == kValido) {
        if (n < kBlocos) {
            pinta(bloco(n).painel, false);
            bloco(n + 1).esquerdo->setFocus();
            escondeErro();
        } else {
            restauraCores();
            escondeErro();
            aceita(QStringLiteral("0:"));
        }
    } else if (ResultadoValidacao >= kBloco1Errado && ResultadoValidacao <= n) {
        // Only a block checked in this step can be reported wrong; the first
        // step also selects its text for retyping.
        const Bloco errado = bloco(ResultadoValidacao);
        pinta(errado.painel, true);
        if (n == 1) {
            focaSelecionando(errado.esquerdo);
        } else {
            errado.esquerdo->setFocus();
        }
        mostraErro(false);
    } else if (ResultadoValidacao == kErradoComoUmTodo && n >= 3) {
        // The code as a whole is judged from the third block on.
        for (int b = 1; b <= kBlocos; ++b) {
            pinta(bloco(b).painel, true);
        }
        focaSelecionando(ui->Edit1);
        mostraErro(true);
    }
}

// ---- buttons and modes ----------------------------------------------------

void TFrmCodBarra::BitBtn1Click() {
    encerra();
}

void TFrmCodBarra::BtnVoltaClick() {
    if (!ui->EdtCodBarra->isHidden()) {
        volta();
        return;
    }
    // Back from the blocks to the single field; the dialog stays open and
    // the last report (message band, red panels) stays in view.
    escondePaineis();
    ui->RdBtnValidaOnl->setEnabled(true);
    ui->RdBtnValidaFnl->setEnabled(true);
    if (!ui->RdBtnNaoValida->isEnabled() && estado_.ModoCorrespondente) {
        ui->RdBtnNaoValida->setEnabled(true);
    }
    CodigoBarras.clear();
    limpaBlocos();
    ui->EdtCodBarra->show();
    ui->RdBtnValidaFnl->setChecked(true);
    ui->EdtCodBarra->clear();
    ui->EdtCodBarra->setFocus();
}

void TFrmCodBarra::RdBtnValidaOnlClick() {
    ui->EdtCodBarra->clear();
    // On-line checking builds the code from the keys typed from now on; a
    // code left from an earlier check would otherwise fill the first block
    // with its digits and pick the layout from its stale type.
    CodigoBarras.clear();
    ui->EdtCodBarra->setFocus();
}

void TFrmCodBarra::RdBtnValidaFnlClick() {
    ui->EdtCodBarra->setFocus();
}

void TFrmCodBarra::RdBtnNaoValidaClick() {
    ui->EdtCodBarra->setFocus();
}

// ---- helpers --------------------------------------------------------------

bool TFrmCodBarra::emBoleto() const {
    return !ui->pnlbl41->isHidden();
}

bool TFrmCodBarra::emArrecadacao() const {
    return !ui->pnlbl42->isHidden();
}

TFrmCodBarra::Bloco TFrmCodBarra::bloco(int n) const {
    return bloco(n, emBoleto());
}

TFrmCodBarra::Bloco TFrmCodBarra::bloco(int n, bool boleto) const {
    const Tamanhos t = (boleto ? kTamanhosBoleto : kTamanhosArrecadacao).at(n - 1);
    switch (n) {
    case 1:
        return {ui->pnlbl1, ui->Edit1, ui->Edit2, t.esquerdo, t.direito};
    case 2:
        return {ui->pnlbl2, ui->Edit4, ui->Edit3, t.esquerdo, t.direito};
    case 3:
        return {ui->pnlbl3, ui->Edit5, ui->Edit6, t.esquerdo, t.direito};
    default:
        return boleto ? Bloco{ui->pnlbl41, ui->Edit7, ui->Edit8, t.esquerdo, t.direito}
                      : Bloco{ui->pnlbl42, ui->Edit9, ui->Edit10, t.esquerdo, t.direito};
    }
}

std::array<QFrame*, 5> TFrmCodBarra::paineis() const {
    return {ui->pnlbl1, ui->pnlbl2, ui->pnlbl3, ui->pnlbl41, ui->pnlbl42};
}

void TFrmCodBarra::escondePaineis() {
    for (QFrame* painel : paineis()) {
        painel->hide();
    }
}

void TFrmCodBarra::restauraCores() {
    for (QFrame* painel : paineis()) {
        pinta(painel, false);
    }
}

void TFrmCodBarra::validaCodigo() {
    ResultadoValidacao = fluxos::validaCodigoBarras(biblioteca(), CodigoBarras, TipoCodBarra);
}

void TFrmCodBarra::mostraNumeros() {
    ui->lblTipo->setText(QString::number(TipoCodBarra));
    ui->lblResult->setText(QString::number(ResultadoValidacao));
}

void TFrmCodBarra::aceita(const QString& prefixo) {
    RetornoCodBarra = prefixo + CodigoBarras;
    // As a checking tool the dialog stays open with the result in view.
    if (estado_.ModoCorrespondente) {
        fecha();
    }
}

void TFrmCodBarra::pinta(QFrame* painel, bool errado) {
    QPalette cores = painel->palette();
    cores.setColor(QPalette::Window, errado ? QColor(Qt::red) : palette().color(QPalette::Button));
    painel->setPalette(cores);
}

void TFrmCodBarra::focaSelecionando(QLineEdit* campo) {
    campo->setFocus();
    campo->selectAll();
}

void TFrmCodBarra::mostraErro(bool comoUmTodo) {
    ui->lblstscodigo->setText(comoUmTodo ? kErroComoUmTodo : kErroNoCampo);
    ui->pnlmsg->show();
    ui->lblResult->setText(QString::number(ResultadoValidacao));
}

void TFrmCodBarra::escondeErro() {
    ui->pnlmsg->hide();
    ui->lblstscodigo->clear();
    ui->lblResult->setText(QStringLiteral("0"));
}

void TFrmCodBarra::limpaBlocos() {
    for (QLineEdit* campo : {ui->Edit1, ui->Edit2, ui->Edit3, ui->Edit4, ui->Edit5, ui->Edit6, ui->Edit7, ui->Edit8,
                             ui->Edit9, ui->Edit10}) {
        campo->clear();
    }
}

// ---- events ---------------------------------------------------------------

bool TFrmCodBarra::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && watched == ui->Edit1) {
        // The field takes the focus in its own way first (entering by Tab
        // would select its text), then the caret goes after the text.
        watched->event(event);
        Edit1Enter();
        return true;
    }
    if (event->type() != QEvent::KeyPress) {
        return DialogoModal::eventFilter(watched, event);
    }
    QChar tecla = teclaDe(*static_cast<QKeyEvent*>(event));
    // Escape types nothing into the single field; in a block it starts the
    // block's check like any other key.
    if (watched == ui->EdtCodBarra && tecla == QChar(u'\x1b')) {
        tecla = QChar();
    }
    const auto tratador = tratadores_.find(watched);
    if (!tecla.isNull() && tratador != tratadores_.end()) {
        (this->*tratador->second)(tecla);
    }
    // The character still goes into the field, as typed.
    return false;
}
