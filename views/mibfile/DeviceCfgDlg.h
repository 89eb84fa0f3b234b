#pragma once
// "Device Configure": the device information and the configuration options that the MIB
// description file "DUZ9900_CFG.XML" (read from the current directory) lists, and one option
// changed at a time by picking one of its named values. The dialog knows no OID itself. It
// reads and writes with the communities (version 1 requests) whatever the SNMP version.
// CDeviceCfgDlg dlg; dlg.DoModal();
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "core/controls/FeatureDialog.h"
#include "platform/snmp/Snmp.h"
#include "views/mibfile/MibXMLParse.h"

class CDeviceCfgDlg : public CFeatureDialog {
public:
    static constexpr const char* kFileName = "DUZ9900_CFG.XML";
    static constexpr unsigned long kRequestTimeoutMs = 3000;
    static constexpr DWORD kApplyWaitMs = 2000;  // the device takes the value before the re-read

    explicit CDeviceCfgDlg(CWnd* parent = nullptr);
    ~CDeviceCfgDlg() override;

    // A count of hundredths of a second as "H Hour M Min"; a text that is no number counts as 0.
    static std::string TimeText(const std::string& ticks);
    // The reads sent whose answer (or time-out) has not been handled yet.
    int ReadsOut() const { return m_readsOut; }

protected:
    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;

private:
    void ReadDeviceInfo();
    void ReadConfigOptions();
    void Read(CMibXMLParse& reader, CSnmp4w& wrapper, Snmp4wCallback callback);
    static int OnDeviceInfoResponse(CSnmp* response, int requestId, void* dialog, int status);
    static int OnConfigOptionsResponse(CSnmp* response, int requestId, void* dialog, int status);
    int OnReadResponse(CSnmp* response, int status, bool deviceInfo);
    static int OnApplyResponse(CSnmp* response, int requestId, void* dialog, int status);
    // Fills a list from an answer on the user-interface thread; nothing for an error status.
    void Fill(CSnmp& response, bool deviceInfo);
    void OnClickConfigList(NMHDR*, LRESULT* result);
    void OnApply();
    void OnRefresh();

    std::unique_ptr<CSnmp4w> m_infoRead = std::make_unique<CSnmp4w>();
    std::unique_ptr<CSnmp4w> m_configRead = std::make_unique<CSnmp4w>();
    std::unique_ptr<CSnmp4w> m_write = std::make_unique<CSnmp4w>();
    std::string m_strAgent;
    std::string m_strReadCommunity;
    std::string m_strWriteCommunity;
    std::string m_SelectedOid;
    std::vector<MibValuePair> m_SelectedValues;
    CMibXMLParse m_config;
    CMibXMLParse m_info;
    std::atomic<bool> m_bClosing{false};
    std::atomic<int> m_readsOut{0};

    DECLARE_MESSAGE_MAP()
};
