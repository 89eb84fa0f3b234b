#pragma once
// "System Information": the MIB-II system group, with sysName and sysLocation editable
// (Public MIB 32805). Read with one GET, written with one SET of name and location.
#include <string>

#include "core/CodeConvert.h"
#include "core/CommonSNMP.h"
#include "core/SnmpRead.h"
#include "core/controls/FeatureDialog.h"
#include "platform/ui/Controls.h"

class CSnmpDevIden : public CFeatureDialog {
public:
    CSnmpDevIden();

    void ReadSystemGroup();
    // Writes name and location once they passed the checks.
    void Apply();
    // sysUpTime in hundredths of a second as "H Hour M Min".
    static std::string FormatUptime(const std::string& ticks);

protected:
    BOOL OnInitDialog() override;
    void CloseSessions() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;

private:
    void OnRefresh();
    void OnFieldChange() {}
    // The read's per-answer step: shows the six values of the GET.
    void ReadCallback(const SnmpRow& row);
    void EnableButtons(BOOL enable);
    void ShowEditable(ui::ControlId<CEdit> id, const std::string& text, int limit);

    CCommonSNMP m_cCommonSNMPSet;
    CCodeConvert m_codeConvert;
    std::string m_strName;
    std::string m_strLocation;
    CSnmpRead m_cCommonSNMP;  // the read of the system group; last, so it closes first

    DECLARE_MESSAGE_MAP()
};
