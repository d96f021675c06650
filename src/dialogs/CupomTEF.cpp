#include "dialogs/CupomTEF.h"
#include "ui_CupomTEF.h"

TFrmCupomTEF::TFrmCupomTEF(EstadoConsole& estado, QWidget* parent)
    : DialogoModal(estado, parent), ui(std::make_unique<Ui::TFrmCupomTEF>()) {
    ui->setupUi(this);
    configuraJanela(Moldura::FerramentaSemFechar, true);
    connect(ui->BtnConfirma, &QPushButton::clicked, this, &TFrmCupomTEF::BtnConfirmaClick);
    connect(ui->BtnNaoConfirma, &QPushButton::clicked, this, &TFrmCupomTEF::BtnNaoConfirmaClick);
    connect(ui->BtnPendente, &QPushButton::clicked, this, &TFrmCupomTEF::BtnPendenteClick);
}

void TFrmCupomTEF::preparaAparencia() {
    DialogoModal::preparaAparencia();
    ui->MemCupom->setFont(fonteFixa());
}

TFrmCupomTEF::~TFrmCupomTEF() = default;

QPlainTextEdit* TFrmCupomTEF::MemCupom() const {
    return ui->MemCupom;
}

void TFrmCupomTEF::FormActivate() {
    ui->BtnConfirma->setFocus();
}

// Esc is the pending button's key.
void TFrmCupomTEF::TeclaEsc() {
    ui->BtnPendente->click();
}

void TFrmCupomTEF::BtnConfirmaClick() {
    OpcaoConfirmacao = Confirma;
    fecha();
}

void TFrmCupomTEF::BtnNaoConfirmaClick() {
    OpcaoConfirmacao = Desfaz;
    fecha();
}

void TFrmCupomTEF::BtnPendenteClick() {
    OpcaoConfirmacao = Pendente;
    fecha();
}
