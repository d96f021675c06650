#include "othertrn/TrnDiretaKavex.h"
#include "ui_TrnDiretaKavex.h"

#include "fluxos/BufferDireto.h"
#include "widgets/Prompt.h"

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace {
const QString kDicaRede = QStringLiteral("Não digitar 0, 1, 4, 5, 9 e outras Redes \n"
                                         "de Destino que a CliKavex já contempla.\n"
                                         "Senão a transação nem é enviada ao \n"
                                         "Kavex, tendo como retorno 11.");

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
    mostraCampos(fluxos::camposDiretaPadrao());
    ui->MemoRetorno->clear();
    ui->ed_RedeDestino->setFocus();
}

fluxos::CamposDireta TFrmTrnDirKavex::campos() const {
    fluxos::CamposDireta c;
    c.rede = ui->ed_RedeDestino->text();
    c.funcao = ui->ed_Funcao->text();
    c.offset = ui->Ed_OffSet->text();
    c.tipoTransacao = ui->RGTipoTrn->itemIndex();
    c.cupomFiscal = ui->ed_CpFiscal->text();
    c.dataFiscal = ui->ed_DataFiscal->text();
    c.horario = ui->Ed_Horario->text();
    c.operador = ui->ed_Operador->text();
    c.timeout = ui->ed_TimeOut->text();
    c.linhas = trndireta::linhasDoTexto(ui->MemoTrnKavex->toPlainText());
    return c;
}

// The header fields and the TX box as `c` holds them.
void TFrmTrnDirKavex::mostraCampos(const fluxos::CamposDireta& c) {
    ui->ed_RedeDestino->setText(c.rede);
    ui->ed_Funcao->setText(c.funcao);
    ui->Ed_OffSet->setText(c.offset);
    ui->RGTipoTrn->setItemIndex(c.tipoTransacao);
    ui->ed_CpFiscal->setText(c.cupomFiscal);
    ui->ed_DataFiscal->setText(c.dataFiscal);
    ui->Ed_Horario->setText(c.horario);
    ui->ed_Operador->setText(c.operador);
    ui->ed_TimeOut->setText(c.timeout);
    ui->MemoTrnKavex->setPlainText(c.linhas.join(u'\n'));
}

bool TFrmTrnDirKavex::VerificaCampos() {
    fluxos::CamposDireta c = campos();
    const bool completo = fluxos::VerificaCampos(c);
    ui->ed_RedeDestino->setText(c.rede);
    if (!completo) {
        platform::prompt::showMessage(QStringLiteral("Digite uma função"), this);
        ui->ed_Funcao->setFocus();
        return false;
    }
    // Only the header fields change; the TX box keeps its text as typed.
    for (const auto& [campo, texto] : {std::pair{ui->Ed_OffSet, c.offset}, std::pair{ui->ed_CpFiscal, c.cupomFiscal},
                                       std::pair{ui->ed_DataFiscal, c.dataFiscal}, std::pair{ui->Ed_Horario, c.horario},
                                       std::pair{ui->ed_Operador, c.operador}, std::pair{ui->ed_TimeOut, c.timeout}}) {
        campo->setText(texto);
    }
    return true;
}

void TFrmTrnDirKavex::BtnEnviarClick() {
    if (!VerificaCampos()) {
        return;
    }
    const fluxos::CamposDireta c = campos();
    const fluxos::RespostaDireta resposta = fluxos::enviaDireta(c, biblioteca());
    if (!resposta.enviada) {
        platform::prompt::showMessage(
            QStringLiteral("Os parâmetros ocupam %1 bytes (cada linha com seu zero binário), mais que o limite de "
                           "%2 bytes do buffer de envio. Nada foi enviado.")
                .arg(trndireta::tamanhoEmpacotado(c.linhas))
                .arg(trndireta::kTamBuffer),
            this);
        ui->MemoTrnKavex->setFocus();
        return;
    }
    ui->MemoRetorno->clear();
    for (const QString& linha : resposta.linhas) {
        ui->MemoRetorno->appendPlainText(linha);
    }
    ui->ed_RedeDestino->setFocus();
}

void TFrmTrnDirKavex::BtnEncerraClick() {
    emit encerrada();
    fecha();
}
