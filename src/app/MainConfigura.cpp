// Configuring the library and remembering server addresses.

#include "app/Main.h"
#include "ui_Main.h"

#include "app/PainelTransacao.h"
#include "config/ArquivoConfig.h"
#include "fluxos/Configuracao.h"
#include "library/KavexLibrary.h"
#include "widgets/Prompt.h"

#include <QFocusEvent>

namespace {
const QString kSecaoEnderecos = QStringLiteral("IPKavex");
const QString kChaveEnderecos = QStringLiteral("IPs");
const QChar kSeparador = QLatin1Char(';');
const QString kConfigura = QStringLiteral("&Configura");
const QString kReconfigura = QStringLiteral("Re&configura");
const QString kMenuConfiguracoes = QStringLiteral("C&onfigurações");
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

void TFrmtesteCliKavex32I::carregaEnderecos() {
    const QString lista = arquivoConfig().readString(kSecaoEnderecos, kChaveEnderecos);
    ui->CBIPKavex->addItems(separaEnderecos(lista));
}

bool TFrmtesteCliKavex32I::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && (watched == ui->CBIPKavex || watched == ui->CBIPKavex->lineEdit())) {
        // Opening the drop-down list or the menu, or leaving the window, is not
        // leaving the box.
        const Qt::FocusReason motivo = static_cast<QFocusEvent*>(event)->reason();
        if (motivo != Qt::PopupFocusReason && motivo != Qt::ActiveWindowFocusReason &&
            motivo != Qt::MenuBarFocusReason && !ui->CBIPKavex->hasFocus()) {
            CBIPKavexExit();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void TFrmtesteCliKavex32I::CBIPKavexExit() {
    const QString endereco = ui->CBIPKavex->currentText();
    if (endereco.isEmpty() || ui->CBIPKavex->findText(endereco, Qt::MatchFixedString) >= 0) {
        return;
    }
    ui->CBIPKavex->addItem(endereco);
    lembraEndereco(endereco);
}

void TFrmtesteCliKavex32I::lembraEndereco(const QString& endereco) {
    platform::ProfileFile config = arquivoConfig();
    const QString lista = config.readString(kSecaoEnderecos, kChaveEnderecos);
    try {
        config.writeString(kSecaoEnderecos, kChaveEnderecos, lista + endereco + kSeparador);
    } catch (const platform::ProfileWriteError& erro) {
        platform::prompt::showError(erro.message(), this);
    }
}

void TFrmtesteCliKavex32I::BtnConfiguraClick() {
    const bool configurar = ui->BtnConfigura->text() == kConfigura;
    if (configurar) {
        const int32_t resultado = fluxos::configura(
            {ui->CBIPKavex->currentText(), ui->EdtEmpresa->text(), ui->EdtTerminal->text()}, estado_, biblioteca_);
        ui->EdtResultado->setText(QString::number(resultado));
    }
    for (QWidget* w : {static_cast<QWidget*>(ui->CBIPKavex), static_cast<QWidget*>(ui->EdtEmpresa),
                       static_cast<QWidget*>(ui->EdtTerminal), static_cast<QWidget*>(ui->RdGrImpr)}) {
        w->setEnabled(!configurar);
    }
    ui->BtnConfigura->setText(configurar ? kReconfigura : kConfigura);
    ui->CfgCliKavex->setVisible(!configurar);
    ui->CfgPinpad->setVisible(!configurar);
    // A menu with nothing to show gives up its Alt+O to "&Outras Funções";
    // sharing it would make the first press only move the focus.
    ui->MnuConfiguracoes->setTitle(configurar ? QString(kMenuConfiguracoes).remove(u'&') : kMenuConfiguracoes);
    HabilitaDesabilita(configurar);
    if (configurar) {
        ui->PnlTransacao->selecionaTEF();
    }
}

// The library's state went with its host: it must be configured again.
void TFrmtesteCliKavex32I::mostraQueda() {
    const std::optional<Queda> queda = biblioteca_.queda();
    if (!queda || queda->chamada == quedaMostrada_) {
        return;
    }
    quedaMostrada_ = queda->chamada;
    platform::prompt::showError(queda->descricao(), this);
    if (ui->BtnConfigura->text() != kConfigura) {
        BtnConfiguraClick();
    }
}
