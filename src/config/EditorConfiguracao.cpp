#include "config/EditorConfiguracao.h"

#include "platform/ProfileFile.h"
#include "widgets/Prompt.h"

#include <QAction>

namespace {
const QString kPergunta = QStringLiteral("Deseja Salvar as Alterações ?");
} // namespace

EditorConfiguracao::EditorConfiguracao(EstadoConsole& estado, QWidget* parent, int totalMarcas)
    : DialogoModal(estado, parent), marcas_(size_t(totalMarcas), false) {}

void EditorConfiguracao::configuraEditor(QAction* salvar) {
    salvar_ = salvar;
    // No title-bar buttons and no closing by the window system: "&Encerra" is
    // the way out, so that its question is never skipped.
    configuraJanela(Moldura::SemBotoes, true);
}

void EditorConfiguracao::marca(int grupo) {
    marcas_.at(size_t(grupo)) = true;
    salvar_->setEnabled(true);
}

bool EditorConfiguracao::gravaOuAvisa() {
    try {
        gravaAlteracoes();
        return true;
    } catch (const platform::ProfileWriteError& erro) {
        platform::prompt::showError(erro.message(), this);
        return false;
    }
}

void EditorConfiguracao::salvaPerguntando() {
    if (!prontoParaGravar()) {
        return;
    }
    if (platform::prompt::askYesNo(QString(), kPergunta, this) == platform::prompt::Answer::Yes && gravaOuAvisa()) {
        salvar_->setEnabled(false);
        limpaMarcas();
    }
}

void EditorConfiguracao::encerraPerguntando() {
    if (!algumaMarca()) {
        fecha();
        return;
    }
    if (!prontoParaGravar()) {
        return;
    }
    switch (platform::prompt::askYesNoCancel(QString(), kPergunta, this)) {
    case platform::prompt::Answer::Yes:
        if (gravaOuAvisa()) {
            fecha();
        }
        break;
    case platform::prompt::Answer::No:
        fecha();
        break;
    default:
        break;
    }
}
