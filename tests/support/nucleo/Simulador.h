#pragma once

// What tests below the windows share: the simulator loaded in this process
// with its call log and scripts, JSON comparison, and file helpers. Needs
// nothing but Qt Core.

#include "library/LoadedLibrary.h"

#include <QTemporaryDir>
#include <QTest>
#include <nlohmann/json.hpp>

#include <memory>
#include <vector>

namespace harness {

// Compares two JSON values, showing both as text when they differ.
#define KAVEX_COMPARE_JSON(actual, expected)                                                                           \
    QCOMPARE(QString::fromStdString(nlohmann::json(actual).dump()),                                                    \
             QString::fromStdString(nlohmann::json(expected).dump()))

// The simulator loaded in this process, with a private call log. Scripts are
// written to new files, so each one starts with full queues.
class Simulator {
public:
    Simulator();
    ~Simulator();
    bool ok() const { return library_ != nullptr; }
    LoadedLibrary& library() { return *library_; }

    void script(const nlohmann::json& answers);
    void clearScript();
    // Every call logged so far, or only those of one function.
    std::vector<nlohmann::json> calls() const;
    std::vector<nlohmann::json> calls(const std::string& function) const;
    // Every call logged so far, reduced to its function and arguments.
    nlohmann::json callsMade() const;
    void clearLog();
    QString folder() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QString logPath_;
    int scripts_ = 0;
    std::unique_ptr<LoadedLibrary> library_;
};

// One call as the simulator logs it: the function and its arguments.
inline nlohmann::json call(const char* function, nlohmann::json arguments) {
    return {{"fn", function}, {"args", std::move(arguments)}};
}

// Writes `bytes` to `path`, replacing it.
void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

} // namespace harness
