#include "features/management/ResetDevice.h"

#include <string>

namespace {

constexpr const char* kSaveConfigOid = "1.3.6.1.4.1.32473.10.76.21.1.1.10.0";
constexpr const char* kRebootOid = "1.3.6.1.4.1.32473.10.76.21.1.1.9.0";
constexpr const char* kFirmwareStatusOid = "1.3.6.1.4.1.32473.10.76.21.1.3.9.6.0";
constexpr const char* kConfigStatusOid = "1.3.6.1.4.1.32473.10.76.21.1.3.10.6.0";

std::string ValueText(const CSnmp& response, int index) {
    int type = 0;
    const char* value = nullptr;
    if (response.getValue(index, type, value) != 0 || value == nullptr) return {};
    return value;
}

}  // namespace

int CResetDevice::CanReboot() {
    m_cCommonSNMP.Open(0);
    m_cCommonSNMP.AddVarBind(kSaveConfigOid, 4, "");
    m_cCommonSNMP.AddVarBind(kFirmwareStatusOid, 4, "");
    m_cCommonSNMP.AddVarBind(kConfigStatusOid, 4, "");
    CSnmp* response = nullptr;
    if (m_cCommonSNMP.Send(response, 0) != 0) return 1;
    const std::string save = ValueText(*response, 0);
    const std::string firmware = ValueText(*response, 1);
    const std::string config = ValueText(*response, 2);
    delete response;
    // A configuration status of "3" does not block, unlike the firmware's.
    if (save == "1" || firmware == "4" || firmware == "3" || config == "4") return 0;
    return 1;
}

void CResetDevice::RebootDevice() {
    m_cCommonSNMP.Open(3);
    m_cCommonSNMP.AddVarBind(kRebootOid, 1, "1");
    CSnmp* response = nullptr;
    if (m_cCommonSNMP.GetNext(response, 0) == 0) delete response;
}
