#include "dialogs/DadosCheque.h"
#include "ui_DadosCheque.h"

#include "widgets/Icones.h"
#include "widgets/Prompt.h"

#include <QApplication>

#include <algorithm>

TFrmDigitado::TFrmDigitado(EstadoConsole& estado, QWidget* parent)
    : DialogoModal(estado, parent), ui(std::make_unique<Ui::TFrmDigitado>()) {
    ui->setupUi(this);
    configuraJanela(Moldura::FerramentaSemFechar, false);
    // The library's prompt is shown as it comes, never as markup.
    ui->DadosCheque->setTextFormat(Qt::PlainText);
    connect(ui->BtnConsulta, &QPushButton::clicked, this, &TFrmDigitado::BtnConsultaClick);
    connect(ui->BtnPreencher, &QPushButton::clicked, this, &TFrmDigitado::BtnPreencherClick);
    connect(ui->BitBtnEncerra, &QPushButton::clicked, this, &TFrmDigitado::BitBtnEncerraClick);
}

void TFrmDigitado::preparaAparencia() {
    DialogoModal::preparaAparencia();
    ui->BtnPreencher->setIcon(platform::icones::ajuda(*this));
}

TFrmDigitado::~TFrmDigitado() = default;

QLabel* TFrmDigitado::DadosCheque() const {
    return ui->DadosCheque;
}

std::array<TFrmDigitado::Campo, 8> TFrmDigitado::campos() {
    return {{
        {ui->EdtCompensacao, Compensacao, 3, false, QStringLiteral("018"),
         QStringLiteral("O campo Compensação deve ser preenchido com 3 dígitos. Se campo não usado preencher com 000")},
        {ui->EdtBanco, Banco, 3, false, QStringLiteral("001"),
         QStringLiteral("O campo Banco deve ser preenchido com 3 dígitos.")},
        {ui->EdtAgencia, Agencia, 4, false, QStringLiteral("0977"),
         QStringLiteral("O campo Agência deve ser preenchido com 4 dígitos.")},
        {ui->EdtC1, C1, 1, false, QStringLiteral("3"), QStringLiteral("O dígito de controle C1 deve ser preenchido")},
        {ui->EdtConta, Conta, 10, true, QStringLiteral("0000061697"),
         QStringLiteral("O campo Conta deve ser preenchido")},
        {ui->EdtC2, C2, 1, false, QStringLiteral("4"), QStringLiteral("O dígito de controle C2 deve ser preenchido")},
        {ui->EdtNumeroCheque, NumeroCheque, 6, true, QStringLiteral("850004"),
         QStringLiteral("O campo Número Cheque deve ser preenchido")},
        {ui->EdtC3, C3, 1, false, QStringLiteral("5"), QStringLiteral("O dígito de controle C3 deve ser preenchido")},
    }};
}

void TFrmDigitado::LimpaCampos() {
    for (const Campo& campo : campos()) {
        campo.edit->clear();
    }
}

void TFrmDigitado::FormActivate() {
    ui->EdtCompensacao->setFocus();
}

void TFrmDigitado::BtnPreencherClick() {
    for (const Campo& campo : campos()) {
        campo.edit->setText(campo.amostra);
    }
}

void TFrmDigitado::BtnConsultaClick() {
    const auto todos = campos();
    for (const Campo& campo : todos) {
        campo.valor = campo.edit->text();
    }
    // Every check runs, so the operator learns of all faults at once.
    for (const Campo& campo : todos) {
        if (!campo.completaComZeros) {
            if (campo.valor.size() < campo.tamanho) {
                platform::prompt::showMessage(campo.mensagem, this);
            }
        } else if (campo.valor.isEmpty()) {
            platform::prompt::messageBox(QApplication::applicationName(), campo.mensagem, this);
        } else {
            campo.valor = campo.valor.rightJustified(campo.tamanho, QLatin1Char('0'));
        }
    }
    const bool completo =
        std::all_of(todos.begin(), todos.end(), [](const Campo& campo) { return campo.valor.size() == campo.tamanho; });
    if (completo) {
        fecha();
    }
}

void TFrmDigitado::BitBtnEncerraClick() {
    encerra();
}

// "&Encerra" is the cancel button: Escape presses it.
void TFrmDigitado::TeclaEsc() {
    ui->BitBtnEncerra->click();
}
