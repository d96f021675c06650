// Confirming or undoing a transaction by hand, with the confirmation panel:
// plainly, with additional parameters, or identified by a function number.

#include "app/Main.h"
#include "ui_Main.h"

#include "config/CfgCliKavex.h"
#include "library/KavexLibrary.h"
#include "platform/Modal.h"
#include "platform/Numeros.h"
#include "platform/Prompt.h"
#include "platform/Win1252.h"

namespace {

const QString kCupomPadrao = QStringLiteral("12345");
const QString kComParametros = QStringLiteral("Confirmação Com Parâmetros Adicionais");

// Boxes of this panel let pending events through once they close.
bool perguntaTexto(const QString& titulo, const QString& rotulo, QString& resposta, QWidget* dono) {
    const bool aceito = platform::prompt::inputQuery(titulo, rotulo, resposta, dono);
    platform::modal::processPendingEvents();
    return aceito;
}

void avisa(const QString& texto, QWidget* dono) {
    platform::prompt::showMessage(texto, dono);
    platform::modal::processPendingEvents();
}

// The function number must be positive in its low 16 bits; the whole number is
// what the library receives.
bool funcaoValida(const QString& texto, int32_t& funcao) {
    funcao = platform::numeros::StrToIntDef(texto, 0);
    return !texto.isEmpty() && static_cast<int16_t>(funcao) > 0;
}

} // namespace

// What every finishing call carries besides the flag.
struct TFrmtesteCliKavex32I::Envio {
    QByteArray cupom;
    QByteArray data;
    QByteArray hora;
};

void TFrmtesteCliKavex32I::conectaFinalizacao() {
    connect(ui->Btn_Confirmacao, &QPushButton::clicked, this, exclusivo(&TFrmtesteCliKavex32I::btn_confirmacaoClick));
    connect(ui->btCnfIdentificada, &QPushButton::clicked, this,
            exclusivo(&TFrmtesteCliKavex32I::btCnfIdentificadaClick));
}

// The date is the one the last function recorded, else today's; the boxes
// keep what is filled in here.
TFrmtesteCliKavex32I::Envio TFrmtesteCliKavex32I::preparaEnvio() {
    dataehora();
    if (ui->EdtCpFiscal2->text().isEmpty()) {
        ui->EdtCpFiscal2->setText(kCupomPadrao);
    }
    if (ui->EdtHora2->text().isEmpty()) {
        ui->EdtHora2->setText(estado_.HoraFiscal);
    }
    const QString& data = estado_.DataTransacao.isEmpty() ? estado_.DataFiscal : estado_.DataTransacao;
    return {platform::toWin1252(ui->EdtCpFiscal2->text()), platform::toWin1252(data),
            platform::toWin1252(ui->EdtHora2->text())};
}

void TFrmtesteCliKavex32I::btn_confirmacaoClick() {
    HabilitaDesabilita(false);
    ui->BtnConfigura->setEnabled(false);
    bool comParametros = false;
    if (janelas_->FrmCfgCliKavex->confirmacaoComParametros()) {
        comParametros = platform::prompt::askYesNo(kComParametros, kComParametros + QStringLiteral(" ?"), this) ==
                        platform::prompt::Answer::Yes;
        platform::modal::processPendingEvents();
    }
    const Envio envio = preparaEnvio();
    QString parametros;
    if (comParametros && !perguntaTexto(QStringLiteral("Parâmetros Adicionais"),
                                        QStringLiteral("Digite as Informações Adicionais"), parametros, this)) {
        HabilitaDesabilita(true);
        return;
    }
    if (const int indice = ui->Rdgp_confirm->itemIndex(); indice >= 0) {
        const auto confirma = static_cast<int16_t>(indice);
        KavexLibrary& biblioteca = *estado_.biblioteca;
        if (comParametros) {
            biblioteca.FinalizaFuncaoKavexInterativo(confirma, envio.cupom.constData(), envio.data.constData(),
                                                     envio.hora.constData(),
                                                     platform::toWin1252(parametros).constData());
        } else {
            biblioteca.FinalizaTransacaoKavexInterativo(confirma, envio.cupom.constData(), envio.data.constData(),
                                                        envio.hora.constData());
        }
    }
    HabilitaDesabilita(true);
}

void TFrmtesteCliKavex32I::btCnfIdentificadaClick() {
    HabilitaDesabilita(false);
    ui->BtnConfigura->setEnabled(false);
    const Envio envio = preparaEnvio();

    QString textoFuncao;
    if (!perguntaTexto(QStringLiteral("Função do Kavex"), QStringLiteral("Digite a Função do Kavex em Hexa"),
                       textoFuncao, this)) {
        HabilitaDesabilita(true);
        return;
    }
    int32_t funcao = 0;
    if (!funcaoValida(textoFuncao, funcao)) {
        avisa(QStringLiteral("Função Inválida!!!"), this);
        HabilitaDesabilita(true);
        return;
    }
    QString dados;
    if (!perguntaTexto(QStringLiteral("Dados da Transação"), QStringLiteral("Digite os dados da Transação"), dados,
                       this)) {
        HabilitaDesabilita(true);
        return;
    }
    if (dados.isEmpty()) {
        avisa(QStringLiteral("Dados Inválidos!!!"), this);
        HabilitaDesabilita(true);
        return;
    }
    if (const int indice = ui->Rdgp_confirm->itemIndex(); indice >= 0) {
        estado_.biblioteca->FinalizaTransacaoIdentificadaKavex(
            funcao, static_cast<int16_t>(indice), envio.cupom.constData(), envio.data.constData(),
            envio.hora.constData(), platform::toWin1252(dados).constData());
    }
    HabilitaDesabilita(true);
}
