#include "dialogs/ColetaDadosCMC7.h"
#include "ui_ColetaDadosCMC7.h"

#include "widgets/Icones.h"

#include <algorithm>

namespace {
// A valid sample line as a reader on a Brazilian keyboard delivers it: the
// final "Ç" must reach the library as the single byte 199.
const QString kAmostraCMC7 = QStringLiteral("<00109773<0188500045>701000616977Ç");
// Long enough for any minimum length the library may ask for a CMC-7 line.
const QString kCMC7Encerrado = QString(34, QLatin1Char('0'));
} // namespace

TFrmCMC7::TFrmCMC7(EstadoConsole& estado, QWidget* parent)
    : DialogoModal(estado, parent), ui(std::make_unique<Ui::TFrmCMC7>()) {
    ui->setupUi(this);
    // Escape means nothing here; only the buttons close the window.
    configuraJanela(Moldura::FerramentaSemFechar, false);
    connect(ui->BitBtnConsulta, &QPushButton::clicked, this, &TFrmCMC7::BitBtnConsultaClick);
    connect(ui->BitBtnPreencher, &QPushButton::clicked, this, &TFrmCMC7::BitBtnPreencherClick);
    connect(ui->BitBtnEncerra, &QPushButton::clicked, this, &TFrmCMC7::BitBtnEncerraClick);
    connect(ui->EdtCMC7, &QLineEdit::textEdited, this, &TFrmCMC7::EdtCMC7Edited);
    ui->CMC7->setTextFormat(Qt::PlainText);
    limite_ = ui->EdtCMC7->maxLength();
}

void TFrmCMC7::preparaAparencia() {
    DialogoModal::preparaAparencia();
    ui->BitBtnPreencher->setIcon(platform::icones::ajuda(*this));
}

TFrmCMC7::~TFrmCMC7() = default;

QLabel* TFrmCMC7::CMC7() const {
    return ui->CMC7;
}

QLineEdit* TFrmCMC7::EdtCMC7() const {
    return ui->EdtCMC7;
}

void TFrmCMC7::LimitaCMC7(int16_t tamanhoMaximo) {
    limitaTamanho(ui->EdtCMC7, tamanhoMaximo);
    limite_ = ui->EdtCMC7->maxLength();
}

void TFrmCMC7::MostraCMC7(const QString& solicitacao) {
    ui->CMC7->setText(semAceleradores(solicitacao));
}

// Once the operator edits the sample, the box shrinks back towards the
// library's limit, so nothing longer than it can be typed.
void TFrmCMC7::EdtCMC7Edited() {
    const int comprimento = static_cast<int>(ui->EdtCMC7->text().size());
    if (ui->EdtCMC7->maxLength() > limite_) {
        ui->EdtCMC7->setMaxLength(std::max(limite_, comprimento));
    }
}

void TFrmCMC7::LimpaCampo() {
    ui->EdtCMC7->clear();
}

void TFrmCMC7::FormActivate() {
    ui->EdtCMC7->setFocus();
}

void TFrmCMC7::BitBtnConsultaClick() {
    DadosCMC7 = ui->EdtCMC7->text();
    fecha();
}

void TFrmCMC7::BitBtnPreencherClick() {
    // The sample is longer than the usual limit of 30 and must not be cut,
    // so the box's limit grows to hold it (an edit box never keeps more text
    // than its limit) until the operator edits it.
    ui->EdtCMC7->setMaxLength(std::max<int>(ui->EdtCMC7->maxLength(), static_cast<int>(kAmostraCMC7.size())));
    ui->EdtCMC7->setText(kAmostraCMC7);
}

void TFrmCMC7::BitBtnEncerraClick() {
    DadosCMC7 = kCMC7Encerrado;
    encerra();
}
