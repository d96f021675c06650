#include "dialogs/SelecionaChq.h"
#include "ui_SelecionaChq.h"

TFrmCnsChq::TFrmCnsChq(EstadoConsole& estado, QWidget* parent)
    : DialogoModal(estado, parent), ui(std::make_unique<Ui::TFrmCnsChq>()) {
    ui->setupUi(this);
    // A tool window whose frame offers no close control: the choice or
    // "&Encerra" are the only ways out; Escape means nothing here.
    configuraJanela(Moldura::FerramentaSemFechar, false);
    connect(ui->CheckBox1, &QCheckBox::clicked, this, &TFrmCnsChq::CheckBox1Click);
    connect(ui->CheckBox2, &QCheckBox::clicked, this, &TFrmCnsChq::CheckBox2Click);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TFrmCnsChq::BitBtn1Click);
}

TFrmCnsChq::~TFrmCnsChq() = default;

QCheckBox* TFrmCnsChq::CheckBox1() const {
    return ui->CheckBox1;
}

QCheckBox* TFrmCnsChq::CheckBox2() const {
    return ui->CheckBox2;
}

void TFrmCnsChq::PreparaEscolha() {
    for (QCheckBox* caixa : {ui->CheckBox1, ui->CheckBox2}) {
        caixa->setChecked(false);
        caixa->setEnabled(true);
    }
}

void TFrmCnsChq::FormActivate() {
    ui->CheckBox1->setFocus();
}

void TFrmCnsChq::CheckBox1Click() {
    escolhe(false);
}

void TFrmCnsChq::CheckBox2Click() {
    escolhe(true);
}

void TFrmCnsChq::escolhe(bool cmc7) {
    // Disabled so that a second tick cannot change the choice before the
    // window is gone.
    ui->CheckBox1->setEnabled(false);
    ui->CheckBox2->setEnabled(false);
    UsaCMC7 = cmc7;
    fecha();
}

void TFrmCnsChq::BitBtn1Click() {
    encerra();
}
