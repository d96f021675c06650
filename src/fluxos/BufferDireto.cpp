#include "fluxos/BufferDireto.h"

#include "platform/Win1252.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace trndireta {

namespace {

constexpr char16_t kPrimeiraFiguraControle = 0x2400;
constexpr int kPrimeiroImprimivel = 32;

// One character per reply byte, built once.
const std::array<QChar, 256>& caracteresDosBytes() {
    static const std::array<QChar, 256> tabela = [] {
        std::array<QChar, 256> t{};
        for (int b = 0; b < 256; ++b) {
            if (b < kPrimeiroImprimivel) {
                t[b] = QChar(static_cast<char16_t>(kPrimeiraFiguraControle + b));
            } else {
                const char byte = static_cast<char>(b);
                const QString texto = platform::fromWin1252(QByteArrayView(&byte, 1));
                t[b] = texto.isEmpty() ? QChar(u'?') : texto.front();
            }
        }
        return t;
    }();
    return tabela;
}

} // namespace

QStringList linhasDoTexto(const QString& texto) {
    QString semRetorno = texto;
    semRetorno.remove(u'\r');
    QStringList linhas = semRetorno.split(u'\n');
    if (linhas.last().isEmpty()) {
        linhas.removeLast();
    }
    return linhas;
}

int tamanhoEmpacotado(const QStringList& linhas) {
    qsizetype total = 0;
    for (const QString& linha : linhas) {
        total += platform::toWin1252(linha).size() + 1;
    }
    return static_cast<int>(std::min<qsizetype>(total, std::numeric_limits<int>::max()));
}

int MontaBufferEnvio(const QStringList& linhas, std::span<char> BufferEnvio) {
    std::fill(BufferEnvio.begin(), BufferEnvio.end(), '\0');
    if (tamanhoEmpacotado(linhas) > static_cast<qsizetype>(BufferEnvio.size())) {
        return -1;
    }
    size_t TamBufferEnvio = 0;
    for (const QString& linha : linhas) {
        const QByteArray bytes = platform::toWin1252(linha);
        // The zero separators stay as they are: only the typed data carries EOT.
        for (const char c : bytes) {
            BufferEnvio[TamBufferEnvio++] = c == kMarcaEot ? kEot : c;
        }
        BufferEnvio[TamBufferEnvio++] = '\0';
    }
    return static_cast<int>(TamBufferEnvio);
}

bool redeDaBiblioteca(int16_t rede) {
    constexpr std::array<int16_t, 5> kRedes{0, 1, 4, 5, 9};
    return std::find(kRedes.begin(), kRedes.end(), rede) != kRedes.end();
}

QStringList MontaRetorno(int32_t resultado, int16_t rede, std::span<const char> BufferRetorno) {
    QStringList linhas;
    if (resultado <= 0 || (resultado == kRetornoRedeDaBiblioteca && redeDaBiblioteca(rede))) {
        return linhas;
    }
    const auto& caracteres = caracteresDosBytes();
    const size_t total = std::min(static_cast<size_t>(resultado), BufferRetorno.size());
    for (size_t inicio = 0; inicio < total; inicio += kColunasRetorno) {
        const size_t fim = std::min(total, inicio + kColunasRetorno);
        QString linha;
        linha.reserve(static_cast<qsizetype>(fim - inicio));
        for (size_t i = inicio; i < fim; ++i) {
            linha += caracteres[static_cast<unsigned char>(BufferRetorno[i])];
        }
        linhas << linha;
    }
    return linhas;
}

bool figuraDeControle(QChar c) {
    return c.unicode() >= kPrimeiraFiguraControle && c.unicode() < kPrimeiraFiguraControle + kPrimeiroImprimivel;
}

} // namespace trndireta
