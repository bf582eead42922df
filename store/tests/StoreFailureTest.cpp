#include "StoreTestSupport.h"
#include "store/ConfigStore.h"
#include "testsupport/Printers.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace corvane;
using corvane::test::RawDb;
using corvane::test::TempDataFolder;
using tarn::CString;

namespace {

// Every operation of a store that has no database must fail quietly: 0, false or an emptied list.
void ExpectEverythingFailsQuietly(ConfigStore& store)
{
    const KeyMacroRecord key{0, 1, 0, 20, 0, L"", 2, 5, 0, 0, L"x"};
    const std::vector<KeyLightRecord> lights = {{0, 1, 128, 4, 255}};
    const std::vector<MacroEventRecord> events = {{0, 1, 2, 0, L"A", 4, 0}};

    const std::pair<const char*, std::function<int64_t()>> answers[] = {
        {"AddProfile", [&] { return store.AddProfile({}); }},
        {"DeleteProfile", [&] { return store.DeleteProfile(1); }},
        {"RenameProfile", [&] { return store.RenameProfile(1, L"x"); }},
        {"SetActiveProfile", [&] { return store.SetActiveProfile(1); }},
        {"GetActiveProfile", [&] { return store.GetActiveProfile(); }},
        {"SaveKeyAssignment", [&] { return store.SaveKeyAssignment(key); }},
        {"DeleteProfileAssignments", [&] { return store.DeleteProfileAssignments(1); }},
        {"AddOtherData", [&] { return store.AddOtherData(L"a", L"b", 8); }},
        {"CountLightModes", [&] { return store.CountLightModes(1); }},
        {"AddLightMode", [&] { return store.AddLightMode({}); }},
        {"UpdateLightMode", [&] { return store.UpdateLightMode(1, 1, {}); }},
        {"SetActiveLightMode", [&] { return store.SetActiveLightMode(1, 1); }},
        {"GetActiveLightMode", [&] { return store.GetActiveLightMode(1); }},
        {"SaveKeyLights", [&] { return store.SaveKeyLights(lights); }},
        {"DeleteKeyLights", [&] { return store.DeleteKeyLights(); }},
        {"ReplaceKeyLights", [&] { return store.ReplaceKeyLights(lights); }},
        {"AddMacro", [&] { return store.AddMacro(L"m"); }},
        {"AddMacroWithSettings", [&] { return store.AddMacroWithSettings({}); }},
        {"RenameMacro", [&] { return store.RenameMacro(1, L"m"); }},
        {"UpdateMacroPlayback", [&] { return store.UpdateMacroPlayback({}); }},
        {"DeleteMacro", [&] { return store.DeleteMacro(1); }},
        {"AddMacroEvent", [&] { return store.AddMacroEvent({}); }},
        {"AddMacroEvents", [&] { return store.AddMacroEvents(events); }},
        {"ReplaceMacroEvents", [&] { return store.ReplaceMacroEvents(1, events); }},
        {"DeleteMacroEvents", [&] { return store.DeleteMacroEvents(1); }},
        {"CountMacroActions", [&] { return store.CountMacroActions(1); }},
        {"CountMusicLayers", [&] { return store.CountMusicLayers(); }},
        {"AddMusicLayer", [&] { return store.AddMusicLayer(L"m", 1); }},
        {"UpdateMusicLayer", [&] { return store.UpdateMusicLayer({}); }},
        {"SelectMusicLayer", [&] { return store.SelectMusicLayer(); }},
        {"GetSelectedMusicLayer", [&] { return store.GetSelectedMusicLayer(); }},
        {"WriteDefaultSettings", [&] { return store.WriteDefaultSettings(); }},
    };
    for (const auto& [name, call] : answers)
        EXPECT_EQ(call(), 0) << name;

    std::vector<ProfileRecord> profiles(2);
    std::vector<KeyMacroRecord> keys(2);
    std::vector<LightRecord> modes(2);
    std::vector<KeyLightRecord> set(2);
    std::vector<MacroRecord> macros(2);
    std::vector<MacroEventRecord> steps(2);
    EXPECT_EQ(store.GetProfiles(profiles), 0);
    EXPECT_EQ(store.GetLayerAssignments(1, 0, keys), 0);
    EXPECT_EQ(store.GetLightModes(1, modes), 0);
    EXPECT_EQ(store.GetKeyLights(128, set), 0);
    EXPECT_EQ(store.GetMacros(macros), 0);
    EXPECT_EQ(store.GetMacroEvents(1, steps), 0);
    EXPECT_TRUE(profiles.empty() && keys.empty() && modes.empty() && set.empty() && macros.empty() && steps.empty());

    CString name = L"x";
    KeyMacroRecord keyOut;
    LightRecord modeOut;
    MacroRecord macroOut;
    MusicLayerRecord layerOut;
    int32_t times = 3;
    EXPECT_FALSE(store.GetProfileName(1, name));
    EXPECT_FALSE(store.GetKeyAssignment(1, 0, 20, keyOut));
    EXPECT_FALSE(store.GetLightMode(1, 1, modeOut));
    EXPECT_FALSE(store.GetMacro(1, macroOut));
    EXPECT_FALSE(store.GetMacroPlayTimes(1, times));
    EXPECT_FALSE(store.GetMusicLayer(1, layerOut));
    EXPECT_EQ(times, 3);

    CString desc = L"d", param = L"p";
    int32_t type = 9;
    EXPECT_TRUE(store.GetOtherData(1, desc, param, type));
    EXPECT_EQ(desc, CString(L"d"));
    EXPECT_EQ(type, 9);
}

TEST(StoreFailure, StoreThatWasNeverOpened)
{
    ConfigStore store;
    EXPECT_FALSE(store.IsOpen());
    EXPECT_TRUE(store.Close());
    ExpectEverythingFailsQuietly(store);
}

TEST(StoreFailure, NoDataFolderOpensNothing)
{
    const auto before = std::filesystem::current_path();
    ConfigStore store;
    EXPECT_FALSE(store.OpenForDevice(L"K201"));
    EXPECT_FALSE(store.IsOpen());
    EXPECT_FALSE(std::filesystem::exists(before / "db"));
}

TEST(StoreFailure, MissingOrUnwritableDbFolder)
{
    TempDataFolder data;
    ConfigStore store;
    std::filesystem::remove(data.DbFolder());
    EXPECT_FALSE(store.OpenForDevice(data.Path(), L"K201"));
    EXPECT_FALSE(store.IsOpened());
    EXPECT_FALSE(std::filesystem::exists(data.DbFolder())); // the store never creates folders

    // "db" that cannot hold files (a plain file here; a read-only folder is not read-only to root).
    corvane::test::WriteFile(data.DbFolder(), "not a folder");
    EXPECT_FALSE(store.OpenForDevice(data.Path(), L"K201"));
    ExpectEverythingFailsQuietly(store);
}

TEST(StoreFailure, FileThatIsNotADatabaseIsLeftAsItIs)
{
    TempDataFolder data;
    const auto file = ConfigStore::DatabasePath(data.Path(), L"K201");
    const std::string garbage(4096, 'Z');
    corvane::test::WriteFile(file, garbage);
    ConfigStore store;
    EXPECT_FALSE(store.OpenForDevice(data.Path(), L"K201"));
    EXPECT_FALSE(store.IsOpen());
    ExpectEverythingFailsQuietly(store);
    EXPECT_EQ(corvane::test::ReadFile(file), garbage);
}

TEST(StoreFailure, LockedDatabaseFailsEachWriteAndRecovers)
{
    TempDataFolder data;
    {
        ConfigStore first;
        ASSERT_TRUE(first.OpenForDevice(data.Path(), L"K201"));
        ASSERT_GT(first.AddMacro(L"kept"), 0);
    }
    RawDb other(ConfigStore::DatabasePath(data.Path(), L"K201"));
    ASSERT_EQ(other.Exec("BEGIN EXCLUSIVE"), 0);

    ConfigStore store;
    EXPECT_TRUE(store.OpenForDevice(data.Path(), L"K201")); // the file is fine, only busy
    EXPECT_EQ(store.AddMacro(L"blocked"), 0);
    EXPECT_EQ(store.ReplaceKeyLights({{0, 1, 128, 4, 1}}), 0);
    std::vector<MacroRecord> macros;
    EXPECT_EQ(store.GetMacros(macros), 0);

    ASSERT_EQ(other.Exec("COMMIT"), 0);
    EXPECT_GT(store.AddMacro(L"later"), 0);
    EXPECT_EQ(store.ReplaceKeyLights({{0, 1, 128, 4, 1}}), 1);
    ASSERT_EQ(store.GetMacros(macros), 2);
    EXPECT_EQ(macros[0].name, CString(L"kept"));
    EXPECT_EQ(macros[1].name, CString(L"later"));
}

TEST(StoreFailure, ClosedAfterUseFailsQuietlyToo)
{
    TempDataFolder data;
    ConfigStore store;
    ASSERT_TRUE(store.OpenForDevice(data.Path(), L"K201"));
    ASSERT_TRUE(store.Close());
    EXPECT_FALSE(store.IsOpened());
    ExpectEverythingFailsQuietly(store);
}

} // namespace
