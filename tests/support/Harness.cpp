#include "Harness.h"

#include "platform/ProgramDir.h"
#include "widgets/Modal.h"
#include "widgets/Prompt.h"

#include <QCoreApplication>

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

Console::Console() {
    startSeams();
    platform::programdir::setDirectory(programDir_.path());
    platform::programdir::setDriveRoot(programDir_.path());
    window_ = std::make_unique<TFrmtesteCliKavex32I>(simulator_.library());
    window_->show();
}

Console::~Console() = default;

} // namespace harness
