#include "features/stp/StpDialogParts.h"

#include <string>

#include "core/SnmpRead.h"
#include "platform/win/Clock.h"
#include "platform/win/DebugOutput.h"

namespace stp {

namespace {
constexpr int kSwitchOnTimeoutMs = 3500;
constexpr DWORD kPrepareTimesPauseMs = 50;
constexpr DWORD kSetPauseMs = 30;
}  // namespace

void CloseInOrder(std::initializer_list<SessionClose> sessions) {
    OutputDebugStringA("==================DestroyWindow===============");
    for (const SessionClose& s : sessions) {
        s.close();
        OutputDebugStringA(("==================" + std::string(s.member) + ".Close===============").c_str());
    }
}

void PostRefreshClick(CWnd& dialog, int refreshId) {
    dialog.PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(refreshId), BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(dialog.GetSafeHwnd(), refreshId)));
}

int FirstSelectedRow(const CListCtrl& list) {
    POSITION pos = list.GetFirstSelectedItemPosition();
    return pos == nullptr ? -1 : list.GetNextSelectedItem(pos);
}

void StepTo(int& row, int rows, CWnd& prev, CWnd& next) {
    if (row <= 0) {
        row = 0;
        prev.EnableWindow(FALSE);
        next.EnableWindow(TRUE);
    } else if (row >= rows - 1) {
        row = rows - 1;
        prev.EnableWindow(TRUE);
        next.EnableWindow(FALSE);
    } else {
        prev.EnableWindow(TRUE);
        next.EnableWindow(TRUE);
    }
}

void SwitchOff(CCommonSNMP& session, const std::string& stateOid) {
    SnmpSet(session, {SnmpSetVar::Integer(stateOid, 2)});
    win::Sleep(kSetPauseMs);
}

void SwitchOn(CCommonSNMP& session, const std::string& stateOid) {
    SnmpSet(session, {SnmpSetVar::Integer(stateOid, 1)}, kSwitchOnTimeoutMs);
}

void PrepareBridgeTimes(CCommonSNMP& session, const std::string& helloOid, const std::string& forwardDelayOid) {
    SnmpSet(session, {SnmpSetVar::Integer(helloOid, 100), SnmpSetVar::Integer(forwardDelayOid, 3000)});
    win::Sleep(kPrepareTimesPauseMs);
}

void PauseAfterSets() { win::Sleep(kSetPauseMs); }

}  // namespace stp
