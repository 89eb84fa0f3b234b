#include "tools/switchsim/Control.h"

#include <algorithm>
#include <cstdlib>

namespace switchsim {

namespace {

bool ParseNumber(const std::string& text, int low, int high, int& out) {
    char* end = nullptr;
    long v = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end || v < low || v > high) return false;
    out = static_cast<int>(v);
    return true;
}

// The rest of `line` after its first `count` words, as written (quotes kept).
std::string RestAfterWords(const std::string& line, int count) {
    size_t i = 0;
    for (int k = 0; k < count; ++k) {
        i = line.find_first_not_of(" \t", i);
        if (i == std::string::npos) return "";
        i = line.find_first_of(" \t", i);
        if (i == std::string::npos) return "";
    }
    return line.substr(i);
}

std::string StartSetting(Agent& agent, const std::vector<std::string>& w) {
    Config& c = agent.config;
    const std::string& key = w[0];
    static const char* const settings[] = {"model",       "log",  "read-community", "write-community",
                                           "engine-id",   "port", "control-port",   "save-time",
                                           "reboot-time", "user", "scan-step"};
    if (std::find(std::begin(settings), std::end(settings), key) == std::end(settings)) return "";
    if (w.size() < 2) return "error " + key + " needs a value";
    if (key == "model") c.model = w[1];
    else if (key == "log") c.logPath = w[1] == "off" ? "" : w[1];
    else if (key == "read-community") c.readCommunity = w[1];
    else if (key == "write-community") c.writeCommunity = w[1];
    else if (key == "engine-id") c.engineId = w[1];
    else if (key == "port" || key == "control-port" || key == "save-time" || key == "reboot-time" ||
             key == "scan-step") {
        int n = 0;
        const bool port = key == "port" || key == "control-port";
        if (!ParseNumber(w[1], 0, port ? 65535 : 3600000, n)) return "error bad number for " + key;
        (key == "port"           ? c.port
         : key == "control-port" ? c.controlPort
         : key == "save-time"    ? c.saveMs
         : key == "scan-step"    ? c.scanStepMs
                                 : c.rebootMs) = n;
    } else if (key == "user") {
        User u;
        u.name = w[1];
        if (w.size() >= 4) {
            u.auth = w[2];
            u.authPass = w[3];
            if (u.auth != "md5" && u.auth != "sha") return "error user authentication must be md5 or sha";
        }
        if (w.size() >= 6) {
            u.priv = w[4];
            u.privPass = w[5];
            if (u.priv != "des") return "error user privacy must be des";
        }
        if (w.size() != 2 && w.size() != 4 && w.size() != 6) return "error user NAME [md5|sha PASS [des PASS]]";
        if ((!u.authPass.empty() && u.authPass.size() < 8) || (!u.privPass.empty() && u.privPass.size() < 8))
            return "error pass phrases need at least 8 characters";
        c.users.push_back(u);
    }
    return "ok";
}

}  // namespace

std::string ApplyCommand(Agent& agent, const std::string& line, bool starting) {
    std::vector<std::string> w;
    std::string error;
    if (!SplitWords(line, w, error)) return "error " + error;
    if (w.empty()) return "ok";
    const std::string& key = w[0];
    Faults& f = agent.faults;

    if (std::string r = StartSetting(agent, w); !r.empty()) {
        if (!starting) return "error " + key + " can be set only at start";
        return r;
    }
    if (key == "ping") return "ok";
    if (key == "set") {
        if (w.size() < 3 || !ParseOid(w[1])) return "error set OID TYPE VALUE";
        if (!agent.model.ApplyLine(RestAfterWords(line, 1), ".", error)) return "error " + error;
        return "ok";
    }
    if (key == "get") {
        auto o = w.size() == 2 ? ParseOid(w[1]) : std::nullopt;
        if (!o) return "error get OID";
        auto it = agent.model.objects.find(*o);
        if (it == agent.model.objects.end()) return "error no such object";
        return "ok " + TypeName(it->second.type) + " " + FormatValue(it->second);
    }
    if (key == "del") {
        auto o = w.size() == 2 ? ParseOid(w[1]) : std::nullopt;
        if (!o) return "error del OID";
        auto& objects = agent.model.objects;
        size_t removed = 0;
        for (auto it = objects.lower_bound(*o); it != objects.end() && HasPrefix(it->first, *o); ++removed)
            it = objects.erase(it);
        return "ok " + std::to_string(removed);
    }
    if (key == "readonly" || key == "noaccess" || key == "rowstatus" || key == "entrystatus" || key == "rowdefault" ||
        key == "rowindex" || key == "values" || key == "size") {
        if (!agent.model.ApplyLine(line, ".", error)) return "error " + error;
        return "ok";
    }
    if (key == "delay") {
        if (w.size() != 2 || !ParseNumber(w[1], 0, 600000, f.delayMs)) return "error delay MS";
        return "ok";
    }
    if (key == "pending") {
        if (w.size() != 1) return "error pending";
        return "ok " + std::to_string(agent.PendingAnswers());
    }
    if (key == "silence") {
        if (w.size() != 2) return "error silence all|off|OID";
        if (w[1] == "all") f.silentAll = true;
        else if (w[1] == "off") {
            f.silentAll = false;
            f.silentPrefixes.clear();
        } else if (auto o = ParseOid(w[1])) f.silentPrefixes.push_back(*o);
        else return "error silence all|off|OID";
        return "ok";
    }
    if (key == "error") {
        auto o = w.size() == 3 ? ParseOid(w[1]) : std::nullopt;
        if (!o) return "error error OID STATUS|off";
        std::erase_if(f.errors, [&](const auto& e) { return e.first == *o; });
        if (w[2] == "off") return "ok";
        auto status = ParseErrorStatus(w[2]);
        if (!status || *status == 0) return "error unknown error status " + w[2];
        f.errors.emplace_back(*o, *status);
        return "ok";
    }
    if (key == "serve") {
        auto o = w.size() >= 3 ? ParseOid(w[1]) : std::nullopt;
        if (!o) return "error serve OID TYPE VALUE|off";
        if (w[2] == "off") {
            f.served.erase(*o);
            return "ok";
        }
        if (w[2].size() != 1 || w.size() > 4) return "error serve OID TYPE VALUE|off";
        auto v = ParseValue(w[2][0], w.size() == 4 ? w[3] : "", error);
        if (!v) return "error " + error;
        f.served[*o] = *v;
        return "ok";
    }
    if (key == "loop") {
        if (w.size() != 2) return "error loop OID|off";
        if (w[1] == "off") f.loops.clear();
        else if (auto o = ParseOid(w[1])) f.loops.push_back(*o);
        else return "error loop OID|off";
        return "ok";
    }
    if (key == "drop") {
        if (w.size() != 2 || !ParseNumber(w[1], 0, 1000000, f.dropAnswers)) return "error drop COUNT";
        return "ok";
    }
    if (key == "transfer-wait" || key == "transfer-time" || key == "transfer-result") {
        const bool result = key == "transfer-result";
        int n = 0;
        if (w.size() != 2 || !ParseNumber(w[1], result ? 1 : 0, result ? 2 : 3600000, n))
            return "error " + key + (result ? " 1|2" : " MS");
        Config& c = agent.config;
        (key == "transfer-wait" ? c.transferWaitMs : key == "transfer-time" ? c.transferTimeMs : c.transferResult) = n;
        return "ok";
    }
    if (key == "copies") {
        if (w.size() != 2 || !ParseNumber(w[1], 1, 100, f.copies)) return "error copies COUNT";
        return "ok";
    }
    if (key == "clear") {
        f.Clear();
        return "ok";
    }
    return "error unknown command " + key;
}

}  // namespace switchsim
