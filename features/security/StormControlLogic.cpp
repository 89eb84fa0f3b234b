#include "features/security/StormControlLogic.h"

#include <vector>

#include "core/SnmpRead.h"
#include "platform/ui/Wnd.h"

namespace {
const std::string kStorm = "1.3.6.1.4.1.32473.10.76.21.1.13.3.";
}  // namespace

const std::string CStormControlLogic::kState = kStorm + "1.0";
const std::string CStormControlLogic::kType = kStorm + "2.0";
const std::string CStormControlLogic::kThreshold = kStorm + "3.0";

CStormControlLogic::~CStormControlLogic() { Close(); }

void CStormControlLogic::Close() {
    m_readSession.Close();
    m_writeSession.Close();
}

void CStormControlLogic::GetStormControl() {
    const SnmpAnswer answer = SnmpGet(m_readSession, {kState, kType, kThreshold});
    // An error answer carries no values: the dialog keeps what it shows.
    if (!answer.Ok() || answer.Size() < 3) return;
    StormControlRecord record{answer.vars[0].text, answer.vars[1].text, answer.vars[2].text};
    ::SendMessage(m_hWnd.load(), WM_STORM_CONTROL, kStormControlRead, reinterpret_cast<LPARAM>(&record));
}

void CStormControlLogic::SetStormControl(StormControlRecord lastRead, StormControlRecord wanted) {
    const bool stateChanged = wanted.state != lastRead.state;
    if (!stateChanged && wanted.state != "1") return;
    std::vector<SnmpSetVar> vars;
    auto add = [&vars](const std::string& oid, const std::string& value) {
        vars.push_back({.oid = oid, .type = SNMP_TYPE_INTEGER, .value = value});
    };
    if (stateChanged) add(kState, wanted.state);
    if (wanted.state == "1") {
        if (!wanted.type.empty() && wanted.type != lastRead.type) add(kType, wanted.type);
        if (wanted.threshold != lastRead.threshold) add(kThreshold, wanted.threshold);
    }
    if (!vars.empty()) SnmpSet(m_writeSession, vars);
    static char kWriteFinished[] = "WriteFinished";
    ::SendMessage(m_hWnd.load(), WM_STORM_CONTROL, kStormControlWritten, reinterpret_cast<LPARAM>(kWriteFinished));
}
