#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/ui/Prompt.h"
#include "platform/win/DebugOutput.h"
#include "platform/win/Event.h"

using namespace std::chrono_literals;

TEST(Event, ManualResetStaysSetAutoResetIsConsumed) {
    win::Event manual(true, true);
    EXPECT_EQ(manual.Wait(0), WAIT_OBJECT_0);
    EXPECT_EQ(manual.Wait(0), WAIT_OBJECT_0);
    manual.Reset();
    EXPECT_EQ(manual.Wait(10), WAIT_TIMEOUT);

    win::Event autoReset(false, true);
    EXPECT_EQ(autoReset.Wait(0), WAIT_OBJECT_0);
    EXPECT_EQ(autoReset.Wait(10), WAIT_TIMEOUT);
}

TEST(Event, SetFromAnotherThreadWakesWaiter) {
    win::Event ev(true, false);
    std::thread t([&] {
        std::this_thread::sleep_for(20ms);
        ev.Set();
    });
    EXPECT_EQ(ev.Wait(5000), WAIT_OBJECT_0);
    t.join();
}

// A pump that counts its calls and serves a queued job, as the user-interface layer does.
class CountingPump : public win::WaitPump {
public:
    std::thread::id owner = std::this_thread::get_id();
    std::atomic<int> pumps{0};
    std::atomic<bool> jobPending{false};
    std::atomic<bool> jobDone{false};
    bool IsPumpThread() const override { return std::this_thread::get_id() == owner; }
    void Pump(std::chrono::milliseconds maxWait) override {
        ++pumps;
        if (jobPending.exchange(false)) jobDone = true;
        else std::this_thread::sleep_for(std::min(maxWait, std::chrono::milliseconds(2)));
    }
    void Wake() override {}
};

TEST(Event, WaitOnPumpThreadServesWorkerCalls) {
    CountingPump pump;
    win::SetWaitPump(&pump);
    win::Event workerDone(true, false);
    std::thread worker([&] {
        pump.jobPending = true;  // a blocking call to the pump thread
        while (!pump.jobDone) std::this_thread::sleep_for(1ms);
        workerDone.Set();
    });
    EXPECT_EQ(workerDone.Wait(5000), WAIT_OBJECT_0);
    worker.join();
    win::SetWaitPump(nullptr);
    EXPECT_TRUE(pump.jobDone);
    EXPECT_GT(pump.pumps.load(), 0);
}

TEST(DebugOutput, CaptureKeepsLinesInOrder) {
    win::StartDebugCapture();
    OutputDebugStringA("first");
    OutputDebugStringA("second");
    win::StopDebugCapture();
    OutputDebugStringA("not captured");
    EXPECT_EQ(win::CapturedDebugLines(), (std::vector<std::string>{"first", "second"}));
}

TEST(Prompt, ScriptedHandlerSeesTheBoxAndDefaultAnswerFollowsStyle) {
    std::vector<ui::PromptRequest> shown;
    auto previous = ui::SetPromptHandler([&](const ui::PromptRequest& r) {
        shown.push_back(r);
        return IDNO;
    });
    EXPECT_EQ(MessageBox(nullptr, "Delete?", "Caption", MB_YESNO | MB_ICONQUESTION), IDNO);
    ui::SetPromptHandler(previous);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Delete?");
    EXPECT_EQ(shown[0].caption, "Caption");
    EXPECT_EQ(shown[0].type & MB_ICONMASK, MB_ICONQUESTION);

    struct Case {
        UINT type;
        int answer;
    };
    for (const Case& c :
         {Case{MB_OK, IDOK}, Case{MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
          Case{MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL}, Case{MB_YESNO, IDYES}, Case{MB_RETRYCANCEL, IDRETRY}}) {
        EXPECT_EQ(ui::DefaultAnswer(c.type), c.answer) << c.type;
    }
}
