#pragma once
// Reboots the switch for the Tools menu's Reboot command; refuses while a save or a
// firmware or configuration transfer is in progress. One object per use, no window.
#include "core/CommonSNMP.h"

class CResetDevice {
public:
    CResetDevice() = default;
    virtual ~CResetDevice() = default;
    CResetDevice(const CResetDevice&) = delete;
    CResetDevice& operator=(const CResetDevice&) = delete;

    // 1 when the reboot may go ahead, 0 when the switch is busy. A check that gets no answer
    // does not block the reboot.
    int CanReboot();
    // Writes the reboot object; the outcome is not reported.
    void RebootDevice();

private:
    CCommonSNMP m_cCommonSNMP;
};
