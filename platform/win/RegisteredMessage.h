#pragma once
// Registered window messages and their broadcast to every module process of the user.
//
// A registered message number stands for a text and is the same in every process of the
// user: the texts are kept, in order of first registration, in a table in the runtime
// directory (RuntimeDir.h), and a text's number is kFirstRegisteredMessage plus its place.
//
// A broadcast goes to every process that listens (SetBroadcastReceiver), this one included,
// through one local datagram socket per process in the runtime directory. The sender does not
// wait: a process whose queue is full misses the message. A process removes its socket when
// it stops listening; the socket of a process that was killed is removed by the next broadcast
// that finds it or the next process that starts listening.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

#include "platform/win/WinTypes.h"

constexpr UINT kFirstRegisteredMessage = 0xC000;
constexpr UINT kLastRegisteredMessage = 0xFFFF;

// The number registered for `text` (compared exactly, case included), registering it when it is
// new. 0 for a null or empty text, a full table or an unusable runtime directory.
UINT RegisterWindowMessage(const char* text);

namespace win {

// Receives a broadcast: the message number, wParam and lParam as sent.
using BroadcastReceiver = std::function<void(UINT msg, WPARAM wParam, LPARAM lParam)>;

// Installs the receiver and starts listening when this process does not listen yet. nullptr
// removes it (listening stops unless a recorder needs it) and returns once no call of the old
// receiver is running. Returns false when the listening socket cannot be made.
//
// The receiver runs on the listener thread, never on the user-interface thread: the
// user-interface layer must carry the message over to its own thread before it touches a
// window. It must not call SetBroadcastReceiver itself. Remove it before what it refers to is
// destroyed.
bool SetBroadcastReceiver(BroadcastReceiver receiver);

// For tests: records every broadcast this process receives while it exists, beside the
// receiver, which still gets each one. Starts listening when nothing listens yet.
class BroadcastRecorder {
public:
    struct Message {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        bool operator==(const Message&) const = default;
    };

    BroadcastRecorder();
    ~BroadcastRecorder();
    BroadcastRecorder(const BroadcastRecorder&) = delete;
    BroadcastRecorder& operator=(const BroadcastRecorder&) = delete;

    // False when this process could not listen.
    bool IsListening() const { return m_listening; }
    std::vector<Message> Received() const;
    // Waits at most `timeout` for a message numbered `msg` that no earlier WaitFor returned,
    // and hands it out in `found`.
    bool WaitFor(UINT msg, std::chrono::milliseconds timeout, Message* found = nullptr);

    void Add(const Message& message);  // called by the listener thread

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::vector<Message> m_messages;
    std::vector<bool> m_taken;  // handed out by WaitFor
    bool m_listening = false;
};

// Sends the message to every listening module process of the user, this one included, without
// waiting for any of them. Returns the number of processes it reached.
int BroadcastMessage(UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace win
