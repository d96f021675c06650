#pragma once

// A library that writes down every call made to another one, in the call-log
// format of the stand-in library (one JSON object per line: "fn", "args",
// "ret", "out", and "ms", the time the call took), so that a session recorded
// at a shop with the real library can be played back anywhere by the
// simulator (KAVEX_SIM_SCRIPT names the file).
//
// A recording keeps no card data but the masked card number (its first six
// and last four digits, the rest "*"): tracks (field types 150 and 151, the
// direct reads) keep only that, their other data replaced by "*"; PIN
// blocks (field type 153, LeSenhaDireto) become a fixed mark; elsewhere a
// run of 13 to 19 digits is masked when it passes the Luhn check, so dates,
// times and CNPJs stay whole.
//
// A call during which the library's host ended is followed by one line
// {"fn": "crash"} saying how (playback skips it).
//
// The file is only appended to, a line per call as the call returns, flushed
// at once: a crash keeps every call made before it. Calls may come from more
// than one thread (InterrompeLeCartaoDireto while a read goes on); each line
// is written whole.

#include "library/KavexLibrary.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonValue>

#include <memory>
#include <mutex>

class BibliotecaGravada final : public KavexLibrary {
public:
    // Opens `caminho` for appending; nothing, with `erro` filled, when it
    // cannot be written.
    static std::unique_ptr<BibliotecaGravada> abre(const QString& caminho, KavexLibrary& real, QString& erro);

#define KAVEX_DECLARE_GRAVADA(R, N, P, A) R N P override;
    KAVEX_FUNCTIONS(KAVEX_DECLARE_GRAVADA)
#undef KAVEX_DECLARE_GRAVADA

    QStringList missingFunctions() const override {
        return real_.missingFunctions();
    }
    std::optional<Queda> queda() const override {
        return real_.queda();
    }
    void definePrazo(std::optional<std::chrono::steady_clock::time_point> prazo) override {
        real_.definePrazo(prazo);
    }
    bool encerra() override {
        return real_.encerra();
    }
    bool reinicia() override {
        return real_.reinicia();
    }
    bool defineEspera(EsperaResposta* espera) override {
        return real_.defineEspera(espera);
    }

private:
    explicit BibliotecaGravada(KavexLibrary& real) : real_(real) {}
    void grava(const char* funcao, QJsonArray argumentos, qint64 retorno, const QJsonValue& saidas,
               double milissegundos);

    QByteArray linhaQueda();

    KavexLibrary& real_;
    quint64 quedaGravada_ = 0;
    std::mutex mutex_;
    QFile arquivo_;
    bool avisou_ = false;
    int32_t tipoCampoAnterior_ = 0;
};

namespace gravacao {

// What a PIN block becomes.
inline const QString kMarcaSenha = QStringLiteral("****************");
// A track with only its masked card number: "B411111******1111^*^*",
// "411111******1111=*".
QString mascaraTrilha(const QString& trilha);
// Tracks found in the text as above, and every run of 13 to 19 digits that
// passes the Luhn check with its middle digits replaced by "*".
QString mascaraCartoes(const QString& texto);

} // namespace gravacao
