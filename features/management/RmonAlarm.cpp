#include "features/management/RmonAlarm.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "core/DeviceProfile.h"
#include "core/controls/InputCheck.h"
#include "resources/templates/ManagementDialogsIds.h"

using namespace rmon_alarm_ids;

namespace {
// Posted by the end of an Apply's event read: the checks and the write follow from it, after
// the walk has let go of its session.
constexpr UINT WM_ALARM_CHECK = WM_APP + 1010;
constexpr size_t kIndexDigits = 5;
constexpr long long kMaxIndex = 65535;
const std::string kIfEntry = "1.3.6.1.2.1.2.2.1.";

// The edit's number, wide enough that a value beyond 2^31-1 is seen as such (one beyond a
// long long stays at its end); text that is not a number gives 0.
long long Number64(const std::string& text) { return std::strtoll(text.c_str(), nullptr, 10); }

bool InRange(long long value, long long low, long long high) { return value >= low && value <= high; }
}  // namespace

BEGIN_MESSAGE_MAP(CRmonAlarm, CRmonTableDialog)
    ON_BN_CLICKED(IDC_APPLY, OnApply)
    ON_BN_CLICKED(IDC_REFRESH, OnRefresh)
    ON_EN_CHANGE(IDC_INDEX, OnIndexChange)
    ON_MESSAGE(WM_ALARM_CHECK, OnCheckAndWrite)
END_MESSAGE_MAP()

CRmonAlarm::CRmonAlarm(CWnd* parent)
    : CRmonTableDialog(
          IDD,
          {"RMON Alarm Configuration",
           IDC_LIST,
           IDC_OWNER,
           {{"Index", nullptr, 0, 0, 50},
            {"Interval", nullptr, 0, 0, 70},
            {"Variable", nullptr, 0, 0, 70},
            {"Sample Type", nullptr, 0, 0, 120},
            {"Rising Threshold", nullptr, 0, 0, 130},
            {"Falling Threshold", nullptr, 0, 0, 135},
            {"Rising Event Index", nullptr, 0, 0, 150},
            {"Falling Event Index", nullptr, 0, 0, 150},
            {"Owner", nullptr, 0, 0, 50},
            {"", nullptr, 0, 0, 70}},
           {IDC_INDEX, IDC_INTERVAL, IDC_VARIABLE, IDC_SAMPLE_TYPE, IDC_RISING_THRESHOLD, IDC_FALLING_THRESHOLD,
            IDC_RISING_EVENT, IDC_FALLING_EVENT, IDC_OWNER, IDC_APPLY, IDC_REFRESH, IDC_CLOSE}},
          parent) {}

int CRmonAlarm::ParseVariable(const std::string& text) {
    if (text.rfind(kIfEntry, 0) != 0) return 0;
    if (text.find_first_not_of("0123456789.") != std::string::npos) return 0;
    if (text.find("..") != std::string::npos || text.back() == '.') return 0;
    const std::string rest = text.substr(kIfEntry.size());
    const size_t dot = rest.find('.');
    if (dot == std::string::npos) return 0;
    const int column = std::atoi(rest.substr(0, dot).c_str());
    const int port = std::atoi(rest.c_str() + dot + 1);
    return column >= 10 && column <= 21 && port >= 1 && port <= g_nDevicePortNum ? 1 : 0;
}

void CRmonAlarm::ResetInputs() {
    CComboBox& type = Item(IDC_SAMPLE_TYPE);
    if (type.GetCount() == 0) {
        type.AddString("Absolute value");
        type.AddString("Delta value");
    }
    for (auto id : {IDC_INDEX, IDC_VARIABLE, IDC_RISING_THRESHOLD, IDC_FALLING_THRESHOLD, IDC_RISING_EVENT,
                    IDC_FALLING_EVENT, IDC_OWNER}) {
        Item(id).SetWindowText("");
    }
    Item(IDC_INTERVAL).SetWindowText("300");
    type.SetCurSel(0);
}

void CRmonAlarm::OnIndexChange() {
    CEdit& edit = Item(IDC_INDEX);
    const std::string text = edit.GetWindowText();
    if (text.size() <= kIndexDigits) return;
    int start = 0;
    int end = 0;
    edit.GetSel(start, end);
    edit.SetWindowText(text.substr(0, kIndexDigits));
    edit.SetSel(start % 256, start % 256);
}

void CRmonAlarm::ListRows() {
    m_alarmIndexes.clear();
    for (const RMON_alarm_configuration& a : m_rmon.m_listAlarm) {
        if (a.status != 1) continue;
        const char* sample = a.sampleType == 1 ? "Absolute value" : a.sampleType == 2 ? "Delta value" : "";
        AddListedRow({std::to_string(a.index), std::to_string(a.interval), a.variable, sample,
                      std::to_string(a.risingThreshold), std::to_string(a.fallingThreshold),
                      std::to_string(a.risingEventIndex), std::to_string(a.fallingEventIndex), a.owner});
        m_alarmIndexes.push_back(a.index);
    }
}

void CRmonAlarm::OnApply() {
    EnableInputs(false);
    if (!m_rmon.SetHwnd(GetSafeHwnd())) {
        EnableInputs(true);
        return;
    }
    m_rmon.ReadEventTable();
}

void CRmonAlarm::OnTableRead(WPARAM code) {
    if (code == kRmonEvent) PostMessage(WM_ALARM_CHECK);
    else FillList();
}

LRESULT CRmonAlarm::OnCheckAndWrite(WPARAM, LPARAM) {
    LoadEventIndexes();
    EnableInputs(false);
    CheckAlarmInput();
    EnableInputs(true);
    RefreshTable();
    return 0;
}

void CRmonAlarm::LoadEventIndexes() {
    // Every event read counts, whatever its status.
    m_eventIndexes.clear();
    for (const RMON_event_configuration& e : m_rmon.m_listEvent) m_eventIndexes.push_back(e.index);
    EnableInputs(true);
}

bool CRmonAlarm::IsEventIndexKnown(long long index) const {
    return std::find(m_eventIndexes.begin(), m_eventIndexes.end(), index) != m_eventIndexes.end();
}

int CRmonAlarm::CheckAlarmInput() {
    const long long index = Number64(Item(IDC_INDEX).GetWindowText());
    const long long interval = Number64(Item(IDC_INTERVAL).GetWindowText());
    const std::string variable = Item(IDC_VARIABLE).GetWindowText();
    const int sample = Item(IDC_SAMPLE_TYPE).GetCurSel();
    const long long rising = Number64(Item(IDC_RISING_THRESHOLD).GetWindowText());
    const long long falling = Number64(Item(IDC_FALLING_THRESHOLD).GetWindowText());
    const long long risingEvent = Number64(Item(IDC_RISING_EVENT).GetWindowText());
    const long long fallingEvent = Number64(Item(IDC_FALLING_EVENT).GetWindowText());
    // Numbers beyond 2^31-1 are refused with their field's message, never wrapped.
    const InputCheck checks[] = {
        {[&] { return !InRange(index, 1, kMaxIndex); }, "Index number must be between 1 and 65535!"},
        {[&] { return std::find(m_alarmIndexes.begin(), m_alarmIndexes.end(), index) != m_alarmIndexes.end(); },
         "Index had already exits!"},
        {[&] { return !InRange(interval, 1, INT_MAX); }, "Interval number must be between 1 and 2147483647!"},
        {[&] { return !ParseVariable(variable); },
         "Variable Format is 1.3.6.1.2.1.2.2.1.X.Y!\nX = standard MIB Entry between 10~21\nY = Device Port Number"},
        {[&] { return sample < 0; }, ""},
        {[&] { return !InRange(rising, 0, INT_MAX); }, "Rising Threshold must be between 0 and 2^31-1!"},
        {[&] { return !InRange(falling, 0, INT_MAX); }, "Filling Threshold must be between 0 and 2^31-1!"},
        {[&] { return !InRange(risingEvent, 1, kMaxIndex); }, "Rising event index must be between 1 and 65535!"},
        {[&] { return falling >= rising; }, "Falling-threshold should be less than Rising-threshold !"},
        {[&] { return !IsEventIndexKnown(risingEvent); }, "Event Index is not exist,please add first!"},
        {[&] { return !InRange(fallingEvent, 1, kMaxIndex); }, "Failling event index must be between 1 and 65535!"},
        {[&] { return !IsEventIndexKnown(fallingEvent); }, "Event Index is not exist,please add first!"},
    };
    if (!PassChecks(checks)) return 0;
    RMON_alarm_configuration entry;
    entry.index = static_cast<int>(index);
    entry.interval = static_cast<int>(interval);
    entry.variable = variable;
    entry.sampleType = sample + 1;
    entry.risingThreshold = static_cast<int>(rising);
    entry.fallingThreshold = static_cast<int>(falling);
    entry.risingEventIndex = static_cast<int>(risingEvent);
    entry.fallingEventIndex = static_cast<int>(fallingEvent);
    entry.owner = Item(IDC_OWNER).GetWindowText();
    return m_rmon.SetAlarmEntry(&entry);
}
