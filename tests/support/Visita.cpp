#include "Visita.h"

#include "Cliques.h"
#include "platform/Clock.h"
#include "widgets/Modal.h"

#include <QLineEdit>
#include <QPushButton>

namespace harness {

namespace {
const char* const kTravados[] = {"BtnOutrasTrn", "BtnConfigura", "BtnTransacao", "EdtCpFiscal", "BtnFuncPpd"};
} // namespace

Visita::Visita() {
    platform::clock::setFixed(momento(10, 20, 30));
    QTest::mouseClick(c_.find<QPushButton>("BtnConfigura"), Qt::LeftButton);
    c_.simulator().clearLog();
    c_.window().substituiLacoDasOutras([this](bool) {
        ++lacos_;
        if (!travada()) {
            problemas_ << QStringLiteral("loop run %1 with the window unlocked").arg(lacos_);
        }
        if (duranteOLaco_) {
            duranteOLaco_();
        }
        if (fins_.empty()) {
            problemas_ << QStringLiteral("loop run %1 was not expected").arg(lacos_);
            estado().Retorno = -1;
        } else {
            estado().Retorno = fins_.front();
            fins_.pop_front();
        }
        c_.window().HabilitaDesabilita(true);
    });
}

Visita::~Visita() {
    c_.window().substituiLacoDasOutras({});
    platform::clock::clearFixed();
}

void Visita::lacoReal() {
    c_.window().substituiLacoDasOutras({});
}

void Visita::fimDosLacos(std::initializer_list<int> retornos) {
    fins_.insert(fins_.end(), retornos);
}

void Visita::escolhe(const char* botao) {
    espera("FrmOutrasTrn", [botao](QDialog& menu) { clica(menu, botao); });
}

void Visita::visita() {
    QTest::mouseClick(c_.find<QPushButton>("BtnOutrasTrn"), Qt::LeftButton);
    if (!fins_.empty()) {
        problemas_ << QStringLiteral("%1 scripted loop end(s) never used").arg(fins_.size());
    }
}

void Visita::espera(const char* janela, std::function<void(QDialog&)> acao) {
    platform::modal::expect(QString::fromLatin1(janela), std::move(acao));
}

bool Visita::todos(bool habilitados) {
    for (const char* nome : kTravados) {
        if (c_.window().findChild<QWidget*>(QString::fromLatin1(nome))->isEnabled() != habilitados) {
            return false;
        }
    }
    return true;
}

nlohmann::json argumentos(const std::vector<nlohmann::json>& chamadas) {
    nlohmann::json a = nlohmann::json::array();
    for (const nlohmann::json& c : chamadas) {
        a.push_back(c["args"]);
    }
    return a;
}

void clica(QDialog& janela, const char* nome) {
    QTest::mouseClick(controle<QPushButton>(janela, nome), Qt::LeftButton);
}

void digita(QDialog& janela, const char* nome, const QString& texto) {
    auto* campo = controle<QLineEdit>(janela, nome);
    campo->setFocus();
    campo->selectAll();
    QTest::keyClick(campo, Qt::Key_Backspace);
    QTest::keyClicks(campo, texto);
}

QDateTime momento(int hora, int minuto, int segundo) {
    return QDateTime(QDate(2026, 3, 14), QTime(hora, minuto, segundo));
}

} // namespace harness
