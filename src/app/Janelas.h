#pragma once

// Every window of the console, created once at program start in a fixed order
// (the main window first) and kept, hidden, for the whole run. Each window
// keeps its controls' contents between showings.

#include "dialogs/DialogoModal.h"

#include <QStringList>

#include <type_traits>

class QWidget;
struct EstadoConsole;
class KavexLibrary;
class CamposPrincipais;
class TFrmCfgCliKavex;
class TFrmCfgPinpad;
class TFrmConsultas;
class TFrmWK;
class TFrmMsgPpd;
class TFrmOpcaoSimNao;
class TFrmTimeout;
class TFrmCodProdAutor;
class TFrmMenu;
class TFrmColeta;
class TFrmCupomTEF;
class TFrmCodBarra;
class TFrmCnsChq;
class TFrmDigitado;
class TFrmCMC7;
class TFrmAA;
class TFrmFuncPinpad;
class TFrmOutrasTrn;
class TFrmVidalink;
class TFrmConsVidalink;
class TFrmVendaVidalink;
class TFrmCncVidalink;
class TFrmTrnDirKavex;

class Janelas {
public:
    // Creates every window after the main window, in start order; the
    // windows that call the library or write the main window's fields are
    // given them.
    Janelas(EstadoConsole& estado, QWidget& principal, KavexLibrary& biblioteca, CamposPrincipais& campos);
    Janelas(const Janelas&) = delete;
    Janelas& operator=(const Janelas&) = delete;

    // Object names of the windows in the order they were created.
    const QStringList& ordemCriacao() const { return ordem_; }

private:
    // Windows are children of the main window, which destroys them.
    template <class T> T& cria() {
        auto* janela = new T(estado_, &principal_);
        janela->hide();
        if constexpr (std::is_base_of_v<DialogoModal, T>) {
            janela->ligaServicos(biblioteca_, campos_);
        }
        ordem_ << janela->objectName();
        return *janela;
    }

    // Declared before the windows, which are made with them.
    EstadoConsole& estado_;
    QWidget& principal_;
    KavexLibrary& biblioteca_;
    CamposPrincipais& campos_;
    QStringList ordem_;

public:
    // In start order, which their declaration order gives.
    TFrmCodBarra& FrmCodBarra;
    TFrmConsultas& FrmConsultas;
    TFrmWK& FrmWK;
    TFrmMsgPpd& FrmMsgPpd;
    TFrmAA& FrmAA;
    TFrmOutrasTrn& FrmOutrasTrn;
    TFrmVidalink& FrmVidalink;
    TFrmConsVidalink& FrmConsVidalink;
    TFrmVendaVidalink& FrmVendaVidalink;
    TFrmCncVidalink& FrmCncVidalink;
    TFrmCfgCliKavex& FrmCfgCliKavex;
    TFrmCfgPinpad& FrmCfgPinpad;
    TFrmFuncPinpad& FrmFuncPinpad;
    TFrmOpcaoSimNao& FrmOpcaoSimNao;
    TFrmTimeout& FrmTimeout;
    TFrmTrnDirKavex& FrmTrnDirKavex;
    TFrmCodProdAutor& FrmCodProdAutor;
    TFrmMenu& FrmMenu;
    TFrmColeta& FrmColeta;
    TFrmCupomTEF& FrmCupomTEF;
    TFrmCnsChq& FrmCnsChq;
    TFrmDigitado& FrmDigitado;
    TFrmCMC7& FrmCMC7;
};
