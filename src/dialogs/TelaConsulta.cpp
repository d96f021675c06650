#include "dialogs/TelaConsulta.h"
#include "ui_TelaConsulta.h"

TFrmConsultas::TFrmConsultas(EstadoConsole& estado, QWidget* parent)
    : DialogoModal(estado, parent), ui(std::make_unique<Ui::TFrmConsultas>()) {
    ui->setupUi(this);
    configuraJanela(Moldura::FerramentaSemFechar, true);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TFrmConsultas::BitBtn1Click);
}

void TFrmConsultas::preparaAparencia() {
    DialogoModal::preparaAparencia();
    ui->MemoConsultas->setFont(fonteFixa());
}

TFrmConsultas::~TFrmConsultas() = default;

QPlainTextEdit* TFrmConsultas::MemoConsultas() const {
    return ui->MemoConsultas;
}

void TFrmConsultas::FormActivate() {
    ui->BitBtn1->setFocus();
}

void TFrmConsultas::BitBtn1Click() {
    fecha();
}
