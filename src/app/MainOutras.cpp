// The other-transactions visit: the menu, the Vidalink hand-over to the
// command loop and the PBM consultation.

#include "app/MainOutras.h"
#include "app/Main.h"
#include "ui_Main.h"

#include "dialogs/ColetaCodProdAutor.h"
#include "library/KavexLibrary.h"
#include "library/kavex.h"
#include "othertrn/ConsVlink.h"
#include "othertrn/OutraTrn.h"
#include "platform/Modal.h"
#include "platform/Prompt.h"
#include "platform/Win1252.h"

#include <QLabel>
#include <QLineEdit>

#include <array>

namespace {

std::function<void()>& lacoSubstituto() {
    static std::function<void()> laco;
    return laco;
}

const QString kTituloPBM = QStringLiteral("Consulta PBM");
const QString kConsultaProdutoAProduto = QStringLiteral("0");
const QString kConsultaUnica = QStringLiteral("1");
const char* const kOperadorPBM = "Opx";

// Keeps the window locked from the visit's first step to its last, even when
// the visit ends by an exception.
class TravaVisita {
public:
    explicit TravaVisita(bool& ativa) : ativa_(ativa) { ativa_ = true; }
    ~TravaVisita() { ativa_ = false; }
    TravaVisita(const TravaVisita&) = delete;
    TravaVisita& operator=(const TravaVisita&) = delete;

private:
    bool& ativa_;
};

} // namespace

void outras::substituiLaco(std::function<void()> laco) {
    lacoSubstituto() = std::move(laco);
}

void TFrmtesteCliKavex32I::EscreveResultado(int32_t codigo) {
    ui->EdtResultado->setText(QString::number(codigo));
}

void TFrmtesteCliKavex32I::EscreveCupomFiscal(const QString& cupom) {
    ui->EdtCpFiscal->setText(cupom);
}

void TFrmtesteCliKavex32I::executaLacoVisita() {
    if (lacoSubstituto()) {
        lacoSubstituto()();
    } else {
        ContinuaFuncao();
    }
}

void TFrmtesteCliKavex32I::btnOutrasTrnClick() {
    estado_.ConsVidalinkEscolhida = false;
    estado_.VendaVidalinkAtiva = false;
    estado_.CncVidalinkAtiva = false;
    {
        TravaVisita trava(visitaOutras_);
        HabilitaDesabilita(false);
        ui->BtnConfigura->setEnabled(false);
        janelas_->FrmConsVidalink->preparaVisita();
        TFrmOutrasTrn& menu = *janelas_->FrmOutrasTrn;
        platform::modal::showModal(menu);
        switch (menu.Tag) {
        case TFrmOutrasTrn::TransacoesVidalink:
            repassaVidalink();
            break;
        case TFrmOutrasTrn::ConsultaPBM:
            ConsultaPBM();
            break;
        default:
            break;
        }
    }
    HabilitaDesabilita(true);
    ui->BtnConfigura->setEnabled(true);
}

void TFrmtesteCliKavex32I::repassaVidalink() {
    if (estado_.ConsVidalinkEscolhida) {
        // The consultation window closes after each of its steps; the loop
        // runs here, and the window comes back for the next product. A round
        // that does neither (the window was closed before anything was sent)
        // ends the consultation.
        bool fezAlgo = false;
        do {
            fezAlgo = false;
            if (estado_.ConsultaIniciada) {
                executaLacoVisita();
                fezAlgo = true;
            }
            if (!estado_.ConsultaMaisProdutos) {
                estado_.ConsultaIniciada = false;
            }
            if (estado_.Retorno == 0 && estado_.ConsultaIniciada) {
                platform::modal::showModal(*janelas_->FrmConsVidalink);
                fezAlgo = true;
            }
        } while (fezAlgo && (estado_.ConsultaMaisProdutos || estado_.ConsultaIniciada) && estado_.Retorno == 0);
    }
    if (estado_.VendaVidalinkAtiva || estado_.CncVidalinkAtiva) {
        executaLacoVisita();
    }
}

void TFrmtesteCliKavex32I::ConsultaPBM() {
    std::array<char, KAVEX_TAM_COD_AUTORIZACAO> codigoAutorizacao{};
    TFrmCodProdAutor& dialogo = *janelas_->FrmCodProdAutor;
    dialogo.lbCodProdAutor()->setText(QStringLiteral("Código de Autorização:"));
    platform::modal::showModal(dialogo);
    platform::copyToBuffer(codigoAutorizacao.data(), codigoAutorizacao.size(), dialogo.edCodProdAutor()->text());

    const bool produtoAProduto = platform::prompt::askYesNo(kTituloPBM, QStringLiteral("Consulta Produto a Produto ?"),
                                                            this) == platform::prompt::Answer::Yes;
    QString consulta = produtoAProduto ? kConsultaProdutoAProduto : kConsultaUnica;
    if (ui->EdtCpFiscal->text().isEmpty()) {
        ui->EdtCpFiscal->setText(QStringLiteral("12345"));
    }
    dataehora();
    // The date and time of the opening call go with every product.
    const QByteArray data = platform::toWin1252(estado_.DataFiscal);
    const QByteArray hora = platform::toWin1252(estado_.HoraFiscal);
    const auto inicia = [&] {
        const QByteArray texto = platform::toWin1252(consulta);
        const QByteArray cupom = platform::toWin1252(ui->EdtCpFiscal->text());
        estado_.Retorno = estado_.biblioteca->IniciaFuncaoKavexInterativoConsultaPBM(
            codigoAutorizacao.data(), texto.constData(), cupom.constData(), data.constData(), hora.constData(),
            kOperadorPBM, "");
        return estado_.Retorno;
    };

    if (inicia() != KAVEX_CONTINUA_INTERATIVO) {
        return;
    }
    executaLacoVisita();
    if (!produtoAProduto || estado_.Retorno != 0) {
        return;
    }
    do {
        dialogo.lbCodProdAutor()->setText(QStringLiteral("Código do Produto:"));
        platform::modal::showModal(dialogo);
        consulta = dialogo.edCodProdAutor()->text();
        if (inicia() == KAVEX_CONTINUA_INTERATIVO) {
            executaLacoVisita();
        }
        if (estado_.Retorno == 0 &&
            platform::prompt::askYesNo(kTituloPBM, QStringLiteral("Existem mais produtos a serem consultados ?"),
                                       this) == platform::prompt::Answer::Yes) {
            estado_.Retorno = KAVEX_CONTINUA_INTERATIVO;
        }
    } while (estado_.Retorno == KAVEX_CONTINUA_INTERATIVO);
}
