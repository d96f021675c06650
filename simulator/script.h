// The simulator's per-process state: the call log and the scripted answers.
#pragma once

#include <nlohmann/json.hpp>

#include <mutex>
#include <optional>

namespace kavexsim {

using Json = nlohmann::json;
using LogLine = nlohmann::ordered_json;

// Serialises calls: a test may drive the library from several threads, and
// the queues and the log file are shared.
std::mutex& callMutex();

struct Lookup {
    // Not 0: the call answers this and nothing else (KAVEXSIM_SCRIPT_ERROR:
    // the script is unusable; KAVEXSIM_PLAYBACK_DEPARTED: the calls departed
    // from the recording played back).
    int error = 0;
    // Next scripted answer for the function, always an object (a bare number
    // becomes {"return": n}); empty when the built-in behaviour answers.
    std::optional<Json> answer;
};

// Picks up a change of KAVEX_SIM_SCRIPT (reloading and validating the file)
// and pops the function's next answer. A recording played back answers in
// its own order, each call checked against the recorded one (`args` as the
// log writes them). Caller holds callMutex().
Lookup nextAnswer(const char* function, const LogLine& args);

// Appends one line to the file named by KAVEX_SIM_LOG, if any. Never throws.
void writeLog(const LogLine& line) noexcept;

} // namespace kavexsim
