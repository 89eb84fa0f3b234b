#pragma once
// Steps the spanning tree dialogs share: the closing order of their sessions with its debug
// lines, the first read of a table once it is shown, the selected row, stepping through a
// table's rows, and the bridge writes around the new times.
#include <functional>
#include <initializer_list>

#include "core/CommonSNMP.h"
#include "platform/ui/ListCtrl.h"
#include "platform/ui/Wnd.h"

namespace stp {

// One session's close and the debug line written after it.
struct SessionClose {
    const char* member;  // "m_cCommonSNMP", ...
    std::function<void()> close;
};
// "==================DestroyWindow===============", then each close followed by its line.
void CloseInOrder(std::initializer_list<SessionClose> sessions);

// Posts the dialog a click of its Refresh button, so the read starts once the window shows.
void PostRefreshClick(CWnd& dialog, int refreshId);
// The first selected row of a list, -1 when none.
int FirstSelectedRow(const CListCtrl& list);
// Clamps row to 0..rows-1 and sets the two stepping buttons: the first row disables
// "Prev", the last "Next" (a one-row table shows "Next" enabled until it is used).
void StepTo(int& row, int rows, CWnd& prev, CWnd& next);

// Spanning tree off (state 2) on the session, then the switch's pause.
void SwitchOff(CCommonSNMP& session, const std::string& stateOid);
// Spanning tree on (state 1), with the longer time-out the switch needs.
void SwitchOn(CCommonSNMP& session, const std::string& stateOid);
// The times every new setting is accepted from (hello time 1 s, forward delay 30 s, in
// hundredths) in one SET, then the switch's pause before the new times.
void PrepareBridgeTimes(CCommonSNMP& session, const std::string& helloOid, const std::string& forwardDelayOid);
// The switch's pause after the last SET of an Apply, before it is read again.
void PauseAfterSets();

}  // namespace stp
