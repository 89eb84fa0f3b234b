#pragma once
// "Auto Surveillance VLAN Settings": the surveillance VLAN's state, id, priority and tagged
// uplink/downlink ports, and the MAC and OUI entries that identify surveillance devices.
// Opened from the menu: CCameraVlanSetting dlg; dlg.DoModal();
//
// Every read hands its rows and its end to this dialog on the user-interface thread, so the
// lists and the members they fill are only ever written there. The VLAN walk starts the read
// of the surveillance settings when it reaches the end of the VLAN table; that read and the
// entry walk both decide the enabling of Add and Delete, which follows the feature's state
// once both have ended.
#include <string>
#include <vector>

#include "core/CodeConvert.h"
#include "core/CommonSNMP.h"
#include "core/ModuleBase.h"
#include "core/SnmpRead.h"
#include "core/controls/FeatureDialog.h"
#include "features/vlan/CameraVlanChecks.h"

// The aggregated links' walk and check, and whether that walk still runs.
class CCameraVlanModule : public CModuleBase {
public:
    bool TrunkWalkRunning() const { return m_tableRead.Running(); }
};

class CCameraVlanSetting : public CFeatureDialog {
public:
    explicit CCameraVlanSetting(CWnd* parent = nullptr);

    // True while a read started by the last refresh has not ended.
    bool ReadsRunning() const;

protected:
    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;
    void CloseSessions() override;

private:
    void Refresh();
    void OnVlanRow(const SnmpRow& row);
    void OnVlanWalkEnd(const SnmpReadResult& result);
    void ReadSurveillance();
    void OnSurveillanceRead(const SnmpRow& row);
    void OnEntryRow(const SnmpRow& row);
    void OnEntryWalkEnd();
    void OnVoiceOuiRow(const SnmpRow& row);
    // Add and Delete follow the last-read state once the entry walk and the surveillance
    // read of this refresh have both ended.
    void ApplyEntryEnabling();
    // The controls that follow the check box (Delete only when withDelete).
    void EnableSettings(bool enable, bool withDelete);
    void EnableWalkButtons(BOOL enable);
    // Shows a refusal; re-reads when it asks for that.
    void Refuse(const CameraVlanRefusal& refusal);

    void OnEnableClicked();
    void OnModeChange();
    void OnApply();
    void OnAdd();
    void OnDelete();
    void OnRefresh();
    void OnClose();

    CCodeConvert m_codeConvert;
    CCameraVlanModule m_module;    // aggregated links: the walk and the check
    std::string m_strState = "2";  // the state as last read
    std::vector<std::string> m_arrVlanId;
    std::vector<std::string> m_arrVoicePrefix;  // 6 hexadecimal digits each
    std::vector<std::string> m_arrVoiceType;    // column .4 texts, same order
    CameraVlanReadState m_read;
    std::vector<int> m_ports;  // per-port marks of Apply
    bool m_bEntryWalkDone = false;
    bool m_bSurveillanceShown = false;

    CCommonSNMP m_cCommonSNMP;         // session 1: the GET of the other features' settings, row SETs
    CCommonSNMP m_cCommonSNMPSet;      // session 2: Apply's SET
    CSnmpRead m_cCommonSNMPGet;        // session 3: the surveillance settings
    CSnmpRead m_cCommonSNMPTable;      // session 4: the entry walk
    CSnmpRead m_cCommonSNMPVoiceOui;   // session 5: the voice VLAN's OUIs
    CSnmpRead m_cCommonSNMPTableVlan;  // session 6: the VLAN walk

    DECLARE_MESSAGE_MAP()
};
