#pragma once

// The bookkeeping that the modal seam and the prompt façade keep in test
// mode: what was queued for the test, what was shown, and what went wrong.

#include <QList>
#include <QString>
#include <QStringList>

#include <deque>

namespace platform {

template <class Esperado, class Mostrado> struct ModoTeste {
    // A caller that asks again at every refusal would cycle until the test's
    // time limit; past this many failures the run stops with the reason.
    static constexpr qsizetype kMaxFalhas = 200;

    bool ativo = false;
    std::deque<Esperado> fila;
    QList<Mostrado> mostrados;
    QStringList falhas;

    void reinicia() {
        fila.clear();
        mostrados.clear();
        falhas.clear();
    }
    int pendentes() const { return static_cast<int>(fila.size()); }
    // Writes down an unexpected showing; `oQue` names what was shown.
    void inesperado(const QString& falha, const char* oQue) {
        falhas.append(falha);
        if (falhas.size() > kMaxFalhas) {
            qFatal("too many unexpected %s: %s", oQue, qPrintable(falhas.join(QStringLiteral("; ")).left(2000)));
        }
    }
};

} // namespace platform
