#pragma once

// Bar-code entry. The operator types the whole code in one field (checked by
// the library on Enter, or not at all), or, checking on line, the bill's
// typed line block by block: the type the library reports after the second
// character picks the layout, each block is checked as soon as it is
// complete, and a block in error turns red.
//
// It serves the command loop, which passes the accepted code back to the
// library, and the check-only start, where it is a checking tool that never
// closes by itself.

#include "dialogs/DialogoModal.h"

#include <QChar>
#include <QString>
#include <array>
#include <cstdint>
#include <map>
#include <memory>

class QFrame;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace Ui {
class TFrmCodBarra;
}

class TFrmCodBarra : public DialogoModal {
    Q_OBJECT
public:
    explicit TFrmCodBarra(EstadoConsole& estado, QWidget* parent = nullptr);
    ~TFrmCodBarra() override;

    // The code being checked: the field's text, the characters typed so far
    // or the blocks typed so far.
    QString CodigoBarras;
    // What the library reported for it.
    int16_t TipoCodBarra = 0;
    int16_t ResultadoValidacao = 0;
    // The key whose press completed a block.
    QChar TeclaDigitada;
    // The answer to the command loop: "1:" + a whole 44-character bar code,
    // "0:" + anything else accepted. Kept until the next acceptance.
    QString RetornoCodBarra;

    // Shows the dialog for the command loop: ModoCorrespondente true, the
    // library's prompt as heading. On return the loop reads RetornoCodBarra,
    // and continua() tells whether the operator went back or ended.
    void MostraParaLaco(const QString& mensagem);
    // Shows the dialog as a checking tool: ModoCorrespondente false, "Não
    // Valida" hidden. Nothing is read back.
    void MostraParaValidacao();
    // Each start makes "Não Valida" available again.
    void ExibeNaoValida();
    // A dialog closed in block mode stays in it, so each caller makes the
    // single field visible again (emptied) before showing it.
    void ExibeCampoCodBarra();

    QLabel* LblCabecalhoCodBarra() const;

    void FormActivate() override;
    void EdtCodBarraKeyPress(QChar tecla);
    void Edit1KeyPress(QChar tecla);
    void Edit2KeyPress(QChar tecla);
    void Edit3KeyPress(QChar tecla);
    void Edit4KeyPress(QChar tecla);
    void Edit5KeyPress(QChar tecla);
    void Edit6KeyPress(QChar tecla);
    void Edit7KeyPress(QChar tecla);
    void Edit8KeyPress(QChar tecla);
    void Edit9KeyPress(QChar tecla);
    void Edit10KeyPress(QChar tecla);
    void Edit1Enter();
    void RdBtnValidaOnlClick();
    void RdBtnValidaFnlClick();
    void RdBtnNaoValidaClick();
    void BitBtn1Click();
    void BtnVoltaClick();
    void Passo1();
    void Passo2();
    void Passo3();
    void Passo4();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A block of the typed line: its panel, its left and right fields and
    // how many digits each holds.
    struct Bloco {
        QFrame* painel;
        QLineEdit* esquerdo;
        QLineEdit* direito;
        int tamEsquerdo;
        int tamDireito;
    };
    using TratadorDeTecla = void (TFrmCodBarra::*)(QChar);

    bool emBoleto() const;
    bool emArrecadacao() const;
    // Block n, 1 to 4, of the layout shown (or of the given layout).
    Bloco bloco(int n) const;
    Bloco bloco(int n, bool boleto) const;
    std::array<QFrame*, 5> paineis() const;
    void escondePaineis();
    void restauraCores();
    void passaAoDireito(int n);
    void verificaAoCompletar(int n, QChar tecla);
    void passo(int n);
    void validaCodigo();
    void mostraNumeros();
    void aceita(const QString& prefixo);
    void entraEmBlocos(bool boleto);
    void ajustaLimites();
    void montaCodigo(int blocos);
    void pinta(QFrame* painel, bool errado);
    void focaSelecionando(QLineEdit* campo);
    void mostraErro(bool comoUmTodo);
    void escondeErro();
    void limpaBlocos();

    std::unique_ptr<Ui::TFrmCodBarra> ui;
    // Who handles a key typed into each field.
    std::map<QObject*, TratadorDeTecla> tratadores_;
};
