// Starting a function: the kind chosen in the two transaction groups, the
// direct pinpad function chosen in the pinpad functions window, the bar-code
// check; a start answered with 10000 goes on in the command loop.

#include "app/Main.h"
#include "ui_Main.h"

#include "dialogs/CorrespBanc.h"
#include "dialogs/MensagemPinpad.h"
#include "dialogs/OpcaoSimNao.h"
#include "dialogs/Timeout.h"
#include "dialogs/WorkingKey.h"
#include "library/KavexLibrary.h"
#include "othertrn/AA.h"
#include "pinpad/FuncPinpad.h"
#include "platform/Modal.h"
#include "platform/Numeros.h"
#include "platform/Prompt.h"
#include "platform/RadioGroup.h"
#include "platform/Win1252.h"

#include <array>

namespace {

const QByteArray kOperador = QByteArrayLiteral("Opx");
// Test values for the fields the operator left empty.
const QString kCupomPadrao = QStringLiteral("12345");
const QString kValorPadrao = QStringLiteral("1,00");
constexpr uint16_t kTimeoutPadrao = 30;

// Items of the transaction groups.
constexpr int kItemTEF = 0;
constexpr int kItemAutoAtendimento = 1;
constexpr int kItemCorrespBanc = 0;
constexpr int kItemValidaCodBar = 1;

// Values of FuncaoPinpad.
enum FuncaoDireta : int32_t {
    kVerificaPinpad = 1,
    kLeCartaoInterativo,
    kLeCartaoDireto,
    kLeCartaoDiretoEx,
    kEscreveMsgPinpad,
    kLeSenhaInterativo,
    kLeSenhaDireto,
    kLeSimNaoPinpad,
    kLeTrilha3,
};

// The pinpad's answer to LeSimNaoPinPad.
constexpr int32_t kTeclaCancela = 0;
constexpr int32_t kTeclaConfirma = 1;

using ChamadaComTexto = int32_t (KavexLibrary::*)(const char*);

template <size_t N> QString textoDe(const std::array<char, N>& buffer) {
    return platform::fromWin1252(QByteArrayView(buffer.data(), buffer.size()));
}

// One press of "&Realiza Transação" (or one chosen pinpad function), from
// the defaults written into the form to the hand-over or the result.
class Inicio {
public:
    Inicio(TFrmtesteCliKavex32I& janela, Ui::TFrmtesteCliKavex32I& ui, EstadoConsole& estado, Janelas& janelas)
        : janela_(janela), ui_(ui), estado_(estado), janelas_(janelas), biblioteca_(*estado.biblioteca) {}

    void executa();

private:
    void preparaCampos();
    QString restricoes() const;
    void iniciaPorTipo(int32_t funcao, const QString& hora);
    void executaFuncaoPinpad();
    bool pedeMensagemPinpad();
    bool pedeWorkingKey();
    void chamaComMensagem(ChamadaComTexto chamada);
    void chamaComWorkingKey(ChamadaComTexto chamada);
    void leCartaoDireto();
    void leCartaoDiretoEx();
    void leSenhaDireto();
    void leSimNaoPinpad();
    void relataTrilhas();
    void relata(const QString& rotulo, const QString& texto);
    void mostraPainelILCD();
    void termina();

    TFrmtesteCliKavex32I& janela_;
    Ui::TFrmtesteCliKavex32I& ui_;
    EstadoConsole& estado_;
    Janelas& janelas_;
    KavexLibrary& biblioteca_;
    // What a direct read finds, written by the library; zero-filled at each
    // start by being created with it.
    std::array<char, KAVEX_TAM_TRILHA1> Trilha1_{};
    std::array<char, KAVEX_TAM_TRILHA2> Trilha2_{};
    std::array<char, KAVEX_TAM_SENHA> Senha_{};
};

void Inicio::executa() {
    janela_.dataehora();
    ui_.EdtResultado->clear();
    estado_.Retorno = 0;
    estado_.TextoTrilha1.clear();
    estado_.TextoTrilha2.clear();
    estado_.TextoSenha.clear();
    janelas_.FrmCodBarra->ExibeNaoValida();
    janela_.HabilitaDesabilita(false);
    ui_.BtnConfigura->setEnabled(false);
    preparaCampos();

    int32_t funcao = 0;
    const QString textoFuncao = ui_.CBFuncao->currentText();
    if (!textoFuncao.isEmpty() && !platform::numeros::StrToInt(textoFuncao, funcao, &janela_)) {
        // Nothing was started: the window is given back as it was.
        estado_.FuncaoPinpad = 0;
        janela_.HabilitaDesabilita(true);
        return;
    }

    // An empty time means now; writing it back makes the next start send the
    // same time unless the operator changes it.
    const bool horaDigitada = !ui_.EdtHora->text().isEmpty();
    iniciaPorTipo(funcao, horaDigitada ? ui_.EdtHora->text() : estado_.HoraFiscal);
    if (!horaDigitada) {
        ui_.EdtHora->setText(estado_.HoraFiscal);
    }
    executaFuncaoPinpad();
    if (ui_.RGCB->itemIndex() == kItemValidaCodBar) {
        janelas_.FrmCodBarra->MostraParaValidacao();
    }
    estado_.FuncaoPinpad = 0;
    termina();
}

void Inicio::preparaCampos() {
    if (ui_.EdtCpFiscal->text().isEmpty()) {
        ui_.EdtCpFiscal->setText(kCupomPadrao);
    }
    if (ui_.EdtValor->text().isEmpty() && ui_.RGTEF->itemIndex() >= 0) {
        ui_.EdtValor->setText(kValorPadrao);
    }
}

// "Botões": the ticked codes in list order, as "[10;15;26]" ("[]" when none
// is ticked). "Digitado": the typed text as it stands, even empty.
QString Inicio::restricoes() const {
    if (ui_.RdGrpRestricoes->itemIndex() != 0) {
        return ui_.EdtRestricoes->text();
    }
    QStringList marcadas;
    for (int i = 0; i < ui_.CLBRestricoes->count(); ++i) {
        if (ui_.CLBRestricoes->item(i)->checkState() == Qt::Checked) {
            marcadas << ui_.CLBRestricoes->item(i)->text();
        }
    }
    return QLatin1Char('[') + marcadas.join(QLatin1Char(';')) + QLatin1Char(']');
}

void Inicio::iniciaPorTipo(int32_t funcao, const QString& hora) {
    const QByteArray valor = platform::toWin1252(ui_.EdtValor->text());
    const QByteArray cupom = platform::toWin1252(ui_.EdtCpFiscal->text());
    const QByteArray data = platform::toWin1252(estado_.DataFiscal);
    const QByteArray horaEnvio = platform::toWin1252(hora);
    const QByteArray textoRestricoes = platform::toWin1252(restricoes());
    const int tef = ui_.RGTEF->itemIndex();
    if (tef == kItemTEF) {
        estado_.Retorno = biblioteca_.IniciaFuncaoKavexInterativo(funcao, valor.constData(), cupom.constData(),
                                                                  data.constData(), horaEnvio.constData(),
                                                                  kOperador.constData(), textoRestricoes.constData());
    } else if (tef == kItemAutoAtendimento) {
        TFrmAA& produtos = *janelas_.FrmAA;
        produtos.ProdutosAAInformados = false;
        platform::modal::showModal(produtos);
        if (produtos.ProdutosAAInformados) {
            const QByteArray lista = platform::toWin1252(produtos.ProdutosAA);
            estado_.Retorno = biblioteca_.IniciaFuncaoAAKavexInterativo(
                funcao, valor.constData(), cupom.constData(), data.constData(), horaEnvio.constData(),
                kOperador.constData(), textoRestricoes.constData(), lista.constData());
        }
    } else if (ui_.RGCB->itemIndex() == kItemCorrespBanc) {
        estado_.ModoCorrespondente = true;
        estado_.Retorno = biblioteca_.CorrespondenteBancarioKavexInterativo(
            cupom.constData(), data.constData(), horaEnvio.constData(), kOperador.constData(),
            textoRestricoes.constData());
    }
}

void Inicio::executaFuncaoPinpad() {
    switch (estado_.FuncaoPinpad) {
    case kVerificaPinpad:
        estado_.Retorno = biblioteca_.VerificaPresencaPinPad();
        break;
    case kLeCartaoInterativo:
        chamaComMensagem(&KavexLibrary::LeCartaoInterativo);
        break;
    case kLeCartaoDireto:
        leCartaoDireto();
        break;
    case kLeCartaoDiretoEx:
        leCartaoDiretoEx();
        break;
    case kEscreveMsgPinpad:
        chamaComMensagem(&KavexLibrary::EscreveMensagemPermanentePinPad);
        break;
    case kLeSenhaInterativo:
        chamaComWorkingKey(&KavexLibrary::LeSenhaInterativo);
        break;
    case kLeSenhaDireto:
        leSenhaDireto();
        break;
    case kLeSimNaoPinpad:
        leSimNaoPinpad();
        break;
    case kLeTrilha3:
        chamaComMensagem(&KavexLibrary::LeTrilha3);
        break;
    default:
        break;
    }
}

// The prompts report "&Encerra" only through Continua, so it is cleared
// first; true when the operator gave an answer.
bool Inicio::pedeMensagemPinpad() {
    estado_.Continua = 0;
    janelas_.FrmMsgPpd->EdtMsgPpd()->clear();
    platform::modal::showModal(*janelas_.FrmMsgPpd);
    return estado_.Continua == 0;
}

bool Inicio::pedeWorkingKey() {
    estado_.Continua = 0;
    janelas_.FrmWK->EdtWK()->clear();
    platform::modal::showModal(*janelas_.FrmWK);
    return estado_.Continua == 0;
}

void Inicio::chamaComMensagem(ChamadaComTexto chamada) {
    if (pedeMensagemPinpad()) {
        const QByteArray mensagem = platform::toWin1252(janelas_.FrmMsgPpd->MensagemPinpad);
        estado_.Retorno = (biblioteca_.*chamada)(mensagem.constData());
    }
}

void Inicio::chamaComWorkingKey(ChamadaComTexto chamada) {
    if (pedeWorkingKey()) {
        const QByteArray chave = platform::toWin1252(janelas_.FrmWK->WorkingKey);
        estado_.Retorno = (biblioteca_.*chamada)(chave.constData());
    }
}

void Inicio::leCartaoDireto() {
    ui_.MemoMsgOperador->clear();
    if (pedeMensagemPinpad()) {
        const QByteArray mensagem = platform::toWin1252(janelas_.FrmMsgPpd->MensagemPinpad);
        mostraPainelILCD();
        estado_.Retorno = biblioteca_.LeCartaoDireto(mensagem.constData(), Trilha1_.data(), Trilha2_.data());
        ui_.pnlILCD->hide();
    }
    relataTrilhas();
}

void Inicio::leCartaoDiretoEx() {
    ui_.MemoMsgOperador->clear();
    bool segue = pedeMensagemPinpad();
    TFrmTimeout& timeout = *janelas_.FrmTimeout;
    timeout.EdtTimeout()->clear();
    if (segue) {
        platform::modal::showModal(timeout);
        if (timeout.EdtTimeout()->text().isEmpty()) {
            timeout.TimeoutLeCartao = kTimeoutPadrao;
        }
        segue = estado_.Continua == 0;
    }
    if (segue) {
        const int32_t aguarda = janela_.TstCnc();
        const QByteArray mensagem = platform::toWin1252(janelas_.FrmMsgPpd->MensagemPinpad);
        estado_.Retorno = biblioteca_.LeCartaoDiretoEx(mensagem.constData(), Trilha1_.data(), Trilha2_.data(),
                                                       timeout.TimeoutLeCartao, aguarda);
        relataTrilhas();
    }
}

void Inicio::leSenhaDireto() {
    ui_.MemoMsgOperador->clear();
    if (pedeWorkingKey()) {
        const QByteArray chave = platform::toWin1252(janelas_.FrmWK->WorkingKey);
        estado_.Retorno = biblioteca_.LeSenhaDireto(chave.constData(), Senha_.data());
    }
    relata(QStringLiteral("Senha = "), textoDe(Senha_));
}

// A prompt ended with "&Encerra" leaves Retorno at 0, which reads as the
// cancel key: the message tells what Retorno says, nothing more.
void Inicio::leSimNaoPinpad() {
    chamaComMensagem(&KavexLibrary::LeSimNaoPinPad);
    if (estado_.Retorno == kTeclaCancela) {
        platform::prompt::showMessage(QStringLiteral("A tecla de Cancelamento foi pressionada"), &janela_);
    } else if (estado_.Retorno == kTeclaConfirma) {
        platform::prompt::showMessage(QStringLiteral("A tecla de Confirmação foi pressionada"), &janela_);
    }
}

void Inicio::relataTrilhas() {
    relata(QStringLiteral("Trilha1 = "), textoDe(Trilha1_));
    relata(QStringLiteral("Trilha2 = "), textoDe(Trilha2_));
}

void Inicio::relata(const QString& rotulo, const QString& texto) {
    if (!texto.isEmpty()) {
        ui_.MemoMsgOperador->appendPlainText(rotulo + texto);
    }
}

// The panel lies over the operator messages (emptied for the read), so the
// window keeps its size and the other boxes their place. It is painted
// before the library takes the thread.
void Inicio::mostraPainelILCD() {
    QWidget* painel = ui_.pnlILCD;
    const QWidget* mensagens = ui_.MemoMsgOperador;
    const QPoint canto = mensagens->mapTo(painel->parentWidget(), QPoint(0, 0));
    const int largura = mensagens->width();
    painel->setGeometry(canto.x(), canto.y(), largura,
                        painel->hasHeightForWidth() ? painel->heightForWidth(largura) : painel->sizeHint().height());
    painel->raise();
    painel->show();
    platform::modal::processPendingEvents();
}

void Inicio::termina() {
    if (estado_.Retorno == KAVEX_CONTINUA_INTERATIVO) {
        janela_.ContinuaFuncao();
    } else {
        ui_.EdtResultado->setText(QString::number(estado_.Retorno));
        janela_.HabilitaDesabilita(true);
    }
}

} // namespace

void TFrmtesteCliKavex32I::BtntransacaoClick() {
    Inicio(*this, *ui, estado_, *janelas_).executa();
}

int TFrmtesteCliKavex32I::TstCnc() {
    TFrmOpcaoSimNao& pergunta = *janelas_->FrmOpcaoSimNao;
    pergunta.setWindowTitle(QStringLiteral("LeCartaoDiretoEx"));
    pergunta.rgSimNao()->setTitle(QStringLiteral("Aguarda Passagem do cartão ?"));
    platform::modal::showModal(pergunta);
    return pergunta.rgSimNao()->itemIndex();
}

void TFrmtesteCliKavex32I::BtnILCDClick() {
    estado_.biblioteca->InterrompeLeCartaoDireto();
}

// The pinpad functions window only chooses; the ordinary start carries the
// choice out, with neither transaction group selected so that no payment
// function starts before it.
void TFrmtesteCliKavex32I::BtnFuncPpdClick() {
    ui->RGTEF->setItemIndex(-1);
    ui->RGCB->setItemIndex(-1);
    platform::modal::showModal(*janelas_->FrmFuncPinpad);
    if (estado_.FuncaoPinpad != 0) {
        BtntransacaoClick();
    }
    ui->RGTEF->setItemIndex(kItemTEF);
}
