#include "checks/CodigoBarras.h"

#include "checks/Digitos.h"

namespace kavexsim::checks {

namespace {

constexpr std::size_t kBarras = 44;
constexpr std::size_t kLinhaBancaria = 47;
constexpr std::size_t kLinhaArrecadacao = 48;

int16_t tipoDe(std::string_view codigo) {
    if (codigo.empty() || !soDigitos(codigo.substr(0, 1)))
        return kTipoDesconhecido;
    return codigo[0] == '8' ? kArrecadacao : kBancario;
}

int digito(char c) {
    return c - '0';
}

// The general digit of a collection bill follows the modulo named by its
// third digit (6 or 7: modulo 10; 8 or 9: modulo 11).
bool arrecadacaoUsaModulo10(std::string_view codigo) {
    return codigo.size() >= 3 && (codigo[2] == '6' || codigo[2] == '7');
}

int dvArrecadacao(std::string_view digitos, bool modulo10Escolhido) {
    return modulo10Escolhido ? modulo10(digitos) : modulo11Arrecadacao(digitos);
}

bool barrasValidas(std::string_view b) {
    if (tipoDe(b) == kBancario) {
        const std::string semDv = std::string(b.substr(0, 4)) + std::string(b.substr(5));
        return modulo11Bancario(semDv) == digito(b[4]);
    }
    if (b[2] != '6' && b[2] != '7' && b[2] != '8' && b[2] != '9')
        return false;
    const std::string semDv = std::string(b.substr(0, 3)) + std::string(b.substr(4));
    return dvArrecadacao(semDv, arrecadacaoUsaModulo10(b)) == digito(b[3]);
}

std::string barrasDaLinhaBancaria(std::string_view l) {
    return std::string(l.substr(0, 4)) + l[32] + std::string(l.substr(33, 14)) + std::string(l.substr(4, 5)) +
           std::string(l.substr(10, 10)) + std::string(l.substr(21, 10));
}

std::string barrasDaLinhaArrecadacao(std::string_view l) {
    return std::string(l.substr(0, 11)) + std::string(l.substr(12, 11)) + std::string(l.substr(24, 11)) +
           std::string(l.substr(36, 11));
}

// Bank-bill fields 1 to 3 end at 10, 21 and 32; each digit checks the field's
// other digits with modulo 10.
int16_t primeiroCampoBancarioErrado(std::string_view l) {
    static constexpr std::size_t inicio[] = {0, 10, 21};
    static constexpr std::size_t tamanho[] = {9, 10, 10};
    for (int campo = 0; campo < 3; ++campo) {
        const std::size_t fim = inicio[campo] + tamanho[campo];
        if (l.size() <= fim)
            break;
        if (modulo10(l.substr(inicio[campo], tamanho[campo])) != digito(l[fim]))
            return static_cast<int16_t>(campo + 1);
    }
    return kCodigoValido;
}

int16_t primeiroBlocoArrecadacaoErrado(std::string_view l) {
    const bool mod10 = arrecadacaoUsaModulo10(l);
    for (int bloco = 0; bloco < 4; ++bloco) {
        const std::size_t inicio = static_cast<std::size_t>(bloco) * 12;
        if (l.size() < inicio + 12)
            break;
        if (dvArrecadacao(l.substr(inicio, 11), mod10) != digito(l[inicio + 11]))
            return static_cast<int16_t>(bloco + 1);
    }
    return kCodigoValido;
}

Verificacao verificaLinha(std::string_view l, int16_t tipo) {
    Verificacao v{kCodigoValido, tipo};
    if (tipo == kBancario) {
        v.resultado = primeiroCampoBancarioErrado(l);
        if (v.resultado == kCodigoValido && l.size() == kLinhaBancaria && !barrasValidas(barrasDaLinhaBancaria(l)))
            v.resultado = kBloco4;
        return v;
    }
    if (l.size() >= 3 && l[2] != '6' && l[2] != '7' && l[2] != '8' && l[2] != '9') {
        v.resultado = kCodigoErrado;
        return v;
    }
    v.resultado = primeiroBlocoArrecadacaoErrado(l);
    if (v.resultado == kCodigoValido && l.size() == kLinhaArrecadacao && !barrasValidas(barrasDaLinhaArrecadacao(l)))
        v.resultado = kCodigoErrado;
    return v;
}

bool comprimentoDeBlocos(std::size_t n, int16_t tipo) {
    if (tipo == kBancario)
        return n == 10 || n == 21 || n == 32 || n == kLinhaBancaria;
    return n == 12 || n == 24 || n == 36 || n == kLinhaArrecadacao;
}

} // namespace

Verificacao verificaParcial(std::string_view codigo) {
    Verificacao v{kCodigoErrado, tipoDe(codigo)};
    if (v.tipo == kTipoDesconhecido || !soDigitos(codigo))
        return v;
    if (codigo.size() <= 2) {
        v.resultado = kCodigoValido;
        return v;
    }
    if (codigo.size() == kBarras) {
        v.resultado = barrasValidas(codigo) ? kCodigoValido : kCodigoErrado;
        return v;
    }
    if (!comprimentoDeBlocos(codigo.size(), v.tipo))
        return v;
    return verificaLinha(codigo, v.tipo);
}

CodigoCompleto verificaCompleto(std::string_view codigo) {
    CodigoCompleto c;
    const std::size_t completo = tipoDe(codigo) == kBancario ? kLinhaBancaria : kLinhaArrecadacao;
    c.verificacao.tipo = tipoDe(codigo);
    if (codigo.size() != kBarras && codigo.size() != completo)
        return c;
    c.verificacao = verificaParcial(codigo);
    if (c.verificacao.resultado != kCodigoValido)
        return c;
    if (codigo.size() == kBarras)
        c.barras = std::string(codigo);
    else if (c.verificacao.tipo == kBancario)
        c.barras = barrasDaLinhaBancaria(codigo);
    else
        c.barras = barrasDaLinhaArrecadacao(codigo);
    return c;
}

long long valorDoCodigo(std::string_view barras) {
    if (barras.size() != kBarras || !soDigitos(barras))
        return 0;
    // Bank bill: positions 10-19; collection bill: 5-15, but only when its
    // identifier (6 or 8) says the field is a value and not a reference.
    std::string_view campo;
    if (barras[0] != '8')
        campo = barras.substr(9, 10);
    else if (barras[2] == '6' || barras[2] == '8')
        campo = barras.substr(4, 11);
    long long centavos = 0;
    for (char c : campo)
        centavos = centavos * 10 + digito(c);
    return centavos;
}

} // namespace kavexsim::checks
