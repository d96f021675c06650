#include "script.h"

#include "kavexsim_codes.h"
#include "library/kavex_datahora.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace kavexsim {

namespace {

enum class Kind { Int32, Int16, Text };

struct Signature {
    const char* name;
    Kind result;
    std::vector<std::pair<const char*, Kind>> outputs;
};

// What a script may say for each exported function.
const std::vector<Signature>& signatures() {
    static const std::vector<Signature> table = {
        {"ConfiguraIntKavexInterativo", Kind::Int32, {}},
        {"IniciaFuncaoKavexInterativo", Kind::Int32, {}},
        {"IniciaFuncaoAAKavexInterativo", Kind::Int32, {}},
        {"CorrespondenteBancarioKavexInterativo", Kind::Int32, {}},
        {"ContinuaFuncaoKavexInterativo",
         Kind::Int32,
         {{"command", Kind::Int32},
          {"fieldType", Kind::Int32},
          {"min", Kind::Int16},
          {"max", Kind::Int16},
          {"text", Kind::Text}}},
        {"FinalizaTransacaoKavexInterativo", Kind::Int32, {}},
        {"FinalizaFuncaoKavexInterativo", Kind::Int32, {}},
        {"FinalizaTransacaoIdentificadaKavex", Kind::Int32, {}},
        {"VerificaPresencaPinPad", Kind::Int32, {}},
        {"LeCartaoInterativo", Kind::Int32, {}},
        {"LeTrilha3", Kind::Int32, {}},
        {"LeCartaoDireto", Kind::Int32, {{"track1", Kind::Text}, {"track2", Kind::Text}}},
        {"LeCartaoDiretoEx", Kind::Int32, {{"track1", Kind::Text}, {"track2", Kind::Text}}},
        {"InterrompeLeCartaoDireto", Kind::Int32, {}},
        {"EscreveMensagemPermanentePinPad", Kind::Int32, {}},
        {"LeSenhaInterativo", Kind::Int32, {}},
        {"LeSenhaDireto", Kind::Int32, {{"pin", Kind::Text}}},
        {"LeSimNaoPinPad", Kind::Int32, {}},
        {"ValidaCampoCodigoEmBarras", Kind::Int16, {{"type", Kind::Int16}}},
        {"IniciaFuncaoKavexInterativoConsultaPBM", Kind::Int32, {{"authorization", Kind::Text}}},
        {"IniciaFuncaoKavexInterativoConsultaVidalink", Kind::Int32, {}},
        {"IniciaFuncaoKavexInterativoVendaVidalink", Kind::Int32, {}},
        {"InformaProdutoVendaVidalink", Kind::Int32, {}},
        {"IniciaFuncaoKavexInterativoCancelamentoVidalink", Kind::Int32, {}},
        {"InformaProdutoCancelamentoVidalink", Kind::Int32, {}},
        {"EnviaRecebeKavexDireto", Kind::Int32, {{"reply", Kind::Text}, {"responseCode", Kind::Int16}}},
    };
    return table;
}

const Signature* findSignature(const std::string& name) {
    for (const auto& s : signatures()) {
        if (name == s.name)
            return &s;
    }
    return nullptr;
}

struct ScriptError {
    std::string reason;
};

// Returns a description of what is wrong with the value, or an empty string.
std::string checkValue(const Json& value, Kind kind) {
    if (kind == Kind::Text)
        return value.is_string() ? "" : "expected a text";
    const long long low =
        kind == Kind::Int16 ? std::numeric_limits<int16_t>::min() : std::numeric_limits<int32_t>::min();
    const long long high =
        kind == Kind::Int16 ? std::numeric_limits<int16_t>::max() : std::numeric_limits<int32_t>::max();
    const std::string expected = "expected a whole number from " + std::to_string(low) + " to " + std::to_string(high);
    if (value.is_number_unsigned())
        return value.get<unsigned long long>() <= static_cast<unsigned long long>(high) ? "" : expected;
    if (value.is_number_integer()) {
        const auto n = value.get<long long>();
        return n >= low && n <= high ? "" : expected;
    }
    return expected;
}

// One queued answer and the number of calls it still answers.
struct Queued {
    Json answer;
    long long remaining = 1;
};
using Queues = std::map<std::string, std::deque<Queued>>;

// Outputs of a call log line ("out") under the names a script uses.
Json answerFromLog(const Signature& sig, const Json& line) {
    Json answer{{"return", line.at("ret")}};
    const auto out = line.find("out");
    if (out == line.end() || !out->is_object())
        return answer;
    for (const auto& [key, value] : out->items()) {
        const std::string name = key == "buffer" ? "text" : key;
        if (value.is_null())
            continue; // a null pointer: nothing was written
        for (const auto& [outName, outKind] : sig.outputs) {
            if (name == outName)
                answer[name] = value;
        }
    }
    return answer;
}

// One call of a recording: what was sent and what it answered.
struct Recorded {
    std::string function;
    Json args;
    Json answer;
};
using Recording = std::vector<Recorded>;

// A call log written by KAVEX_SIM_LOG or the console's --record: one JSON
// object per line, played back in its order.
Recording parseLog(const std::string& content) {
    Recording recording;
    std::istringstream lines(content);
    std::size_t number = 0;
    for (std::string text; std::getline(lines, text);) {
        ++number;
        if (text.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        const Json line = Json::parse(text, nullptr, /*allow_exceptions=*/false);
        const std::string where = "log line " + std::to_string(number);
        if (line.is_discarded() || !line.is_object() || !line.contains("fn") || !line["fn"].is_string())
            throw ScriptError{where + ": not a call"};
        if (line["fn"] == "script" || line["fn"] == "crash" || line["fn"] == "playback")
            continue; // a note about an earlier script, a crash or playback, not a call
        const Signature* sig = findSignature(line["fn"].get<std::string>());
        if (!sig)
            throw ScriptError{where + ": unknown function"};
        if (!line.contains("ret") || !checkValue(line["ret"], sig->result).empty())
            throw ScriptError{where + ": no usable \"ret\""};
        Json answer = answerFromLog(*sig, line);
        for (const auto& [key, value] : answer.items()) {
            if (key == "return")
                continue;
            for (const auto& [outName, outKind] : sig->outputs) {
                if (key == outName && !checkValue(value, outKind).empty())
                    throw ScriptError{where + ": output \"" + key + "\" out of range"};
            }
        }
        const Json args = line.value("args", Json::array());
        if (!args.is_array())
            throw ScriptError{where + ": \"args\" is not a list"};
        recording.push_back({sig->name, args, std::move(answer)});
    }
    return recording;
}

bool looksLikeLog(const std::string& content) {
    const Json first = Json::parse(content.substr(0, content.find('\n')), nullptr, /*allow_exceptions=*/false);
    return !first.is_discarded() && first.is_object() && first.contains("fn");
}

struct Parsed {
    Queues queues;
    std::optional<Recording> recording;
};

Parsed parseScript(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw ScriptError{"cannot open the file"};
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad())
        throw ScriptError{"cannot read the file"};

    const Json root = Json::parse(content.str(), nullptr, /*allow_exceptions=*/false);
    // A call log has one object with "fn" per line: as a whole it is not one
    // JSON value, unless it holds a single call.
    if (root.is_discarded() || (root.is_object() && root.contains("fn"))) {
        if (looksLikeLog(content.str()))
            return {{}, parseLog(content.str())};
        throw ScriptError{"not valid JSON"};
    }
    if (!root.is_object())
        throw ScriptError{"the top level must be an object of function names"};

    Queues queues;
    for (const auto& [name, queue] : root.items()) {
        const Signature* sig = findSignature(name);
        if (!sig)
            throw ScriptError{"unknown function \"" + name + "\""};
        if (!queue.is_array())
            throw ScriptError{name + ": expected an array of answers"};
        auto& answers = queues[name];
        for (std::size_t i = 0; i < queue.size(); ++i) {
            const Json& answer = queue[i];
            const std::string where = name + "[" + std::to_string(i) + "]";
            if (answer.is_number()) {
                if (auto why = checkValue(answer, sig->result); !why.empty())
                    throw ScriptError{where + ": " + why};
                answers.push_back({Json{{"return", answer}}, 1});
                continue;
            }
            if (!answer.is_object())
                throw ScriptError{where + ": expected a number or an object"};
            long long repeat = 1;
            Json outputs = answer;
            if (auto it = answer.find("repeat"); it != answer.end()) {
                if (!checkValue(*it, Kind::Int32).empty() || it->get<long long>() < 1)
                    throw ScriptError{where + ".repeat: expected a whole number from 1 to 2147483647"};
                repeat = it->get<long long>();
                outputs.erase("repeat");
            }
            for (const auto& [key, value] : outputs.items()) {
                Kind kind = sig->result;
                if (key != "return") {
                    bool known = false;
                    for (const auto& [outName, outKind] : sig->outputs) {
                        if (key == outName) {
                            kind = outKind;
                            known = true;
                        }
                    }
                    if (!known)
                        throw ScriptError{where + ": unknown key \"" + key + "\""};
                }
                if (auto why = checkValue(value, kind); !why.empty())
                    throw ScriptError{where + "." + key + ": " + why};
            }
            answers.push_back({std::move(outputs), repeat});
        }
    }
    return {std::move(queues), std::nullopt};
}

struct ScriptState {
    std::string path; // value of KAVEX_SIM_SCRIPT when last looked at
    bool broken = false;
    Queues queues;
    std::optional<Recording> recording;
    std::size_t played = 0; // calls of the recording answered
    bool departed = false;
};

ScriptState& state() {
    static ScriptState s;
    return s;
}

std::string envValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

void refreshScript() {
    ScriptState& s = state();
    const std::string path = envValue(KAVEXSIM_ENV_SCRIPT);
    if (path == s.path)
        return;
    s.path = path;
    s.broken = false;
    s.queues.clear();
    s.recording.reset();
    s.played = 0;
    s.departed = false;
    if (path.empty())
        return;
    try {
        Parsed parsed = parseScript(path);
        s.queues = std::move(parsed.queues);
        s.recording = std::move(parsed.recording);
    } catch (const ScriptError& e) {
        s.broken = true;
        std::fprintf(stderr, "kavexsim: script %s: %s\n", path.c_str(), e.reason.c_str());
        LogLine line;
        line["fn"] = "script";
        line["path"] = path;
        line["error"] = e.reason;
        writeLog(line);
    }
}

// A recorded text and the one sent now: the same, but where the recording
// masked a digit ("*"), any digit.
bool sameText(const std::string& recorded, const std::string& sent) {
    if (recorded.size() != sent.size())
        return false;
    for (std::size_t i = 0; i < recorded.size(); ++i) {
        const bool masked = recorded[i] == '*' && sent[i] >= '0' && sent[i] <= '9';
        if (recorded[i] != sent[i] && !masked)
            return false;
    }
    return true;
}

// Characters of a UTF-8 text: the bytes it takes in Windows-1252.
std::size_t characters(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// A loop buffer the library filled to its end without a zero byte comes
// back from the playback one character shorter: outputs are always written
// with their zero byte.
bool sameLoopBuffer(const std::string& recorded, const std::string& sent, const Json& size) {
    return size.is_number() && recorded.size() > sent.size() && characters(recorded) >= size.get<std::size_t>() &&
           sameText(recorded.substr(0, sent.size()), sent);
}

// The first argument that differs, counted from 1, or 0; the fiscal date
// and time, which every run sends anew, are not compared.
std::size_t firstDifference(const std::string& function, const Json& recorded, const Json& sent) {
    const std::size_t count = std::max(recorded.size(), sent.size());
    for (std::size_t i = 0; i < count; ++i) {
        if (kavexArgumentoDataHora(function.c_str(), static_cast<int>(i)))
            continue;
        const Json& a = i < recorded.size() ? recorded[i] : Json();
        const Json& b = i < sent.size() ? sent[i] : Json();
        bool same = a == b;
        if (a.is_string() && b.is_string()) {
            const auto& ta = a.get_ref<const std::string&>();
            const auto& tb = b.get_ref<const std::string&>();
            same = sameText(ta, tb) || (function == "ContinuaFuncaoKavexInterativo" && i == 0 && recorded.size() > 1 &&
                                        sameLoopBuffer(ta, tb, recorded[1]));
        }
        if (!same)
            return i + 1;
    }
    return 0;
}

// A value as a departure names it, cut short.
std::string shown(const Json& args, std::size_t n) {
    if (n > args.size())
        return "(nada)";
    constexpr std::size_t kMostrado = 80;
    const std::string text = args[n - 1].dump(-1, ' ', false, Json::error_handler_t::replace);
    return text.size() > kMostrado ? text.substr(0, kMostrado) + "..." : text;
}

// The playback stops at the first call that is not the recorded one: this
// call and every later one answer KAVEXSIM_PLAYBACK_DEPARTED, and the
// reason goes to standard error and to the log.
Lookup depart(ScriptState& s, const std::string& reason) {
    s.departed = true;
    const std::string message = "chamada " + std::to_string(s.played + 1) + " " + reason;
    std::fprintf(stderr, "kavexsim: reprodução de %s: %s\n", s.path.c_str(), message.c_str());
    LogLine line;
    line["fn"] = "playback";
    line["path"] = s.path;
    line["error"] = message;
    writeLog(line);
    Lookup lookup;
    lookup.error = KAVEXSIM_PLAYBACK_DEPARTED;
    return lookup;
}

Lookup playBack(ScriptState& s, const std::string& function, const Json& args) {
    if (s.departed) {
        Lookup lookup;
        lookup.error = KAVEXSIM_PLAYBACK_DEPARTED;
        return lookup;
    }
    if (s.played >= s.recording->size()) {
        if (envValue(KAVEXSIM_ENV_AFTER_RECORDING) == "1")
            return {};
        return depart(s, "(" + function + "): a gravação terminou");
    }
    const Recorded& recorded = (*s.recording)[s.played];
    if (recorded.function != function)
        return depart(s, "(" + function + "): a gravação tem " + recorded.function);
    if (const std::size_t n = firstDifference(function, recorded.args, args)) {
        return depart(s, "(" + function + "): o argumento " + std::to_string(n) + " difere: gravado " +
                             shown(recorded.args, n) + ", enviado " + shown(args, n));
    }
    ++s.played;
    Lookup lookup;
    lookup.answer = recorded.answer;
    return lookup;
}

} // namespace

std::mutex& callMutex() {
    static std::mutex m;
    return m;
}

Lookup nextAnswer(const char* function, const LogLine& args) {
    refreshScript();
    ScriptState& s = state();
    Lookup lookup;
    if (s.broken) {
        lookup.error = KAVEXSIM_SCRIPT_ERROR;
        return lookup;
    }
    if (s.recording)
        return playBack(s, function, Json(args));
    auto it = s.queues.find(function);
    if (it != s.queues.end() && !it->second.empty()) {
        Queued& next = it->second.front();
        if (--next.remaining > 0) {
            lookup.answer = next.answer;
        } else {
            lookup.answer = std::move(next.answer);
            it->second.pop_front();
        }
    }
    return lookup;
}

void writeLog(const LogLine& line) noexcept {
    try {
        const std::string path = envValue(KAVEXSIM_ENV_LOG);
        if (path.empty())
            return;
        // Texts were decoded to valid UTF-8, but never let a stray byte cost the line.
        const std::string text = line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
        // Opened and closed per call so a reader sees every line as soon as the call returns.
        if (std::FILE* f = std::fopen(path.c_str(), "ab")) {
            std::fwrite(text.data(), 1, text.size(), f);
            std::fclose(f);
        }
    } catch (...) {
        // A log that cannot be written must not change the call's result.
    }
}

} // namespace kavexsim
