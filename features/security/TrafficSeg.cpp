#include "features/security/TrafficSeg.h"

#include "core/SnmpRead.h"

const std::string CTrafficSeg::kState = "1.3.6.1.4.1.32473.10.76.21.1.14.9.1.0";
const std::string CTrafficSeg::kForwardTable = "1.3.6.1.4.1.32473.10.76.21.1.14.9.2.1.";

CTrafficSeg::~CTrafficSeg() { Close(); }

void CTrafficSeg::Close() {
    m_session.Close();
    m_session2.Close();
}

void CTrafficSeg::GetState() {
    m_strState = "1";
    const SnmpAnswer answer = SnmpGet(m_session, {kState});
    if (answer.Ok()) m_strState = answer.Text(0);
}

void CTrafficSeg::SetState(const std::string& state) { SnmpSet(m_session, {{kState, SNMP_TYPE_INTEGER, state}}); }

int CTrafficSeg::SetForwardPorts(const std::string& port, const std::string& bitmap) {
    return SnmpSet(m_session, {SnmpSetVar::Octets(kForwardTable + "2." + port, bitmap)}).Answered() ? 1 : 0;
}
