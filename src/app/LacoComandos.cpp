#include "app/LacoComandos.h"

#include "core/EstadoConsole.h"
#include "library/KavexLibrary.h"
#include "platform/Win1252.h"

#include <algorithm>
#include <cstring>

namespace {

// Continuation values the loop itself deals with.
constexpr int32_t kSegue = 0;
constexpr int32_t kVolta = 1;
constexpr int32_t kEncerra = -1;
constexpr int32_t kAlternativo = 1000;

// Messages up to this length replace the one-line display; longer ones go to
// the operator-message box.
constexpr qsizetype kMensagemCurta = 50;

// Data records (command 0) by field type.
constexpr int32_t kDataHoraTransacao = 105;
constexpr int32_t kCupom1 = 121;
constexpr int32_t kCupom2 = 122;
constexpr int32_t kTrilha1 = 150;
constexpr int32_t kTrilha2 = 151;
constexpr int32_t kSenha = 153;
constexpr int32_t kPrimeiroItemConsulta = 1010;

// Labels of the consultation items, from field type 1010 on. The label of
// 1019 has no blank after its equals sign.
const char* const kRotulosConsulta[] = {
    ") Qtd Total Medicamentos = ",
    ") Índice Medicamento = ",
    ") Cód Medicamento = ",
    ") Qtdade Autorizada = ",
    ") Preço Unit. Máx. = ",
    ") Vlr Unit Recomendado = ",
    ") Vlr Unit venda = ",
    ") Vlr Unit de Reembolso = ",
    ") Vlr Unit de reposição = ",
    ") Vlr Subsídio Convênio =",
    ") CNPJ do convênio = ",
    ") Cód plano desc Convênio = ",
    ") Nro do Documento = ",
    ") Dt Venda a ser cancelada = ",
    ") Nro Cp Fiscal orig a ser cancelado = ",
    ") Cód Medic a ser devolvido = ",
    ") Qtd medic a ser devolvido = ",
};
constexpr int32_t kUltimoItemConsulta = kPrimeiroItemConsulta + int32_t(std::size(kRotulosConsulta)) - 1;

const QString kDigiteNovamente = QStringLiteral("Digite Novamente");
const QString kPressioneEnter = QStringLiteral("Pressione enter");
const QString kConsultaCDC = QStringLiteral("Consulta CDC");
const QString kConsultaVidalink = QStringLiteral("Consulta Vidalink");

} // namespace

QString converteQuebras(const QString& texto) {
    QString convertido = texto;
    convertido.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return convertido;
}

LacoComandos::LacoComandos(EstadoConsole& estado, KavexLibrary& biblioteca, OperadorLaco& operador)
    : estado_(estado), biblioteca_(biblioteca), operador_(operador) {}

QString LacoComandos::textoBuffer() const {
    const void* zero = std::memchr(Buffer.data(), 0, Buffer.size());
    const size_t tamanho = zero ? static_cast<size_t>(static_cast<const char*>(zero) - Buffer.data()) : Buffer.size();
    return platform::fromWin1252(QByteArrayView(Buffer.data(), static_cast<qsizetype>(tamanho)));
}

void LacoComandos::ContinuaFuncao() {
    prepara();
    do {
        operador_.processaEventos();
    } while (ciclo());
    encerraFuncao();
}

void LacoComandos::prepara() {
    operador_.iniciaFuncao(estado_.DataHoraExtenso);
    ProximoComando = 0;
    TipoCampo = 0;
    TamanhoMinimo = 0;
    TamanhoMaximo = 0;
    estado_.Continua = kSegue;
    ContadorComando23 = 0;
    CupomRecebido = false;
    OpcaoConfirmacao = Pendente;
}

bool LacoComandos::ciclo() {
    estado_.Retorno = biblioteca_.ContinuaFuncaoKavexInterativo(
        &ProximoComando, &TipoCampo, &TamanhoMinimo, &TamanhoMaximo, Buffer.data(), kTamanhoBuffer, estado_.Continua);
    estado_.Continua = kSegue;
    texto_ = textoBuffer();
    operador_.registra(QLatin1String("ProximoComando = ") + QString::number(ProximoComando) +
                       QLatin1String(" TipoCampo = ") + QString::number(TipoCampo));
    operador_.registra(QLatin1String("Buffer = ") + texto_);
    if (estado_.Retorno != kContinua) {
        return false;
    }
    executaComando();
    return true;
}

// Commands not listed are ignored: the next call follows with Continua 0.
void LacoComandos::executaComando() {
    switch (ProximoComando) {
    case 0:
        registraDado();
        break;
    case 1:
    case 2:
    case 3:
        mostraMensagem();
        break;
    case 4:
        operador_.cabecalhoMenu(texto_);
        break;
    case 11:
    case 12:
    case 13:
        operador_.limpaMensagens();
        operador_.escondeAguardaPinpad();
        break;
    case 20:
        perguntaSimNao();
        break;
    case 21:
        menu();
        break;
    case 22:
        confirmaMensagem();
        break;
    case 23:
        aguardaPinpad();
        break;
    case 30:
        coletaCampo(true);
        break;
    case 31:
        cheque();
        break;
    case 34:
        coletaCampo(false);
        break;
    case 35:
        codigoBarras();
        break;
    default:
        break;
    }
}

void LacoComandos::registraDado() {
    switch (TipoCampo) {
    case kDataHoraTransacao:
        estado_.DataTransacao = estado_.DataFiscal;
        estado_.HoraTransacao = estado_.HoraFiscal;
        return;
    case kCupom1:
    case kCupom2:
        CupomRecebido = true;
        operador_.acrescentaCupom(converteQuebras(texto_));
        return;
    case kTrilha1:
        estado_.TextoTrilha1 = texto_;
        operador_.acrescentaMensagem(QLatin1String("Trilha1 = ") + texto_);
        operador_.escondeAguardaPinpad();
        return;
    case kTrilha2:
        estado_.TextoTrilha2 = texto_;
        operador_.acrescentaMensagem(QLatin1String("Trilha2 = ") + texto_);
        operador_.escondeAguardaPinpad();
        return;
    case kSenha:
        estado_.TextoSenha = texto_;
        operador_.acrescentaMensagem(QLatin1String("Senha = ") + texto_);
        return;
    default:
        break;
    }
    if (TipoCampo >= kPrimeiroItemConsulta && TipoCampo <= kUltimoItemConsulta) {
        operador_.acrescentaConsulta(QLatin1Char('(') + QString::number(TipoCampo) +
                                     QString::fromUtf8(kRotulosConsulta[TipoCampo - kPrimeiroItemConsulta]) + texto_);
    }
}

void LacoComandos::mostraMensagem() {
    if (texto_.size() > kMensagemCurta) {
        operador_.acrescentaMensagem(converteQuebras(texto_));
    } else {
        operador_.mostraMensagem(texto_);
    }
}

void LacoComandos::perguntaSimNao() {
    escreveBuffer(operador_.pergunta(texto_) ? QStringLiteral("0") : QStringLiteral("1"));
}

void LacoComandos::menu() {
    estado_.Continua = kSegue;
    const OperadorLaco::Escolha escolha = operador_.menu(texto_, limiteResposta());
    if (estado_.Continua == kSegue && escolha.alternativo) {
        estado_.Continua = kAlternativo;
    }
    escreveBuffer(escolha.texto);
}

// A long or multi-line text is read on the consultation screen, where it stays
// for the rest of the function; a short one on the message line.
void LacoComandos::confirmaMensagem() {
    if (texto_.size() > kMensagemCurta || texto_.contains(QLatin1Char('\n'))) {
        operador_.acrescentaConsulta(converteQuebras(texto_));
        operador_.mostraConsulta(kConsultaCDC);
    } else {
        operador_.mostraMensagem(texto_);
        operador_.avisa(kPressioneEnter);
    }
}

void LacoComandos::aguardaPinpad() {
    ++ContadorComando23;
    operador_.aguardaPinpad(ContadorComando23);
}

void LacoComandos::coletaCampo(bool comMinimo) {
    estado_.Continua = kSegue;
    const int limite = limiteResposta();
    OperadorLaco::Escolha escolha = operador_.coletaCampo(texto_, limite);
    if (!comMinimo) {
        escreveBuffer(escolha.texto);
        return;
    }
    // The 1000 choice of the first showing holds through the repetitions.
    if (estado_.Continua == kSegue && escolha.alternativo) {
        estado_.Continua = kAlternativo;
    }
    escreveBuffer(repeteEnquantoCurto(escolha.texto, [&] { return operador_.coletaCampo(texto_, limite).texto; }));
}

void LacoComandos::cheque() {
    estado_.Continua = kSegue;
    const bool usaCMC7 = operador_.escolheCheque();
    // Ended in the choice: the buffer stays as the library left it.
    if (estado_.Continua == kEncerra) {
        return;
    }
    if (!usaCMC7) {
        // Written even when the operator ended in the typed-data dialog; the
        // library learns it from Continua.
        escreveBuffer(QLatin1String("0:") + operador_.chequeDigitado(texto_));
        return;
    }
    const int limite = limiteResposta();
    const QString linha = operador_.chequeCMC7(texto_, limite);
    escreveBuffer(QLatin1String("1:") +
                  repeteEnquantoCurto(linha, [&] { return operador_.chequeCMC7(texto_, limite); }));
}

void LacoComandos::codigoBarras() {
    estado_.Continua = kSegue;
    estado_.ModoCorrespondente = true;
    escreveBuffer(operador_.codigoBarras(texto_));
}

// A minimum above what the box or the buffer takes could never be met, so the
// longest possible answer meets it.
template <class Pedido> QString LacoComandos::repeteEnquantoCurto(QString resposta, Pedido pedido) {
    const int minimo = std::min<int>(TamanhoMinimo, limiteResposta());
    while (resposta.size() < minimo && !encerrouOuVoltou()) {
        operador_.avisa(kDigiteNovamente);
        resposta = pedido();
    }
    return resposta;
}

int LacoComandos::limiteResposta() const {
    return TamanhoMaximo > 0 ? std::min<int>(TamanhoMaximo, kMaximoResposta) : kMaximoResposta;
}

bool LacoComandos::encerrouOuVoltou() const {
    return estado_.Continua == kEncerra || estado_.Continua == kVolta;
}

// An answer longer than the buffer takes is cut at kMaximoResposta bytes; the
// boxes do not let the operator type more than that anyway.
void LacoComandos::escreveBuffer(const QString& resposta) {
    platform::copyToBuffer(Buffer.data(), Buffer.size(), resposta);
}

void LacoComandos::encerraFuncao() {
    if (operador_.temConsulta() && estado_.ConsVidalinkEscolhida) {
        operador_.mostraConsulta(kConsultaVidalink);
    }
    operador_.mostraResultado(estado_.Retorno);
    const OperadorLaco::Finalizacao dados = operador_.finalizacao();
    if (CupomRecebido) {
        if (dados.imprime) {
            const QString falha = operador_.imprimeCupom();
            if (falha.isEmpty()) {
                OpcaoConfirmacao = Confirma;
            } else {
                // Not printed, so not confirmed: the operator decides on the
                // receipt screen, as without a printer.
                operador_.mostraErro(QStringLiteral("O cupom não foi impresso: %1").arg(falha));
                OpcaoConfirmacao = operador_.mostraCupom();
            }
        } else {
            OpcaoConfirmacao = operador_.mostraCupom();
        }
    }
    if (OpcaoConfirmacao == Desfaz || OpcaoConfirmacao == Confirma) {
        finalizaTransacao(dados);
    }
    operador_.devolveControles();
}

void LacoComandos::finalizaTransacao(const OperadorLaco::Finalizacao& dados) {
    const QByteArray cupom = platform::toWin1252(dados.cupomFiscal);
    const QByteArray data = platform::toWin1252(estado_.DataFiscal);
    const QByteArray hora = platform::toWin1252(dados.hora.isEmpty() ? estado_.HoraFiscal : dados.hora);
    biblioteca_.FinalizaTransacaoKavexInterativo(static_cast<int16_t>(OpcaoConfirmacao), cupom.constData(),
                                                 data.constData(), hora.constData());
}
