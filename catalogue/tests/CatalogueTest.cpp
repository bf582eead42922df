#include "catalogue/Catalogue.h"
#include "catalogue/CatalogueSink.h"
#include "testsupport/Printers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using corvane::Catalogue;
using corvane::DeviceRecord;
using tarn::CString;

namespace {

// Keeps every call as one line of text, in order.
class RecordingSink : public corvane::CatalogueSink {
public:
    std::vector<std::string> calls;

    void AddDevice(const CString& name, int image, int state, int type, bool known) override
    {
        calls.push_back(CString::Formatted(L"AddDevice %s %d %d %d %d", name, image, state, type, known ? 1 : 0).ToUtf8());
    }
    void AddModel(int vid, int pid, const CString& product, int type, int mode, const CString& pattern) override
    {
        calls.push_back(CString::Formatted(L"AddModel %04x %04x [%s] %d %d [%s]", vid, pid, product, type, mode, pattern).ToUtf8());
    }
    void SetVersionText(const CString& text) override { calls.push_back("Version " + text.ToUtf8()); }
    void SetCopyrightText(const CString& text) override { calls.push_back("Copyright " + text.ToUtf8()); }
};

// Copies one fixture into a fresh program folder as config.xml.
std::filesystem::path ProgramDirWith(const char* fixture)
{
    auto dir = std::filesystem::temp_directory_path() / ("corvane-cat-" + std::to_string(::getpid()) + "-" + fixture);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    if (*fixture)
        std::filesystem::copy_file(std::filesystem::path(CORVANE_TEST_DATA) / fixture, dir / Catalogue::FileName);
    return dir;
}

TEST(Catalogue, ReadsModelsModesAndLinksInFileOrder)
{
    Catalogue catalogue;
    RecordingSink sink;
    catalogue.Read(ProgramDirWith("full.xml"), sink);

    EXPECT_THAT(sink.calls, ::testing::ElementsAre(
        "AddDevice K201 0 0 201 0",
        "AddModel 258a 0049 [K201 Cable] 201 0 [&MI_01]",
        "AddModel 258a 004a [] 201 1 []",
        "AddModel 258a 004b [K201 Wireless] 201 2 [&COL02]",
        "AddDevice K100 0 0 100 0",
        "AddModel 1a2c 0000 [] 100 0 [&MI_01]",
        "AddDevice Empty 0 0 0 0",
        "AddDevice K201 twin 0 0 201 0",
        "Version Ver: 1.2.3",
        "Copyright \xC2\xA9 Corvane"));

    ASSERT_EQ(catalogue.KeyboardModels().size(), 4u);
    const DeviceRecord& model = catalogue.KeyboardModels()[0];
    EXPECT_EQ(model.name, L"K201");
    EXPECT_EQ(model.device_info, L"k201");
    EXPECT_EQ(model.mode, 0);
    EXPECT_EQ(model.vid, 0);
    EXPECT_EQ(model.spare_number, -1);

    ASSERT_EQ(catalogue.DeviceModes().size(), 4u);
    const DeviceRecord& wireless = catalogue.DeviceModes()[1];
    EXPECT_EQ(wireless.device_info, L"k201") << "modes keep their keyboard's layout name";
    EXPECT_EQ(wireless.desc, L"") << "a missing attribute does not carry over from the mode before";
    EXPECT_EQ(wireless.connected, 0);
    EXPECT_EQ(catalogue.DeviceModes()[2].desc, L"2.4 GHz");

    EXPECT_EQ(catalogue.FindModel(201)->device_info, L"k201") << "the first of two models with one type";
    EXPECT_EQ(catalogue.FindModel(0)->name, L"Empty") << "device_type \"abc\" reads as 0";
    EXPECT_EQ(catalogue.FindModel(300), nullptr);

    EXPECT_EQ(catalogue.Version(), L"1.2.3");
    EXPECT_EQ(catalogue.Website(), L"https://example.invalid/");
    EXPECT_EQ(catalogue.Store(), L"https://store.example.invalid/");
    EXPECT_EQ(catalogue.Upgrade(), L"http://update.example.invalid/");
    EXPECT_EQ(catalogue.Copyright(), L"\u00A9 Corvane");
    EXPECT_EQ(Catalogue::ReadDeviceName(ProgramDirWith("full.xml")), CString(L"Corvane"));
}

TEST(Catalogue, FixturesThatBendTheSearchRules)
{
    struct Case {
        const char* fixture;
        std::optional<CString> deviceName;
        size_t models;
        const wchar_t* version;
        const wchar_t* website;
        const wchar_t* store;
        const wchar_t* upgrade;
        const wchar_t* copyright;
    };
    const Case cases[] = {
        // software before device.info: the device name is read, the rest is not seen.
        {"software_first.xml", CString(L"Early"), 1, L"", L"", L"", L"", L""},
        // Each link search starts after the one found last: store lies behind website, and
        // copyright behind upgrade.
        {"links_out_of_order.xml", CString(L""), 0, L"2", L"w", L"", L"u", L""},
        {"utf16.xml", CString(L"T\u00FCrk\u00E7e"), 0, L"1", L"", L"", L"", L""},
        {"malformed.xml", std::nullopt, 0, L"", L"", L"", L"", L""},
        {"wrong_root.xml", std::nullopt, 0, L"", L"", L"", L"", L""},
        {"", std::nullopt, 0, L"", L"", L"", L"", L""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fixture);
        const auto dir = ProgramDirWith(c.fixture);
        Catalogue catalogue;
        RecordingSink sink;
        catalogue.Read(dir, sink);
        EXPECT_EQ(Catalogue::ReadDeviceName(dir), c.deviceName);
        EXPECT_EQ(catalogue.KeyboardModels().size(), c.models);
        EXPECT_EQ(catalogue.Version(), c.version);
        EXPECT_EQ(catalogue.Website(), c.website);
        EXPECT_EQ(catalogue.Store(), c.store);
        EXPECT_EQ(catalogue.Upgrade(), c.upgrade);
        EXPECT_EQ(catalogue.Copyright(), c.copyright);
    }
}

TEST(Catalogue, ReadingAgainStartsFromEmptyTables)
{
    Catalogue catalogue;
    RecordingSink sink;
    catalogue.Read(ProgramDirWith("full.xml"), sink);
    catalogue.Read(ProgramDirWith("malformed.xml"), sink);
    EXPECT_TRUE(catalogue.KeyboardModels().empty());
    EXPECT_TRUE(catalogue.DeviceModes().empty());
    EXPECT_EQ(catalogue.Version(), L"");
}

} // namespace
