#pragma once

// Editor of the payment client library's switches in CliKavex.ini and of the
// console's own confirmation switch in Config.ini. It only writes the files;
// the library reads CliKavex.ini by itself.

#include "config/EditorConfiguracao.h"

#include <QStringList>

#include <memory>

class QCheckBox;
class QListWidget;
class QListWidgetItem;
struct EstadoConsole;

namespace Ui {
class TFrmCfgCliKavex;
}

// How the interactive layer's trace is stored; the "no cryptography" value is
// compared as exact text.
inline constexpr char kTraceSemCriptografia[] = "0x2C7E4B1";

// The transaction codes of TransacoesAdicionaisHabilitadas: codes between the
// ";" separators, empty pieces dropped (a value ending in ";" loses nothing).
QStringList separaTransacoes(const QString& lista);

class TFrmCfgCliKavex : public EditorConfiguracao {
    Q_OBJECT
public:
    explicit TFrmCfgCliKavex(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmCfgCliKavex() override;

    // The live setting for confirmations with additional parameters: what the
    // box shows, saved or not.
    bool confirmacaoComParametros() const;
    QCheckBox* chkCnfParamAdic = nullptr;

    void FormCreate();
    void FormActivate() override;
    // Writes the changed groups; throws platform::ProfileWriteError, leaving
    // the keys after the failing one unwritten and the marks as they were.
    void GravaCfg();
    void SalvarClick();
    void BtEncerra();
    void ModificadoFalse();

    void ChkBoxTrcCliClick();
    void RdGrTraceCliClick();
    void ChkBoxTrcCliIClick();
    void ChkBoxSCriptoClick();
    void ChkBoxTrilha1Click();
    void ChkBoxTrilha2Click();
    void CLBRedesClick();
    void ChkBoxRefeicaoClick();
    void ChkBoxRecargaClick();
    void ChkLstRecargaClick();
    void ChkBoxPagtoBeneficioClick();
    void ChkBoxTrocoPagtoDinheiroClick();
    void chkCnfParamAdicClick();

private:
    // One change mark per group of controls.
    enum Grupo {
        TraceInterativo,
        TraceCliKavex,
        SemCriptografia,
        Trilha1,
        Trilha2,
        Redes,
        Refeicao,
        Recarga,
        Beneficio,
        TrocoDinheiro,
        Confirmacao,
        TotalGrupos
    };

    void conectaControles();
    void arrumaListaRedes();
    bool transacoesMarcadas() const;
    QString montaTransacoes() const;
    void marcaTransacoes(const QString& lista);
    void gravaAlteracoes() override;

    std::unique_ptr<Ui::TFrmCfgCliKavex> ui;
};
