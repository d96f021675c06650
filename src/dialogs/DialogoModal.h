#pragma once

// What the console's small modal windows have in common: their frame, where
// they open, what happens once per showing, and the keys a dialog of this kind
// answers (Enter presses the focused or default button; Esc means nothing
// unless the window gives it a meaning).

#include "library/kavex_protocolo.h"

#include <QDialog>
#include <QPoint>

#include <cstdint>

#include <functional>
#include <optional>

class QFont;
class QLineEdit;
struct EstadoConsole;
class KavexLibrary;
class CamposPrincipais;

enum class Moldura {
    // Small tool-window frame without a close control.
    FerramentaSemFechar,
    // Title bar without any buttons.
    SemBotoes,
    // Ordinary frame whose close control closes the window.
    Comum,
};

class DialogoModal : public QDialog {
    Q_OBJECT
public:
    // How the operator left the last showing: KAVEX_CONTINUA_SEGUE with an
    // answer (or any other way out), KAVEX_CONTINUA_VOLTA ("&Volta"),
    // KAVEX_CONTINUA_ENCERRA ("&Encerra"). Each showing starts from SEGUE;
    // the caller reads it once the window has closed.
    int32_t continua() const { return continua_; }

    // The library the window calls and the main window's fields it writes,
    // given once after it is created (windows that call neither ignore them).
    void ligaServicos(KavexLibrary& biblioteca, CamposPrincipais& principal);

protected:
    DialogoModal(EstadoConsole& estado, QWidget* parent);

    // To be called once the form is built. A window not centred on the screen
    // opens where Qt puts a dialog: over its parent.
    void configuraJanela(Moldura moldura, bool centralizaNaTela);

    // Run once per showing, in this order, before the operator can type.
    virtual void FormShow() {}
    virtual void FormActivate() {}
    // Esc has no meaning unless a window gives it one.
    virtual void TeclaEsc() {}
    // The close control of an ordinary frame; a window whose way out must do
    // more than hide it gives the close control the same meaning.
    virtual void FechaPelaMoldura() { reject(); }

    // Ends the modal showing; callers read the window's variables, never the
    // modal result.
    void fecha() { accept(); }
    // The operator ends the function ("&Encerra") or goes back ("&Volta").
    void encerra() { terminaCom(KAVEX_CONTINUA_ENCERRA); }
    void volta() { terminaCom(KAVEX_CONTINUA_VOLTA); }

    // Run once, just before the first showing: fonts, images and the style
    // sheet kept in the form's property "estiloAdiado". An override calls
    // this one too.
    virtual void preparaAparencia();

    void setVisible(bool visible) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    EstadoConsole& estado_;
    KavexLibrary& biblioteca() const;
    CamposPrincipais& principal() const;

private:
    void centraliza();
    void terminaCom(int32_t continua);

    int32_t continua_ = KAVEX_CONTINUA_SEGUE;

    KavexLibrary* biblioteca_ = nullptr;
    CamposPrincipais* principal_ = nullptr;
    Moldura moldura_ = Moldura::FerramentaSemFechar;
    bool centraliza_ = true;
    bool aparenciaPronta_ = false;
    // Where the first showing's client area was, on the screen: every later
    // showing opens there, rather than where the window system's placing of
    // a window it has already framed once would put it. Not the frame's
    // position, which Qt only guesses from margins it learns late.
    std::optional<QPoint> posicao_;
};

// Hands every character about to be typed into `campo` to `tecla`, which may
// replace it by a null character to discard it. Enter arrives as '\r' and
// backspace as '\b'; an Enter is never passed on to the edit box or the
// window, so it cannot also press a button. Keys that type nothing (arrows,
// Delete, Tab, Esc, shortcuts with Ctrl) are not handed over.
void filtraTeclas(QLineEdit* campo, std::function<void(QChar& Key)> tecla);

// Sets the maximum length of an edit box as the library gives it: 0 (or less)
// means no limit.
void limitaTamanho(QLineEdit* campo, int tamanhoMaximo);

// Library text shown in a label that has a buddy: its '&' must show as it is
// instead of becoming an accelerator.
QString semAceleradores(const QString& texto);

// "Courier New" where the system has it, otherwise its fixed-pitch font.
QFont fonteFixa();
