#include "platform/Numeros.h"

#include <limits>

namespace platform::numeros {

namespace {

int valorDigito(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') {
        return u - u'0';
    }
    if (u >= u'a' && u <= u'f') {
        return u - u'a' + 10;
    }
    if (u >= u'A' && u <= u'F') {
        return u - u'A' + 10;
    }
    return 16;
}

// Strips a hexadecimal prefix; "0" alone (or "0" followed by decimal digits)
// stays decimal.
int base(QStringView& resto) {
    if (resto.startsWith(u'$') || resto.startsWith(u'x') || resto.startsWith(u'X')) {
        resto = resto.sliced(1);
        return 16;
    }
    if (resto.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        resto = resto.sliced(2);
        return 16;
    }
    return 10;
}

} // namespace

std::optional<int32_t> leInteiro(QStringView texto) {
    QStringView resto = texto;
    while (!resto.isEmpty() && resto.front() == u' ') {
        resto = resto.sliced(1);
    }
    bool negativo = false;
    if (!resto.isEmpty() && (resto.front() == u'-' || resto.front() == u'+')) {
        negativo = resto.front() == u'-';
        resto = resto.sliced(1);
    }
    const int b = base(resto);
    if (resto.isEmpty()) {
        return std::nullopt;
    }
    // Hexadecimal fills the 32 bits as they are; decimal keeps to the signed range.
    const uint64_t limite = b == 16 ? std::numeric_limits<uint32_t>::max()
                                    : uint64_t(std::numeric_limits<int32_t>::max()) + (negativo ? 1 : 0);
    uint64_t valor = 0;
    for (const QChar c : resto) {
        const int digito = valorDigito(c);
        if (digito >= b) {
            return std::nullopt;
        }
        valor = valor * b + digito;
        if (valor > limite) {
            return std::nullopt;
        }
    }
    const uint32_t bits = negativo ? uint32_t(0) - uint32_t(valor) : uint32_t(valor);
    return static_cast<int32_t>(bits);
}

QString mensagemInvalido(const QString& texto) {
    return QStringLiteral("'%1' is not a valid integer value").arg(texto);
}

int32_t StrToIntDef(QStringView texto, int32_t padrao) {
    return leInteiro(texto).value_or(padrao);
}

} // namespace platform::numeros
