#pragma once

// The console's main window: its panels hold the library's configuration
// (PainelConfiguracao), the transaction fields (PainelTransacao), the command
// loop's trace and messages (PainelMensagens) and the confirmation
// (PainelConfirmacao); the window keeps "Resultado:" and the menu. Its
// handlers read the panels, run a flow and show the result; they are split by
// concern over several files (Main*.cpp).

#include "app/Janelas.h"
#include "app/OperadorJanelas.h"
#include "app/PainelConfiguracao.h"
#include "core/EstadoConsole.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class BibliotecaEmThread;
class VigiaChamada;
class RetemEntrada;
class KavexLibrary;
class LacoComandos;
namespace fluxos {
class OutrasTransacoes;
struct CamposConfirmacao;
} // namespace fluxos

namespace platform {
class PedidoFechar;
}
namespace Ui {
class TFrmtesteCliKavex32I;
}

class TFrmtesteCliKavex32I : public QMainWindow, public JanelaOperada {
    Q_OBJECT
public:
    // The other windows are built with this one, or, at program start, by
    // criaJanelas() once this one is on screen.
    enum class CriacaoJanelas { Junto, DepoisDeMostrar };
    explicit TFrmtesteCliKavex32I(KavexLibrary& biblioteca, QWidget* parent = nullptr,
                                  CriacaoJanelas criacao = CriacaoJanelas::Junto);
    ~TFrmtesteCliKavex32I() override;

    EstadoConsole& estado() { return estado_; }
    Janelas& janelas() { return *janelas_; }
    // Builds the other windows in their start order, and the operator that
    // shows them, if not built yet.
    void criaJanelas();

    // Enables or disables the transaction controls; true also re-enables
    // BtnConfigura.
    void HabilitaDesabilita(bool habilita);
    // Busy: the transaction controls and "&Configura" disabled.
    void ocupa();
    void dataehora();

    // Carries a function that a start call answered with 10000 through the
    // library's command loop to its end (a Vidalink consultation shows its
    // consultation screen under that title).
    void ContinuaFuncao(bool consultaVidalink = false);
    void BtnCncPpdClick();

    // Confirms or undoes a transaction by hand.
    void btn_confirmacaoClick();
    void btCnfIdentificadaClick();

    // Starting a function (MainInicia.cpp): the kind chosen in the two
    // transaction groups, or the direct pinpad function chosen in the pinpad
    // functions window.
    void BtntransacaoClick();
    void BtnFuncPpdClick();
    void BtnILCDClick();
    int TstCnc() override;

    void BtnConfiguraClick();
    void BtnLimparClick();
    void CfgCliKavexClick();
    void CfgPinpadClick();
    // The whole other-transactions visit, from the menu to what it leaves to run.
    void btnOutrasTrnClick();

    // True once the operator chose to close the window during a function: the
    // function is being ended, and the window closes when it is over.
    bool encerramentoPedido() const override { return fechaAoTerminar_; }
    void devolveControles() override { HabilitaDesabilita(true); }
    bool comImpressora() const override;

    void EscreveResultado(int32_t codigo) override;
    void EscreveCupomFiscal(const QString& cupom) override;

    // Puts another run in the command loop's place inside other-transactions
    // visits (tests decide how each run ends); empty gives the loop back.
    void substituiLacoDasOutras(std::function<void(bool consultaVidalink)> laco);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void ordenaTabulacao();
    void conectaControles();
    void conectaMenu();
    void criaTeclas();
    void pintaJanela();
    void fixaJanela();
    void criaLaco();
    void vigiaFechamento();
    void conectaFinalizacao();
    fluxos::CamposConfirmacao camposConfirmacao() const;

    // Handlers that may call the library run one at a time: while a call
    // lasts the window takes events, and none of them may start another.
    using Tratador = void (TFrmtesteCliKavex32I::*)();
    auto exclusivo(Tratador tratador) {
        return [this, tratador] { executaExclusivo(tratador); };
    }
    void executaExclusivo(Tratador tratador);
    // After a handler: the box for a library that ended during it, and the
    // window back to the state before "&Configura".
    void mostraQueda();
    bool emFuncao_ = false;
    quint64 quedaMostrada_ = 0;
    bool fechaAoTerminar_ = false;
    // A close asked for while a dialog was open, to be dealt with once the
    // window is no longer blocked.
    std::unique_ptr<platform::PedidoFechar> pedidoFechar_;
    bool fecharAposDialogo_ = false;

    // While a visit runs, only the visit gives the controls back.
    bool visitaOutras_ = false;

    std::unique_ptr<Ui::TFrmtesteCliKavex32I> ui;
    // Every call of the window and its flows goes to the library's own thread.
    std::unique_ptr<BibliotecaEmThread> emThread_;
    KavexLibrary& biblioteca_;
    std::unique_ptr<RetemEntrada> retemEntrada_;
    std::unique_ptr<VigiaChamada> vigia_;
    EstadoConsole estado_;
    std::unique_ptr<Janelas> janelas_;
    std::unique_ptr<OperadorJanelas> operador_;
    std::unique_ptr<LacoComandos> laco_;
    std::unique_ptr<fluxos::OutrasTransacoes> outras_;
};
