// Time to fill the forwarding table view's store with 5,000 entries from the simulated
// switch, against snmpwalk of the same two columns from the same agent; and the longest
// gap between event-loop iterations while the walk runs.
#include <QCoreApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/CommonSNMP.h"
#include "core/ModuleStartupParams.h"
#include "platform/ui/App.h"
#include "platform/ui/Dialog.h"
#include "platform/win/Event.h"
#include "tests/support/switchsim/SimulatedSwitch.h"
#include "views/SwitchDatabase.h"
#include <atomic>

using Clock = std::chrono::steady_clock;

namespace {
// The bare session walk: no dialog, no delivery.
struct Bare {
    CCommonSNMP session;
    std::atomic<int> rows{0};
    win::Event done{true, false};
};
int BareCallback(CSnmp* response, int id, void* user, int status) {
    auto* b = static_cast<Bare*>(user);
    b->session.FindRequestID(id);
    if (status != 0) {
        b->session.SetDone();
        b->done.Set();
        return 0;
    }
    delete response;
    ++b->rows;
    b->session.StartAsync(BareCallback, b, 0);
    return 0;
}
}  // namespace
using ms = std::chrono::duration<double, std::milli>;

int main(int argc, char** argv) {
    const int entries = argc > 1 ? std::atoi(argv[1]) : 5000;
    const auto dir = std::filesystem::temp_directory_path() / "views-fdb-bench";
    std::filesystem::create_directories(dir);
    {
        std::ofstream model(dir / "fdb.model");
        model << "1.3.6.1.2.1.17.4.2.0 i 300\n";
        for (int i = 1; i <= entries; ++i) {
            const std::string index = ".1.0.0.0.0." + std::to_string(i / 256) + "." + std::to_string(i % 256);
            model << "1.3.6.1.2.1.17.7.1.2.2.1.3" << index << " i 3\n";
            model << "1.3.6.1.2.1.17.7.1.2.2.1.2" << index << " i " << (i % 28 + 1) << "\n";
        }
    }
    switchsim::SimulatedSwitch::Options options;
    options.model = (dir / "fdb.model").string();
    options.config = {"log off"};
    switchsim::SimulatedSwitch sim(options);
    std::string error;
    if (!sim.Start(&error)) {
        std::fprintf(stderr, "switch: %s\n", error.c_str());
        return 1;
    }
    ui::EnsureApplication();
    ModuleStartupParams::DeviceIP = sim.Target();

    std::vector<double> walks, views, bares, gaps;
    for (int round = 0; round < 9; ++round) {
        auto t0 = Clock::now();
        for (const char* column : {"1.3.6.1.2.1.17.7.1.2.2.1.3", "1.3.6.1.2.1.17.7.1.2.2.1.2"}) {
            const auto r = switchsim::RunTool({"snmpwalk", "-v1", "-c", "norfen", "-Oq", sim.Target(), column},
                                              (dir / "tool").string());
            if (r.exitCode != 0) std::fprintf(stderr, "snmpwalk: %s\n", r.err.c_str());
        }
        const double walkMs = ms(Clock::now() - t0).count();

        double viewMs = 0, longestGap = 0;
        std::size_t rows = 0;
        ui::SetModalHook([&](CDialog& dlg) {
            auto& view = static_cast<CSwitchDatabase&>(dlg);
            auto last = Clock::now();
            while (view.StoredRows() < static_cast<std::size_t>(entries) && ms(Clock::now() - t0).count() < 60000) {
                QCoreApplication::processEvents(QEventLoop::AllEvents);
                if (win::WaitPump* pump = win::GetWaitPump()) pump->Pump(std::chrono::milliseconds(1));
                const auto now = Clock::now();
                longestGap = std::max(longestGap, ms(now - last).count());
                last = now;
            }
            viewMs = ms(Clock::now() - t0).count();
            rows = view.StoredRows();
            dlg.EndDialog(IDCANCEL);
        });
        t0 = Clock::now();
        {
            CSwitchDatabase view;
            view.DoModal();
        }
        ui::SetModalHook(nullptr);
        Bare bare;
        auto tb = Clock::now();
        bare.session.Open(1);
        bare.session.AddVarBind("1.3.6.1.2.1.17.7.1.2.2.1.3", 4, nullptr);
        bare.session.AddVarBind("1.3.6.1.2.1.17.7.1.2.2.1.2", 4, nullptr);
        bare.session.StartAsync(BareCallback, &bare, 0);
        bare.done.Wait(60000);
        bares.push_back(ms(Clock::now() - tb).count());
        bare.session.Close();
        walks.push_back(walkMs);
        views.push_back(viewMs);
        gaps.push_back(longestGap);
        std::printf("round %d: snmpwalk %.0f ms, view %.0f ms (%zu rows), ratio %.2f, longest event-loop gap %.1f ms\n",
                    round, walkMs, viewMs, rows, viewMs / walkMs, longestGap);
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf(
        "median: snmpwalk %.0f ms, view %.0f ms, bare session walk %.0f ms, view/snmpwalk %.2f, "
        "longest gap max %.1f ms\n",
        median(walks), median(views), median(bares), median(views) / median(walks),
        *std::max_element(gaps.begin(), gaps.end()));
    return 0;
}
