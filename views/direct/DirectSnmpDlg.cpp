#include "views/direct/DirectSnmpDlg.h"

#include <utility>

#include "core/ModuleStartupParams.h"
#include "platform/ui/Controls.h"

namespace {
void AddObjects(CSnmp& session, const std::vector<DirectObject>& objects) {
    for (const DirectObject& o : objects) session.addValue(o.oid.c_str(), o.type, o.value.c_str());
}

void AddReads(CSnmp& session, const std::vector<std::string>& oids) {
    for (const std::string& oid : oids) session.addValue(oid.c_str(), SNMP_TYPE_NULL, nullptr);
}

// Values in order up to the first variable without one.
std::vector<DirectValue> ValuesOf(const CSnmp& response) {
    std::vector<DirectValue> values;
    for (int i = 0; i < response.getVarBindCount(); ++i) {
        int type = 0;
        const char* text = nullptr;
        const unsigned char* data = nullptr;
        int length = 0;
        if (response.getValue(i, type, text) != 0 || text == nullptr) break;
        response.getBinaryValue(i, type, data, length);
        values.push_back({text, data ? std::string(reinterpret_cast<const char*>(data), length) : std::string()});
    }
    return values;
}

// The entry a value selects: its position when it is a decimal number below `count`, else 0.
int SelectPosition(const std::string& value, int count) {
    if (value.empty() || value.size() > 9 || value.find_first_not_of("0123456789") != std::string::npos) return 0;
    const int position = std::stoi(value);
    return position < count ? position : 0;
}

// Sends a prepared v3 request once through a table object (a GET or SET goes out as it is).
int SendV3(CSnmpV3& session, const DirectSnmpSettings& settings, CSnmp*& response) {
    ApplyV3Security(session, settings);
    CSnmpTable table(&session);
    return table.getNext(settings.agent.c_str(), response, settings.timeoutMs);
}
}  // namespace

int WriteScalarsV1(const DirectSnmpSettings& settings, const std::vector<DirectObject>& objects) {
    if (settings.version != 1) return EC_NOT_READY;
    CSnmpV1 session(SNMP_PDU_SET);
    session.setCommunity(settings.writeCommunity.c_str());
    AddObjects(session, objects);
    CSnmp* response = nullptr;
    const int status = session.send(settings.agent.c_str(), response, 0);
    delete response;
    return status;
}

int WriteScalarsV3(const DirectSnmpSettings& settings, const std::vector<DirectObject>& objects) {
    if (settings.version != 3) return EC_NOT_READY;
    CSnmpV3 session(SNMP_PDU_SET);
    AddObjects(session, objects);
    CSnmp* response = nullptr;
    const int status = SendV3(session, settings, response);
    delete response;
    return status;
}

std::vector<DirectValue> ReadScalarsSync(const DirectSnmpSettings& settings, const std::vector<std::string>& oids) {
    CSnmp* response = nullptr;
    int status = EC_NOT_READY;
    if (settings.version == 1) {
        CSnmpV1 session(SNMP_PDU_GET);
        session.setCommunity(settings.readCommunity.c_str());
        AddReads(session, oids);
        status = session.send(settings.agent.c_str(), response, settings.timeoutMs);
    } else if (settings.version == 3) {
        CSnmpV3 session(SNMP_PDU_GET);
        AddReads(session, oids);
        status = SendV3(session, settings, response);
    }
    std::vector<DirectValue> values;
    if (status == EC_NO_ERROR && response) values = ValuesOf(*response);
    delete response;
    return values;
}

CDirectSnmpDlg::CDirectSnmpDlg(UINT templateId, std::vector<ScalarField> scalars, std::size_t minScalars)
    : CFeatureDialog(templateId, {.topmost = true}), m_scalars(std::move(scalars)), m_minScalars(minScalars) {}

CDirectSnmpDlg::~CDirectSnmpDlg() { CDirectSnmpDlg::DestroyWindow(); }

BOOL CDirectSnmpDlg::DestroyWindow() {
    std::unique_ptr<CSnmpTable4w> async;
    {
        std::lock_guard lock(m_mutex);
        m_closed = true;
        m_requestId = 0;
        async = std::move(m_async);
    }
    // Drops the answers still out and waits for a callback already running (which finds
    // the dialog closed and arms nothing); the wait keeps serving its calls to the controls.
    async.reset();
    return GetSafeHwnd() ? CFeatureDialog::DestroyWindow() : TRUE;
}

int CDirectSnmpDlg::RequestId() const {
    std::lock_guard lock(m_mutex);
    return m_requestId;
}

bool CDirectSnmpDlg::IsClosed() const {
    std::lock_guard lock(m_mutex);
    return m_closed;
}

bool CDirectSnmpDlg::StartAsync(CSnmpV1& session, Snmp4wCallback callback, bool walk, bool track,
                                unsigned long timeoutMs) {
    std::lock_guard lock(m_mutex);
    if (m_closed || m_abandoning) return false;
    m_async->setSnmp(&session);
    const char* agent = m_settings.agent.c_str();
    const int status = walk ? m_async->getNextAsync(agent, callback, this, GetSafeHwnd(), timeoutMs)
                            : m_async->sendAsync(agent, callback, this, GetSafeHwnd(), timeoutMs);
    if (status != EC_NO_ERROR) return false;
    if (track) m_requestId = session.getRequestId();
    return true;
}

bool CDirectSnmpDlg::TakeAnswer(int requestId) {
    std::lock_guard lock(m_mutex);
    if (!m_closed && requestId != 0 && requestId == m_requestId) return true;
    m_requestId = 0;
    return false;
}

void CDirectSnmpDlg::EndWalk() {
    std::lock_guard lock(m_mutex);
    m_requestId = 0;
}

void CDirectSnmpDlg::AbandonRequests() {
    std::unique_ptr<CSnmpTable4w> abandoned;
    {
        std::lock_guard lock(m_mutex);
        if (m_closed) return;
        m_requestId = 0;
        m_abandoning = true;
        abandoned = std::exchange(m_async, std::make_unique<CSnmpTable4w>());
    }
    abandoned.reset();  // waits for a callback in progress, serving its calls to the controls
    std::lock_guard lock(m_mutex);
    m_abandoning = false;
    m_requestId = 0;
}

void CDirectSnmpDlg::ReadScalarsV1() {
    if (ModuleStartupParams::SnmpVersion != "1") return;
    const DirectSnmpSettings now = DirectSnmpSettings::FromStartup();
    CSnmpV1 session(SNMP_PDU_GET);
    session.setCommunity(now.readCommunity.c_str());
    for (const ScalarField& f : m_scalars) session.addValue(f.oid, SNMP_TYPE_NULL, nullptr);
    std::lock_guard lock(m_mutex);
    if (m_closed || m_abandoning) return;
    m_async->setSnmp(&session);
    m_async->sendAsync(now.agent.c_str(), &CDirectSnmpDlg::OnScalarsV1, this, nullptr, 0);
    m_async->setSnmp(nullptr);
}

void CDirectSnmpDlg::ReadScalarsMember() { ReadScalarsMember(m_session); }

void CDirectSnmpDlg::ReadScalarsMember(CSnmpV1& session) {
    session.setType(SNMP_PDU_GET);
    session.setCommunity(m_settings.readCommunity.c_str());
    session.clearVarBindList();
    for (const ScalarField& f : m_scalars) session.addValue(f.oid, SNMP_TYPE_NULL, nullptr);
    StartAsync(session, &CDirectSnmpDlg::OnScalarsV1, true, false, 0);
}

void CDirectSnmpDlg::ReadScalarsV3() {
    CWaitCursor wait;
    std::vector<std::string> oids;
    for (const ScalarField& f : m_scalars) oids.emplace_back(f.oid);
    ShowScalars(ReadScalarsSync(m_settings, oids));
}

int CDirectSnmpDlg::WriteAsyncV1(const std::vector<DirectObject>& objects, Snmp4wCallback callback, bool walk) {
    m_session.setType(SNMP_PDU_SET);
    m_session.setCommunity(m_settings.writeCommunity.c_str());
    m_session.clearVarBindList();
    AddObjects(m_session, objects);
    return StartAsync(callback, walk, false) ? EC_NO_ERROR : EC_NOT_READY;
}

int CDirectSnmpDlg::OnScalarsV1(CSnmp* response, int, void* dialog, int status) {
    auto* self = static_cast<CDirectSnmpDlg*>(dialog);
    if (status == EC_NO_ERROR && response && !self->IsClosed()) self->ShowScalars(ValuesOf(*response));
    delete response;
    return 0;
}

void CDirectSnmpDlg::ShowScalars(const std::vector<DirectValue>& values) {
    if (values.size() < m_minScalars) return;
    for (std::size_t i = 0; i < values.size() && i < m_scalars.size(); ++i) {
        const ScalarField& f = m_scalars[i];
        switch (f.format) {
        case ScalarField::Text: SetDlgItemText(f.controlId, f.text ? f.text(values[i].text) : values[i].text); break;
        case ScalarField::Hex: SetDlgItemText(f.controlId, HexText(values[i].bytes)); break;
        case ScalarField::Check:
            CheckDlgButton(f.controlId, values[i].text == "1" ? BST_CHECKED : BST_UNCHECKED);
            break;
        case ScalarField::Select:
            if (auto* list = dynamic_cast<CComboBox*>(GetDlgItem(f.controlId)))
                list->SetCurSel(SelectPosition(values[i].text, list->GetCount()));
            break;
        }
    }
    if (!values.empty()) OnScalarsShown();
}
