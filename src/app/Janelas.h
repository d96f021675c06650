#pragma once

// Every window of the console, created once at program start in a fixed order
// (the main window first) and kept, hidden, for the whole run. Each window
// keeps its controls' contents between showings.

#include <QStringList>

class QWidget;
struct EstadoConsole;
class TFrmCodBarra;
class TFrmCnsChq;
class TFrmDigitado;
class TFrmCMC7;

class Janelas {
  public:
    // Creates every window after the main window, in start order.
    Janelas(EstadoConsole& estado, QWidget& principal);
    Janelas(const Janelas&) = delete;
    Janelas& operator=(const Janelas&) = delete;

    // Object names of the windows in the order they were created.
    const QStringList& ordemCriacao() const { return ordem_; }

    TFrmCodBarra* FrmCodBarra = nullptr;
    TFrmCnsChq* FrmCnsChq = nullptr;
    TFrmDigitado* FrmDigitado = nullptr;
    TFrmCMC7* FrmCMC7 = nullptr;

  private:
    // Windows are children of the main window, which destroys them.
    template <class T> T* cria() {
        auto* janela = new T(estado_, &principal_);
        janela->hide();
        ordem_ << janela->objectName();
        return janela;
    }

    EstadoConsole& estado_;
    QWidget& principal_;
    QStringList ordem_;
};
