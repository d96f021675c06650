// The simulator's bill and cheque checks: no input crashes them, and what
// they accept is consistent: an accepted whole code gives a 44-digit bar code
// that is itself accepted, with the same kind.

#include "checks/Cheque.h"
#include "checks/CodigoBarras.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace kavexsim::checks;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view texto(reinterpret_cast<const char*>(data), size);
    (void)verificaParcial(texto);
    (void)verificaCmc7(texto);
    (void)verificaDigitado(texto);
    const CodigoCompleto completo = verificaCompleto(texto);
    if (completo.verificacao.resultado == kCodigoValido) {
        if (completo.barras.size() != 44) {
            abort();
        }
        const Verificacao barras = verificaParcial(completo.barras);
        if (barras.resultado != kCodigoValido || barras.tipo != completo.verificacao.tipo) {
            abort();
        }
        if (valorDoCodigo(completo.barras) < 0) {
            abort();
        }
    }
    return 0;
}
