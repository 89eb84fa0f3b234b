#pragma once
// Traffic segmentation on the switch: its state and the writes of per-port forwarding sets.
#include <string>

#include "core/CommonSNMP.h"
#include "core/ModuleBase.h"

class CTrafficSeg : public CModuleBase {
public:
    static const std::string kState;
    static const std::string kForwardTable;  // + column + .port

    ~CTrafficSeg() override;

    // "1" first, then the state read; a failed read leaves "1" (shown as enabled).
    void GetState();
    void SetState(const std::string& state);
    // One SET of the port's forwarding bitmap; 1 when it was answered.
    int SetForwardPorts(const std::string& port, const std::string& bitmap);
    void Close();

    std::string m_strState = "1";

private:
    CCommonSNMP m_session;
    CCommonSNMP m_session2;  // closed only
};
