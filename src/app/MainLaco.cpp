// The command loop as the main window runs it.

#include "app/Main.h"

void TFrmtesteCliKavex32I::ContinuaFuncao() {
    HabilitaDesabilita(true);
}
