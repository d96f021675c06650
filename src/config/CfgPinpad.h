#pragma once

// Editor of PPVISA.ini, the pinpad library's configuration: the pinpad model
// and port, where the driver libraries lie, and the fixed chip-card
// applications and certification-authority keys. It also records in
// Config.ini which folder holds PPVISA.ini and removes the copies elsewhere.

#include "config/EditorConfiguracao.h"

#include <memory>
#include <optional>

struct EstadoConsole;

namespace Ui {
class TFrmCfgPinpad;
}

class TFrmCfgPinpad : public EditorConfiguracao {
    Q_OBJECT
public:
    explicit TFrmCfgPinpad(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmCfgPinpad() override;

    // Folder of PPVISA.ini as Config.ini stores it: the program's folder with
    // its trailing separator, "\Windows" or "\Winnt".
    QString DirPPVISA;
    // The driver library's file name (always 12 characters) and its folder,
    // with a trailing backslash, as PPVISA.ini names them.
    QString DllPinpad;
    QString DirDllPinpad;

    void FormActivate() override;
    // Throws platform::ProfileWriteError; the keys after the failing one are
    // not written and the marks stay.
    void GravaCfgPinpad();
    void VerificaArquivoPPVISAINI();
    void SalvaCfgPinpadClick();
    void BtnEncerraPPDClick();
    void ModificacaoFalse();

    void RdGrPinpadClick();
    void RdGrPortaClick();
    void RdGrPPVISAClick();
    void EdtDirDllChange();

    // Where PPVISA.ini lies for the current DirPPVISA.
    QString arquivoPPVISA() const;

private:
    enum Marca { MarcaModelo, MarcaPorta, MarcaDirDll, MarcaDirPPVISA, TotalMarcas };

    void gravaAlteracoes() override;
    // Model, port and driver folder are all given; when not, the operator is
    // told and the marks are cleared, so that the next "&Encerra" closes.
    bool prontoParaGravar() override;
    void removeCopia(const QString& copia) const;

    std::unique_ptr<Ui::TFrmCfgPinpad> ui;
};
