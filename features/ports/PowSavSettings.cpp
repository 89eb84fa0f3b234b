#include "features/ports/PowSavSettings.h"

#include <algorithm>

#include "core/DeviceProfile.h"
#include "core/Utils.h"
#include "platform/ui/Wnd.h"
#include "platform/win/Clock.h"

namespace {
const std::string kProfileTable = "1.3.6.1.4.1.32473.10.76.21.1.32.1.1.";  // + column + "." + index
const std::string kPowerSaving = "1.3.6.1.4.1.32473.10.76.21.1.31.";
const std::string kLedPorts = kPowerSaving + "1.1.0";
const std::string kLedState = kPowerSaving + "1.2.0";
const std::string kLedProfile1 = kPowerSaving + "1.3.0";
const std::string kLedProfile2 = kPowerSaving + "1.4.0";
const std::string kPortPorts = kPowerSaving + "2.1.0";
const std::string kPortState = kPowerSaving + "2.2.0";
const std::string kPortProfile1 = kPowerSaving + "2.3.0";
const std::string kPortProfile2 = kPowerSaving + "2.4.0";
const std::string kHibernationState = kPowerSaving + "4.1.0";
const std::string kHibernationProfile1 = kPowerSaving + "4.2.0";
const std::string kHibernationProfile2 = kPowerSaving + "4.3.0";
const std::string kDetection = kPowerSaving + "6.0";
// A port bitmap is read no further than this, nor than the switch's value.
constexpr int kBitmapBytesRead = 8;
// Between the creation of a profile row and the SET of its columns, on the program clock.
constexpr DWORD kCreatePauseMs = 50;

std::string Column(int column) { return kProfileTable + std::to_string(column); }

std::string ProfileName(const std::string& value) { return value == "None" ? std::string() : value; }
}  // namespace

CPowSavSettings::~CPowSavSettings() { Close(); }

void CPowSavSettings::Close() {
    m_walk.Close();
    m_cCommonSNMP.Close();
    m_cCommonSNMPSet.Close();
}

void CPowSavSettings::Notify(UINT message, WPARAM wParam, LPARAM lParam) {
    ::SendMessage(m_hWndOwner.load(), message, wParam, lParam);
}

// ---- time profiles

void CPowSavSettings::GetTimeProfiles() {
    std::vector<std::string> columns;
    for (size_t c = 1; c <= kTimeProfileColumns; ++c) columns.push_back(Column(static_cast<int>(c)));
    // A walk still running (an earlier refresh) is withdrawn before the new one starts.
    m_walk.Close();
    m_walk.Start(
        SnmpReadSpec::Walk(columns), [this](const SnmpRow& row) { return OnTimeProfileRow(row); },
        CSnmpRead::EndHandler());
}

bool CPowSavSettings::OnTimeProfileRow(const SnmpRow& row) {
    // Every column of one row, or it is no row: the walk ends here and what came stays.
    if (row.Size() != kTimeProfileColumns) return false;
    for (size_t k = 0; k < kTimeProfileColumns; ++k) {
        if (!row.Has(k) || row.vars[k].index != row.Index()) return false;
    }
    TimeProfileEntry entry;
    entry.index = row.Text(0);
    entry.name = row.Text(1);
    entry.dateFlag = row.Text(2);
    if (entry.dateFlag == "1") {
        entry.start.year = row.Text(3);
        entry.start.month = row.Text(4);
        entry.start.day = row.Text(5);
        entry.end.year = row.Text(8);
        entry.end.month = row.Text(9);
        entry.end.day = row.Text(10);
    }
    entry.start.hour = row.Text(6);
    entry.start.minute = row.Text(7);
    entry.end.hour = row.Text(11);
    entry.end.minute = row.Text(12);
    for (size_t d = 0; d < entry.weekdays.size(); ++d) entry.weekdays[d] = row.Text(13 + d);
    entry.rowStatus = row.Text(20);
    Notify(WM_TIMEPROFILE_ROW, 0, reinterpret_cast<LPARAM>(&entry));
    return true;
}

void CPowSavSettings::GetProfileNames() {
    {
        std::lock_guard lock(m_namesMutex);
        m_profileNames.clear();
    }
    m_walk.Close();
    m_walk.Start(
        SnmpReadSpec::Walk({Column(2)}), [this](const SnmpRow& row) { OnProfileNameRow(row); },
        CSnmpRead::EndHandler());
}

void CPowSavSettings::OnProfileNameRow(const SnmpRow& row) {
    for (size_t k = 0; k < row.Size(); ++k) {
        if (row.Text(k).empty()) continue;
        std::lock_guard lock(m_namesMutex);
        m_profileNames.push_back(row.Text(k));
    }
}

std::vector<std::string> CPowSavSettings::ProfileNames() const {
    std::lock_guard lock(m_namesMutex);
    return m_profileNames;
}

int CPowSavSettings::AddTimeProfile(TimeProfileEntry entry) {
    const std::string instance = "." + entry.index;
    if (m_base.SetRowStatus(Column(21) + instance, "5") == 0) return 0;
    win::Sleep(kCreatePauseMs);

    std::vector<SnmpSetVar> vars;
    auto number = [&](int column, const std::string& value) {
        vars.push_back({Column(column) + instance, SNMP_TYPE_INTEGER, value});
    };
    vars.push_back(SnmpSetVar::Octets(Column(2) + instance, entry.name));
    number(3, entry.dateFlag);
    if (entry.dateFlag == "1") {
        number(4, entry.start.year);
        number(5, entry.start.month);
        number(6, entry.start.day);
        number(9, entry.end.year);
        number(10, entry.end.month);
        number(11, entry.end.day);
    }
    number(7, entry.start.hour);
    number(8, entry.start.minute);
    number(12, entry.end.hour);
    number(13, entry.end.minute);
    for (size_t d = 0; d < entry.weekdays.size(); ++d) number(14 + static_cast<int>(d), entry.weekdays[d]);
    number(21, "1");
    return SnmpSet(m_cCommonSNMPSet, vars).Ok() ? 1 : 0;
}

int CPowSavSettings::DeleteTimeProfile(const std::string& index) {
    return m_base.SetRowStatus(Column(21) + "." + index, "6");
}

// ---- power saving

void CPowSavSettings::GetPowerSaving() {
    for (PowerSavingMode& mode : m_modes) mode = PowerSavingMode{};
    m_modes[0].type = kLedShutoff;
    m_modes[1].type = kPortShutoff;
    m_modes[2].type = kHibernation;
    const SnmpAnswer a = SnmpGet(
        m_cCommonSNMP, {kLedPorts, kLedState, kLedProfile1, kLedProfile2, kPortPorts, kPortState, kPortProfile1,
                        kPortProfile2, kHibernationState, kHibernationProfile1, kHibernationProfile2, kDetection});
    if (!a.Ok() || a.Size() < 12) return;

    // The switch holds as many bitmap bytes as its port count needs: read no further.
    auto ports = [&](size_t k) {
        const std::string& bytes = a.Bytes(k);
        std::string list;
        CUtils::BitmapToPortRangeList(bytes.data(), std::min(static_cast<int>(bytes.size()), kBitmapBytesRead), 1,
                                      g_nDevicePortNum, list);
        return list;
    };
    for (size_t f = 0; f < 2; ++f) {
        PowerSavingMode& mode = m_modes[f];
        const size_t k = f * 4;
        mode.portList = ports(k);
        mode.state = a.Text(k + 1);
        mode.profile1 = ProfileName(a.Text(k + 2));
        mode.profile2 = ProfileName(a.Text(k + 3));
    }
    m_modes[2].portList = "All Port";
    m_modes[2].state = a.Text(8);
    m_modes[2].profile1 = ProfileName(a.Text(9));
    m_modes[2].profile2 = ProfileName(a.Text(10));
    m_detection.linkStatus = a.Text(11);

    Notify(WM_POWERSAVING_ROW, 0, reinterpret_cast<LPARAM>(&m_detection));
    Notify(WM_POWERSAVING_ROW, 1, reinterpret_cast<LPARAM>(m_modes.data()));
}

int CPowSavSettings::SetPowerSaving(PowerSavingMode mode) {
    mode.profile1 = ProfileName(mode.profile1);
    mode.profile2 = ProfileName(mode.profile2);
    std::vector<int> flags(static_cast<size_t>(std::max(g_nDevicePortNum, 1)), 0);
    if (CUtils::ParsePortList(mode.portList, flags.data()) == 0) return 0;
    const std::string bitmap = CUtils::PortFlagsToBitmap(flags.data());

    std::string stateOid, portsOid, profile1Oid, profile2Oid;
    switch (mode.type) {
    case kLedShutoff:
        stateOid = kLedState, portsOid = kLedPorts, profile1Oid = kLedProfile1, profile2Oid = kLedProfile2;
        break;
    case kPortShutoff:
        stateOid = kPortState, portsOid = kPortPorts, profile1Oid = kPortProfile1, profile2Oid = kPortProfile2;
        break;
    case kHibernation:
        stateOid = kHibernationState, profile1Oid = kHibernationProfile1, profile2Oid = kHibernationProfile2;
        break;
    default: return 0;
    }
    std::vector<SnmpSetVar> vars;
    if (mode.state != "1") {
        // The switch keeps the ports and profiles it has.
        vars.push_back({stateOid, SNMP_TYPE_INTEGER, "2"});
    } else {
        vars.push_back({stateOid, SNMP_TYPE_INTEGER, mode.state});
        if (!portsOid.empty()) vars.push_back(SnmpSetVar::Octets(portsOid, bitmap));
        vars.push_back(SnmpSetVar::Octets(profile1Oid, mode.profile1));
        vars.push_back(SnmpSetVar::Octets(profile2Oid, mode.profile2));
    }
    return SnmpSet(m_cCommonSNMP, vars).Ok() ? 1 : 0;
}

int CPowSavSettings::SetDetection(PowerSavingDetection detection) {
    return SnmpSet(m_cCommonSNMP, {{kDetection, SNMP_TYPE_INTEGER, detection.linkStatus}}).Ok() ? 1 : 0;
}
