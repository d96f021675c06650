#pragma once

// What the configuration editors have in common: a frame that only their own
// "&Encerra" button closes, a change mark per group of controls that the save
// entry of their menu follows, and the question asked before saving and
// before closing over unsaved changes.

#include "dialogs/DialogoModal.h"

#include <algorithm>
#include <vector>

class QAction;

class EditorConfiguracao : public DialogoModal {
    Q_OBJECT
protected:
    EditorConfiguracao(EstadoConsole& estado, QWidget* parent, int totalMarcas);

    // To be called once the form is built. `salvar` is the menu entry that
    // saves, enabled by every mark.
    void configuraEditor(QAction* salvar);

    void marca(int grupo);
    bool modificado(int grupo) const { return marcas_.at(size_t(grupo)); }
    bool algumaMarca() const { return std::find(marcas_.begin(), marcas_.end(), true) != marcas_.end(); }
    void limpaMarcas() { std::fill(marcas_.begin(), marcas_.end(), false); }

    // Writes the marked groups; throws platform::ProfileWriteError.
    virtual void gravaAlteracoes() = 0;
    // Whether what the form shows can be saved; when not, tells the operator
    // why and leaves the form as the next attempt should find it.
    virtual bool prontoParaGravar() { return true; }

    // The save entry: asks, saves, and counts the form as unchanged.
    void salvaPerguntando();
    // The "&Encerra" button: closes, first offering to save what changed; a
    // refused write keeps the window open.
    void encerraPerguntando();

private:
    // False when the save did not finish; the operator has been told why.
    bool gravaOuAvisa();

    QAction* salvar_ = nullptr;
    std::vector<bool> marcas_;
};
