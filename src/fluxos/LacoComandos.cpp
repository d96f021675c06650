#include "fluxos/LacoComandos.h"

#include "core/EstadoConsole.h"
#include "library/KavexLibrary.h"
#include "platform/Win1252.h"

#include <algorithm>
#include <cstring>

namespace {

// Continuation values the loop itself deals with.
constexpr int32_t kSegue = KAVEX_CONTINUA_SEGUE;
constexpr int32_t kVolta = KAVEX_CONTINUA_VOLTA;
constexpr int32_t kEncerra = KAVEX_CONTINUA_ENCERRA;
constexpr int32_t kAlternativo = KAVEX_CONTINUA_ALTERNATIVO;

// Messages up to this length replace the one-line display; longer ones go to
// the operator-message box.
constexpr qsizetype kMensagemCurta = 50;

// Data records (command 0) by field type.
constexpr int32_t kPrimeiroItemConsulta = KAVEX_CAMPO_QTD_TOTAL;

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
static_assert(kUltimoItemConsulta == KAVEX_CAMPO_QTD_DEVOLVIDA);

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

void LacoComandos::ContinuaFuncao(bool consultaVidalink) {
    consultaVidalink_ = consultaVidalink;
    prepara();
    do {
        if (operador_.processaEventos()) {
            Continua = kEncerra;
        }
    } while (ciclo());
    encerraFuncao();
}

void LacoComandos::prepara() {
    operador_.iniciaFuncao(estado_.DataHoraExtenso);
    ProximoComando = 0;
    TipoCampo = 0;
    TamanhoMinimo = 0;
    TamanhoMaximo = 0;
    Continua = kSegue;
    ContadorComando23 = 0;
    CupomRecebido = false;
    OpcaoConfirmacao = Pendente;
}

bool LacoComandos::ciclo() {
    estado_.Retorno = biblioteca_.ContinuaFuncaoKavexInterativo(
        &ProximoComando, &TipoCampo, &TamanhoMinimo, &TamanhoMaximo, Buffer.data(), kTamanhoBuffer, Continua);
    Continua = kSegue;
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
    case KAVEX_CMD_DADO:
        registraDado();
        break;
    case KAVEX_CMD_MENSAGEM_OPERADOR:
    case KAVEX_CMD_MENSAGEM_CLIENTE:
    case KAVEX_CMD_MENSAGEM_AMBOS:
        mostraMensagem();
        break;
    case KAVEX_CMD_CABECALHO_MENU:
        operador_.cabecalhoMenu(texto_);
        break;
    case KAVEX_CMD_LIMPA_OPERADOR:
    case KAVEX_CMD_LIMPA_CLIENTE:
    case KAVEX_CMD_LIMPA_AMBOS:
        operador_.limpaMensagens();
        operador_.escondeAguardaPinpad();
        break;
    case KAVEX_CMD_SIM_NAO:
        perguntaSimNao();
        break;
    case KAVEX_CMD_MENU:
        menu();
        break;
    case KAVEX_CMD_AVISO:
        confirmaMensagem();
        break;
    case KAVEX_CMD_AGUARDA_PINPAD:
        aguardaPinpad();
        break;
    case KAVEX_CMD_CAMPO:
        coletaCampo(true);
        break;
    case KAVEX_CMD_CHEQUE:
        cheque();
        break;
    case KAVEX_CMD_CAMPO_LIVRE:
        coletaCampo(false);
        break;
    case KAVEX_CMD_CODIGO_BARRAS:
        codigoBarras();
        break;
    default:
        break;
    }
}

void LacoComandos::registraDado() {
    switch (TipoCampo) {
    case KAVEX_CAMPO_DATA_HORA_TRANSACAO:
        estado_.DataTransacao = estado_.DataFiscal;
        estado_.HoraTransacao = estado_.HoraFiscal;
        return;
    case KAVEX_CAMPO_CUPOM_LOJA:
    case KAVEX_CAMPO_CUPOM_CLIENTE:
        CupomRecebido = true;
        operador_.acrescentaCupom(converteQuebras(texto_));
        return;
    case KAVEX_CAMPO_TRILHA1:
        estado_.TextoTrilha1 = texto_;
        operador_.acrescentaMensagem(QLatin1String("Trilha1 = ") + texto_);
        operador_.escondeAguardaPinpad();
        return;
    case KAVEX_CAMPO_TRILHA2:
        estado_.TextoTrilha2 = texto_;
        operador_.acrescentaMensagem(QLatin1String("Trilha2 = ") + texto_);
        operador_.escondeAguardaPinpad();
        return;
    case KAVEX_CAMPO_SENHA:
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
    Continua = kSegue;
    const OperadorLaco::Resposta escolha = operador_.menu(texto_, limiteResposta());
    anota(escolha.continua);
    if (Continua == kSegue && escolha.alternativo) {
        Continua = kAlternativo;
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
    Continua = kSegue;
    const int limite = limiteResposta();
    const OperadorLaco::Resposta escolha = operador_.coletaCampo(texto_, limite);
    anota(escolha.continua);
    if (!comMinimo) {
        escreveBuffer(escolha.texto);
        return;
    }
    // The 1000 choice of the first showing holds through the repetitions.
    if (Continua == kSegue && escolha.alternativo) {
        Continua = kAlternativo;
    }
    escreveBuffer(repeteEnquantoCurto(escolha.texto, [&] {
        const OperadorLaco::Resposta outra = operador_.coletaCampo(texto_, limite);
        anota(outra.continua);
        return outra.texto;
    }));
}

void LacoComandos::cheque() {
    Continua = kSegue;
    const OperadorLaco::EscolhaCheque escolha = operador_.escolheCheque();
    anota(escolha.continua);
    // Ended in the choice: the buffer stays as the library left it.
    if (Continua == kEncerra) {
        return;
    }
    if (!escolha.cmc7) {
        // Written even when the operator ended in the typed-data dialog; the
        // library learns it from Continua.
        const OperadorLaco::Resposta digitado = operador_.chequeDigitado(texto_);
        anota(digitado.continua);
        escreveBuffer(QLatin1String("0:") + digitado.texto);
        return;
    }
    const int limite = limiteResposta();
    const auto pedeLinha = [&] {
        const OperadorLaco::Resposta linha = operador_.chequeCMC7(texto_, limite);
        anota(linha.continua);
        return linha.texto;
    };
    const QString linha = pedeLinha();
    escreveBuffer(QLatin1String("1:") + repeteEnquantoCurto(linha, pedeLinha));
}

void LacoComandos::codigoBarras() {
    Continua = kSegue;
    estado_.ModoCorrespondente = true;
    const OperadorLaco::Resposta codigo = operador_.codigoBarras(texto_);
    anota(codigo.continua);
    escreveBuffer(codigo.texto);
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

void LacoComandos::anota(int32_t continua) {
    if (continua != kSegue) {
        Continua = continua;
    }
}

int LacoComandos::limiteResposta() const {
    return TamanhoMaximo > 0 ? std::min<int>(TamanhoMaximo, kMaximoResposta) : kMaximoResposta;
}

bool LacoComandos::encerrouOuVoltou() const {
    return Continua == kEncerra || Continua == kVolta;
}

// An answer longer than the buffer takes is cut at kMaximoResposta bytes; the
// boxes do not let the operator type more than that anyway.
void LacoComandos::escreveBuffer(const QString& resposta) {
    platform::copyToBuffer(Buffer.data(), Buffer.size(), resposta);
}

void LacoComandos::encerraFuncao() {
    if (operador_.temConsulta() && consultaVidalink_) {
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
