#include "dialogs/DialogoModal.h"

#include "core/EstadoConsole.h"

#include <QCloseEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

namespace {

const char* const kEstiloAdiado = "estiloAdiado";

class FiltroTeclas : public QObject {
public:
    FiltroTeclas(QLineEdit* campo, std::function<void(QChar&)> tecla) : QObject(campo), tecla_(std::move(tecla)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return QObject::eventFilter(watched, event);
        }
        auto* k = static_cast<QKeyEvent*>(event);
        QChar Key;
        switch (k->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Key = QChar(u'\r');
            break;
        case Qt::Key_Backspace:
            Key = QChar(u'\b');
            break;
        default:
            if (k->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) {
                return false;
            }
            if (k->text().isEmpty() || !k->text().at(0).isPrint()) {
                return false;
            }
            Key = k->text().at(0);
            break;
        }
        const bool enter = Key == QChar(u'\r');
        tecla_(Key);
        return enter || Key.isNull();
    }

private:
    std::function<void(QChar&)> tecla_;
};

} // namespace

DialogoModal::DialogoModal(EstadoConsole& estado, QWidget* parent) : QDialog(parent), estado_(estado) {}

void DialogoModal::ligaServicos(KavexLibrary& biblioteca, CamposPrincipais& principal) {
    biblioteca_ = &biblioteca;
    principal_ = &principal;
}

KavexLibrary& DialogoModal::biblioteca() const {
    Q_ASSERT(biblioteca_);
    return *biblioteca_;
}

CamposPrincipais& DialogoModal::principal() const {
    Q_ASSERT(principal_);
    return *principal_;
}

void DialogoModal::configuraJanela(Moldura moldura, bool centralizaNaTela) {
    moldura_ = moldura;
    centraliza_ = centralizaNaTela;
    Qt::WindowFlags flags;
    switch (moldura) {
    case Moldura::FerramentaSemFechar:
        flags = Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint;
        break;
    case Moldura::SemBotoes:
        flags = Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint;
        break;
    case Moldura::Comum:
        flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        break;
    }
    setWindowFlags(flags);
    setSizeGripEnabled(false);
    if (layout()) {
        layout()->setSizeConstraint(QLayout::SetFixedSize);
    }
}

void DialogoModal::terminaCom(int32_t continua) {
    continua_ = continua;
    fecha();
}

// Every window is created at start, and styling a window, finding its fonts
// and reading its images cost more than building it; most windows are never
// opened in a session, so that work waits for the first showing.
void DialogoModal::setVisible(bool visible) {
    if (visible && !aparenciaPronta_) {
        aparenciaPronta_ = true;
        preparaAparencia();
    }
    QDialog::setVisible(visible);
}

// A form may keep its style sheet in the property "estiloAdiado".
void DialogoModal::preparaAparencia() {
    const QVariant estilo = property(kEstiloAdiado);
    if (estilo.isValid()) {
        setStyleSheet(estilo.toString());
    }
}

void DialogoModal::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) {
        return;
    }
    continua_ = KAVEX_CONTINUA_SEGUE;
    if (posicao_) {
        // The client area is placed, not the frame. QWidget::move() adds the
        // frame margins Qt last saw, and once the window manager has taken
        // the frame away at a hiding those are the old frame's or none, as
        // its events happened to arrive. A client area placed by itself is
        // kept where it is when the window manager frames it again (static
        // gravity): no margins are guessed.
        setGeometry(QRect(*posicao_, size()));
    } else if (centraliza_) {
        centraliza();
    }
    // The focus frame shows from the start, not only once a key was pressed.
    setAttribute(Qt::WA_KeyboardFocusChange);
    // The window becomes the active one as it is shown modally, so its
    // activation work is done here, once per showing: switching to another
    // program and back must not reset what the operator already chose.
    FormShow();
    FormActivate();
}

void DialogoModal::centraliza() {
    adjustSize();
    if (const QScreen* tela = QGuiApplication::primaryScreen()) {
        // The position is the frame's, so the frame is what is centred.
        const QMargins margens = windowHandle() ? windowHandle()->frameMargins() : QMargins();
        const QSize total = size().grownBy(margens);
        move(tela->availableGeometry().center() - QPoint(total.width() / 2, total.height() / 2));
    }
}

void DialogoModal::hideEvent(QHideEvent* event) {
    if (!event->spontaneous() && !posicao_) {
        posicao_ = geometry().topLeft();
    }
    QDialog::hideEvent(event);
}

void DialogoModal::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel)) {
        TeclaEsc();
        event->accept();
        return;
    }
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == 0) {
        // As on the desktop this console was made for, Enter presses the
        // focused button even when it is not the window's default one.
        if (auto* botao = qobject_cast<QPushButton*>(focusWidget()); botao && botao->isEnabled()) {
            botao->click();
            event->accept();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void DialogoModal::closeEvent(QCloseEvent* event) {
    // A frame without a close control can still be asked to close by the
    // window system (a keyboard shortcut); such a window is left only with
    // its own buttons or keys.
    if (event->spontaneous() && moldura_ != Moldura::Comum) {
        event->ignore();
        return;
    }
    if (isVisible()) {
        FechaPelaMoldura();
    }
    event->setAccepted(!isVisible());
}

void filtraTeclas(QLineEdit* campo, std::function<void(QChar& Key)> tecla) {
    campo->installEventFilter(new FiltroTeclas(campo, std::move(tecla)));
}

void limitaTamanho(QLineEdit* campo, int tamanhoMaximo) {
    constexpr int kSemLimite = 32767;
    campo->setMaxLength(tamanhoMaximo > 0 ? tamanhoMaximo : kSemLimite);
}

QString semAceleradores(const QString& texto) {
    QString escapado = texto;
    return escapado.replace(u'&', QStringLiteral("&&"));
}

QFont fonteFixa() {
    const QString courier = QStringLiteral("Courier New");
    if (QFontDatabase::hasFamily(courier)) {
        QFont fonte(courier);
        fonte.setStyleHint(QFont::TypeWriter);
        return fonte;
    }
    return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}
