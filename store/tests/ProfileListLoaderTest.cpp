#include "StoreTestSupport.h"
#include "store/ConfigStore.h"
#include "store/ProfileListLoader.h"
#include "store/ProfileListView.h"
#include "store/TextLookup.h"
#include "testsupport/Printers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace corvane;
using corvane::test::RawDb;
using corvane::test::TempDataFolder;
using tarn::CString;
using ::testing::ElementsAre;

namespace {

class FakeTexts : public TextLookup {
public:
    std::vector<std::string> asked;
    CString LoadText(std::wstring_view section, int number) override
    {
        asked.push_back(CString(section).ToUtf8() + " " + std::to_string(number));
        return L"Profil";
    }
};

// Keeps what the list was told, one line per call.
class RecordingList : public ProfileListView {
public:
    std::vector<std::string> calls;
    void FillProfiles(const std::vector<ProfileRecord>& profiles) override
    {
        std::string line = "fill";
        for (const ProfileRecord& p : profiles)
            line += " " + std::to_string(p.profile) + ":" + p.name.ToUtf8();
        calls.push_back(line);
    }
    void ShowActiveProfile(int32_t profile) override { calls.push_back("active " + std::to_string(profile)); }
};

class ProfileListLoaderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_store.OpenForDevice(m_data.Path(), L"K201")); }

    int64_t SettingsRows() { return RawDb(m_store.Path()).Number("SELECT count(*) FROM t_configdata"); }

    TempDataFolder m_data;
    ConfigStore m_store;
    FakeTexts m_texts;
    RecordingList m_list;
};

TEST_F(ProfileListLoaderTest, NewDatabaseGetsThreeProfilesTheFirstActiveAndTheSettingsOnce)
{
    EXPECT_EQ(ProfileListLoader::Load(m_store, m_texts, m_list), 1);
    EXPECT_THAT(m_texts.asked, ElementsAre("KB.DIALOG 65"));
    EXPECT_THAT(m_list.calls, ElementsAre("fill 1:Profil 1 2:Profil 2 3:Profil 3", "active 1"));
    EXPECT_EQ(m_store.GetActiveProfile(), 1);
    EXPECT_EQ(SettingsRows(), 11);

    // Later loads find the profiles and write nothing.
    m_list.calls.clear();
    EXPECT_EQ(ProfileListLoader::Load(m_store, m_texts, m_list), 1);
    EXPECT_EQ(m_texts.asked.size(), 1u);
    EXPECT_THAT(m_list.calls, ElementsAre("fill 1:Profil 1 2:Profil 2 3:Profil 3", "active 1"));

    // Even an emptied profile table refills without a second set of settings rows.
    for (int p = 1; p <= 3; ++p)
        m_store.DeleteProfile(p);
    m_list.calls.clear();
    EXPECT_EQ(ProfileListLoader::Load(m_store, m_texts, m_list), 4);
    EXPECT_THAT(m_list.calls, ElementsAre("fill 4:Profil 1 5:Profil 2 6:Profil 3", "active 4"));
    EXPECT_EQ(SettingsRows(), 11);
}

TEST_F(ProfileListLoaderTest, WithNoActiveProfileTheFirstListedBecomesActive)
{
    ProfileRecord record;
    record.name = L"Work";
    const int work = m_store.AddProfile(record);
    record.name = L"Play";
    m_store.AddProfile(record);
    EXPECT_EQ(ProfileListLoader::Load(m_store, m_texts, m_list), work);
    EXPECT_TRUE(m_texts.asked.empty());
    EXPECT_EQ(m_store.GetActiveProfile(), work);
    EXPECT_THAT(m_list.calls, ElementsAre("fill 1:Work 2:Play", "active 1"));
    EXPECT_EQ(SettingsRows(), 0); // not a new file

    m_store.SetActiveProfile(2);
    m_list.calls.clear();
    EXPECT_EQ(ProfileListLoader::Load(m_store, m_texts, m_list), 2);
    EXPECT_THAT(m_list.calls, ElementsAre("fill 1:Work 2:Play", "active 2"));
}

TEST_F(ProfileListLoaderTest, ClosedStoreLeavesTheListEmpty)
{
    ASSERT_TRUE(m_store.Close());
    EXPECT_EQ(ProfileListLoader::Load(m_store, m_texts, m_list), 0);
    EXPECT_THAT(m_list.calls, ElementsAre("fill"));
}

TEST(ProfileNaming, SmallestNumberNoEntryShows)
{
    struct Case {
        std::vector<CString> shown;
        const wchar_t* expected;
    };
    std::vector<CString> thousand;
    for (int n = 1; n <= 1000; ++n)
        thousand.push_back(CString::Formatted(L"Profil %d", n));
    std::vector<CString> upTo999(thousand.begin(), thousand.end() - 1);
    const Case cases[] = {
        {{}, L"Profil 1"},
        {{L"Profil 1", L"Profil 3"}, L"Profil 2"},
        {{L"profil 1", L"Profil 1 ", L"Profil 01"}, L"Profil 1"}, // exact comparison only
        {{L"Profil 2", L"Profil 1"}, L"Profil 3"},
        {upTo999, L"Profil 1000"},
        {thousand, L"Profil 1000"}, // 1001 is never tried
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProfileListLoader::NewProfileName(L"Profil", c.shown), CString(c.expected));
}

} // namespace
