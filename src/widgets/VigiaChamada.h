#pragma once

// Watches the library's calls from the window: once a call has gone without
// an answer for the time Config.ini sets ([Biblioteca] SemResposta, seconds;
// 0 never), a small panel says for how long, and, for a library in its own
// host, offers to end it. Nothing is ended without the operator's word; the
// call then returns as after a crash.

#include <QElapsedTimer>
#include <QTimer>

#include <functional>

class QDialog;
class QLabel;
class QPushButton;
class QWidget;

class VigiaChamada {
public:
    // `encerra` ends the library (false when it cannot: a library in the
    // console's own process).
    VigiaChamada(QWidget& janela, int limiteSegundos, std::function<bool()> encerra);
    ~VigiaChamada();

    // Told true when a call starts waiting and false when it ends.
    void esperando(bool sim);
    QDialog* painel() const { return painel_; }

private:
    void mostra();
    void pedeEncerramento();

    QWidget& janela_;
    int limiteSegundos_;
    std::function<bool()> encerra_;
    QElapsedTimer decorrido_;
    QTimer relogio_;
    QDialog* painel_ = nullptr;
    QLabel* texto_ = nullptr;
    QPushButton* botao_ = nullptr;
};

// [Biblioteca] SemResposta from Config.ini: 10 s when absent or not a number.
int limiteSemResposta();
