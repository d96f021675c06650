#include "widgets/VigiaChamada.h"

#include "platform/ProfileFile.h"
#include "platform/ProgramDir.h"
#include "widgets/Prompt.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kSecao = QStringLiteral("Biblioteca");
const QString kChave = QStringLiteral("SemResposta");
constexpr int kLimitePadrao = 10;
constexpr int kIntervaloMs = 1000;
} // namespace

int limiteSemResposta() {
    const platform::ProfileFile config(platform::programdir::filePath(QStringLiteral("Config.ini")));
    const int limite = config.readInteger(kSecao, kChave, kLimitePadrao);
    return limite < 0 ? kLimitePadrao : limite;
}

VigiaChamada::VigiaChamada(QWidget& janela, int limiteSegundos, std::function<bool()> encerra)
    : janela_(janela), limiteSegundos_(limiteSegundos), encerra_(std::move(encerra)) {
    relogio_.setInterval(kIntervaloMs);
    QObject::connect(&relogio_, &QTimer::timeout, &janela_, [this] { mostra(); });
}

VigiaChamada::~VigiaChamada() = default;

void VigiaChamada::esperando(bool sim) {
    if (limiteSegundos_ <= 0) {
        return;
    }
    if (sim) {
        decorrido_.start();
        relogio_.start();
        return;
    }
    relogio_.stop();
    if (painel_) {
        painel_->hide();
    }
}

void VigiaChamada::mostra() {
    const qint64 segundos = decorrido_.elapsed() / 1000;
    if (segundos < limiteSegundos_) {
        return;
    }
    if (!painel_) {
        painel_ = new QDialog(&janela_, Qt::Tool);
        painel_->setObjectName(QStringLiteral("PnlSemResposta"));
        painel_->setWindowTitle(QStringLiteral("Biblioteca sem resposta"));
        auto* leiaute = new QVBoxLayout(painel_);
        texto_ = new QLabel(painel_);
        texto_->setObjectName(QStringLiteral("LblSemResposta"));
        botao_ = new QPushButton(QStringLiteral("&Encerra a biblioteca"), painel_);
        botao_->setObjectName(QStringLiteral("BtnEncerraBiblioteca"));
        leiaute->addWidget(texto_);
        leiaute->addWidget(botao_);
        QObject::connect(botao_, &QPushButton::clicked, painel_, [this] { pedeEncerramento(); });
    }
    texto_->setText(QStringLiteral("A biblioteca não responde há %1 s.").arg(segundos));
    if (!painel_->isVisible()) {
        painel_->show();
    }
}

void VigiaChamada::pedeEncerramento() {
    const QString pergunta = QStringLiteral("Encerrar a biblioteca? A função em curso termina como numa queda, e "
                                            "será preciso configurá-la de novo.");
    if (platform::prompt::askYesNo(QString(), pergunta, painel_) != platform::prompt::Answer::Yes ||
        !relogio_.isActive()) {
        return;
    }
    if (!encerra_()) {
        platform::prompt::showError(
            QStringLiteral("A biblioteca roda no processo do console (--in-process) e não pode ser encerrada."),
            painel_);
    }
}
