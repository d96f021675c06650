#include "checks/Cheque.h"

#include "checks/Digitos.h"

namespace kavexsim::checks {

namespace {

constexpr std::size_t kDigitosCmc7 = 30;
constexpr std::size_t kDigitosDigitado = 29;

bool separadorCmc7(char c) {
    return c == '<' || c == '>' || c == ':' || c == ' ' || static_cast<unsigned char>(c) == 0xC7;
}

int digito(char c) {
    return c - '0';
}

} // namespace

Cheque verificaCmc7(std::string_view linha) {
    Cheque c;
    std::string d;
    for (char ch : linha) {
        if (ch >= '0' && ch <= '9')
            d += ch;
        else if (!separadorCmc7(ch))
            return {"CMC-7 COM CARACTERE INVÁLIDO", {}, {}, {}, {}, {}};
    }
    if (d.size() != kDigitosCmc7)
        return {"CMC-7 DEVE TER 30 DÍGITOS", {}, {}, {}, {}, {}};
    const std::string_view v(d);
    if (modulo10(v.substr(8, 10)) != digito(v[7]))
        c.erro = "CMC-7 INVÁLIDO: DÍGITO DV2";
    else if (modulo10(v.substr(0, 7)) != digito(v[18]))
        c.erro = "CMC-7 INVÁLIDO: DÍGITO DV1";
    else if (modulo10(v.substr(19, 10)) != digito(v[29]))
        c.erro = "CMC-7 INVÁLIDO: DÍGITO DV3";
    if (!c.erro.empty())
        return c;
    c.banco = d.substr(0, 3);
    c.agencia = d.substr(3, 4);
    c.compensacao = d.substr(8, 3);
    c.numero = d.substr(11, 6);
    c.conta = d.substr(19, 10);
    return c;
}

Cheque verificaDigitado(std::string_view f) {
    Cheque c;
    if (f.size() != kDigitosDigitado || !soDigitos(f))
        return {"DADOS DO CHEQUE: 29 DÍGITOS", {}, {}, {}, {}, {}};
    if (modulo11Cheque(f.substr(0, 10)) != digito(f[10]))
        c.erro = "DÍGITO C1 NÃO CONFERE";
    else if (modulo11Cheque(f.substr(11, 10)) != digito(f[21]))
        c.erro = "DÍGITO C2 NÃO CONFERE";
    else if (modulo11Cheque(f.substr(22, 6)) != digito(f[28]))
        c.erro = "DÍGITO C3 NÃO CONFERE";
    if (!c.erro.empty())
        return c;
    c.compensacao = std::string(f.substr(0, 3));
    c.banco = std::string(f.substr(3, 3));
    c.agencia = std::string(f.substr(6, 4));
    c.conta = std::string(f.substr(11, 10));
    c.numero = std::string(f.substr(22, 6));
    return c;
}

} // namespace kavexsim::checks
