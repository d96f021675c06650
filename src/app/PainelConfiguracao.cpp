#include "app/PainelConfiguracao.h"
#include "ui_PainelConfiguracao.h"

#include "config/ArquivoConfig.h"
#include "widgets/Prompt.h"
#include "widgets/RadioGroup.h"

#include <QFocusEvent>

namespace {
const QString kSecaoEnderecos = QStringLiteral("IPKavex");
const QString kChaveEnderecos = QStringLiteral("IPs");
const QChar kSeparador = QLatin1Char(';');
const QString kConfigura = QStringLiteral("&Configura");
const QString kReconfigura = QStringLiteral("Re&configura");
// "Sem" and "Com" in the printer choice.
constexpr int kSemImpressora = 0;
constexpr int kComImpressora = 1;
} // namespace

QStringList separaEnderecos(const QString& lista) {
    QStringList enderecos;
    QString atual;
    for (const QChar c : lista) {
        if (c == kSeparador) {
            enderecos << atual;
            atual.clear();
        } else {
            atual += c;
        }
    }
    return enderecos;
}

PainelConfiguracao::PainelConfiguracao(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::PainelConfiguracao>()) {
    ui->setupUi(this);
    ui->RdGrImpr->setItemIndex(kSemImpressora);
    ui->CBIPKavex->setInsertPolicy(QComboBox::NoInsert);
    ui->CBIPKavex->installEventFilter(this);
    ui->CBIPKavex->lineEdit()->installEventFilter(this);
    connect(ui->BtnConfigura, &QPushButton::clicked, this, &PainelConfiguracao::configura);
}

PainelConfiguracao::~PainelConfiguracao() = default;

fluxos::CamposConfiguracao PainelConfiguracao::campos() const {
    return {ui->CBIPKavex->currentText(), ui->EdtEmpresa->text(), ui->EdtTerminal->text()};
}

bool PainelConfiguracao::comImpressora() const {
    return ui->RdGrImpr->itemIndex() == kComImpressora;
}

void PainelConfiguracao::carregaEnderecos() {
    const QString lista = arquivoConfig().readString(kSecaoEnderecos, kChaveEnderecos);
    ui->CBIPKavex->addItems(separaEnderecos(lista));
    // The typed address is none of the remembered ones until one is picked.
    ui->CBIPKavex->setCurrentIndex(-1);
    ui->CBIPKavex->setEditText(QStringLiteral("localhost"));
}

bool PainelConfiguracao::configurado() const {
    return ui->BtnConfigura->text() != kConfigura;
}

void PainelConfiguracao::mostraConfigurado(bool sim) {
    for (QWidget* w : {static_cast<QWidget*>(ui->CBIPKavex), static_cast<QWidget*>(ui->EdtEmpresa),
                       static_cast<QWidget*>(ui->EdtTerminal), static_cast<QWidget*>(ui->RdGrImpr)}) {
        w->setEnabled(!sim);
    }
    ui->BtnConfigura->setText(sim ? kReconfigura : kConfigura);
}

void PainelConfiguracao::habilitaBotao(bool sim) {
    ui->BtnConfigura->setEnabled(sim);
}

QList<QWidget*> PainelConfiguracao::ordemTab() const {
    return {ui->CBIPKavex, ui->EdtEmpresa, ui->EdtTerminal, ui->BtnConfigura};
}

bool PainelConfiguracao::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && (watched == ui->CBIPKavex || watched == ui->CBIPKavex->lineEdit())) {
        // Opening the drop-down list or the menu, or leaving the window, is not
        // leaving the box.
        const Qt::FocusReason motivo = static_cast<QFocusEvent*>(event)->reason();
        if (motivo != Qt::PopupFocusReason && motivo != Qt::ActiveWindowFocusReason &&
            motivo != Qt::MenuBarFocusReason && !ui->CBIPKavex->hasFocus()) {
            CBIPKavexExit();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PainelConfiguracao::CBIPKavexExit() {
    const QString endereco = ui->CBIPKavex->currentText();
    if (endereco.isEmpty() || ui->CBIPKavex->findText(endereco, Qt::MatchFixedString) >= 0) {
        return;
    }
    ui->CBIPKavex->addItem(endereco);
    lembraEndereco(endereco);
}

void PainelConfiguracao::lembraEndereco(const QString& endereco) {
    platform::ProfileFile config = arquivoConfig();
    const QString lista = config.readString(kSecaoEnderecos, kChaveEnderecos);
    try {
        config.writeString(kSecaoEnderecos, kChaveEnderecos, lista + endereco + kSeparador);
    } catch (const platform::ProfileWriteError& erro) {
        platform::prompt::showError(erro.message(), window());
    }
}
