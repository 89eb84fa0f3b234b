#pragma once
// The logic of the switch's time profiles (named time windows) and of the power-saving
// functions scheduled by them: LED shut-off, port shut-off, system hibernation, and the link
// status detection switch. Each dialog of the subsystem owns one instance by value and makes
// itself the owner window that receives the records.
#include <array>
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "core/CommonSNMP.h"
#include "core/ModuleBase.h"
#include "core/SnmpRead.h"
#include "platform/win/WinTypes.h"

// wParam 0, lParam a TimeProfileEntry valid during the call: one row of the profile walk.
constexpr UINT WM_TIMEPROFILE_ROW = WM_USER + 1315;
// wParam 0 with lParam the PowerSavingDetection, then wParam 1 with lParam the first of the
// three PowerSavingMode records; both valid during the call.
constexpr UINT WM_POWERSAVING_ROW = WM_USER + 1215;

struct TimeProfileDateTime {
    std::string year, month, day, hour, minute;
};

// One row of the time profile table, in column order.
struct TimeProfileEntry {
    std::string index;
    std::string name;
    std::string dateFlag;  // "1" the dates apply, "2" they do not
    TimeProfileDateTime start;
    TimeProfileDateTime end;
    std::array<std::string, 7> weekdays;  // Monday to Sunday, "1" on, "2" off
    std::string rowStatus;
};

// One power-saving function.
struct PowerSavingMode {
    int type = 0;             // 1 LED shut-off, 2 port shut-off, 4 system hibernation
    std::string portList;     // range list ("1-4,6"); "All Port" for hibernation
    std::string state = "2";  // "1" enabled, "2" disabled
    std::string profile1;     // time profile names, "" for none
    std::string profile2;
};

struct PowerSavingDetection {
    std::string linkStatus;  // "1" enabled, "2" disabled
};

class CPowSavSettings {
public:
    static constexpr int kLedShutoff = 1;
    static constexpr int kPortShutoff = 2;
    static constexpr int kHibernation = 4;
    static constexpr size_t kTimeProfileColumns = 21;

    CPowSavSettings() = default;
    CPowSavSettings(const CPowSavSettings&) = delete;
    CPowSavSettings& operator=(const CPowSavSettings&) = delete;
    virtual ~CPowSavSettings();

    void SetOwner(HWND owner) { m_hWndOwner = owner; }

    // ---- time profiles
    // Walks the 21 columns; every whole row goes to the owner window. An answer without all
    // columns of one row ends the walk; the rows delivered so far stand.
    void GetTimeProfiles();
    // Walks the name column into the profile-name list (emptied first).
    void GetProfileNames();
    // The names collected so far, in the order of the walk; only whole names.
    std::vector<std::string> ProfileNames() const;
    // Creates the row (createAndWait), then writes its columns and makes it active in one
    // SET: 1 when that SET was accepted, else 0. A row whose column SET fails stays as it is.
    int AddTimeProfile(TimeProfileEntry entry);
    // Destroys the row of this index: 1 when the switch answered.
    int DeleteTimeProfile(const std::string& index);
    // True while a walk has not ended.
    bool WalkRunning() const { return m_walk.Running(); }

    // ---- power saving
    // One GET of the twelve objects, then the detection record and the three function records
    // to the owner window. Nothing is sent to it when the GET fails.
    void GetPowerSaving();
    // Writes one function: 1 when the SET was sent, 0 when the port list is refused (the
    // parser says so) or the SET failed.
    int SetPowerSaving(PowerSavingMode mode);
    // Writes the link status detection: 1 when the SET was accepted.
    int SetDetection(PowerSavingDetection detection);

    const std::array<PowerSavingMode, 3>& Modes() const { return m_modes; }

    // Ends the walks and closes the sessions.
    void Close();

private:
    bool OnTimeProfileRow(const SnmpRow& row);
    void OnProfileNameRow(const SnmpRow& row);
    void Notify(UINT message, WPARAM wParam, LPARAM lParam);

    std::atomic<HWND> m_hWndOwner{nullptr};
    std::array<PowerSavingMode, 3> m_modes;
    PowerSavingDetection m_detection;
    // Appended by the name walk's handler, copied by the power-saving dialog.
    mutable std::mutex m_namesMutex;
    std::vector<std::string> m_profileNames;

    CModuleBase m_base;            // SetRowStatus
    CCommonSNMP m_cCommonSNMP;     // the power-saving scalars
    CCommonSNMP m_cCommonSNMPSet;  // the column SET of a new profile
    CSnmpRead m_walk;              // last: closed before what its handlers write
};
