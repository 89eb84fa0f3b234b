#pragma once
// Storm control on the switch: one GET of its three settings and one SET of what changed,
// both synchronous, each reported to the owner window (CModuleBase::SetHwnd) with
// WM_STORM_CONTROL.
#include <string>

#include "core/CommonSNMP.h"
#include "core/ModuleBase.h"

// wParam kStormControlRead: lParam points at the StormControlRecord read (valid during the
// call). wParam kStormControlWritten: lParam is the text "WriteFinished".
constexpr UINT WM_STORM_CONTROL = WM_USER + 10;
constexpr WPARAM kStormControlRead = 0;
constexpr WPARAM kStormControlWritten = 3;

// The three settings as decimal texts: state (1 enabled, 2 disabled), type (1-3) and the
// threshold in Kbps.
struct StormControlRecord {
    std::string state;
    std::string type;
    std::string threshold;
};

class CStormControlLogic : public CModuleBase {
public:
    static const std::string kState;
    static const std::string kType;
    static const std::string kThreshold;

    ~CStormControlLogic() override;

    // Reads the three settings; only an answer with error status 0 reaches the owner.
    void GetStormControl();
    // Writes what differs between the last read and the new settings (none of it while storm
    // control stays off) and reports the end whatever the answer; a request without variables
    // is not sent. An empty new type (no type chosen) is never written.
    void SetStormControl(StormControlRecord lastRead, StormControlRecord wanted);
    void Close();

private:
    CCommonSNMP m_readSession;
    CCommonSNMP m_writeSession;
};
