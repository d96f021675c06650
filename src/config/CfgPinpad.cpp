#include "config/CfgPinpad.h"
#include "ui_CfgPinpad.h"

#include "config/ArquivoConfig.h"
#include "platform/Files.h"
#include "platform/Numeros.h"
#include "platform/ProfileFile.h"
#include "platform/ProgramDir.h"
#include "widgets/NumeroDigitado.h"
#include "widgets/Prompt.h"

#include <QFileInfo>

#include <limits>

namespace {

const QString kSecaoPath = QStringLiteral("PathPPVISA");
const QString kChavePath = QStringLiteral("PathPPVISA");
const QString kNomePPVISA = QStringLiteral("PPVISA.ini");
const QString kDirWindows = QStringLiteral("\\Windows");
const QString kDirWinnt = QStringLiteral("\\Winnt");
// The copies that a save into the program's folder removes, the first found.
const QString kCopiaWindows = QStringLiteral("C:\\Windows\\PPVISA.ini");
const QString kCopiaWinnt = QStringLiteral("C:\\Winnt\\PPVISA.ini");
// PPVISA.ini names files for the pinpad library, which runs on Windows.
const QChar kBarra = QLatin1Char('\\');

const QString kSecaoGeral = QStringLiteral("General");
const QString kChaveDriver = QStringLiteral("Driver32");
const QString kChaveBin = QStringLiteral("BinFile");
const QString kArquivoBin = QStringLiteral("PPVISA.bin");

const QString kConfiguracaoIncompleta =
    QStringLiteral("É necessário configurar o Tipo de Pinpad, Porta e o Diretório onde estão as dlls do pinpad !!!");

constexpr qsizetype kTamanhoNomeDriver = 12;

struct ModeloPinpad {
    const char* driver;
    const char* secao;
    // One model keeps its port in "Config" (the digit and "CHIP"); the others
    // in "Port", with a security module always in slot 1.
    bool portaComChip;
    bool velocidade;
};

// In the order of the items of RdGrPinpad.
constexpr ModeloPinpad kModelos[] = {
    {"ppvfnw32.dll", "VFN", true, false}, {"ppdiow32.dll", "DIO", false, false}, {"ppslbw32.dll", "SLB", false, true},
    {"ppgerw32.dll", "GER", false, true}, {"ppingw32.dll", "ING", false, true},
};

struct Aplicacao {
    const char* chave;
    const char* valor;
};

constexpr Aplicacao kAplicacoesEMV[] = {
    {"AID01", "C,VISA CRED,A0000000031010"},
    {"AID02", "D,VISA DEB,A0000000032010"},
    {"AID03", "D,VALE REFEICAO,A00000000300050203"},
    {"AID04", "D,VALE ALIMENTACAO,A00000000300050202"},
};

// Public keys of the certification authorities, written to every PPVISA.ini
// this console saves: the modulus in 16-byte pieces, exponent 3.
constexpr const char* kModulo01[] = {
    "C95FC8AC304FC0E1EBCCDDE7BA559BC2", "C4E2C3434242CAE2E96985F936800E84", "CFEDD90E1EC08FB0CE2DD7A5BD283C23",
    "4F2075B2E81DF2D7B28C2AFD968A266A", "07701184D8E53080C055ADD6F0579592", "2116D5415CF839DDF43B139C0CA4CE3E",
    "937601394E5AEFC538406D9A751C0E15", "339F1493E846059606826A3E34296E61",
};
constexpr const char* kModulo03[] = {
    "C0EA7817FDEE2FC9E7941F069493AE57", "FFEDE9E1F1C19DFEDEFE9629AA32D32A", "1817741DDA5499256FAF9CB6B2E652DF",
    "809F8C57233CB2D8F02E3C581F39F38D", "F60FFE6C65EAFB9B9ABACD95C5D7B627", "86E78A026DA5CEC63DCDD2C0F944D7FD",
    "02D6C3B148E50CB7D8B8D777E8756833",
};
constexpr const char* kModulo05[] = {
    "C19C4591C2F9AA923769B945BDE8314F", "5DE4D5F379A5DCE13CADC3242389B41F", "59F521CE148D86DB2FB2E572D427ED68",
    "C0577A30EDB8650FB1FF625B5307C3D7", "126334073539F592BFA63468B3F5695D", "51182CC37ED20002ECB2CCD061BB6057",
};
constexpr const char* kModulo07[] = {
    "CC0828F55FD4CD6010CFE49CAE6388DF", "85048BE120EB21E0F82A65ACC207BC84", "66C38281691501D4A5BFEBB48E6A0B4C",
    "4CA4009E6E54718EA8EF0AF46C401F49", "1BB489BC8F27438D4C7DCE528243A275", "D2F58DF4EAB2E1D4F45A1DE5A2BD8D8B",
    "54FC11AEE8F6CD6C8B06117FDDF06762", "5F75767D3D2F8B4C34571E4162C7698F", "4B0C4FBB8774D2E6CC4EE4A0BDDAC8EF",
};

struct ChaveCertificadora {
    const char* secao;
    const char* const* modulo;
    int pedacos;
};

template <int N> constexpr ChaveCertificadora chave(const char* secao, const char* const (&modulo)[N]) {
    return {secao, modulo, N};
}

const ChaveCertificadora kChavesCertificadoras[] = {
    chave("A00000000301", kModulo01),
    chave("A00000000303", kModulo03),
    chave("A00000000305", kModulo05),
    chave("A00000000307", kModulo07),
};
const QString kExpoente = QStringLiteral("03");

} // namespace

TFrmCfgPinpad::TFrmCfgPinpad(EstadoConsole& estado, QWidget* parent)
    : EditorConfiguracao(estado, parent, TotalMarcas), ui(std::make_unique<Ui::TFrmCfgPinpad>()) {
    ui->setupUi(this);
    layout()->setMenuBar(ui->MenuCfgPinpad);
    configuraEditor(ui->SalvaCfgPinpad);
    ui->GrBoxDirDll->setFocusProxy(ui->EdtDirDll);
    ui->RdGrPPVISA->setItemIndex(0);
    ModificacaoFalse();

    connect(ui->RdGrPinpad, &RadioGroup::clicked, this, &TFrmCfgPinpad::RdGrPinpadClick);
    connect(ui->RdGrPorta, &RadioGroup::clicked, this, &TFrmCfgPinpad::RdGrPortaClick);
    connect(ui->RdGrPPVISA, &RadioGroup::clicked, this, &TFrmCfgPinpad::RdGrPPVISAClick);
    connect(ui->EdtDirDll, &QLineEdit::textChanged, this, &TFrmCfgPinpad::EdtDirDllChange);
    connect(ui->SalvaCfgPinpad, &QAction::triggered, this, &TFrmCfgPinpad::SalvaCfgPinpadClick);
    connect(ui->BtnEncerraPPD, &QPushButton::clicked, this, &TFrmCfgPinpad::BtnEncerraPPDClick);
}

TFrmCfgPinpad::~TFrmCfgPinpad() = default;

QString TFrmCfgPinpad::arquivoPPVISA() const {
    return platform::files::localPath(DirPPVISA + kBarra + kNomePPVISA);
}

void TFrmCfgPinpad::FormActivate() {
    ui->RdGrPinpad->setItemIndex(-1);
    ui->RdGrPorta->setItemIndex(-1);

    DirPPVISA = arquivoConfig().readString(kSecaoPath, kChavePath);
    ui->RdGrPPVISA->setItemIndex(DirPPVISA == kDirWindows ? 1 : DirPPVISA == kDirWinnt ? 2 : 0);

    const platform::ProfileFile ppvisa(arquivoPPVISA());
    const QString driver = ppvisa.readString(kSecaoGeral, kChaveDriver);
    DllPinpad = driver.right(kTamanhoNomeDriver);
    DirDllPinpad = driver.left(driver.size() - DllPinpad.size());
    ui->EdtDirDll->setText(DirDllPinpad.left(DirDllPinpad.size() - 1));

    QString porta;
    for (int i = 0; i < int(std::size(kModelos)); ++i) {
        const ModeloPinpad& modelo = kModelos[i];
        if (DllPinpad != QLatin1String(modelo.driver)) {
            continue;
        }
        ui->RdGrPinpad->setItemIndex(i);
        const QString secao = QString::fromLatin1(modelo.secao);
        porta = modelo.portaComChip ? ppvisa.readString(secao, QStringLiteral("Config")).left(1)
                                    : ppvisa.readString(secao, QStringLiteral("Port"));
        break;
    }

    if (!porta.isEmpty()) {
        int32_t numero = 0;
        if (!platform::numeros::StrToInt(porta, numero, this)) {
            // The load stops here: what it changed so far counts as changed.
            return;
        }
        ui->RdGrPorta->setItemIndex(numero - 1);
    }

    ModificacaoFalse();
    ui->SalvaCfgPinpad->setEnabled(false);
}

void TFrmCfgPinpad::GravaCfgPinpad() {
    const bool mudou = algumaMarca();
    if (mudou) {
        DirDllPinpad = ui->EdtDirDll->text() + kBarra;
        switch (ui->RdGrPPVISA->itemIndex()) {
        case 0:
            DirPPVISA = platform::programdir::directory();
            break;
        case 1:
            DirPPVISA = kDirWindows;
            break;
        case 2:
            DirPPVISA = kDirWinnt;
            break;
        default:
            break;
        }
        arquivoConfig().writeString(kSecaoPath, kChavePath, DirPPVISA);
    }

    platform::ProfileFile ppvisa(arquivoPPVISA());
    const int modelo = ui->RdGrPinpad->itemIndex();
    const int porta = ui->RdGrPorta->itemIndex();
    // Both callers make sure that model and port are chosen before saving.
    if (mudou && modelo >= 0 && porta >= 0) {
        const ModeloPinpad& escolhido = kModelos[modelo];
        DllPinpad = QString::fromLatin1(escolhido.driver);
        ppvisa.writeString(kSecaoGeral, kChaveDriver, DirDllPinpad + DllPinpad);
        ppvisa.writeString(kSecaoGeral, kChaveBin, DirDllPinpad + kArquivoBin);
        const QString digito = QString::number(porta + 1);
        const QString secao = QString::fromLatin1(escolhido.secao);
        if (escolhido.portaComChip) {
            ppvisa.writeString(secao, QStringLiteral("Config"), digito + QStringLiteral("CHIP"));
        } else {
            ppvisa.writeString(secao, QStringLiteral("Port"), digito);
            ppvisa.writeString(secao, QStringLiteral("SAM"), QStringLiteral("1"));
            if (escolhido.velocidade) {
                ppvisa.writeString(secao, QStringLiteral("Speed"), QStringLiteral("19200"));
            }
        }
    }

    for (const Aplicacao& aplicacao : kAplicacoesEMV) {
        ppvisa.writeString(QStringLiteral("EMV"), QString::fromLatin1(aplicacao.chave),
                           QString::fromLatin1(aplicacao.valor));
    }
    for (const ChaveCertificadora& chave : kChavesCertificadoras) {
        const QString secao = QString::fromLatin1(chave.secao);
        for (int i = 0; i < chave.pedacos; ++i) {
            ppvisa.writeString(secao, QStringLiteral("Mod%1").arg(i, 2, 10, QLatin1Char('0')),
                               QString::fromLatin1(chave.modulo[i]));
        }
        ppvisa.writeString(secao, QStringLiteral("Exp"), kExpoente);
    }

    ModificacaoFalse();
    VerificaArquivoPPVISAINI();
}

// Never removes the file just saved, which a program folder that is itself
// the Windows or Winnt folder would otherwise lose.
void TFrmCfgPinpad::removeCopia(const QString& copia) const {
    const QString salvo = QFileInfo(arquivoPPVISA()).canonicalFilePath();
    if (salvo.isEmpty() || QFileInfo(copia).canonicalFilePath() != salvo) {
        platform::files::remove(copia);
    }
}

void TFrmCfgPinpad::VerificaArquivoPPVISAINI() {
    if (DirPPVISA == platform::programdir::directory()) {
        const QString windows = platform::files::localPath(kCopiaWindows);
        const QString winnt = platform::files::localPath(kCopiaWinnt);
        if (platform::files::exists(windows)) {
            removeCopia(windows);
        } else if (platform::files::exists(winnt)) {
            removeCopia(winnt);
        }
    } else if (DirPPVISA == kDirWindows || DirPPVISA == kDirWinnt) {
        const QString local = platform::programdir::filePath(kNomePPVISA);
        if (platform::files::exists(local)) {
            removeCopia(local);
        }
    }
}

bool TFrmCfgPinpad::prontoParaGravar() {
    if (ui->RdGrPinpad->itemIndex() >= 0 && ui->RdGrPorta->itemIndex() >= 0 && !ui->EdtDirDll->text().isEmpty()) {
        return true;
    }
    platform::prompt::showMessage(kConfiguracaoIncompleta, this);
    ui->SalvaCfgPinpad->setEnabled(false);
    ModificacaoFalse();
    return false;
}

void TFrmCfgPinpad::gravaAlteracoes() {
    GravaCfgPinpad();
}

void TFrmCfgPinpad::SalvaCfgPinpadClick() {
    salvaPerguntando();
}

void TFrmCfgPinpad::BtnEncerraPPDClick() {
    encerraPerguntando();
}

void TFrmCfgPinpad::ModificacaoFalse() {
    limpaMarcas();
}

void TFrmCfgPinpad::RdGrPinpadClick() {
    marca(MarcaModelo);
}

void TFrmCfgPinpad::RdGrPortaClick() {
    marca(MarcaPorta);
}

void TFrmCfgPinpad::RdGrPPVISAClick() {
    marca(MarcaDirPPVISA);
}

void TFrmCfgPinpad::EdtDirDllChange() {
    marca(MarcaDirDll);
}
