#pragma once

// An operator that answers from a script and writes down everything it is
// shown or asked, for the flows' tests below the windows.
//
// Answers are "text", optionally followed by "#1000" (the 1000 choice) or by
// "#-1" / "#1" (the dialog was ended with "&Encerra" or "&Volta"). A question
// asked after the script has run out throws SemResposta naming it; the tests
// turn that into a failure of the case instead of reading past the script.

#include "fluxos/Operador.h"
#include "fluxos/Vidalink.h"

#include <QStringList>

#include <deque>
#include <stdexcept>

namespace harness {

class SemResposta : public std::runtime_error {
public:
    explicit SemResposta(const QString& pergunta)
        : std::runtime_error(("no scripted answer left for: " + pergunta).toStdString()) {}
};

// Runs `passo`; a question left without an answer fails the test case with
// the question's text.
#define KAVEX_ROTEIRO(passo)                                                                                           \
    do {                                                                                                               \
        try {                                                                                                          \
            passo;                                                                                                     \
        } catch (const harness::SemResposta& semResposta_) {                                                           \
            QFAIL(semResposta_.what());                                                                                \
        }                                                                                                              \
    } while (false)

class OperadorRoteiro : public OperadorLaco {
public:
    explicit OperadorRoteiro(const QStringList& respostas = {});

    std::deque<QString> respostas;
    QStringList eventos, trace;
    Finalizacao dados;
    QString falhaImpressao;
    int32_t escolhaCupom = 2;
    bool consulta = false;

    // The next answer to the question `evento`, which is written down.
    Resposta responde(const QString& evento);
    // The same, split at "#" as it stands.
    QStringList respostaCrua(const QString& evento);

    void iniciaFuncao(const QString&) override {}
    bool processaEventos() override { return false; }
    void registra(const QString& l) override { trace << l; }
    void mostraMensagem(const QString& t) override { eventos << "mensagem:" + t; }
    void acrescentaMensagem(const QString& t) override { eventos << "acrescentaMensagem:" + t; }
    void limpaMensagens() override { eventos << "limpaMensagens"; }
    void avisa(const QString& t) override { eventos << "avisa:" + t; }
    void mostraErro(const QString& t) override { eventos << "erro:" + t; }
    bool pergunta(const QString& t) override { return responde("pergunta:" + t).texto == u"Sim"; }
    void cabecalhoMenu(const QString& t) override { eventos << "cabecalhoMenu:" + t; }
    Resposta menu(const QString& o, int m) override;
    Resposta coletaCampo(const QString& s, int m) override;
    EscolhaCheque escolheCheque() override;
    Resposta chequeDigitado(const QString& s) override { return responde("digitado:" + s); }
    Resposta chequeCMC7(const QString& s, int m) override;
    Resposta codigoBarras(const QString& s) override { return responde("codigoBarras:" + s); }
    void aguardaPinpad(int32_t n) override { eventos << "aguardaPinpad:" + QString::number(n); }
    void escondeAguardaPinpad() override { eventos << "escondePinpad"; }
    void acrescentaCupom(const QString& t) override { eventos << "cupom:" + t; }
    int32_t mostraCupom() override { return eventos << "mostraCupom", escolhaCupom; }
    QString imprimeCupom() override { return eventos << "imprime", falhaImpressao; }
    void acrescentaConsulta(const QString& t) override { eventos << "consulta:" + t, consulta = true; }
    bool temConsulta() override { return consulta; }
    void mostraConsulta(const QString& t) override { eventos << "mostraConsulta:" + t; }
    void mostraResultado(int32_t r) override { eventos << "resultado:" + QString::number(r); }
    Finalizacao finalizacao() override { return dados; }
    void devolveControles() override { eventos << "devolve"; }

    void escreveCupomFiscal(const QString& c) override { eventos << "escreveCupom:" + c; }
    void escreveValor(const QString& v) override { eventos << "escreveValor:" + v; }
    void escreveHora(const QString& h) override { eventos << "escreveHora:" + h; }
    // "#-1" (or any ended answer): no list given.
    ListaProdutos produtosAutoAtendimento() override;
    Resposta mensagemPinpad() override { return responde("mensagemPinpad"); }
    Resposta workingKey() override { return responde("workingKey"); }
    // An empty answer leaves the box empty.
    TempoEspera tempoLeituraCartao() override;
    int32_t aguardaPassagemCartao() override { return responde("aguardaCartao").texto.toInt(); }
    void limpaCaixaMensagens() override { eventos << "limpaCaixa"; }
    void mostraPainelLeitura() override { eventos << "painelLeitura"; }
    void escondePainelLeitura() override { eventos << "escondePainelLeitura"; }
    void validaCodigoBarras() override { eventos << "validaCodigoBarras"; }

    bool perguntaComTitulo(const QString& titulo, const QString& texto) override;
    // "#-1": the box was cancelled.
    std::optional<QString> pedeTexto(const QString& titulo, const QString& rotulo) override;
    void escreveCamposConfirmacao(const QString& c, const QString& h) override;

    // "PBM"; "Venda" or "Cancelamento", then "#<result of the start made in
    // the window>"; "Consulta", then the authorisation step's answer.
    Visita menuOutras(fluxos::ConsultaVidalink& consulta) override;
    void consultaVidalink(fluxos::ConsultaVidalink& consulta) override;
    // The consultation window's fields, kept between its steps.
    fluxos::ConsultaVidalink::Campos camposConsulta;
    QString codigoProdutoAutorizacao(const QString& r) override { return responde("codigo:" + r).texto; }
};

} // namespace harness
