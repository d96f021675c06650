// Handlers that may call the library run one at a time, and closing the
// window while one runs ends the function first instead of leaving it behind.

#include "app/Main.h"
#include "ui_Main.h"

#include "platform/Prompt.h"

#include <QCloseEvent>

namespace {
const QString kPerguntaFechar =
    QStringLiteral("Há uma função em andamento. Deseja encerrá-la e fechar o programa quando ela terminar?");
// What "&Encerra" sends with the next call.
constexpr int32_t kEncerra = -1;
} // namespace

void TFrmtesteCliKavex32I::executaExclusivo(Tratador tratador) {
    if (emFuncao_) {
        return;
    }
    emFuncao_ = true;
    (this->*tratador)();
    emFuncao_ = false;
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
    estado_.Continua = kEncerra;
    if (ui->pnlILCD->isVisible()) {
        BtnILCDClick();
    }
}
