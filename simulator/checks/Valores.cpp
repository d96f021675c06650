#include "checks/Valores.h"

#include "checks/Digitos.h"

#include <vector>

namespace kavexsim::checks {

namespace {

// Amounts this large are not sales; the bound also keeps the sum in range.
constexpr std::size_t kMaxDigitosInteiros = 12;

std::string_view apara(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> divide(std::string_view s, char separador) {
    std::vector<std::string_view> partes;
    std::size_t inicio = 0;
    for (std::size_t i = 0; i <= s.size(); ++i) {
        if (i == s.size() || s[i] == separador) {
            partes.push_back(s.substr(inicio, i - inicio));
            inicio = i + 1;
        }
    }
    return partes;
}

bool inteirosComPontos(std::string_view inteiros) {
    if (inteiros.find('.') == std::string_view::npos)
        return !inteiros.empty() && soDigitos(inteiros);
    const auto grupos = divide(inteiros, '.');
    if (grupos.front().empty() || grupos.front().size() > 3 || !soDigitos(grupos.front()))
        return false;
    for (std::size_t i = 1; i < grupos.size(); ++i) {
        if (grupos[i].size() != 3 || !soDigitos(grupos[i]))
            return false;
    }
    return true;
}

int numero(std::string_view d) {
    int n = 0;
    for (char c : d)
        n = n * 10 + (c - '0');
    return n;
}

} // namespace

std::optional<long long> centavos(std::string_view valor) {
    const std::size_t virgula = valor.find(',');
    const std::string_view inteiros = valor.substr(0, virgula);
    const std::string_view decimais = virgula == std::string_view::npos ? "" : valor.substr(virgula + 1);
    if (!inteirosComPontos(inteiros) || decimais.size() > 2 || !soDigitos(decimais))
        return std::nullopt;
    if (virgula != std::string_view::npos && decimais.empty())
        return std::nullopt;
    long long total = 0;
    std::size_t digitos = 0;
    for (char c : inteiros) {
        if (c == '.')
            continue;
        if (++digitos > kMaxDigitosInteiros)
            return std::nullopt;
        total = total * 10 + (c - '0');
    }
    total *= 100;
    if (!decimais.empty())
        total += decimais.size() == 1 ? (decimais[0] - '0') * 10 : numero(decimais);
    return total;
}

std::string formataValor(long long centavos) {
    std::string inteiros = std::to_string(centavos / 100);
    for (int i = static_cast<int>(inteiros.size()) - 3; i > 0; i -= 3)
        inteiros.insert(static_cast<std::size_t>(i), ".");
    const long long resto = centavos % 100;
    return inteiros + "," + (resto < 10 ? "0" : "") + std::to_string(resto);
}

bool dataValida(std::string_view data) {
    if (data.size() != 8 || !soDigitos(data))
        return false;
    const int ano = numero(data.substr(0, 4));
    const int mes = numero(data.substr(4, 2));
    const int dia = numero(data.substr(6, 2));
    static constexpr int dias[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (mes < 1 || mes > 12 || dia < 1 || dia > dias[mes - 1])
        return false;
    const bool bissexto = (ano % 4 == 0 && ano % 100 != 0) || ano % 400 == 0;
    return !(mes == 2 && dia == 29 && !bissexto);
}

bool horaValida(std::string_view hora) {
    return hora.size() == 6 && soDigitos(hora) && numero(hora.substr(0, 2)) < 24 && numero(hora.substr(2, 2)) < 60 &&
           numero(hora.substr(4, 2)) < 60;
}

std::optional<std::set<int>> restricoes(std::string_view texto) {
    texto = apara(texto);
    if (texto.size() >= 2 && texto.front() == '[' && texto.back() == ']')
        texto = apara(texto.substr(1, texto.size() - 2));
    std::set<int> codigos;
    if (texto.empty())
        return codigos;
    const char separador = texto.find(';') != std::string_view::npos ? ';' : ',';
    for (std::string_view parte : divide(texto, separador)) {
        parte = apara(parte);
        if (parte.empty() || parte.size() > 4 || !soDigitos(parte))
            return std::nullopt;
        codigos.insert(numero(parte));
    }
    return codigos;
}

std::optional<int> itensDaLista(std::string_view lista) {
    int itens = 0;
    while (!lista.empty()) {
        if (lista.front() != '[')
            return std::nullopt;
        const std::size_t fim = lista.find(']');
        if (fim == std::string_view::npos)
            return std::nullopt;
        const auto campos = divide(lista.substr(1, fim - 1), ';');
        if (campos.size() != 4 || campos[0].empty() || campos[1].empty() || campos[2].empty() || campos[2].size() > 4 ||
            !soDigitos(campos[2]) || numero(campos[2]) == 0 || !centavos(campos[3]))
            return std::nullopt;
        ++itens;
        lista.remove_prefix(fim + 1);
        if (!lista.empty()) {
            if (lista.front() != ';' || lista.size() == 1)
                return std::nullopt;
            lista.remove_prefix(1);
        }
    }
    return itens > 0 ? std::optional<int>(itens) : std::nullopt;
}

} // namespace kavexsim::checks
