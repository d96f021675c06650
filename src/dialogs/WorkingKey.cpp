#include "dialogs/WorkingKey.h"
#include "ui_WorkingKey.h"

#include "core/EstadoConsole.h"

TFrmWK::TFrmWK(EstadoConsole& estado, QWidget* parent)
    : DialogoModal(estado, parent), ui(std::make_unique<Ui::TFrmWK>()) {
    ui->setupUi(this);
    configuraJanela(Moldura::FerramentaSemFechar, true);
    filtraTeclas(ui->EdtWK, [this](QChar& Key) { EdtWKKeyPress(Key); });
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TFrmWK::BitBtn1Click);
}

TFrmWK::~TFrmWK() = default;

QLineEdit* TFrmWK::EdtWK() const {
    return ui->EdtWK;
}

void TFrmWK::FormActivate() {
    ui->EdtWK->setFocus();
}

// An empty field still gives the library a key: one blank.
void TFrmWK::EdtWKKeyPress(QChar& Key) {
    if (Key == u'\r') {
        const QString texto = ui->EdtWK->text();
        WorkingKey = texto.isEmpty() ? QStringLiteral(" ") : texto;
        fecha();
    }
}

void TFrmWK::BitBtn1Click() {
    encerra();
}
