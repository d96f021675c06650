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

    // In start order.
    TFrmCodBarra* FrmCodBarra = nullptr;
    TFrmConsultas* FrmConsultas = nullptr;
    TFrmWK* FrmWK = nullptr;
    TFrmMsgPpd* FrmMsgPpd = nullptr;
    TFrmAA* FrmAA = nullptr;
    TFrmOutrasTrn* FrmOutrasTrn = nullptr;
    TFrmVidalink* FrmVidalink = nullptr;
    TFrmConsVidalink* FrmConsVidalink = nullptr;
    TFrmVendaVidalink* FrmVendaVidalink = nullptr;
    TFrmCncVidalink* FrmCncVidalink = nullptr;
    TFrmCfgCliKavex* FrmCfgCliKavex = nullptr;
    TFrmCfgPinpad* FrmCfgPinpad = nullptr;
    TFrmFuncPinpad* FrmFuncPinpad = nullptr;
    TFrmOpcaoSimNao* FrmOpcaoSimNao = nullptr;
    TFrmTimeout* FrmTimeout = nullptr;
    TFrmTrnDirKavex* FrmTrnDirKavex = nullptr;
    TFrmCodProdAutor* FrmCodProdAutor = nullptr;
    TFrmMenu* FrmMenu = nullptr;
    TFrmColeta* FrmColeta = nullptr;
    TFrmCupomTEF* FrmCupomTEF = nullptr;
    TFrmCnsChq* FrmCnsChq = nullptr;
    TFrmDigitado* FrmDigitado = nullptr;
    TFrmCMC7* FrmCMC7 = nullptr;

private:
    // Windows are children of the main window, which destroys them.
    template <class T> T* cria() {
        auto* janela = new T(estado_, &principal_);
        janela->hide();
        if constexpr (std::is_base_of_v<DialogoModal, T>) {
            janela->ligaServicos(biblioteca_, campos_);
        }
        ordem_ << janela->objectName();
        return janela;
    }

    EstadoConsole& estado_;
    QWidget& principal_;
    KavexLibrary& biblioteca_;
    CamposPrincipais& campos_;
    QStringList ordem_;
};
