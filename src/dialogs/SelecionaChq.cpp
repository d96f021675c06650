#include "dialogs/SelecionaChq.h"
#include "ui_SelecionaChq.h"

#include "app/EstadoConsole.h"

#include <QCloseEvent>
#include <QKeyEvent>

TFrmCnsChq::TFrmCnsChq(EstadoConsole& estado, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::TFrmCnsChq>()), estado_(estado) {
    ui->setupUi(this);
    // A tool window whose frame offers no close control: the choice or
    // "&Encerra" are the only ways out.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
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
    accept();
}

void TFrmCnsChq::BitBtn1Click() {
    estado_.Continua = -1;
    accept();
}

void TFrmCnsChq::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Each showing by a caller, not a window restored by the window system.
    if (!event->spontaneous()) {
        FormActivate();
    }
}

void TFrmCnsChq::keyPressEvent(QKeyEvent* event) {
    // Escape has no meaning here; only the buttons close the window.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TFrmCnsChq::closeEvent(QCloseEvent* event) {
    if (event->spontaneous()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}
