#include "dialogs/MenuEscolha.h"
#include "ui_MenuEscolha.h"

#include "core/EstadoConsole.h"

TFrmMenu::TFrmMenu(EstadoConsole& estado, QWidget* parent)
    : DialogoModal(estado, parent), ui(std::make_unique<Ui::TFrmMenu>()) {
    ui->setupUi(this);
    configuraJanela(Moldura::FerramentaSemFechar, true);
    filtraTeclas(ui->EdtOpcao, [this](QChar& Key) { EdtOpcaoKeyPress(Key); });
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TFrmMenu::BitBtn1Click);
    connect(ui->BitBtn2, &QPushButton::clicked, this, &TFrmMenu::BitBtn2Click);
    connect(ui->RdBtnCont0, &QRadioButton::clicked, this, &TFrmMenu::RdBtnCont0Click);
    connect(ui->RdBtnCont1000, &QRadioButton::clicked, this, &TFrmMenu::RdBtnCont1000Click);
}

TFrmMenu::~TFrmMenu() = default;

QLabel* TFrmMenu::CabecalhoMenu() const {
    return ui->CabecalhoMenu;
}

QLineEdit* TFrmMenu::EdtOpcao() const {
    return ui->EdtOpcao;
}

QRadioButton* TFrmMenu::RdBtnCont1000() const {
    return ui->RdBtnCont1000;
}

void TFrmMenu::MostraOpcoes(const QString& opcoes) {
    ui->OpcoesMenu->setText(semAceleradores(opcoes));
}

void TFrmMenu::LimitaTamanho(int tamanhoMaximo) {
    limitaTamanho(ui->EdtOpcao, tamanhoMaximo);
}

void TFrmMenu::FormShow() {
    ui->EdtOpcao->clear();
}

// The 1000 choice holds for one showing only.
void TFrmMenu::FormActivate() {
    ui->EdtOpcao->setFocus();
    ui->RdBtnCont0->setChecked(true);
}

void TFrmMenu::EdtOpcaoKeyPress(QChar& Key) {
    if (Key == u'\r') {
        OpcaoMenu = ui->EdtOpcao->text();
        fecha();
    }
}

void TFrmMenu::BitBtn1Click() {
    encerra();
}

void TFrmMenu::BitBtn2Click() {
    volta();
}

void TFrmMenu::RdBtnCont0Click() {
    ui->EdtOpcao->setFocus();
}

void TFrmMenu::RdBtnCont1000Click() {
    ui->EdtOpcao->setFocus();
}
