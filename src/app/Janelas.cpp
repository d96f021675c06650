#include "app/Janelas.h"

#include "app/EstadoConsole.h"
#include "dialogs/ColetaDadosCMC7.h"
#include "dialogs/CorrespBanc.h"
#include "dialogs/DadosCheque.h"
#include "dialogs/SelecionaChq.h"

#include <QWidget>

Janelas::Janelas(EstadoConsole& estado, QWidget& principal) : estado_(estado), principal_(principal) {
    ordem_ << principal.objectName();
    estado_.janelas = this;
    // Start order: bar-code, consultation, working key, pinpad message,
    // product list, other transactions, the Vidalink windows, the two
    // configuration editors, pinpad functions, yes/no, time-out, direct
    // transaction, code entry, menu, field, receipt, the cheque windows.
    FrmCodBarra = cria<TFrmCodBarra>();
    FrmCnsChq = cria<TFrmCnsChq>();
    FrmDigitado = cria<TFrmDigitado>();
    FrmCMC7 = cria<TFrmCMC7>();
}
