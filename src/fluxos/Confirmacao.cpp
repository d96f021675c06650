#include "fluxos/Confirmacao.h"

#include "core/EstadoConsole.h"
#include "fluxos/Padroes.h"
#include "library/KavexLibrary.h"
#include "platform/Numeros.h"
#include "platform/Win1252.h"

namespace fluxos {

namespace {

const QString kComParametros = QStringLiteral("Confirmação Com Parâmetros Adicionais");

// What every finishing call carries besides the flag.
struct Envio {
    QByteArray cupom;
    QByteArray data;
    QByteArray hora;
};

// The date is the one the last function recorded, else today's; the panel
// keeps what is filled in here.
Envio preparaEnvio(const CamposConfirmacao& campos, EstadoConsole& estado, OperadorLaco& operador) {
    dataehora(estado);
    const QString cupom = campos.cupomFiscal.isEmpty() ? padroes::kCupomFiscal : campos.cupomFiscal;
    const QString hora = campos.hora.isEmpty() ? estado.HoraFiscal : campos.hora;
    if (cupom != campos.cupomFiscal || hora != campos.hora) {
        operador.escreveCamposConfirmacao(cupom, hora);
    }
    const QString& data = estado.DataTransacao.isEmpty() ? estado.DataFiscal : estado.DataTransacao;
    return {platform::toWin1252(cupom), platform::toWin1252(data), platform::toWin1252(hora)};
}

} // namespace

bool funcaoValida(const QString& texto, int32_t& funcao) {
    funcao = platform::numeros::StrToIntDef(texto, 0);
    return !texto.isEmpty() && static_cast<int16_t>(funcao) > 0;
}

std::optional<int32_t> confirmaManual(const CamposConfirmacao& campos, EstadoConsole& estado, KavexLibrary& biblioteca,
                                      OperadorLaco& operador) {
    const bool comParametros =
        campos.comParametros && operador.perguntaComTitulo(kComParametros, kComParametros + QStringLiteral(" ?"));
    const Envio envio = preparaEnvio(campos, estado, operador);
    QString parametros;
    if (comParametros) {
        const std::optional<QString> digitados = operador.pedeTexto(QStringLiteral("Parâmetros Adicionais"),
                                                                    QStringLiteral("Digite as Informações Adicionais"));
        if (!digitados) {
            return std::nullopt;
        }
        parametros = *digitados;
    }
    if (campos.opcao < 0) {
        return std::nullopt;
    }
    const auto confirma = static_cast<int16_t>(campos.opcao);
    if (comParametros) {
        return biblioteca.FinalizaFuncaoKavexInterativo(confirma, envio.cupom.constData(), envio.data.constData(),
                                                        envio.hora.constData(),
                                                        platform::toWin1252(parametros).constData());
    }
    return biblioteca.FinalizaTransacaoKavexInterativo(confirma, envio.cupom.constData(), envio.data.constData(),
                                                       envio.hora.constData());
}

std::optional<int32_t> confirmaIdentificada(const CamposConfirmacao& campos, EstadoConsole& estado,
                                            KavexLibrary& biblioteca, OperadorLaco& operador) {
    const Envio envio = preparaEnvio(campos, estado, operador);
    const std::optional<QString> textoFuncao =
        operador.pedeTexto(QStringLiteral("Função do Kavex"), QStringLiteral("Digite a Função do Kavex em Hexa"));
    if (!textoFuncao) {
        return std::nullopt;
    }
    int32_t funcao = 0;
    if (!funcaoValida(*textoFuncao, funcao)) {
        operador.avisa(QStringLiteral("Função Inválida!!!"));
        return std::nullopt;
    }
    const std::optional<QString> dados =
        operador.pedeTexto(QStringLiteral("Dados da Transação"), QStringLiteral("Digite os dados da Transação"));
    if (!dados) {
        return std::nullopt;
    }
    if (dados->isEmpty()) {
        operador.avisa(QStringLiteral("Dados Inválidos!!!"));
        return std::nullopt;
    }
    if (campos.opcao < 0) {
        return std::nullopt;
    }
    return biblioteca.FinalizaTransacaoIdentificadaKavex(
        funcao, static_cast<int16_t>(campos.opcao), envio.cupom.constData(), envio.data.constData(),
        envio.hora.constData(), platform::toWin1252(*dados).constData());
}

} // namespace fluxos
