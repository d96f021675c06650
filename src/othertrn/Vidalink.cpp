#include "othertrn/Vidalink.h"
#include "ui_Vidalink.h"

#include "othertrn/CancVidalink.h"
#include "othertrn/ConsVlink.h"
#include "othertrn/VendaVidalink.h"
#include "widgets/Modal.h"

TFrmVidalink::TFrmVidalink(EstadoConsole& estado, QWidget* parent)
    : DialogoModal(estado, parent), ui(std::make_unique<Ui::TFrmVidalink>()) {
    ui->setupUi(this);
    configuraJanela(Moldura::Comum, true);
    connect(ui->BtnConsVidalink, &QPushButton::clicked, this, &TFrmVidalink::BtnConsVidalinkClick);
    connect(ui->BitBtn3, &QPushButton::clicked, this, &TFrmVidalink::BitBtn3Click);
    connect(ui->BitBtn5, &QPushButton::clicked, this, &TFrmVidalink::BitBtn5Click);
    connect(ui->BitBtn4, &QPushButton::clicked, this, &TFrmVidalink::BitBtn4Click);
}

TFrmVidalink::~TFrmVidalink() = default;

void TFrmVidalink::ligaJanelas(TFrmConsVidalink& consulta, TFrmVendaVidalink& venda, TFrmCncVidalink& cancelamento) {
    FrmConsVidalink = &consulta;
    FrmVendaVidalink = &venda;
    FrmCncVidalink = &cancelamento;
}

void TFrmVidalink::FormShow() {
    EscolhaFeita = OperadorLaco::EscolhaVidalink::Nenhuma;
    ui->BtnConsVidalink->setFocus();
}

void TFrmVidalink::BtnConsVidalinkClick() {
    EscolhaFeita = OperadorLaco::EscolhaVidalink::Consulta;
    platform::modal::showModal(*FrmConsVidalink);
    fecha();
}

void TFrmVidalink::BitBtn3Click() {
    EscolhaFeita = OperadorLaco::EscolhaVidalink::Venda;
    platform::modal::showModal(*FrmVendaVidalink);
    fecha();
}

void TFrmVidalink::BitBtn5Click() {
    EscolhaFeita = OperadorLaco::EscolhaVidalink::Cancelamento;
    platform::modal::showModal(*FrmCncVidalink);
    fecha();
}

void TFrmVidalink::BitBtn4Click() {
    fecha();
}
