#pragma once
// The information views against the simulated switch (28 ports, so 28 statistics entries):
// the etherStatsTable, the requests of one kind as texts, and the statistics list opened and
// read to its end.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "features/information/StatisticRmon1.h"
#include "resources/templates/Rmon1DialogsIds.h"
#include "tests/support/switchsim/ModuleTarget.h"
#include "tests/support/ui/UiHarness.h"

namespace infotest {

const std::string kEtherStats = "1.3.6.1.2.1.16.1.1.1.";
const std::string kIfNumber = "1.3.6.1.2.1.2.1.0";

class InformationTest : public switchsim::ModuleTargetTest {
protected:
    // The varbinds of each logged request of `pdu` as "oid=type:value".
    std::vector<std::vector<std::string>> Pdus(const std::string& pdu) const {
        std::vector<std::vector<std::string>> out;
        for (const auto& r : Requests(pdu)) {
            std::vector<std::string> vbs;
            for (const auto& v : r.varbinds) vbs.push_back(v.oid + "=" + v.type + ":" + v.value);
            out.push_back(vbs);
        }
        return out;
    }
    // The OIDs of the logged GETs, one per request (every GET of the views asks for one).
    std::vector<std::string> GetOids() const {
        std::vector<std::string> out;
        for (const auto& r : Requests("get")) {
            EXPECT_EQ(r.varbinds.size(), 1u);
            if (!r.varbinds.empty()) out.push_back(r.varbinds[0].oid);
        }
        return out;
    }
    std::size_t CountGets(const std::string& oid) const {
        std::size_t n = 0;
        for (const std::string& o : GetOids()) n += o == oid;
        return n;
    }
    // Statistics entries `from` to `to` added to the switch's table (index = port).
    void AddEntries(int from, int to) const {
        std::string commands;
        for (int i = from; i <= to; ++i) {
            const std::string n = std::to_string(i);
            commands += "set " + kEtherStats + "1." + n + " i " + n + "\n";
            commands += "set " + kEtherStats + "2." + n + " o 1.3.6.1.2.1.2.2.1.1." + n + "\n";
            for (int c = 3; c <= 19; ++c)
                commands +=
                    "set " + kEtherStats + std::to_string(c) + "." + n + " c " + std::to_string(1000 * c + i) + "\n";
            commands += "set " + kEtherStats + "21." + n + " i 1\n";
        }
        ASSERT_EQ(sim->Control(commands).find("error"), std::string::npos);
    }
    // The switch's counter value as the views show it.
    std::string Counter(int column, int index) const {
        const std::string stored =
            sim->GetObject(kEtherStats + std::to_string(column) + "." + std::to_string(index)).value_or("");
        return stored.substr(stored.find(' ') + 1);
    }
    // Runs the statistics list; the script starts once its walk has listed `rows` rows, with
    // an empty request log.
    void RunList(ui::test::Harness& ui, std::size_t rows,
                 const std::function<void(ui::test::DialogDriver&, CStatisticRmon1&)>& script) {
        using namespace rmon1_statistic_ids;
        CStatisticRmon1 dlg;
        ui.RunModal(dlg, [&](ui::test::DialogDriver& d) {
            ASSERT_TRUE(ui::test::WaitUntil([&] { return !dlg.Reading() && d.GetRows(IDC_LIST).size() == rows; }));
            sim->ClearRequests();
            script(d, dlg);
            if (d.IsOpen()) d.Click(IDCANCEL);
        });
    }
};

}  // namespace infotest
