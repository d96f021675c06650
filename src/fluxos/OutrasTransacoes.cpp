#include "fluxos/OutrasTransacoes.h"

#include "core/EstadoConsole.h"
#include "fluxos/Padroes.h"
#include "fluxos/Vidalink.h"
#include "library/KavexLibrary.h"
#include "library/kavex.h"
#include "platform/Win1252.h"

#include <array>

namespace fluxos {

namespace {

const QString kTituloPBM = QStringLiteral("Consulta PBM");
const QString kConsultaProdutoAProduto = QStringLiteral("0");
const QString kConsultaUnica = QStringLiteral("1");

bool iniciou(const std::optional<int32_t>& inicio) {
    return inicio.value_or(0) == KAVEX_CONTINUA_INTERATIVO;
}

} // namespace

OutrasTransacoes::OutrasTransacoes(EstadoConsole& estado, KavexLibrary& biblioteca, OperadorLaco& operador, Laco laco)
    : estado_(estado), biblioteca_(biblioteca), operador_(operador), laco_(std::move(laco)) {}

void OutrasTransacoes::executaLaco(bool consultaVidalink) {
    if (substituto_) {
        substituto_(consultaVidalink);
    } else {
        laco_(consultaVidalink);
    }
}

void OutrasTransacoes::visita(const QString& cupomFiscal) {
    ConsultaVidalink consulta(estado_, biblioteca_, operador_);
    const OperadorLaco::Visita menu = operador_.menuOutras(consulta);
    switch (menu.escolha) {
    case OperadorLaco::EscolhaOutras::Vidalink:
        repassaVidalink(menu, consulta);
        break;
    case OperadorLaco::EscolhaOutras::ConsultaPBM:
        consultaPBM(cupomFiscal);
        break;
    case OperadorLaco::EscolhaOutras::Nenhuma:
        break;
    }
}

void OutrasTransacoes::repassaVidalink(const OperadorLaco::Visita& menu, ConsultaVidalink& consulta) {
    switch (menu.vidalink) {
    case OperadorLaco::EscolhaVidalink::Consulta:
        repassaConsulta(consulta);
        break;
    case OperadorLaco::EscolhaVidalink::Venda:
    case OperadorLaco::EscolhaVidalink::Cancelamento:
        if (iniciou(menu.inicio)) {
            executaLaco();
        }
        break;
    case OperadorLaco::EscolhaVidalink::Nenhuma:
        break;
    }
}

// The consultation window closes after each of its steps; the loop runs here
// when the step's start answered 10000, and the window comes back for the
// next product while the loop ended in 0. A round that does neither (the
// window was closed before anything was sent) ends the consultation.
void OutrasTransacoes::repassaConsulta(ConsultaVidalink& consulta) {
    bool fezAlgo = false;
    do {
        fezAlgo = false;
        if (consulta.iniciada() && iniciou(consulta.tomaRetorno())) {
            executaLaco(true);
            fezAlgo = true;
        }
        if (!consulta.maisProdutos()) {
            consulta.encerra();
        }
        if (estado_.Retorno == 0 && consulta.iniciada()) {
            operador_.consultaVidalink(consulta);
            fezAlgo = true;
        }
    } while (fezAlgo && consulta.iniciada() && estado_.Retorno == 0);
}

void OutrasTransacoes::consultaPBM(const QString& cupomFiscal) {
    std::array<char, KAVEX_TAM_COD_AUTORIZACAO> codigoAutorizacao{};
    platform::copyToBuffer(codigoAutorizacao.data(), codigoAutorizacao.size(),
                           operador_.codigoProdutoAutorizacao(QStringLiteral("Código de Autorização:")));

    const bool produtoAProduto =
        operador_.perguntaComTitulo(kTituloPBM, QStringLiteral("Consulta Produto a Produto ?"));
    QString consulta = produtoAProduto ? kConsultaProdutoAProduto : kConsultaUnica;
    QString cupomTexto = cupomFiscal;
    if (cupomTexto.isEmpty()) {
        cupomTexto = padroes::kCupomFiscal;
        operador_.escreveCupomFiscal(cupomTexto);
    }
    dataehora(estado_);
    // The date and time of the opening call go with every product.
    const QByteArray data = platform::toWin1252(estado_.DataFiscal);
    const QByteArray hora = platform::toWin1252(estado_.HoraFiscal);
    const QByteArray cupom = platform::toWin1252(cupomTexto);
    const QByteArray operador = platform::toWin1252(padroes::kOperador);
    // A start the library refuses (an authorisation code or a product it
    // does not know) shows its result, as the loop's end would.
    const auto inicia = [&] {
        const QByteArray texto = platform::toWin1252(consulta);
        estado_.Retorno = biblioteca_.IniciaFuncaoKavexInterativoConsultaPBM(
            codigoAutorizacao.data(), texto.constData(), cupom.constData(), data.constData(), hora.constData(),
            operador.constData(), "");
        if (estado_.Retorno != KAVEX_CONTINUA_INTERATIVO) {
            operador_.mostraResultado(estado_.Retorno);
        }
        return estado_.Retorno;
    };

    if (inicia() != KAVEX_CONTINUA_INTERATIVO) {
        return;
    }
    executaLaco();
    if (!produtoAProduto || estado_.Retorno != 0) {
        return;
    }
    do {
        consulta = operador_.codigoProdutoAutorizacao(QStringLiteral("Código do Produto:"));
        if (inicia() == KAVEX_CONTINUA_INTERATIVO) {
            executaLaco();
        }
        if (estado_.Retorno == 0 &&
            operador_.perguntaComTitulo(kTituloPBM, QStringLiteral("Existem mais produtos a serem consultados ?"))) {
            estado_.Retorno = KAVEX_CONTINUA_INTERATIVO;
        }
    } while (estado_.Retorno == KAVEX_CONTINUA_INTERATIVO);
}

} // namespace fluxos
