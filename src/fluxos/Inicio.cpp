#include "fluxos/Inicio.h"

#include "core/EstadoConsole.h"
#include "fluxos/Padroes.h"
#include "library/KavexLibrary.h"
#include "platform/Numeros.h"
#include "platform/Win1252.h"

#include <QStringList>

#include <array>

namespace fluxos {

namespace {

// The pinpad's answer to LeSimNaoPinPad.
constexpr int32_t kTeclaCancela = 0;
constexpr int32_t kTeclaConfirma = 1;

using ChamadaComTexto = int32_t (KavexLibrary::*)(const char*);

template <size_t N> QString textoDe(const std::array<char, N>& buffer) {
    return platform::fromWin1252(QByteArrayView(buffer.data(), buffer.size()));
}

// One press of "&Realiza Transação" (or one chosen pinpad function), from
// the defaults filled in to the result.
class Inicio {
public:
    Inicio(const CamposInicio& campos, EstadoConsole& estado, KavexLibrary& biblioteca, OperadorLaco& operador)
        : campos_(campos), estado_(estado), biblioteca_(biblioteca), operador_(operador) {}

    bool executa();

private:
    void preparaCampos();
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

    CamposInicio campos_;
    EstadoConsole& estado_;
    KavexLibrary& biblioteca_;
    OperadorLaco& operador_;
    // The answers of the pinpad prompts.
    QString mensagem_;
    QString chave_;
    // What a direct read finds, written by the library; zero-filled at each
    // start by being created with it.
    std::array<char, KAVEX_TAM_TRILHA1> Trilha1_{};
    std::array<char, KAVEX_TAM_TRILHA2> Trilha2_{};
    std::array<char, KAVEX_TAM_SENHA> Senha_{};
};

bool Inicio::executa() {
    dataehora(estado_);
    estado_.Retorno = 0;
    estado_.TextoTrilha1.clear();
    estado_.TextoTrilha2.clear();
    estado_.TextoSenha.clear();
    preparaCampos();

    int32_t funcao = 0;
    if (!campos_.funcao.isEmpty()) {
        const std::optional<int32_t> lida = platform::numeros::leInteiro(campos_.funcao);
        if (!lida) {
            operador_.mostraErro(platform::numeros::mensagemInvalido(campos_.funcao));
            return false;
        }
        funcao = *lida;
    }

    // An empty time means now; writing it back makes the next start send the
    // same time unless the operator changes it.
    const bool horaDigitada = !campos_.hora.isEmpty();
    iniciaPorTipo(funcao, horaDigitada ? campos_.hora : estado_.HoraFiscal);
    if (!horaDigitada) {
        operador_.escreveHora(estado_.HoraFiscal);
    }
    executaFuncaoPinpad();
    if (campos_.grupoCB == CamposInicio::ValidaCodigoBarras) {
        operador_.validaCodigoBarras();
    }
    return true;
}

void Inicio::preparaCampos() {
    if (campos_.cupomFiscal.isEmpty()) {
        campos_.cupomFiscal = padroes::kCupomFiscal;
        operador_.escreveCupomFiscal(campos_.cupomFiscal);
    }
    if (campos_.valor.isEmpty() && campos_.grupoTEF >= 0) {
        campos_.valor = padroes::kValor;
        operador_.escreveValor(campos_.valor);
    }
}

void Inicio::iniciaPorTipo(int32_t funcao, const QString& hora) {
    const QByteArray valor = platform::toWin1252(campos_.valor);
    const QByteArray cupom = platform::toWin1252(campos_.cupomFiscal);
    const QByteArray data = platform::toWin1252(estado_.DataFiscal);
    const QByteArray horaEnvio = platform::toWin1252(hora);
    const QByteArray operador = platform::toWin1252(padroes::kOperador);
    const QByteArray textoRestricoes = platform::toWin1252(campos_.restricoes);
    if (campos_.grupoTEF == CamposInicio::TEF) {
        estado_.Retorno = biblioteca_.IniciaFuncaoKavexInterativo(funcao, valor.constData(), cupom.constData(),
                                                                  data.constData(), horaEnvio.constData(),
                                                                  operador.constData(), textoRestricoes.constData());
    } else if (campos_.grupoTEF == CamposInicio::AutoAtendimento) {
        const OperadorLaco::ListaProdutos produtos = operador_.produtosAutoAtendimento();
        if (produtos.informada) {
            const QByteArray lista = platform::toWin1252(produtos.lista);
            estado_.Retorno = biblioteca_.IniciaFuncaoAAKavexInterativo(
                funcao, valor.constData(), cupom.constData(), data.constData(), horaEnvio.constData(),
                operador.constData(), textoRestricoes.constData(), lista.constData());
        }
    } else if (campos_.grupoCB == CamposInicio::CorrespondenteBancario) {
        estado_.ModoCorrespondente = true;
        estado_.Retorno = biblioteca_.CorrespondenteBancarioKavexInterativo(cupom.constData(), data.constData(),
                                                                            horaEnvio.constData(), operador.constData(),
                                                                            textoRestricoes.constData());
    }
}

void Inicio::executaFuncaoPinpad() {
    switch (campos_.funcaoPinpad) {
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

// True when the operator gave an answer rather than "&Encerra".
bool Inicio::pedeMensagemPinpad() {
    const OperadorLaco::Resposta resposta = operador_.mensagemPinpad();
    mensagem_ = resposta.texto;
    return resposta.continua == 0;
}

bool Inicio::pedeWorkingKey() {
    const OperadorLaco::Resposta resposta = operador_.workingKey();
    chave_ = resposta.texto;
    return resposta.continua == 0;
}

void Inicio::chamaComMensagem(ChamadaComTexto chamada) {
    if (pedeMensagemPinpad()) {
        const QByteArray mensagem = platform::toWin1252(mensagem_);
        estado_.Retorno = (biblioteca_.*chamada)(mensagem.constData());
    }
}

void Inicio::chamaComWorkingKey(ChamadaComTexto chamada) {
    if (pedeWorkingKey()) {
        const QByteArray chave = platform::toWin1252(chave_);
        estado_.Retorno = (biblioteca_.*chamada)(chave.constData());
    }
}

void Inicio::leCartaoDireto() {
    operador_.limpaCaixaMensagens();
    if (pedeMensagemPinpad()) {
        const QByteArray mensagem = platform::toWin1252(mensagem_);
        operador_.mostraPainelLeitura();
        estado_.Retorno = biblioteca_.LeCartaoDireto(mensagem.constData(), Trilha1_.data(), Trilha2_.data());
        operador_.escondePainelLeitura();
    }
    relataTrilhas();
}

void Inicio::leCartaoDiretoEx() {
    operador_.limpaCaixaMensagens();
    bool segue = pedeMensagemPinpad();
    uint16_t segundos = padroes::kTimeoutLeCartao;
    if (segue) {
        const OperadorLaco::TempoEspera tempo = operador_.tempoLeituraCartao();
        segundos = tempo.segundos.value_or(padroes::kTimeoutLeCartao);
        segue = tempo.continua == 0;
    }
    if (segue) {
        const int32_t aguarda = operador_.aguardaPassagemCartao();
        const QByteArray mensagem = platform::toWin1252(mensagem_);
        estado_.Retorno =
            biblioteca_.LeCartaoDiretoEx(mensagem.constData(), Trilha1_.data(), Trilha2_.data(), segundos, aguarda);
        relataTrilhas();
    }
}

void Inicio::leSenhaDireto() {
    operador_.limpaCaixaMensagens();
    if (pedeWorkingKey()) {
        const QByteArray chave = platform::toWin1252(chave_);
        estado_.Retorno = biblioteca_.LeSenhaDireto(chave.constData(), Senha_.data());
    }
    relata(QStringLiteral("Senha = "), textoDe(Senha_));
}

// A prompt ended with "&Encerra" leaves Retorno at 0, which reads as the
// cancel key: the message tells what Retorno says, nothing more.
void Inicio::leSimNaoPinpad() {
    chamaComMensagem(&KavexLibrary::LeSimNaoPinPad);
    if (estado_.Retorno == kTeclaCancela) {
        operador_.avisa(QStringLiteral("A tecla de Cancelamento foi pressionada"));
    } else if (estado_.Retorno == kTeclaConfirma) {
        operador_.avisa(QStringLiteral("A tecla de Confirmação foi pressionada"));
    }
}

void Inicio::relataTrilhas() {
    relata(QStringLiteral("Trilha1 = "), textoDe(Trilha1_));
    relata(QStringLiteral("Trilha2 = "), textoDe(Trilha2_));
}

void Inicio::relata(const QString& rotulo, const QString& texto) {
    if (!texto.isEmpty()) {
        operador_.acrescentaMensagem(rotulo + texto);
    }
}

} // namespace

QString montaRestricoes(const QStringList& marcadas) {
    return QLatin1Char('[') + marcadas.join(QLatin1Char(';')) + QLatin1Char(']');
}

bool iniciaFuncao(const CamposInicio& campos, EstadoConsole& estado, KavexLibrary& biblioteca, OperadorLaco& operador) {
    return Inicio(campos, estado, biblioteca, operador).executa();
}

} // namespace fluxos
