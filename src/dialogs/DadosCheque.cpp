#include "dialogs/DadosCheque.h"
#include "ui_DadosCheque.h"

#include "platform/Prompt.h"

#include <QApplication>
#include <QStyle>

namespace {
constexpr qsizetype kTamCompensacao = 3;
constexpr qsizetype kTamBanco = 3;
constexpr qsizetype kTamAgencia = 4;
constexpr qsizetype kTamDigito = 1;
constexpr qsizetype kTamConta = 10;
constexpr qsizetype kTamNumeroCheque = 6;
} // namespace

TFrmDigitado::TFrmDigitado(EstadoConsole& estado, QWidget* parent)
    : DialogoModal(estado, parent), ui(std::make_unique<Ui::TFrmDigitado>()) {
    ui->setupUi(this);
    configuraJanela(Moldura::FerramentaSemFechar, false, {.redimensionavel = true, .enterSoNoBotaoPadrao = true});
    ui->BtnPreencher->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    connect(ui->BtnConsulta, &QPushButton::clicked, this, &TFrmDigitado::BtnConsultaClick);
    connect(ui->BtnPreencher, &QPushButton::clicked, this, &TFrmDigitado::BtnPreencherClick);
    connect(ui->BitBtnEncerra, &QPushButton::clicked, this, &TFrmDigitado::BitBtnEncerraClick);
}

TFrmDigitado::~TFrmDigitado() = default;

QLabel* TFrmDigitado::DadosCheque() const {
    return ui->DadosCheque;
}

void TFrmDigitado::LimpaCampos() {
    for (QLineEdit* campo : {ui->EdtCompensacao, ui->EdtBanco, ui->EdtAgencia, ui->EdtC1, ui->EdtConta, ui->EdtC2,
                             ui->EdtNumeroCheque, ui->EdtC3}) {
        campo->clear();
    }
}

void TFrmDigitado::FormActivate() {
    ui->EdtCompensacao->setFocus();
}

void TFrmDigitado::BtnPreencherClick() {
    ui->EdtCompensacao->setText(QStringLiteral("018"));
    ui->EdtBanco->setText(QStringLiteral("001"));
    ui->EdtAgencia->setText(QStringLiteral("0977"));
    ui->EdtC1->setText(QStringLiteral("3"));
    ui->EdtConta->setText(QStringLiteral("0000061697"));
    ui->EdtC2->setText(QStringLiteral("4"));
    ui->EdtNumeroCheque->setText(QStringLiteral("850004"));
    ui->EdtC3->setText(QStringLiteral("5"));
}

void TFrmDigitado::BtnConsultaClick() {
    Compensacao = ui->EdtCompensacao->text();
    Banco = ui->EdtBanco->text();
    Agencia = ui->EdtAgencia->text();
    C1 = ui->EdtC1->text();
    Conta = ui->EdtConta->text();
    C2 = ui->EdtC2->text();
    NumeroCheque = ui->EdtNumeroCheque->text();
    C3 = ui->EdtC3->text();

    // Every check runs, so the operator learns of all faults at once.
    if (Compensacao.size() < kTamCompensacao) {
        platform::prompt::showMessage(
            QStringLiteral(
                "O campo Compensação deve ser preenchido com 3 dígitos. Se campo não usado preencher com 000"),
            this);
    }
    if (Banco.size() < kTamBanco) {
        platform::prompt::showMessage(QStringLiteral("O campo Banco deve ser preenchido com 3 dígitos."), this);
    }
    if (Agencia.size() < kTamAgencia) {
        platform::prompt::showMessage(QStringLiteral("O campo Agência deve ser preenchido com 4 dígitos."), this);
    }
    if (C1.isEmpty()) {
        platform::prompt::showMessage(QStringLiteral("O dígito de controle C1 deve ser preenchido"), this);
    }
    if (Conta.isEmpty()) {
        platform::prompt::messageBox(QApplication::applicationName(),
                                     QStringLiteral("O campo Conta deve ser preenchido"), this);
    } else {
        Conta = Conta.rightJustified(kTamConta, QLatin1Char('0'));
    }
    if (C2.isEmpty()) {
        platform::prompt::showMessage(QStringLiteral("O dígito de controle C2 deve ser preenchido"), this);
    }
    if (NumeroCheque.isEmpty()) {
        platform::prompt::messageBox(QApplication::applicationName(),
                                     QStringLiteral("O campo Número Cheque deve ser preenchido"), this);
    } else {
        NumeroCheque = NumeroCheque.rightJustified(kTamNumeroCheque, QLatin1Char('0'));
    }
    if (C3.isEmpty()) {
        platform::prompt::showMessage(QStringLiteral("O dígito de controle C3 deve ser preenchido"), this);
    }

    const bool completo = Compensacao.size() == kTamCompensacao && Banco.size() == kTamBanco &&
                          Agencia.size() == kTamAgencia && C1.size() == kTamDigito && Conta.size() == kTamConta &&
                          C2.size() == kTamDigito && NumeroCheque.size() == kTamNumeroCheque && C3.size() == kTamDigito;
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
