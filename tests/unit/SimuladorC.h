// The simulator's C functions, loaded with dlopen as the console loads a
// library, and a driver that plays the console's part in the command loop:
// it answers each question from a list and writes down what came back.
#pragma once

#include "../../simulator/kavexsim_codes.h"
#include "library/kavex.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtTest>

#include <dlfcn.h>

#include <array>
#include <cstring>

namespace simc {

// Date and time with which the tests start their functions.
inline constexpr const char* kData = "20260110";
inline constexpr const char* kHora = "093000";
inline constexpr const char* kCupom = "12345";

class Simulador {
public:
    Simulador() { m_lib = dlopen(KAVEX_SIM_PATH, RTLD_NOW | RTLD_LOCAL); }
    ~Simulador() {
        if (m_lib)
            dlclose(m_lib);
    }
    bool ok() const { return m_lib != nullptr; }

    template <class F> F* fn(const char* nome) const { return reinterpret_cast<F*>(dlsym(m_lib, nome)); }
#define SIMC(nome) fn<decltype(::nome)>(#nome)

    // Configured, with nothing pending and no function in progress.
    void limpa() {
        SIMC(ConfiguraIntKavexInterativo)("10.0.0.1:5000", "00000001", "SW000001", 0);
        SIMC(FinalizaTransacaoKavexInterativo)(0, kCupom, kData, kHora);
    }

    int32_t inicia(int32_t funcao, const char* valor = "10,00", const char* restricoes = "[]") {
        return SIMC(IniciaFuncaoKavexInterativo)(funcao, valor, kCupom, kData, kHora, "Opx", restricoes);
    }

    // One loop call; `resposta` goes into the buffer (the buffer is otherwise
    // left as the last call wrote it, as the console leaves it).
    int32_t continua(const QByteArray* resposta = nullptr, int32_t continuacao = 0) {
        if (resposta)
            std::memcpy(m_buffer.data(), resposta->constData(), static_cast<std::size_t>(resposta->size()) + 1);
        return SIMC(ContinuaFuncaoKavexInterativo)(&comando, &tipo, &minimo, &maximo, m_buffer.data(),
                                                   KAVEX_TAM_BUFFER_INTERATIVO, continuacao);
    }
    QByteArray buffer() const {
        return QByteArray(m_buffer.data());
    }

    static bool pergunta(int32_t c) {
        return c == 20 || c == 21 || c == 30 || c == 31 || c == 34 || c == 35;
    }

    // Runs a started function to its end. Answers, one per question, are the
    // Windows-1252 text to send; "@n:text" sends the continuation n with it;
    // "!n" is sent at the next command 23 (the cancel button of the pinpad).
    // The trace: each command ("0/121" for records), then "=" and the result.
    // `textos` keeps the text of each command.
    QString roda(const QStringList& respostas) {
        QStringList rastro;
        textos.clear();
        qsizetype proxima = 0;
        int32_t r = continua();
        for (int guarda = 0; guarda < 500; ++guarda) {
            if (r != KAVEX_CONTINUA_INTERATIVO) {
                rastro << "=" + QString::number(r);
                break;
            }
            rastro << (comando == 0 ? QString("0/%1").arg(tipo) : QString::number(comando));
            textos << QString::fromLatin1(buffer());
            const QString seguinte = proxima < respostas.size() ? respostas[proxima] : QString();
            if (comando == 23 && seguinte.startsWith('!')) {
                ++proxima;
                r = continua(nullptr, seguinte.mid(1).toInt());
            } else if (pergunta(comando) && proxima < respostas.size()) {
                ++proxima;
                int32_t continuacao = 0;
                QString texto = seguinte;
                if (texto.startsWith('@')) {
                    const qsizetype dois = texto.indexOf(':');
                    continuacao = texto.mid(1, dois < 0 ? -1 : dois - 1).toInt();
                    texto = dois < 0 ? QString() : texto.mid(dois + 1);
                }
                const QByteArray bytes = texto.toLatin1();
                r = continua(&bytes, continuacao);
            } else {
                r = continua();
            }
        }
        return rastro.join(' ');
    }

    int32_t comando = 0, tipo = 0;
    int16_t minimo = 0, maximo = 0;
    QStringList textos; // the buffer after each call of the last run, as Latin-1

private:
    void* m_lib = nullptr;
    std::array<char, KAVEX_TAM_BUFFER_INTERATIVO> m_buffer{};
};

// The command-23 cycles of one wait for the pinpad.
inline QString espera() {
    return "23 23 23";
}
// A card read and a PIN read.
inline QString cartao() {
    return espera() + " 0/150 0/151";
}
inline QString senha() {
    return espera() + " 11 0/153";
}
// The ending of an approved sale.
inline QString aprovada() {
    return "1 0/105 0/121 0/122 2 =0";
}

} // namespace simc
