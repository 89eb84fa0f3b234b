// Our model files: each model's User.ini and panel description build a panel that matches the
// model (ports, their fibre twins, LEDs, console, lamps where the main window paints them), and
// the generator reproduces the committed files.
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "core/DeviceProfile.h"
#include "platform/ui/App.h"
#include "platform/ui/Prompt.h"
#include "platform/ui/Wnd.h"
#include "platform/win/RegisteredMessage.h"
#include "shell/panel/ParseDevXML.h"
#include "tests/shell/panel/PanelTestSupport.h"

using namespace std::chrono_literals;

namespace {

const std::filesystem::path kResources = RESOURCES_DIR;

struct Model {
    const char* name;
    int ports, poePorts;
    bool fan;
    // The model lamps the main window paints: bitmap id and position.
    std::vector<std::tuple<int, int, int>> lamps;
};

const std::vector<Model> kModels = {
    {"DUZ-3300-20", 20, 0, false, {{158, 13, 30}}},
    {"DUZ-3300-28", 28, 0, false, {{158, 13, 30}}},
    {"DUZ-3300-28ZA1", 28, 0, false, {}},
    {"DUZ-3300-28P", 28, 24, true, {{158, 11, 28}, {190, 12, 42}, {190, 13, 62}, {191, 30, 52}, {191, 30, 62}}},
    {"DUZ-3300-28P C1",
     28,
     24,
     true,
     {{32883, 19, 25}, {190, 20, 59}, {190, 20, 45}, {191, 43, 46}, {191, 43, 59}, {191, 42, 59}}},
    {"DUZ-3300-52", 52, 0, true, {{158, 13, 31}, {190, 38, 33}}},
};

// Sizes the main window's painting relies on, and the look of each resource bitmap.
const std::map<int, std::pair<int, int>> kBitmapSizes = {
    {158, {8, 8}}, {32883, {10, 12}}, {160, {5, 4}}, {159, {5, 4}}, {162, {6, 4}}, {161, {6, 4}},   {164, {5, 5}},
    {163, {5, 5}}, {190, {4, 5}},     {191, {6, 5}}, {192, {6, 5}}, {221, {0, 0}}, {32878, {0, 0}}, {32879, {0, 0}}};

// Runs the body with the current directory at resources/, where the files' relative paths start.
class InResources {
public:
    InResources() : m_old(std::filesystem::current_path()) { std::filesystem::current_path(kResources); }
    ~InResources() { std::filesystem::current_path(m_old); }

private:
    std::filesystem::path m_old;
};

bool Overlap(const CRect& a, const CRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const CRect& inner, const CRect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

}  // namespace

TEST(ModelFilesTest, EachModelBuildsItsPanel) {
    ui::EnsureApplication();
    ui::SetPromptHandler([](const ui::PromptRequest& r) {
        ADD_FAILURE() << "unexpected message box: " << r.text;
        return IDOK;
    });
    InResources here;
    win::BroadcastRecorder broadcasts;
    int dialogs = 0;
    CPort::SetSettingsDialogRunner([&] { ++dialogs; });
    for (const Model& m : kModels) {
        SCOPED_TRACE(m.name);
        std::string xmlName;
        int combo = -1;
        g_nPoEPortNum = 0;  // read only for PoE models
        ASSERT_TRUE(
            ReadDeviceProfile((std::filesystem::path("models") / m.name / "User.ini").string(), xmlName, combo));
        EXPECT_EQ(g_strDeviceName, m.name);
        EXPECT_EQ(g_nDevicePortNum, m.ports);
        EXPECT_EQ(g_nPoEPortNum, m.poePorts);
        EXPECT_EQ(g_bIsHasFan, m.fan);
        EXPECT_EQ(combo, 4);
        EXPECT_LE(xmlName.size(), 51u) << "the main window keeps at most 51 characters of XMLName";

        CDevModule root;
        CModuleList modules;
        ASSERT_TRUE(CParseDevXML().LoadDeviceXML(xmlName, &root, modules));
        EXPECT_TRUE(modules.empty());
        EXPECT_EQ(root.GetID(), m.name);
        const CRect panelRect = root.GetRect();
        const CRect panelArea(0, 0, panelRect.Width(), panelRect.Height());
        CDIBitmap background;
        ASSERT_TRUE(background.LoadFromFile(root.GetBmpName().c_str()));
        EXPECT_EQ(background.GetWidth(), panelRect.Width());
        EXPECT_EQ(background.GetHeight(), panelRect.Height());

        // One port element per port and one per fibre twin; each with its LED lamp first.
        const int elements = m.ports + combo;
        std::vector<CRect> taken;
        for (int n = 0; n < elements; ++n) {
            SCOPED_TRACE(n);
            auto* port = static_cast<CPort*>(root.FindChildByClass("CPort", n));
            ASSERT_NE(port, nullptr);
            EXPECT_EQ(port->GetPortValue(), n + 1);
            EXPECT_EQ(port->GetStatus(), PORT_ENABLE);
            const CRect rect = port->GetRect();
            EXPECT_TRUE(Inside(rect, panelArea));
            auto* led = dynamic_cast<CLamp*>(port->GetChild(0));
            ASSERT_NE(led, nullptr);
            EXPECT_EQ(led->GetSubject(), static_cast<CSubject*>(port));
            EXPECT_TRUE(Inside(led->GetRect(), panelArea));
            EXPECT_FALSE(Overlap(led->GetRect(), rect));
            for (const CRect& other : taken) EXPECT_FALSE(Overlap(rect, other) || Overlap(led->GetRect(), other));
            taken.push_back(rect);
            taken.push_back(led->GetRect());
        }
        EXPECT_EQ(root.FindChildByClass("CPort", elements), nullptr);
        // Odd ports in the top row, even ports below them.
        const int topRow = root.FindChildByClass("CPort", 0)->GetRect().top;
        const int bottomRow = root.FindChildByClass("CPort", 1)->GetRect().top;
        EXPECT_LT(topRow, bottomRow);
        for (int n = 0; n < m.ports; ++n)
            EXPECT_EQ(root.FindChildByClass("CPort", n)->GetRect().top, n % 2 == 0 ? topRow : bottomRow) << n;
        auto* console = static_cast<CCom*>(root.FindChildByClass("CCom", 0));
        ASSERT_NE(console, nullptr);
        for (const CRect& other : taken) EXPECT_FALSE(Overlap(console->GetRect(), other));

        // The model lamps lie on the panel, clear of ports and LEDs, on a dark lamp window.
        for (auto [id, x, y] : m.lamps) {
            const auto [w, h] = kBitmapSizes.at(id);
            const CRect lamp(x, y, x + w, y + h);
            EXPECT_TRUE(Inside(lamp, panelArea)) << id;
            for (const CRect& other : taken) EXPECT_FALSE(Overlap(lamp, other)) << id;
            EXPECT_EQ(background.GetPixel(x + w / 2, y + h / 2) & 0xFFFFFF, 0x202020u) << id << " at " << x << "," << y;
        }

        // State pictures: each state shows a picture of its own.
        auto* first = static_cast<CPort*>(root.FindChildByClass("CPort", 0));
        std::set<std::uint32_t> looks;
        for (int state : {PORT_LINK100, PORT_LINK10, PORT_DISABLED, PORT_EMPTY, PORT_ENABLE}) {
            first->SetPortStatus(state);
            EXPECT_EQ(first->GetState(), state);
            looks.insert(first->GetImagePixel(first->GetRect().Width() / 2, first->GetRect().Height() / 2));
        }
        EXPECT_EQ(looks.size(), 5u);

        // A click in the middle of the last copper port tells which port it is.
        CWnd window;
        ASSERT_TRUE(
            window.Create(nullptr, m.name, WS_POPUP, CRect(0, 0, panelRect.Width(), panelRect.Height()), nullptr, 0));
        root.SetOwner(&window);
        const CRect last = root.FindChildByClass("CPort", m.ports - 1)->GetRect();
        int x = (last.left + last.right) / 2, y = (last.top + last.bottom) / 2;
        const int before = dialogs;
        const int clicks = paneltest::PortClicks(broadcasts, m.ports);
        root.OnLButtonDown(x, y);
        EXPECT_TRUE(paneltest::WaitForPortClicks(broadcasts, m.ports, clicks + 1));
        EXPECT_EQ(dialogs, before + 1);
        window.DestroyWindow();
    }
    CPort::SetSettingsDialogRunner(nullptr);
    ui::SetPromptHandler(nullptr);
}

TEST(ModelFilesTest, ResourceBitmapsHaveTheirSizesAndDistinctColours) {
    std::map<std::uint32_t, int> owners;
    for (const auto& [id, size] : kBitmapSizes) {
        SCOPED_TRACE(id);
        CDIBitmap dib;
        ASSERT_TRUE(dib.LoadFromFile((kResources / "panelgen" / "bitmaps" / (std::to_string(id) + ".bmp")).c_str()));
        if (size.first != 0) {
            EXPECT_EQ(dib.GetWidth(), size.first);
            EXPECT_EQ(dib.GetHeight(), size.second);
        }
        const std::uint32_t colour = dib.GetPixel(0, 0);
        EXPECT_TRUE(owners.emplace(colour, id).second) << "same colour as " << owners[colour];
    }
    // The looks the main window relies on: green lamps and LEDs, orange LEDs, red alarms.
    const auto channel = [](int id, int shift) {
        CDIBitmap dib;
        dib.LoadFromFile((kResources / "panelgen" / "bitmaps" / (std::to_string(id) + ".bmp")).c_str());
        return static_cast<int>((dib.GetPixel(0, 0) >> shift) & 0xFF);
    };
    for (int green : {158, 32883, 161, 162, 191}) EXPECT_GT(channel(green, 8), 2 * channel(green, 16)) << green;
    for (int dark : {159, 160, 192}) EXPECT_LT(channel(dark, 8) + channel(dark, 16) + channel(dark, 0), 90) << dark;
    for (int amber : {163, 164}) EXPECT_GT(channel(amber, 16), channel(amber, 8)) << amber;
    EXPECT_GT(channel(190, 16), 4 * channel(190, 8));
}

TEST(ModelFilesTest, GeneratorReproducesTheCommittedFiles) {
    const std::filesystem::path out =
        std::filesystem::path(::testing::TempDir()) / ("panelgen_" + std::to_string(::getpid()));
    std::filesystem::remove_all(out);
    const std::string command =
        "python3 '" + (kResources / "panelgen" / "panelgen.py").string() + "' '" + out.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const auto bytes = [](const std::filesystem::path& p) {
        std::ifstream f(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(f), {});
    };
    int compared = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(out)) {
        if (!entry.is_regular_file()) continue;
        const auto rel = std::filesystem::relative(entry.path(), out);
        EXPECT_EQ(bytes(entry.path()), bytes(kResources / rel)) << rel << " differs from the generator's output";
        ++compared;
    }
    EXPECT_EQ(compared, 6 * 13 + 14);
    std::filesystem::remove_all(out);
}
