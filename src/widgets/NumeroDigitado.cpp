#include "widgets/NumeroDigitado.h"

#include "platform/Numeros.h"
#include "widgets/Prompt.h"

namespace platform::numeros {

bool StrToInt(const QString& texto, int32_t& valor, QWidget* dono) {
    const std::optional<int32_t> lido = leInteiro(texto);
    if (!lido) {
        prompt::showError(mensagemInvalido(texto), dono);
        return false;
    }
    valor = *lido;
    return true;
}

} // namespace platform::numeros
