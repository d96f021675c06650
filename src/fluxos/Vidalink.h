#pragma once

// The Vidalink functions: a sale (each product handed to the library as it is
// given, then the start with the number informed), a cancellation (total, or
// partial with each product accepted or refused at once, then the start) and
// a consultation (an authorisation step, then one step per product, each
// followed by the command loop). The windows gather the fields and call
// these; an unattended run calls the same.

#include <QString>

#include <cstdint>
#include <optional>
#include <utility>

class KavexLibrary;
class OperadorLaco;
struct EstadoConsole;

namespace fluxos {

class VendaVidalink {
public:
    VendaVidalink(EstadoConsole& estado, KavexLibrary& biblioteca) : estado_(estado), biblioteca_(biblioteca) {}

    // InformaProdutoVendaVidalink with the next product number; its result
    // is only shown: a refused product is neither retried nor undone.
    int32_t informaProduto(const QString& codigo, int32_t quantidade, const QString& valor);
    int16_t produtosInformados() const { return ContProdVenda; }

    struct Autorizacao {
        QString codigo;
        QString cupomFiscal;
    };
    // Fills an empty code or receipt with its default (the caller shows
    // them), refreshes the date and time and starts the sale with the
    // number of products informed.
    int32_t inicia(Autorizacao& autorizacao);

private:
    EstadoConsole& estado_;
    KavexLibrary& biblioteca_;
    int16_t ContProdVenda = 0;
};

class CancelamentoVidalink {
public:
    CancelamentoVidalink(EstadoConsole& estado, KavexLibrary& biblioteca) : estado_(estado), biblioteca_(biblioteca) {}

    // InformaProdutoCancelamentoVidalink with the current index; true when
    // the library accepted it, and only then does the index move on.
    bool informaProduto(const QString& codigo, int32_t quantidade);
    // The index the next product goes with (1 for the first).
    int32_t indice() const { return IndiceProdCancelamento; }

    struct Dados {
        bool total = true;
        int32_t produtos = 0;
        QString cupomOriginal;
        QString dataOriginal; // YYYYMMDD
        QString documentoOriginal;
        QString terminalOriginal;
        QString cupomNaoFiscal;
    };
    // An empty non-fiscal receipt gets its default.
    static void preenche(Dados& dados);
    // Fills the defaults, refreshes the date and time and starts the
    // cancellation.
    int32_t inicia(Dados& dados);

private:
    EstadoConsole& estado_;
    KavexLibrary& biblioteca_;
    int32_t IndiceProdCancelamento = 1;
};

// One consultation, from the authorisation step to its last product. Each
// step shows its result; one the library does not take (anything but 10000)
// ends the consultation.
class ConsultaVidalink {
public:
    ConsultaVidalink(EstadoConsole& estado, KavexLibrary& biblioteca, OperadorLaco& operador)
        : estado_(estado), biblioteca_(biblioteca), operador_(operador) {}

    struct Campos {
        QString autorizacao;
        QString quantidade; // "Quantidade de Produtos"
        QString cupomFiscal;
        QString dataFiscal; // YYYYMMDD
        QString horario;    // HHMMSS
        QString operador;
    };
    // Sends the authorisation code with the mode ("Todos os Produtos" makes
    // it the only step), once the empty fields have their defaults (the
    // caller shows them; they stay for the product steps).
    int32_t passoAutorizacao(Campos& campos, bool todos);
    // Sends one product. `quantidade` is the number of products, read as the
    // step is sent; nothing means "Todos os Produtos" was chosen now, which
    // makes this product the last.
    int32_t passoProduto(const Campos& campos, const QString& codigoProduto, std::optional<int32_t> quantidade);
    // "&Encerra": nothing more is sent.
    void encerra();

    // An authorisation step was sent and the consultation goes on.
    bool iniciada() const { return ConsultaIniciada; }
    // More product steps are expected.
    bool maisProdutos() const { return ConsultaMaisProdutos; }
    // Product steps sent.
    int32_t produtos() const { return ContProdConsulta; }
    // The result of the step sent since the last call, taken.
    std::optional<int32_t> tomaRetorno() { return std::exchange(retorno_, std::nullopt); }

private:
    int32_t consulta(const Campos& campos, const QString& produto);

    EstadoConsole& estado_;
    KavexLibrary& biblioteca_;
    OperadorLaco& operador_;
    bool ConsultaIniciada = false;
    bool ConsultaMaisProdutos = true;
    int32_t ContProdConsulta = 0;
    std::optional<int32_t> retorno_;
};

} // namespace fluxos
