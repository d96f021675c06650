#include "checks/Digitos.h"

namespace kavexsim::checks {

namespace {

int somaPesos2a9(std::string_view digitos) {
    int soma = 0;
    int peso = 2;
    for (auto it = digitos.rbegin(); it != digitos.rend(); ++it) {
        soma += (*it - '0') * peso;
        peso = peso == 9 ? 2 : peso + 1;
    }
    return soma;
}

int somaAlternada(std::string_view digitos, bool dobraPrimeiro) {
    int soma = 0;
    bool dobra = dobraPrimeiro;
    for (auto it = digitos.rbegin(); it != digitos.rend(); ++it) {
        int produto = (*it - '0') * (dobra ? 2 : 1);
        soma += produto / 10 + produto % 10;
        dobra = !dobra;
    }
    return soma;
}

} // namespace

bool soDigitos(std::string_view texto) {
    for (char c : texto) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

int modulo10(std::string_view digitos) {
    return (10 - somaAlternada(digitos, true) % 10) % 10;
}

int modulo11Bancario(std::string_view digitos) {
    const int dv = 11 - somaPesos2a9(digitos) % 11;
    return dv == 10 || dv == 11 ? 1 : dv;
}

int modulo11Arrecadacao(std::string_view digitos) {
    const int resto = somaPesos2a9(digitos) % 11;
    if (resto == 0 || resto == 1)
        return 0;
    if (resto == 10)
        return 1;
    return 11 - resto;
}

int modulo11Cheque(std::string_view digitos) {
    const int dv = 11 - somaPesos2a9(digitos) % 11;
    return dv >= 10 ? 0 : dv;
}

bool luhnValido(std::string_view numero) {
    return !numero.empty() && soDigitos(numero) && somaAlternada(numero, false) % 10 == 0;
}

} // namespace kavexsim::checks
