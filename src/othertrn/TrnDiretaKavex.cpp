#include "othertrn/TrnDiretaKavex.h"
#include "ui_TrnDiretaKavex.h"

#include "core/EstadoConsole.h"
#include "fluxos/Padroes.h"
#include "library/KavexLibrary.h"
#include "platform/Clock.h"
#include "platform/Numeros.h"
#include "platform/Win1252.h"
#include "widgets/Prompt.h"

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace {
const QString& kCupomPadrao = padroes::kCupomFiscal;
const QString& kOperadorPadrao = padroes::kOperadorDireto;
const QString kTimeOutPadrao = QString::number(padroes::kTimeoutDireto);
const QString kZero = QStringLiteral("0");
constexpr int32_t kTimeOutSemNumero = padroes::kTimeoutDireto;
const QString kDicaRede = QStringLiteral("Não digitar 0, 1, 4, 5, 9 e outras Redes \n"
                                         "de Destino que a CliKavex já contempla.\n"
                                         "Senão a transação nem é enviada ao \n"
                                         "Kavex, tendo como retorno 11.");

bool vazio(const QLineEdit* campo) {
    return campo->text().trimmed().isEmpty();
}

void preencheSeVazio(QLineEdit* campo, const QString& padrao) {
    if (vazio(campo)) {
        campo->setText(padrao);
    }
}
// The control pictures of reply bytes below 32 come from a symbol font that
// draws them a fraction of a letter's height; enlarged and shaded, a zero
// byte reads as one at a glance.
class RealceControles : public QSyntaxHighlighter {
public:
    RealceControles(QTextDocument* documento, const QFont& fonte) : QSyntaxHighlighter(documento) {
        formato_.setBackground(QColor(0xe0, 0xe0, 0xe0));
        formato_.setFontPointSize(fonte.pointSizeF() * kAmpliacao);
    }

protected:
    void highlightBlock(const QString& texto) override {
        for (qsizetype i = 0; i < texto.size(); ++i) {
            if (trndireta::figuraDeControle(texto[i])) {
                setFormat(int(i), 1, formato_);
            }
        }
    }

private:
    static constexpr double kAmpliacao = 1.5;
    QTextCharFormat formato_;
};

} // namespace

TFrmTrnDirKavex::TFrmTrnDirKavex(EstadoConsole& estado, QWidget* parent)
    : DialogoModal(estado, parent), ui(std::make_unique<Ui::TFrmTrnDirKavex>()) {
    ui->setupUi(this);
    ui->ed_RedeDestino->setToolTip(kDicaRede);
    configuraJanela(Moldura::Comum, true);
    connect(ui->BtnEnviar, &QPushButton::clicked, this, &TFrmTrnDirKavex::BtnEnviarClick);
    connect(ui->btnPadrao, &QPushButton::clicked, this, &TFrmTrnDirKavex::btnPadraoClick);
    connect(ui->BtnEncerra, &QPushButton::clicked, this, &TFrmTrnDirKavex::BtnEncerraClick);
}

void TFrmTrnDirKavex::preparaAparencia() {
    DialogoModal::preparaAparencia();
    ui->MemoRetorno->setFont(fonteFixa());
    new RealceControles(ui->MemoRetorno->document(), ui->MemoRetorno->font());
}

TFrmTrnDirKavex::~TFrmTrnDirKavex() = default;

void TFrmTrnDirKavex::FormShow() {
    btnPadraoClick();
}

void TFrmTrnDirKavex::TeclaEsc() {
    BtnEncerraClick();
}

void TFrmTrnDirKavex::btnPadraoClick() {
    ui->ed_RedeDestino->clear();
    ui->ed_Funcao->clear();
    ui->Ed_OffSet->clear();
    ui->RGTipoTrn->setItemIndex(0);
    const QDateTime agora = platform::clock::now();
    ui->ed_CpFiscal->setText(kCupomPadrao);
    ui->ed_DataFiscal->setText(agora.toString(QStringLiteral("yyyyMMdd")));
    ui->Ed_Horario->setText(agora.toString(QStringLiteral("HHmmss")));
    ui->ed_Operador->setText(kOperadorPadrao);
    ui->ed_TimeOut->setText(kTimeOutPadrao);
    ui->MemoTrnKavex->clear();
    ui->MemoRetorno->clear();
    ui->ed_RedeDestino->setFocus();
}

bool TFrmTrnDirKavex::VerificaCampos() {
    preencheSeVazio(ui->ed_RedeDestino, kZero);
    if (vazio(ui->ed_Funcao)) {
        platform::prompt::showMessage(QStringLiteral("Digite uma função"), this);
        ui->ed_Funcao->setFocus();
        return false;
    }
    const QDateTime agora = platform::clock::now();
    preencheSeVazio(ui->Ed_OffSet, kZero);
    preencheSeVazio(ui->ed_CpFiscal, kCupomPadrao);
    preencheSeVazio(ui->ed_DataFiscal, agora.toString(QStringLiteral("yyyyMMdd")));
    preencheSeVazio(ui->Ed_Horario, agora.toString(QStringLiteral("HHmmss")));
    preencheSeVazio(ui->ed_Operador, kOperadorPadrao);
    preencheSeVazio(ui->ed_TimeOut, kTimeOutPadrao);
    return true;
}

bool TFrmTrnDirKavex::MontaBufferEnvio() {
    BufferRetorno.fill('\0');
    const QStringList linhas = trndireta::linhasDoTexto(ui->MemoTrnKavex->toPlainText());
    const int tamanho = trndireta::MontaBufferEnvio(linhas, BufferEnvio);
    if (tamanho < 0) {
        TamBufferEnvio = 0;
        platform::prompt::showMessage(
            QStringLiteral("Os parâmetros ocupam %1 bytes (cada linha com seu zero binário), mais que o limite de "
                           "%2 bytes do buffer de envio. Nada foi enviado.")
                .arg(trndireta::tamanhoEmpacotado(linhas))
                .arg(trndireta::kTamBuffer),
            this);
        ui->MemoTrnKavex->setFocus();
        return false;
    }
    TamBufferEnvio = static_cast<int16_t>(tamanho);
    return true;
}

void TFrmTrnDirKavex::BtnEnviarClick() {
    using platform::numeros::StrToIntDef;
    if (!VerificaCampos() || !MontaBufferEnvio()) {
        return;
    }
    const auto tipoTransacao = static_cast<int16_t>(ui->RGTipoTrn->itemIndex());
    const auto timeOut = static_cast<int16_t>(StrToIntDef(ui->ed_TimeOut->text(), kTimeOutSemNumero));
    const auto rede = static_cast<int16_t>(StrToIntDef(ui->ed_RedeDestino->text(), 0));
    const auto funcao = static_cast<int16_t>(StrToIntDef(ui->ed_Funcao->text(), 0));
    const int32_t offset = StrToIntDef(ui->Ed_OffSet->text(), 0);
    const QByteArray cupom = platform::toWin1252(ui->ed_CpFiscal->text());
    const QByteArray data = platform::toWin1252(ui->ed_DataFiscal->text());
    const QByteArray hora = platform::toWin1252(ui->Ed_Horario->text());
    const QByteArray operador = platform::toWin1252(ui->ed_Operador->text());
    int16_t codigoResposta = 0;
    const int32_t resultado = biblioteca().EnviaRecebeKavexDireto(
        rede, funcao, offset, BufferEnvio.data(), TamBufferEnvio, BufferRetorno.data(), trndireta::kTamBuffer,
        &codigoResposta, timeOut, cupom.constData(), data.constData(), hora.constData(), operador.constData(),
        tipoTransacao);

    ui->MemoRetorno->clear();
    ui->MemoRetorno->appendPlainText(QStringLiteral("Retorno Função: %1").arg(resultado));
    ui->MemoRetorno->appendPlainText(QStringLiteral("Código de Resposta: %1").arg(codigoResposta));
    ui->MemoRetorno->appendPlainText(QStringLiteral("Tamanho Máx Buffer: %1").arg(trndireta::kTamBuffer));
    ui->MemoRetorno->appendPlainText(QStringLiteral("Buffer Retorno: "));
    MontaRetorno(resultado, rede);
    ui->ed_RedeDestino->setFocus();
}

void TFrmTrnDirKavex::MontaRetorno(int32_t resultado, int16_t rede) {
    for (const QString& linha : trndireta::MontaRetorno(resultado, rede, BufferRetorno)) {
        ui->MemoRetorno->appendPlainText(linha);
    }
}

void TFrmTrnDirKavex::BtnEncerraClick() {
    emit encerrada();
    fecha();
}
