#include "tests/support/switchsim/SimulatedSwitch.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>

extern char** environ;

namespace switchsim {

namespace {

// A small JSON reader for the agent's log lines.
struct Json {
    enum Kind { Null, Bool, Number, String, Array, Object } kind = Null;
    bool flag = false;
    long number = 0;
    std::string text;
    std::vector<Json> items;
    std::map<std::string, Json> members;

    const Json& operator[](const std::string& key) const {
        static const Json none;
        auto it = members.find(key);
        return it == members.end() ? none : it->second;
    }
};

class JsonReader {
public:
    explicit JsonReader(const std::string& s) : s_(s) {}

    bool Read(Json& out) {
        bool ok = Value(out);
        Blank();
        return ok && i_ == s_.size();
    }

private:
    void Blank() {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\r' || s_[i_] == '\n')) ++i_;
    }
    bool Literal(const char* word) {
        size_t n = std::strlen(word);
        if (s_.compare(i_, n, word) != 0) return false;
        i_ += n;
        return true;
    }
    bool Text(std::string& out) {
        if (s_[i_] != '"') return false;
        ++i_;
        while (i_ < s_.size() && s_[i_] != '"') {
            char c = s_[i_++];
            if (c != '\\') {
                out += c;
                continue;
            }
            if (i_ >= s_.size()) return false;
            c = s_[i_++];
            if (c == 'u') {
                if (i_ + 4 > s_.size()) return false;
                unsigned code = static_cast<unsigned>(std::stoul(s_.substr(i_, 4), nullptr, 16));
                i_ += 4;
                out += static_cast<char>(code & 0xFF);  // the agent escapes single bytes only
            } else if (c == 'n') out += '\n';
            else if (c == 't') out += '\t';
            else out += c;
        }
        if (i_ >= s_.size()) return false;
        ++i_;
        return true;
    }
    bool Value(Json& out) {
        Blank();
        if (i_ >= s_.size()) return false;
        char c = s_[i_];
        if (c == '{') {
            out.kind = Json::Object;
            ++i_;
            Blank();
            if (i_ < s_.size() && s_[i_] == '}') return ++i_, true;
            while (true) {
                Blank();
                std::string key;
                if (i_ >= s_.size() || !Text(key)) return false;
                Blank();
                if (i_ >= s_.size() || s_[i_++] != ':') return false;
                if (!Value(out.members[key])) return false;
                Blank();
                if (i_ >= s_.size()) return false;
                if (s_[i_] == ',') {
                    ++i_;
                    continue;
                }
                if (s_[i_] == '}') return ++i_, true;
                return false;
            }
        }
        if (c == '[') {
            out.kind = Json::Array;
            ++i_;
            Blank();
            if (i_ < s_.size() && s_[i_] == ']') return ++i_, true;
            while (true) {
                out.items.emplace_back();
                if (!Value(out.items.back())) return false;
                Blank();
                if (i_ >= s_.size()) return false;
                if (s_[i_] == ',') {
                    ++i_;
                    continue;
                }
                if (s_[i_] == ']') return ++i_, true;
                return false;
            }
        }
        if (c == '"') {
            out.kind = Json::String;
            return Text(out.text);
        }
        if (Literal("true")) {
            out.kind = Json::Bool;
            out.flag = true;
            return true;
        }
        if (Literal("false")) {
            out.kind = Json::Bool;
            return true;
        }
        if (Literal("null")) return true;
        size_t start = i_;
        if (s_[i_] == '-') ++i_;
        while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') ++i_;
        if (start == i_) return false;
        out.kind = Json::Number;
        out.number = std::strtol(s_.substr(start, i_ - start).c_str(), nullptr, 10);
        return true;
    }

    const std::string& s_;
    size_t i_ = 0;
};

bool ReadLine(int fd, std::string& line, int timeoutMs) {
    line.clear();
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (true) {
        auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        if (left <= 0) return false;
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0) continue;
        char c;
        ssize_t n = read(fd, &c, 1);
        if (n <= 0) return false;
        if (c == '\n') return true;
        line += c;
    }
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> result;
    for (auto& s : strings) result.push_back(s.data());
    result.push_back(nullptr);
    return result;
}

}  // namespace

std::optional<LoggedRequest> ParseRequestLine(const std::string& line) {
    Json j;
    if (!JsonReader(line).Read(j) || j.kind != Json::Object) return std::nullopt;
    LoggedRequest r;
    r.seq = j["seq"].number;
    r.arrivalUs = j["arrivalUs"].number;
    r.version = j["version"].text;
    r.community = j["community"].text;
    r.user = j["user"].text;
    r.level = j["level"].text;
    r.pdu = j["pdu"].text;
    r.requestId = j["requestId"].number;
    r.resent = j["resent"].flag;
    if (j["nonRepeaters"].kind == Json::Number) r.nonRepeaters = j["nonRepeaters"].number;
    if (j["maxRepetitions"].kind == Json::Number) r.maxRepetitions = j["maxRepetitions"].number;
    for (const Json& v : j["varbinds"].items)
        r.varbinds.push_back({v["oid"].text, v["type"].text, v["value"].text, v["hex"].text});
    r.errorStatus = static_cast<int>(j["errorStatus"].number);
    r.errorIndex = static_cast<int>(j["errorIndex"].number);
    r.answered = j["answered"].flag;
    return r;
}

SimulatedSwitch::SimulatedSwitch() : SimulatedSwitch(Options{}) {}
SimulatedSwitch::SimulatedSwitch(Options options) : options_(std::move(options)) {}
SimulatedSwitch::~SimulatedSwitch() { Stop(); }

std::string SimulatedSwitch::ModelPath(const std::string& model) {
    if (model.find('/') != std::string::npos) return model;
    return std::string(SWITCHSIM_MODELS_DIR) + "/" + model + "/switch.model";
}

bool SimulatedSwitch::Start(std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    Stop();
    std::lock_guard lock(mutex_);
    std::string pattern = (std::filesystem::temp_directory_path() / "switchsim-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return fail("cannot make a working directory");
    workDir_ = pattern;

    std::vector<std::string> args = {SWITCHSIM_EXECUTABLE, "--model", ModelPath(options_.model)};
    for (const auto& line : options_.config) {
        args.push_back("-e");
        args.push_back(line);
    }
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) return fail("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, workDir_.c_str());
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "stderr.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
    auto argv = Pointers(args);
    pid_t pid = -1;
    int rc = posix_spawn(&pid, args[0].c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (rc != 0) {
        close(out[0]);
        return fail(std::string("cannot start switchsim: ") + std::strerror(rc));
    }
    pid_ = pid;
    std::string first, second;
    const bool started = ReadLine(out[0], first, 10000) && ReadLine(out[0], second, 10000);
    close(out[0]);
    if (started) {
        port_ = std::atoi(first.c_str());
        controlPort_ = std::atoi(second.c_str());
    }
    if (!started || port_ <= 0 || controlPort_ <= 0) {
        std::ifstream err(workDir_ + "/stderr.txt");
        std::string why((std::istreambuf_iterator<char>(err)), std::istreambuf_iterator<char>());
        StopLocked();
        return fail("switchsim did not start: " + why);
    }
    return true;
}

void SimulatedSwitch::Stop() {
    std::lock_guard lock(mutex_);
    StopLocked();
}

void SimulatedSwitch::StopLocked() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        int status = 0;
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (waitpid(pid_, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(pid_, SIGKILL);
                waitpid(pid_, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        pid_ = -1;
    }
    port_ = controlPort_ = 0;
    if (!workDir_.empty() && !std::getenv("SWITCHSIM_KEEP")) {
        std::error_code ignored;
        std::filesystem::remove_all(workDir_, ignored);
    }
    workDir_.clear();
}

bool SimulatedSwitch::Running() const {
    std::lock_guard lock(mutex_);
    return pid_ > 0;
}

int SimulatedSwitch::Port() const {
    std::lock_guard lock(mutex_);
    return port_;
}

std::string SimulatedSwitch::WorkDir() const {
    std::lock_guard lock(mutex_);
    return workDir_;
}

std::string SimulatedSwitch::Control(const std::string& commands) const {
    int port;
    {
        std::lock_guard lock(mutex_);
        port = controlPort_;
    }
    if (port <= 0) return "";
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return "";
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<uint16_t>(port));
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::string reply;
    if (connect(fd, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0 &&
        send(fd, commands.data(), commands.size(), 0) == static_cast<ssize_t>(commands.size())) {
        pollfd p{fd, POLLIN, 0};
        if (poll(&p, 1, 5000) > 0) {
            char buffer[65536];
            ssize_t n = recv(fd, buffer, sizeof buffer, 0);
            if (n > 0) reply.assign(buffer, static_cast<size_t>(n));
        }
    }
    close(fd);
    return reply;
}

bool SimulatedSwitch::Command(const std::string& command) const { return Control(command).rfind("ok", 0) == 0; }

int SimulatedSwitch::PendingAnswers() const {
    const std::string reply = Control("pending");
    if (reply.rfind("ok ", 0) != 0) return -1;
    return std::atoi(reply.c_str() + 3);
}

bool SimulatedSwitch::WaitForAnswersSent(std::chrono::milliseconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (PendingAnswers() == 0) return true;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

namespace {
// A value in the agent's quoted form, so that blanks and quotes survive.
std::string Quoted(const std::string& value) {
    std::string quoted = "\"";
    for (char c : value) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}
}  // namespace

bool SimulatedSwitch::SetObject(const std::string& oid, const std::string& type, const std::string& value) const {
    return Command("set " + oid + " " + type + " " + Quoted(value));
}

bool SimulatedSwitch::Serve(const std::string& oid, const std::string& type, const std::string& value) const {
    return Command("serve " + oid + " " + type + " " + Quoted(value));
}

std::optional<std::string> SimulatedSwitch::GetObject(const std::string& oid) const {
    std::string reply = Control("get " + oid);
    if (reply.rfind("ok ", 0) != 0) return std::nullopt;
    reply = reply.substr(3);
    while (!reply.empty() && (reply.back() == '\n' || reply.back() == ' ')) reply.pop_back();
    return reply;
}

std::vector<LoggedRequest> DistinctRequests(const std::vector<LoggedRequest>& arrivals) {
    std::vector<LoggedRequest> result;
    for (const LoggedRequest& r : arrivals) {
        auto first = std::find_if(result.rbegin(), result.rend(),
                                  [&](const LoggedRequest& e) { return e.requestId == r.requestId; });
        if (!r.resent || first == result.rend()) {
            result.push_back(r);
            continue;
        }
        ++first->sends;
        if (r.answered && !first->answered) {
            first->answered = true;
            first->errorStatus = r.errorStatus;
            first->errorIndex = r.errorIndex;
        }
    }
    return result;
}

std::vector<LoggedRequest> SimulatedSwitch::Requests() const { return DistinctRequests(Arrivals()); }

std::vector<LoggedRequest> SimulatedSwitch::Arrivals() const {
    std::vector<LoggedRequest> result;
    std::ifstream in(WorkDir() + "/requests.log");
    for (std::string line; std::getline(in, line);)
        if (auto r = ParseRequestLine(line)) result.push_back(std::move(*r));
    return result;
}

void SimulatedSwitch::ClearRequests() const {
    // The agent appends, so a truncated log simply starts again.
    std::ofstream(WorkDir() + "/requests.log", std::ios::trunc);
}

ToolResult RunTool(const std::vector<std::string>& argv, const std::string& stateDir) {
    ToolResult result;
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        std::string s = *e;
        if (s.rfind("MIBS=", 0) == 0 || s.rfind("MIBDIRS=", 0) == 0 || s.rfind("SNMP_PERSISTENT_DIR=", 0) == 0 ||
            s.rfind("SNMPCONFPATH=", 0) == 0)
            continue;
        env.push_back(s);
    }
    std::filesystem::create_directories(stateDir);
    env.push_back("MIBS=");
    env.push_back("MIBDIRS=");
    env.push_back("SNMP_PERSISTENT_DIR=" + stateDir);
    env.push_back("SNMPCONFPATH=" + stateDir + "/none");
    int out[2], err[2];
    if (pipe2(out, O_CLOEXEC) != 0) return result;
    if (pipe2(err, O_CLOEXEC) != 0) {
        close(out[0]);
        close(out[1]);
        return result;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    std::vector<std::string> args = argv;
    auto argp = Pointers(args);
    auto envp = Pointers(env);
    pid_t pid = -1;
    int rc = posix_spawnp(&pid, args[0].c_str(), &actions, nullptr, argp.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    if (rc == 0) {
        pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
        std::string* sinks[2] = {&result.out, &result.err};
        int open = 2;
        while (open > 0) {
            if (poll(fds, 2, -1) < 0) break;
            for (int i = 0; i < 2; ++i) {
                if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
                char buffer[4096];
                ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
                if (n > 0) sinks[i]->append(buffer, static_cast<size_t>(n));
                else {
                    fds[i].fd = -1;
                    --open;
                }
            }
        }
        int status = 0;
        waitpid(pid, &status, 0);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    close(out[0]);
    close(err[0]);
    return result;
}

}  // namespace switchsim
