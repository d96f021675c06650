#pragma once

// An operator script: what an unattended run configures, starts, answers and
// expects, case by case. Read whole before anything is sent to the library,
// so a script with a mistake in its last case changes nothing.

#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <deque>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace roteiro {

// A script that cannot be used: the file, where in it, and why.
class ErroRoteiro : public std::runtime_error {
public:
    ErroRoteiro(const QString& arquivo, const QString& onde, const QString& motivo)
        : std::runtime_error(
              (arquivo + QStringLiteral(": ") + (onde.isEmpty() ? QString() : onde + QStringLiteral(": ")) + motivo)
                  .toStdString()) {}
};

// One answer as the script gives it: a text, a yes/no, or an object with the
// dialog's way out ("Encerra", "Volta") or the 1000 choice. `pergunta`, when
// given, is a text the question asked must contain.
struct Resposta {
    QJsonValue valor; // a string or a bool
    QString pergunta;
    int32_t continua = 0;
    bool alternativo = false;
    QString onde; // its place in the script, for messages
};

struct RespostaChaveada {
    QString chave;
    Resposta resposta;
};

enum class TipoInicio {
    TEF,
    AutoAtendimento,
    CorrespondenteBancario,
    ValidaCodigoBarras,
    Pinpad,
    ConsultaPBM,
    VendaVidalink,
    TransacaoDireta,
    Confirmacao,
    ConfirmacaoIdentificada,
    CancelamentoVidalink,
    ConsultaVidalink,
    Configura,
};

struct Configuracao {
    bool presente = false;
    QString endereco = QStringLiteral("localhost");
    QString empresa;
    QString terminal;
    bool imprime = false; // the printer choice is "Com"
};

struct ProdutoVidalink {
    QString codigo;
    int32_t quantidade = 1;
    QString valor;
};

struct Inicio {
    TipoInicio tipo = TipoInicio::TEF;
    QString funcao;      // "Função:", as typed
    QString valor;       // "Valor:"
    QString cupomFiscal; // "Cupom Fiscal:"
    QString hora;
    QString restricoes;
    // Auto Atendimento: the product list; absent means the window was closed.
    std::optional<QString> produtos;
    // Pinpad functions: which (1 to 9) and what the prompts are answered.
    int32_t funcaoPinpad = 0;
    QString mensagem;
    QString workingKey;
    std::optional<uint16_t> tempoLeitura;
    int32_t aguardaCartao = 0;
    // Valida Cód. Bar.: the digits checked.
    QString codigoBarras;
    // Venda Vidalink, Consulta Vidalink: the authorisation code; Venda and
    // Cancelamento Vidalink: the products.
    QString autorizacao;
    std::vector<ProdutoVidalink> produtosVidalink;
    // Confirmação, Confirmação Identificada: confirm or undo; the
    // additional parameters (present: that road); the transaction data.
    bool confirma = true;
    std::optional<QString> parametros;
    QString dados;
    // Cancelamento Vidalink: the sale cancelled.
    bool total = true;
    int32_t quantidadeProdutos = 1; // of a total cancellation
    QString cupomVenda;
    QString dataVenda; // empty: today
    QString documento;
    QString terminal;
    // Consulta Vidalink: all products at once, or these one by one.
    bool todosProdutos = false;
    QStringList produtosConsulta;
    // Configura.
    Configuracao configuracao;
    // Transação Direta.
    int16_t rede = 0;
    int16_t funcaoDireta = 0;
    int32_t offset = 0;
    QStringList linhas;
    int16_t tipoTransacao = 0;
};

enum class EscolhaCupom { Nenhuma = -1, NaoConfirma = 0, Confirma = 1, Pendente = 2 };

struct Expectativa {
    int32_t resultado = 0;
    QStringList trace;
    QStringList mensagens;
    // The finishing call: "Confirma", "Desfaz" or "Nenhuma"; empty: not checked.
    QString finalizacao;
};

struct Caso {
    QString nome;
    Inicio inicio;
    std::vector<Resposta> respostas;
    std::vector<RespostaChaveada> chaveadas;
    EscolhaCupom cupom = EscolhaCupom::Nenhuma;
    Expectativa espera;
    int tempoLimiteSegundos = 0; // 0 until read: the script's own
    // "save": a name and the pattern (one group) whose match in the case's
    // trace, messages and receipts later cases use as ${NAME}.
    std::vector<std::pair<QString, QString>> capturas;
    QString onde;
};

struct Roteiro {
    QString arquivo;
    Configuracao configuracao;
    // A deque: growing it never holds two copies of the cases at once.
    std::deque<Caso> casos;
};

inline constexpr int kTempoLimitePadrao = 60;
// A script larger than this is refused unread: a script is a few cases per
// kilobyte, and whatever names an endless file (/dev/zero) must not take
// the machine's memory.
inline constexpr qint64 kTamanhoMaximoRoteiro = 64 * 1024 * 1024;

// The keys each kind of object takes, by the name the JSON Schema in
// examples/ gives it ("roteiro", "configure", "case", "answer", "expect",
// "product", and "start:" and the start's kind).
std::vector<std::pair<QString, QStringList>> chavesDoFormato();
// The allowed key closest to `chave`, when one is close enough to be a typo.
std::optional<QString> chaveParecida(const QString& chave, const QStringList& permitidas);
inline constexpr int32_t kProdutosCancelamentoTotal = 1;

// Reads and checks the whole script; throws ErroRoteiro naming the place.
Roteiro leRoteiro(const QString& caminho);
// The same from the file's contents (tests).
Roteiro leRoteiroDeTexto(const QByteArray& conteudo, const QString& arquivo);

// The line of a byte offset, counted from 1.
int linhaDoDeslocamento(const QByteArray& conteudo, qsizetype deslocamento);

} // namespace roteiro
