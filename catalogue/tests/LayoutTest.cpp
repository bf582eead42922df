#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueSink.h"
#include "catalogue/Layout.h"
#include "catalogue/LayoutViews.h"
#include "testsupport/Printers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace corvane;
using tarn::CString;
using ::testing::ElementsAre;

namespace {

// Every call of every collaborator, as one line each, in the order made.
struct Recorder {
    std::vector<std::string> calls;
    void Add(const CString& line) { calls.push_back(line.ToUtf8()); }
};

class RecordingView : public LayoutKeyboardView {
public:
    RecordingView(Recorder& r, const char* name) : m_r(r), m_name(name) {}
    void ClearItem() override { m_r.Add(CString::Formatted(L"%s ClearItem", m_name)); }
    void SetRect(int l, int t, int r, int b) override { m_r.Add(CString::Formatted(L"%s SetRect %d %d %d %d", m_name, l, t, r, b)); }
    void SetKeyboardImage(const CString& p) override { m_r.Add(CString::Formatted(L"%s SetKeyboardImage %s", m_name, p)); }
    void SetWidthAndHeight(int w, int h) override { m_r.Add(CString::Formatted(L"%s SetWidthAndHeight %d %d", m_name, w, h)); }
    void AddKeyItem(const CString& n, const CString& d, int code, const tarn::CRect& rc, const CString& icon) override
    {
        m_r.Add(CString::Formatted(L"%s AddKeyItem %s|%s|%x|%d,%d,%d,%d|%s", m_name, n, d, code, rc.left, rc.top, rc.right,
                                   rc.bottom, icon));
    }

private:
    Recorder& m_r;
    const char* m_name;
};

class RecordingPage : public LayoutPageView {
public:
    explicit RecordingPage(Recorder& r) : m_r(r) {}
    void SetTabItemVisible(int position, bool v) override { m_r.Add(CString::Formatted(L"tab %d %d", position, v ? 1 : 0)); }
    void SetSliderMaximum(int control, int max) override { m_r.Add(CString::Formatted(L"slider %d max %d", control, max)); }
    void ShowFirmwareButton(bool v) override { m_r.Add(CString::Formatted(L"firmware button %d", v ? 1 : 0)); }

private:
    Recorder& m_r;
};

class RecordingStore : public LayoutStore {
public:
    explicit RecordingStore(Recorder& r) : m_r(r) {}
    bool open = false;
    bool IsOpen() override { return open; }
    void Close() override { m_r.Add(L"store Close"); open = false; }
    bool OpenForDevice(const CString& name) override { m_r.Add(L"store Open " + name); open = true; return true; }
    void SetDeviceType(int type) override { m_r.Add(CString::Formatted(L"store device %d", type)); }

private:
    Recorder& m_r;
};

class NullSink : public CatalogueSink {
    void AddDevice(const CString&, int, int, int, bool) override {}
    void AddModel(int, int, const CString&, int, int, const CString&) override {}
    void SetVersionText(const CString&) override {}
    void SetCopyrightText(const CString&) override {}
};

class LayoutTest : public ::testing::Test {
protected:
    LayoutTest()
    {
        NullSink sink;
        catalogue.Read(dir, sink);
    }
    const std::filesystem::path dir = std::filesystem::path(CORVANE_TEST_DATA) / "layout_program";
    Catalogue catalogue;
    Recorder rec;
    RecordingView keys{rec, "keys"}, light{rec, "light"}, settings{rec, "settings"};
    RecordingPage page{rec};
    RecordingStore store{rec};
    Layout layout{catalogue, dir, store, page, {&keys, &light, &settings}};
};

TEST_F(LayoutTest, LoadsAFullLayoutStepByStep)
{
    store.open = true;
    ASSERT_TRUE(layout.LoadLayout(201));
    EXPECT_THAT(rec.calls, ElementsAre(
        "store Close", "store Open Full", "store device 201",
        "tab 1 1", "tab 2 0", "tab 3 1",
        "firmware button 0",
        "slider 75 max 5", "slider 77 max 4",
        // Flags 0x45 keep the views of bits 0, 2 and 6.
        "keys ClearItem", "light ClearItem", "settings ClearItem",
        "keys SetRect 10 20 310 120", "keys SetKeyboardImage keyboard/full.png", "keys SetWidthAndHeight 300 100",
        "light SetRect 10 20 310 120", "light SetKeyboardImage keyboard/full.png", "light SetWidthAndHeight 300 100",
        "settings SetRect 10 20 310 120", "settings SetKeyboardImage keyboard/full.png",
        "settings SetWidthAndHeight 300 100",
        "keys AddKeyItem Esc|Escape|29|0,0,20,20|", "light AddKeyItem Esc|Escape|29|0,0,20,20|",
        "settings AddKeyItem Esc|Escape|29|0,0,20,20|",
        "keys AddKeyItem 1|One|1e|100,50,140,88|", "light AddKeyItem 1|One|1e|100,50,140,88|",
        "settings AddKeyItem 1|One|1e|100,50,140,88|",
        "keys AddKeyItem 1 again||1e|100,50,100,90|", "light AddKeyItem 1 again||1e|100,50,100,90|",
        "settings AddKeyItem 1 again||1e|100,50,100,90|",
        "keys AddKeyItem Fn|Function|af|0,0,0,5|", "light AddKeyItem Fn|Function|af|0,0,0,5|",
        "settings AddKeyItem Fn|Function|af|0,0,0,5|"));

    const LayoutState s = layout.Snapshot();
    EXPECT_EQ(s.device_type, 201);
    EXPECT_EQ(s.model_name, L"Full");
    EXPECT_EQ(s.feature_flags, 0x45);
    EXPECT_EQ(s.firmware_version, L"1.02");
    EXPECT_EQ(s.firmware_url, L"http://fw.example.invalid/");
    EXPECT_TRUE(s.rgb_keyboard);
    EXPECT_EQ(s.default_mode, 3);
    ASSERT_EQ(s.light_modes.size(), 2u);
    EXPECT_EQ(s.light_modes[0].name, L"801");
    EXPECT_EQ(s.light_modes[0].attribute, 0) << "attribute is decimal: \"0x63\" reads 0";
    EXPECT_EQ(s.light_modes[1].attribute, 1023);
    EXPECT_EQ(s.light_modes[1].default_brightness, 4);
    EXPECT_EQ(s.row_count, 8) << "clamped to the matrix";
    EXPECT_EQ(s.col_count, 32);
    EXPECT_EQ(s.matrix[0][0], 0x29);
    EXPECT_EQ(s.matrix[2][10], 0x1E);
    EXPECT_EQ(s.matrix[3][12], 0xAF);
    EXPECT_EQ(s.matrix[1][1], 0xFF) << "row 8 is outside the matrix and ignored";
    EXPECT_EQ(s.assignment_index.at(0x1E), 9) << "the later of two keys with one code wins";
    EXPECT_EQ(s.lighting_index.at(0x1E), 9);
    ASSERT_EQ(s.keys.size(), 4u);
    EXPECT_EQ(s.keys[2].row, -1);
}

TEST_F(LayoutTest, WithoutMenuEveryViewKeepsItsKeys)
{
    ASSERT_TRUE(layout.LoadLayout(202));
    EXPECT_THAT(rec.calls, ElementsAre(
        "store Open NoMenu", "store device 202", "firmware button 1",
        "keys ClearItem", "light ClearItem", "settings ClearItem",
        "keys SetRect 0 0 10 10", "keys SetKeyboardImage keyboard/k.png", "keys SetWidthAndHeight 10 10",
        "light SetRect 0 0 10 10", "light SetKeyboardImage keyboard/k.png", "light SetWidthAndHeight 10 10",
        "settings SetRect 0 0 10 10", "settings SetKeyboardImage keyboard/k.png", "settings SetWidthAndHeight 10 10",
        "keys AddKeyItem A||4|0,0,1,1|", "light AddKeyItem A||4|0,0,1,1|", "settings AddKeyItem A||4|0,0,1,1|"));
    EXPECT_EQ(layout.FeatureFlags(), 127);
}

TEST_F(LayoutTest, AClearFeatureBitLeavesItsViewAloneAndSearchesOnlyRunForward)
{
    ASSERT_TRUE(layout.LoadLayout(205));
    // firmware stands after Keyboard in this file: finding it puts Keyboard behind the search.
    EXPECT_THAT(rec.calls, ElementsAre(
        "store Open Dark", "store device 205", "tab 1 1", "tab 2 1", "tab 3 0", "firmware button 1",
        "keys ClearItem", "settings ClearItem"));
    const LayoutState s = layout.Snapshot();
    EXPECT_EQ(s.feature_flags, 0x43);
    EXPECT_EQ(s.firmware_version, L"behind Keyboard");
    EXPECT_TRUE(s.keys.empty());
    EXPECT_EQ(s.row_count, 0);
}

TEST_F(LayoutTest, AFailedLoadSwitchesTheStoreAndKeepsTheRest)
{
    ASSERT_TRUE(layout.LoadLayout(201));
    for (int type : {203, 204, 999}) {
        SCOPED_TRACE(type);
        rec.calls.clear();
        EXPECT_FALSE(layout.LoadLayout(type));
        const CString name = type == 203 ? L"Missing" : type == 204 ? L"NotLayout" : L"";
        EXPECT_THAT(rec.calls, ElementsAre("store Close", (L"store Open " + name).ToUtf8(),
                                           CString::Formatted(L"store device %d", type).ToUtf8()));
        const LayoutState s = layout.Snapshot();
        EXPECT_EQ(s.device_type, type);
        EXPECT_EQ(s.model_name, name);
        EXPECT_EQ(s.firmware_url, L"") << "the url is emptied by every load";
        EXPECT_EQ(s.firmware_version, L"1.02");
        EXPECT_EQ(s.feature_flags, 0x45);
        EXPECT_EQ(s.matrix[2][10], 0x1E);
        EXPECT_EQ(s.keys.size(), 4u);
    }
}

} // namespace
