#pragma once
// Base of the views that show counters of the device, each with its own GET, refreshed by a
// timer of the program's clock. Every value position has its own asynchronous wrapper, so the
// answers arrive and show independently; only the latest request of a position shows (an
// older answer, or one for a position the view has since forgotten, is dropped). A request
// that did not start leaves nothing behind: the next refresh asks again. Closing stops the
// timer, then drops the answers still out and waits for a callback already running, before
// the window goes.
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/controls/FeatureDialog.h"
#include "platform/snmp/Snmp.h"
#include "views/direct/DirectSnmp.h"

class CCounterPollDlg : public CFeatureDialog {
public:
    ~CCounterPollDlg() override;

protected:
    CCounterPollDlg(UINT templateId, int positions, UINT_PTR timerId, UINT periodMs, CWnd* parent);

    // The start-up settings, refreshed, then the timer.
    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;
    void OnTimer(UINT_PTR id) override;

    // Asks for `oid` at `position` (version 1 only; nothing for another version).
    void RequestValue(int position, const std::string& oid);
    // The position's answers still out are dropped.
    void ForgetValue(int position);

    // Requests the values shown now (user-interface thread).
    virtual void Refresh() = 0;
    // The first value of the latest answer of a position (user-interface thread).
    virtual void ShowValue(int position, const std::string& text) = 0;

    DirectSnmpSettings m_settings;

private:
    struct Slot {
        CCounterPollDlg* dialog = nullptr;
        int position = 0;
        int latest = 0;  // the id of the request whose answer shows, 0 for none
        std::unique_ptr<CSnmp4w> wrapper = std::make_unique<CSnmp4w>();
    };
    static int OnValue(CSnmp* response, int requestId, void* slot, int status);

    const UINT_PTR m_timerId;
    const UINT m_periodMs;
    std::mutex m_mutex;  // guards the slots' ids and wrappers and m_closed
    bool m_closed = false;
    std::vector<Slot> m_slots;

    DECLARE_MESSAGE_MAP()
};
