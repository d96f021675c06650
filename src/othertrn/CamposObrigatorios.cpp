#include "othertrn/CamposObrigatorios.h"

#include "widgets/Prompt.h"

bool faltaCampo(std::initializer_list<CampoObrigatorio> campos, QWidget* dono) {
    for (const auto& [campo, mensagem] : campos) {
        if (campo->text().isEmpty()) {
            platform::prompt::showMessage(mensagem, dono);
            campo->setFocus();
            return true;
        }
    }
    return false;
}
