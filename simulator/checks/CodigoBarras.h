// Bill bar codes (44 digits) and typed lines (47 digits for a bank bill, 48
// for a collection bill), checked as the bar-code window asks and as a
// correspondent-banking payment needs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kavexsim::checks {

// Kinds reported to the bar-code window: it lays the blocks out for 0 and 1.
enum TipoCodigo : int16_t { kArrecadacao = 0, kBancario = 1, kTipoDesconhecido = 2 };

// Results: 0 valid; 1 to 4 the block (bank bill: field) in error, where the
// bank bill's fourth is its general digit; 5 wrong as a whole.
enum ResultadoCodigo : int16_t {
    kCodigoValido = 0,
    kBloco1 = 1,
    kBloco2 = 2,
    kBloco3 = 3,
    kBloco4 = 4,
    kCodigoErrado = 5
};

struct Verificacao {
    int16_t resultado = kCodigoErrado;
    int16_t tipo = kTipoDesconhecido;
};

// What the window sends while the operator types: 1 or 2 digits (the kind
// only), the blocks typed so far (10, 21, 32 digits of a bank bill; 12, 24, 36
// of a collection bill), a whole typed line, or a 44-digit bar code. Any other
// length or any non-digit is wrong as a whole.
Verificacao verificaParcial(std::string_view codigo);

// A whole code only (44, or 47/48 typed): what a payment accepts. On success
// `barras` holds the 44-digit bar code.
struct CodigoCompleto {
    Verificacao verificacao;
    std::string barras;
};
CodigoCompleto verificaCompleto(std::string_view codigo);

// Value in cents carried by a valid 44-digit bar code (0 when it carries none).
long long valorDoCodigo(std::string_view barras);

} // namespace kavexsim::checks
