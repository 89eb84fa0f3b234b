#pragma once
// "802.1X Config Information": the switch's global 802.1X authenticator settings (the state,
// the RADIUS server and its key, the default timers and re-authentication), and the way to
// the per-port access control (PortSet). No menu command opens it; switch-dialog does.
//
// Apply with the box clear writes only the state "disabled". With the box checked every field
// is checked first, so a refused field sends nothing; then the RADIUS server and key, the
// state "enabled" and the timers are written, each on its own session, and the dialog reads
// the settings again.
#include <array>
#include <cstdint>
#include <string>

#include "core/CommonSNMP.h"
#include "core/SnmpRead.h"
#include "core/controls/FeatureDialog.h"
#include "platform/ui/Controls.h"

class C8021Config : public CFeatureDialog {
public:
    // A key longer than this is cut back to it as it is typed.
    static constexpr std::size_t kKeyChars = 33;
    static constexpr int kTimerCount = 6;

    // What Apply takes from the dialog.
    struct Inputs {
        bool enabled = false;
        std::string address;  // the address control's text
        std::string key;
        std::string confirm;
        // QuietPeriod, TxPeriod, SuppTimeout, ServerTimeout, MaxReq, ReAuthPeriod.
        std::array<std::string, kTimerCount> timers;
        bool reAuthEnable = false;  // "Enable" chosen
    };
    // The checked values, as they are written.
    struct Values {
        std::string address;  // dotted, four numbers 0-255
        std::array<std::uint64_t, kTimerCount> timers{};
    };

    explicit C8021Config(CWnd* parent = nullptr);

    // The checks of an Apply with the box checked, in their order: "" when every field passes
    // (values filled), else the message of the first field refused.
    static std::string CheckInputs(const Inputs& in, Values& values);
    // A whole decimal number (blanks around it allowed) within min..max.
    static bool ParseWholeNumber(const std::string& text, std::uint64_t min, std::uint64_t max, std::uint64_t& value);
    // Four dotted numbers 0-255 (1 to 3 digits each).
    static bool ParseAddress(const std::string& text, std::array<int, 4>& fields);

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override;

private:
    void ReadSettings();
    void OnSettingsRead(const SnmpRow& row);
    void OnApply();
    void EnableAuthState();
    void OnRefresh() { ReadSettings(); }
    void OnEnable8021X();
    void OnKeyChange();
    void OnConfirmKeyChange();
    void LimitKey(ui::ControlId<CEdit> id);
    void OnPortSet();
    Inputs TakeInputs();
    void EnableInputs(bool enable);
    void EnableButtons(bool enable);

    CCommonSNMP m_cCommonSNMP;     // the RADIUS write and the write that disables 802.1X
    CCommonSNMP m_cCommonSNMPSet;  // the write that enables 802.1X
    CCommonSNMP m_cCommonSNMParg;  // the timer write
    CSnmpRead m_read;              // the settings read

    DECLARE_MESSAGE_MAP()
};
