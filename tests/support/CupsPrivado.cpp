#include "CupsPrivado.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <cups/cups.h>
#include <unistd.h>

namespace harness {

namespace {

const char* const kVariaveis[] = {"CUPS_SERVER", "HOME", "CUPS_SERVERROOT", "PRINTER"};

// Appends the job (its file, or standard input) to the path of the device
// URI "capture:<path>". Without arguments CUPS asks which devices it offers.
const char kBackend[] = "#!/bin/sh\n"
                        "[ $# -eq 0 ] && { echo 'direct capture \"Unknown\" \"Capture\"'; exit 0; }\n"
                        "if [ -n \"$6\" ]; then cat \"$6\"; else cat; fi >> \"${DEVICE_URI#capture:}\"\n";

// Runs cupsd for the test, and outlives the test if need be: the test holds
// this script's standard input open while it lives, and its end (however the
// test ended) stops the server and removes the folder. TERM only stops the
// server.
const char kGuardiao[] = "dir=$1; shift\n"
                         "/usr/sbin/cupsd \"$@\" &\n"
                         "cupsd=$!\n"
                         "trap 'kill -TERM $cupsd 2>/dev/null; wait $cupsd; exit 0' TERM\n"
                         "exec 3<&0\n"
                         "( cat <&3 >/dev/null\n"
                         "  kill -TERM $cupsd 2>/dev/null\n"
                         "  while kill -0 $cupsd 2>/dev/null; do sleep 0.1; done\n"
                         "  rm -rf \"$dir\" ) &\n"
                         "wait $cupsd\n";

bool escreve(const QString& caminho, const QByteArray& conteudo, QFileDevice::Permissions permissoes) {
    QFile f(caminho);
    return f.open(QIODevice::WriteOnly) && f.write(conteudo) == conteudo.size() && f.setPermissions(permissoes);
}

constexpr QFileDevice::Permissions kLeitura =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
constexpr QFileDevice::Permissions kExecucao =
    kLeitura | QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
constexpr QFileDevice::Permissions kTodos = kExecucao | QFileDevice::WriteGroup | QFileDevice::WriteOther;

bool respondendo(const QByteArray& soquete) {
    http_t* http = httpConnect2(soquete.constData(), 0, nullptr, AF_UNSPEC, HTTP_ENCRYPTION_NEVER, 1, 500, nullptr);
    if (!http) {
        return false;
    }
    httpClose(http);
    return true;
}

} // namespace

CupsPrivado::CupsPrivado(const QList<Fila>& filas) {
    for (int i = 0; i < 4; ++i) {
        ambienteAnterior_[i] = qgetenv(kVariaveis[i]);
    }
    erro_ = prepara(filas);
    if (!erro_.isEmpty()) {
        return;
    }
    cupsd_.setProcessChannelMode(QProcess::MergedChannels);
    cupsd_.start(QStringLiteral("/bin/sh"),
                 {QStringLiteral("-c"), QString::fromLatin1(kGuardiao), QStringLiteral("guardiao"), dir_.path(),
                  QStringLiteral("-f"), QStringLiteral("-c"), caminho(QStringLiteral("cupsd.conf")),
                  QStringLiteral("-s"), caminho(QStringLiteral("cups-files.conf"))});
    if (!cupsd_.waitForStarted(5000)) {
        erro_ = QStringLiteral("cupsd não iniciou: ") + cupsd_.errorString();
        return;
    }
    // From here on the script removes the folder, and nothing else may.
    dir_.setAutoRemove(false);
    const QByteArray soquete = QFile::encodeName(caminho(QStringLiteral("cups.sock")));
    if (!QTest::qWaitFor([&] { return cupsd_.state() != QProcess::Running || respondendo(soquete); }, 10000) ||
        cupsd_.state() != QProcess::Running) {
        erro_ = QStringLiteral("cupsd não respondeu: ") + QString::fromLocal8Bit(cupsd_.readAll()) + registro();
        return;
    }
    qputenv("CUPS_SERVER", soquete);
    qputenv("HOME", QFile::encodeName(dir_.path()));
    qputenv("CUPS_SERVERROOT", QFile::encodeName(caminho(QStringLiteral("root"))));
    qunsetenv("PRINTER");
}

CupsPrivado::~CupsPrivado() {
    cupsd_.closeWriteChannel();
    para();
    if (!dir_.autoRemove()) {
        // The next test must not meet this one's server or files.
        if (!QTest::qWaitFor([this] { return !QFileInfo::exists(dir_.path()); }, 10000)) {
            qWarning("the private print server's folder %s is still there", qPrintable(dir_.path()));
        }
    }
    for (int i = 0; i < 4; ++i) {
        if (ambienteAnterior_[i].isNull()) {
            qunsetenv(kVariaveis[i]);
        } else {
            qputenv(kVariaveis[i], ambienteAnterior_[i]);
        }
    }
}

void CupsPrivado::para() {
    if (cupsd_.state() != QProcess::NotRunning) {
        cupsd_.terminate();
        if (!cupsd_.waitForFinished(5000)) {
            cupsd_.kill();
            cupsd_.waitForFinished(5000);
        }
    }
}

QByteArray CupsPrivado::recebido(const QString& fila) const {
    QFile f(caminho(QStringLiteral("saida/") + fila));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString CupsPrivado::registro() const {
    QFile f(caminho(QStringLiteral("log/error_log")));
    return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()) : QString();
}

QString CupsPrivado::prepara(const QList<Fila>& filas) {
    if (geteuid() != 0) {
        return QStringLiteral("cupsd precisa ser iniciado como root");
    }
    if (!QFile::exists(QStringLiteral("/usr/sbin/cupsd"))) {
        return QStringLiteral("cupsd não está instalado");
    }
    if (!dir_.isValid()) {
        return QStringLiteral("pasta temporária indisponível");
    }
    // The server drops to the lp user for backends: it must reach the folders.
    QFile::setPermissions(dir_.path(), kExecucao);
    QDir d(dir_.path());
    for (const char* pasta : {"root", "bin", "bin/backend", "spool", "spool/tmp", "cache", "state", "log", "saida"}) {
        d.mkpath(QString::fromLatin1(pasta));
    }
    QFile::setPermissions(caminho(QStringLiteral("saida")), kTodos);
    QFile::setPermissions(caminho(QStringLiteral("spool/tmp")), kTodos);
    QFile::link(QStringLiteral("/usr/lib/cups/daemon"), caminho(QStringLiteral("bin/daemon")));

    const QString raiz = dir_.path();
    const QByteArray cupsdConf = QStringLiteral("Listen %1/cups.sock\n"
                                                "LogLevel warn\n"
                                                "Browsing No\n"
                                                "WebInterface No\n"
                                                "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                                "<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                                                "  </Limit>\n</Policy>\n")
                                     .arg(raiz)
                                     .toUtf8();
    const QByteArray arquivosConf = QStringLiteral("User lp\nGroup lp\n"
                                                   "ServerRoot %1/root\nServerBin %1/bin\n"
                                                   "RequestRoot %1/spool\nTempDir %1/spool/tmp\n"
                                                   "CacheDir %1/cache\nStateDir %1/state\n"
                                                   "AccessLog %1/log/access_log\nErrorLog %1/log/error_log\n"
                                                   "PageLog %1/log/page_log\nFileDevice No\n")
                                        .arg(raiz)
                                        .toUtf8();
    QByteArray impressoras;
    for (const Fila& fila : filas) {
        const QByteArray nome = fila.nome.toUtf8();
        const QByteArray marca = fila.padrao ? "DefaultPrinter" : "Printer";
        impressoras += "<" + marca + " " + nome +
                       ">\nDeviceURI capture:" + QFile::encodeName(caminho(QStringLiteral("saida/") + fila.nome)) +
                       "\nState Idle\nAccepting " + (fila.aceita ? "Yes" : "No") + "\nShared No\n</" + marca + ">\n";
    }
    if (!escreve(caminho(QStringLiteral("cupsd.conf")), cupsdConf, kLeitura) ||
        !escreve(caminho(QStringLiteral("cups-files.conf")), arquivosConf, kLeitura) ||
        !escreve(caminho(QStringLiteral("root/printers.conf")), impressoras, kLeitura) ||
        !escreve(caminho(QStringLiteral("bin/backend/capture")), kBackend, kExecucao)) {
        return QStringLiteral("não foi possível escrever a configuração do cupsd");
    }
    return {};
}

} // namespace harness
