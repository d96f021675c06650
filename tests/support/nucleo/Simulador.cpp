#include "nucleo/Simulador.h"

#include <QFile>
#include <fstream>

namespace harness {

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

nlohmann::json Simulator::callsMade() const {
    nlohmann::json made = nlohmann::json::array();
    for (const nlohmann::json& c : calls()) {
        made.push_back(call(c["fn"].get<std::string>().c_str(), c["args"]));
    }
    return made;
}

void Simulator::clearLog() {
    QFile::remove(logPath_);
}

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
