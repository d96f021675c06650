// Handlers that may call the library run one at a time, and closing the
// window while one runs ends the function first instead of leaving it behind.
// A close asked for while a dialog is open is not lost: it is taken as soon
// as the dialog has closed.

#include "app/Main.h"
#include "ui_Main.h"

#include "library/kavex_protocolo.h"
#include "widgets/PedidoFechar.h"
#include "widgets/Prompt.h"

#include <QCloseEvent>
#include <QTimer>

namespace {
const QString kPerguntaFechar =
    QStringLiteral("Há uma função em andamento. Deseja encerrá-la e fechar o programa quando ela terminar?");
} // namespace

void TFrmtesteCliKavex32I::executaExclusivo(Tratador tratador) {
    if (emFuncao_) {
        return;
    }
    emFuncao_ = true;
    (this->*tratador)();
    emFuncao_ = false;
    mostraQueda();
    if (fechaAoTerminar_) {
        close();
    }
}

// The function is ended as "&Encerra" would end it, and carried to its end:
// the result, the receipt screen and the finishing call come as usual, and
// only then does the window close. A direct card read is broken off.
void TFrmtesteCliKavex32I::closeEvent(QCloseEvent* event) {
    if (!emFuncao_) {
        QMainWindow::closeEvent(event);
        return;
    }
    event->ignore();
    if (fechaAoTerminar_ ||
        platform::prompt::askYesNo(QString(), kPerguntaFechar, this) != platform::prompt::Answer::Yes) {
        return;
    }
    fechaAoTerminar_ = true;
    if (ui->PnlMensagens->lendoCartao()) {
        BtnILCDClick();
    }
}

void TFrmtesteCliKavex32I::vigiaFechamento() {
    pedidoFechar_ = std::make_unique<platform::PedidoFechar>(*this, [this] { fecharAposDialogo_ = true; });
}

// Queued, so the dialog that has just closed is gone and its caller has
// read its answer before the question comes.
bool TFrmtesteCliKavex32I::event(QEvent* event) {
    if (event->type() == QEvent::WindowUnblocked && fecharAposDialogo_) {
        fecharAposDialogo_ = false;
        QTimer::singleShot(0, this, &TFrmtesteCliKavex32I::close);
    }
    return QMainWindow::event(event);
}
