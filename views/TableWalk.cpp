#include "views/TableWalk.h"

#include <cctype>
#include <mutex>
#include <thread>

#include "platform/ui/Wnd.h"
#include "platform/win/Event.h"

namespace {
// Sessions being closed in the background, so the program can wait for them at its end.
// The event is set while none is left; waiting on it keeps serving the workers' calls to the
// user-interface thread, which a closing session may still be waiting for.
std::mutex g_closingMutex;
win::Event g_noneClosing{true, true};
int g_closing = 0;
}  // namespace

std::uint32_t LeadingUnsigned32(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    std::uint32_t value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + static_cast<std::uint32_t>(text[i] - '0');
    }
    return value;
}

const std::string& WalkRow::Text(std::size_t i) const {
    static const std::string kNone;
    return i < values.size() && values[i] ? *values[i] : kNone;
}

struct CTableWalk::State {
    RowHandler onRow;
    EndHandler onEnd;
    WalkSpec spec;
    std::atomic<bool> closed{false};
    std::atomic<bool> running{false};
    // Set while Start withdraws the read before it: that read no longer delivers or re-arms.
    std::atomic<bool> withdrawing{false};
    // Bumped by every Start; a delivery of another generation is dropped.
    std::atomic<unsigned> generation{0};
    // Makes a callback's look at the three flags and its re-arming one step.
    std::mutex armMutex;
    // Last, so it goes first: its destructor waits for the worker that calls back into us.
    CCommonSNMP session;

    // Runs fn on the user-interface thread unless the walk was closed or restarted meanwhile.
    // The worker waits for it: the user-interface thread serves such calls even while it
    // waits itself, and a closed walk is never waited for, so this cannot hang.
    void Deliver(unsigned gen, const std::function<void(State&)>& fn) {
        ui::RunOnUiThread([this, gen, &fn] {
            if (Current(gen)) fn(*this);
        });
    }
    bool Current(unsigned gen) const { return !closed && !withdrawing && generation == gen; }
    void End(unsigned gen) {
        session.SetDone();
        running = false;
        Deliver(gen, [](State& s) {
            if (s.onEnd) s.onEnd();
        });
    }
};

// The session takes the start-up settings as they are now, when the view is built.
CTableWalk::CTableWalk(RowHandler onRow, EndHandler onEnd) : m_onRow(std::move(onRow)), m_onEnd(std::move(onEnd)) {
    Renew();
}

void CTableWalk::Renew() {
    m_state = std::make_shared<State>();
    m_state->onRow = m_onRow;
    m_state->onEnd = m_onEnd;
}

CTableWalk::~CTableWalk() { Close(); }

bool CTableWalk::Running() const { return m_state && m_state->running; }

void CTableWalk::Start(const WalkSpec& spec) {
    if (!m_state) Renew();
    State& s = *m_state;
    {
        std::lock_guard lock(s.armMutex);
        s.withdrawing = true;
    }
    // Waits for a read still running; its deliveries, served meanwhile, are dropped.
    s.session.Open(spec.pduType);
    s.spec = spec;
    ++s.generation;
    s.withdrawing = false;
    for (const std::string& oid : spec.oids) s.session.AddVarBind(oid, SNMP_TYPE_NULL, nullptr);
    s.running = true;
    s.session.StartAsync(&CTableWalk::Callback, &s, spec.timeoutMs);
}

int CTableWalk::Callback(CSnmp* response, int requestId, void* userData, int status) {
    State& s = *static_cast<State*>(userData);
    const unsigned gen = s.generation;
    std::unique_ptr<CSnmp> owned(status == 0 ? response : nullptr);
    if (!s.session.FindRequestID(requestId)) return 0;
    int errorStatus = 0, errorIndex = 0;
    if (owned) owned->getErrorStatus(errorStatus, errorIndex);
    // An error answer carries no row; a short one is not the view's row.
    if (!owned || errorStatus != 0 || static_cast<std::size_t>(owned->getVarBindCount()) < s.spec.minVarbinds) {
        s.End(gen);
        return 0;
    }
    WalkRow row;
    for (int i = 0; i < owned->getVarBindCount(); ++i) {
        int type = 0;
        const char* text = nullptr;
        owned->getValue(i, type, text);
        row.values.push_back(text ? std::optional<std::string>(text) : std::nullopt);
    }
    if (s.spec.pduType == SNMP_PDU_GETNEXT) s.session.GetIndex(0, owned.get(), row.index);
    s.Deliver(gen, [row = std::move(row)](State& st) {
        if (st.onRow) st.onRow(row);
    });
    bool rearmed = false;
    if (s.spec.pduType == SNMP_PDU_GETNEXT) {
        // Not once closed or withdrawn: Open would wait for this arming's worker.
        std::lock_guard lock(s.armMutex);
        if (s.Current(gen)) {
            s.session.StartAsync(&CTableWalk::Callback, &s, s.spec.timeoutMs);
            rearmed = true;
        }
    }
    if (!rearmed) s.End(gen);
    return 0;
}

void CTableWalk::Close() {
    if (!m_state) return;
    std::shared_ptr<State> state = std::move(m_state);
    {
        std::lock_guard lock(state->armMutex);
        state->closed = true;
    }
    if (!state->running) {
        state->session.Close();
        return;
    }
    // A request is out: closing waits for its answer or time-out, so let another thread
    // wait; it keeps the session (and what the worker calls back into) alive until then.
    {
        std::lock_guard lock(g_closingMutex);
        if (g_closing++ == 0) g_noneClosing.Reset();
    }
    std::thread([state = std::move(state)]() mutable {
        state->session.Close();
        state.reset();
        std::lock_guard lock(g_closingMutex);
        if (--g_closing == 0) g_noneClosing.Set();
    }).detach();
}

bool CTableWalk::WaitForClosedSessions(unsigned ms) {
    return g_noneClosing.Wait(ms) == WAIT_OBJECT_0;
}
