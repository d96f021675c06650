#pragma once

// Shared test harness: the seams in test mode, the simulator with its call log
// and scripts, and a console made of the real windows.

#include "app/Main.h"
#include "nucleo/Simulador.h"

#include <QTemporaryDir>
#include <QTest>
#include <nlohmann/json.hpp>

#include <memory>
#include <vector>

namespace harness {

// Puts the prompt façade and the modal seam in test mode with empty queues.
void startSeams();
// What went wrong in the seams: unexpected or left-open windows and boxes,
// queued answers and actions never used. Empty when all went as queued.
QString seamProblems();

// Call it at the end of a test case (or in cleanup()).
#define KAVEX_VERIFY_SEAMS()                                                                                           \
    do {                                                                                                               \
        const QString problemas_ = harness::seamProblems();                                                            \
        QVERIFY2(problemas_.isEmpty(), qPrintable(problemas_));                                                        \
    } while (false)

// The whole console on the simulator, its files in a temporary program folder.
class Console {
public:
    Console();
    ~Console();
    TFrmtesteCliKavex32I& window() { return *window_; }
    Simulator& simulator() { return simulator_; }
    EstadoConsole& estado() { return window_->estado(); }
    QString folder() const { return programDir_.path(); }
    QString file(const QString& name) const { return programDir_.filePath(name); }

    template <class T> T* find(const char* name) { return window_->findChild<T*>(QString::fromLatin1(name)); }

private:
    QTemporaryDir programDir_;
    Simulator simulator_;
    std::unique_ptr<TFrmtesteCliKavex32I> window_;
};

} // namespace harness
