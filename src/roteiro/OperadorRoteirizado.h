#pragma once

// The operator of an unattended run: answers every question of the flows
// from a case of the script and keeps what it was shown. A question the case
// does not answer, an answer of the wrong kind or the case's time running out
// ends the function as "&Encerra" would (the library gets -1, a receipt is
// undone), so nothing is left half-done and nothing waits for a person.

#include "fluxos/Operador.h"
#include "fluxos/Vidalink.h"
#include "roteiro/Execucao.h"
#include "roteiro/Roteiro.h"

#include <QDeadlineTimer>
#include <QStringList>

#include <functional>
#include <optional>

namespace roteiro {

class OperadorRoteirizado : public OperadorLaco {
public:
    // `interrompida` tells whether the run was asked to stop (a signal): the
    // function in progress is then ended like a failed case's.
    OperadorRoteirizado(const Caso& caso, const Configuracao& configuracao, std::function<bool()> interrompida = {});

    // Why the case cannot pass, whatever its result: the first question left
    // without an answer, an answer given to another question, the time out.
    const std::optional<QString>& falha() const { return falha_; }
    // Falhou, or Erro when the case could not be judged (time out, stop).
    Veredito veredito() const { return veredito_; }
    // An answer whose kind does not fit its question: the script is wrong
    // (status 2), named by its place.
    const std::optional<QString>& erroRoteiro() const { return erroRoteiro_; }
    const QStringList& trace() const { return trace_; }
    const QStringList& mensagens() const { return mensagens_; }
    // Trace lines, messages and receipts in the order they came, card data
    // as a recording keeps it.
    const QStringList& evidencias() const { return evidencias_; }
    // The console refused the start before calling the library: the case
    // fails with the message the console showed.
    void recusaInicio();
    // The minimum length of the field being asked, for the message of an
    // answer the console asks again for being too short.
    void defineMinimo(std::function<int()> minimo) { minimo_ = std::move(minimo); }
    // Answers of the ordered list never asked for.
    int respostasRestantes() const { return int(caso_.respostas.size()) - proxima_; }
    // Ends the run as if the time were out (tests; an interrupted process).
    void interrompe(const QString& motivo) { registraFalha(motivo, Veredito::Erro); }

    void iniciaFuncao(const QString&) override {}
    bool processaEventos() override;
    void registra(const QString& linha) override;
    void mostraMensagem(const QString& texto) override { mensagem(texto); }
    void acrescentaMensagem(const QString& texto) override { mensagem(texto); }
    void limpaMensagens() override {}
    void avisa(const QString& texto) override;
    void mostraErro(const QString& texto) override { mensagem(texto); }
    bool pergunta(const QString& texto) override { return simNao(texto); }
    void cabecalhoMenu(const QString& texto) override { cabecalho_ = texto; }
    Resposta menu(const QString& opcoes, int tamanhoMaximo) override;
    Resposta coletaCampo(const QString& solicitacao, int tamanhoMaximo) override;
    EscolhaCheque escolheCheque() override;
    Resposta chequeDigitado(const QString& solicitacao) override;
    Resposta chequeCMC7(const QString& solicitacao, int tamanhoMaximo) override;
    Resposta codigoBarras(const QString& solicitacao) override { return texto(solicitacao); }
    void aguardaPinpad(int32_t) override {}
    void escondeAguardaPinpad() override {}
    void acrescentaCupom(const QString& texto) override;
    int32_t mostraCupom() override;
    QString imprimeCupom() override { return {}; }
    void acrescentaConsulta(const QString& texto) override;
    bool temConsulta() override { return consulta_; }
    void mostraConsulta(const QString&) override {}
    void mostraResultado(int32_t) override {}
    Finalizacao finalizacao() override;
    void devolveControles() override {}

    void escreveCupomFiscal(const QString& cupom) override { cupomFiscal_ = cupom; }
    void escreveValor(const QString&) override {}
    void escreveHora(const QString&) override {}
    ListaProdutos produtosAutoAtendimento() override;
    Resposta mensagemPinpad() override { return {caso_.inicio.mensagem, 0, false}; }
    Resposta workingKey() override { return {caso_.inicio.workingKey, 0, false}; }
    TempoEspera tempoLeituraCartao() override { return {caso_.inicio.tempoLeitura, 0}; }
    int32_t aguardaPassagemCartao() override { return caso_.inicio.aguardaCartao; }
    void limpaCaixaMensagens() override {}
    void mostraPainelLeitura() override {}
    void escondePainelLeitura() override {}
    void validaCodigoBarras() override {}

    bool perguntaComTitulo(const QString& titulo, const QString& texto) override;
    std::optional<QString> pedeTexto(const QString& titulo, const QString& rotulo) override;
    void escreveCamposConfirmacao(const QString&, const QString&) override {}

    Visita menuOutras(fluxos::ConsultaVidalink& consulta) override;
    void consultaVidalink(fluxos::ConsultaVidalink& consulta) override;
    QString codigoProdutoAutorizacao(const QString& rotulo) override { return texto(rotulo).texto; }

private:
    // The script's answer to `pergunta`, or nothing once the case has failed.
    std::optional<roteiro::Resposta> responde(const QString& pergunta);
    const roteiro::Resposta* chaveada(const QString& pergunta) const;
    Resposta texto(const QString& pergunta);
    bool simNao(const QString& pergunta);
    void registraFalha(const QString& motivo, Veredito veredito = Veredito::Falhou);
    void mensagem(const QString& texto);
    bool encerrado() const { return falha_ || erroRoteiro_; }
    // What a confirmation's start gives for the panel's boxes, by title.
    std::optional<QString> textoDoInicio(const QString& titulo) const;

    const Caso& caso_;
    const Configuracao& configuracao_;
    std::function<bool()> interrompida_;
    QDeadlineTimer prazo_;
    int proxima_ = 0;
    QString cabecalho_;
    QString cupomFiscal_;
    // The cheque's answer, "0:" or "1:" and its data, read at the choice.
    QString cheque_;
    bool consulta_ = false;
    // The Vidalink consultation window's fields, kept between its steps.
    fluxos::ConsultaVidalink::Campos camposConsulta_;
    std::optional<QString> falha_;
    Veredito veredito_ = Veredito::Passou;
    std::function<int()> minimo_;
    // The last text answered, for a repetition's message.
    std::optional<QString> ultimaResposta_;
    QStringList evidencias_;
    int tipoCampo_ = 0; // of the buffer the trace's next line shows
    std::optional<QString> erroRoteiro_;
    QStringList trace_;
    QStringList mensagens_;
};

} // namespace roteiro
