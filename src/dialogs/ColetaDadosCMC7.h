#pragma once

// The data of a cheque as one CMC-7 line, as a reader or the operator types
// it. Nothing is checked here; the command loop enforces the minimum length.

#include <QDialog>
#include <QString>
#include <cstdint>
#include <memory>

struct EstadoConsole;
class QLabel;
class QLineEdit;

namespace Ui {
class TFrmCMC7;
}

class TFrmCMC7 : public QDialog {
    Q_OBJECT
public:
    explicit TFrmCMC7(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmCMC7() override;

    // The line as last accepted; 34 zeros after "&Encerra".
    QString DadosCMC7;

    // Where the library's prompt goes.
    QLabel* CMC7() const;
    QLineEdit* EdtCMC7() const;
    // Maximum length of the line as the library asks it; 0 (or less) means
    // no limit.
    void LimitaCMC7(int16_t tamanhoMaximo);
    void LimpaCampo();

    void FormActivate();
    void BitBtnConsultaClick();
    void BitBtnPreencherClick();
    void BitBtnEncerraClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    std::unique_ptr<Ui::TFrmCMC7> ui;
    EstadoConsole& estado_;
};
