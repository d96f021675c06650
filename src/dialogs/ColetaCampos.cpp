#include "dialogs/ColetaCampos.h"
#include "ui_ColetaCampos.h"

#include "core/EstadoConsole.h"

namespace {
const QString kCampoCancelado = QStringLiteral("0000000000000");
}

TFrmColeta::TFrmColeta(EstadoConsole& estado, QWidget* parent)
    : DialogoModal(estado, parent), ui(std::make_unique<Ui::TFrmColeta>()) {
    ui->setupUi(this);
    configuraJanela(Moldura::FerramentaSemFechar, true);
    filtraTeclas(ui->EdtColeta, [this](QChar& Key) { EdtColetaKeyPress(Key); });
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TFrmColeta::BitBtn1Click);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &TFrmColeta::BitBtn2Click);
    connect(ui->RdBtnCtn0, &QRadioButton::clicked, this, &TFrmColeta::RdBtnCtn0Click);
    connect(ui->RdBtnCtn1000, &QRadioButton::clicked, this, &TFrmColeta::RdBtnCtn1000Click);
}

TFrmColeta::~TFrmColeta() = default;

QLineEdit* TFrmColeta::EdtColeta() const {
    return ui->EdtColeta;
}

QRadioButton* TFrmColeta::RdBtnCtn1000() const {
    return ui->RdBtnCtn1000;
}

void TFrmColeta::MostraSolicitacao(const QString& solicitacao) {
    ui->CabecalhoSolicitacao->setText(semAceleradores(solicitacao));
}

void TFrmColeta::LimitaTamanho(int tamanhoMaximo) {
    limitaTamanho(ui->EdtColeta, tamanhoMaximo);
}

void TFrmColeta::FormShow() {
    ui->EdtColeta->clear();
}

void TFrmColeta::FormActivate() {
    ui->EdtColeta->setFocus();
    ui->RdBtnCtn0->setChecked(true);
}

void TFrmColeta::EdtColetaKeyPress(QChar& Key) {
    if (Key == u'\r') {
        CampoColetado = ui->EdtColeta->text();
        fecha();
    }
}

void TFrmColeta::BitBtn1Click() {
    CampoColetado = kCampoCancelado;
    encerra();
}

void TFrmColeta::BitBtn2Click() {
    CampoColetado = kCampoCancelado;
    volta();
}

void TFrmColeta::RdBtnCtn0Click() {
    ui->EdtColeta->setFocus();
}

void TFrmColeta::RdBtnCtn1000Click() {
    ui->EdtColeta->setFocus();
}
