#include "pinpad/FuncPinpad.h"
#include "ui_FuncPinpad.h"

#include "core/EstadoConsole.h"
#include "widgets/Prompt.h"

#include <QButtonGroup>
#include <QMouseEvent>

TFrmFuncPinpad::TFrmFuncPinpad(EstadoConsole& estado, QWidget* parent)
    : DialogoModal(estado, parent), ui(std::make_unique<Ui::TFrmFuncPinpad>()) {
    ui->setupUi(this);
    // Closing by the title bar is giving up, like "&Encerra".
    configuraJanela(Moldura::Comum, true);
    opcoes_ = {{
        {ui->RdBtnTstPpd, ui->LblTstPpd, &TFrmFuncPinpad::LblTstPpdClick},
        {ui->RdBtnCltTrlh, ui->LblLCI, &TFrmFuncPinpad::LblLCIClick},
        {ui->RdBtnCltTrlhDrt, ui->LblLCD, &TFrmFuncPinpad::LblLCDClick},
        {ui->RdBtnLeCrtDirEx, ui->Label2, &TFrmFuncPinpad::Label2Click},
        {ui->RdBtnMsgPpd, ui->LblMsgPpd, &TFrmFuncPinpad::LblMsgPpdClick},
        {ui->RdBtnCltSenha, ui->LblCltSnh, &TFrmFuncPinpad::LblCltSnhClick},
        {ui->RdBtnSnhDir, ui->LblSD, &TFrmFuncPinpad::LblSDClick},
        {ui->RdBtnCnfPpd, ui->Label3, &TFrmFuncPinpad::Label3Click},
        {ui->RdBtnLeTrilha3, ui->Label1, &TFrmFuncPinpad::Label1Click},
    }};
    // One group, so that checking one unchecks the others, though they sit
    // in two rows; the buttons carry no caption of their own, so a screen
    // reader announces each by its label.
    grupo_ = new QButtonGroup(this);
    for (int valor = 1; valor <= kFuncoes; ++valor) {
        const Opcao& opcao = opcoes_[valor - 1];
        grupo_->addButton(opcao.botao, valor);
        opcao.botao->setAccessibleName(opcao.rotulo->text());
        opcao.rotulo->installEventFilter(this);
    }
    connect(ui->BtnChmFcn, &QPushButton::clicked, this, &TFrmFuncPinpad::BtnChmFcnClick);
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TFrmFuncPinpad::BitBtn1Click);
}

TFrmFuncPinpad::~TFrmFuncPinpad() = default;

QRadioButton* TFrmFuncPinpad::botao(int valor) const {
    return opcoes_.at(valor - 1).botao;
}

// An earlier choice never carries over into a new showing.
void TFrmFuncPinpad::FormActivate() {
    estado_.FuncaoPinpad = 0;
    grupo_->setExclusive(false);
    for (const Opcao& opcao : opcoes_) {
        opcao.botao->setChecked(false);
    }
    grupo_->setExclusive(true);
    ui->RdBtnTstPpd->setFocus();
}

bool TFrmFuncPinpad::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (const Opcao& opcao : opcoes_) {
            if (watched == opcao.rotulo) {
                (this->*opcao.clique)();
                return true;
            }
        }
    }
    return DialogoModal::eventFilter(watched, event);
}

void TFrmFuncPinpad::marca(int valor) {
    QRadioButton* b = botao(valor);
    b->setChecked(true);
    b->setFocus();
}

void TFrmFuncPinpad::LblTstPpdClick() {
    marca(1);
}

void TFrmFuncPinpad::LblLCIClick() {
    marca(2);
}

void TFrmFuncPinpad::LblLCDClick() {
    marca(3);
}

void TFrmFuncPinpad::Label2Click() {
    marca(4);
}

void TFrmFuncPinpad::LblMsgPpdClick() {
    marca(5);
}

void TFrmFuncPinpad::LblCltSnhClick() {
    marca(6);
}

void TFrmFuncPinpad::LblSDClick() {
    marca(7);
}

void TFrmFuncPinpad::Label3Click() {
    marca(8);
}

void TFrmFuncPinpad::Label1Click() {
    marca(9);
}

void TFrmFuncPinpad::BtnChmFcnClick() {
    for (int valor = 1; valor <= kFuncoes; ++valor) {
        if (botao(valor)->isChecked()) {
            estado_.FuncaoPinpad = valor;
            fecha();
            return;
        }
    }
    platform::prompt::showMessage(QStringLiteral("Selecione uma Opção"), this);
}

void TFrmFuncPinpad::BitBtn1Click() {
    fecha();
}
