// The direct transaction's send buffer and reply listing: any typed text is
// packed without writing past the buffer, "*" becomes EOT only in the data,
// every line is followed by its zero byte; any reply is listed in lines of 40
// characters without reading past the bytes that exist.

#include "fluxos/BufferDireto.h"
#include "platform/Win1252.h"

#include <cstdint>
#include <cstdlib>
#include <memory>

using namespace trndireta;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList linhas = linhasDoTexto(QString::fromUtf8(bytes));

    // The buffer as the window owns it, with a guard zone after it.
    constexpr int kGuarda = 16;
    auto envio = std::make_unique<char[]>(kTamBuffer + kGuarda);
    std::fill_n(envio.get(), kTamBuffer + kGuarda, '\x5a');
    const int escritos = MontaBufferEnvio(linhas, std::span<char>(envio.get(), kTamBuffer));
    for (int i = kTamBuffer; i < kTamBuffer + kGuarda; ++i) {
        if (envio[i] != '\x5a') {
            abort();
        }
    }
    const int esperado = tamanhoEmpacotado(linhas);
    if (esperado > kTamBuffer ? escritos != -1 : escritos != esperado) {
        abort();
    }
    if (escritos > 0) {
        int zeros = 0;
        for (int i = 0; i < escritos; ++i) {
            zeros += envio[i] == '\0';
            if (envio[i] == '*') {
                abort();
            }
        }
        // A typed NUL is packed as it is: only texts without one have exactly
        // one zero per line.
        const bool semNulo = !linhas.join(QString()).contains(QChar(0));
        if ((semNulo && zeros != linhas.size()) || envio[escritos - 1] != '\0') {
            abort();
        }
    }

    // The reply: the input's bytes, with a result that may claim more.
    const int32_t resultado = size < 4 ? int32_t(size) : int32_t(data[0] | data[1] << 8 | data[2] << 16);
    // A network the console sends to directly, so every positive result is a length.
    constexpr int16_t kRedeDireta = 2;
    const QStringList listagem =
        MontaRetorno(resultado, kRedeDireta, std::span<const char>(bytes.data(), size_t(bytes.size())));
    qsizetype total = 0;
    for (qsizetype i = 0; i < listagem.size(); ++i) {
        if (listagem[i].size() > kColunasRetorno ||
            (i + 1 < listagem.size() && listagem[i].size() != kColunasRetorno)) {
            abort();
        }
        total += listagem[i].size();
    }
    if (total != std::clamp<qsizetype>(resultado, 0, bytes.size())) {
        abort();
    }
    return 0;
}
