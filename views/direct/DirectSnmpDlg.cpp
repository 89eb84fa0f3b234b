#include "views/direct/DirectSnmpDlg.h"

#include <algorithm>
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

std::vector<DirectValue> ValuesOf(const CSnmp& response) {
    SnmpRow row;
    row.vars = SnmpValuesOf(response);
    return LeadingValues(row);
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

bool CDirectSnmpDlg::Reading() const {
    return std::any_of(m_scalarReads.begin(), m_scalarReads.end(), [](const auto& read) { return read->Running(); });
}

void CDirectSnmpDlg::CloseSessions() {
    for (const auto& read : m_scalarReads) read->Close();
    m_write.Close();
}

void CDirectSnmpDlg::WriteAsyncV1(const std::vector<DirectObject>& objects, std::function<void()> answered) {
    std::vector<SnmpSetVar> vars;
    for (const DirectObject& o : objects) vars.push_back({o.oid, o.type, o.value});
    m_write.Start(SnmpReadSpec::Set(std::move(vars), LibraryTimeoutMs()), nullptr,
                  [answered = std::move(answered)](const SnmpReadResult&) {
                      if (answered) answered();
                  });
}

void CDirectSnmpDlg::ReadScalarsV1() {
    if (ModuleStartupParams::SnmpVersion != "1") return;
    StartScalarRead();
}

void CDirectSnmpDlg::ReadScalarsMember() { StartScalarRead(); }

void CDirectSnmpDlg::StartScalarRead() {
    std::vector<std::string> oids;
    for (const ScalarField& f : m_scalars) oids.emplace_back(f.oid);
    SnmpReadSpec spec = SnmpReadSpec::Get(std::move(oids), LibraryTimeoutMs());
    spec.minVarbinds = 1;  // a short answer shows what it holds
    std::erase_if(m_scalarReads, [](const auto& read) { return !read->Running(); });
    m_scalarReads.push_back(std::make_unique<CSnmpRead>());
    m_scalarReads.back()->Start(
        spec, [this](const SnmpRow& row) { OnScalarsV1(row); }, nullptr);
}

void CDirectSnmpDlg::OnScalarsV1(const SnmpRow& answer) { ShowScalars(LeadingValues(answer)); }

void CDirectSnmpDlg::ReadScalarsV3() {
    CWaitCursor wait;
    std::vector<std::string> oids;
    for (const ScalarField& f : m_scalars) oids.emplace_back(f.oid);
    ShowScalars(ReadScalarsSync(m_settings, oids));
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

int LibraryTimeoutMs() { return GetSnmpTimeout(); }

std::vector<DirectValue> LeadingValues(const SnmpRow& row) {
    std::vector<DirectValue> values;
    for (const SnmpValue& v : row.vars) {
        if (!v.present) break;
        values.push_back({v.text, v.bytes});
    }
    return values;
}
