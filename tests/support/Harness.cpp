#include "Harness.h"

#include "widgets/Modal.h"
#include "platform/ProgramDir.h"
#include "widgets/Prompt.h"

#include <QCoreApplication>
#include <QFile>
#include <fstream>

#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/lsan_interface.h>

namespace {

// Qt's painter blends large images on the global thread pool. Its idle threads
// end during the process's exit, after the pool is gone, and the leak check
// that runs at exit can find a thread's record between its last reference and
// the thread's end: a leak report that comes and goes with timing. Checking
// when the application object goes away, with those threads still parked in
// the pool, finds every leak of the test and the console without that race.
void verificaVazamentos() {
    __lsan_do_leak_check();
}

void agendaVerificacao() {
    qAddPostRoutine(verificaVazamentos);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(agendaVerificacao)
#endif

namespace harness {

void startSeams() {
    platform::prompt::setTestMode(true);
    platform::prompt::reset();
    platform::modal::setTestMode(true);
    platform::modal::reset();
}

QString seamProblems() {
    QStringList problems = platform::prompt::failures() + platform::modal::failures();
    if (const int n = platform::prompt::pendingAnswers()) {
        problems << QStringLiteral("%1 queued box answer(s) never used").arg(n);
    }
    if (const int n = platform::modal::pendingActions()) {
        problems << QStringLiteral("%1 queued window action(s) never used").arg(n);
    }
    return problems.join(QStringLiteral("; "));
}

Simulator::Simulator() {
    logPath_ = dir_.filePath(QStringLiteral("calls.jsonl"));
    qputenv("KAVEX_SIM_LOG", logPath_.toLocal8Bit());
    qputenv("KAVEX_SIM_SCRIPT", QByteArray());
    QString error;
    library_ = LoadedLibrary::load(QStringLiteral(KAVEX_SIM_PATH), error);
    if (!library_) {
        qWarning("cannot load the simulator: %s", qPrintable(error));
    }
}

Simulator::~Simulator() {
    qputenv("KAVEX_SIM_LOG", QByteArray());
    qputenv("KAVEX_SIM_SCRIPT", QByteArray());
}

void Simulator::script(const nlohmann::json& answers) {
    const QString path = dir_.filePath(QStringLiteral("script%1.json").arg(++scripts_));
    writeFile(path, QByteArray::fromStdString(answers.dump()));
    qputenv("KAVEX_SIM_SCRIPT", path.toLocal8Bit());
}

void Simulator::clearScript() {
    qputenv("KAVEX_SIM_SCRIPT", QByteArray());
}

std::vector<nlohmann::json> Simulator::calls() const {
    std::vector<nlohmann::json> result;
    std::ifstream in(logPath_.toStdString());
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty()) {
            result.push_back(nlohmann::json::parse(line));
        }
    }
    return result;
}

std::vector<nlohmann::json> Simulator::calls(const std::string& function) const {
    std::vector<nlohmann::json> result;
    for (const nlohmann::json& c : calls()) {
        if (c.value("fn", std::string()) == function) {
            result.push_back(c);
        }
    }
    return result;
}

void Simulator::clearLog() {
    QFile::remove(logPath_);
}

Console::Console() {
    startSeams();
    platform::programdir::setDirectory(programDir_.path());
    platform::programdir::setDriveRoot(programDir_.path());
    window_ = std::make_unique<TFrmtesteCliKavex32I>(simulator_.library());
    window_->show();
}

Console::~Console() = default;

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace harness
