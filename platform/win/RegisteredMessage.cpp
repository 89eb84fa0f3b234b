#include "platform/win/RegisteredMessage.h"

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/win/RuntimeDir.h"

namespace {

// ---- the table of registered texts -------------------------------------------------------

// One text per line; a backslash and a line break inside a text are escaped.
std::string EscapeLine(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') out += "\\\\";
        else if (c == '\n') out += "\\n";
        else out += c;
    }
    return out + '\n';
}

std::string ReadAll(int fd) {
    std::string data;
    char buf[4096];
    ::lseek(fd, 0, SEEK_SET);
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n > 0) data.append(buf, static_cast<std::size_t>(n));
        else if (n == 0 || errno != EINTR) break;
    }
    return data;
}

bool WriteAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Finds or appends `text` in the shared table, under the table's file lock.
UINT LookUpOrRegister(const std::string& text) {
    std::string dir = win::RuntimeDirectory();
    if (dir.empty()) return 0;
    std::string path = dir + "/messages";
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return 0;
    while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
    std::string data = ReadAll(fd);
    std::string line = EscapeLine(text);
    UINT index = 0;
    std::size_t pos = 0;
    UINT result = 0;
    while (pos < data.size()) {
        std::size_t end = data.find('\n', pos);
        if (end == std::string::npos) end = data.size();
        if (data.compare(pos, end - pos + 1, line) == 0) {
            result = kFirstRegisteredMessage + index;
            break;
        }
        ++index;
        pos = end + 1;
    }
    // A line torn by a writer that died stays a line of its own, so numbers never shift.
    if (result == 0 && !data.empty() && data.back() != '\n') line.insert(line.begin(), '\n');
    if (result == 0 && index <= kLastRegisteredMessage - kFirstRegisteredMessage && WriteAll(fd, line))
        result = kFirstRegisteredMessage + index;
    ::close(fd);  // also drops the lock
    return result;
}

// ---- broadcast ---------------------------------------------------------------------------

// Wire form: magic, message number, wParam, lParam; 24 bytes, host byte order.
constexpr char kMagic[4] = {'S', 'M', 'B', '1'};
constexpr std::size_t kPacketSize = 24;

void Encode(char* out, UINT msg, WPARAM wParam, LPARAM lParam) {
    std::uint32_t m = msg;
    std::uint64_t w = wParam;
    std::int64_t l = lParam;
    std::memcpy(out, kMagic, 4);
    std::memcpy(out + 4, &m, 4);
    std::memcpy(out + 8, &w, 8);
    std::memcpy(out + 16, &l, 8);
}

bool Decode(const char* in, std::size_t size, UINT& msg, WPARAM& wParam, LPARAM& lParam) {
    if (size != kPacketSize || std::memcmp(in, kMagic, 4) != 0) return false;
    std::uint32_t m;
    std::uint64_t w;
    std::int64_t l;
    std::memcpy(&m, in + 4, 4);
    std::memcpy(&w, in + 8, 8);
    std::memcpy(&l, in + 16, 8);
    msg = m;
    wParam = static_cast<WPARAM>(w);
    lParam = static_cast<LPARAM>(l);
    return true;
}

bool MakeAddress(const std::string& path, sockaddr_un& addr) {
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    if (path.size() >= sizeof addr.sun_path) return false;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    return true;
}

std::string SocketFolder() { return win::RuntimeSubdirectory("bcast"); }

// Removes the sockets in `folder` that no process listens on any more (their processes were
// killed): a datagram socket connects to a socket file only while its owner has it open.
void RemoveDeadSockets(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    while (dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() < 5 || name.compare(name.size() - 5, 5, ".sock") != 0) continue;
        const std::string path = folder + "/" + name;
        sockaddr_un addr;
        if (!MakeAddress(path, addr)) continue;
        const int probe = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        if (probe < 0) break;
        if (::connect(probe, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 && errno == ECONNREFUSED)
            ::unlink(path.c_str());
        ::close(probe);
    }
    ::closedir(dir);
}

// The listening socket of this process and its thread, running while a receiver or a
// recorder wants broadcasts.
class Listener {
public:
    ~Listener() {
        std::lock_guard control(m_control);
        Stop();
    }

    bool SetReceiver(win::BroadcastReceiver receiver) {
        std::lock_guard control(m_control);
        {
            std::lock_guard lock(m_sinkMutex);
            m_receiver = std::move(receiver);
        }
        return Update();
    }

    bool AddRecorder(win::BroadcastRecorder* recorder) {
        std::lock_guard control(m_control);
        {
            std::lock_guard lock(m_sinkMutex);
            m_recorders.push_back(recorder);
        }
        return Update();
    }

    // Once this returns, the recorder is called no more.
    void RemoveRecorder(win::BroadcastRecorder* recorder) {
        std::lock_guard control(m_control);
        {
            std::lock_guard lock(m_sinkMutex);
            std::erase(m_recorders, recorder);
        }
        Update();
    }

private:
    // Starts or stops listening as the sinks require; false when listening is wanted but the
    // socket cannot be made. Under m_control.
    bool Update() {
        bool wanted;
        {
            std::lock_guard lock(m_sinkMutex);
            wanted = m_receiver || !m_recorders.empty();
        }
        if (!wanted) Stop();
        if (!wanted || m_thread.joinable()) return true;
        if (!Open()) return false;
        m_thread = std::thread([this] { Run(); });
        return true;
    }

    bool Open() {
        std::string folder = SocketFolder();
        if (folder.empty()) return false;
        RemoveDeadSockets(folder);
        std::random_device random;
        char name[64];
        std::snprintf(name, sizeof name, "/%ld-%08x.sock", static_cast<long>(::getpid()),
                      static_cast<unsigned>(random()));
        std::string path = folder + name;
        sockaddr_un addr;
        if (!MakeAddress(path, addr)) return false;
        int sock = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        if (sock < 0) return false;
        if (::bind(sock, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
            ::close(sock);
            return false;
        }
        int wake = ::eventfd(0, EFD_CLOEXEC);
        if (wake < 0) {
            ::close(sock);
            ::unlink(path.c_str());
            return false;
        }
        m_socket = sock;
        m_wake = wake;
        m_path = path;
        return true;
    }

    void Stop() {  // under m_control
        if (!m_thread.joinable()) return;
        std::uint64_t one = 1;
        while (::write(m_wake, &one, sizeof one) < 0 && errno == EINTR) {
        }
        m_thread.join();
        ::close(m_socket);
        ::close(m_wake);
        ::unlink(m_path.c_str());
        m_socket = m_wake = -1;
    }

    void Run() {
        for (;;) {
            pollfd fds[2] = {{m_socket, POLLIN, 0}, {m_wake, POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0) {
                if (errno == EINTR) continue;
                return;
            }
            if (fds[1].revents != 0) return;
            char packet[kPacketSize + 1];
            ssize_t n = ::recv(m_socket, packet, sizeof packet, MSG_DONTWAIT);
            UINT msg;
            WPARAM wParam;
            LPARAM lParam;
            if (n < 0 || !Decode(packet, static_cast<std::size_t>(n), msg, wParam, lParam)) continue;
            win::BroadcastReceiver receiver;
            {
                std::lock_guard lock(m_sinkMutex);
                for (win::BroadcastRecorder* recorder : m_recorders) recorder->Add({msg, wParam, lParam});
                receiver = m_receiver;
            }
            if (receiver) receiver(msg, wParam, lParam);
        }
    }

    std::mutex m_control;    // starting and stopping
    std::mutex m_sinkMutex;  // the receiver and the recorders
    win::BroadcastReceiver m_receiver;
    std::vector<win::BroadcastRecorder*> m_recorders;
    std::thread m_thread;
    int m_socket = -1;
    int m_wake = -1;
    std::string m_path;
};

Listener& TheListener() {
    static Listener listener;
    return listener;
}

}  // namespace

UINT RegisterWindowMessage(const char* text) {
    if (!text || !*text) return 0;
    static std::mutex mutex;
    static std::map<std::string, UINT> known;  // numbers never change once given
    std::lock_guard lock(mutex);
    auto it = known.find(text);
    if (it != known.end()) return it->second;
    UINT number = LookUpOrRegister(text);
    if (number != 0) known.emplace(text, number);
    return number;
}

namespace win {

bool SetBroadcastReceiver(BroadcastReceiver receiver) { return TheListener().SetReceiver(std::move(receiver)); }

BroadcastRecorder::BroadcastRecorder() { m_listening = TheListener().AddRecorder(this); }

BroadcastRecorder::~BroadcastRecorder() { TheListener().RemoveRecorder(this); }

void BroadcastRecorder::Add(const Message& message) {
    std::lock_guard lock(m_mutex);
    m_messages.push_back(message);
    m_arrived.notify_all();
}

std::vector<BroadcastRecorder::Message> BroadcastRecorder::Received() const {
    std::lock_guard lock(m_mutex);
    return m_messages;
}

bool BroadcastRecorder::WaitFor(UINT msg, std::chrono::milliseconds timeout, Message* found) {
    std::unique_lock lock(m_mutex);
    return m_arrived.wait_for(lock, timeout, [&] {
        m_taken.resize(m_messages.size(), false);
        for (std::size_t i = 0; i < m_messages.size(); ++i) {
            if (m_messages[i].msg != msg || m_taken[i]) continue;
            m_taken[i] = true;
            if (found) *found = m_messages[i];
            return true;
        }
        return false;
    });
}

int BroadcastMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    std::string folder = SocketFolder();
    if (folder.empty()) return 0;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return 0;
    int sock = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (sock < 0) {
        ::closedir(dir);
        return 0;
    }
    char packet[kPacketSize];
    Encode(packet, msg, wParam, lParam);
    int reached = 0;
    while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        if (name.size() < 5 || name.compare(name.size() - 5, 5, ".sock") != 0) continue;
        std::string path = folder + "/" + name;
        sockaddr_un addr;
        if (!MakeAddress(path, addr)) continue;
        ssize_t n = ::sendto(sock, packet, sizeof packet, MSG_DONTWAIT | MSG_NOSIGNAL,
                             reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        if (n == static_cast<ssize_t>(sizeof packet)) ++reached;
        else if (n < 0 && errno == ECONNREFUSED) ::unlink(path.c_str());  // its process ended
    }
    ::close(sock);
    ::closedir(dir);
    return reached;
}

}  // namespace win
