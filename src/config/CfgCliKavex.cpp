#include "config/CfgCliKavex.h"
#include "ui_CfgCliKavex.h"

#include "config/ArquivoConfig.h"

namespace {

const QString kArquivoCliKavex = QStringLiteral("CliKavex.ini");
const QString kChaveTrace = QStringLiteral("HabilitaTrace");
const QString kSecaoCliKavex = QStringLiteral("CliKavex");
const QString kSecaoCliKavexI = QStringLiteral("CliKavexI");
const QString kSecaoGeral = QStringLiteral("Geral");
const QString kChaveTrilha1 = QStringLiteral("DevolveTrilha1");
const QString kChaveTrilha2 = QStringLiteral("DevolveTrilha2");
const QString kChaveTransacoes = QStringLiteral("TransacoesAdicionaisHabilitadas");
const QString kSecaoRedes = QStringLiteral("Redes");
// The key of a network is this prefix and the caption of its list item.
const QString kPrefixoRede = QStringLiteral("HabilitaRede");
const QString kSecaoTransacoes = QStringLiteral("Transacoes");
const QString kChaveConfirmacao = QStringLiteral("ConfirmacaoParamAdic");
const QString kLigado = QStringLiteral("1");
const QString kDesligado = QStringLiteral("0");

const QString kCodigoRefeicao = QStringLiteral("20");
const QString kCodigoPagtoBeneficio = QStringLiteral("53");
const QString kCodigoCancPagtoBeneficio = QStringLiteral("54");
const QString kCodigoTrocoDinheiro = QStringLiteral("55");
// The recharge kinds are the items of ChkLstRecarga, from this code upwards.
constexpr int kPrimeiroCodigoRecarga = 60;
constexpr int kColunasRedes = 3;

platform::ProfileFile arquivoCliKavex() {
    return arquivoNaPastaDoPrograma(kArquivoCliKavex);
}

QString ligado(bool marcado) {
    return marcado ? kLigado : kDesligado;
}

bool marcado(const QListWidgetItem* item) {
    return item->checkState() == Qt::Checked;
}

void poeMarca(QListWidgetItem* item, bool marcado) {
    item->setCheckState(marcado ? Qt::Checked : Qt::Unchecked);
}

// A check list whose items run down the columns, sized to show them all.
void dispoeEmColunas(QListWidget& lista, int colunas) {
    const int linhas = (lista.count() + colunas - 1) / colunas;
    int largura = 0;
    const QFontMetrics metricas(lista.font());
    for (int i = 0; i < lista.count(); ++i) {
        largura = std::max(largura, metricas.horizontalAdvance(lista.item(i)->text()));
    }
    const QSize celula(largura + 3 * metricas.height(), metricas.height() + 6);
    lista.setFlow(QListView::TopToBottom);
    lista.setWrapping(true);
    lista.setResizeMode(QListView::Adjust);
    lista.setGridSize(celula);
    lista.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lista.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int moldura = 2 * lista.frameWidth() + 4;
    lista.setFixedSize(celula.width() * colunas + moldura, celula.height() * linhas + moldura);
}

} // namespace

QStringList separaTransacoes(const QString& lista) {
    return lista.split(QLatin1Char(';'), Qt::SkipEmptyParts);
}

TFrmCfgCliKavex::TFrmCfgCliKavex(EstadoConsole& estado, QWidget* parent)
    : EditorConfiguracao(estado, parent, TotalGrupos), ui(std::make_unique<Ui::TFrmCfgCliKavex>()) {
    ui->setupUi(this);
    layout()->setMenuBar(ui->MenuCfgCliKavex);
    chkCnfParamAdic = ui->chkCnfParamAdic;
    configuraEditor(ui->Salvar);
    dispoeEmColunas(*ui->CLBRedes, kColunasRedes);
    dispoeEmColunas(*ui->ChkLstRecarga, 1);
    conectaControles();
    FormCreate();
}

TFrmCfgCliKavex::~TFrmCfgCliKavex() = default;

// Check boxes report programmatic changes too, so the rules between controls
// also hold while the load sets them.
void TFrmCfgCliKavex::conectaControles() {
    connect(ui->ChkBoxTrcCli, &QCheckBox::toggled, this, &TFrmCfgCliKavex::ChkBoxTrcCliClick);
    connect(ui->RdGrTraceCli, &RadioGroup::clicked, this, &TFrmCfgCliKavex::RdGrTraceCliClick);
    connect(ui->ChkBoxTrcCliI, &QCheckBox::toggled, this, &TFrmCfgCliKavex::ChkBoxTrcCliIClick);
    connect(ui->ChkBoxSCripto, &QCheckBox::toggled, this, &TFrmCfgCliKavex::ChkBoxSCriptoClick);
    connect(ui->ChkBoxTrilha1, &QCheckBox::toggled, this, &TFrmCfgCliKavex::ChkBoxTrilha1Click);
    connect(ui->ChkBoxTrilha2, &QCheckBox::toggled, this, &TFrmCfgCliKavex::ChkBoxTrilha2Click);
    connect(ui->CLBRedes, &QListWidget::itemChanged, this, &TFrmCfgCliKavex::CLBRedesClick);
    connect(ui->ChkBoxRefeicao, &QCheckBox::toggled, this, &TFrmCfgCliKavex::ChkBoxRefeicaoClick);
    connect(ui->ChkBoxRecarga, &QCheckBox::toggled, this, &TFrmCfgCliKavex::ChkBoxRecargaClick);
    connect(ui->ChkLstRecarga, &QListWidget::itemChanged, this, &TFrmCfgCliKavex::ChkLstRecargaClick);
    connect(ui->ChkBoxPagtoBeneficio, &QCheckBox::toggled, this, &TFrmCfgCliKavex::ChkBoxPagtoBeneficioClick);
    connect(ui->ChkBoxCancPagtoBeneficio, &QCheckBox::toggled, this, &TFrmCfgCliKavex::ChkBoxPagtoBeneficioClick);
    connect(ui->ChkBoxTrocoPagtoDinheiro, &QCheckBox::toggled, this, &TFrmCfgCliKavex::ChkBoxTrocoPagtoDinheiroClick);
    connect(ui->chkCnfParamAdic, &QCheckBox::toggled, this, &TFrmCfgCliKavex::chkCnfParamAdicClick);
    connect(ui->Salvar, &QAction::triggered, this, &TFrmCfgCliKavex::SalvarClick);
    connect(ui->Button1, &QPushButton::clicked, this, &TFrmCfgCliKavex::BtEncerra);
}

bool TFrmCfgCliKavex::confirmacaoComParametros() const {
    return ui->chkCnfParamAdic->isChecked();
}

void TFrmCfgCliKavex::FormCreate() {
    ui->chkCnfParamAdic->setChecked(arquivoConfig().readInteger(kSecaoTransacoes, kChaveConfirmacao, 0) != 0);
    // The window has not been shown: nothing has changed yet.
    ModificadoFalse();
    ui->Salvar->setEnabled(false);
}

void TFrmCfgCliKavex::FormActivate() {
    // The benefit, change and recharge boxes keep what they showed: the stored
    // list can only add to them.
    for (QCheckBox* caixa : {ui->ChkBoxTrcCli, ui->ChkBoxTrcCliI, ui->ChkBoxSCripto, ui->ChkBoxTrilha1,
                             ui->ChkBoxTrilha2, ui->ChkBoxRedes, ui->ChkBoxRefeicao}) {
        caixa->setChecked(false);
    }
    ui->RdGrTraceCli->setEnabled(false);
    ui->ChkLstRecarga->setEnabled(false);

    const platform::ProfileFile cli = arquivoCliKavex();
    const QString traceCli = cli.readString(kSecaoCliKavex, kChaveTrace);
    const QString traceCliI = cli.readString(kSecaoCliKavexI, kChaveTrace);
    const QString trilha1 = cli.readString(kSecaoGeral, kChaveTrilha1);
    const QString trilha2 = cli.readString(kSecaoGeral, kChaveTrilha2);

    bool algumaRede = false;
    for (int i = 0; i < ui->CLBRedes->count(); ++i) {
        QListWidgetItem* rede = ui->CLBRedes->item(i);
        const bool ligada = cli.readString(kSecaoRedes, kPrefixoRede + rede->text(), kDesligado) == kLigado;
        poeMarca(rede, ligada);
        algumaRede = algumaRede || ligada;
    }

    const QString transacoes = cli.readString(kSecaoGeral, kChaveTransacoes);

    if (traceCli == QLatin1String("1") || traceCli == QLatin1String("2")) {
        ui->ChkBoxTrcCli->setChecked(true);
        ui->RdGrTraceCli->setItemIndex(traceCli == QLatin1String("1") ? 0 : 1);
    }

    if (traceCliI == kLigado) {
        ui->ChkBoxTrcCliI->setChecked(true);
    } else if (traceCliI == kDesligado) {
        ui->ChkBoxTrcCliI->setChecked(false);
    } else if (traceCliI == QLatin1String(kTraceSemCriptografia)) {
        ui->ChkBoxTrcCliI->setChecked(true);
        ui->ChkBoxSCripto->setChecked(true);
    }

    ui->ChkBoxTrilha1->setChecked(trilha1 == kLigado);
    ui->ChkBoxTrilha2->setChecked(trilha2 == kLigado);
    ui->ChkBoxRedes->setChecked(algumaRede);
    marcaTransacoes(transacoes);

    ui->chkCnfParamAdic->setChecked(arquivoConfig().readInteger(kSecaoTransacoes, kChaveConfirmacao, 0) != 0);

    ModificadoFalse();
    ui->Salvar->setEnabled(false);
}

void TFrmCfgCliKavex::marcaTransacoes(const QString& lista) {
    for (const QString& codigo : separaTransacoes(lista)) {
        if (codigo == kCodigoRefeicao) {
            ui->ChkBoxRefeicao->setChecked(true);
        } else if (codigo == kCodigoPagtoBeneficio) {
            ui->ChkBoxPagtoBeneficio->setChecked(true);
        } else if (codigo == kCodigoCancPagtoBeneficio) {
            ui->ChkBoxCancPagtoBeneficio->setChecked(true);
        } else if (codigo == kCodigoTrocoDinheiro) {
            ui->ChkBoxTrocoPagtoDinheiro->setChecked(true);
        } else {
            for (int i = 0; i < ui->ChkLstRecarga->count(); ++i) {
                if (codigo == QString::number(kPrimeiroCodigoRecarga + i)) {
                    ui->ChkBoxRecarga->setChecked(true);
                    ui->ChkLstRecarga->setEnabled(true);
                    poeMarca(ui->ChkLstRecarga->item(i), true);
                }
            }
        }
    }
}

QString TFrmCfgCliKavex::montaTransacoes() const {
    QStringList codigos;
    if (ui->ChkBoxRefeicao->isChecked()) {
        codigos << kCodigoRefeicao;
    }
    if (ui->ChkBoxPagtoBeneficio->isChecked()) {
        codigos << kCodigoPagtoBeneficio;
    }
    if (ui->ChkBoxCancPagtoBeneficio->isChecked()) {
        codigos << kCodigoCancPagtoBeneficio;
    }
    if (ui->ChkBoxTrocoPagtoDinheiro->isChecked()) {
        codigos << kCodigoTrocoDinheiro;
    }
    if (ui->ChkBoxRecarga->isChecked()) {
        for (int i = 0; i < ui->ChkLstRecarga->count(); ++i) {
            if (marcado(ui->ChkLstRecarga->item(i))) {
                codigos << QString::number(kPrimeiroCodigoRecarga + i);
            }
        }
    }
    return codigos.join(QLatin1Char(';'));
}

bool TFrmCfgCliKavex::transacoesMarcadas() const {
    return modificado(Refeicao) || modificado(Recarga) || modificado(Beneficio) || modificado(TrocoDinheiro);
}

void TFrmCfgCliKavex::GravaCfg() {
    platform::ProfileFile cli = arquivoCliKavex();
    if (modificado(TraceInterativo) || modificado(SemCriptografia)) {
        QString valor = kDesligado;
        if (ui->ChkBoxTrcCliI->isChecked()) {
            valor = ui->ChkBoxSCripto->isChecked() ? QString::fromLatin1(kTraceSemCriptografia) : kLigado;
        }
        cli.writeString(kSecaoCliKavexI, kChaveTrace, valor);
    }
    if (modificado(TraceCliKavex)) {
        QString valor = kDesligado;
        if (ui->ChkBoxTrcCli->isChecked()) {
            valor = ui->RdGrTraceCli->itemIndex() == 0 ? QStringLiteral("1") : QStringLiteral("2");
        }
        cli.writeString(kSecaoCliKavex, kChaveTrace, valor);
    }
    if (modificado(Trilha1)) {
        cli.writeString(kSecaoGeral, kChaveTrilha1, ligado(ui->ChkBoxTrilha1->isChecked()));
    }
    if (modificado(Trilha2)) {
        cli.writeString(kSecaoGeral, kChaveTrilha2, ligado(ui->ChkBoxTrilha2->isChecked()));
    }
    if (modificado(Redes)) {
        for (int i = 0; i < ui->CLBRedes->count(); ++i) {
            const QListWidgetItem* rede = ui->CLBRedes->item(i);
            cli.writeString(kSecaoRedes, kPrefixoRede + rede->text(), ligado(marcado(rede)));
        }
    }
    if (transacoesMarcadas()) {
        cli.writeString(kSecaoGeral, kChaveTransacoes, montaTransacoes());
    }
    if (modificado(Confirmacao)) {
        arquivoConfig().writeString(kSecaoTransacoes, kChaveConfirmacao, ligado(ui->chkCnfParamAdic->isChecked()));
    }
}

void TFrmCfgCliKavex::gravaAlteracoes() {
    GravaCfg();
}

void TFrmCfgCliKavex::SalvarClick() {
    salvaPerguntando();
}

void TFrmCfgCliKavex::BtEncerra() {
    encerraPerguntando();
}

void TFrmCfgCliKavex::ModificadoFalse() {
    limpaMarcas();
}

void TFrmCfgCliKavex::ChkBoxTrcCliClick() {
    marca(TraceCliKavex);
    const bool ligado = ui->ChkBoxTrcCli->isChecked();
    ui->RdGrTraceCli->setEnabled(ligado);
    if (ligado) {
        ui->RdGrTraceCli->setItemIndex(0);
    }
}

void TFrmCfgCliKavex::RdGrTraceCliClick() {
    marca(TraceCliKavex);
}

void TFrmCfgCliKavex::ChkBoxTrcCliIClick() {
    marca(TraceInterativo);
    const bool ligado = ui->ChkBoxTrcCliI->isChecked();
    ui->ChkBoxSCripto->setEnabled(ligado);
    if (!ligado) {
        ui->ChkBoxSCripto->setChecked(false);
    }
}

void TFrmCfgCliKavex::ChkBoxSCriptoClick() {
    marca(SemCriptografia);
}

void TFrmCfgCliKavex::ChkBoxTrilha1Click() {
    marca(Trilha1);
}

void TFrmCfgCliKavex::ChkBoxTrilha2Click() {
    marca(Trilha2);
}

void TFrmCfgCliKavex::CLBRedesClick() {
    marca(Redes);
    int ligadas = 0;
    for (int i = 0; i < ui->CLBRedes->count(); ++i) {
        ligadas += marcado(ui->CLBRedes->item(i)) ? 1 : 0;
    }
    ui->ChkBoxRedes->setChecked(ligadas >= 1);
}

void TFrmCfgCliKavex::ChkBoxRefeicaoClick() {
    marca(Refeicao);
}

void TFrmCfgCliKavex::ChkBoxRecargaClick() {
    marca(Recarga);
    ui->ChkLstRecarga->setEnabled(ui->ChkBoxRecarga->isChecked());
}

void TFrmCfgCliKavex::ChkLstRecargaClick() {
    marca(Recarga);
    for (int i = 0; i < ui->ChkLstRecarga->count(); ++i) {
        if (marcado(ui->ChkLstRecarga->item(i))) {
            return;
        }
    }
    ui->ChkBoxRecarga->setChecked(false);
}

void TFrmCfgCliKavex::ChkBoxPagtoBeneficioClick() {
    marca(Beneficio);
}

void TFrmCfgCliKavex::ChkBoxTrocoPagtoDinheiroClick() {
    marca(TrocoDinheiro);
}

void TFrmCfgCliKavex::chkCnfParamAdicClick() {
    marca(Confirmacao);
}
