#include "fluxos/OutrasTransacoes.h"

#include "core/EstadoConsole.h"
#include "fluxos/Padroes.h"
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

OutrasTransacoes::OutrasTransacoes(EstadoConsole& estado, KavexLibrary& biblioteca, OperadorLaco& operador,
                                   std::function<void()> laco)
    : estado_(estado), biblioteca_(biblioteca), operador_(operador), laco_(std::move(laco)) {}

void OutrasTransacoes::executaLaco() {
    if (substituto_) {
        substituto_();
    } else {
        laco_();
    }
}

void OutrasTransacoes::visita(const QString& cupomFiscal) {
    estado_.ConsVidalinkEscolhida = false;
    estado_.VendaVidalinkAtiva = false;
    estado_.CncVidalinkAtiva = false;
    const OperadorLaco::Visita menu = operador_.menuOutras();
    switch (menu.escolha) {
    case OperadorLaco::EscolhaOutras::Vidalink:
        repassaVidalink(iniciou(menu.inicio));
        break;
    case OperadorLaco::EscolhaOutras::ConsultaPBM:
        consultaPBM(cupomFiscal);
        break;
    case OperadorLaco::EscolhaOutras::Nenhuma:
        break;
    }
}

// `iniciada`: a start made from the menu's windows answered 10000.
void OutrasTransacoes::repassaVidalink(bool iniciada) {
    if (estado_.ConsVidalinkEscolhida) {
        // The consultation window closes after each of its steps; the loop
        // runs here when the step's start answered 10000, and the window comes
        // back for the next product. A round that does neither (the window
        // was closed before anything was sent) ends the consultation.
        bool fezAlgo = false;
        do {
            fezAlgo = false;
            if (estado_.ConsultaIniciada && iniciada) {
                executaLaco();
                fezAlgo = true;
            }
            iniciada = false;
            if (!estado_.ConsultaMaisProdutos) {
                estado_.ConsultaIniciada = false;
            }
            if (estado_.Retorno == 0 && estado_.ConsultaIniciada) {
                iniciada = iniciou(operador_.consultaVidalink());
                fezAlgo = true;
            }
        } while (fezAlgo && (estado_.ConsultaMaisProdutos || estado_.ConsultaIniciada) && estado_.Retorno == 0);
    }
    if ((estado_.VendaVidalinkAtiva || estado_.CncVidalinkAtiva) && iniciada) {
        executaLaco();
    }
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
