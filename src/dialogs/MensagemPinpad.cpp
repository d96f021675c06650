#include "dialogs/MensagemPinpad.h"
#include "ui_MensagemPinpad.h"

#include "core/EstadoConsole.h"

TFrmMsgPpd::TFrmMsgPpd(EstadoConsole& estado, QWidget* parent)
    : DialogoModal(estado, parent), ui(std::make_unique<Ui::TFrmMsgPpd>()) {
    ui->setupUi(this);
    configuraJanela(Moldura::FerramentaSemFechar, true);
    filtraTeclas(ui->EdtMsgPpd, [this](QChar& Key) { EdtMsgPpdKeyPress(Key); });
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TFrmMsgPpd::BitBtn1Click);
}

TFrmMsgPpd::~TFrmMsgPpd() = default;

QLineEdit* TFrmMsgPpd::EdtMsgPpd() const {
    return ui->EdtMsgPpd;
}

void TFrmMsgPpd::FormActivate() {
    ui->EdtMsgPpd->setFocus();
}

// An empty field still gives the library a message: one blank.
void TFrmMsgPpd::EdtMsgPpdKeyPress(QChar& Key) {
    if (Key == u'\r') {
        const QString texto = ui->EdtMsgPpd->text();
        MensagemPinpad = texto.isEmpty() ? QStringLiteral(" ") : texto;
        fecha();
    }
}

void TFrmMsgPpd::BitBtn1Click() {
    encerra();
}
