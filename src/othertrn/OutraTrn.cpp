#include "othertrn/OutraTrn.h"
#include "ui_OutraTrn.h"

#include "othertrn/TrnDiretaKavex.h"
#include "othertrn/Vidalink.h"
#include "widgets/Modal.h"

TFrmOutrasTrn::TFrmOutrasTrn(EstadoConsole& estado, QWidget* parent)
    : DialogoModal(estado, parent), ui(std::make_unique<Ui::TFrmOutrasTrn>()) {
    ui->setupUi(this);
    configuraJanela(Moldura::Comum, true);
    connect(ui->BtnTrnVidalink, &QPushButton::clicked, this, &TFrmOutrasTrn::BtnTrnVidalinkClick);
    connect(ui->BtnTrnDirKavex, &QPushButton::clicked, this, &TFrmOutrasTrn::BtnTrnDirKavexClick);
    connect(ui->btConsultaPBM, &QPushButton::clicked, this, &TFrmOutrasTrn::btConsultaPBMClick);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &TFrmOutrasTrn::BitBtn2Click);
}

TFrmOutrasTrn::~TFrmOutrasTrn() = default;

void TFrmOutrasTrn::ligaJanelas(TFrmVidalink& vidalink, TFrmTrnDirKavex& trnDireta) {
    FrmVidalink = &vidalink;
    FrmTrnDirKavex = &trnDireta;
    connect(FrmTrnDirKavex, &TFrmTrnDirKavex::encerrada, this, [this] { Tag = Nenhuma; });
}

void TFrmOutrasTrn::FormShow() {
    Tag = Nenhuma;
    ui->BtnTrnVidalink->setFocus();
}

// The menu closes as soon as the window it opened has closed, whatever
// happened there.
void TFrmOutrasTrn::BtnTrnVidalinkClick() {
    Tag = TransacoesVidalink;
    platform::modal::showModal(*FrmVidalink);
    fecha();
}

void TFrmOutrasTrn::BtnTrnDirKavexClick() {
    Tag = TransacaoDireta;
    platform::modal::showModal(*FrmTrnDirKavex);
    fecha();
}

void TFrmOutrasTrn::btConsultaPBMClick() {
    Tag = ConsultaPBM;
    fecha();
}

void TFrmOutrasTrn::BitBtn2Click() {
    fecha();
}
