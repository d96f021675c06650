#pragma once

// The configuration panel of the main window: the server address (with the
// addresses remembered in Config.ini), the store and terminal codes, the
// printer choice and "&Configura" / "Re&configura". It gathers the
// configuration's fields and remembers new addresses; the window runs the
// configuration flow and switches the rest of the form.

#include "fluxos/Configuracao.h"

#include <QStringList>
#include <QWidget>

#include <memory>

namespace Ui {
class PainelConfiguracao;
}

class PainelConfiguracao : public QWidget {
    Q_OBJECT
public:
    explicit PainelConfiguracao(QWidget* parent = nullptr);
    ~PainelConfiguracao() override;

    fluxos::CamposConfiguracao campos() const;
    // "Com" in "Impressora": receipts are printed instead of shown.
    bool comImpressora() const;
    // The addresses remembered in Config.ini; the box shows "localhost",
    // none of them.
    void carregaEnderecos();

    // The button reads "Re&configura": the library was configured.
    bool configurado() const;
    // Configured: the fields locked and the button "Re&configura"; else the
    // fields open and the button "&Configura".
    void mostraConfigurado(bool sim);
    // "&Configura" is left alone while the window is busy otherwise.
    void habilitaBotao(bool sim);
    // The panel's controls in their tab order, the window's first.
    QList<QWidget*> ordemTab() const;

    // Leaving the address box with an address not yet in its list remembers it.
    void CBIPKavexExit();

signals:
    void configura();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void lembraEndereco(const QString& endereco);

    std::unique_ptr<Ui::PainelConfiguracao> ui;
};

// Splits a stored address list: each address is followed by ";", and
// characters after the last ";" are not an address.
QStringList separaEnderecos(const QString& lista);
