// Reads a profile file made of the input, changes one key, writes it back and
// reads it again: no crash, the key holds the new value, and every line that
// was not the changed key is still there, in order, byte for byte.

#include "platform/ProfileFile.h"
#include "platform/Win1252.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

const char* const kSecoes[] = {"IPKavex", "Geral", "ipkavex", "Verifone", ""};
const char* const kChaves[] = {"IPs", "Driver", "ips", "Port", "Config"};

QByteArrayList linhas(const QByteArray& bytes) {
    QByteArrayList resultado;
    for (QByteArray linha : bytes.split('\n')) {
        if (linha.endsWith('\r')) {
            linha.chop(1);
        }
        resultado << linha;
    }
    if (!resultado.isEmpty() && resultado.last().isEmpty()) {
        resultado.removeLast();
    }
    return resultado;
}

// How many lines of `antes` are missing from `depois` when matched in order
// (the length of `antes` less their longest common subsequence).
// The common head and tail are matched first: a write changes one line, so
// what is left is a line or two and the quadratic part stays small.
int faltando(QByteArrayList antes, QByteArrayList depois) {
    while (!antes.isEmpty() && !depois.isEmpty() && antes.first() == depois.first()) {
        antes.removeFirst();
        depois.removeFirst();
    }
    while (!antes.isEmpty() && !depois.isEmpty() && antes.last() == depois.last()) {
        antes.removeLast();
        depois.removeLast();
    }
    QList<int> anterior(depois.size() + 1, 0);
    QList<int> atual(depois.size() + 1, 0);
    for (const QByteArray& linha : antes) {
        for (int j = 0; j < depois.size(); ++j) {
            atual[j + 1] = linha == depois[j] ? anterior[j] + 1 : std::max(atual[j], anterior[j + 1]);
        }
        std::swap(anterior, atual);
    }
    return int(antes.size()) - anterior[depois.size()];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // In memory where the system has it: every write ends in a flush to disk.
    static QTemporaryDir pasta(
        QFile::exists(QStringLiteral("/dev/shm")) ? QStringLiteral("/dev/shm/fuzz_profile-XXXXXX") : QString());
    if (size < 2) {
        return 0;
    }
    const char* const secao = kSecoes[data[0] % std::size(kSecoes)];
    const char* const chave = kChaves[data[1] % std::size(kChaves)];
    QByteArray resto(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    // The value is what follows the first zero byte; it cannot hold a line break.
    const qsizetype zero = resto.indexOf('\0');
    QByteArray conteudo = zero < 0 ? resto : resto.first(zero);
    QByteArray valorBytes = zero < 0 ? QByteArray() : resto.sliced(zero + 1);
    valorBytes.replace('\r', ' ').replace('\n', ' ').replace('\0', ' ');
    const QString valor = platform::fromWin1252(valorBytes).trimmed();

    const QString caminho = pasta.filePath(QStringLiteral("fuzz.ini"));
    {
        QFile f(caminho);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(conteudo) != conteudo.size()) {
            abort();
        }
    }
    platform::ProfileFile arquivo(caminho);
    const QString s = QString::fromLatin1(secao);
    const QString k = QString::fromLatin1(chave);
    (void)arquivo.readString(s, k);
    (void)arquivo.readInteger(s, k, -7);
    arquivo.writeString(s, k, valor);

    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly)) {
        abort();
    }
    const QByteArray depois = f.readAll();
    if (faltando(linhas(conteudo), linhas(depois)) > 1) {
        abort();
    }
    // A section header that the input already spoils (an unclosed bracket, a
    // key line before any header that looks like ours) may hide the key; only
    // clean inputs must read back exactly.
    const bool limpo = !conteudo.contains('[') && !conteudo.contains('=') && !conteudo.contains(';');
    if (limpo && *secao && arquivo.readString(s, k) != valor) {
        abort();
    }
    return 0;
}
