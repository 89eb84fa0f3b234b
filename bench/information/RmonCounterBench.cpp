// Time of one refresh of the RMON 1 counter view with 24 items against the simulated switch:
// from the refresh (what each 2 s tick does) to the 24th value shown, the switch's counters
// changed before each round so every item must show a new value. Target: well under 200 ms.
#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/ModuleStartupParams.h"
#include "features/information/StatisticRmon1.h"
#include "features/information/StatisticRmonCnt.h"
#include "platform/ui/App.h"
#include "platform/ui/Dialog.h"
#include "platform/win/Event.h"
#include "resources/templates/Rmon1DialogsIds.h"
#include "tests/support/switchsim/SimulatedSwitch.h"

using Clock = std::chrono::steady_clock;
using ms = std::chrono::duration<double, std::milli>;

namespace {
void PumpUntil(const std::function<bool()>& done, double limitMs = 10000) {
    const auto start = Clock::now();
    while (!done() && ms(Clock::now() - start).count() < limitMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (win::WaitPump* pump = win::GetWaitPump()) pump->Pump(std::chrono::milliseconds(1));
    }
}
}  // namespace

int main() {
    switchsim::SimulatedSwitch::Options options;
    options.config = {"log off"};
    switchsim::SimulatedSwitch sim(options);
    std::string error;
    if (!sim.Start(&error)) {
        std::fprintf(stderr, "switch: %s\n", error.c_str());
        return 1;
    }
    ui::EnsureApplication();
    ModuleStartupParams::ResetToDefaults();
    ModuleStartupParams::DeviceIP = sim.Target();
    ModuleStartupParams::ReadCommunity = "norfen";
    ModuleStartupParams::WriteCommunity = "quastel";
    ModuleStartupParams::SnmpVersion = "1";

    constexpr int kRounds = 21;
    std::vector<double> times;
    ui::SetModalHook([&](CDialog& dlg) {
        if (auto* list = dynamic_cast<CStatisticRmon1*>(&dlg)) {
            PumpUntil([&] { return !list->Reading() && list->IndexList().size() >= 24; });
            list->SendMessage(WM_COMMAND, rmon1_statistic_ids::IDC_OPEN_PARAMETER);
            dlg.EndDialog(IDCANCEL);
            return;
        }
        using namespace rmon1_counter_ids;
        for (int round = 1; round <= kRounds; ++round) {
            std::string commands;
            for (int i = 1; i <= 24; ++i)
                commands += "set " + kEtherStatsEntry + "4." + std::to_string(i) + " c " +
                            std::to_string(round * 1000 + i) + "\n";
            sim.Control(commands);
            const auto t0 = Clock::now();
            dlg.SendMessage(WM_COMMAND, IDC_REFRESH);
            PumpUntil([&] {
                for (int k = 1; k <= 24; ++k) {
                    if (dlg.GetDlgItemText(IDC_ITEM_VALUE + k) != std::to_string(round * 1000 + k)) return false;
                }
                return true;
            });
            times.push_back(ms(Clock::now() - t0).count());
        }
        dlg.EndDialog(IDCANCEL);
    });
    {
        CStatisticRmon1 list;
        list.DoModal();
    }
    ui::SetModalHook(nullptr);
    if (times.empty()) {
        std::fprintf(stderr, "the counter view did not open\n");
        return 1;
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "refresh of 24 items to the 24th value shown: median %.1f ms, max %.1f ms (%zu rounds, target < 200 ms)\n",
        times[times.size() / 2], times.back(), times.size());
    return 0;
}
