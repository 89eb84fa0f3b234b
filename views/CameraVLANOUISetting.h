#pragma once
// "Auto Surveillance VLAN OUI Settings": the switch's surveillance OUI table (the address
// prefixes by which it recognises cameras and servers), a user-defined OUI added with its
// description, or one deleted. The default camera OUI 06-3C-91 can be neither added nor
// deleted here and does not count towards the five user-defined ones.
// CCameraVLANOUISetting dlg; dlg.DoModal();
#include <string>
#include <vector>

#include "core/CodeConvert.h"
#include "core/CommonSNMP.h"
#include "core/SnmpRead.h"
#include "core/controls/FeatureDialog.h"
#include "core/controls/ListCtrlEx.h"

class CCameraVLANOUISetting : public CFeatureDialog {
public:
    explicit CCameraVLANOUISetting(CWnd* parent = nullptr);

    // 1 to accept the entry beside the OUIs the list shows; else its message and 0.
    int CheckOuiEntry(const std::string& description, const std::string& oui, int defaultMode);
    // The message that refuses an entry beside these listed OUIs ("06-3C-91-00-00-00"), ""
    // when it is accepted. defaultMode 0 refuses the default OUI and counts the user entries.
    static std::string OuiEntryFault(const std::string& description, const std::string& oui,
                                     const std::vector<std::string>& listed, int defaultMode);
    // ".6.60.145.0.0.0" for "063C91000000": each two hexadecimal digits as one arc.
    static std::string OuiToOidSuffix(const std::string& hex);

protected:
    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;
    void CloseSessions() override;

private:
    void OnRefresh();
    void OnAdd();
    void OnDelete();
    void OnClose() { OnCancel(); }
    void EnableButtons(bool enable);
    void OnOuiRow(const SnmpRow& row);
    std::vector<std::string> ListedOuis();

    CCodeConvert m_convert;
    CListCtrlEx m_list;
    CCommonSNMP m_cCommonSNMP;  // the SETs
    CSnmpRead m_tableRead;      // the walk; last, closed before what its handlers use

    DECLARE_MESSAGE_MAP()
};
