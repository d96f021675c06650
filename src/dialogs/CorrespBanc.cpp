#include "dialogs/CorrespBanc.h"
#include "ui_CorrespBanc.h"

#include "app/EstadoConsole.h"
#include "library/KavexLibrary.h"
#include "platform/Modal.h"
#include "platform/Win1252.h"

#include <QFontMetrics>
#include <QKeyEvent>

namespace {

const QString kErroNoCampo =
    QStringLiteral("Código de Barras digitado incorretamente no campo em vermelho. Favor Redigitar!");
const QString kErroComoUmTodo =
    QStringLiteral("Código de Barras digitado incorretamente como um todo. Favor Redigitar!");

// A whole bar code, as a reader delivers it; anything else is a typed line.
constexpr qsizetype kTamCodigoInteiro = 44;

// What the library's answers mean to this dialog.
constexpr int16_t kValido = 0;
constexpr int16_t kBloco1Errado = 1;
constexpr int16_t kBloco2Errado = 2;
constexpr int16_t kBloco3Errado = 3;
constexpr int16_t kBloco4Errado = 4;
constexpr int16_t kErradoComoUmTodo = 5;
constexpr int16_t kTipoArrecadacao = 0;
constexpr int16_t kTipoBoleto = 1;

// Left fields of blocks 1 to 3: five digits in a bank bill, six in a
// collection bill.
constexpr int kLadoBoleto = 5;
constexpr int kLadoArrecadacao = 6;
// Right fields of blocks 2 and 3 (and the collection bill's fourth block)
// hold six digits in both layouts.
constexpr int kLadoDireito = 6;

// The character a key press types, as the window sees it before the field
// does: printable characters, Backspace and Enter. Null for keys that type
// nothing (arrows, Tab, Escape, shortcuts).
QChar teclaDe(const QKeyEvent& evento) {
    switch (evento.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QChar(u'\r');
    case Qt::Key_Backspace:
        return QChar(u'\b');
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
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

// A field as wide as its digits, which does not grow with the window (a
// growing field would make its panel grow too and move the panels after it).
void larguraPara(QLineEdit* campo, int digitos) {
    campo->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    const QFontMetrics metricas(campo->font());
    campo->setFixedWidth(metricas.horizontalAdvance(QString(digitos, QLatin1Char('0'))) +
                         4 * metricas.averageCharWidth());
}

} // namespace

TFrmCodBarra::TFrmCodBarra(EstadoConsole& estado, QWidget* parent)
    : DialogoModal(estado, parent), ui(std::make_unique<Ui::TFrmCodBarra>()) {
    ui->setupUi(this);
    // Escape means nothing here; only "&Encerra" and "&Volta" close the
    // window.
    configuraJanela(Moldura::FerramentaSemFechar, true, {.redimensionavel = true, .enterSoNoBotaoPadrao = true});

    // The block fields keep their size in both layouts, so the fourth panel
    // of either layout stands at the same place after the third.
    for (QLineEdit* campo : {ui->Edit1, ui->Edit2, ui->Edit3, ui->Edit4, ui->Edit5, ui->Edit6, ui->Edit9, ui->Edit10}) {
        larguraPara(campo, kLadoDireito);
    }
    larguraPara(ui->Edit7, 1);
    larguraPara(ui->Edit8, 14);
    larguraPara(ui->EdtCodBarra, 48);
    for (QFrame* painel : {ui->pnlbl1, ui->pnlbl2, ui->pnlbl3, ui->pnlbl41, ui->pnlbl42}) {
        painel->hide();
        pinta(painel, false);
    }
    ui->pnlmsg->hide();

    for (QLineEdit* campo : {ui->EdtCodBarra, ui->Edit1, ui->Edit2, ui->Edit3, ui->Edit4, ui->Edit5, ui->Edit6,
                             ui->Edit7, ui->Edit8, ui->Edit9, ui->Edit10}) {
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
    estado_.Continua = 0;
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
    for (QFrame* painel : {ui->pnlbl1, ui->pnlbl2, ui->pnlbl3, ui->pnlbl41, ui->pnlbl42}) {
        painel->hide();
    }
    CodigoBarras.clear();
    ui->lblstscodigo->clear();
    limpaBlocos();
    ui->EdtCodBarra->clear();
    ui->lblTipo->setText(QStringLiteral("0"));
    ui->lblResult->setText(QStringLiteral("0"));
    ui->pnlmsg->hide();
    for (QFrame* painel : {ui->pnlbl1, ui->pnlbl2, ui->pnlbl3, ui->pnlbl41, ui->pnlbl42}) {
        pinta(painel, false);
    }
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
    int limite = 0;
    if (emBoleto()) {
        limite = kLadoBoleto;
    } else if (emArrecadacao()) {
        limite = kLadoArrecadacao;
    } else {
        return;
    }
    for (QLineEdit* campo : {ui->Edit1, ui->Edit2, ui->Edit4, ui->Edit5}) {
        campo->setMaxLength(limite);
    }
}

// ---- block entry ----------------------------------------------------------
//
// Each handler runs before the typed character enters its field: "holding n"
// means the character being typed is the (n+1)-th, and it stays in the field
// in which it was typed even when the focus moves on.

void TFrmCodBarra::Edit1KeyPress(QChar) {
    if (ui->Edit1->text().size() == (emBoleto() ? kLadoBoleto : kLadoArrecadacao) - 1) {
        ui->Edit2->setFocus();
    }
}

void TFrmCodBarra::Edit2KeyPress(QChar tecla) {
    if (ui->Edit2->text().size() == (emBoleto() ? kLadoBoleto : kLadoArrecadacao) - 1) {
        TeclaDigitada = tecla;
        Passo1();
    }
}

void TFrmCodBarra::Edit4KeyPress(QChar) {
    if (ui->Edit4->text().size() == (emBoleto() ? kLadoBoleto : kLadoArrecadacao) - 1) {
        ui->Edit3->setFocus();
    }
}

void TFrmCodBarra::Edit3KeyPress(QChar tecla) {
    if (ui->Edit3->text().size() == kLadoDireito - 1) {
        TeclaDigitada = tecla;
        Passo2();
    }
}

void TFrmCodBarra::Edit5KeyPress(QChar) {
    if (ui->Edit5->text().size() == (emBoleto() ? kLadoBoleto : kLadoArrecadacao) - 1) {
        ui->Edit6->setFocus();
    }
}

void TFrmCodBarra::Edit6KeyPress(QChar tecla) {
    if (ui->Edit6->text().size() == kLadoDireito - 1) {
        TeclaDigitada = tecla;
        Passo3();
    }
}

void TFrmCodBarra::Edit7KeyPress(QChar) {
    ui->Edit8->setFocus();
}

void TFrmCodBarra::Edit8KeyPress(QChar tecla) {
    if (eEnter(tecla)) {
        Passo4();
    }
}

void TFrmCodBarra::Edit9KeyPress(QChar) {
    if (ui->Edit9->text().size() == kLadoDireito - 1) {
        ui->Edit10->setFocus();
    }
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

void TFrmCodBarra::montaCodigo(int blocos) {
    CodigoBarras = ui->Edit1->text() + ui->Edit2->text();
    if (blocos >= 2) {
        CodigoBarras += ui->Edit4->text() + ui->Edit3->text();
    }
    if (blocos >= 3) {
        CodigoBarras += ui->Edit5->text() + ui->Edit6->text();
    }
    if (blocos < 4) {
        CodigoBarras += TeclaDigitada;
    } else if (emBoleto()) {
        CodigoBarras += ui->Edit7->text() + ui->Edit8->text();
    } else {
        CodigoBarras += ui->Edit9->text() + ui->Edit10->text();
    }
}

void TFrmCodBarra::Passo1() {
    montaCodigo(1);
    validaCodigo();
    switch (ResultadoValidacao) {
    case kValido:
        pinta(ui->pnlbl1, false);
        ui->Edit4->setFocus();
        escondeErro();
        break;
    case kBloco1Errado:
        pinta(ui->pnlbl1, true);
        focaSelecionando(ui->Edit1);
        mostraErro(false);
        break;
    default:
        break;
    }
}

void TFrmCodBarra::Passo2() {
    montaCodigo(2);
    validaCodigo();
    switch (ResultadoValidacao) {
    case kValido:
        pinta(ui->pnlbl2, false);
        ui->Edit5->setFocus();
        escondeErro();
        break;
    case kBloco1Errado:
        pinta(ui->pnlbl1, true);
        ui->Edit1->setFocus();
        mostraErro(false);
        break;
    case kBloco2Errado:
        pinta(ui->pnlbl2, true);
        ui->Edit4->setFocus();
        mostraErro(false);
        break;
    default:
        break;
    }
}

void TFrmCodBarra::Passo3() {
    montaCodigo(3);
    validaCodigo();
    switch (ResultadoValidacao) {
    case kValido:
        pinta(ui->pnlbl3, false);
        quartoCampo()->setFocus();
        escondeErro();
        break;
    case kBloco1Errado:
        pinta(ui->pnlbl1, true);
        ui->Edit1->setFocus();
        mostraErro(false);
        break;
    case kBloco2Errado:
        pinta(ui->pnlbl2, true);
        ui->Edit4->setFocus();
        mostraErro(false);
        break;
    case kBloco3Errado:
        pinta(ui->pnlbl3, true);
        ui->Edit5->setFocus();
        mostraErro(false);
        break;
    case kErradoComoUmTodo:
        for (QFrame* painel : {ui->pnlbl1, ui->pnlbl2, ui->pnlbl3, quartoPainel()}) {
            pinta(painel, true);
        }
        focaSelecionando(ui->Edit1);
        mostraErro(true);
        break;
    default:
        break;
    }
}

void TFrmCodBarra::Passo4() {
    montaCodigo(4);
    validaCodigo();
    mostraNumeros();
    switch (ResultadoValidacao) {
    case kValido:
        for (QFrame* painel : {ui->pnlbl1, ui->pnlbl2, ui->pnlbl3, ui->pnlbl41, ui->pnlbl42}) {
            pinta(painel, false);
        }
        escondeErro();
        aceita(QStringLiteral("0:"));
        break;
    case kBloco1Errado:
        pinta(ui->pnlbl1, true);
        ui->Edit1->setFocus();
        mostraErro(false);
        break;
    case kBloco2Errado:
        pinta(ui->pnlbl2, true);
        ui->Edit4->setFocus();
        mostraErro(false);
        break;
    case kBloco3Errado:
        pinta(ui->pnlbl3, true);
        ui->Edit5->setFocus();
        mostraErro(false);
        break;
    case kBloco4Errado:
        pinta(quartoPainel(), true);
        quartoCampo()->setFocus();
        mostraErro(false);
        break;
    case kErradoComoUmTodo:
        for (QFrame* painel : {ui->pnlbl1, ui->pnlbl2, ui->pnlbl3, quartoPainel()}) {
            pinta(painel, true);
        }
        focaSelecionando(ui->Edit1);
        mostraErro(true);
        break;
    default:
        break;
    }
}

// ---- buttons and modes ----------------------------------------------------

void TFrmCodBarra::BitBtn1Click() {
    encerra();
}

void TFrmCodBarra::BtnVoltaClick() {
    if (!ui->EdtCodBarra->isHidden()) {
        estado_.Continua = 1;
        fecha();
        return;
    }
    // Back from the blocks to the single field; the dialog stays open and
    // the last report (message band, red panels) stays in view.
    for (QFrame* painel : {ui->pnlbl1, ui->pnlbl2, ui->pnlbl3, ui->pnlbl41, ui->pnlbl42}) {
        painel->hide();
    }
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

QFrame* TFrmCodBarra::quartoPainel() const {
    return emBoleto() ? ui->pnlbl41 : ui->pnlbl42;
}

QLineEdit* TFrmCodBarra::quartoCampo() const {
    return emBoleto() ? ui->Edit7 : ui->Edit9;
}

void TFrmCodBarra::validaCodigo() {
    const QByteArray digitos = platform::toWin1252(CodigoBarras);
    ResultadoValidacao = estado_.biblioteca->ValidaCampoCodigoEmBarras(digitos.constData(), &TipoCodBarra);
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
    const QChar tecla = teclaDe(*static_cast<QKeyEvent*>(event));
    if (tecla.isNull()) {
        return false;
    }
    if (watched == ui->EdtCodBarra) {
        EdtCodBarraKeyPress(tecla);
    } else if (watched == ui->Edit1) {
        Edit1KeyPress(tecla);
    } else if (watched == ui->Edit2) {
        Edit2KeyPress(tecla);
    } else if (watched == ui->Edit3) {
        Edit3KeyPress(tecla);
    } else if (watched == ui->Edit4) {
        Edit4KeyPress(tecla);
    } else if (watched == ui->Edit5) {
        Edit5KeyPress(tecla);
    } else if (watched == ui->Edit6) {
        Edit6KeyPress(tecla);
    } else if (watched == ui->Edit7) {
        Edit7KeyPress(tecla);
    } else if (watched == ui->Edit8) {
        Edit8KeyPress(tecla);
    } else if (watched == ui->Edit9) {
        Edit9KeyPress(tecla);
    } else if (watched == ui->Edit10) {
        Edit10KeyPress(tecla);
    }
    // The character still goes into the field, as typed.
    return false;
}
