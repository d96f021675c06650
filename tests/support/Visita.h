#pragma once

// An other-transactions visit on a configured console: the command loop's
// runs are replaced by scripted ends (each sets Retorno and gives the controls
// back as the loop's end does), and the window's lock is watched at each run.

#include "Harness.h"

#include <QDateTime>
#include <QDialog>
#include <QStringList>

#include <deque>
#include <functional>

// Ends a test of a visit: the loop ran `nLacos` times, always locked and as
// scripted, and the seams saw nothing unexpected.
#define KAVEX_VERIFY_VISITA(v, nLacos)                                                                                 \
    do {                                                                                                               \
        QCOMPARE((v).lacos(), nLacos);                                                                                 \
        QCOMPARE((v).problemas(), QString());                                                                          \
        KAVEX_VERIFY_SEAMS();                                                                                          \
    } while (false)

namespace harness {

class Visita {
public:
    Visita();
    ~Visita();
    Visita(const Visita&) = delete;
    Visita& operator=(const Visita&) = delete;

    Console& console() { return c_; }
    EstadoConsole& estado() { return c_.estado(); }
    Simulator& simulador() { return c_.simulator(); }

    // Gives the command loop back to the main window for this visit.
    void lacoReal();
    // The Retorno each following command-loop run ends with, in order.
    void fimDosLacos(std::initializer_list<int> retornos);
    // Run inside each loop run, before it ends (e.g. to move the clock).
    void duranteOLaco(std::function<void()> acao) { duranteOLaco_ = std::move(acao); }
    int lacos() const { return lacos_; }
    // Problems seen: a run with no scripted end, a run while the window was
    // not locked. Empty when none.
    QString problemas() const { return problemas_.join(QStringLiteral("; ")); }

    // Queues the menu's showing with a click on `botao`; the windows it
    // leads to are queued after it.
    static void escolhe(const char* botao);
    // Presses "&Outras Funções" and returns once the visit has ended.
    void visita();
    // Queues a showing of `janela` that runs `acao` on it.
    static void espera(const char* janela, std::function<void(QDialog&)> acao);
    // Whether the main window's controls are all locked, or all free.
    bool travada() { return todos(false); }
    bool livre() { return todos(true); }

private:
    bool todos(bool habilitados);

    Console c_;
    std::deque<int> fins_;
    std::function<void()> duranteOLaco_;
    int lacos_ = 0;
    QStringList problemas_;
};

// Clicks the button `nome` of `janela`.
void clica(QDialog& janela, const char* nome);
// Replaces the text of the edit box `nome` of `janela` by typing `texto`.
void digita(QDialog& janela, const char* nome, const QString& texto);

// The arguments of each call, in order.
nlohmann::json argumentos(const std::vector<nlohmann::json>& chamadas);

// A fixed moment for the date and time texts.
QDateTime momento(int hora, int minuto, int segundo);

} // namespace harness
