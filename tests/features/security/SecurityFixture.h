#pragma once
// The security dialogs' tests: the OIDs they check and their fixture on the simulated switch.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/ModuleStartupParams.h"
#include "platform/ui/Controls.h"
#include "tests/support/switchsim/ModuleTarget.h"
#include "tests/support/ui/UiHarness.h"

namespace securitytest {

const std::string kPrivate = "1.3.6.1.4.1.32473.10.76.21.1.";
const std::string kStormState = kPrivate + "13.3.1.0";
const std::string kStormType = kPrivate + "13.3.2.0";
const std::string kStormThreshold = kPrivate + "13.3.3.0";
const std::string kDot1xState = kPrivate + "23.1.1.0";
const std::string kDot1xProtocol = kPrivate + "23.1.3.0";
const std::string kDot1xEapol = kPrivate + "23.1.4.0";
const std::string kDot1xStateOfTrunks = kPrivate + "11.2.1.0";
const std::string kTrunkMembers = kPrivate + "8.1.3.1.2";  // + .trunk

// Closing a dialog during a read takes no longer than this: well below a request's time-out
// plus the 3 s a stalled session stop would take, with room for a loaded sanitizer build.
constexpr int kCloseBoundMs = 2000;

// The security dialogs' switch: a DUZ-3300-28ZA1 with 28 ports unless a suite names another.
class SecurityTest : public switchsim::ModuleTargetTest {
protected:
    using ModuleTargetTest::ModuleTargetTest;

    // A request's varbinds as "OID := VALUE" (OCTET STRINGs as hex bytes), "OID" for NULL,
    // each with its type checked against `type` when one is given.
    static std::vector<std::string> Assignments(const switchsim::LoggedRequest& r, const std::string& type = "") {
        std::vector<std::string> out;
        for (const auto& v : r.varbinds) {
            if (!type.empty()) {
                EXPECT_EQ(v.type, type) << v.oid;
            }
            if (v.type == "null") {
                out.push_back(v.oid);
            } else {
                out.push_back(v.oid + " := " + (v.type == "s" || v.type == "x" ? v.hex : v.value));
            }
        }
        return out;
    }

    // None of the texts appears in a list cell or a line written to the debugger.
    static void ExpectNowhere(const std::vector<std::string>& secrets,
                              const std::vector<std::vector<std::string>>& rows,
                              const std::vector<std::string>& debugLines) {
        for (const std::string& secret : secrets) {
            for (const auto& row : rows) {
                for (const auto& cell : row) EXPECT_EQ(cell.find(secret), std::string::npos) << cell;
            }
            for (const std::string& line : debugLines) EXPECT_EQ(line.find(secret), std::string::npos) << line;
        }
    }

    // The control has the focus and all its text selected.
    static void ExpectFocusedAndSelected(ui::test::DialogDriver& d, int id) {
        CWnd* input = d.Window().GetDlgItem(id);
        ASSERT_NE(input, nullptr);
        CWnd* focus = CWnd::GetFocus();
        EXPECT_TRUE(focus != nullptr && focus->GetSafeHwnd() == input->GetSafeHwnd()) << id;
        int start = -1;
        int end = -1;
        static_cast<CEdit*>(input)->GetSel(start, end);
        EXPECT_EQ(start, 0);
        EXPECT_EQ(end, static_cast<int>(d.GetText(id).size()));
    }

    // Runs the dialog on an empty request log; the script starts once the control `readyId`
    // is enabled (the dialog's read has ended), and the dialog is closed after it if still open.
    template <class Dialog>
    void RunAfterRead(ui::test::Harness& ui, int readyId, const std::function<void(ui::test::DialogDriver&)>& script) {
        sim->ClearRequests();
        Dialog dlg;
        ui.RunModal(dlg, [&](ui::test::DialogDriver& d) {
            EXPECT_TRUE(ui::test::WaitUntil([&] { return d.IsEnabled(readyId); }));
            script(d);
            if (d.IsOpen()) d.Close();
        });
    }

    // Sessions made from now on give up after `ms` (a silent switch answers nothing).
    static void ShortTimeout(int ms = 200) { ModuleStartupParams::TimeoutMs = std::to_string(ms); }
};

}  // namespace securitytest
