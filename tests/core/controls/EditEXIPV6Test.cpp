// CEditEXIPV6: what a typed address becomes, and the varbinds it adds, as the simulated
// switch receives them.
#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include "core/CommonSNMP.h"
#include "core/ModuleStartupParams.h"
#include "core/controls/EditEXIPV6.h"
#include "platform/ui/Template.h"
#include "tests/support/switchsim/SimulatedSwitch.h"
#include "tests/support/ui/UiHarness.h"
#include "tests/support/SessionTarget.h"

using ui::test::DialogDriver;
using ui::test::Harness;

namespace {

enum : int { IDD_SERVER = 9501, IDC_ADDRESS = 1501, IDC_PORT = 1502 };

// clang-format off
UI_DIALOG_TEMPLATE(IDD_SERVER, "Server", DS_MODALFRAME | WS_CAPTION | WS_SYSMENU,
    Column({Grid(2, {Label(IDC_STATIC, "IPV4/IPV6 Address"), Edit(IDC_ADDRESS), Label(IDC_STATIC, "Port"), Edit(IDC_PORT)}),
            Row({Stretch(), Button(IDCANCEL, "Close")})}))
// clang-format on

class CServerDlg : public CDialog {
public:
    explicit CServerDlg(int allowInterface = 1) : CDialog(IDD_SERVER) { m_address.m_bAllowInterface = allowInterface; }
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_ADDRESS, m_address); }
    CEditEXIPV6 m_address;
};

// Types the address, then moves on to the next field, as a user does. The focus moves only
// in the active window.
void Enter(DialogDriver& d, const std::string& text) {
    QWidget* frame = ui::WidgetOf(d.Handle())->window();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    d.TypeText(IDC_ADDRESS, text);
    d.TypeText(IDC_PORT, "1812");
}

const char kTypeOid[] = "1.3.6.1.4.1.32473.10.76.21.1.9.1.1.2.1";
const char kAddressOid[] = "1.3.6.1.4.1.32473.10.76.21.1.9.1.1.3.1";
const char kScopeOid[] = "1.3.6.1.4.1.32473.10.76.21.1.9.1.1.4.1";

}  // namespace

TEST(CEditEXIPV6Test, ClassifiesWhatTheUserTypedWhenLeavingTheField) {
    struct Case {
        const char* text;
        int allow;
        int valid;
        const char* type;
        const char* address;
        const char* zone;
    };
    const Case cases[] = {
        {"192.168.1.10", 1, 1, "1", "192.168.1.10", ""},
        {"2001:DB8::1", 1, 1, "2", "2001:db8::1", ""},
        {"FE80::1%ETH0", 1, 1, "2", "fe80::1", "eth0"},
        {"fe80::1%", 1, -2, "", "fe80::1", ""},
        {"fe80::1%abcdefghijklmnopqrstu", 1, -1, "", "fe80::1", "abcdefghijklmnopqrstu"},
        {"fe80::1%eth0", 0, 0, "", "fe80::1%eth0", ""},
        {"2001:db8::1", 0, 1, "2", "2001:db8::1", ""},
        {"", 1, 0, "", "", ""},
        {"switch", 1, 0, "", "switch", ""},
        {"::ffff:1.2.3.4", 1, 0, "", "::ffff:1.2.3.4", ""},
        {"192.168.1.255", 1, 0, "", "192.168.1.255", ""},
    };
    for (const Case& c : cases) {
        Harness ui;
        CServerDlg dlg(c.allow);
        ui.RunModal(dlg, [&](DialogDriver& d) {
            Enter(d, c.text);
            EXPECT_EQ(dlg.m_address.m_nValid, c.valid) << c.text;
            EXPECT_EQ(dlg.m_address.m_strIPType, c.type) << c.text;
            EXPECT_EQ(dlg.m_address.m_strAddress, c.address) << c.text;
            EXPECT_EQ(dlg.m_address.m_strInterface, c.zone) << c.text;
            d.Click(IDCANCEL);
        });
    }
}

TEST(CEditEXIPV6Test, KeepsTheTypeAndZoneOfAnEarlierValidText) {
    Harness ui;
    CServerDlg dlg;
    ui.RunModal(dlg, [&](DialogDriver& d) {
        EXPECT_EQ(dlg.m_address.m_nValid, 0);  // before any validation: invalid
        Enter(d, "10.90.90.9");
        EXPECT_EQ(dlg.m_address.m_strIPType, "1");
        Enter(d, "2001:db8::zz");
        EXPECT_EQ(dlg.m_address.m_nValid, 0);
        EXPECT_EQ(dlg.m_address.m_strIPType, "1");
        Enter(d, "fe80::2%vlan1");
        Enter(d, "2001:db8::5");
        EXPECT_EQ(dlg.m_address.m_nValid, 1);
        EXPECT_EQ(dlg.m_address.m_strInterface, "vlan1");
        d.Click(IDCANCEL);
    });
}

TEST(CEditEXIPV6Test, ShowsTheMessagesOfItsOwnCodesOnly) {
    Harness ui;
    CServerDlg dlg;
    ui.ScriptMessageBoxes({IDOK, IDOK});
    ui.RunModal(dlg, [&](DialogDriver& d) {
        Enter(d, "fe80::1%");
        dlg.m_address.ShowError();
        Enter(d, "fe80::1%abcdefghijklmnopqrstu");
        dlg.m_address.ShowError();
        Enter(d, "nothing");
        dlg.m_address.ShowError();
        Enter(d, "10.1.1.1");
        dlg.m_address.ShowError();
        d.Click(IDCANCEL);
    });
    const auto shown = ui.ShownMessageBoxes();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "Link local address must specify interface name!ex: feXX::XXXX%InterfaceName");
    EXPECT_EQ(shown[1].text, "Interface name too long.");
}

TEST(CEditEXIPV6Test, AddsTypeAddressAndZoneVarbindsThatReachTheSwitch) {
    switchsim::SimulatedSwitch sim;
    std::string error;
    ASSERT_TRUE(sim.Start(&error)) << error;
    ModuleStartupParams::ResetToDefaults();
    testsupport::PointSessionsAt(sim.Target());
    ModuleStartupParams::TimeoutMs = "2000";

    struct Case {
        const char* text;
        const char* typeValue;
        const char* addressHex;
        const char* index;
        int length;
        const char* zone;  // null: no zone varbind
    };
    const Case cases[] = {
        {"192.168.1.10", "1", "C0A8010A", "192.168.1.10", 4, nullptr},
        {"2001:DB8::1", "2", "20010DB8000000000000000000000001", "32.1.13.184.0.0.0.0.0.0.0.0.0.0.0.1", 16, nullptr},
        {"FE80::1%ETH0", "2", "FE800000000000000000000000000001", "254.128.0.0.0.0.0.0.0.0.0.0.0.0.0.1", 16, "eth0"},
    };
    for (const Case& c : cases) {
        Harness ui;
        CServerDlg dlg;
        ui.RunModal(dlg, [&](DialogDriver& d) {
            Enter(d, c.text);
            ASSERT_EQ(dlg.m_address.m_nValid, 1) << c.text;
            EXPECT_EQ(dlg.m_address.GetAddressIndex(), c.index);
            EXPECT_EQ(dlg.m_address.m_nAddrLen, c.length);

            sim.ClearRequests();
            CCommonSNMP session;
            session.Open(3);
            dlg.m_address.AddTypeVarBind(session, kTypeOid);
            dlg.m_address.AddAddressVarBind(session, kAddressOid);
            dlg.m_address.AddScopeVarBind(kScopeOid, session);
            CSnmp* response = nullptr;
            EXPECT_EQ(session.Send(response, 0), 0) << c.text;
            delete response;
            d.Click(IDCANCEL);
        });
        const auto requests = sim.Requests();
        ASSERT_EQ(requests.size(), 1u) << c.text;
        const auto& vbs = requests[0].varbinds;
        EXPECT_EQ(requests[0].pdu, "set");
        ASSERT_EQ(vbs.size(), c.zone ? 3u : 2u) << c.text;
        EXPECT_EQ(vbs[0].oid, kTypeOid);
        EXPECT_EQ(vbs[0].type, "i");
        EXPECT_EQ(vbs[0].value, c.typeValue);
        EXPECT_EQ(vbs[1].oid, kAddressOid);
        EXPECT_EQ(vbs[1].type, "s");
        EXPECT_EQ(vbs[1].hex, c.addressHex);
        if (c.zone) {
            EXPECT_EQ(vbs[2].oid, kScopeOid);
            EXPECT_EQ(vbs[2].type, "s");
            EXPECT_EQ(vbs[2].value, c.zone);
        }
    }
}
