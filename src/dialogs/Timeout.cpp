#include "dialogs/Timeout.h"
#include "ui_Timeout.h"

#include "core/EstadoConsole.h"
#include "fluxos/Padroes.h"

#include <QRegularExpressionValidator>

namespace {
constexpr uint16_t kTimeoutPadrao = padroes::kTimeoutLeCartao;
}

TFrmTimeout::TFrmTimeout(EstadoConsole& estado, QWidget* parent)
    : DialogoModal(estado, parent), ui(std::make_unique<Ui::TFrmTimeout>()) {
    ui->setupUi(this);
    configuraJanela(Moldura::Comum, false);
    // Typed keys are filtered below; the validator also keeps pasted text to
    // digits, so the field always holds a number of at most four digits.
    ui->EdtTimeout->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), ui->EdtTimeout));
    filtraTeclas(ui->EdtTimeout, [this](QChar& Key) { EdtTimeoutKeyPress(Key); });
    connect(ui->BitBtn1, &QPushButton::clicked, this, &TFrmTimeout::BitBtn1Click);
}

TFrmTimeout::~TFrmTimeout() = default;

QLineEdit* TFrmTimeout::EdtTimeout() const {
    return ui->EdtTimeout;
}

void TFrmTimeout::FormActivate() {
    ui->EdtTimeout->setFocus();
}

void TFrmTimeout::EdtTimeoutKeyPress(QChar& Key) {
    if (Key == u'\r') {
        const QString texto = ui->EdtTimeout->text();
        TimeoutLeCartao = texto.isEmpty() ? kTimeoutPadrao : static_cast<uint16_t>(texto.toUInt());
        fecha();
    }
    if (Key != u'\b' && !(Key >= u'0' && Key <= u'9')) {
        Key = QChar();
    }
}

void TFrmTimeout::BitBtn1Click() {
    encerra();
}
