#include "dialogs/ColetaCodProdAutor.h"
#include "ui_ColetaCodProdAutor.h"

TFrmCodProdAutor::TFrmCodProdAutor(EstadoConsole& estado, QWidget* parent)
    : DialogoModal(estado, parent), ui(std::make_unique<Ui::TFrmCodProdAutor>()) {
    ui->setupUi(this);
    configuraJanela(Moldura::SemBotoes, true);
    connect(ui->btOK, &QPushButton::clicked, this, &TFrmCodProdAutor::btOKClick);
}

TFrmCodProdAutor::~TFrmCodProdAutor() = default;

QLabel* TFrmCodProdAutor::lbCodProdAutor() const {
    return ui->lbCodProdAutor;
}

QLineEdit* TFrmCodProdAutor::edCodProdAutor() const {
    return ui->edCodProdAutor;
}

void TFrmCodProdAutor::FormActivate() {
    ui->edCodProdAutor->clear();
    ui->edCodProdAutor->setFocus();
}

void TFrmCodProdAutor::btOKClick() {
    fecha();
}
