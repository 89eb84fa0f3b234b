#pragma once
// The simulated switch the management dialogs talk to, a window that keeps what the SNMP
// agent logic reports, and readers of what the switch received.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/ModuleStartupParams.h"
#include "features/management/RMON.h"
#include "features/management/SNMPConfig.h"
#include "platform/ui/Dialog.h"
#include "tests/support/switchsim/ModuleTarget.h"
#include "tests/support/switchsim/Settle.h"
#include "tests/support/ui/UiHarness.h"

class QPushButton;

namespace mgmttest {

const std::string A = "1.3.6.1.4.1.32473.10.76.21.1.25";
// The private RMON tables (entries: column, "." and the index) and the standard statistics.
const std::string P = "1.3.6.1.4.1.32473.10.76.21.1";
const std::string kStats = P + ".47.2.1.1.";
const std::string kHistory = P + ".47.3.1.1.";
const std::string kAlarm = P + ".47.4.1.1.";
const std::string kEvent = P + ".47.5.1.1.";
const std::string kEtherStats = "1.3.6.1.2.1.16.1.1.1.";

// What one report carried: its code and the record's texts in column order.
struct Report {
    WPARAM code = 0;
    std::vector<std::string> texts;
};

// A window that receives CSNMPConfig's reports (made with Create, not run modally).
class CReportOwner : public CDialog {
public:
    CReportOwner();
    // Makes the window (modeless).
    bool Open();
    // Which record a code 0 report carries in this test.
    enum class Rows { Group, View, Host, Traps } m_rows = Rows::Group;
    std::vector<Report> m_reports;
    std::vector<std::pair<ULONG_PTR, std::string>> m_copies;  // WM_COPYDATA: dwData, text

    bool Ended() const {
        for (const Report& r : m_reports) {
            if (r.code == kSnmpReadEnd) return true;
        }
        return false;
    }

protected:
    LRESULT OnReport(WPARAM code, LPARAM record);
    BOOL OnCopyData(CWnd* from, COPYDATASTRUCT* data) override;

    DECLARE_MESSAGE_MAP()
};

// A window that receives CRMON's end messages and keeps their codes.
class CRmonOwner : public CDialog {
public:
    CRmonOwner();
    bool Open();
    std::vector<std::pair<UINT, WPARAM>> m_messages;  // message, code
    std::function<void(UINT, WPARAM)> m_onMessage;    // runs in the handler

protected:
    LRESULT OnReadEnd(WPARAM code, LPARAM);
    LRESULT OnStale(WPARAM code, LPARAM);
    LRESULT OnEventIndexes(WPARAM code, LPARAM);
    void Keep(UINT message, WPARAM code);

    DECLARE_MESSAGE_MAP()
};

// The live button over a cell of a report list (a "Delete" button), or null.
QPushButton* CellButton(CWnd& dialog, int list, int row, int column);

// The start-up settings of the simulated switch's SNMPv3 user with MD5 and DES.
inline void UseSimV3() {
    ModuleStartupParams::SnmpVersion = "3";
    ModuleStartupParams::SecurityLevel = "3";
    ModuleStartupParams::UserName = "simmd5des";
    ModuleStartupParams::AuthPassword = "simmd5pass";
    ModuleStartupParams::PrivPassword = "simdespass";
    ModuleStartupParams::AuthProtocol = "2";
    ModuleStartupParams::PrivProtocol = "2";
}

class SnmpAgentTest : public switchsim::ModuleTargetTest {
protected:
    // The logged SETs with their varbinds as "oid=type:value" (OCTET STRINGs as hex).
    std::vector<std::vector<std::string>> SetPdus() const;
    static std::string Vb(const std::string& oid, const std::string& type, const std::string& value) {
        return oid + "=" + type + ":" + value;
    }
    void Command(const std::string& command) const { ASSERT_TRUE(sim->Command(command)) << command; }
};

}  // namespace mgmttest
