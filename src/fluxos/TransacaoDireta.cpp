#include "fluxos/TransacaoDireta.h"

#include "fluxos/BufferDireto.h"
#include "fluxos/Padroes.h"
#include "library/KavexLibrary.h"
#include "platform/Clock.h"
#include "platform/Numeros.h"
#include "platform/Win1252.h"

#include <array>

namespace fluxos {

namespace {

const QString kZero = QStringLiteral("0");

QString hoje() {
    return platform::clock::now().toString(QStringLiteral("yyyyMMdd"));
}

QString agora() {
    return platform::clock::now().toString(QStringLiteral("HHmmss"));
}

void preencheSeVazio(QString& campo, const QString& padrao) {
    if (campo.trimmed().isEmpty()) {
        campo = padrao;
    }
}

} // namespace

CamposDireta camposDiretaPadrao() {
    CamposDireta campos;
    campos.cupomFiscal = padroes::kCupomFiscal;
    campos.dataFiscal = hoje();
    campos.horario = agora();
    campos.operador = padroes::kOperadorDireto;
    campos.timeout = QString::number(padroes::kTimeoutDireto);
    return campos;
}

bool VerificaCampos(CamposDireta& campos) {
    preencheSeVazio(campos.rede, kZero);
    if (campos.funcao.trimmed().isEmpty()) {
        return false;
    }
    preencheSeVazio(campos.offset, kZero);
    preencheSeVazio(campos.cupomFiscal, padroes::kCupomFiscal);
    preencheSeVazio(campos.dataFiscal, hoje());
    preencheSeVazio(campos.horario, agora());
    preencheSeVazio(campos.operador, padroes::kOperadorDireto);
    preencheSeVazio(campos.timeout, QString::number(padroes::kTimeoutDireto));
    return true;
}

RespostaDireta enviaDireta(const CamposDireta& campos, KavexLibrary& biblioteca) {
    using platform::numeros::StrToIntDef;
    RespostaDireta resposta;
    std::array<char, trndireta::kTamBuffer> BufferEnvio{};
    std::array<char, trndireta::kTamBuffer> BufferRetorno{};
    const int TamBufferEnvio = trndireta::MontaBufferEnvio(campos.linhas, BufferEnvio);
    if (TamBufferEnvio < 0) {
        return resposta;
    }
    const auto timeOut = static_cast<int16_t>(StrToIntDef(campos.timeout, padroes::kTimeoutDireto));
    const auto rede = static_cast<int16_t>(StrToIntDef(campos.rede, 0));
    const auto funcao = static_cast<int16_t>(StrToIntDef(campos.funcao, 0));
    const int32_t offset = StrToIntDef(campos.offset, 0);
    const QByteArray cupom = platform::toWin1252(campos.cupomFiscal);
    const QByteArray data = platform::toWin1252(campos.dataFiscal);
    const QByteArray hora = platform::toWin1252(campos.horario);
    const QByteArray operador = platform::toWin1252(campos.operador);
    resposta.enviada = true;
    resposta.resultado = biblioteca.EnviaRecebeKavexDireto(
        rede, funcao, offset, BufferEnvio.data(), static_cast<int16_t>(TamBufferEnvio), BufferRetorno.data(),
        trndireta::kTamBuffer, &resposta.codigoResposta, timeOut, cupom.constData(), data.constData(), hora.constData(),
        operador.constData(), static_cast<int16_t>(campos.tipoTransacao));
    resposta.linhas << QStringLiteral("Retorno Função: %1").arg(resposta.resultado)
                    << QStringLiteral("Código de Resposta: %1").arg(resposta.codigoResposta)
                    << QStringLiteral("Tamanho Máx Buffer: %1").arg(trndireta::kTamBuffer)
                    << QStringLiteral("Buffer Retorno: ");
    resposta.linhas << trndireta::MontaRetorno(resposta.resultado, rede, BufferRetorno);
    return resposta;
}

} // namespace fluxos
