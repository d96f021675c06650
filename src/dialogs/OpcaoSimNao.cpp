#include "dialogs/OpcaoSimNao.h"
#include "ui_OpcaoSimNao.h"

TFrmOpcaoSimNao::TFrmOpcaoSimNao(EstadoConsole& estado, QWidget* parent)
    : DialogoModal(estado, parent), ui(std::make_unique<Ui::TFrmOpcaoSimNao>()) {
    ui->setupUi(this);
    configuraJanela(Moldura::SemBotoes, true);
    connect(ui->BtOK, &QPushButton::clicked, this, &TFrmOpcaoSimNao::BtOKClick);
}

TFrmOpcaoSimNao::~TFrmOpcaoSimNao() = default;

RadioGroup* TFrmOpcaoSimNao::rgSimNao() const {
    return ui->rgSimNao;
}

void TFrmOpcaoSimNao::BtOKClick() {
    fecha();
}
