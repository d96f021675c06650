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
    // The current script is unusable; the call must answer KAVEXSIM_SCRIPT_ERROR.
    bool broken = false;
    // Next scripted answer for the function, always an object (a bare number
    // becomes {"return": n}); empty when the built-in behaviour answers.
    std::optional<Json> answer;
};

// Picks up a change of KAVEX_SIM_SCRIPT (reloading and validating the file)
// and pops the function's next answer. Caller holds callMutex().
Lookup nextAnswer(const char* function);

// Appends one line to the file named by KAVEX_SIM_LOG, if any. Never throws.
void writeLog(const LogLine& line) noexcept;

} // namespace kavexsim
