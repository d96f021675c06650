#include "fluxos/Vidalink.h"

#include "core/EstadoConsole.h"
#include "fluxos/Operador.h"
#include "fluxos/Padroes.h"
#include "library/KavexLibrary.h"
#include "library/kavex.h"
#include "platform/Win1252.h"

namespace fluxos {

namespace {

const QString kModoProdutoAProduto = QStringLiteral("0");
const QString kModoTodos = QStringLiteral("1");
constexpr int32_t kProdutoAceito = 0;

void preencheSeVazio(QString& campo, const QString& padrao) {
    if (campo.isEmpty()) {
        campo = padrao;
    }
}

// The date, time and operator every Vidalink start sends.
struct Momento {
    QByteArray data;
    QByteArray hora;
    QByteArray operador;
};
Momento momentoAtual(EstadoConsole& estado) {
    dataehora(estado);
    return {platform::toWin1252(estado.DataFiscal), platform::toWin1252(estado.HoraFiscal),
            platform::toWin1252(padroes::kOperador)};
}

} // namespace

int32_t VendaVidalink::informaProduto(const QString& codigo, int32_t quantidade, const QString& valor) {
    ++ContProdVenda;
    const QByteArray codigoTexto = platform::toWin1252(codigo);
    const QByteArray valorTexto = platform::toWin1252(valor);
    return biblioteca_.InformaProdutoVendaVidalink(ContProdVenda, codigoTexto.constData(), quantidade,
                                                   valorTexto.constData());
}

int32_t VendaVidalink::inicia(Autorizacao& autorizacao) {
    preencheSeVazio(autorizacao.codigo, padroes::kAutorizacaoVidalink);
    preencheSeVazio(autorizacao.cupomFiscal, padroes::kCupomVendaVidalink);
    const Momento momento = momentoAtual(estado_);
    const QByteArray codigo = platform::toWin1252(autorizacao.codigo);
    const QByteArray cupom = platform::toWin1252(autorizacao.cupomFiscal);
    return biblioteca_.IniciaFuncaoKavexInterativoVendaVidalink(codigo.constData(), ContProdVenda, cupom.constData(),
                                                                momento.data.constData(), momento.hora.constData(),
                                                                momento.operador.constData());
}

bool CancelamentoVidalink::informaProduto(const QString& codigo, int32_t quantidade) {
    const QByteArray codigoTexto = platform::toWin1252(codigo);
    const int32_t resultado = biblioteca_.InformaProdutoCancelamentoVidalink(
        static_cast<int16_t>(IndiceProdCancelamento), codigoTexto.constData(), quantidade);
    if (resultado != kProdutoAceito) {
        return false;
    }
    ++IndiceProdCancelamento;
    return true;
}

void CancelamentoVidalink::preenche(Dados& dados) {
    preencheSeVazio(dados.cupomNaoFiscal, padroes::kCupomFiscal);
}

int32_t CancelamentoVidalink::inicia(Dados& dados) {
    preenche(dados);
    const Momento momento = momentoAtual(estado_);
    const QByteArray cupomOrig = platform::toWin1252(dados.cupomOriginal);
    const QByteArray dataOrig = platform::toWin1252(dados.dataOriginal);
    const QByteArray docOrig = platform::toWin1252(dados.documentoOriginal);
    const QByteArray termOrig = platform::toWin1252(dados.terminalOriginal);
    const QByteArray cupomNaoFiscal = platform::toWin1252(dados.cupomNaoFiscal);
    const int16_t TipoCancelamento = dados.total ? 1 : 0;
    return biblioteca_.IniciaFuncaoKavexInterativoCancelamentoVidalink(
        TipoCancelamento, dados.produtos, cupomOrig.constData(), dataOrig.constData(), docOrig.constData(),
        termOrig.constData(), cupomNaoFiscal.constData(), momento.data.constData(), momento.hora.constData(),
        momento.operador.constData());
}

int32_t ConsultaVidalink::passoAutorizacao(Campos& campos, bool todos) {
    ContProdConsulta = 0;
    ConsultaIniciada = true;
    dataehora(estado_);
    preencheSeVazio(campos.quantidade, padroes::kQuantidadeConsulta);
    preencheSeVazio(campos.cupomFiscal, padroes::kCupomFiscal);
    preencheSeVazio(campos.dataFiscal, estado_.DataFiscal);
    preencheSeVazio(campos.horario, estado_.HoraFiscal);
    preencheSeVazio(campos.operador, padroes::kOperador);
    if (todos) {
        ConsultaMaisProdutos = false;
    }
    return consulta(campos, todos ? kModoTodos : kModoProdutoAProduto);
}

int32_t ConsultaVidalink::passoProduto(const Campos& campos, const QString& codigoProduto,
                                       std::optional<int32_t> quantidade) {
    ++ContProdConsulta;
    // The date and time sent stay those of the authorisation step.
    dataehora(estado_);
    const bool ultimo = !quantidade || *quantidade == ContProdConsulta;
    const int32_t resultado = consulta(campos, codigoProduto);
    if (ultimo) {
        ConsultaMaisProdutos = false;
    }
    return resultado;
}

void ConsultaVidalink::encerra() {
    ConsultaIniciada = false;
    ConsultaMaisProdutos = false;
}

int32_t ConsultaVidalink::consulta(const Campos& campos, const QString& produto) {
    const QByteArray autorizacao = platform::toWin1252(campos.autorizacao);
    const QByteArray produtoTexto = platform::toWin1252(produto);
    const QByteArray cupom = platform::toWin1252(campos.cupomFiscal);
    const QByteArray data = platform::toWin1252(campos.dataFiscal);
    const QByteArray hora = platform::toWin1252(campos.horario);
    const QByteArray operador = platform::toWin1252(campos.operador);
    const int32_t resultado = biblioteca_.IniciaFuncaoKavexInterativoConsultaVidalink(
        autorizacao.constData(), produtoTexto.constData(), cupom.constData(), data.constData(), hora.constData(),
        operador.constData());
    if (resultado != KAVEX_CONTINUA_INTERATIVO) {
        encerra();
    }
    retorno_ = resultado;
    operador_.mostraResultado(resultado);
    return resultado;
}

} // namespace fluxos
