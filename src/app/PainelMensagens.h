#pragma once

// The right-hand column of the main window, where the command loop shows what
// the library says: the message line (EdtData), the loop's trace (Memo), the
// operator messages (MemoMsgOperador), the pinpad-wait panel (PnlCncPpd) and,
// over the operator messages during a direct card read, the read's own panel
// (pnlILCD). Notices about the library itself (a call that does not answer,
// a library that ended) belong here too, below the messages.
//
// Painting the window costs far more than a cycle of a library that answers
// at once. While cycles follow each other within a frame the trace and the
// message line are painted once a frame; any dialog or box and the end bring
// everything up to date first (atualiza).

#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>

class QPlainTextEdit;
namespace Ui {
class PainelMensagens;
}

// Adds a text with CR LF line breaks to a box as one entry, on as many lines
// as it has line breaks.
void acrescentaTexto(QPlainTextEdit* caixa, const QString& texto);

class PainelMensagens : public QWidget {
    Q_OBJECT
public:
    explicit PainelMensagens(QWidget* parent = nullptr);
    ~PainelMensagens() override;

    // A new function: the trace and the operator messages emptied, the
    // message line showing the start's date line.
    void inicia(const QString& dataHora);
    // "&Limpar": the message line, the trace and the operator messages.
    void limpa();

    void registra(const QString& linha);
    void mostraMensagem(const QString& texto);
    void acrescentaMensagem(const QString& texto);
    void limpaCaixaMensagens();
    void limpaMensagens();

    // Command 23: the count, and the panel unless a cancel is on its way.
    void aguardaPinpad(int32_t contador, bool mostraPainel);
    void escondeAguardaPinpad();
    // Esc presses "Cancela &Pinpad" while its panel is up.
    void teclaEsc();

    void mostraPainelLeitura();
    void escondePainelLeitura();
    bool lendoCartao() const;

    // Before the loop lets pending events through: painted now if a frame
    // has passed, else left for the frame.
    void antesDosEventos();
    // Everything shown as it stands, now.
    void atualiza();
    // A library call has gone on long enough for the window to wait for it:
    // what the cycles before it left shows within the frame, not at its end.
    void esperaComecou();

signals:
    // "Cancela &Pinpad" in the pinpad-wait panel (which it hides) and in the
    // direct read's panel.
    void cancelaPinpad();
    void interrompeLeitura();

private:
    void pinta(bool agora);
    void dimensionaMensagem();

    std::unique_ptr<Ui::PainelMensagens> ui;
    QStringList tracePendente_;
    // What the message line shows once the window is painted again.
    std::optional<QString> mensagemPendente_;
    bool emPausa_ = false;
    QElapsedTimer relogio_;
    qint64 ultimaPintura_ = 0;
    QTimer quadro_;
};
